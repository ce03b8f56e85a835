// Prints cheques through the CUPS spooler that scripts/test starts, on its
// PDF printer, and measures where each text landed on the paper.

#include "chequepage.h"
#include "statements.h"
#include "systemprinter.h"
#include "temporarydatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPrinterInfo>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QTest>

namespace {

const double pointsPerMillimetre = 72 / 25.4;
const double tolerance = 0.25 * pointsPerMillimetre;

struct Word {
    QString text;
    QRectF box;  // as pdftotext -bbox gives it: points, y downwards
};

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The one PDF the printer wrote, once the spooler has no job left.
QString printedPdf()
{
    const QDir folder(qEnvironmentVariable("QUILLMARK_PDF_DIR"));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        const QStringList files = folder.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        if (files.size() == 1 && run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).isEmpty())
            return folder.filePath(files.first());
        QTest::qWait(100);
    }
    return {};
}

QList<Word> wordsOf(const QString &pdf, QSizeF *pageSize)
{
    const QString boxes = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, "-"});
    const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    const QRegularExpressionMatch size = page.match(boxes);
    *pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());

    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> words;
    for (const QRegularExpressionMatch &match : word.globalMatch(boxes)) {
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        words.append({match.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}

// How far up from its bottom edge a word's box has its baseline, as a
// share of the box: the box spans the font's ascent and descent as written
// in the PDF, which differ from the face's own, so only the baseline is
// comparable.
double baselineShare(const QString &pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QString content = QString::fromLatin1(file.readAll());
    const double ascent = QRegularExpression(QStringLiteral("/Ascent (-?[\\d.]+)"))
                              .match(content).captured(1).toDouble();
    const double descent = QRegularExpression(QStringLiteral("/Descent (-?[\\d.]+)"))
                               .match(content).captured(1).toDouble();
    return ascent / (ascent - descent);
}

// The printable area's lower-left corner on the envelope, in points from
// the paper's lower-left corner, from the printer's own description.
QPointF imageableCorner()
{
    QFile ppd(qEnvironmentVariable("QUILLMARK_PRINTER_PPD"));
    if (!ppd.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpressionMatch area =
        QRegularExpression(QStringLiteral("\\*ImageableArea Env10/[^:]*: \"([\\d.]+) ([\\d.]+) "))
            .match(QString::fromLatin1(ppd.readAll()));
    return {area.captured(1).toDouble(), area.captured(2).toDouble()};
}

// The cheque's own measures: DejaVu Sans at 12 points, from a large size.
QFont chequeFont()
{
    QFont font(SystemPrinter::substituteFace());
    font.setPixelSize(1200);
    return font;
}

double ascentPoints()
{
    return QFontMetricsF(chequeFont()).ascent() / 100;
}

double blankPoints()
{
    return QFontMetricsF(chequeFont()).horizontalAdvance(QLatin1Char(' ')) / 100;
}

struct Expected {
    QString item;
    QString firstWord;
    double left;  // points from the printable area's corner
    double top;
};

} // namespace

class TestCupsPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void itemsLandAtTheirPositions_data();
    void itemsLandAtTheirPositions();
    void refusedJobIsNotReportedPrinted();
    void abandonedPageNeverReachesThePrinter();

private:
    std::unique_ptr<TemporaryDatabase> m_database;
};

void TestCupsPrinting::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("QUILLMARK_PDF_DIR"))
        QFAIL("No test printer: QUILLMARK_PDF_DIR is not set. Run the tests with scripts/test, "
              "which starts a CUPS spooler with a PDF printer (or source scripts/cups.sh "
              "first).");
    // Never a real printer: the spooler's default must be the test's one.
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(),
             qEnvironmentVariable("QUILLMARK_PRINTER"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}

void TestCupsPrinting::init()
{
    m_database = std::make_unique<TemporaryDatabase>();
    QDir folder(qEnvironmentVariable("QUILLMARK_PDF_DIR"));
    for (const QString &file : folder.entryList(QDir::Files))
        folder.remove(file);
}

void TestCupsPrinting::cleanup()
{
    m_database.reset();
}

void TestCupsPrinting::itemsLandAtTheirPositions_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("pointsPerUnit");
    // date top, left; name top, left; words 1 top, left; words 2 top, left;
    // amount top, left
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

    store::LayoutRow row;
    row.bankName = QStringLiteral("City Bank");
    row.scaleMode = unit;
    using namespace store;
    row.positions[DateTop] = positions[0];
    row.positions[DateLeft] = positions[1];
    row.positions[nameTop] = positions[2];
    row.positions[nameleft] = positions[3];
    row.positions[AmtinWords1Top] = positions[4];
    row.positions[AmtinWords1Left] = positions[5];
    row.positions[AmtinWords1Width] = 10;
    row.positions[AmtinWords2Top] = positions[6];
    row.positions[AmtinWords2Left] = positions[7];
    row.positions[AmtTop] = positions[8];
    row.positions[AmtLeft] = positions[9];
    QVERIFY(!replaceLayout(m_database->db(), row).isValid());

    const ChequeItems cheque{QStringLiteral("City Bank"), QStringLiteral("Asha Menon"),
                             QStringLiteral("250.00"),
                             QStringLiteral("Rupees One Lakh Twenty Thousand and Fifty Only"),
                             QDate(2001, 7, 9), true};
    QCOMPARE(printChequePage(cheque, *openPrinter()), QString());

    const QString pdf = printedPdf();
    QVERIFY2(!pdf.isEmpty(), "the printer wrote no PDF");
    QSizeF page;
    const QList<Word> words = wordsOf(pdf, &page);
    QCOMPARE(page, QSizeF(297, 684));  // a #10 envelope, upright

    const auto at = [&](int index) { return positions[index] * pointsPerUnit; };
    const QList<Expected> expected{
        {QStringLiteral("crossing"), QStringLiteral("A/c"), pointsPerUnit, at(0)},
        {QStringLiteral("date"), QStringLiteral("09/Jul/2001"), at(1), at(0)},
        {QStringLiteral("payee"), QStringLiteral("Asha"), at(3), at(2)},
        {QStringLiteral("words, line 1"), QStringLiteral("Rupees"), at(5), at(4)},
        // Line 2 starts with a blank, which leaves no mark.
        {QStringLiteral("words, line 2"), QStringLiteral("and"), at(7) + blankPoints(), at(6)},
        {QStringLiteral("amount"), QStringLiteral("**250.00**"), at(9), at(8)},
    };

    // The landscape page is the envelope turned a quarter counter-clockwise:
    // the printable area's top-left corner is the paper's imageable area's
    // lower-left one, its left-to-right runs up the paper, its top-to-bottom
    // runs rightwards.
    const QPointF corner = imageableCorner();
    const double share = baselineShare(pdf);
    QVERIFY(share > 0 && share < 1);
    for (const Expected &item : expected) {
        const auto word = std::find_if(words.begin(), words.end(),
                                       [&](const Word &w) { return w.text == item.firstWord; });
        QVERIFY2(word != words.end(), qPrintable(item.item + QStringLiteral(" not printed")));
        const double left = (page.height() - corner.y()) - word->box.bottom();
        const double baseline = word->box.left() + word->box.width() * share - corner.x();
        const QString where = QStringLiteral("%1: left %2 pt (expected %3), baseline %4 pt "
                                             "(expected %5)")
                                  .arg(item.item).arg(left).arg(item.left).arg(baseline)
                                  .arg(item.top + ascentPoints());
        QVERIFY2(qAbs(left - item.left) <= tolerance, qPrintable(where));
        QVERIFY2(qAbs(baseline - (item.top + ascentPoints())) <= tolerance, qPrintable(where));
    }
}

void TestCupsPrinting::refusedJobIsNotReportedPrinted()
{
    store::LayoutRow row;
    row.bankName = QStringLiteral("City Bank");
    row.scaleMode = QStringLiteral("Inches");
    for (std::optional<double> &position : row.positions)
        position = 1;
    QVERIFY(!store::replaceLayout(m_database->db(), row).isValid());

    const QString printer = qEnvironmentVariable("QUILLMARK_PRINTER");
    run(QStringLiteral("cupsreject"), {printer});
    const QString problem = printChequePage(
        {QStringLiteral("City Bank"), QStringLiteral("Asha Menon"), QStringLiteral("10.00"),
         QStringLiteral("Rupees Ten Only"), QDate(2001, 7, 9), false},
        *openPrinter());
    run(QStringLiteral("cupsaccept"), {printer});

    QVERIFY2(problem.startsWith(QStringLiteral("The cheque was not printed.\n\nThe printer %1 did "
                                               "not accept the cheque: ")
                                    .arg(printer)),
             qPrintable(problem));
}

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
    QSizeF page;
    const QList<Word> words = wordsOf(pdf, &page);
    QCOMPARE(words.size(), 1);
    QCOMPARE(words.first().text, QStringLiteral("Ended"));
}

QTEST_MAIN(TestCupsPrinting)
#include "test_cupsprinting.moc"
