#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace store {

// The data file in use: "ql.mdb" beside the program or in the user's data
// folder (see datalocation.h).
QString databaseFilePath();

// Points the program at another file; tests and benchmarks use their own.
void useDatabaseFile(const QString &path);

enum class FileKind { Missing, Empty, SQLite, Jet, Other };
FileKind fileKindOf(const QString &path);

// Makes sure the data file can be used: a missing (or empty) file is made
// into a database with the four tables; an existing one is checked for them;
// an Access file of the older program is copied into a new one (the
// original kept beside it), and *notice then tells the user what came over.
// Returns what is wrong, in words for the user, or an empty text. A file
// that is not usable is never changed.
QString prepareDatabase(QString *notice = nullptr);
QString prepareDatabase(const QString &path, QString *notice = nullptr);

// One named connection to the data file, owned by a window or a handler
// and released with it. The file is opened read-write and never created.
class Connection
{
public:
    explicit Connection(const QString &owner);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool isOpen() const { return m_db.isOpen(); }
    QSqlError error() const { return m_error; }
    QSqlDatabase database() const { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
    QSqlError m_error;
};

} // namespace store
