#include "frmImportProgress.h"

#include <QLabel>
#include <QTest>

// The window of a long import: hidden for a short one, counts once shown,
// and no key closes it while the reading goes on.
class TestFrmImportProgress : public QObject
{
    Q_OBJECT
private slots:
    void showsCountsOnlyWhenReadingTakesLong()
    {
        frmImportProgress window;
        window.rowsRead(0, 5);
        QVERIFY(!window.isVisible());
        QTest::qWait(600);
        window.rowsRead(3, 200);
        QVERIFY(window.isVisible());
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblCounts"))->text(),
                 QStringLiteral("Banks: 5   Payees: 0   Layouts: 0   Register rows: 200"));
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab}) {
            QTest::keyClick(&window, key);
            QVERIFY(window.isVisible());
        }
    }
};

QTEST_MAIN(TestFrmImportProgress)
#include "test_frmImportProgress.moc"
