#include "frmBackup.h"

#include "controls.h"
#include "copies.h"
#include "messages.h"
#include "takecopy.h"
#include "twips.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

frmBackup::frmBackup(const QString &dataPath, QWidget *parent)
    : QDialog(parent)
    , m_dataPath(dataPath)
{
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(QStringLiteral("Back Up Now"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    txtTarget->setFocus();
}

void frmBackup::createControls()
{
    lblTarget = new QLabel(QStringLiteral("Copy the data file to:"), this);
    lblTarget->setObjectName(QStringLiteral("lblTarget"));
    txtTarget = new QLineEdit(QDir::toNativeSeparators(QDir(backup::copiesFolder(m_dataPath))
                                                          .filePath(backup::copyName(m_dataPath, backup::now()))),
                              this);
    txtTarget->setObjectName(QStringLiteral("txtTarget"));
    cmdBrowse = newButton(QStringLiteral("cmdBrowse"), QStringLiteral("Browse..."), this);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmBackup::cmdBrowse_Click);
    prgCopy = new QProgressBar(this);
    prgCopy->setObjectName(QStringLiteral("prgCopy"));
    prgCopy->setValue(0);
    cmdBackUp = newButton(QStringLiteral("cmdBackUp"), QStringLiteral("Back Up"), this);
    connect(cmdBackUp, &QPushButton::clicked, this, &frmBackup::cmdBackUp_Click);
    cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBackup::reject);
}

void frmBackup::placeControls()
{
    setFixedSize(twipsSize(6480, 1920));
    lblTarget->setGeometry(twips(120, 120, 5000, 255));
    txtTarget->setGeometry(twips(120, 420, 5000, 285));
    cmdBrowse->setGeometry(twips(5220, 405, 1140, 315));
    prgCopy->setGeometry(twips(120, 900, 6240, 255));
    cmdBackUp->setGeometry(twips(3960, 1440, 1140, 315));
    cmdCancel->setGeometry(twips(5220, 1440, 1140, 315));
}

void frmBackup::setTabOrder()
{
    setTabChain({txtTarget, cmdBrowse, cmdBackUp, cmdCancel});
}

void frmBackup::cmdBrowse_Click()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Back Up the Data File"), txtTarget->text(),
        QStringLiteral("Quillmark data files (*.mdb);;All files (*)"));
    if (!path.isEmpty())
        txtTarget->setText(QDir::toNativeSeparators(path));
}

void frmBackup::allowChoosing(bool allowed)
{
    txtTarget->setEnabled(allowed);
    cmdBrowse->setEnabled(allowed);
    cmdBackUp->setEnabled(allowed);
}

bool frmBackup::showProgress(int copied, int total)
{
    prgCopy->setMaximum(total);
    prgCopy->setValue(copied);
    // Cancel and Escape are heard between the parts of the copy.
    QApplication::processEvents();
    return !m_cancelled;
}

void frmBackup::cmdBackUp_Click()
{
    // 1. Where to: a file the user named.
    const QString target = QDir::fromNativeSeparators(txtTarget->text().trimmed());
    if (target.isEmpty() || QFileInfo(target).isDir()) {
        Messages::show(QStringLiteral("Type the name of the file the copy is to go to."),
                       Messages::Icon::Critical);
        txtTarget->setFocus();
        return;
    }
    // 2. The copy, with its progress; only Cancel can be pressed meanwhile.
    QDir().mkpath(QFileInfo(target).absolutePath());
    m_copying = true;
    m_cancelled = false;
    allowChoosing(false);
    const QString problem = backup::takeCopyTo(
        m_dataPath, target, [this](int copied, int total) { return showProgress(copied, total); });
    m_copying = false;
    // 3. What became of it.
    if (!problem.isEmpty()) {
        Messages::show(problem, Messages::Icon::Critical);
        allowChoosing(true);
        prgCopy->setValue(0);
        return;
    }
    Messages::show(QStringLiteral("The data file has been copied to %1.")
                       .arg(QDir::toNativeSeparators(target)),
                   Messages::Icon::Information);
    accept();
}

void frmBackup::reject()
{
    if (m_copying)
        m_cancelled = true;
    else
        QDialog::reject();
}
