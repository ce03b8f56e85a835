#include "database.h"
#include "registerstatements.h"
#include "temporarydatabase.h"

#include <QSqlQuery>
#include <QTest>

using namespace store;

namespace {

const QDate day(2024, 4, 1);

// Cheques of HDFC numbered as given, payee "P<i>" for the i-th, and one
// cheque of SBI numbered 9999.
void addCheques(QSqlDatabase db, const QStringList &numbers)
{
    for (int i = 0; i < numbers.size(); ++i)
        QVERIFY(!addRegisterEntry(db, {day, QStringLiteral("P%1").arg(i), "HDFC", "1.00",
                                       numbers[i]}).isValid());
    QVERIFY(!addRegisterEntry(db, {day, "S", "SBI", "1.00", "9999"}).isValid());
}

qint64 markCount(QSqlDatabase db)
{
    QSqlQuery query(QStringLiteral("select count(*) from ChequeVoidMarks"), db);
    query.next();
    return query.value(0).toLongLong();
}

} // namespace

class TestRegisterStatements : public QObject
{
    Q_OBJECT
private slots:
    void chequeFoundByNumber_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");  // payee of the earlier cheque, or empty
        const QStringList some{"004711", " 12 ", "A-7", ""};
        QTest::newRow("same text") << some << "HDFC" << "004711" << "P0";
        QTest::newRow("without leading zeros") << some << "HDFC" << "4711" << "P0";
        QTest::newRow("blanks and zeros") << some << "hdfc" << " 0012" << "P1";
        QTest::newRow("letters as written") << some << "HDFC" << "A-7" << "P2";
        QTest::newRow("other bank's number") << some << "HDFC" << "9999" << "";
        QTest::newRow("longer number") << some << "HDFC" << "47110" << "";
        QTest::newRow("blank is no number") << some << "HDFC" << "  " << "";
        QTest::newRow("first of duplicates") << QStringList{"5", "05"} << "HDFC" << "5" << "P0";
    }

    void chequeFoundByNumber()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, bank);
        QFETCH(QString, asked);
        QFETCH(QString, found);
        TemporaryDatabase database;
        addCheques(database.db(), stored);
        std::optional<RegisterRow> cheque;
        QVERIFY(!findChequeByNumber(database.db(), bank, asked, &cheque).isValid());
        QCOMPARE(cheque ? cheque->payeeName : QString(), found);
    }

    void highestNumberOfDigits_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("highest");
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("by value, not text") << QStringList{"99", "100", "0098"} << "100";
        QTest::newRow("width kept") << QStringList{"004711", "004700"} << "004711";
        QTest::newRow("others ignored") << QStringList{"12", "A13", "14B", "1 5", ""} << "12";
        QTest::newRow("blanks dropped") << QStringList{" 0042 "} << "0042";
    }

    void highestNumberOfDigits()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, highest);
        TemporaryDatabase database;
        addCheques(database.db(), stored);
        QString number;
        QVERIFY(!findHighestChequeNumber(database.db(), "HDFC", &number).isValid());
        QCOMPARE(number, highest);
    }

    // Marks pile up as history; the latest decides, and the totals follow it.
    void voidMarksKeepTheirHistory()
    {
        TemporaryDatabase database;
        QSqlDatabase db = database.db();
        for (const char *amount : {"1,000.50", "20.25", "not a number"})
            QVERIFY(!addRegisterEntry(db, {day, "P", "HDFC", amount, "1"}).isValid());
        const QDateTime at(day, QTime(10, 30));
        const QList<VoidMark> marks{{1, VoidAction::Void, "lost", at, "me"},
                                    {1, VoidAction::Undo, "", at, "me"},
                                    {2, VoidAction::Void, "cancelled", at, "me"}};
        for (const VoidMark &mark : marks)
            QVERIFY(!addVoidMark(db, mark).isValid());

        QStringList reasons;
        for (qint64 row : {1, 2, 3}) {
            QString reason;
            QVERIFY(!findVoidReason(db, row, &reason).isValid());
            reasons << (reason.isNull() ? "-" : reason);
        }
        QCOMPARE(reasons, (QStringList{"-", "cancelled", "-"}));
        QCOMPARE(markCount(db), 3);
        RegisterTotals totals;
        QVERIFY(!sumRegister(db, "hdfc", day, day, &totals).isValid());
        QCOMPARE((QList<qint64>{totals.count, totals.cents, totals.voidCount, totals.voidCents}),
                 (QList<qint64>{2, 100050, 1, 2025}));
    }

    // A file made before the marks existed gets them when it is opened.
    void olderFileGetsTheNewTables()
    {
        TemporaryDatabase database;
        database.exec("DROP TABLE ChequeVoidMarks");
        database.exec("DROP INDEX ChqIssueregByBankAndNumber");
        QCOMPARE(prepareDatabase(database.path()), QString());
        QVERIFY(database.db().tables().contains("ChequeVoidMarks"));
        QSqlQuery plan(QStringLiteral("explain query plan select * from ChqIssuereg where "
                                      "BankName = 'x' and length(ltrim(trim(ChequeNo), '0')) = 1"),
                       database.db());
        QVERIFY(plan.next());
        QVERIFY2(plan.value(3).toString().contains("ChqIssueregByBankAndNumber"),
                 qPrintable(plan.value(3).toString()));
    }
};

QTEST_MAIN(TestRegisterStatements)
#include "test_registerstatements.moc"
