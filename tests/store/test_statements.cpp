#include "statements.h"
#include "temporarydatabase.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace store;

namespace {

int countRows(const QSqlDatabase &db, const QString &tableAndCondition)
{
    QSqlQuery query(QStringLiteral("select count(*) from ") + tableAndCondition, db);
    query.next();
    return query.value(0).toInt();
}

LayoutRow layoutFor(const QString &bank, double dateTop)
{
    LayoutRow layout{QStringLiteral("Cms"), bank, {}};
    for (int i = 0; i < LayoutPositionCount; ++i)
        layout.positions[i] = i + 0.25;
    layout.positions[DateTop] = dateTop;
    return layout;
}

} // namespace

// Each test (and each row of a table) starts on a fresh data file.
class TestStatements : public QObject
{
    Q_OBJECT
    std::unique_ptr<TemporaryDatabase> m_database;
    QSqlDatabase db;
private slots:
    void init() { m_database = std::make_unique<TemporaryDatabase>(); db = m_database->db(); }
    void cleanup() { db = QSqlDatabase(); m_database.reset(); }
    void emptyTablesGiveEmptyLists();
    void mixedCaseNamesOfTablesAndColumns();
    void banksAreAppendedAndFoundByName();
    void layoutKeepsEveryNumberAndMissingOnes();
};

void TestStatements::emptyTablesGiveEmptyLists()
{
    QStringList names{QStringLiteral("stale")};
    QVERIFY(!listBankNames(db, &names).isValid() && names.isEmpty());
    names = QStringList{QStringLiteral("stale")};
    QVERIFY(!listPayeeNickNames(db, &names).isValid() && names.isEmpty());
    names = QStringList{QStringLiteral("stale")};
    QVERIFY(!listLayoutBankNames(db, &names).isValid() && names.isEmpty());
}

void TestStatements::mixedCaseNamesOfTablesAndColumns()
{
    m_database->exec(QStringLiteral("insert into payee (payeenickname, PAYEENAME) values ('a', 'b')"));
    std::optional<QString> name;
    QVERIFY(!findPayeeName(db, QStringLiteral("A"), &name).isValid());
    QCOMPARE(name, std::optional<QString>(QStringLiteral("b")));
}

void TestStatements::banksAreAppendedAndFoundByName()
{
    const BankRow bank{QStringLiteral(" 400002 "), QStringLiteral("St. Mary's"), QStringLiteral("USD")};
    QVERIFY(!addBank(db, bank).isValid());
    QVERIFY(!addBank(db, bank).isValid());
    QVERIFY(!addBank(db, {QStringLiteral("2"), bank.bankName, QStringLiteral("EUR")}).isValid());
    QVERIFY(!addBank(db, {QStringLiteral("1"), QString(), QStringLiteral("INR")}).isValid());
    m_database->exec(QStringLiteral("insert into Bank values ('3', 'NoCurrency', NULL)"));

    QStringList names;
    QVERIFY(!listBankNames(db, &names).isValid());
    QCOMPARE(names, (QStringList{"St. Mary's", "St. Mary's", "St. Mary's", "", "NoCurrency"}));
    QCOMPARE(countRows(db, QStringLiteral("Bank where Bankname = ''")), 1);  // text, not NULL
    QSqlQuery stored(QStringLiteral("select MICRCODE from Bank order by rowid"), db);
    QVERIFY(stored.next());
    QCOMPARE(stored.value(0).toString(), QStringLiteral(" 400002 "));

    std::optional<QString> currency;
    QVERIFY(!findBankCurrency(db, QStringLiteral("st. mary's"), &currency).isValid());
    QCOMPARE(currency, std::optional<QString>(QStringLiteral("USD")));  // the first row found
    QVERIFY(!findBankCurrency(db, QStringLiteral("NoCurrency"), &currency).isValid());
    QVERIFY(currency.has_value() && currency->isNull());
    QVERIFY(!findBankCurrency(db, QStringLiteral("x' or '1'='1"), &currency).isValid());
    QVERIFY(!currency.has_value());
}

void TestStatements::layoutKeepsEveryNumberAndMissingOnes()
{
    LayoutRow saved = layoutFor(QStringLiteral("SBI"), 0.1);
    saved.positions[AmtWidth] = std::nullopt;
    QVERIFY(!replaceLayout(db, saved).isValid());
    m_database->exec(QStringLiteral("update Positions set Scalemode = NULL"));

    std::optional<LayoutRow> loaded;
    QVERIFY(!findLayout(db, QStringLiteral("SBI"), &loaded).isValid());
    QVERIFY(loaded->scaleMode.isNull());
    QCOMPARE(loaded->positions, saved.positions);
    QVERIFY(!findLayout(db, QStringLiteral("Nobody"), &loaded).isValid());
    QVERIFY(!loaded.has_value());
}

QTEST_GUILESS_MAIN(TestStatements)
#include "test_statements.moc"
