#include "schema.h"

#include "chequestyle.h"
#include "dialect.h"
#include "positivepayschema.h"
#include "registerschema.h"
#include "tablecolumns.h"
#include "transaction.h"

#include <QSqlQuery>
#include <algorithm>
#include <QSqlRecord>
#include <array>

namespace store {
namespace {

// Columns in the order users see them (the register report shows its table
// as it stands). Names that identify a row compare without regard to case,
// so "HDFC" and "hdfc" are one bank.
const std::array<QString, 4> creates = {
    QStringLiteral("CREATE TABLE Bank (MICRCODE TEXT, Bankname TEXT COLLATE NOCASE, "
                   "Currency TEXT)"),
    QStringLiteral("CREATE TABLE Payee (PayeeNickName TEXT COLLATE NOCASE, Payeename TEXT)"),
    QStringLiteral("CREATE TABLE Positions (Scalemode TEXT, Bankname TEXT COLLATE NOCASE, "
                   "DateTop REAL, DateLeft REAL, Datewidth REAL, nameTop REAL, nameleft REAL, "
                   "namewidth REAL, AmtinWords1Top REAL, AmtinWords1Left REAL, "
                   "AmtinWords1Width REAL, AmtinWords2Top REAL, AmtinWords2Left REAL, "
                   "AmtinWords2Width REAL, AmtTop REAL, AmtLeft REAL, AmtWidth REAL)"),
    QStringLiteral("CREATE TABLE ChqIssuereg (DateofChq DATE, Payeename TEXT, "
                   "BankName TEXT COLLATE NOCASE, PAyeeamt TEXT, ChequeNo TEXT)"),
};

// What the statements look rows up by.
const std::array<QString, 4> indexes = {
    QStringLiteral("CREATE INDEX BankByName ON Bank (Bankname)"),
    QStringLiteral("CREATE INDEX PayeeByNickName ON Payee (PayeeNickName)"),
    QStringLiteral("CREATE INDEX PositionsByBank ON Positions (Bankname)"),
    QStringLiteral("CREATE INDEX ChqIssueregByBankAndDate ON ChqIssuereg (BankName, DateofChq)"),
};

// Tables added since the first files were written: created with the four
// in a new file, and added to an older file when it is opened.
const std::array<QString, 2> addedTables = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS WordsChoice (Bankname TEXT COLLATE NOCASE "
                   "PRIMARY KEY, BreakByWidth INTEGER NOT NULL, FillAfterWords INTEGER NOT NULL)"),
    createChequeStyleTable(),
};

QSqlError run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    query.exec(dialect::tableStatement(statement, engineOf(db)));
    return query.lastError();
}

// One of the four first tables, with the row ids a server does not give
// by itself.
QString withRowIds(const QString &create, Engine engine)
{
    return create.chopped(1) + dialect::rowIdColumn(engine) + QLatin1Char(')');
}

// Every table added since the four: a new file gets them with the four, an
// older one when it is opened.
QSqlError addAddedTables(const QSqlDatabase &db)
{
    for (const QString &table : addedTables) {
        if (const QSqlError error = run(db, table); error.isValid())
            return error;
    }
    if (const QSqlError error = addPositivePayTables(db); error.isValid())
        return error;
    return addRegisterTables(db);
}

} // namespace

QSqlError createTables(const QSqlDatabase &db)
{
    return inTransaction(db, [&] { return createTablesSteps(db); });
}

QSqlError createTablesSteps(const QSqlDatabase &db)
{
    for (const QString &create : creates) {
        if (const QSqlError error = run(db, withRowIds(create, engineOf(db))); error.isValid())
            return error;
    }
    for (const QString &index : indexes) {
        if (const QSqlError error = run(db, index); error.isValid())
            return error;
    }
    return addAddedTables(db);
}

QSqlError createAddedTables(const QSqlDatabase &db)
{
    return inTransaction(db, [&] { return addAddedTables(db); });
}

QSqlError addedTablesWanting(const QSqlDatabase &db, bool *wanting)
{
    // SQLite counts every change to the tables; the tables are taken back.
    const QString version = QStringLiteral("PRAGMA schema_version");
    QSqlQuery before(db);
    QSqlQuery after(db);
    QSqlDatabase connection = db;
    if (!connection.transaction())
        return connection.lastError();
    QSqlError error = before.exec(version) && before.next() ? QSqlError() : before.lastError();
    const QVariant versionBefore = before.value(0);
    // A statement left open would stop the trial from dropping a table.
    before.finish();
    if (!error.isValid())
        error = addAddedTables(db);
    if (!error.isValid() && !(after.exec(version) && after.next()))
        error = after.lastError();
    *wanting = !error.isValid() && versionBefore != after.value(0);
    after.finish();
    connection.rollback();
    return error;
}

QStringList missingTablesAndColumns(const QSqlDatabase &db)
{
    QStringList missing;
    const QStringList present = db.tables();
    for (const TableColumns &table : tableColumns()) {
        // By the name the database gives: a server keeps Bank as "bank".
        const auto found = std::find_if(present.cbegin(), present.cend(), [&](const QString &name) {
            return name.compare(table.table, Qt::CaseInsensitive) == 0;
        });
        if (found == present.cend()) {
            missing << QStringLiteral("table %1").arg(table.table);
            continue;
        }
        const QSqlRecord record = db.record(*found);
        for (const QString &column : table.columns) {
            if (record.indexOf(column) < 0)
                missing << QStringLiteral("column %1.%2").arg(table.table, column);
        }
    }
    return missing;
}

} // namespace store
