#pragma once

#include <QSqlDatabase>
#include <QSqlError>

namespace store {

// What the register needs beyond its own table: the void marks and their
// history, and the index that finds a bank's cheque by its number. Made
// only where missing, so a file of any age gets them; the register's own
// rows and columns are never touched.
QSqlError addRegisterTables(const QSqlDatabase &db);

} // namespace store
