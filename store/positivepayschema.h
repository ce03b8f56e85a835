#pragma once

#include <QSqlDatabase>
#include <QSqlError>

namespace store {

// The tables of Positive Pay files: each bank's account details, the
// user's layouts, and every file sent with the cheques it held. Made only
// where missing.
QSqlError addPositivePayTables(const QSqlDatabase &db);

} // namespace store
