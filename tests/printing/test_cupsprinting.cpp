// Prints cheques through the CUPS spooler that scripts/test starts, on its
// PDF printer, and measures where each text landed on the paper.

#include "chequepage.h"
#include "printedpdf.h"
#include "statements.h"
#include "systemprinter.h"
#include "temporarydatabase.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>

namespace {

const double tolerance = 0.25 * 72 / 25.4;  // 0.25 mm in points

// The number after `key` in the PDF.
double numberIn(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return QRegularExpression(QRegularExpression::escape(key) + QStringLiteral(" ?(-?[\\d.]+)"))
        .match(QString::fromLatin1(file.readAll()))
        .captured(1)
        .toDouble();
}

// The cheque's face at 12 points, measured at a large size for precision.
QFontMetricsF chequeFont()
{
    QFont font(SystemPrinter::substituteFace());
    font.setPixelSize(1200);
    return QFontMetricsF(font);
}

} // namespace

class TestCupsPrinting : public QObject
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
        clearPdfFolder();
    }
    void cleanup() { m_database.reset(); }

    void itemsLandAtTheirPositions_data();
    void itemsLandAtTheirPositions();
    void refusedJobIsNotReportedPrinted();
    void abandonedPageNeverReachesThePrinter();

private:
    std::unique_ptr<TemporaryDatabase> m_database;
};

void TestCupsPrinting::itemsLandAtTheirPositions_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("pointsPerUnit");
    // top, left of: date, name, words 1, words 2, amount
    QTest::addColumn<QList<double>>("positions");

    QTest::newRow("Inches") << "Inches" << 72.0
                            << QList<double>{0.3, 6.5, 1.0, 1.2, 1.5, 1.0, 1.9, 0.4, 2.5, 6.0};
    QTest::newRow("Cms") << "Cms" << 72 / 2.54
                         << QList<double>{0.8, 16.5, 2.5, 3, 3.8, 2.5, 4.8, 1.0, 6.3, 15.2};
    QTest::newRow("mms") << "mms" << 72 / 25.4
                         << QList<double>{8, 165, 25.5, 30, 38, 25, 48, 10, 63, 152.5};
}

void TestCupsPrinting::itemsLandAtTheirPositions()
{
    QFETCH(QString, unit);
    QFETCH(double, pointsPerUnit);
    QFETCH(QList<double>, positions);

    using namespace store;
    LayoutRow row{unit, QStringLiteral("City Bank"), {}};
    const int columns[] = {DateTop, DateLeft, nameTop, nameleft, AmtinWords1Top,
                           AmtinWords1Left, AmtinWords2Top, AmtinWords2Left, AmtTop, AmtLeft};
    for (int i = 0; i < 10; ++i)
        row.positions[columns[i]] = positions[i];
    row.positions[AmtinWords1Width] = 10;
    QVERIFY(!replaceLayout(m_database->db(), row).isValid());

    QCOMPARE(printChequePage({row.bankName, QStringLiteral("Asha Menon"), QStringLiteral("250.00"),
                              QStringLiteral("Rupees One Lakh Twenty Thousand and Fifty Only"),
                              QDate(2001, 7, 9), true},
                             *openPrinter()),
             QString());

    const QString pdf = printedPdf();
    QVERIFY2(!pdf.isEmpty(), "the printer wrote no PDF");
    QSizeF page;
    const QList<PdfWord> words = pdfWords(pdf, &page);
    QCOMPARE(page, QSizeF(297, 684));  // a #10 envelope, upright

    // Each item's first word and where its top-left corner belongs, in points
    // from the printable area's corner. Line 2 starts with a blank, which
    // leaves no mark.
    const double blank = chequeFont().horizontalAdvance(QLatin1Char(' ')) / 100;
    const auto at = [&](int index) { return positions[index] * pointsPerUnit; };
    const QList<std::tuple<QString, double, double>> expected{
        {QStringLiteral("A/c"), pointsPerUnit, at(0)},  {QStringLiteral("09/Jul/2001"), at(1), at(0)},
        {QStringLiteral("Asha"), at(3), at(2)},         {QStringLiteral("Rupees"), at(5), at(4)},
        {QStringLiteral("and"), at(7) + blank, at(6)},  {QStringLiteral("**250.00**"), at(9), at(8)},
    };

    // The landscape page is the envelope turned a quarter counter-clockwise:
    // the printable area's top-left corner is the paper's imageable area's
    // lower-left one (from the printer's description), its left-to-right runs
    // up the paper, its top-to-bottom rightwards. Only baselines compare: the
    // box spans the ascent and descent written in the PDF, not the face's.
    QFile ppd(qEnvironmentVariable("QUILLMARK_PRINTER_PPD"));
    QVERIFY(ppd.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch area =
        QRegularExpression(QStringLiteral("\\*ImageableArea Env10/[^:]*: \"([\\d.]+) ([\\d.]+) "))
            .match(QString::fromLatin1(ppd.readAll()));
    const double cornerX = area.captured(1).toDouble(), cornerY = area.captured(2).toDouble();
    const double ascent = numberIn(pdf, QStringLiteral("/Ascent"));
    const double share = ascent / (ascent - numberIn(pdf, QStringLiteral("/Descent")));
    QVERIFY(share > 0 && share < 1);
    for (const auto &[text, left, top] : expected) {
        const auto word = std::find_if(words.begin(), words.end(),
                                       [&](const PdfWord &w) { return w.text == text; });
        QVERIFY2(word != words.end(), qPrintable(text + QStringLiteral(" not printed")));
        const double printedLeft = (page.height() - cornerY) - word->box.bottom();
        const double baseline = word->box.left() + word->box.width() * share - cornerX;
        const double expectedBaseline = top + chequeFont().ascent() / 100;
        const QString where = QStringLiteral("%1: left %2 pt (expected %3), baseline %4 pt "
                                             "(expected %5)")
                                  .arg(text).arg(printedLeft).arg(left).arg(baseline)
                                  .arg(expectedBaseline);
        QVERIFY2(qAbs(printedLeft - left) <= tolerance, qPrintable(where));
        QVERIFY2(qAbs(baseline - expectedBaseline) <= tolerance, qPrintable(where));
    }
}

void TestCupsPrinting::refusedJobIsNotReportedPrinted()
{
    store::LayoutRow row{QStringLiteral("Inches"), QStringLiteral("City Bank"), {}};
    for (std::optional<double> &position : row.positions)
        position = 1;
    QVERIFY(!store::replaceLayout(m_database->db(), row).isValid());

    const QString printer = qEnvironmentVariable("QUILLMARK_PRINTER");
    run(QStringLiteral("cupsreject"), {printer});
    const QString problem = printChequePage({row.bankName, QStringLiteral("Asha Menon"),
                                             QStringLiteral("10.00"),
                                             QStringLiteral("Rupees Ten Only"), QDate(2001, 7, 9),
                                             false},
                                            *openPrinter());
    run(QStringLiteral("cupsaccept"), {printer});
    QVERIFY2(problem.startsWith(QStringLiteral("The cheque was not printed.\n\nThe printer %1 did "
                                               "not accept the cheque: ")
                                    .arg(printer)),
             qPrintable(problem));
}

// A killed or never-ended page sends nothing; only the ended one is written.
void TestCupsPrinting::abandonedPageNeverReachesThePrinter()
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
    QVERIFY2(!pdf.isEmpty(), "not exactly one PDF written");
    const QList<PdfWord> words = pdfWords(pdf);
    QCOMPARE(words.size(), 1);
    QCOMPARE(words.first().text, QStringLiteral("Ended"));
}

QTEST_MAIN(TestCupsPrinting)
#include "test_cupsprinting.moc"
