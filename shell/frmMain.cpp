#include "frmMain.h"

#include "controls.h"
#include "forms.h"
#include "twips.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

frmMain::frmMain(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillmark"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/quillmark-icon.png")));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    addMenuEntries();
    cmdExit->setFocus();
}

// The context menu holds the windows the buttons have no room for; the
// More button opens the same menu for whoever never right-clicks, and both
// show each entry's key.
void frmMain::cmdMore_Click()
{
    showKeysInMenu();
    QMenu::exec(actions(), cmdMore->mapToGlobal(QPoint(0, cmdMore->height())), nullptr, this);
}

void frmMain::showKeysInMenu()
{
    for (QAction *action : actions())
        action->setShortcutVisibleInContextMenu(true);
}

bool frmMain::event(QEvent *event)
{
    if (event->type() == QEvent::ContextMenu)
        showKeysInMenu();
    return QDialog::event(event);
}

// Windows added since the menu's buttons have no room among them: a key
// each, and the window's context menu.
void frmMain::addMenuEntries()
{
    addMenuEntry(QStringLiteral("mnuBatchPrint"), QStringLiteral("Batch Print..."),
                 QKeySequence(Qt::CTRL | Qt::Key_B), QStringLiteral("frmBatch"));
    addMenuEntry(QStringLiteral("mnuCalibrate"), QStringLiteral("Calibrate Printer..."),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), QStringLiteral("frmCalibrate"));
    addMenuEntry(QStringLiteral("mnuMeasureScreen"), QStringLiteral("Measure Screen..."),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), QStringLiteral("frmRuler"));
    addMenuEntry(QStringLiteral("mnuAccountDetails"), QStringLiteral("Account Details..."),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), QStringLiteral("frmAccountDetails"));
    addMenuEntry(QStringLiteral("mnuBackUpNow"), QStringLiteral("Back Up Now..."),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B), QStringLiteral("frmBackup"));
    addMenuEntry(QStringLiteral("mnuRestore"), QStringLiteral("Restore..."),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), QStringLiteral("frmRestore"));
    addMenuEntry(QStringLiteral("mnuSharedRegister"), QStringLiteral("Shared Register..."),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), QStringLiteral("frmServer"));
    addMenuEntry(QStringLiteral("mnuCopyToServer"), QStringLiteral("Copy This File's Data to the Server..."),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U), QStringLiteral("frmCopyToServer"));
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void frmMain::addMenuEntry(const QString &name, const QString &caption, const QKeySequence &key,
                           const QString &window)
{
    auto *entry = new QAction(caption, this);
    entry->setObjectName(name);
    entry->setShortcut(key);
    connect(entry, &QAction::triggered, this, [window] { Forms::showModal(window); });
    addAction(entry);
}

void frmMain::createControls()
{
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/quillmark.png")));
    Image1->setScaledContents(true);
    Label1 = new QLabel(QStringLiteral("Quillmark writes your cheques"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("background-color: white;"));

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    cmdAddBnk = addButton(QStringLiteral("cmdAddBnk"), QStringLiteral("Add New Bank"),
                          &frmMain::cmdAddBnk_Click);
    cmdChqSetup = addButton(QStringLiteral("cmdChqSetup"), QStringLiteral("Cheque Layout Setup"),
                            &frmMain::cmdChqSetup_Click);
    cmdPayeeAdd = addButton(QStringLiteral("cmdPayeeAdd"), QStringLiteral("Add Payee"),
                            &frmMain::cmdPayeeAdd_Click);
    cmdPRtChq = addButton(QStringLiteral("cmdPRtChq"), QStringLiteral("Print Cheque"),
                          &frmMain::cmdPRtChq_Click);
    cmdChqRep = addButton(QStringLiteral("cmdChqRep"), QStringLiteral("Cheque Issue Report"),
                          &frmMain::cmdChqRep_Click);
    cmdExit = addButton(QStringLiteral("cmdExit"), QStringLiteral("Exit"), &frmMain::cmdExit_Click);
    cmdMore = newButton(QStringLiteral("cmdMore"), QStringLiteral("More..."), this);
    cmdMore->setToolTip(QStringLiteral("The windows without a button here, as on a right click"));
    connect(cmdMore, &QPushButton::clicked, this, &frmMain::cmdMore_Click);
}

QPushButton *frmMain::addButton(const QString &name, const QString &caption,
                                void (frmMain::*handler)())
{
    auto *button = newButton(name, caption, Frame2);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void frmMain::placeControls()
{
    resize(twipsSize(6195, 3285));
    Frame1->setGeometry(twips(120, 0, 3975, 3255));
    Image1->setGeometry(twips(120, 120, 3780, 2355));
    Label1->setGeometry(twips(120, 2520, 3735, 615));
    Frame2->setGeometry(twips(4200, 345, 1935, 2745));
    cmdAddBnk->setGeometry(twips(120, 300, 1695, 375));
    cmdChqSetup->setGeometry(twips(120, 660, 1695, 375));
    cmdPayeeAdd->setGeometry(twips(120, 1020, 1695, 375));
    cmdPRtChq->setGeometry(twips(120, 1380, 1695, 375));
    cmdChqRep->setGeometry(twips(120, 1755, 1695, 375));
    cmdExit->setGeometry(twips(135, 2130, 1695, 375));
    cmdMore->setGeometry(twips(5235, 30, 900, 285));
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmMain::setTabOrder()
{
    setTabChain({cmdExit, cmdPRtChq, cmdPayeeAdd, cmdChqSetup, cmdAddBnk, cmdChqRep, cmdMore});
}

void frmMain::cmdAddBnk_Click() { Forms::showModal(QStringLiteral("frmBNK")); }
void frmMain::cmdChqSetup_Click() { Forms::showModal(QStringLiteral("frmChqLyt")); }
void frmMain::cmdPayeeAdd_Click() { Forms::showModal(QStringLiteral("frmPayee")); }
void frmMain::cmdPRtChq_Click() { Forms::showModal(QStringLiteral("frmPrtChq")); }
void frmMain::cmdChqRep_Click() { Forms::showModal(QStringLiteral("frmReport")); }

void frmMain::cmdExit_Click()
{
    // Ends every event loop at once: no window runs a closing step.
    QCoreApplication::exit(0);
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    // The menu has no Cancel: Escape must not end the program by accident.
    if (event->key() == Qt::Key_Escape)
        return;
    // Help opens the About box, the one place the version and data file are named.
    if (event->key() == Qt::Key_F1) {
        Forms::showModal(QStringLiteral("frmAbout"));
        return;
    }
    QDialog::keyPressEvent(event);
}
