#include "frmPayExport.h"

#include "controls.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "twips.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace positivepay;

namespace {

// So many refusals are named; the rest are counted.
constexpr int refusalsNamed = 15;

QString refusalText(const QStringList &problems)
{
    QStringList named = problems.mid(0, refusalsNamed);
    if (problems.size() > refusalsNamed)
        named << QStringLiteral("... and %1 more.").arg(problems.size() - refusalsNamed);
    return QStringLiteral("Nothing has been written:\n\n%1").arg(named.join(QLatin1Char('\n')));
}

QString leftOutText(const QList<PayRecord> &leftOut)
{
    QStringList numbers;
    for (const PayRecord &record : leftOut)
        numbers << record.chequeNo.trimmed();
    return QStringLiteral("\n\nThe layout has no void code: tell the bank by hand that these "
                          "cheques are void: %1.")
        .arg(numbers.join(QStringLiteral(", ")));
}

void showSaveFailure(const QString &path, const QString &problem)
{
    Messages::show(QStringLiteral("The file could not be saved to %1.\n\n%2")
                       .arg(QDir::toNativeSeparators(path), problem),
                   Messages::Icon::Critical);
}

} // namespace

frmPayExport::frmPayExport(const QString &bankName, const QDate &from, const QDate &to,
                           QWidget *parent)
    : QDialog(parent), choice{bankName, true, from, to}
{
    setObjectName(QStringLiteral("frmPayExport"));
    setWindowTitle(QStringLiteral("Positive Pay Export"));
    createControls(from, to);
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    listSentFiles();
    countWaiting();
    optWaiting->setFocus();
}

void frmPayExport::createControls(const QDate &from, const QDate &to)
{
    lblBank = new QLabel(QStringLiteral("Cheques of %1 to send to the bank:").arg(choice.bankName),
                         this);
    lblBank->setObjectName(QStringLiteral("lblBank"));
    optWaiting = new QRadioButton(QStringLiteral("Cheques not yet sent"), this);
    optWaiting->setObjectName(QStringLiteral("optWaiting"));
    optWaiting->setChecked(true);
    const QString format = QStringLiteral("dd-MM-yyyy");
    optRange = new QRadioButton(QStringLiteral("The dates shown, %1 to %2")
                                    .arg(from.toString(format), to.toString(format)),
                                this);
    optRange->setObjectName(QStringLiteral("optRange"));
    cmdExport = newButton(QStringLiteral("cmdExport"), QStringLiteral("Export..."), this);
    connect(cmdExport, &QPushButton::clicked, this, &frmPayExport::cmdExport_Click);
    cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    lblSent = new QLabel(QStringLiteral("Files sent"), this);
    lblSent->setObjectName(QStringLiteral("lblSent"));
    lstSent = new QListWidget(this);
    lstSent->setObjectName(QStringLiteral("lstSent"));
    cmdSendAgain = newButton(QStringLiteral("cmdSendAgain"), QStringLiteral("Send Again..."),
                             this);
    connect(cmdSendAgain, &QPushButton::clicked, this, &frmPayExport::cmdSendAgain_Click);
}

void frmPayExport::placeControls()
{
    setFixedSize(twipsSize(5400, 4080));
    lblBank->setGeometry(twips(120, 120, 5160, 255));
    optWaiting->setGeometry(twips(240, 450, 4920, 255));
    optRange->setGeometry(twips(240, 750, 4920, 255));
    cmdExport->setGeometry(twips(2940, 1110, 1140, 375));
    cmdCancel->setGeometry(twips(4140, 1110, 1140, 375));
    lblSent->setGeometry(twips(120, 1650, 2400, 255));
    lstSent->setGeometry(twips(120, 1920, 5160, 1500));
    cmdSendAgain->setGeometry(twips(3780, 3540, 1500, 375));
}

void frmPayExport::setTabOrder()
{
    setTabChain({optWaiting, optRange, cmdExport, cmdCancel, lstSent, cmdSendAgain});
}

void frmPayExport::listSentFiles()
{
    const store::Connection connection(objectName());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::listSentFiles(connection.database(), choice.bankName, &sentFiles);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("list the files sent"), error),
                       Messages::Icon::Critical);
    lstSent->clear();
    for (const store::SentFileRow &file : std::as_const(sentFiles))
        lstSent->addItem(QStringLiteral("%1   %2 records   %3")
                             .arg(file.sentAt.toString(QStringLiteral("dd-MM-yyyy hh:mm")))
                             .arg(file.records)
                             .arg(file.layoutName));
}

// What waits is told beside its choice; a failure or a cheque that does not
// fit is told when Export is pressed.
void frmPayExport::countWaiting()
{
    const store::Connection connection(objectName());
    PreparedExport waiting;
    if (connection.error().isValid()
        || prepareExport(connection.database(), {choice.bankName, true, {}, {}}, &waiting)
               .isValid()
        || !waiting.problems.isEmpty())
        return;
    qsizetype voids = waiting.file.leftOut.size();
    for (const PayRecord &record : std::as_const(waiting.file.written))
        voids += record.kind == RecordKind::Void ? 1 : 0;
    const qsizetype issued = waiting.file.written.size() + waiting.file.leftOut.size() - voids;
    optWaiting->setText(QStringLiteral("%1: %2 issued, %3 void")
                            .arg(optWaiting->text())
                            .arg(issued)
                            .arg(voids));
}

QString frmPayExport::askPath(const QString &layoutName)
{
    const QString name = QStringLiteral("%1 positive pay %2.%3")
                             .arg(choice.bankName,
                                  QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
                                  layoutName.contains(QLatin1String("CSV")) ? QStringLiteral("csv")
                                                                           : QStringLiteral("txt"));
    return QFileDialog::getSaveFileName(this, QStringLiteral("Positive Pay Export"), name);
}

void frmPayExport::cmdExport_Click()
{
    // 1. What goes out, checked against the bank's layout.
    const store::Connection connection(objectName());
    choice.notYetSent = optWaiting->isChecked();
    PreparedExport prepared;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = prepareExport(connection.database(), choice, &prepared);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("read the cheques"), error),
                       Messages::Icon::Critical);
        return;
    }
    // 2. Nothing written while any cheque does not fit, or nothing is new.
    if (!prepared.problems.isEmpty()) {
        Messages::show(refusalText(prepared.problems), Messages::Icon::Critical);
        return;
    }
    if (prepared.file.written.isEmpty() && prepared.file.leftOut.isEmpty()) {
        Messages::show(QStringLiteral("No cheques of %1 are waiting to be sent.")
                           .arg(choice.bankName),
                       Messages::Icon::Information);
        return;
    }
    // 3. Where to; a cancel leaves nothing and marks nothing.
    const QString path = askPath(prepared.layout.name);
    if (path.isEmpty())
        return;
    // 4. Saved and marked sent together.
    if (const QString problem = finishExport(connection.database(), prepared, path);
        !problem.isEmpty()) {
        showSaveFailure(path, problem);
        return;
    }
    QString done = QStringLiteral("%1 records written to %2.")
                       .arg(prepared.file.written.size())
                       .arg(QDir::toNativeSeparators(path));
    if (!prepared.file.leftOut.isEmpty())
        done += leftOutText(prepared.file.leftOut);
    Messages::show(done, Messages::Icon::Information);
    accept();
}

void frmPayExport::cmdSendAgain_Click()
{
    // 1. The file chosen, written again as it was; nothing is marked anew.
    const int row = lstSent->currentRow();
    if (row < 0 || row >= sentFiles.size()) {
        Messages::show(QStringLiteral("Choose a file in the list first."),
                       Messages::Icon::Information);
        return;
    }
    const store::SentFileRow &file = sentFiles[row];
    const QString path = askPath(file.layoutName);
    if (path.isEmpty())
        return;
    if (const QString problem = savePayFile(path, file.contents); !problem.isEmpty()) {
        showSaveFailure(path, problem);
        return;
    }
    Messages::show(QStringLiteral("%1 records written again to %2.")
                       .arg(file.records)
                       .arg(QDir::toNativeSeparators(path)),
                   Messages::Icon::Information);
}

void addPositivePayExport(QDialog *report)
{
    auto *grid = report->findChild<QTableView *>(QStringLiteral("DataGrid1"));
    auto *show = report->findChild<QPushButton *>(QStringLiteral("Command1"));
    auto *bank = report->findChild<QComboBox *>(QStringLiteral("cmbBnk"));
    auto *from = report->findChild<QDateEdit *>(QStringLiteral("DTPicker1"));
    auto *to = report->findChild<QDateEdit *>(QStringLiteral("DTPicker2"));
    if (!grid || !show || !bank || !from || !to)
        return;
    // What "Show Report" last showed, kept on the action itself.
    auto *exportFile = new QAction(QStringLiteral("Positive Pay Export..."), grid);
    exportFile->setObjectName(QStringLiteral("mnuPositivePayExport"));
    QObject::connect(show, &QPushButton::clicked, exportFile, [=] {
        exportFile->setData(QVariantList{bank->currentText(), from->date(), to->date()});
    });
    QObject::connect(exportFile, &QAction::triggered, report, [=] {
        const QVariantList shown = exportFile->data().toList();
        if (shown.isEmpty()) {
            Messages::show(QStringLiteral("Show the report first: the cheques shown are "
                                          "exported."),
                           Messages::Icon::Information);
            return;
        }
        frmPayExport window(shown[0].toString(), shown[1].toDate(), shown[2].toDate(), report);
        window.exec();
    });
    grid->addAction(exportFile);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
}
