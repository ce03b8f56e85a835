#include "forms.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "windowchecks.h"

#include <QTimer>

class TestShellWindows : public QObject
{
    Q_OBJECT
private slots:
    void windowsAsDrawn()
    {
        frmSplash splash;
        checkPlaces(&splash, {{"Frame1", "frmSplash", {120, 0, 5385, 4035}},
                              {"Image1", "Frame1", {1320, 480, 3000, 1590}}});
        frmMain menu;
        QCOMPARE(menu.windowTitle(), QStringLiteral("Quillmark"));
        QCOMPARE(menu.size(), twipsSize(6195, 3285));
        checkPlaces(&menu, {{"Frame1", "frmMain", {120, 0, 3975, 3255}},
                            {"Image1", "Frame1", {120, 120, 3780, 2355}},
                            {"Label1", "Frame1", {120, 2520, 3735, 615}},
                            {"Frame2", "frmMain", {4200, 345, 1935, 2745}},
                            {"cmdAddBnk", "Frame2", {120, 300, 1695, 375}},
                            {"cmdChqSetup", "Frame2", {120, 660, 1695, 375}},
                            {"cmdPayeeAdd", "Frame2", {120, 1020, 1695, 375}},
                            {"cmdPRtChq", "Frame2", {120, 1380, 1695, 375}},
                            {"cmdChqRep", "Frame2", {120, 1755, 1695, 375}},
                            {"cmdExit", "Frame2", {135, 2130, 1695, 375}}});
        // The menu opens on Exit, so Enter presses it.
        QCOMPARE(tabOrder(&menu, 7), (QStringList{"cmdExit", "cmdPRtChq", "cmdPayeeAdd", "cmdChqSetup",
                                                  "cmdAddBnk", "cmdChqRep", "cmdExit"}));
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
};

QTEST_MAIN(TestShellWindows)
#include "test_shell_windows.moc"
