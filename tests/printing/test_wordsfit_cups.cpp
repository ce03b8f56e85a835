// The words choices printed through the CUPS spooler that scripts/test
// starts, measured on the PDF its printer writes: lines within their widths,
// whole words, the size stepped down, the rule after the words.

#include "chequepage.h"
#include "printedpdf.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "wordslines.h"

#include <QLocale>
#include <QTest>

namespace {

const double tolerance = 0.25 * 72 / 25.4;  // 0.25 mm in points
// The printable area of the test printer's envelope (scripts/cups.sh), in
// points: its lower-left corner on the upright paper, and the landscape
// page's width.
const QPointF corner(18, 27);
const double printableWidth = 648 - 27;
const QString words = QStringLiteral("Rupees One Lakh Twenty Three Thousand Four Hundred and "
                                     "Fifty Six and Paise Seventy Eight Only");

// A printed word where the cheque has it: points from the printable area's
// corner, left to right along the landscape page.
struct Placed {
    QString text;
    double left;
    double right;
    double top;     // the top of its box
    double height;  // of its box, which grows with the size
};

QList<Placed> placedWords(const QList<PdfWord> &printed, double pageHeight)
{
    QList<Placed> placed;
    for (const PdfWord &word : printed)
        placed.append({word.text, pageHeight - corner.y() - word.box.bottom(),
                       pageHeight - corner.y() - word.box.top(), word.box.left() - corner.x(),
                       word.box.width()});
    std::sort(placed.begin(), placed.end(),
              [](const Placed &a, const Placed &b) { return a.left < b.left; });
    return placed;
}

// The words printed from a line's top down to just above the next line.
QList<Placed> lineAt(const QList<Placed> &placed, double top)
{
    QList<Placed> line;
    for (const Placed &word : placed) {
        if (word.top > top - 6 && word.top < top + 18)
            line.append(word);
    }
    return line;
}

} // namespace

class TestWordsFitCups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString problem = testPrinterProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void wordsFitTheirLines_data();
    void wordsFitTheirLines();
};

void TestWordsFitCups::wordsFitTheirLines_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("pointsPerUnit");
    QTest::addColumn<QList<double>>("widths");  // line 1, line 2
    QTest::addColumn<bool>("byWidth");
    QTest::addColumn<bool>("fill");
    QTest::addColumn<int>("firstLineWords");  // -1: as the classic rule breaks
    QTest::addColumn<double>("points");       // 0: refused
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("added");  // to the words

    const double inch = 72, cm = 72 / 2.54, mm = 72 / 25.4;
    QTest::newRow("classic rule unchanged") << "Inches" << inch << QList<double>{6, 0} << false
                                            << false << -1 << 12.0 << "" << "";
    QTest::newRow("by width at full size") << "Inches" << inch << QList<double>{4.5, 4.6} << true
                                           << false << 7 << 12.0 << "" << "";
    QTest::newRow("by width, stepped down") << "mms" << mm << QList<double>{100, 100} << true
                                            << false << 7 << 11.0 << "" << "";
    QTest::newRow("by width, line 2 to the printable edge")
        << "Cms" << cm << QList<double>{8, 0} << true << false << 5 << 12.0 << "" << "";
    QTest::newRow("too long even at 9 points") << "mms" << mm << QList<double>{60, 60} << true
                                               << false << 0 << 0.0 << "need a first line" << "";
    QTest::newRow("a character the printer's fonts lack")
        << "Inches" << inch << QList<double>{4.5, 4.6} << true << false << 0 << 0.0
        << "U+1F4B0" << QStringLiteral(" \U0001F4B0");
    QTest::newRow("classic rule, rule after the words")
        << "Cms" << cm << QList<double>{20, 15} << false << true << -1 << 12.0 << "" << "";
    QTest::newRow("by width, rule after the words")
        << "Inches" << inch << QList<double>{4.5, 4.6} << true << true << 7 << 12.0 << "" << "";
}

void TestWordsFitCups::wordsFitTheirLines()
{
    QFETCH(QString, unit);
    QFETCH(double, pointsPerUnit);
    QFETCH(QList<double>, widths);
    QFETCH(bool, byWidth);
    QFETCH(bool, fill);
    QFETCH(int, firstLineWords);
    QFETCH(double, points);
    QFETCH(QString, refusal);
    QFETCH(QString, added);

    TemporaryDatabase database;
    clearPdfFolder();
    // Places in inches: date, name, words 1, words 2, amount (top, left).
    using namespace store;
    const QList<std::pair<LayoutPosition, double>> inches{
        {DateTop, 0.3}, {DateLeft, 6.5},       {nameTop, 1.0},        {nameleft, 1.2},
        {AmtinWords1Top, 1.5}, {AmtinWords1Left, 0.5}, {AmtinWords2Top, 2.0},
        {AmtinWords2Left, 0.3}, {AmtTop, 2.6}, {AmtLeft, 6.0}};
    LayoutRow row{unit, QStringLiteral("City Bank"), {}};
    for (const auto &[column, value] : inches)
        row.positions[column] = value * 72 / pointsPerUnit;
    row.positions[AmtinWords1Width] = widths[0];
    row.positions[AmtinWords2Width] = widths[1];
    QVERIFY(!replaceLayout(database.db(), row).isValid());
    QVERIFY(!replaceWordsChoice(database.db(), row.bankName, {byWidth, fill}).isValid());

    const QString problem = printChequePage({row.bankName, QStringLiteral("Asha Menon"),
                                             QStringLiteral("123456.78"), words + added,
                                             QDate(2001, 7, 9), true},
                                            *openPrinter());
    QVERIFY2(problem.contains(refusal), qPrintable(problem));
    if (points == 0)
        return;
    QCOMPARE(problem, QString());
    const QString pdf = printedPdf();
    QVERIFY2(!pdf.isEmpty(), "the printer wrote no PDF");
    QSizeF page;
    const QList<PdfWord> printed = pdfWords(pdf, &page);
    const QList<Placed> placed = placedWords(printed, page.height());

    const double dateHeight = lineAt(placed, 0.3 * 72).first().height;
    const QList<QList<Placed>> lines{lineAt(placed, 1.5 * 72), lineAt(placed, 2.0 * 72)};
    const QList<double> lefts{0.5 * 72, 0.3 * 72};
    QStringList printedWords;
    for (int i = 0; i < 2; ++i) {
        QList<Placed> line = lines[i];
        const double width = widths[i] > 0 ? widths[i] * pointsPerUnit : printableWidth - lefts[i];
        // The rule, when chosen, ends the last words line: never another.
        const bool ruled = !line.isEmpty() && line.last().text.startsWith(u'-');
        QCOMPARE(ruled, fill && i == (lines[1].isEmpty() ? 0 : 1));
        if (ruled) {
            QVERIFY2(qAbs(line.last().right - (lefts[i] + width)) <= tolerance,
                     qPrintable(QStringLiteral("rule ends at %1").arg(line.last().right)));
            line.removeLast();
        }
        for (const Placed &word : line) {
            printedWords << word.text;
            QVERIFY2(qAbs(word.height / dateHeight * 12 - points) < 0.1,
                     qPrintable(QStringLiteral("%1 printed at %2 points")
                                    .arg(word.text).arg(word.height / dateHeight * 12)));
            QVERIFY(!byWidth || word.right <= lefts[i] + width + tolerance);
        }
    }
    QCOMPARE(printedWords, words.split(u' '));
    const QString classic = amountInWordsLines(words, widths[0])[0];
    QCOMPARE(lines[0].size(),
             firstLineWords >= 0 ? firstLineWords : classic.split(u' ', Qt::SkipEmptyParts).size());
}

QTEST_MAIN(TestWordsFitCups)
#include "test_wordsfit_cups.moc"
