#include "forms.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

class TestShellWindows : public QObject
{
    Q_OBJECT
private slots:
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
