// Prints a cheque through the CUPS spooler's PDF printer that scripts/test
// starts and previews the same cheque: every text stands on the preview
// where it stands on the paper, in every unit a layout may use, and both
// move by the offset kept for the printer.

#include "calibration.h"
#include "chequepage.h"
#include "printedpdf.h"
#include "previewprinter.h"
#include "printeroffset.h"
#include "statements.h"
#include "systemprinter.h"
#include "temporarydatabase.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QTest>

namespace {

const double tolerance = 0.25 * 72 / 25.4;  // 0.25 mm in points

// Edges compare from left to right; from top to bottom the baselines do.
// A blank's width in the cheque's face at 12 points, measured large for precision.
double blankWidth()
{
    QFont font(SystemPrinter::substituteFace());
    font.setPixelSize(1200);
    return QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) / 100;
}

// The preview's box of a text without its leading and trailing blanks,
// which leave no mark on paper.
QRectF inkedBox(const PreviewPrinter::Text &text)
{
    const qsizetype leading = text.text.size() - QString(text.text).remove(QRegularExpression("^ +")).size();
    const qsizetype trailing = text.text.size() - QString(text.text).remove(QRegularExpression(" +$")).size();
    return text.box.adjusted(leading * blankWidth(), 0, -trailing * blankWidth(), 0);
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

// The words of one line of the paper, joined, and the box round them, in
// points on the landscape page. The paper is the envelope upright: the page
// is it turned a quarter counter-clockwise.
struct PaperLine {
    QString text;
    QRectF box;
};

PaperLine paperLine(const QList<PdfWord> &words, double paperHeight, const QRectF &near)
{
    PaperLine line;
    for (const PdfWord &word : words) {
        const QRectF onPage(QPointF(word.box.left(), paperHeight - word.box.bottom()),
                            QSizeF(word.box.height(), word.box.width()));
        const QRectF turned(onPage.top(), onPage.left(), onPage.width(), onPage.height());
        if (!near.contains(turned.center()))
            continue;
        line.text += (line.text.isEmpty() ? QString() : QStringLiteral(" ")) + word.text;
        line.box = line.box.isNull() ? turned : line.box.united(turned);
    }
    return line;
}

} // namespace

class TestPreviewEqualsPaper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString problem = testPrinterProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void textsStandWhereThePaperHasThem_data();
    void textsStandWhereThePaperHasThem();
};

void TestPreviewEqualsPaper::textsStandWhereThePaperHasThem_data()
{
    QTest::addColumn<QString>("unit");
    // top, left of: date, name, words 1, words 2, amount; then the width of words 1
    QTest::addColumn<QList<double>>("positions");
    QTest::addColumn<QPointF>("offset");  // kept for the printer, in millimetres

    QTest::newRow("Inches") << "Inches"
                            << QList<double>{0.3, 6.5, 1.0, 1.2, 1.5, 1.0, 1.9, 0.4, 2.5, 6.0, 10}
                            << QPointF();
    QTest::newRow("Cms") << "Cms" << QList<double>{0.8, 16.5, 2.5, 3, 3.8, 2.5, 4.8, 1.0, 6.3, 15.2, 12}
                         << QPointF();
    QTest::newRow("mms, offset") << "mms"
                                 << QList<double>{8, 165, 25.5, 30, 38, 25, 48, 10, 63, 152.5, 12}
                                 << QPointF(2.5, -1.5);
    QTest::newRow("Pixels") << "Pixels"
                            << QList<double>{360, 7800, 1200, 1440, 1800, 1200, 2280, 480, 3000, 7200, 13}
                            << QPointF();
}

void TestPreviewEqualsPaper::textsStandWhereThePaperHasThem()
{
    QFETCH(QString, unit);
    QFETCH(QList<double>, positions);
    QFETCH(QPointF, offset);

    TemporaryDatabase database;
    clearPdfFolder();
    using namespace store;
    LayoutRow row{unit, QStringLiteral("City Bank"), {}};
    const int columns[] = {DateTop, DateLeft, nameTop, nameleft, AmtinWords1Top,
                           AmtinWords1Left, AmtinWords2Top, AmtinWords2Left, AmtTop, AmtLeft,
                           AmtinWords1Width};
    for (int i = 0; i < 11; ++i)
        row.positions[columns[i]] = positions[i];
    QVERIFY(!replaceLayout(database.db(), row).isValid());
    const ChequeItems items{row.bankName, QStringLiteral("Asha Menon"), QStringLiteral("250.00"),
                            QStringLiteral("Rupees One Lakh Twenty Thousand and Fifty Only"),
                            QDate(2001, 7, 9), true};

    const QString printer = qEnvironmentVariable("QUILLMARK_PRINTER");
    PreviewPrinter unmoved(printer);
    QCOMPARE(printChequePage(items, unmoved), QString());
    QVERIFY(!replacePrinterOffset(database.db(), printer, offset).isValid());
    PreviewPrinter preview(printer);
    applyKeptOffset(preview, printer);
    QCOMPARE(printChequePage(items, preview), QString());
    for (qsizetype i = 0; i < unmoved.page().texts.size(); ++i)
        QCOMPARE(preview.page().texts[i].box.topLeft() - unmoved.page().texts[i].box.topLeft(),
                 offset * 72 / 25.4);
    QCOMPARE(printChequePage(items, *openPrinter()), QString());
    const QString pdf = printedPdf();
    QVERIFY2(!pdf.isEmpty(), "the printer wrote no PDF");
    QSizeF paper;
    const QList<PdfWord> words = pdfWords(pdf, &paper);
    QCOMPARE(preview.page().size, paper.transposed());
    QCOMPARE(preview.page().texts.size(), 6);  // both words lines among them
    const double share = shareAboveBaseline(pdf);
    QVERIFY(share > 0 && share < 1);

    for (const PreviewPrinter::Text &text : preview.page().texts) {
        const QRectF inked = inkedBox(text);
        const PaperLine line = paperLine(words, paper.height(), inked.adjusted(-2, -2, 2, 2));
        const double paperBaseline = line.box.top() + line.box.height() * share;
        const QString both = QStringLiteral("%1: preview %2 to %3 on %4, paper %5 to %6 on %7")
                                 .arg(text.text).arg(inked.left()).arg(inked.right())
                                 .arg(text.baseline).arg(line.box.left()).arg(line.box.right())
                                 .arg(paperBaseline);
        QCOMPARE(line.text, text.text.simplified());
        for (const auto &[previewEdge, paperEdge] :
             {std::pair{inked.left(), line.box.left()}, {inked.right(), line.box.right()},
              {text.baseline, paperBaseline}})
            QVERIFY2(qAbs(previewEdge - paperEdge) <= tolerance, qPrintable(both));
    }
}

QTEST_MAIN(TestPreviewEqualsPaper)
#include "test_previewequalspaper.moc"
