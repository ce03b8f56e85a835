// Prints the register listing through the CUPS spooler that scripts/test
// starts, on its PDF printer, and reads the text back.

#include "printedpdf.h"
#include "registerlisting.h"
#include "registerstatements.h"
#include "temporarydatabase.h"

#include <QLocale>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>

namespace {

const QDate day(2024, 5, 2);

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

class TestRegisterListing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString problem = testPrinterProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void init() { clearPdfFolder(); }

    void listingReadsBack_data();
    void listingReadsBack();
};

void TestRegisterListing::listingReadsBack_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<QSizeF>("points");
    QTest::addColumn<int>("moreCheques");
    QTest::addColumn<int>("pageCount");

    QTest::newRow("A4, one page") << QPageSize::A4 << QSizeF(595, 842) << 0 << 1;
    QTest::newRow("Letter, two pages") << QPageSize::Letter << QSizeF(612, 792) << 60 << 2;
}

void TestRegisterListing::listingReadsBack()
{
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(QSizeF, points);
    QFETCH(int, moreCheques);
    QFETCH(int, pageCount);

    // 1. HDFC's cheques of the day, the second void; one of another bank
    //    and one of the next day are not listed.
    TemporaryDatabase database;
    QVERIFY(!store::addBank(database.db(), {"1", "HDFC", "INR"}).isValid());
    QList<store::RegisterRow> cheques{{day, "Rao, K.", "HDFC", "1,000.50", "000101"},
                                      {day, "Best Ltd\nPune", "HDFC", "20.25", "000102"},
                                      {day, "Shah & Sons", "HDFC", "5.00", "000103"},
                                      {day, "Other Bank Payee", "SBI", "7.00", "9"},
                                      {day.addDays(1), "Next Day Payee", "HDFC", "8.00", "10"}};
    for (int more = 0; more < moreCheques; ++more)
        cheques.append({day, QStringLiteral("Payee %1").arg(more), "HDFC", "1.00",
                        QString::number(2000 + more)});
    for (const store::RegisterRow &cheque : cheques)
        QVERIFY(!store::addRegisterEntry(database.db(), cheque).isValid());
    // The register's rows are numbered from 1 as they were added.
    QVERIFY(!store::addVoidMark(database.db(), {2, store::VoidAction::Void,
                                                "spoiled in printing", QDateTime::currentDateTime(),
                                                "clerk"})
                 .isValid());

    // 2. Printed on the paper asked for.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(paper));
    QCOMPARE(printRegisterListing(printer, "HDFC", day, day), QString());
    const QString pdf = printedPdf();
    QVERIFY2(!pdf.isEmpty(), "the printer wrote no PDF");
    QSizeF page;
    pdfWords(pdf, &page);
    QCOMPARE(page, points);

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
        "02/05/2024 Best Ltd Pune HDFC 20.25 000102 spoiled in printing",
        "02/05/2024 Shah & Sons HDFC 5.00 000103",
        QStringLiteral("Cheques: %1, total INR %2")
            .arg(2 + moreCheques)
            .arg(QLocale(QLocale::English).toString(1005.50 + moreCheques, 'f', 2)),
        "Void cheques: 1, total INR 20.25",
    };
    for (const QString &line : expected)
        QVERIFY2(all.contains(line), qPrintable(line + " not in:\n" + all.join('\n')));
    // The other bank's and the next day's cheques are not among the rows.
    QCOMPARE(all.filter(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} ")).size(), 3 + moreCheques);
}

QTEST_MAIN(TestRegisterListing)
#include "test_registerlisting.moc"
