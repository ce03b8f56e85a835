#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <functional>

namespace store {

// Runs the steps as one transaction: all of them happen, or none.
QSqlError inTransaction(const QSqlDatabase &db, const std::function<QSqlError()> &steps);

} // namespace store

namespace store {

// A write transaction begun at once (BEGIN IMMEDIATE): the write lock is
// taken now, or the error says why it cannot be, rather than at the first
// write. Ended with commitWrite(), or rolled back with rollbackWrite().
QSqlError beginWrite(const QSqlDatabase &db);
QSqlError commitWrite(const QSqlDatabase &db);
void rollbackWrite(const QSqlDatabase &db);

// Runs the steps as one transaction that holds the write lock from its
// start, so that what the steps read stays true until they commit.
QSqlError inWriteTransaction(const QSqlDatabase &db, const std::function<QSqlError()> &steps);

} // namespace store
