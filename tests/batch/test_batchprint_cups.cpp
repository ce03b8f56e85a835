// A batch printed through the CUPS spooler's PDF printer that scripts/test
// starts: one job, a page a cheque, each item where its layout puts it and
// the words of each page's own figures; a refused job notes nothing.

#include "batchfixture.h"
#include "batchprint.h"
#include "batchstatements.h"
#include "chequepage.h"
#include "currencywording.h"
#include "previewprinter.h"
#include "printedpdf.h"
#include "systemprinter.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QRegularExpression>

namespace {

const double tolerance = 0.25 * 72 / 25.4;  // 0.25 mm in points
const double pointsPerCm = 72 / 2.54;

QList<BatchCheque> checkedBatch(const QByteArray &file)
{
    QList<BatchCheque> cheques = batchChequesFrom(readBatchCsv(file).rows);
    PreviewPrinter measuring(qEnvironmentVariable("QUILLMARK_PRINTER"));
    const QString problem = checkBatch(&cheques, measuring);
    if (!problem.isEmpty())
        qWarning() << problem;
    return cheques;
}

// The words of each page, as pdftotext gives them page by page.
QList<QList<PdfWord>> wordsByPage(const QString &pdf)
{
    const int count = QRegularExpression(QStringLiteral("Pages: +(\\d+)"))
                          .match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
    QList<QList<PdfWord>> pages;
    QTemporaryDir folder;
    for (int page = 1; page <= count; ++page) {
        const QString one = folder.filePath(QStringLiteral("%1.pdf").arg(page));
        run(QStringLiteral("pdfseparate"), {"-f", QString::number(page), "-l",
                                            QString::number(page), pdf, one});
        pages.append(pdfWords(one));
    }
    return pages;
}

// The number after `key` in the PDF.
double numberIn(const QString &path, const QString &key)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QRegularExpression(QRegularExpression::escape(key) + QStringLiteral(" ?(-?[\\d.]+)"))
        .match(QString::fromLatin1(file.readAll())).captured(1).toDouble();
}

} // namespace

class TestBatchPrintCups : public QObject
{
    Q_OBJECT

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
        fillBatchFixture(*m_database);
        clearPdfFolder();
    }
    void cleanup() { m_database.reset(); }

    void oneJobPageByPage();
    void refusedJobNotesNothing();

private:
    std::unique_ptr<TemporaryDatabase> m_database;
};

void TestBatchPrintCups::oneJobPageByPage()
{
    const QList<BatchCheque> cheques = checkedBatch(
        "bank,payee,amount,date\nCity Bank,asha,250,2026-12-05\nCity Bank,asha,1200.50,2026-12-06\n"
        "City Bank,asha,73,2026-12-07\n");
    const BatchJob job = printBatch(cheques, {}, [](int) { return true; });
    QCOMPARE(job.problem, QString());
    QCOMPARE(job.printed.size(), 3);
    const QString pdf = printedPdf();
    QVERIFY2(!pdf.isEmpty(), "not exactly one job written");
    const QList<QList<PdfWord>> pages = wordsByPage(pdf);
    QCOMPARE(pages.size(), 3);

    // Geometry as in the single cheque's test: the landscape page is the
    // upright envelope turned, its printable corner the imageable area's
    // lower-left one; baselines compare.
    QFile ppd(qEnvironmentVariable("QUILLMARK_PRINTER_PPD"));
    QVERIFY(ppd.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch area =
        QRegularExpression(QStringLiteral("\\*ImageableArea Env10/[^:]*: \"([\\d.]+) ([\\d.]+) "))
            .match(QString::fromLatin1(ppd.readAll()));
    const double cornerX = area.captured(1).toDouble(), cornerY = area.captured(2).toDouble();
    const double ascent = numberIn(pdf, QStringLiteral("/Ascent"));
    const double share = ascent / (ascent - numberIn(pdf, QStringLiteral("/Descent")));
    QFont font(SystemPrinter::substituteFace());
    font.setPixelSize(1200);
    const double faceAscent = QFontMetricsF(font).ascent() / 100;

    for (int page = 0; page < 3; ++page) {
        const QList<PdfWord> &words = pages[page];
        const ChequeItems &items = cheques[page].items;
        // item's first word, left and top in cm, from the fixture's layout
        const QList<std::tuple<QString, double, double>> expected{
            {chequeDateText(items.date), 16.5, 0.8}, {QStringLiteral("Asha"), 3, 2.5},
            {QStringLiteral("**%1**").arg(items.amount), 15.2, 6.3}};
        for (const auto &[text, left, top] : expected) {
            const auto word = std::find_if(words.begin(), words.end(),
                                           [&](const PdfWord &w) { return w.text == text; });
            QVERIFY2(word != words.end(), qPrintable(text + QStringLiteral(" not printed")));
            const double printedLeft = (684 - cornerY) - word->box.bottom();
            const double baseline = word->box.left() + word->box.width() * share - cornerX;
            QVERIFY2(qAbs(printedLeft - left * pointsPerCm) <= tolerance, qPrintable(text));
            QVERIFY2(qAbs(baseline - (top * pointsPerCm + faceAscent)) <= tolerance,
                     qPrintable(text));
        }
        // The words on the page are those of the figures on the page, and
        // nothing else beyond the crossing, the date and the name.
        QStringList texts;
        for (const PdfWord &word : words)
            texts << word.text;
        const QString figures = texts.filter(QRegularExpression("^\\*\\*.*\\*\\*$")).value(0);
        const QStringList spelled = udf_wordCurrency(figures.mid(2, figures.size() - 4), "INR")
                                        .words.split(u' ', Qt::SkipEmptyParts);
        for (const QString &word : spelled)
            QVERIFY2(texts.contains(word), qPrintable(texts.join(u' ')));
        QCOMPARE(texts.size(), spelled.size() + 7);
    }
}

void TestBatchPrintCups::refusedJobNotesNothing()
{
    const QList<BatchCheque> cheques =
        checkedBatch("bank,payee,amount,date\nCity Bank,asha,10,2026-12-05\n");
    const QString printer = qEnvironmentVariable("QUILLMARK_PRINTER");
    run(QStringLiteral("cupsreject"), {printer});
    const BatchJob job = printBatch(cheques, {}, [](int) { return true; });
    run(QStringLiteral("cupsaccept"), {printer});
    QVERIFY2(job.problem.startsWith(QStringLiteral("The batch has not been printed.\n\nThe printer "
                                                   "%1 did not accept").arg(printer)),
             qPrintable(job.problem));
    QVERIFY(job.printed.isEmpty());
    QList<store::RegisterRow> journal;
    bool handedOver;
    QVERIFY(!store::readBatchJournal(m_database->db(), &journal, &handedOver).isValid());
    QVERIFY(journal.isEmpty());
}

QTEST_MAIN(TestBatchPrintCups)
#include "test_batchprint_cups.moc"
