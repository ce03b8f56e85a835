// Prints through the CUPS spooler that scripts/test starts, on its PDF
// printer, and measures where each text landed on the paper (pdftotext -bbox).

#include "batchfixture.h"
#include "batchprint.h"
#include "calibration.h"
#include "chequepage.h"
#include "chequestyle.h"
#include "currencywording.h"
#include "pageview.h"
#include "previewprinter.h"
#include "printedpdf.h"
#include "printeroffset.h"
#include "registerlisting.h"
#include "standardleaves.h"
#include "statements.h"
#include "systemprinter.h"
#include "windowchecks.h"
#include "wordslines.h"

#include <QImage>
#include <QScreen>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>

namespace {

const QString bank = QStringLiteral("City Bank");
const double pointsPerMm = 72 / 25.4;
const double tolerance = 0.25 * pointsPerMm;
// The printable area's width on the test printer's landscape envelope.
const double printableWidth = 648 - 27;

// The cheque's face at 12 points, measured at a large size for precision.
QFontMetricsF chequeFont()
{
    QFont font(SystemPrinter::substituteFace());
    font.setPixelSize(1200);
    return QFontMetricsF(font);
}

// What share of a word's box on the paper lies above its baseline: the box
// spans the ascent and descent the PDF gives its font, not the face's own.
double shareAboveBaseline(const QString &pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QString text = QString::fromLatin1(file.readAll());
    const auto number = [&](const char *key) {
        return QRegularExpression(QStringLiteral("/%1 ?(-?[\\d.]+)").arg(QLatin1String(key)))
            .match(text).captured(1).toDouble();
    };
    return number("Ascent") / (number("Ascent") - number("Descent"));
}

// The preview's box of a text without its leading and trailing blanks,
// which leave no mark on paper.
QRectF inkedBox(const PreviewPrinter::Text &text)
{
    const double blank = chequeFont().horizontalAdvance(QLatin1Char(' ')) / 100;
    const qsizetype leading = text.text.size() - QString(text.text).remove(QRegularExpression("^ +")).size();
    const qsizetype trailing = text.text.size() - QString(text.text).remove(QRegularExpression(" +$")).size();
    return text.box.adjusted(leading * blank, 0, -trailing * blank, 0);
}

// Checks that the placed word stands with its left edge and its top where
// given; only baselines compare from top to bottom.
void verifyPlaced(const QList<PdfWord> &words, double share, const QString &text, QPointF topLeft)
{
    const auto word = std::find_if(words.begin(), words.end(),
                                   [&](const PdfWord &w) { return w.text == text; });
    QVERIFY2(word != words.end(), qPrintable(text + QStringLiteral(" not printed")));
    const QPointF printed(word->box.left(), word->box.top() + word->box.height() * share);
    const QPointF expected = topLeft + QPointF(0, chequeFont().ascent() / 100);
    QVERIFY2(qAbs(printed.x() - expected.x()) <= tolerance
                 && qAbs(printed.y() - expected.y()) <= tolerance,
             qPrintable(QStringLiteral("%1: left and baseline %2, %3 pt (expected %4, %5)")
                            .arg(text).arg(printed.x()).arg(printed.y())
                            .arg(expected.x()).arg(expected.y())));
}

// The placed words near a box, joined, and the box round them.
PdfWord paperLine(const QList<PdfWord> &placed, const QRectF &near)
{
    PdfWord line{{}, {}, 1};
    for (const PdfWord &word : placed) {
        if (near.contains(word.box.center())) {
            line.text += (line.text.isEmpty() ? QString() : QStringLiteral(" ")) + word.text;
            line.box = line.box.isNull() ? word.box : line.box.united(word.box);
        }
    }
    return line;
}

const QString longWords = QStringLiteral("Rupees One Lakh Twenty Three Thousand Four Hundred and "
                                         "Fifty Six and Paise Seventy Eight Only");

// The words printed from a line's top down to just above the next line.
QList<PdfWord> lineAt(const QList<PdfWord> &placed, double top)
{
    QList<PdfWord> line;
    for (const PdfWord &word : placed) {
        if (word.box.top() > top - 6 && word.box.top() < top + 18)
            line.append(word);
    }
    return line;
}

const QDate listingDay(2024, 5, 2);

// Whether the word's box on the paper lies inside the field (in mm from the
// leaf's corner, which is the printable corner), give or take a hair.
bool inside(const PdfWord &word, const QRectF &fieldMm)
{
    const QRectF field(fieldMm.topLeft() * pointsPerMm, fieldMm.size() * pointsPerMm);
    return field.adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(word.box);
}

QString described(const PdfWord &word)
{
    const QRectF &b = word.box;
    return QStringLiteral("%1 at %2, %3 to %4, %5 mm").arg(word.text)
        .arg(b.left() / pointsPerMm).arg(b.top() / pointsPerMm)
        .arg(b.right() / pointsPerMm).arg(b.bottom() / pointsPerMm);
}

// The lines of each printed page, with runs of blanks made one.
QList<QStringList> printedPages(const QString &pdf)
{
    QList<QStringList> pages;
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"});
    for (const QString &page : text.split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
        QStringList lines;
        for (const QString &line : page.split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines.append(line.simplified());
        if (!lines.isEmpty())
            pages.append(lines);
    }
    return pages;
}

} // namespace

class TestCupsPrinting : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_database;

private slots:
    void initTestCase()
    {
        const QString problem = testPrinterProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void init()
    {
        m_database = std::make_unique<TemporaryDatabase>();
        clearPdfFolder();
    }
    void cleanup() { m_database.reset(); }

    void itemsLandWhereLayoutAndPreviewPutThem_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("pointsPerUnit");
        // top, left of: date, name, words 1, words 2, amount; then the width of words 1
        QTest::addColumn<QList<double>>("positions");
        QTest::addColumn<QPointF>("offset");  // kept for the printer, in millimetres

        QTest::newRow("Inches") << "Inches" << 72.0
                                << QList<double>{0.3, 6.5, 1.0, 1.2, 1.5, 1.0, 1.9, 0.4, 2.5, 6.0, 10}
                                << QPointF();
        QTest::newRow("mms, offset") << "mms" << 72 / 25.4
                                     << QList<double>{8, 165, 25.5, 30, 38, 25, 48, 10, 63, 152.5, 12}
                                     << QPointF(2.5, -1.5);
        QTest::newRow("Pixels") << "Pixels" << 72 / 1200.0
                                << QList<double>{360, 7800, 1200, 1440, 1800, 1200, 2280, 480, 3000, 7200, 13}
                                << QPointF();
    }

    // One cheque previewed and printed: on paper each item stands where the
    // layout and the printer's offset put it, and where the preview shows it.
    void itemsLandWhereLayoutAndPreviewPutThem()
    {
        QFETCH(QString, unit);
        QFETCH(double, pointsPerUnit);
        QFETCH(QList<double>, positions);
        QFETCH(QPointF, offset);

        using namespace store;
        LayoutRow row{unit, bank, {}};
        const int columns[] = {DateTop, DateLeft, nameTop, nameleft, AmtinWords1Top,
                               AmtinWords1Left, AmtinWords2Top, AmtinWords2Left, AmtTop, AmtLeft,
                               AmtinWords1Width};
        for (int i = 0; i < 11; ++i)
            row.positions[columns[i]] = positions[i];
        QVERIFY(!replaceLayout(m_database->db(), row).isValid());
        const ChequeItems items{row.bankName, QStringLiteral("Asha Menon"), QStringLiteral("250.00"),
                                QStringLiteral("Rupees One Lakh Twenty Thousand and Fifty Only"),
                                QDate(2001, 7, 9), true};
        const QString printer = qEnvironmentVariable("QUILLMARK_PRINTER");
        QVERIFY(!replacePrinterOffset(m_database->db(), printer, offset).isValid());
        PreviewPrinter preview(printer);
        applyKeptOffset(preview, printer);
        QCOMPARE(printChequePage(items, preview), QString());
        QCOMPARE(printChequePage(items, *openPrinter()), QString());
        const QString pdf = printedPdf();
        QSizeF paper;
        const QList<PdfWord> words = placedWords(pdfWords(pdf, &paper));
        QCOMPARE(paper, QSizeF(297, 684));  // a #10 envelope, upright
        QCOMPARE(preview.page().size, paper.transposed());
        QCOMPARE(preview.page().texts.size(), 6);  // both words lines among them
        const double share = shareAboveBaseline(pdf);
        QVERIFY(share > 0 && share < 1);

        // 1. Each item's first word where its top-left corner belongs. Line 2
        //    starts with a blank, which leaves no mark.
        const QPointF moved = offset * 72 / 25.4;
        const auto at = [&](int index) { return positions[index] * pointsPerUnit; };
        const QString line2 = amountInWordsLines(items.amountInWords, positions[10]).value(1);
        const double blank = chequeFont().horizontalAdvance(QLatin1Char(' ')) / 100;
        const QList<std::tuple<QString, double, double>> expected{
            {QStringLiteral("A/c"), pointsPerUnit, at(0)},  {QStringLiteral("09/Jul/2001"), at(1), at(0)},
            {QStringLiteral("Asha"), at(3), at(2)},         {QStringLiteral("Rupees"), at(5), at(4)},
            {line2.simplified().section(u' ', 0, 0), at(7) + blank, at(6)},
            {QStringLiteral("**250.00**"), at(9), at(8)},
        };
        for (const auto &[text, left, top] : expected)
            verifyPlaced(words, share, text, QPointF(left, top) + moved);

        // 2. Every text of the preview on the paper: its inked edges and its baseline.
        for (const PreviewPrinter::Text &text : preview.page().texts) {
            const QRectF inked = inkedBox(text).translated(-origin);
            const double baseline = text.baseline - origin.y();
            const PdfWord line = paperLine(words, inked.adjusted(-2, -2, 2, 2));
            const double paperBaseline = line.box.top() + line.box.height() * share;
            const QString both = QStringLiteral("%1: preview %2 to %3 on %4, paper %5 to %6 on %7")
                                     .arg(text.text).arg(inked.left()).arg(inked.right())
                                     .arg(baseline).arg(line.box.left()).arg(line.box.right())
                                     .arg(paperBaseline);
            QCOMPARE(line.text, text.text.simplified());
            for (const auto &[previewEdge, paperEdge] :
                 {std::pair{inked.left(), line.box.left()}, {inked.right(), line.box.right()},
                  {baseline, paperBaseline}})
                QVERIFY2(qAbs(previewEdge - paperEdge) <= tolerance, qPrintable(both));
        }
    }

    void wordsFitTheirLines_data()
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
    void wordsFitTheirLines()
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

        // Places in inches: date, name, words 1, words 2, amount (top, left).
        using namespace store;
        const QList<std::pair<LayoutPosition, double>> inches{
            {DateTop, 0.3}, {DateLeft, 6.5},       {nameTop, 1.0},        {nameleft, 1.2},
            {AmtinWords1Top, 1.5}, {AmtinWords1Left, 0.5}, {AmtinWords2Top, 2.0},
            {AmtinWords2Left, 0.3}, {AmtTop, 2.6}, {AmtLeft, 6.0}};
        LayoutRow row{unit, bank, {}};
        for (const auto &[column, value] : inches)
            row.positions[column] = value * 72 / pointsPerUnit;
        row.positions[AmtinWords1Width] = widths[0];
        row.positions[AmtinWords2Width] = widths[1];
        QVERIFY(!replaceLayout(m_database->db(), row).isValid());
        QVERIFY(!replaceWordsChoice(m_database->db(), row.bankName, {byWidth, fill}).isValid());

        const QString problem = printChequePage({row.bankName, QStringLiteral("Asha Menon"),
                                                 QStringLiteral("123456.78"), longWords + added,
                                                 QDate(2001, 7, 9), true},
                                                *openPrinter());
        QVERIFY2(problem.contains(refusal), qPrintable(problem));
        if (points == 0)
            return;
        QCOMPARE(problem, QString());
        const QString pdf = printedPdf();
        const QList<PdfWord> placed = placedWords(pdfWords(pdf));

        const double dateHeight = lineAt(placed, 0.3 * 72).value(0).box.height();
        const QList<QList<PdfWord>> lines{lineAt(placed, 1.5 * 72), lineAt(placed, 2.0 * 72)};
        const QList<double> lefts{0.5 * 72, 0.3 * 72};
        QStringList printedWords;
        for (int i = 0; i < 2; ++i) {
            QList<PdfWord> line = lines[i];
            const double width = widths[i] > 0 ? widths[i] * pointsPerUnit : printableWidth - lefts[i];
            // The rule, when chosen, ends the last words line: never another.
            const bool ruled = !line.isEmpty() && line.last().text.startsWith(u'-');
            QCOMPARE(ruled, fill && i == (lines[1].isEmpty() ? 0 : 1));
            if (ruled) {
                QVERIFY2(qAbs(line.last().box.right() - (lefts[i] + width)) <= tolerance,
                         qPrintable(QStringLiteral("rule ends at %1").arg(line.last().box.right())));
                line.removeLast();
            }
            for (const PdfWord &word : line) {
                printedWords << word.text;
                QVERIFY2(qAbs(word.box.height() / dateHeight * 12 - points) < 0.1,
                         qPrintable(QStringLiteral("%1 printed at %2 points")
                                        .arg(word.text).arg(word.box.height() / dateHeight * 12)));
                QVERIFY(!byWidth || word.box.right() <= lefts[i] + width + tolerance);
            }
        }
        QCOMPARE(printedWords, longWords.split(u' '));
        const QString classic = amountInWordsLines(longWords, widths[0])[0];
        QCOMPARE(lines[0].size(),
                 firstLineWords >= 0 ? firstLineWords : classic.split(u' ', Qt::SkipEmptyParts).size());
    }

    void fittedWordsOnScreenAsOnPaper_data()
    {
        QTest::addColumn<double>("points");
        for (const double points : {12.0, 11.5, 11.0, 10.5, 10.0, 9.5, 9.0})
            QTest::addRow("%g points", points) << points;
    }

    // Words fitted at each size step: the preview at 100% draws the first line
    // where the paper has it, to the last glyph's edge, though the screen's
    // fonts come in whole pixels.
    void fittedWordsOnScreenAsOnPaper()
    {
        QFETCH(double, points);
        using namespace store;
        const QString printer = qEnvironmentVariable("QUILLMARK_PRINTER");

        // 1. Line 1 just wide enough for the words at this size, line 2 too
        //    narrow for any word: they fit at this size and no larger.
        PreviewPrinter measuring(printer);
        measuring.Orientation(2);
        measuring.PaperSize(20);
        measuring.ScaleMode(6);
        measuring.FontName(QStringLiteral("1"));
        measuring.FontSize(float(points));
        LayoutRow row{QStringLiteral("mms"), bank, {}};
        const QList<std::pair<LayoutPosition, double>> places{
            {DateTop, 8}, {DateLeft, 165}, {nameTop, 25}, {nameleft, 30}, {AmtinWords1Top, 38},
            {AmtinWords1Left, 5}, {AmtinWords1Width, measuring.TextWidth(longWords) + 0.05},
            {AmtinWords2Top, 48}, {AmtinWords2Left, 10}, {AmtinWords2Width, 1}, {AmtTop, 60},
            {AmtLeft, 150}};
        for (const auto &[column, value] : places)
            row.positions[column] = value;
        QVERIFY(!replaceLayout(m_database->db(), row).isValid());
        QVERIFY(!replaceWordsChoice(m_database->db(), row.bankName, {true, false}).isValid());
        const ChequeItems items{row.bankName, QStringLiteral("Asha Menon"), QStringLiteral("123456.78"),
                                longWords, QDate(2001, 7, 9), false};
        PreviewPrinter preview(printer);
        QCOMPARE(printChequePage(items, preview), QString());
        QCOMPARE(printChequePage(items, *openPrinter()), QString());

        // 2. The line on paper, to the edges of its first and last glyphs.
        const QString pdf = printedPdf();
        const QList<PdfWord> line = lineAt(placedWords(pdfWords(pdf)), 38 * 72 / 25.4);
        QCOMPARE(line.size(), longWords.count(u' ') + 1);
        const double perPixel = points / 1200;  // chequeFont() is 1200 pixels high
        const double paperLeft = line.first().box.left() + chequeFont().leftBearing(u'R') * perPixel;
        const double paperRight = line.last().box.right() - chequeFont().rightBearing(u'y') * perPixel;

        // 3. The same line drawn on the screen at 100%, its inked columns.
        PageView view;
        view.setPage(preview.page());
        const double pixelsPerPoint = view.screen()->physicalDotsPerInch() / 72;
        view.setPixelsPerPoint(pixelsPerPoint);
        const QImage image = view.grab().toImage();
        const auto text = std::find_if(preview.page().texts.begin(), preview.page().texts.end(),
                                       [&](const auto &t) { return t.text == longWords; });
        QVERIFY(text != preview.page().texts.end());
        QCOMPARE(text->font.pointSizeF(), points);
        int firstInk = image.width(), lastInk = -1;
        const QPointF corner = view.pageCorner();
        const auto pixel = [&](double points) { return int(points * pixelsPerPoint); };
        for (int y = pixel(text->box.top()); y <= pixel(text->box.bottom()); ++y)
            for (int x = pixel(text->box.left() - 5); x <= pixel(text->box.right() + 5); ++x)
                if (qGray(image.pixel(QPoint(x, y) + corner.toPoint())) < 100) {
                    firstInk = std::min(firstInk, x);
                    lastInk = std::max(lastInk, x);
                }
        const auto onPaper = [&](double x) { return x / pixelsPerPoint - origin.x(); };
        const double screenLeft = onPaper(firstInk), screenRight = onPaper(lastInk + 1);
        const double slack = tolerance + 1 / pixelsPerPoint;  // a pixel either way
        QVERIFY2(qAbs(screenLeft - paperLeft) <= slack && qAbs(screenRight - paperRight) <= slack,
                 qPrintable(QStringLiteral("screen %1 to %2, paper %3 to %4 pt")
                                .arg(screenLeft).arg(screenRight).arg(paperLeft).arg(paperRight)));
    }

    // A batch of three is one job of a page a cheque: on each page the items
    // where the layout puts them, and the words of that page's own figures.
    void batchIsOneJobOfAPageACheque()
    {
        fillBatchFixture(*m_database);
        const QList<BatchCheque> cheques = checkedBatch(readBatchCsv(
            "bank,payee,amount,date\nCity Bank,asha,250,2026-12-05\nCity Bank,asha,1200.50,2026-12-06\n"
            "City Bank,asha,73,2026-12-07\n"), qEnvironmentVariable("QUILLMARK_PRINTER"));
        QCOMPARE(printBatch(cheques, {}, [](int) { return true; }).problem, QString());
        const QString pdf = printedPdf();
        QVERIFY2(!pdf.isEmpty(), "not exactly one job written");
        const QList<PdfWord> printed = pdfWords(pdf);
        QCOMPARE(printed.last().page, 3);
        const QList<PdfWord> words = placedWords(printed);
        const double share = shareAboveBaseline(pdf);
        const double cm = 72 / 2.54;
        for (int page = 1; page <= 3; ++page) {
            QList<PdfWord> onPage;
            QStringList texts;
            for (const PdfWord &word : words) {
                if (word.page == page) {
                    onPage << word;
                    texts << word.text;
                }
            }
            const ChequeItems &items = cheques[page - 1].items;
            verifyPlaced(onPage, share, chequeDateText(items.date), QPointF(16.5, 0.8) * cm);
            verifyPlaced(onPage, share, QStringLiteral("Asha"), QPointF(3, 2.5) * cm);
            verifyPlaced(onPage, share, "**" + items.amount + "**", QPointF(15.2, 6.3) * cm);
            // Beyond the crossing, the date and the name, only the words of the figures.
            const QStringList spelled =
                udf_wordCurrency(items.amount, "INR").words.split(u' ', Qt::SkipEmptyParts);
            for (const QString &word : spelled)
                QVERIFY2(texts.contains(word), qPrintable(texts.join(u' ')));
            QCOMPARE(texts.size(), spelled.size() + 7);
        }
    }

    // A job the spooler refuses is said so, for one cheque or a batch, and a
    // refused batch leaves nothing to confirm.
    void refusedJobIsNotReportedPrinted()
    {
        fillBatchFixture(*m_database);
        const QString printer = qEnvironmentVariable("QUILLMARK_PRINTER");
        const QList<BatchCheque> batch =
            checkedBatch(readBatchCsv("bank,payee,amount,date\nCity Bank,asha,10,2026-12-05\n"), printer);
        run(QStringLiteral("cupsreject"), {printer});
        const QString problem = printChequePage({bank, QStringLiteral("Asha Menon"),
                                                 QStringLiteral("10.00"),
                                                 QStringLiteral("Rupees Ten Only"), QDate(2001, 7, 9),
                                                 false},
                                                *openPrinter());
        const BatchJob job = printBatch(batch, {}, [](int) { return true; });
        run(QStringLiteral("cupsaccept"), {printer});
        const QString refused = QStringLiteral("\n\nThe printer %1 did not accept the cheque: ").arg(printer);
        QVERIFY2(problem.startsWith("The cheque was not printed." + refused), qPrintable(problem));
        QVERIFY2(job.problem.startsWith("The batch has not been printed." + refused), qPrintable(job.problem));
        QVERIFY(job.printed.pages.isEmpty());
        QCOMPARE(rowsOf(m_database->db(), "select count(*) from PrintJournal"), QList<QStringList>{{"0"}});
    }

    // A killed or never-ended page sends nothing; only the ended one is written.
    void abandonedPageNeverReachesThePrinter()
    {
        {
            SystemPrinter killed;
            killed.CurrentX(1);
            QCOMPARE(killed.Print(QStringLiteral("Killed")), QString());
            killed.KillDoc();
            QCOMPARE(killed.EndDoc(), QString());
        }
        {
            SystemPrinter dropped;
            QCOMPARE(dropped.Print(QStringLiteral("Dropped")), QString());
        }
        SystemPrinter ended;
        QCOMPARE(ended.Print(QStringLiteral("Ended")), QString());
        QCOMPARE(ended.EndDoc(), QString());

        // Jobs are written in turn: by the time the last one is, any other is.
        const QString pdf = printedPdf();
        const QList<PdfWord> words = pdfWords(pdf);
        QCOMPARE(words.size(), 1);
        QCOMPARE(words.first().text, QStringLiteral("Ended"));
    }

    void listingReadsBack_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<QList<QSizeF>>("printedOn");  // any of these
        QTest::newRow("on the paper asked for") << int(QPageSize::Letter) << QList<QSizeF>{{612, 792}};
        QTest::newRow("the printer's envelope takes a sheet")
            << int(QPageSize::Envelope10) << QList<QSizeF>{{595, 842}, {612, 792}};
    }

    // The register's listing over two pages, the longest amount and number whole.
    void listingReadsBack()
    {
        QFETCH(int, paper);
        QFETCH(QList<QSizeF>, printedOn);
        const int moreCheques = 60, pageCount = 2;
        // 1. HDFC's cheques of the day, the second void; one of another bank
        //    and one of the next day are not listed.
        const QSqlDatabase db = m_database->db();
        QVERIFY(!store::addBank(db, {"1", "HDFC", "INR"}).isValid());
        const QString largest = QStringLiteral("999,999,999,999,999.99");
        QList<store::RegisterRow> cheques{
            {listingDay, "Rao, K.", "HDFC", "1,000.50", "000101"},
            {listingDay, "Best Ltd\nPune", "HDFC", largest, "000000123456789012"},
            {listingDay, "Shah & Sons", "HDFC", "5.00", "000103"},
            {listingDay, "Other Bank Payee", "SBI", "7.00", "9"},
            {listingDay.addDays(1), "Next Day Payee", "HDFC", "8.00", "10"}};
        for (int more = 0; more < moreCheques; ++more)
            cheques.append({listingDay, QStringLiteral("Payee %1").arg(more), "HDFC", "1.00",
                            QString::number(2000 + more)});
        for (const store::RegisterRow &cheque : cheques)
            QVERIFY(!store::addRegisterEntry(db, cheque).isValid());
        // The register's rows are numbered from 1 as they were added.
        QVERIFY(!store::addVoidMark(db, {2, store::VoidAction::Void, "spoiled in printing",
                                         QDateTime::currentDateTime(), "clerk"})
                     .isValid());

        // 2. Printed on a sheet.
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::PageSizeId(paper)));
        QCOMPARE(printRegisterListing(printer, "HDFC", listingDay, listingDay), QString());
        const QString pdf = printedPdf();
        QSizeF page;
        pdfWords(pdf, &page);
        QVERIFY2(printedOn.contains(page), qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));

        // 3. Each page's head and number; the rows, the void one with its
        //    reason; the totals of the cheques that stand and of the void one.
        const QList<QStringList> pages = printedPages(pdf);
        QCOMPARE(pages.size(), pageCount);
        QStringList all;
        for (int number = 1; number <= pageCount; ++number) {
            const QStringList &lines = pages[number - 1];
            QCOMPARE(lines.mid(0, 2), (QStringList{"Cheque Issue Register",
                                                   "HDFC, 02/05/2024 to 02/05/2024"}));
            QCOMPARE(lines.last(), QStringLiteral("Page %1 of %2").arg(number).arg(pageCount));
            all += lines;
        }
        const QStringList expected{
            "02/05/2024 Rao, K. HDFC 1,000.50 000101",
            "02/05/2024 Best Ltd Pune HDFC " + largest + " 000000123456789012 spoiled in printing",
            "02/05/2024 Shah & Sons HDFC 5.00 000103",
            QStringLiteral("Cheques: %1, total INR %2")
                .arg(2 + moreCheques)
                .arg(QLocale(QLocale::English).toString(1005.50 + moreCheques, 'f', 2)),
            "Void cheques: 1, total INR " + largest,
        };
        for (const QString &line : expected)
            QVERIFY2(all.contains(line), qPrintable(line + " not in:\n" + all.join('\n')));
        // The other bank's and the next day's cheques are not among the rows.
        QCOMPARE(all.filter(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} ")).size(), 3 + moreCheques);
    }

    // Every standard leaf, in every unit, takes a long cheque as it stands:
    // each item on the leaf, clear of the MICR band and of the others.
    void standardLeavesTakeALongCheque_data()
    {
        QTest::addColumn<int>("leaf");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("mmPerUnit");
        for (int leaf = 0; leaf < standardLeaves().size(); ++leaf) {
            for (const auto &[unit, mm] : {std::pair{"Inches", 25.4}, {"Cms", 10.0}, {"mms", 1.0}})
                QTest::addRow("%s, %s", qPrintable(standardLeaves()[leaf].name), unit)
                    << leaf << QString::fromLatin1(unit) << mm;
        }
    }
    void standardLeavesTakeALongCheque()
    {
        QFETCH(int, leaf);
        QFETCH(QString, unit);
        QFETCH(double, mmPerUnit);
        const StandardLeaf &standard = standardLeaves()[leaf];
        const auto positions = positionsIn(standard, mmPerUnit);
        LayoutRecord layout{bank, unit, {}, styleIn(standard, mmPerUnit), std::nullopt};
        for (int i = 0; i < store::LayoutPositionCount; ++i)
            layout.positions[i] = float(positions[i]);
        layout.leafMm = QRectF(QPointF(), standard.sizeMm);
        PreviewPrinter preview(qEnvironmentVariable("QUILLMARK_PRINTER"));
        QList<ComposedText> texts;
        const QString words = QStringLiteral("Rupees Ninety Eight Lakh Seventy Six Thousand Five "
                                             "Hundred and Forty Three and Paise Twenty One Only");
        QCOMPARE(composeCheque(layout, {true, true},
                               {bank, QStringLiteral("Shri Venkataraghavan Subramanian Iyer"),
                                QStringLiteral("9876543.21"), words, QDate(2026, 12, 27), true},
                               preview, &texts),
                 QString());
    }

    void ctsLeafItemsLandInTheirFields_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("mmPerUnit");
        QTest::addColumn<double>("gapMm");  // after the day's and the month's date boxes
        QTest::newRow("mms") << "mms" << 1.0 << 0.0;
        QTest::newRow("Inches, date boxes apart") << "Inches" << 25.4 << 2.54;
        QTest::newRow("Cms, date boxes apart") << "Cms" << 10.0 << 2.0;
    }

    // The sample leaf's fields as tests/data/leaf/README.md gives them, in
    // each unit; each date box holds its digit.
    void ctsLeafItemsLandInTheirFields()
    {
        QFETCH(QString, unit);
        QFETCH(double, mmPerUnit);
        QFETCH(double, gapMm);
        const StandardLeaf &cts = standardLeaves().first();
        store::LayoutRow row{unit, bank, {}};
        const auto positions = positionsIn(cts, mmPerUnit);
        std::copy(positions.begin(), positions.end(), row.positions.begin());
        store::ChequeStyle style = styleIn(cts, mmPerUnit);
        style.gapAfterFirst = style.gapAfterSecond = gapMm / mmPerUnit;
        const QSqlDatabase db = m_database->db();
        QVERIFY(!store::replaceLayout(db, row).isValid());
        QVERIFY(!store::replaceChequeStyle(db, bank, style).isValid());
        QVERIFY(!store::replaceWordsChoice(db, bank, {true, true}).isValid());
        const ChequeItems items{bank, QStringLiteral("Asha Menon"), QStringLiteral("123456.78"),
                                longWords, QDate(2026, 12, 7), true};
        QCOMPARE(printChequePage(items, *openPrinter()), QString());
        const QList<PdfWord> words = placedWords(pdfWords(printedPdf()));
        const auto dateBox = [&](qsizetype box) {
            return QRectF(153 + 5 * box + gapMm * ((box >= 2) + (box >= 4)), 5, 5, 6);
        };

        // Each word printed, by where it belongs: a word belongs to the first
        // field whose text it is part of.
        const QRectF payLine(18, 26.5 - 7, 178 - 18, 8);
        const QRectF wordsLine1(24, 36.5 - 7, 145 - 24, 8);
        const QRectF wordsLine2(10, 45.5 - 7, 145 - 10, 8);
        const QRectF amountBox(150, 33, 46, 10);
        // The crossing's sloping words come back in pieces, in reading order.
        const QRectF topLeftCorner(0, 0, 30, 21.5);
        QString crossing, digits;
        int name = 0, inWords = 0, amount = 0;
        for (const PdfWord &word : words) {
            if (word.text.size() == 1 && word.text[0].isDigit()) {
                QVERIFY2(inside(word, dateBox(digits.size())), qPrintable(described(word)));
                digits += word.text;
            } else if (topLeftCorner.contains(word.box.center() / pointsPerMm)) {
                QVERIFY2(inside(word, topLeftCorner), qPrintable(described(word)));
                crossing += word.text;
            } else if (word.text == "Asha" || word.text == "Menon") {
                QVERIFY2(inside(word, payLine), qPrintable(described(word)));
                ++name;
            } else if (word.text.startsWith("**")) {
                QVERIFY2(inside(word, amountBox), qPrintable(described(word)));
                ++amount;
            } else {
                QVERIFY2(inside(word, wordsLine1) || inside(word, wordsLine2),
                         qPrintable(described(word)));
                ++inWords;
            }
        }
        QCOMPARE(digits, QStringLiteral("07122026"));
        QCOMPARE(crossing, QStringLiteral("A/cPayeeonly"));

        // The preview shows the same boxes, and the crossing's words sloping
        // as on paper.
        PreviewPrinter preview(qEnvironmentVariable("QUILLMARK_PRINTER"));
        QCOMPARE(printChequePage(items, preview), QString());
        const QList<QRectF> &guides = preview.page().guides;
        QCOMPARE(guides.size(), 8);
        for (int box = 0; box < 8; ++box) {
            const QRectF expected(dateBox(box).topLeft() * pointsPerMm + origin,
                                  dateBox(box).size() * pointsPerMm);
            QVERIFY2((guides[box].topLeft() - expected.topLeft()).manhattanLength() < tolerance
                         && (guides[box].bottomRight() - expected.bottomRight()).manhattanLength()
                             < tolerance,
                     qPrintable(QStringLiteral("box %1").arg(box + 1)));
        }
        QCOMPARE(preview.page().lines.size(), 2);
        const auto sloping = std::find_if(preview.page().texts.begin(), preview.page().texts.end(),
                                          [](const PreviewPrinter::Text &t) { return t.angle != 0; });
        QVERIFY(sloping != preview.page().texts.end());
        QCOMPARE(sloping->text, QStringLiteral("A/c Payee only"));
        QCOMPARE(sloping->angle, 45.0);
        QCOMPARE(name, 2);
        QCOMPARE(amount, 1);
        QVERIFY(inWords >= longWords.count(u' ') + 1);  // every word, and the rule after them
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "test_cupsprinting.moc"
