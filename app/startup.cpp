#include "startup.h"

#include "atstart.h"
#include "connecting.h"
#include "datafilelock.h"
#include "database.h"
#include "forms.h"
#include "frmAbout.h"
#include "frmAccountDetails.h"
#include "frmBNK.h"
#include "frmBackup.h"
#include "frmBatch.h"
#include "frmCalibrate.h"
#include "frmChqLyt.h"
#include "frmCopyToServer.h"
#include "frmPayExport.h"
#include "frmPayee.h"
#include "frmDesigner.h"
#include "frmPreview.h"
#include "frmPrtChq.h"
#include "frmRuler.h"
#include "frmImportProgress.h"
#include "frmReport.h"
#include "frmRestore.h"
#include "frmServer.h"
#include "jetmigration.h"
#include "messages.h"
#include "onserver.h"
#include "serverchoice.h"

#include <QApplication>
#include <QPrinterInfo>

namespace {

// Reads the older program's file with a window telling how far it has come.
QString migrateWithProgress(const QString &path, QString *notice)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return jet::migrateJetDatabase(path, notice);
    frmImportProgress progress;
    return jet::migrateJetDatabase(path, notice, [&](int table, qint64 rows) {
        progress.rowsRead(table, rows);
    });
}

} // namespace

bool prepareDataFile()
{
    // On a server, the file's own steps (its checks and copies, the Access
    // import) have nothing to work on; the local file stays the way back.
    const auto chosen = server::chosenServer();
    if (chosen && server::useChosenServerAtStart(*chosen))
        return true;
    store::useJetMigration(migrateWithProgress);
    // A damaged file is never written to; a copy comes before every change.
    backup::copyBeforeTablesChange();
    if (!backup::checkDataFileAtStart(store::databaseFilePath()))
        return false;
    QString notice;
    const QString problem = store::prepareDatabase(&notice);
    if (!problem.isEmpty())
        Messages::show(problem, Messages::Icon::Critical);
    else if (!notice.isEmpty())
        Messages::show(notice, Messages::Icon::Information);
    if (!problem.isEmpty())
        return false;
    // Held from now on, so a restore in another copy of the program sees it.
    backup::holdDataFile(store::databaseFilePath());
    backup::takeDailyCopy(store::databaseFilePath());
    return true;
}

void registerWorkingWindows()
{
    Forms::registerForm(QStringLiteral("frmBNK"), [] { return new frmBNK; });
    Forms::registerForm(QStringLiteral("frmPayee"), [] { return new frmPayee; });
    Forms::registerForm(QStringLiteral("frmChqLyt"), [] { return new frmChqLyt; });
    Forms::registerForm(QStringLiteral("frmPrtChq"), [] { return new frmPrtChq; });
    Forms::registerForm(QStringLiteral("frmReport"), [] {
        auto *report = new frmReport;
        addPositivePayExport(report);
        return report;
    });
    Forms::registerForm(QStringLiteral("frmBatch"), [] { return new frmBatch; });
    Forms::registerForm(QStringLiteral("frmAccountDetails"), [] { return new frmAccountDetails; });
    Forms::registerForm(QStringLiteral("frmBackup"), []() -> QDialog * {
        return backup::refusedOnServer() ? nullptr : new frmBackup(store::databaseFilePath());
    });
    Forms::registerForm(QStringLiteral("frmRestore"), []() -> QDialog * {
        return backup::refusedOnServer() ? nullptr : new frmRestore(store::databaseFilePath());
    });
    Forms::registerForm(QStringLiteral("frmServer"), [] { return new frmServer; });
    Forms::registerForm(QStringLiteral("frmCopyToServer"), [] {
        return new frmCopyToServer(store::databaseFilePath());
    });
    Forms::registerForm(QStringLiteral("frmAbout"), [] { return new frmAbout(store::dataLocation()); });
    // From the main menu: the default printer, measured on the standard leaf.
    Forms::registerForm(QStringLiteral("frmCalibrate"), [] {
        return new frmCalibrate(QPrinterInfo::defaultPrinterName(), QString());
    });
    Forms::registerForm(QStringLiteral("frmRuler"), [] { return new frmRuler; });
    frmPreview::install();
    frmDesigner::install();
}
