#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

namespace store {

// Prepares the statement on a fresh query of the connection, binds the
// values to its "?" in order and runs it; *query is left on its result.
QSqlError runBound(const QSqlDatabase &db, const QString &statement, const QVariantList &values,
                   QSqlQuery *query, bool forwardOnly = true);

// "Insert … on conflict (key) do update": the row of that key written
// afresh, in words every engine takes.
QString replaceStatement(const QString &table, const QString &key, const QStringList &columns);

} // namespace store
