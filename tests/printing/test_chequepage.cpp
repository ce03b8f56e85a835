// The cheque page as the printer is told it, with the date and the crossing
// as a bank's cheque style asks for them, and what it refuses before anything
// reaches the printer: items off the page or the leaf, or over each other.

#include "alignmentpage.h"
#include "chequepage.h"
#include "chequestyle.h"
#include "previewprinter.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "wordslines.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

using store::ChequeStyle;
using Change = std::pair<int, double>;  // a layout column and its value
using Changes = QList<Change>;

namespace {

const QString bank = QStringLiteral("City Bank");

// Every position different, so a text at the wrong one shows.
store::LayoutRow layoutIn(const QString &unit)
{
    return {unit, bank,
            {2.5, 30, 1.5, 4, 3, 20, 5.5, 2, 10, 6.5, 1.25, 25, 7, 40, 2}};
}

ChequeItems cheque()
{
    return {bank, QStringLiteral("Asha Menon"), QStringLiteral("250.00"),
            QStringLiteral("Rupees Two Hundred Fifty Only"), QDate(2001, 7, 9), true};
}

// Each text printed, "text at left, top".
QStringList placed(const RecordedPrinting &recorded)
{
    QStringList texts;
    for (const RecordedPrinting::PrintedText &p : recorded.printed())
        texts << QStringLiteral("%1 at %2, %3").arg(p.text).arg(p.x).arg(p.y);
    return texts;
}

// A line of the test printer is a unit high, a character a tenth wide.
store::LayoutRow styledLayout()
{
    return {QStringLiteral("mms"), bank, {2.5, 30, 0, 4, 3, 20, 5.5, 2, 10, 6.5, 1.25, 25, 7, 40, 2}};
}

store::LayoutRow changed(store::LayoutRow row, const Changes &changes)
{
    for (const auto &[column, value] : changes)
        row.positions[column] = value;
    return row;
}

ChequeStyle dated(int dateStyle, int order)
{
    ChequeStyle style;
    style.dateStyle = dateStyle;
    style.dateOrder = order;
    return style;
}

ChequeStyle boxes(int order)
{
    ChequeStyle style = dated(ChequeStyle::DigitsInBoxes, order);
    style.boxWidth = 1;
    style.boxHeight = 2;
    style.gapAfterFirst = 0.5;
    style.gapAfterSecond = 0.5;
    return style;
}

} // namespace

class TestChequePage : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_database;

    // Prints the cheque for the layout and style; what was refused, if anything.
    // The style, stored under the name in capitals, replaces a classic one:
    // a bank has one style, whatever the letter case of its name.
    QString printStyled(const store::LayoutRow &row, const ChequeStyle &style,
                        RecordedPrinting &recorded, const ChequeItems &items = cheque())
    {
        if (store::replaceLayout(m_database->db(), row).isValid()
            || store::replaceChequeStyle(m_database->db(), bank, ChequeStyle()).isValid()
            || store::replaceChequeStyle(m_database->db(), bank.toUpper(), style).isValid())
            return QStringLiteral("not saved");
        return printChequePage(items, recorded.printer());
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        m_database = std::make_unique<TemporaryDatabase>();
    }
    void cleanup()
    {
        m_database.reset();
        QLocale::setDefault(QLocale::c());
    }

    void printsEachItemAtItsPosition_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("scaleMode");
        QTest::addColumn<bool>("crossed");
        QTest::addColumn<QLocale>("locale");  // the user's, which writes the date
        const QLocale british(QLocale::English, QLocale::UnitedKingdom);
        QTest::newRow("Bearer: no crossing") << "Inches" << 5 << false << british;
        // The crossing one unit from the left, level with the date.
        QTest::newRow("A/c Payee, millimetres") << "mms" << 6 << true << british;
        QTest::newRow("Pixels, a date in French") << "Pixels" << 3 << false
                                                  << QLocale(QLocale::French, QLocale::France);
        QTest::newRow("a unit in other letter case is inches") << "cms" << 5 << false << british;
        QTest::newRow("no unit is inches") << "" << 5 << false << british;
    }
    void printsEachItemAtItsPosition()
    {
        QFETCH(QString, unit);
        QFETCH(int, scaleMode);
        QFETCH(bool, crossed);
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        QVERIFY(!store::replaceLayout(m_database->db(), layoutIn(unit)).isValid());
        ChequeItems items = cheque();
        items.crossed = crossed;
        items.amountInWords = QStringLiteral("Rupees One Lakh Twenty Thousand and Fifty Only");
        RecordedPrinting recorded;
        QCOMPARE(printChequePage(items, recorded.printer()), QString());

        QStringList printed{locale.language() == QLocale::French ? "09/juil./2001 at 30, 2.5"
                                                                 : "09/Jul/2001 at 30, 2.5",
                            "Asha Menon at 3, 4", "Rupees One Lakh Twenty Thousand  at 2, 5.5",
                            " and Fifty Only at 1.25, 6.5",  // line 2 at its own place
                            "**250.00** at 40, 7"};
        if (crossed)
            printed.prepend("A/c Payee only at 1, 2.5");
        QCOMPARE(placed(recorded), printed);
        for (const RecordedPrinting::PrintedText &text : recorded.printed())
            QCOMPARE(text.scaleMode, scaleMode);
        QCOMPARE(recorded.operations().count(QStringLiteral("EndDoc")), 1);
        QCOMPARE(recorded.operations().last(), QStringLiteral("EndDoc"));
    }

    void breaksTheWords()
    {
        const QString thirtyThree = QStringLiteral("Rupees One Thousand Two Hundred O");
        const QString nineAs(9, u'a');
        // The words, the width, and the lines they break into.
        const QList<std::tuple<QString, float, QStringList>> cases{
            {thirtyThree, 10, {thirtyThree}},  // 33 characters at width 10: one line
            {thirtyThree + "n", 10, {"Rupees One Thousand Two Hundred ", " On"}},
            {"", 0, {""}},  // empty words never break
            // 5 x 3.3 is 16.5: a half rounds to the even 16, so the blank at 17 is out.
            {"aaaaaaa aaaaaaaa bbbb", 5, {"aaaaaaa ", " aaaaaaaa bbbb"}},
            // No blank among the characters that fit: cut after them, losing none,
            // and never between the halves of a surrogate pair.
            {"Onehundredthousand only", 3, {"Onehundred", "thousand only"}},
            {nineAs + QStringLiteral("\U00010400bbb"), 3, {nineAs + QStringLiteral("\U00010400"), "bbb"}},
            {"Rupees Ten Only", 0.15f, {"Rupees Ten Only"}}};  // below a third of a character
        for (const auto &[words, width, lines] : cases)
            QCOMPARE(amountInWordsLines(words, width), lines);
    }

    // Each position left empty is named once; line 2 needs its own only
    // when the words take two lines, and the unused widths none.
    void checksTheLayoutBeforePrinting()
    {
        using namespace store;
        const QString missing = QStringLiteral("The cheque layout of the bank \"City Bank\" has no "
                                               "value for %1.\n\nEnter the missing positions in the "
                                               "cheque layout setup.");
        // empty columns, two lines of words, the message (empty: it prints)
        const QList<std::tuple<QList<int>, bool, QString>> cases{
            {{AmtTop, DateTop, AmtinWords1Width}, false, missing.arg("DateTop, AmtinWords1Width, AmtTop")},
            {{AmtinWords2Left}, true, missing.arg("AmtinWords2Left")},
            {{AmtinWords2Top, AmtinWords2Left, Datewidth, namewidth, AmtWidth}, false, ""}};
        for (const auto &[emptyColumns, twoLines, message] : cases) {
            LayoutRow row = layoutIn(QStringLiteral("Cms"));
            for (int column : emptyColumns)
                row.positions[column] = std::nullopt;
            QVERIFY(!replaceLayout(m_database->db(), row).isValid());
            ChequeItems items = cheque();
            if (twoLines)
                items.amountInWords += items.amountInWords;
            RecordedPrinting recorded;
            QCOMPARE(printChequePage(items, recorded.printer()), message);
            QCOMPARE(recorded.operations().isEmpty(), !message.isEmpty());
        }
    }

    // Composed with the cheque's real font: a month name it cannot draw is
    // written in English instead of refusing the cheque.
    void dateInTheLanguageTheFontDraws_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::newRow("Hindi") << QLocale(QLocale::Hindi, QLocale::India) << "07/Dec/2026";
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << "07/déc./2026";
    }
    void dateInTheLanguageTheFontDraws()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QLocale::setDefault(locale);
        // Items a real font's height apart, the date clear of the crossing.
        const store::LayoutRow row{QStringLiteral("mms"), bank,
                                   {10, 120, 0, 20, 10, 0, 30, 10, 100, 40, 10, 0, 50, 140, 0}};
        ChequeItems items = cheque();
        items.date = QDate(2026, 12, 7);
        PreviewPrinter printer{QString()};
        QList<ComposedText> texts;
        QCOMPARE(composeCheque(layoutRecordFrom(row), {}, items, printer, &texts), QString());
        QCOMPARE(texts.value(1).item, QStringLiteral("Date"));
        QCOMPARE(texts.value(1).text, date);
    }

    // The fill after the words on line 2 ends at its width, or at the
    // printable edge (where the printer's offset puts it) for a width of 0
    // or one beyond the page; it is never refused.
    void fillEndsAtTheWidthOrTheEdge_data()
    {
        QTest::addColumn<float>("width");    // of line 2
        QTest::addColumn<QPointF>("offset");
        QTest::addColumn<float>("end");      // of the fill
        QTest::newRow("width 0") << 0.0f << QPointF() << 219.08f;
        QTest::newRow("width 0, printer moved right") << 0.0f << QPointF(2, 0) << 217.08f;
        QTest::newRow("width 0, printer moved left") << 0.0f << QPointF(-1.5, 0) << 220.58f;
        QTest::newRow("width past the edge") << 500.0f << QPointF() << 219.08f;
        QTest::newRow("width of its own") << 150.0f << QPointF() << 163.5f;
    }
    void fillEndsAtTheWidthOrTheEdge()
    {
        QFETCH(float, width);
        QFETCH(QPointF, offset);
        QFETCH(float, end);
        store::LayoutRow row = layoutIn(QStringLiteral("mms"));
        row.positions[store::AmtinWords1Width] = 5;
        row.positions[store::AmtinWords2Left] = 13.5;
        row.positions[store::AmtinWords2Width] = width;
        row.positions[store::AmtTop] = 30;  // clear of the fill
        QVERIFY(!store::replaceLayout(m_database->db(), row).isValid());
        QVERIFY(!store::replaceWordsChoice(m_database->db(), row.bankName, {true, true}).isValid());
        RecordedPrinting recorded;
        recorded.setPrintableSize({219.08, 95});
        recorded.printer().Offset(offset.x(), offset.y());
        ChequeItems items = cheque();
        items.crossed = false;
        items.amountInWords = QStringLiteral("Rupees One Lakh Twenty Three Thousand Four Hundred "
                                             "and Fifty Six and Paise Seventy Eight Only");
        QCOMPARE(printChequePage(items, recorded.printer()), QString());
        const RecordedPrinting::PrintedText fill = recorded.printed().value(4);
        QVERIFY2(fill.text.startsWith(u"---"), qPrintable(fill.text));
        const double right = fill.x + recorded.printer().TextWidth(fill.text);  // at 12 points
        QVERIFY2(right <= end && right > end - 0.1, qPrintable(QString::number(right)));
    }

    // What cannot print is refused before anything reaches the printer,
    // naming the item, where it would go and the bank; the rest prints.
    void refusesWhatCannotPrint_data()
    {
        QTest::addColumn<store::LayoutRow>("layout");
        QTest::addColumn<QStringList>("named");  // what the refusal names; none: it prints
        QTest::addColumn<QSizeF>("printable");   // in the layout's unit
        QTest::addColumn<ChequeStyle>("style");
        QTest::addColumn<QString>("payee");
        QTest::addColumn<QPointF>("offset");  // the printer's calibration, in its units
        QTest::addColumn<bool>("leafImage");  // the bank's, from left 10, top 2, 35 by 20
        using namespace store;
        const auto row = [](const char *name, const LayoutRow &layout, const QStringList &named,
                            QSizeF printable = {20, 8}, const ChequeStyle &style = {},
                            const QString &payee = "Asha Menon", QPointF offset = {},
                            bool leafImage = false) {
            QTest::newRow(name) << layout << named << printable << style << payee << offset << leafImage;
        };
        const auto small = [](const QString &unit, const Changes &changes = {}) {
            return changed({unit, bank, {0.5, 15, 0, 1.5, 2, 0, 2.5, 2, 10, 3.5, 1, 0, 4.5, 16, 0}},
                           changes);
        };
        const QString page = QStringLiteral("the printable area is 20 wide and 8 high (%1)");
        row("every text on the page", small("Cms"), {});
        row("figures past the right edge (a typo of 75 for 7.5)", small("Cms", {{AmtLeft, 75}}),
            {"Amount \"**250.00**\"", "left 75, top 4.5", "right to 76,", page.arg("Cms"),
             "bank \"City Bank\""});
        row("name below the bottom edge", small("mms", {{nameTop, 7.5}}),
            {"Name \"Asha Menon\"", "down to 8.5,", page.arg("mms")});
        row("a position beyond single precision prints at infinity",
            small("Pixels", {{AmtinWords1Left, 1e39}}),
            {"Amount in Words line 1", "left inf", page.arg("Pixels")});
        row("an emoji in the name", small("Cms"), {"Name \"Asha \U0001F600\"", "U+1F600 \"\U0001F600\""},
            {20, 8}, {}, QStringLiteral("Asha \U0001F600"));
        row("date pushed past the right edge by the printer's offset", small("Cms"),
            {"Date \"09/Jul/2001\"", "from left -5 and top 0 after the printer's"}, {20, 8}, {},
            "Asha Menon", {5, 0});

        // The styled layout on a printable area of 100 by 100.
        const QSizeF large(100, 100);
        ChequeStyle lines;
        lines.crossingStyle = ChequeStyle::CrossingLines;
        row("crossing over the payee's line", styledLayout(),
            {"The crossing and the Name overlap", "bank \"City Bank\""}, large, lines);
        row("words over the figures", changed(styledLayout(), {{AmtinWords1Top, 7}, {AmtinWords1Left, 38}}),
            {"The Amount in Words line 1 and the Amount overlap"}, large);
        row("name's width over the figures", changed(styledLayout(), {{nameTop, 7}, {namewidth, 37.5}}),
            {"The Name and the Amount overlap"}, large);
        ChequeStyle leaf;
        leaf.leafWidthMm = 50;
        leaf.leafHeightMm = 30;
        row("figures off the leaf", changed(styledLayout(), {{AmtLeft, 49}}),
            {"The Amount does not lie on the cheque leaf",
             "the leaf lies from left 0, top 0 to right 50, bottom 30 (mms)"}, large, leaf);
        ChequeStyle band = leaf;
        band.leafHeightMm = 20;
        band.micrBandMm = 15.9;
        row("name in the MICR band", styledLayout(),
            {"The Name reaches down to 5", "MICR line", "below 4.1 (mms)"}, large, band);
        ChequeStyle noWidth = boxes(0);
        noWidth.boxWidth = 0;
        row("date boxes without a width", styledLayout(), {"date boxes", "no width"}, large, noWidth);
        ChequeStyle narrow = boxes(0);
        narrow.boxWidth = 0.05;
        row("digits wider than their boxes", styledLayout(),
            {"do not fit their boxes", "a digit needs 0.1 by 1"}, large, narrow);
        // A leaf image's place and size come before a standard leaf's.
        ChequeStyle standard;
        standard.leafWidthMm = 203.2;
        standard.leafHeightMm = 93.1;
        row("off the bank's leaf image, though on the standard one", styledLayout(),
            {"The A/c Payee crossing does not lie on the cheque leaf",
             "the leaf lies from left 10, top 2 to right 45, bottom 22"},
            large, standard, "Asha Menon", {}, true);
    }
    void refusesWhatCannotPrint()
    {
        QFETCH(store::LayoutRow, layout);
        QFETCH(QStringList, named);
        QFETCH(QSizeF, printable);
        QFETCH(ChequeStyle, style);
        QFETCH(QString, payee);
        QFETCH(QPointF, offset);
        QFETCH(bool, leafImage);
        QVERIFY(!leafImage || !store::replaceLeafImage(m_database->db(), bank,
                                                       {"leaf", "leaf", 35, 20, 10, 2}).isValid());
        RecordedPrinting recorded;
        recorded.setPrintableSize(printable);
        recorded.printer().Offset(offset.x(), offset.y());
        ChequeItems items = cheque();
        items.payeeName = payee;
        const QString problem = printStyled(layout, style, recorded, items);
        for (const QString &name : named)
            QVERIFY2(problem.contains(name), qPrintable(problem));
        QCOMPARE(problem.isEmpty(), named.isEmpty());
        QCOMPARE(recorded.printed().isEmpty(), !named.isEmpty());
        QCOMPARE(recorded.operations().contains(QStringLiteral("EndDoc")), named.isEmpty());
    }

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
        RecordedPrinting recorded;
        QCOMPARE(printStyled(styledLayout(), style, recorded), QString());
        const QStringList printed = placed(recorded);
        // After the crossing, before the name.
        QTEST(printed.mid(1, printed.indexOf(QRegularExpression("Asha Menon at .*")) - 1), "date");
        QTEST(recorded.operations().filter(QRegularExpression("^Guide ")), "guides");
    }

    // Two parallel lines and the words chosen between them, sloping with them.
    void crossingLinesAreDrawn()
    {
        ChequeStyle style;
        style.crossingStyle = ChequeStyle::CrossingLines;
        style.crossingWords = ChequeStyle::AndCompany;
        style.crossingLeft = 60;
        style.crossingTop = 15;
        RecordedPrinting recorded;
        QCOMPARE(printStyled(styledLayout(), style, recorded), QString());
        const QStringList operations = recorded.operations();
        QCOMPARE(operations.filter(QRegularExpression("^Line ")),
                 (QStringList{"Line 48.6863 22.0711 67.0711 3.68629",
                              "Line 52.9289 26.3137 71.3137 7.92893"}));
        const qsizetype turned = operations.indexOf("TextAngle 45");
        QVERIFY(turned > 0);
        QCOMPARE(operations[turned + 3], "Print & Co.");
        const qsizetype level = operations.indexOf("TextAngle 0");
        QVERIFY(level > turned && level < operations.indexOf("Print 09/Jul/2001"));
        QCOMPARE(operations.count("EndDoc"), 1);
    }

    // The alignment page frames each digit's box, to lay over the leaf's.
    void alignmentPageShowsTheDateBoxes()
    {
        RecordedPrinting recorded;
        ChequeStyle style = boxes(0);
        style.crossingStyle = ChequeStyle::CrossingLines;
        style.crossingLeft = 60;
        QCOMPARE(printStyled(styledLayout(), style, recorded), QString());
        RecordedPrinting aligned;
        QCOMPARE(printAlignmentPage(bank, aligned.printer()), QString());
        const QStringList framed = aligned.operations().filter(QRegularExpression("^Box 3\\d"));
        QCOMPARE(framed, (QStringList{"Box 30 2.5 31 4.5", "Box 31 2.5 32 4.5", "Box 32.5 2.5 33.5 4.5",
                                      "Box 33.5 2.5 34.5 4.5", "Box 35 2.5 36 4.5",
                                      "Box 36 2.5 37 4.5", "Box 37 2.5 38 4.5", "Box 38 2.5 39 4.5"}));
        QVERIFY(aligned.operations().contains("Line 48.6863 19.5711 67.0711 1.18629"));
        QVERIFY(aligned.operations().contains("TextAngle 45"));
    }
};

QTEST_MAIN(TestChequePage)
#include "test_chequepage.moc"
