#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

namespace store {

// Prepares the statement on a fresh query of the connection, binds the
// values to its "?" in order and runs it; *query is left on its result.
QSqlError runBound(const QSqlDatabase &db, const QString &statement, const QVariantList &values,
                   QSqlQuery *query, bool forwardOnly = true);

} // namespace store
