#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

namespace store {

// Creates the four tables, their indexes and the added tables, in one
// transaction.
QSqlError createTables(const QSqlDatabase &db);
// The same steps inside a transaction the caller holds.
QSqlError createTablesSteps(const QSqlDatabase &db);

// Creates the tables added since the four, where they are missing, in one
// transaction.
QSqlError createAddedTables(const QSqlDatabase &db);

// Whether an older file lacks any of the added tables: they are made and
// taken back again.
QSqlError addedTablesWanting(const QSqlDatabase &db, bool *wanting);

// What the database lacks of the four tables ("table Payee",
// "column Positions.AmtTop"); empty when it has everything.
QStringList missingTablesAndColumns(const QSqlDatabase &db);

} // namespace store
