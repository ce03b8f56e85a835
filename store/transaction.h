#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <functional>

namespace store {

// Runs the steps as one transaction: all of them happen, or none.
QSqlError inTransaction(const QSqlDatabase &db, const std::function<QSqlError()> &steps);

} // namespace store
