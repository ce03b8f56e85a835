#include "forms.h"
#include "frmMain.h"
#include "windowchecks.h"

#include <QTimer>

class TestShellWindows : public QObject
{
    Q_OBJECT
private slots:
    // The menu opens on Exit, so Enter presses it.
    void menuTabOrder()
    {
        frmMain menu;
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
