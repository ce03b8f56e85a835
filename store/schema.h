#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

namespace store {

// Creates the four tables and their indexes, in one transaction.
QSqlError createTables(const QSqlDatabase &db);

// What the database lacks of the four tables ("table Payee",
// "column Positions.AmtTop"); empty when it has everything.
QStringList missingTablesAndColumns(const QSqlDatabase &db);

} // namespace store
