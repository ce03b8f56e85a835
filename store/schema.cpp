#include "schema.h"

#include "registerschema.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <array>
#include <functional>

namespace store {
namespace {

struct Table {
    QString name;
    QStringList columns;
    QString create;
};

// Columns in the order users see them (the register report shows its table
// as it stands). Names that identify a row compare without regard to case,
// so "HDFC" and "hdfc" are one bank.
const std::array<Table, 4> tables = {{
    {QStringLiteral("Bank"),
     {"MICRCODE", "Bankname", "Currency"},
     QStringLiteral("CREATE TABLE Bank (MICRCODE TEXT, Bankname TEXT COLLATE NOCASE, "
                    "Currency TEXT)")},
    {QStringLiteral("Payee"),
     {"PayeeNickName", "Payeename"},
     QStringLiteral("CREATE TABLE Payee (PayeeNickName TEXT COLLATE NOCASE, Payeename TEXT)")},
    {QStringLiteral("Positions"),
     {"Scalemode", "Bankname", "DateTop", "DateLeft", "Datewidth", "nameTop", "nameleft",
      "namewidth", "AmtinWords1Top", "AmtinWords1Left", "AmtinWords1Width", "AmtinWords2Top",
      "AmtinWords2Left", "AmtinWords2Width", "AmtTop", "AmtLeft", "AmtWidth"},
     QStringLiteral("CREATE TABLE Positions (Scalemode TEXT, Bankname TEXT COLLATE NOCASE, "
                    "DateTop REAL, DateLeft REAL, Datewidth REAL, nameTop REAL, nameleft REAL, "
                    "namewidth REAL, AmtinWords1Top REAL, AmtinWords1Left REAL, "
                    "AmtinWords1Width REAL, AmtinWords2Top REAL, AmtinWords2Left REAL, "
                    "AmtinWords2Width REAL, AmtTop REAL, AmtLeft REAL, AmtWidth REAL)")},
    {QStringLiteral("ChqIssuereg"),
     {"DateofChq", "Payeename", "BankName", "PAyeeamt", "ChequeNo"},
     QStringLiteral("CREATE TABLE ChqIssuereg (DateofChq DATE, Payeename TEXT, "
                    "BankName TEXT COLLATE NOCASE, PAyeeamt TEXT, ChequeNo TEXT)")},
}};

// What the statements look rows up by.
const std::array<QString, 4> indexes = {
    QStringLiteral("CREATE INDEX BankByName ON Bank (Bankname)"),
    QStringLiteral("CREATE INDEX PayeeByNickName ON Payee (PayeeNickName)"),
    QStringLiteral("CREATE INDEX PositionsByBank ON Positions (Bankname)"),
    QStringLiteral("CREATE INDEX ChqIssueregByBankAndDate ON ChqIssuereg (BankName, DateofChq)"),
};

// Tables added since the first files were written: created with the four
// in a new file, and added to an older file when it is opened.
const std::array<QString, 1> addedTables = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS WordsChoice (Bankname TEXT COLLATE NOCASE "
                   "PRIMARY KEY, BreakByWidth INTEGER NOT NULL, FillAfterWords INTEGER NOT NULL)"),
};

QSqlError run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    query.exec(statement);
    return query.lastError();
}

} // namespace

namespace {

// Every table added since the four: a new file gets them with the four, an
// older one when it is opened.
QSqlError addAddedTables(const QSqlDatabase &db)
{
    for (const QString &table : addedTables) {
        if (const QSqlError error = run(db, table); error.isValid())
            return error;
    }
    return addRegisterTables(db);
}

// All of a step or none of it, so a failure leaves the file as it was.
QSqlError inOneTransaction(const QSqlDatabase &db, const std::function<QSqlError()> &step)
{
    QSqlDatabase connection = db;
    if (!connection.transaction())
        return connection.lastError();
    QSqlError error = step();
    if (!error.isValid() && !connection.commit())
        error = connection.lastError();
    if (error.isValid())
        connection.rollback();
    return error;
}

} // namespace

QSqlError createTables(const QSqlDatabase &db)
{
    return inOneTransaction(db, [&db] {
        QStringList statements;
        for (const Table &table : tables)
            statements << table.create;
        for (const QString &index : indexes)
            statements << index;
        for (const QString &statement : statements) {
            if (const QSqlError error = run(db, statement); error.isValid())
                return error;
        }
        return addAddedTables(db);
    });
}

QSqlError createAddedTables(const QSqlDatabase &db)
{
    return inOneTransaction(db, [&db] { return addAddedTables(db); });
}

QStringList missingTablesAndColumns(const QSqlDatabase &db)
{
    QStringList missing;
    const QStringList present = db.tables();
    for (const Table &table : tables) {
        const bool found = present.contains(table.name, Qt::CaseInsensitive);
        if (!found) {
            missing << QStringLiteral("table %1").arg(table.name);
            continue;
        }
        const QSqlRecord record = db.record(table.name);
        for (const QString &column : table.columns) {
            if (record.indexOf(column) < 0)
                missing << QStringLiteral("column %1.%2").arg(table.name, column);
        }
    }
    return missing;
}

} // namespace store
