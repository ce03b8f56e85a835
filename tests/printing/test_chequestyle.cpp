// The date and the crossing as a bank's cheque style asks for them, and the
// checks between the items and against the leaf, as the printer is told.

#include "alignmentpage.h"
#include "chequepage.h"
#include "chequestyle.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

using store::ChequeStyle;
using Changes = QList<std::pair<int, double>>;  // layout columns and their values

namespace {

const QString bank = QStringLiteral("City Bank");

// A line of the test printer is a unit high, a character a tenth wide.
store::LayoutRow layout()
{
    return {QStringLiteral("mms"), bank, {2.5, 30, 0, 4, 3, 20, 5.5, 2, 10, 6.5, 1.25, 25, 7, 40, 2}};
}

ChequeStyle boxes(int order)
{
    ChequeStyle style;
    style.dateStyle = ChequeStyle::DigitsInBoxes;
    style.dateOrder = order;
    style.boxWidth = 1;
    style.boxHeight = 2;
    style.gapAfterFirst = 0.5;
    style.gapAfterSecond = 0.5;
    return style;
}

ChequeStyle dated(int dateStyle, int order)
{
    ChequeStyle style;
    style.dateStyle = dateStyle;
    style.dateOrder = order;
    return style;
}

} // namespace

class TestChequeStyle : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_database;

    // Prints the cheque for the layout and style; what was refused, if anything.
    QString print(const store::LayoutRow &row, const ChequeStyle &style, RecordedPrinting &recorded)
    {
        if (store::replaceLayout(m_database->db(), row).isValid()
            || store::replaceChequeStyle(m_database->db(), bank, style).isValid())
            return QStringLiteral("not saved");
        return printChequePage({bank, QStringLiteral("Asha Menon"), QStringLiteral("250.00"),
                                QStringLiteral("Rupees Two Hundred Fifty Only"), QDate(2001, 7, 9),
                                true},
                               recorded.printer());
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        m_database = std::make_unique<TemporaryDatabase>();
    }
    void cleanup() { m_database.reset(); }

    void dateAsTheStyleAsks_data()
    {
        QTest::addColumn<ChequeStyle>("style");
        QTest::addColumn<QStringList>("date");  // each text, "at left, top"
        QTest::addColumn<QStringList>("guides");

        QTest::newRow("classic") << ChequeStyle() << QStringList{"09/Jul/2001 at 30, 2.5"}
                                 << QStringList{};
        QTest::newRow("DD/MM/YYYY") << dated(ChequeStyle::NumericDate, 0)
                                    << QStringList{"09/07/2001 at 30, 2.5"} << QStringList{};
        QTest::newRow("MM/DD/YYYY") << dated(ChequeStyle::NumericDate, 1)
                                    << QStringList{"07/09/2001 at 30, 2.5"} << QStringList{};
        QTest::newRow("YYYY-MM-DD") << dated(ChequeStyle::NumericDate, 2)
                                    << QStringList{"2001-07-09 at 30, 2.5"} << QStringList{};
        QTest::newRow("long, month first") << dated(ChequeStyle::LongDate, 0)
                                           << QStringList{"July 9, 2001 at 30, 2.5"} << QStringList{};
        QTest::newRow("long, day first") << dated(ChequeStyle::LongDate, 1)
                                         << QStringList{"9 July 2001 at 30, 2.5"} << QStringList{};
        // Each digit centred in its box: (1 - 0.1) / 2 across, (2 - 1) / 2 down.
        // Day first in boxes is measured on paper in test_cupsprinting.
        QTest::newRow("boxes YYYYMMDD")
            << boxes(2)
            << QStringList{"2 at 30.45, 3", "0 at 31.45, 3", "0 at 32.45, 3", "1 at 33.45, 3",
                           "0 at 34.95, 3", "7 at 35.95, 3", "0 at 37.45, 3", "9 at 38.45, 3"}
            << QStringList{"Guide 30 2.5 31 4.5", "Guide 31 2.5 32 4.5", "Guide 32 2.5 33 4.5",
                           "Guide 33 2.5 34 4.5", "Guide 34.5 2.5 35.5 4.5",
                           "Guide 35.5 2.5 36.5 4.5", "Guide 37 2.5 38 4.5", "Guide 38 2.5 39 4.5"};
    }
    void dateAsTheStyleAsks()
    {
        QFETCH(ChequeStyle, style);
        QFETCH(QStringList, date);
        QFETCH(QStringList, guides);
        RecordedPrinting recorded;
        QCOMPARE(print(layout(), style, recorded), QString());
        QStringList printed;
        for (const RecordedPrinting::PrintedText &p : recorded.printed()) {
            if (p.text == QStringLiteral("Asha Menon"))
                break;
            printed << QStringLiteral("%1 at %2, %3").arg(p.text).arg(p.x).arg(p.y);
        }
        QCOMPARE(printed.mid(1), date);  // after the crossing
        const QStringList guided = recorded.operations().filter(QRegularExpression("^Guide "));
        QCOMPARE(guided, guides);
    }

    // Two parallel lines and the words between them, sloping with them.
    void crossingLinesAreDrawn()
    {
        ChequeStyle style;
        style.crossingStyle = ChequeStyle::CrossingLines;
        style.crossingLeft = 60;
        style.crossingTop = 15;
        RecordedPrinting recorded;
        QCOMPARE(print(layout(), style, recorded), QString());
        const QStringList operations = recorded.operations();
        QCOMPARE(operations.filter(QRegularExpression("^Line ")),
                 (QStringList{"Line 48.6863 22.0711 67.0711 3.68629",
                              "Line 52.9289 26.3137 71.3137 7.92893"}));
        const qsizetype turned = operations.indexOf("TextAngle 45");
        QVERIFY(turned > 0);
        QCOMPARE(operations[turned + 3], "Print A/c Payee only");
        const qsizetype level = operations.indexOf("TextAngle 0");
        QVERIFY(level > turned && level < operations.indexOf("Print 09/Jul/2001"));
        QCOMPARE(operations.count("EndDoc"), 1);
    }

    void refusesItemsThatDoNotFit_data()
    {
        QTest::addColumn<Changes>("changes");
        QTest::addColumn<ChequeStyle>("style");
        QTest::addColumn<QStringList>("named");
        using namespace store;

        ChequeStyle lines;
        lines.crossingStyle = ChequeStyle::CrossingLines;
        QTest::newRow("crossing over the payee's line")
            << Changes{} << lines
            << QStringList{"The crossing and the Name overlap", "bank \"City Bank\""};
        QTest::newRow("words over the figures")
            << Changes{{AmtinWords1Top, 7}, {AmtinWords1Left, 38}}
            << ChequeStyle() << QStringList{"The Amount in Words line 1 and the Amount overlap"};
        QTest::newRow("name's width over the figures")
            << Changes{{nameTop, 7}, {namewidth, 37.5}} << ChequeStyle()
            << QStringList{"The Name and the Amount overlap"};
        ChequeStyle small;
        small.leafWidthMm = 50;
        small.leafHeightMm = 30;
        QTest::newRow("figures off the leaf")
            << Changes{{AmtLeft, 49}} << small
            << QStringList{"The Amount does not lie on the cheque leaf",
                           "the leaf lies from left 0, top 0 to right 50, bottom 30 (mms)"};
        ChequeStyle band = small;
        band.leafHeightMm = 20;
        band.micrBandMm = 15.9;
        QTest::newRow("name in the MICR band")
            << Changes{} << band
            << QStringList{"The Name reaches down to 5", "MICR line", "below 4.1 (mms)"};
        ChequeStyle noWidth = boxes(0);
        noWidth.boxWidth = 0;
        QTest::newRow("date boxes without a width")
            << Changes{} << noWidth << QStringList{"date boxes", "no width"};
        ChequeStyle narrow = boxes(0);
        narrow.boxWidth = 0.05;
        QTest::newRow("digits wider than their boxes")
            << Changes{} << narrow
            << QStringList{"do not fit their boxes", "a digit needs 0.1 by 1"};
    }
    void refusesItemsThatDoNotFit()
    {
        QFETCH(Changes, changes);
        QFETCH(ChequeStyle, style);
        QFETCH(QStringList, named);
        store::LayoutRow row = layout();
        for (const auto &[column, value] : changes)
            row.positions[column] = value;
        RecordedPrinting recorded;
        const QString problem = print(row, style, recorded);
        for (const QString &name : named)
            QVERIFY2(problem.contains(name), qPrintable(problem));
        QVERIFY(recorded.printed().isEmpty());
    }

    // The alignment page frames each digit's box, to lay over the leaf's.
    void alignmentPageShowsTheDateBoxes()
    {
        RecordedPrinting recorded;
        ChequeStyle style = boxes(0);
        style.crossingStyle = ChequeStyle::CrossingLines;
        style.crossingLeft = 60;
        QCOMPARE(print(layout(), style, recorded), QString());
        RecordedPrinting aligned;
        QCOMPARE(printAlignmentPage(bank, aligned.printer()), QString());
        const QStringList framed = aligned.operations().filter(QRegularExpression("^Box 3\\d"));
        QCOMPARE(framed, (QStringList{"Box 30 2.5 31 4.5", "Box 31 2.5 32 4.5", "Box 32.5 2.5 33.5 4.5",
                                      "Box 33.5 2.5 34.5 4.5", "Box 35 2.5 36 4.5",
                                      "Box 36 2.5 37 4.5", "Box 37 2.5 38 4.5", "Box 38 2.5 39 4.5"}));
        QVERIFY(aligned.operations().contains("Line 48.6863 19.5711 67.0711 1.18629"));
        QVERIFY(aligned.operations().contains("TextAngle 45"));
    }

    // A leaf image's place and size come before a standard leaf's.
    void leafImagePlaceComesFirst()
    {
        ChequeStyle style;
        style.leafWidthMm = 203.2;
        style.leafHeightMm = 93.1;
        QVERIFY(!store::replaceLeafImage(m_database->db(), bank,
                                         {"leaf", "leaf", 35, 20, 10, 2}).isValid());
        RecordedPrinting recorded;
        const QString problem = print(layout(), style, recorded);
        QVERIFY2(problem.contains("The A/c Payee crossing does not lie on the cheque leaf")
                     && problem.contains("the leaf lies from left 10, top 2 to right 45, bottom 22"),
                 qPrintable(problem));
    }

    void styleIsKeptPerBank()
    {
        ChequeStyle style = boxes(1);
        style.crossingStyle = ChequeStyle::CrossingLines;
        style.crossingWords = ChequeStyle::AndCompany;
        style.standardLeaf = QStringLiteral("India CTS-2010");
        QVERIFY(!store::replaceChequeStyle(m_database->db(), bank, style).isValid());
        QVERIFY(!store::replaceChequeStyle(m_database->db(), "CITY BANK", style).isValid());
        ChequeStyle read;
        QVERIFY(!store::findChequeStyle(m_database->db(), "city bank", &read).isValid());
        QCOMPARE(read, style);
        QVERIFY(!store::findChequeStyle(m_database->db(), "Other Bank", &read).isValid());
        QCOMPARE(read, ChequeStyle());
    }
};

QTEST_MAIN(TestChequeStyle)
#include "test_chequestyle.moc"
