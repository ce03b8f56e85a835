#include "database.h"
#include "registerstatements.h"
#include "statements.h"
#include "transaction.h"
#include "temporarydatabase.h"
#include "testserver.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>
#include <pwd.h>
#include <unistd.h>

using namespace store;

namespace {

const QDate day(2024, 4, 1);

int countRows(const QSqlDatabase &db, const QString &tableAndCondition)
{
    QSqlQuery query(QStringLiteral("select count(*) from ") + tableAndCondition, db);
    query.next();
    return query.value(0).toInt();
}

} // namespace

// Each test (and each row of a table) starts on a fresh data file.
class TestStatements : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_database;
    QSqlDatabase db;

    // Cheques of HDFC numbered as given, payee "P<i>" for the i-th, and one
    // cheque of SBI numbered 9999.
    void addCheques(const QStringList &numbers)
    {
        for (int i = 0; i < numbers.size(); ++i)
            QVERIFY(!addRegisterEntry(db, {day, QStringLiteral("P%1").arg(i), "HDFC", "1.00",
                                           numbers[i]}).isValid());
        QVERIFY(!addRegisterEntry(db, {day, "S", "SBI", "1.00", "9999"}).isValid());
    }

private slots:
    void init() { m_database = std::make_unique<TemporaryDatabase>(); db = m_database->db(); }
    void cleanup() { db = QSqlDatabase(); m_database.reset(); }

    void banksAreAppendedAndFoundByName()
    {
        const BankRow bank{QStringLiteral(" 400002 "), QStringLiteral("St. Mary's"), QStringLiteral("USD")};
        QVERIFY(!addBank(db, bank).isValid());
        QVERIFY(!addBank(db, {QStringLiteral("2"), bank.bankName, QStringLiteral("EUR")}).isValid());
        QVERIFY(!addBank(db, {QStringLiteral("1"), QString(), QStringLiteral("INR")}).isValid());
        m_database->exec(QStringLiteral("insert into Bank values ('3', 'NoCurrency', NULL)"));

        QStringList names;
        QVERIFY(!listBankNames(db, &names).isValid());
        QCOMPARE(names, (QStringList{"St. Mary's", "St. Mary's", "", "NoCurrency"}));
        QCOMPARE(countRows(db, QStringLiteral("Bank where Bankname = ''")), 1);  // text, not NULL
        QCOMPARE(countRows(db, QStringLiteral("Bank where MICRCODE = ' 400002 '")), 1);

        std::optional<QString> currency;
        QVERIFY(!findBankCurrency(db, QStringLiteral("st. mary's"), &currency).isValid());
        QCOMPARE(currency, std::optional<QString>(QStringLiteral("USD")));  // the first row found
        QVERIFY(!findBankCurrency(db, QStringLiteral("NoCurrency"), &currency).isValid());
        QVERIFY(currency.has_value() && currency->isNull());
        QVERIFY(!findBankCurrency(db, QStringLiteral("x' or '1'='1"), &currency).isValid());
        QVERIFY(!currency.has_value());
    }

    // A number asked for finds the bank's earlier cheque (its payee) by what
    // it means: whatever blanks, leading zeros, spreadsheet marks, width of
    // digits or letter case; the first of duplicates.
    void chequeFoundByNumber()
    {
        addCheques({"004711", " 12 ", "A-7", "", "5", "05"});
        const QList<std::tuple<QString, QString, QString>> asked{
            {"HDFC", "4711", "P0"},  {"hdfc", " 0012", "P1"}, {"HDFC", "A-7", "P2"},
            {"HDFC", "9999", ""},    {"HDFC", "47110", ""},   {"HDFC", "  ", ""},
            {"HDFC", "5", "P4"},     {"HDFC", "'4711", "P0"}, {"HDFC", "#4711", "P0"},
            {"HDFC", "=\"004711\"", "P0"}, {"HDFC", "4711.0", "P0"}, {"HDFC", "４７１１", "P0"},
            {"HDFC", "\t47\u00A011 ", "P0"}, {"HDFC", "a-7", "P2"}, {"HDFC", "4711.5", ""},
            {"HDFC", " \u3000", ""}};
        for (const auto &[bank, number, found] : asked) {
            std::optional<RegisterRow> cheque;
            QVERIFY(!findChequeByNumber(db, bank, number, &cheque).isValid());
            QCOMPARE(cheque ? cheque->payeeName : QString(), found);
        }
        // Asked all at once, beyond one statement's worth, each as given.
        QStringList many;
        for (const auto &[bank, number, found] : asked)
            many << number;
        for (int i = 0; i < 120; ++i)
            many << QString::number(100000 + i);
        addCheques({"100000", "100119"});
        QHash<QString, RegisterRow> cheques;
        QVERIFY(!findChequesByNumbers(db, "hdfc", many, &cheques).isValid());
        QCOMPARE(cheques.size(), 13);
        for (const auto &[bank, number, found] : asked)
            QCOMPARE(cheques.value(number).payeeName, found);
        QCOMPARE(cheques.value("100000").payeeName, "P0");
        QCOMPARE(cheques.value("100119").payeeName, "P1");
    }

    // The highest of the bank's all-digit numbers, by value, as stored.
    void highestNumberOfDigits()
    {
        const QList<std::pair<QStringList, QString>> cases{
            {{}, ""}, {{"99", "100", "0098"}, "100"}, {{"004711", "004700"}, "004711"},
            {{"12", "A13", "14B", "1\t3", ""}, "13"}, {{" 0042 "}, "0042"},
            {{"'0041", "=\"0040\""}, "0041"}};
        for (const auto &[stored, highest] : cases) {
            m_database->exec(QStringLiteral("delete from ChqIssuereg"));
            m_database->exec(QStringLiteral("delete from ChequeNumberKeys"));
            addCheques(stored);
            QString number;
            QVERIFY(!findHighestChequeNumber(db, "HDFC", &number).isValid());
            QCOMPARE(number, highest);
        }
    }

    // Totals in whole hundredths, with the amounts that could not be added counted.
    void totalsAddMoneyExactly_data()
    {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("total");
        QTest::addColumn<qint64>("notAdded");
        QTest::newRow("commas and blanks") << QStringList{"1,000.50", " 20.25 ", "5"} << "1025.75"
                                           << qint64(0);
        QTest::newRow("Access text") << QStringList{"10.00", "Rs 500", "1.500,00", ""} << "10.00"
                                     << qint64(3);
        QTest::newRow("above 70 trillion")
            << QStringList{"70,000,000,000,000.01", "0.01", "12,34,567.89"}
            << "70000001234567.91" << qint64(0);
    }
    void totalsAddMoneyExactly()
    {
        QFETCH(QStringList, amounts);
        QFETCH(QString, total);
        QFETCH(qint64, notAdded);
        for (const QString &amount : amounts)
            QVERIFY(!addRegisterEntry(db, {day, "P", "HDFC", amount, "1"}).isValid());
        RegisterTotals totals;
        QVERIFY(!sumRegister(db, "HDFC", day, day, &totals).isValid());
        QCOMPARE(totals.count, amounts.size());
        QCOMPARE(totals.total.toPlain(), total);
        QCOMPARE(totals.notAdded, notAdded);
    }

    // A connection whose owner ended it inside a transaction leaves nothing
    // behind for the next: what it began is undone, not carried on.
    void aTransactionLeftOpenEndsWithItsConnection()
    {
        {
            const Connection left(QStringLiteral("left"));
            QVERIFY(!beginWrite(left.database()).isValid());
            QVERIFY(!addBank(left.database(), {"9", "Left Bank", "INR"}).isValid());
        }
        const Connection next(QStringLiteral("next"));
        QVERIFY(!addBank(next.database(), {"8", "Next Bank", "INR"}).isValid());
        QCOMPARE(countRows(next.database(), QStringLiteral("Bank")), 1);
    }

    // The login is the system's, whatever USER says.
    void voidMarkNamesTheLogin()
    {
        const QByteArray user = qgetenv("USER");
        qunsetenv("USER");
        const QString by = markNow(1, VoidAction::Void, "x").by;
        qputenv("USER", "someone-else");
        QCOMPARE(markNow(1, VoidAction::Void, "x").by, by);
        qputenv("USER", user);
        QCOMPARE(by, QString::fromLocal8Bit(getpwuid(getuid())->pw_name));
    }

    // A file made before the added tables gets them when it is opened (one
    // words choice a bank whatever the case of its name: test_frmChqLyt).
    void olderFileGetsTheAddedTables()
    {
        if (testserver::wanted())
            QSKIP("A server is set up whole, once.");
        for (const char *statement :
             {"DROP TABLE ChequeVoidMarks", "DROP TABLE WordsChoice", "DROP TABLE ChequeNumberKeys",
              "insert into ChqIssuereg values ('2024-04-01', 'Old', 'HDFC', '1.00', ' 0077')"})
            m_database->exec(QString::fromLatin1(statement));
        WordsChoice choice{true, true};
        QVERIFY(!findWordsChoice(db, QStringLiteral("City Bank"), &choice).isValid());
        QCOMPARE(std::pair(choice.breakByWidth, choice.fillAfterWords), std::pair(false, false));

        QCOMPARE(prepareDatabase(m_database->path()), QString());
        QVERIFY(db.tables().contains("ChequeVoidMarks"));
        std::optional<RegisterRow> old;
        QVERIFY(!findChequeByNumber(db, QStringLiteral("hdfc"), QStringLiteral("77"), &old).isValid());
        QCOMPARE(old ? old->payeeName : QString(), QStringLiteral("Old"));
        QVERIFY(!replaceWordsChoice(db, QStringLiteral("City Bank"), {true, false}).isValid());
    }

    // A report's statement left open over hundreds of rows keeps no other
    // connection from recording a cheque or a void mark.
    void anOpenReportNeverBlocksAWrite()
    {
        QStringList numbers;
        for (int number = 1; number <= 320; ++number)
            numbers << QString::number(number);
        addCheques(numbers);
        QSqlQuery report;
        QVERIFY(!selectRegisterWithVoids(db, "HDFC", day, day, &report, false).isValid());
        QVERIFY(report.next());
        if (!testserver::wanted()) {
            QSqlQuery mode(QStringLiteral("PRAGMA journal_mode"), db);
            QVERIFY(mode.next());
            QCOMPARE(mode.value(0).toString(), QStringLiteral("wal"));
        }

        const Connection other(QStringLiteral("other"));
        QVERIFY(!inWriteTransaction(other.database(), [&] {
                     qint64 row = 0;
                     QSqlError error = addRegisterEntry(other.database(),
                                                        {day, "N", "HDFC", "1.00", "321"}, &row);
                     return error.isValid() ? error
                                            : addVoidMark(other.database(),
                                                          markNow(1, VoidAction::Void, "spoiled"));
                 }).isValid());
        QVERIFY(report.next());
    }
};

QTEST_GUILESS_MAIN(TestStatements)
#include "test_statements.moc"
