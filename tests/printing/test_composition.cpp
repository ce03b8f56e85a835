// What the composition refuses before anything reaches the printer: texts
// off the printable area and characters the cheque font cannot draw.

#include "chequepage.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "wordslines.h"

#include <QLocale>
#include <QTest>

using Change = std::pair<int, double>;  // a layout column and its value

class TestComposition : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void refusesWhatCannotPrint_data();
    void refusesWhatCannotPrint();
    void classicBreakKeepsSurrogatePairsWhole();
};

void TestComposition::refusesWhatCannotPrint_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QList<Change>>("changes");
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QStringList>("named");  // what the refusal names; none: it prints
    QTest::addColumn<QPointF>("offset");     // the printer's calibration, in its units

    using namespace store;
    const QString words = QStringLiteral("Rupees Two Hundred Fifty Only");
    const QString page = QStringLiteral("the printable area is 20 wide and 8 high (%1)");
    QTest::newRow("every text on the page") << "Cms" << QList<Change>{} << "Asha" << words
                                            << QStringList{} << QPointF();
    QTest::newRow("figures past the right edge (a typo of 75 for 7.5)")
        << "Cms" << QList<Change>{{AmtLeft, 75}} << "Asha" << words
        << QStringList{"Amount \"**250.00**\"", "left 75, top 4.5", "right to 76,",
                       page.arg("Cms"), "bank \"City Bank\""} << QPointF();
    QTest::newRow("name below the bottom edge")
        << "mms" << QList<Change>{{nameTop, 7.5}} << "Asha" << words
        << QStringList{"Name \"Asha\"", "down to 8.5,", page.arg("mms")} << QPointF();
    QTest::newRow("date left of the edge")
        << "Inches" << QList<Change>{{DateLeft, -0.5}} << "Asha" << words
        << QStringList{"Date \"09/Jul/2001\"", "left -0.5", page.arg("Inches")} << QPointF();
    QTest::newRow("a position beyond single precision prints at infinity")
        << "Pixels" << QList<Change>{{AmtinWords1Left, 1e39}} << "Asha" << words
        << QStringList{"Amount in Words line 1", "left inf", page.arg("Pixels")} << QPointF();
    QTest::newRow("an emoji in the name")
        << "Cms" << QList<Change>{} << QStringLiteral("Asha \U0001F600") << words
        << QStringList{"Name \"Asha \U0001F600\"", "U+1F600 \"\U0001F600\""} << QPointF();
    QTest::newRow("an emoji in the words")
        << "Cms" << QList<Change>{} << "Asha" << words + QStringLiteral(" \U0001F4B0")
        << QStringList{"Amount in Words line 1", "U+1F4B0"} << QPointF();
    QTest::newRow("date pushed past the right edge by the printer's offset")
        << "Cms" << QList<Change>{} << "Asha" << words
        << QStringList{"Date \"09/Jul/2001\"", "from left -5 and top 0 after the printer's"}
        << QPointF(5, 0);
}

void TestComposition::refusesWhatCannotPrint()
{
    QFETCH(QString, unit);
    QFETCH(QList<Change>, changes);
    QFETCH(QString, payee);
    QFETCH(QString, words);
    QFETCH(QStringList, named);
    QFETCH(QPointF, offset);

    TemporaryDatabase database;
    store::LayoutRow row{unit, QStringLiteral("City Bank"),
                         {0.5, 15, 0, 1.5, 2, 0, 2.5, 2, 10, 3.5, 1, 0, 4.5, 16, 0}};
    for (const auto &[column, value] : changes)
        row.positions[column] = value;
    QVERIFY(!store::replaceLayout(database.db(), row).isValid());

    RecordedPrinting recorded;
    recorded.setPrintableSize({20, 8});
    recorded.printer().Offset(offset.x(), offset.y());
    const QString problem = printChequePage(
        {row.bankName, payee, QStringLiteral("250.00"), words, QDate(2001, 7, 9), true},
        recorded.printer());
    for (const QString &name : named)
        QVERIFY2(problem.contains(name), qPrintable(problem));
    QCOMPARE(problem.isEmpty(), named.isEmpty());
    QCOMPARE(recorded.printed().isEmpty(), !named.isEmpty());
    QCOMPARE(recorded.operations().contains(QStringLiteral("EndDoc")), named.isEmpty());
}

// Cut where no blank is in reach, line 1 takes the whole character.
void TestComposition::classicBreakKeepsSurrogatePairsWhole()
{
    const QString deseret = QStringLiteral("\U00010400");
    QCOMPARE(amountInWordsLines(QString(9, u'a') + deseret + QStringLiteral("bbb"), 3),
             (QStringList{QString(9, u'a') + deseret, QStringLiteral("bbb")}));
}

QTEST_MAIN(TestComposition)
#include "test_composition.moc"
