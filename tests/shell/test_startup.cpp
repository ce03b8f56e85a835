#include "forms.h"
#include "database.h"
#include "frmAbout.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "windowchecks.h"
#include "startup.h"

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

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

    void programEnds_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("menuShown");
        QTest::newRow("close box of the menu") << "close" << true;
        QTest::newRow("Enter on the new menu presses Exit") << "enter" << true;
        QTest::newRow("key press on the splash") << "key" << false;
        QTest::newRow("click on the splash's frame, not on its label") << "click" << false;
    }
    void programEnds()
    {
        QFETCH(QString, action);
        QFETCH(bool, menuShown);
        StartupRun startup;
        bool splashSurvivedLabelClick = true;
        startup.atStart = [&](frmSplash *splash) {
            if (action == "key") {
                QTest::keyClick(splash, Qt::Key_A);
            } else if (action == "click") {
                QTest::mouseClick(splash->findChild<QLabel *>("lblProductName"), Qt::LeftButton);
                splashSurvivedLabelClick = visibleWindow("frmSplash") != nullptr;
                auto *frame = splash->findChild<QGroupBox *>("Frame1");
                QTest::mouseClick(frame, Qt::LeftButton, {},
                                  QPoint(frame->width() - 4, frame->height() - 4));
            }
        };
        startup.onMenu = [&](QWidget *menu) {
            if (action == "close")
                menu->close();
            else if (menu->focusWidget()->objectName() == "cmdExit")
                QTest::keyClick(menu->focusWidget(), Qt::Key_Return);
        };

        QCOMPARE(startup.run(), 0);
        QCOMPARE(startup.menuShown, menuShown);
        QVERIFY(!startup.menuShownEarly);
        QVERIFY(splashSurvivedLabelClick);
        if (menuShown)
            QVERIFY(!startup.splashVisibleWithMenu);
        QVERIFY(!visibleWindow("frmSplash") && !visibleWindow("frmMain"));
    }

    void eachShowingIsAFreshSingleWindow()
    {
        int created = 0;
        QDialog *seenOpen = nullptr;
        Forms::registerForm(QStringLiteral("frmTest"), [&] {
            ++created;
            return new QDialog;
        });
        for (int showing = 0; showing < 2; ++showing) {
            QTimer::singleShot(0, [&] {
                seenOpen = Forms::openInstance(QStringLiteral("frmTest"));
                Forms::showModal(QStringLiteral("frmTest"));  // already open: no second window
                seenOpen->close();
            });
            Forms::showModal(QStringLiteral("frmTest"));
            QVERIFY(seenOpen);
        }
        QCOMPARE(created, 2);
        QVERIFY(!Forms::openInstance(QStringLiteral("frmTest")));
    }

    // The About box names the data file, another one only when there is one,
    // and the register in use: that file, or a server. It opens on OK, which
    // Enter presses.
    void namesTheDataFileAndTheRegisterInUse()
    {
        const QString used = QStringLiteral("/home/ann/.local/share/Quillmark/ql.mdb");
        store::useDatabaseFile(used);
        for (const QString &unused : {QString(), QStringLiteral("/opt/quillmark/ql.mdb")}) {
            frmAbout window({used, unused});
            QVERIFY(shownActive(&window));
            QCOMPARE(window.findChild<QLineEdit *>("txtDataFile")->text(), used);
            QCOMPARE(window.findChild<QLineEdit *>("txtUnusedFile")->isVisible(), !unused.isEmpty());
            QCOMPARE(window.findChild<QLineEdit *>("txtUnusedFile")->text(), unused);
            QCOMPARE(window.findChild<QLineEdit *>("txtRegister")->text(),
                     "Register in use: the file " + used);
            QCOMPARE(controlOf(QApplication::focusWidget()), QStringLiteral("cmdOK"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(!window.isVisible());
        }
        store::useServer({QStringLiteral("db.example.org"), 5432, QStringLiteral("accounts"),
                          QStringLiteral("clerk1")});
        QCOMPARE(frmAbout({used, {}}).findChild<QLineEdit *>("txtRegister")->text(),
                 QStringLiteral("Register in use: the server db.example.org:5432, database "
                                "accounts, as clerk1"));
        store::useDatabaseFile({});
    }

    // On a server, the windows that copy a data file say what applies instead.
    void fileCopiesAreRefusedOnAServer_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("Back Up Now") << "frmBackup";
        QTest::newRow("Restore") << "frmRestore";
    }
    void fileCopiesAreRefusedOnAServer()
    {
        QFETCH(QString, window);
        registerWorkingWindows();
        store::useServer({QStringLiteral("db.example.org"), 5432, QStringLiteral("accounts"),
                          QStringLiteral("clerk1")});
        RecordedMessages messages;
        Forms::showModal(window);
        store::useDatabaseFile({});
        QVERIFY(messages.only().text.contains(QStringLiteral("server's own backups apply (pg_dump")));
    }

    // Each entry of the context menu opens its window by its key; F1 the About box.
    void menuKeysOpenTheirWindows_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("window");
        const Qt::KeyboardModifiers shift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("Batch Print") << QKeyCombination(Qt::ControlModifier, Qt::Key_B) << "frmBatch";
        QTest::newRow("About") << QKeyCombination(Qt::Key_F1) << "frmAbout";
        for (const auto &[key, window] :
             {std::pair{Qt::Key_K, "frmCalibrate"}, {Qt::Key_M, "frmRuler"}, {Qt::Key_A, "frmAccountDetails"},
              {Qt::Key_B, "frmBackup"}, {Qt::Key_R, "frmRestore"}, {Qt::Key_S, "frmServer"},
              {Qt::Key_U, "frmCopyToServer"}})
            QTest::newRow(window) << QKeyCombination(shift, key) << QString::fromLatin1(window);
    }
    void menuKeysOpenTheirWindows()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(QString, window);
        QString opened;
        Forms::registerForm(window, [&]() -> QDialog * { opened = window; return nullptr; });
        frmMain menu;
        QVERIFY(shownActive(&menu));
        QTest::keyClick(&menu, key.key(), key.keyboardModifiers());
        Forms::registerForm(window, {});
        QCOMPARE(opened, window);
    }

    // The More button opens whatever the context menu holds, each entry with its key.
    void moreOpensTheContextMenu()
    {
        frmMain menu;
        auto *added = new QAction(QStringLiteral("Added Later..."), &menu);
        added->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
        menu.addAction(added);
        QVERIFY(shownActive(&menu));
        QStringList entries;
        QTimer::singleShot(50, [&] {
            auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!popup)
                return;
            for (const QAction *action : popup->actions())
                entries << QStringLiteral("%1 %2 %3").arg(action->text(),
                                                          action->shortcut().toString())
                                                      .arg(action->isShortcutVisibleInContextMenu());
            popup->close();
        });
        QTest::mouseClick(menu.findChild<QPushButton *>(QStringLiteral("cmdMore")), Qt::LeftButton);
        QCOMPARE(entries, (QStringList{"Batch Print... Ctrl+B 1", "Calibrate Printer... Ctrl+Shift+K 1",
                                       "Measure Screen... Ctrl+Shift+M 1",
                                       "Account Details... Ctrl+Shift+A 1",
                                       "Back Up Now... Ctrl+Shift+B 1", "Restore... Ctrl+Shift+R 1",
                                       "Shared Register... Ctrl+Shift+S 1",
                                       "Copy This File's Data to the Server... Ctrl+Shift+U 1",
                                       "Added Later... Ctrl+J 1"}));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
