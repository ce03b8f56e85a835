#include "frmRestore.h"

#include "controls.h"
#include "copies.h"
#include "database.h"
#include "messages.h"
#include "onlinecopy.h"
#include "restore.h"
#include "twips.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QStringList columnsOf(const backup::Copy &copy)
{
    store::StoredContents contents;
    const QString taken = QLocale().toString(copy.takenAt, QLocale::ShortFormat);
    if (const QString problem = backup::readContents(copy.path, &contents); !problem.isEmpty())
        return {taken, QStringLiteral("cannot be read: %1").arg(problem)};
    const QString last = contents.lastChequeNo.isEmpty()
        ? QString()
        : QStringLiteral("%1 of %2").arg(contents.lastChequeNo, contents.lastChequeDate);
    return {taken, QString::number(contents.rows.banks), QString::number(contents.rows.payees),
            QString::number(contents.rows.layouts), QString::number(contents.rows.registerRows),
            last};
}

} // namespace

frmRestore::frmRestore(const QString &dataPath, QWidget *parent)
    : QDialog(parent)
    , m_dataPath(dataPath)
{
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(QStringLiteral("Restore"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    listCopies();
    lstCopies->setFocus();
}

void frmRestore::createControls()
{
    lblCopies = new QLabel(this);
    lblCopies->setObjectName(QStringLiteral("lblCopies"));
    lstCopies = new QTreeWidget(this);
    lstCopies->setObjectName(QStringLiteral("lstCopies"));
    lstCopies->setRootIsDecorated(false);
    lstCopies->setHeaderLabels({QStringLiteral("Taken"), QStringLiteral("Banks"),
                                QStringLiteral("Payees"), QStringLiteral("Layouts"),
                                QStringLiteral("Cheques"), QStringLiteral("Last cheque")});
    connect(lstCopies, &QTreeWidget::itemActivated, this, &frmRestore::cmdRestore_Click);
    cmdRestore = newButton(QStringLiteral("cmdRestore"), QStringLiteral("Restore"), this);
    connect(cmdRestore, &QPushButton::clicked, this, &frmRestore::cmdRestore_Click);
    cmdOtherFile = newButton(QStringLiteral("cmdOtherFile"), QStringLiteral("Other File..."), this);
    connect(cmdOtherFile, &QPushButton::clicked, this, &frmRestore::cmdOtherFile_Click);
    cmdFolder = newButton(QStringLiteral("cmdFolder"), QStringLiteral("Folder..."), this);
    connect(cmdFolder, &QPushButton::clicked, this, &frmRestore::cmdFolder_Click);
    cmdClose = newButton(QStringLiteral("cmdClose"), QStringLiteral("Close"), this);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

void frmRestore::placeControls()
{
    setFixedSize(twipsSize(8640, 4080));
    lblCopies->setGeometry(twips(120, 120, 8400, 255));
    lstCopies->setGeometry(twips(120, 420, 8400, 2940));
    cmdRestore->setGeometry(twips(120, 3600, 1140, 315));
    cmdOtherFile->setGeometry(twips(1380, 3600, 1380, 315));
    cmdFolder->setGeometry(twips(2880, 3600, 1140, 315));
    cmdClose->setGeometry(twips(7380, 3600, 1140, 315));
    lstCopies->header()->resizeSection(0, twipsToPixels(2100));
    for (int column = 1; column < 5; ++column)
        lstCopies->header()->resizeSection(column, twipsToPixels(960));
}

void frmRestore::setTabOrder()
{
    setTabChain({lstCopies, cmdRestore, cmdOtherFile, cmdFolder, cmdClose});
}

void frmRestore::listCopies()
{
    const QString folder = backup::copiesFolder(m_dataPath);
    lblCopies->setText(QStringLiteral("Copies of the data file in %1:").arg(QDir::toNativeSeparators(folder)));
    lstCopies->clear();
    for (const backup::Copy &copy : backup::copiesIn(folder, m_dataPath)) {
        auto *item = new QTreeWidgetItem(lstCopies, columnsOf(copy));
        item->setData(0, Qt::UserRole, copy.path);
    }
    lstCopies->setCurrentItem(lstCopies->topLevelItem(0));
}

void frmRestore::cmdRestore_Click()
{
    const QTreeWidgetItem *item = lstCopies->currentItem();
    if (!item) {
        Messages::show(QStringLiteral("There is no copy to restore. Choose Other File... to "
                                      "restore a copy kept elsewhere."),
                       Messages::Icon::Critical);
        return;
    }
    restore(item->data(0, Qt::UserRole).toString(),
            QStringLiteral("the copy of %1").arg(item->text(0)));
}

void frmRestore::cmdOtherFile_Click()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Restore a Copy"), backup::copiesFolder(m_dataPath),
        QStringLiteral("Quillmark data files (*.mdb);;All files (*)"));
    if (!path.isEmpty())
        restore(path, QDir::toNativeSeparators(path));
}

void frmRestore::cmdFolder_Click()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Folder for the Copies"), backup::copiesFolder(m_dataPath));
    if (folder.isEmpty())
        return;
    backup::chooseCopiesFolder(m_dataPath, folder);
    listCopies();
}

void frmRestore::restore(const QString &copyPath, const QString &described)
{
    // 1. The user agrees, No being the default.
    if (!Messages::ask(QStringLiteral("Put %1 in the place of the data file %2? The data file "
                                      "is kept beside it under a dated name.")
                           .arg(described, QDir::toNativeSeparators(m_dataPath))))
        return;
    // 2. The copy takes the data file's place, in one step.
    QString kept;
    if (const QString problem = backup::restoreCopy(copyPath, m_dataPath, &kept);
        !problem.isEmpty()) {
        Messages::show(problem, Messages::Icon::Critical);
        return;
    }
    // 3. A copy from before tables were added gets them, as at start.
    const QString behind = store::prepareDatabase(m_dataPath);
    // 4. The user is told where the replaced file is.
    QString text = QStringLiteral("%1 is now the data file.").arg(described);
    text[0] = text[0].toUpper();
    if (!kept.isEmpty())
        text += QStringLiteral(" The file it replaced is kept as %1.").arg(QDir::toNativeSeparators(kept));
    if (!behind.isEmpty())
        text += QStringLiteral("\n\n") + behind;
    Messages::show(text, behind.isEmpty() ? Messages::Icon::Information : Messages::Icon::Critical);
    accept();
}
