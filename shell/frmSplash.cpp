#include "frmSplash.h"

#include "frmMain.h"
#include "twips.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

frmSplash::frmSplash(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    createControls();
    placeControls();
    Timer1->start();
}

void frmSplash::createControls()
{
    // The whole window wears the button-highlight colour.
    QPalette highlight = palette();
    highlight.setColor(QPalette::Window, palette().color(QPalette::Light));
    setPalette(highlight);
    setAutoFillBackground(true);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->installEventFilter(this);

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/quillmark.png")));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblProductName = new QLabel(QStringLiteral("Quillmark"), Frame1);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont productFont(QStringLiteral("Arial"));
    productFont.setPointSizeF(32.25);
    productFont.setBold(true);
    lblProductName->setFont(productFont);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

void frmSplash::placeControls()
{
    setFixedSize(twipsSize(5565, 4080));
    Frame1->setGeometry(twips(120, 0, 5385, 4035));
    Image1->setGeometry(twips(1320, 480, 3000, 1590));
    lblProductName->setGeometry(twips(120, 2040, 5205, 765));
    lblProductName->adjustSize();  // the label sizes itself to its text
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::Timer1_Timer()
{
    // 1. Unload the splash, which also stops its timer.
    Timer1->stop();
    close();
    // 2. The main menu, modally; this handler holds its loop.
    frmMain menu;
    menu.exec();
    // 3. No window is open any more: the program ends.
    QCoreApplication::exit(0);
}

void frmSplash::Frame1_Click()
{
    unloadAndEnd();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty())
        unloadAndEnd();
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    // Only a click on the frame's own surface counts, not on its picture or label.
    if (watched == Frame1 && event->type() == QEvent::MouseButtonPress) {
        const auto *click = static_cast<QMouseEvent *>(event);
        if (!Frame1->childAt(click->position().toPoint()))
            Frame1_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void frmSplash::unloadAndEnd()
{
    Timer1->stop();
    close();
    QCoreApplication::exit(0);
}
