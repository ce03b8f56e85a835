// Every reason a batch row cannot print, and the numbers rows are given.

#include "batchcheck.h"
#include "batchfixture.h"
#include "previewprinter.h"

#include <QTest>

class TestBatchCheck : public QObject
{
    Q_OBJECT

private slots:
    void everyReason();
};

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
