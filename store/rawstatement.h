#pragma once

#include <QByteArrayView>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// The SQLite connection under a Qt connection; null when it is not an open
// SQLite database.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

// A statement run through SQLite's own interface on a Qt connection, for
// the bulk paths (the import of an older file, the register's CSV export)
// where Qt's handling of each value as a QVariant costs more than the work
// itself. Values are bound and stored as Qt's SQLite driver binds them, so
// either path reads what the other wrote.
class RawStatement
{
public:
    RawStatement(const QSqlDatabase &db, const QString &statement);
    ~RawStatement();
    RawStatement(const RawStatement &) = delete;
    RawStatement &operator=(const RawStatement &) = delete;

    // Why the statement could not be prepared, or could not run.
    QSqlError error() const { return m_error; }

    // Binds the values from the first placeholder on: null, a whole number,
    // a double, or text (a date as yyyy-MM-dd).
    void bind(const QVariantList &values);

    // Runs the statement once with its bound values; false on a failure.
    bool exec();

    // Steps to the next row of a query; false at the end or on a failure
    // (error() tells which).
    bool next();

    // A column of the current row: its UTF-8 bytes (empty for null), and
    // whether it holds no value.
    QByteArrayView text(int column) const;
    bool isNull(int column) const;

private:
    QSqlError failure(int code) const;

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    QSqlError m_error;
};

} // namespace store
