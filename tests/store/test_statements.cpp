#include "statements.h"
#include "temporarydatabase.h"

#include <QSqlQuery>
#include <QTest>

using namespace store;

namespace {

int countRows(QSqlDatabase db, const QString &table)
{
    QSqlQuery query(db);
    query.exec(QStringLiteral("select count(*) from ") + table);
    query.next();
    return query.value(0).toInt();
}

LayoutRow layoutFor(const QString &bank, double dateTop)
{
    LayoutRow layout;
    layout.scaleMode = QStringLiteral("Cms");
    layout.bankName = bank;
    for (int i = 0; i < LayoutPositionCount; ++i)
        layout.positions[i] = i + 0.25;
    layout.positions[DateTop] = dateTop;
    return layout;
}

} // namespace

class TestStatements : public QObject
{
    Q_OBJECT
private slots:
    void emptyTablesGiveEmptyLists();
    void banksAreAppendedAndListedEachTime();
    void bankCurrencyLookup();
    void payeeReplacedByNickName_data();
    void payeeReplacedByNickName();
    void layoutReplacedByBankName_data();
    void layoutReplacedByBankName();
    void layoutKeepsEveryNumberAndMissingOnes();
    void replaceLosesNothingWhenTheAddFails_data();
    void replaceLosesNothingWhenTheAddFails();
    void registerListsTheBanksChequesInTheDateRange_data();
    void registerListsTheBanksChequesInTheDateRange();
};

void TestStatements::emptyTablesGiveEmptyLists()
{
    TemporaryDatabase database;
    QStringList names{QStringLiteral("stale")};
    QVERIFY(!listBankNames(database.db(), &names).isValid());
    QVERIFY(names.isEmpty());
    QVERIFY(!listPayeeNickNames(database.db(), &names).isValid());
    QVERIFY(names.isEmpty());
    QVERIFY(!listLayoutBankNames(database.db(), &names).isValid());
    QVERIFY(names.isEmpty());
}

void TestStatements::banksAreAppendedAndListedEachTime()
{
    TemporaryDatabase database;
    const BankRow bank{QStringLiteral(" 400002 "), QStringLiteral("St. Mary's"), QStringLiteral("INR")};
    QVERIFY(!addBank(database.db(), bank).isValid());
    QVERIFY(!addBank(database.db(), bank).isValid());
    QVERIFY(!addBank(database.db(), BankRow{QStringLiteral("1"), QString(), QStringLiteral("USD")})
                 .isValid());

    QStringList names;
    QVERIFY(!listBankNames(database.db(), &names).isValid());
    QCOMPARE(names, (QStringList{"St. Mary's", "St. Mary's", ""}));
    QSqlQuery stored(database.db());
    stored.exec(QStringLiteral("select MICRCODE, Bankname from Bank where Bankname = ''"));
    QVERIFY(stored.next());
    QCOMPARE(stored.value(1).isNull(), false);  // an empty name is text, not a missing value
    stored.exec(QStringLiteral("select MICRCODE from Bank limit 1"));
    stored.next();
    QCOMPARE(stored.value(0).toString(), QStringLiteral(" 400002 "));
}

void TestStatements::bankCurrencyLookup()
{
    TemporaryDatabase database;
    database.exec(QStringLiteral("insert into Bank values ('1', 'HDFC', 'USD')"));
    database.exec(QStringLiteral("insert into Bank values ('2', 'HDFC', 'EUR')"));
    database.exec(QStringLiteral("insert into Bank values ('3', 'NoCurrency', NULL)"));

    std::optional<QString> currency;
    QVERIFY(!findBankCurrency(database.db(), QStringLiteral("hdfc"), &currency).isValid());
    QCOMPARE(currency, std::optional<QString>(QStringLiteral("USD")));  // the first row found
    QVERIFY(!findBankCurrency(database.db(), QStringLiteral("NoCurrency"), &currency).isValid());
    QVERIFY(currency.has_value() && currency->isNull());
    QVERIFY(!findBankCurrency(database.db(), QStringLiteral("x' or '1'='1"), &currency).isValid());
    QVERIFY(!currency.has_value());
}

void TestStatements::payeeReplacedByNickName_data()
{
    QTest::addColumn<QString>("savedNick");
    QTest::addColumn<QString>("laterNick");
    QTest::addColumn<int>("rowsLeft");

    QTest::newRow("same nick name twice") << "Ravi" << "Ravi" << 2;
    QTest::newRow("letter case ignored") << "Ravi" << "RAVI" << 2;
    QTest::newRow("another nick name is added") << "Ravi" << "Ravindra" << 3;
    QTest::newRow("quote replaces only its own row") << "O'Neil" << "O'Neil" << 2;
    QTest::newRow("quote cannot widen the deletion") << "Ravi" << "x' or '1'='1" << 3;
}

void TestStatements::payeeReplacedByNickName()
{
    QFETCH(QString, savedNick);
    QFETCH(QString, laterNick);
    QFETCH(int, rowsLeft);
    TemporaryDatabase database;
    QVERIFY(!replacePayee(database.db(), QStringLiteral("Other"), QStringLiteral("Other Ltd")).isValid());
    QVERIFY(!replacePayee(database.db(), savedNick, QStringLiteral("First Name")).isValid());
    QVERIFY(!replacePayee(database.db(), laterNick, QStringLiteral("Later Name")).isValid());

    QCOMPARE(countRows(database.db(), QStringLiteral("Payee")), rowsLeft);
    std::optional<QString> name;
    QVERIFY(!findPayeeName(database.db(), laterNick, &name).isValid());
    QCOMPARE(name, std::optional<QString>(QStringLiteral("Later Name")));
    QVERIFY(!findPayeeName(database.db(), QStringLiteral("Other"), &name).isValid());
    QCOMPARE(name, std::optional<QString>(QStringLiteral("Other Ltd")));
}

void TestStatements::layoutReplacedByBankName_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QString>("sameBankAgain");
    QTest::newRow("same name") << "SBI" << "SBI";
    QTest::newRow("other letter case") << "SBI" << "sbi";
    QTest::newRow("name with a quote") << "St. Mary's" << "St. Mary's";
}

void TestStatements::layoutReplacedByBankName()
{
    QFETCH(QString, bank);
    QFETCH(QString, sameBankAgain);
    TemporaryDatabase database;
    QVERIFY(!replaceLayout(database.db(), layoutFor(QStringLiteral("Other"), 9)).isValid());
    // Rows written by other means: several for one bank are all replaced.
    QVERIFY(!replaceLayout(database.db(), layoutFor(bank, 1)).isValid());
    database.exec(QStringLiteral("insert into Positions (Bankname, DateTop) select Bankname, 2 "
                                 "from Positions where Bankname <> 'Other'"));
    QVERIFY(!replaceLayout(database.db(), layoutFor(sameBankAgain, 0.75)).isValid());

    QStringList banks;
    QVERIFY(!listLayoutBankNames(database.db(), &banks).isValid());
    QCOMPARE(banks.size(), 2);
    std::optional<LayoutRow> layout;
    QVERIFY(!findLayout(database.db(), bank, &layout).isValid());
    QVERIFY(layout.has_value());
    QCOMPARE(layout->bankName, sameBankAgain);
    QCOMPARE(layout->positions[DateTop], std::optional<double>(0.75));
    QVERIFY(!findLayout(database.db(), QStringLiteral("Other"), &layout).isValid());
    QCOMPARE(layout->positions[DateTop], std::optional<double>(9));
}

void TestStatements::layoutKeepsEveryNumberAndMissingOnes()
{
    TemporaryDatabase database;
    LayoutRow saved = layoutFor(QStringLiteral("SBI"), 0.1);
    saved.positions[AmtWidth] = std::nullopt;
    saved.scaleMode = QString();
    QVERIFY(!replaceLayout(database.db(), saved).isValid());
    database.exec(QStringLiteral("update Positions set Scalemode = NULL"));

    std::optional<LayoutRow> loaded;
    QVERIFY(!findLayout(database.db(), QStringLiteral("SBI"), &loaded).isValid());
    QVERIFY(loaded->scaleMode.isNull());
    QCOMPARE(loaded->positions, saved.positions);
    QVERIFY(!findLayout(database.db(), QStringLiteral("Nobody"), &loaded).isValid());
    QVERIFY(!loaded.has_value());
}

void TestStatements::replaceLosesNothingWhenTheAddFails_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("payee") << "Payee";
    QTest::newRow("layout") << "Positions";
}

void TestStatements::replaceLosesNothingWhenTheAddFails()
{
    QFETCH(QString, table);
    TemporaryDatabase database;
    QVERIFY(!replacePayee(database.db(), QStringLiteral("Ravi"), QStringLiteral("Ravi Kumar")).isValid());
    QVERIFY(!replaceLayout(database.db(), layoutFor(QStringLiteral("SBI"), 1)).isValid());
    database.exec(QStringLiteral("create trigger failing before insert on %1 "
                                 "begin select raise(abort, 'disk full'); end").arg(table));

    const QSqlError error = table == QLatin1String("Payee")
        ? replacePayee(database.db(), QStringLiteral("Ravi"), QStringLiteral("Someone Else"))
        : replaceLayout(database.db(), layoutFor(QStringLiteral("SBI"), 5));
    QVERIFY(error.isValid());
    QVERIFY(error.text().contains(QStringLiteral("disk full")));

    std::optional<QString> name;
    QVERIFY(!findPayeeName(database.db(), QStringLiteral("Ravi"), &name).isValid());
    QCOMPARE(name, std::optional<QString>(QStringLiteral("Ravi Kumar")));
    std::optional<LayoutRow> layout;
    QVERIFY(!findLayout(database.db(), QStringLiteral("SBI"), &layout).isValid());
    QCOMPARE(layout->positions[DateTop], std::optional<double>(1));
}

void TestStatements::registerListsTheBanksChequesInTheDateRange_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("chequeNumbers");

    const QDate first(2026, 12, 1);
    QTest::newRow("both ends included") << "SBI" << first << first.addDays(2)
                                        << QStringList{"1", "2", "3"};
    QTest::newRow("one day") << "SBI" << first.addDays(1) << first.addDays(1) << QStringList{"2"};
    QTest::newRow("day after the range left out") << "SBI" << first << first.addDays(1)
                                                  << QStringList{"1", "2"};
    QTest::newRow("from after to") << "SBI" << first.addDays(2) << first << QStringList{};
    QTest::newRow("letter case of the bank") << "sbi" << first << first << QStringList{"1"};
    QTest::newRow("quote in the name") << "St. Mary's" << first << first.addDays(9)
                                       << QStringList{"9"};
    QTest::newRow("far dates") << "SBI" << QDate(1601, 1, 1) << QDate(9999, 12, 31)
                               << QStringList{"1", "2", "3"};
}

void TestStatements::registerListsTheBanksChequesInTheDateRange()
{
    QFETCH(QString, bank);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, chequeNumbers);
    TemporaryDatabase database;
    const QDate first(2026, 12, 1);
    for (int day = 0; day < 3; ++day)
        QVERIFY(!addRegisterEntry(database.db(), {first.addDays(day), QStringLiteral("Ravi Kumar"),
                                                  QStringLiteral("SBI"), QStringLiteral("250.00"),
                                                  QString::number(day + 1)})
                     .isValid());
    QVERIFY(!addRegisterEntry(database.db(), {first, QStringLiteral("A"), QStringLiteral("St. Mary's"),
                                              QStringLiteral("1.00"), QStringLiteral("9")})
                 .isValid());

    QSqlQuery query;
    QVERIFY(!selectRegisterEntries(database.db(), bank, from, to, &query).isValid());
    QStringList found;
    while (query.next())
        found << query.value(QStringLiteral("ChequeNo")).toString();
    QCOMPARE(found, chequeNumbers);
}

QTEST_GUILESS_MAIN(TestStatements)
#include "test_statements.moc"
