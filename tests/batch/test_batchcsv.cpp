// Reading batch files as spreadsheets write them, and their dates and crossings.

#include "batchcsv.h"

#include <QTest>

class TestBatchCsv : public QObject
{
    Q_OBJECT

private slots:
    void dialects_data();
    void dialects();
    void values();
};

void TestBatchCsv::dialects_data()
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

void TestBatchCsv::dialects()
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

void TestBatchCsv::values()
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

QTEST_GUILESS_MAIN(TestBatchCsv)
#include "test_batchcsv.moc"
