// The printer calibration window: keys that keep or drop the offset, and
// the alignment page it prints, recorded instead of printed.

#include "frmCalibrate.h"
#include "printeroffset.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QDoubleSpinBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

const QString printer = u"Office Laser"_s;
const QString bank = u"City Bank"_s;

std::optional<QPointF> kept(const QSqlDatabase &db)
{
    std::optional<QPointF> offset;
    if (store::findPrinterOffset(db, printer, &offset).isValid())
        qFatal("the offset could not be read");
    return offset;
}

} // namespace

class TestFrmCalibrate : public QObject
{
    Q_OBJECT

private slots:
    void keysKeepOrDropTheOffset_data();
    void keysKeepOrDropTheOffset();
    void alignmentPageShowsTheLayout_data();
    void alignmentPageShowsTheLayout();
};

void TestFrmCalibrate::keysKeepOrDropTheOffset_data()
{
    QTest::addColumn<int>("closingKey");
    QTest::addColumn<std::optional<QPointF>>("keptAfter");

    QTest::newRow("Enter keeps") << int(Qt::Key_Return) << std::optional(QPointF(1.5, -2));
    QTest::newRow("Escape drops") << int(Qt::Key_Escape) << std::optional<QPointF>();
}

void TestFrmCalibrate::keysKeepOrDropTheOffset()
{
    QFETCH(int, closingKey);
    QFETCH(std::optional<QPointF>, keptAfter);

    TemporaryDatabase database;
    frmCalibrate window(printer, bank);
    // The walk ends with the focus back on the first box.
    QCOMPARE(tabOrder(&window, 5), (QStringList{"txtRight", "txtDown", "cmdAlign", "OK", "Cancel"}));
    QTest::keyClicks(window.focusWidget(), u"1.5"_s);
    QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(window.focusWidget(), u"-2"_s);
    QTest::keyClick(window.focusWidget(), Qt::Key(closingKey));

    QVERIFY(!window.isVisible());
    QCOMPARE(kept(database.db()), keptAfter);
}

void TestFrmCalibrate::alignmentPageShowsTheLayout_data()
{
    QTest::addColumn<bool>("hasLayout");
    QTest::addColumn<QStringList>("printed");  // what was printed, among other things
    QTest::addColumn<QStringList>("messages");

    // The kept offset, then the one entered; the leaf; the date one line
    // high at its place (its name printed there) with the cross-hair.
    QTest::newRow("layout") << true
                            << QStringList{"Offset 1 1", "Offset 1.5 -2", "Box 0 0 203.2 93.1",
                                           "Print Date", "Box 165 8 205 9", "Line 164.5 8 165.5 8",
                                           "Print Amount", "EndDoc"}
                            << QStringList{};
    QTest::newRow("no layout") << false << QStringList{"Offset 1 1", "Offset 1.5 -2"}
                               << QStringList{u"There is no cheque layout for the bank \"City Bank\"."_s};
}

void TestFrmCalibrate::alignmentPageShowsTheLayout()
{
    QFETCH(bool, hasLayout);
    QFETCH(QStringList, printed);
    QFETCH(QStringList, messages);

    TemporaryDatabase database;
    RecordedMessages shown;
    RecordedPrinting printing;
    QVERIFY(!store::replacePrinterOffset(database.db(), printer, {1, 1}).isValid());
    if (hasLayout)
        QVERIFY(!store::replaceLayout(database.db(), {u"mms"_s, bank, {8, 165, 40, 25, 30, 120, 38,
                                                                       25, 250, 48, 10, 120, 63,
                                                                       152.5, 40}})
                     .isValid());
    frmCalibrate window(printer, bank);
    window.findChild<QDoubleSpinBox *>(u"txtRight"_s)->setValue(1.5);
    window.findChild<QDoubleSpinBox *>(u"txtDown"_s)->setValue(-2);
    window.findChild<QPushButton *>(u"cmdAlign"_s)->click();

    for (const QString &operation : printed)
        QVERIFY2(printing.operations().contains(operation), qPrintable(operation));
    QCOMPARE(printing.operations().contains(u"EndDoc"_s), hasLayout);
    QCOMPARE(shown.texts(), messages);
    QCOMPARE(kept(database.db()), std::optional(QPointF(1, 1)));  // only OK keeps
}

QTEST_MAIN(TestFrmCalibrate)
#include "test_frmCalibrate.moc"
