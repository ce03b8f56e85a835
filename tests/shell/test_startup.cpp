#include "frmSplash.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

QWidget *visibleWindow(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    return nullptr;
}

// Runs the program's event loop with the splash shown, calling `onMenu`
// once the main menu appears and `atStart` just after the loop starts.
// Returns the loop's exit code; a loop still running after 5 s is ended.
struct StartupRun {
    std::function<void(frmSplash *)> atStart = [](frmSplash *) {};
    std::function<void(QWidget *)> onMenu = [](QWidget *) {};
    bool menuShown = false;
    bool menuShownEarly = false;
    bool splashVisibleWithMenu = true;

    int run()
    {
        auto *splash = new frmSplash;
        splash->setAttribute(Qt::WA_DeleteOnClose);
        splash->show();
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget *menu = visibleWindow(QStringLiteral("frmMain"));
            if (!menu || menuShown)
                return;
            menuShown = true;
            splashVisibleWithMenu = visibleWindow(QStringLiteral("frmSplash")) != nullptr;
            onMenu(menu);
        });
        poll.start();
        QTimer::singleShot(0, [&] { atStart(splash); });
        QTimer::singleShot(500, [&] { menuShownEarly = menuShown; });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        watchdog.start(5000);
        return QCoreApplication::exec();
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void menuFollowsTheSplashAndExitEndsTheProgram();
    void closingTheMenuEndsTheProgram();
    void enterOnTheNewMenuPressesExit();
    void keyPressOnTheSplashEndsWithoutTheMenu();
    void clickOnTheSplashFrameEndsButNotOnItsLabel();
};

void TestStartup::menuFollowsTheSplashAndExitEndsTheProgram()
{
    StartupRun startup;
    startup.onMenu = [](QWidget *menu) {
        menu->findChild<QPushButton *>(QStringLiteral("cmdExit"))->click();
    };
    QCOMPARE(startup.run(), 0);
    QVERIFY(startup.menuShown);
    QVERIFY(!startup.menuShownEarly);
    QVERIFY(!startup.splashVisibleWithMenu);
    QVERIFY(!visibleWindow(QStringLiteral("frmMain")));
}

void TestStartup::closingTheMenuEndsTheProgram()
{
    StartupRun startup;
    startup.onMenu = [](QWidget *menu) { menu->close(); };
    QCOMPARE(startup.run(), 0);
    QVERIFY(startup.menuShown);
}

void TestStartup::enterOnTheNewMenuPressesExit()
{
    StartupRun startup;
    startup.onMenu = [](QWidget *menu) {
        QCOMPARE(menu->focusWidget()->objectName(), QStringLiteral("cmdExit"));
        QTest::keyClick(menu->focusWidget(), Qt::Key_Return);
    };
    QCOMPARE(startup.run(), 0);
    QVERIFY(startup.menuShown);
}

void TestStartup::keyPressOnTheSplashEndsWithoutTheMenu()
{
    StartupRun startup;
    startup.atStart = [](frmSplash *splash) { QTest::keyClick(splash, Qt::Key_A); };
    QCOMPARE(startup.run(), 0);
    QVERIFY(!startup.menuShown);
    QVERIFY(!visibleWindow(QStringLiteral("frmSplash")));
}

void TestStartup::clickOnTheSplashFrameEndsButNotOnItsLabel()
{
    StartupRun startup;
    bool splashSurvivedLabelClick = false;
    startup.atStart = [&](frmSplash *splash) {
        auto *label = splash->findChild<QLabel *>(QStringLiteral("lblProductName"));
        QTest::mouseClick(label, Qt::LeftButton);
        splashSurvivedLabelClick = visibleWindow(QStringLiteral("frmSplash")) != nullptr;
        auto *frame = splash->findChild<QGroupBox *>(QStringLiteral("Frame1"));
        QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(frame->width() - 4, frame->height() - 4));
    };
    QCOMPARE(startup.run(), 0);
    QVERIFY(splashSurvivedLabelClick);
    QVERIFY(!startup.menuShown);
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
