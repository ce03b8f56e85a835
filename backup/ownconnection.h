#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

namespace backup {

// An SQLite connection of its own to a file that must exist, closed with
// this object.
class OwnConnection
{
public:
    OwnConnection(const QString &path, bool readOnly);
    ~OwnConnection();
    OwnConnection(const OwnConnection &) = delete;
    OwnConnection &operator=(const OwnConnection &) = delete;

    QSqlDatabase &db() { return m_db; }
    // SQLite's own handle, from Qt's driver.
    sqlite3 *handle() const;
    // Why it did not open, or an empty text.
    QString problem() const;

private:
    QString m_name;
    QSqlDatabase m_db;
};

} // namespace backup
