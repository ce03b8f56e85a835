// Batch files read as spreadsheets write them, and every reason a row
// cannot print.

#include "batchcheck.h"
#include "batchfixture.h"
#include "previewprinter.h"

#include <QTest>

class TestBatchCheck : public QObject
{
    Q_OBJECT

private slots:
    void dialects_data();
    void dialects();
    void values();
    void everyReason();
};

void TestBatchCheck::dialects_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");  // line|bank|payee|amount|date|number|crossed
    QTest::addColumn<QString>("problem");

    QTest::newRow("quoted comma, quote and line break")
        << QByteArray("Bank,Payee,Amount,Date\r\n\"City, Bank\",\"Asha \"\"A\"\"\nMenon\",10,2026-12-05\r\n")
        << QStringList{"2|City, Bank|Asha \"A\"\nMenon|10|2026-12-05||"} << QString();
    QTest::newRow("semicolons, any order and case, blank lines, extra column")
        << QByteArray("DATE;note;amount;CROSSED;payee;Number;bank\n\n05/12/2026;a,b;1,5;no;asha;7;City\n")
        << QStringList{"3|City|asha|1,5|05/12/2026|7|no"} << QString();
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBF" "bank,payee,amount,date\nCity,Ren\xC3\xA9,1,x")
        << QStringList{"2|City|René|1|x||"} << QString();
    QTest::newRow("Windows-1252")
        << QByteArray("bank,payee,amount,date\nCity,Ren\xE9 \x80,1,x\n")
        << QStringList{"2|City|René €|1|x||"} << QString();
    QTest::newRow("missing column named")
        << QByteArray("bank,payee,date\nCity,Asha,x\n") << QStringList{}
        << "The file has no column \"amount\".";
    QTest::newRow("open quote") << QByteArray("bank,payee,amount,date\n\"City,Asha,1,x\n")
                                << QStringList{} << "A quoted field that starts on line 2";
}

void TestBatchCheck::dialects()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QFETCH(QString, problem);

    const BatchCsv batch = readBatchCsv(bytes);
    QStringList read;
    for (const BatchCsvRow &row : batch.rows)
        read << QStringList{QString::number(row.line), row.bank, row.payee, row.amount,
                            row.date, row.number, row.crossed}.join(u'|');
    QCOMPARE(read, rows);
    QVERIFY2(problem.isEmpty() ? batch.problem.isEmpty() : batch.problem.startsWith(problem),
             qPrintable(batch.problem));
}

void TestBatchCheck::values()
{
    const QList<std::pair<QString, QDate>> dates{
        {"2026-12-05", QDate(2026, 12, 5)}, {"05/12/2026", QDate(2026, 12, 5)},
        {"5/dEc/2026", QDate(2026, 12, 5)}, {"31/02/2026", {}}, {"12/05/26", {}},
        {"05/Dez/2026", {}}, {"1600-12-31", {}}};
    for (const auto &[text, date] : dates)
        QCOMPARE(batchDate(text).value_or(QDate()), date);
    const QList<std::pair<QString, int>> crossings{
        {"", 1}, {"Yes", 1}, {"y", 1}, {"TRUE", 1}, {"1", 1}, {"no", 0}, {"N", 0},
        {"false", 0}, {"0", 0}, {"maybe", -1}};
    for (const auto &[text, crossed] : crossings)
        QCOMPARE(batchCrossed(text) ? int(*batchCrossed(text)) : -1, crossed);
}

void TestBatchCheck::everyReason()
{
    TemporaryDatabase database;
    fillBatchFixture(database);
    // bank, payee, amount, date, number, crossed; included; number given, problem's start
    const QList<std::tuple<QStringList, bool, QString, QString>> rows{
        {{"City Bank", "asha", "10", "2026-12-05", "", ""}, true, "101", ""},
        {{"city bank", "ASHA MENON", "10", "05/Dec/2026", "", "no"}, true, "102", ""},
        {{"City Bank", "asha", "10", "2026-12-05", "", ""}, false, "", ""},
        {{"Nowhere Bank", "asha", "10", "2026-12-05", "", ""}, true, "",
         "The bank \"Nowhere Bank\" has no cheque layout."},
        {{"Stray Bank", "asha", "10", "2026-12-05", "", ""}, true, "",
         "The bank \"Stray Bank\" is not among the banks"},
        {{"City Bank", "nobody", "10", "2026-12-05", "", ""}, true, "",
         "The payee \"nobody\" is neither"},
        {{"City Bank", "asha", "1,500", "2026-12-05", "", ""}, true, "",
         "The amount \"1,500.00\" is not in plain figures"},
        {{"City Bank", "asha", "0", "2026-12-05", "", ""}, true, "", "The amount is zero."},
        {{"City Bank", "asha", "99999999", "2026-12-05", "", ""}, true, "",
         "The amount 99999999.00 is too large"},
        {{"City Bank", "asha", "10", "31/02/2026", "", ""}, true, "", "The date \"31/02/2026\""},
        {{"City Bank", "asha", "10", "2026-12-05", "", "maybe"}, true, "",
         "The crossed value \"maybe\""},
        {{"City Bank", "asha", "10", "2026-12-05", "0100", ""}, true, "0100",
         "Cheque number 0100 is in the register already"},
        {{"Far Bank", "asha", "10", "2026-12-05", "7", ""}, true, "7",
         "The Amount \"**10.00**\" falls outside the printable area"},
        {{"Far Bank", "asha", "10", "2026-12-05", "", ""}, true, "",
         "The Amount \"**10.00**\" falls outside the printable area"},
        {{"City Bank", "asha", "10", "2026-12-05", "200", ""}, true, "200",
         "Cheque number 200 is given more than once in the batch (lines 16, 17)."},
        {{"City Bank", "asha", "10", "2026-12-05", "200", ""}, true, "200", "Cheque number 200"},
        {{"City Bank", "asha", "10", "2026-12-05", "", ""}, true, "201", ""},
    };
    QList<BatchCsvRow> read;
    for (const auto &[values, included, number, problem] : rows)
        read.append({int(read.size()) + 2, values[0], values[1], values[2], values[3], values[4],
                     values[5]});
    QList<BatchCheque> cheques = batchChequesFrom(read);
    for (int i = 0; i < rows.size(); ++i)
        cheques[i].included = std::get<1>(rows[i]);
    PreviewPrinter measuring({});
    QCOMPARE(checkBatch(&cheques, measuring), QString());

    for (int i = 0; i < rows.size(); ++i) {
        const auto &[values, included, number, problem] = rows[i];
        const BatchCheque &cheque = cheques[i];
        QCOMPARE(cheque.chequeNo, number);
        QVERIFY2(problem.isEmpty() ? cheque.ready() : cheque.problem.startsWith(problem),
                 qPrintable(QString::number(i) + u' ' + cheque.problem));
    }
    QCOMPARE(cheques[1].items.payeeName, QStringLiteral("Asha Menon"));
    QCOMPARE(cheques[1].items.amountInWords, QStringLiteral("Ten only"));
    QCOMPARE(cheques[1].items.crossed, false);
}

QTEST_MAIN(TestBatchCheck)
#include "test_batchcheck.moc"
