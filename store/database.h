#pragma once

#include "datalocation.h"
#include "serveraddress.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <functional>

namespace store {

// The data file in use: "ql.mdb" beside the program or in the user's data
// folder (see datalocation.h).
QString databaseFilePath();

// Points the program at another file; tests and benchmarks use their own.
void useDatabaseFile(const QString &path);

// What is at the path, looked at without opening anything that could block
// (a named pipe) or following a link that leads nowhere. NotAFile is a
// folder, pipe, device or dangling link; Access2007 an ".accdb" file.
enum class FileKind { Missing, Empty, SQLite, Jet, Access2007, NotAFile, Other };
FileKind fileKindOf(const QString &path);

// What is at a path that is no regular file, for a message ("a named pipe
// (FIFO)", "missing"); empty for a regular file or a link to one. Looked
// at before a file the user chose is opened, since a pipe or a device would
// be read for ever.
QString notARegularFile(const QString &path);

// Makes sure the data file can be used: a missing (or empty) file is made
// into a database with the four tables (a missing one under a name of its
// own, moved into place only while no other copy of the program has made
// one); an existing one is checked for them, and *notice warns when it
// cannot be written to;
// an Access file of the older program is copied into a new one (the
// original kept beside it), and *notice then tells the user what came over.
// Returns what is wrong, in words for the user, or an empty text. A file
// that is not usable is never changed.
QString prepareDatabase(QString *notice = nullptr);
QString prepareDatabase(const QString &path, QString *notice = nullptr);
// The same for the file a location chose: its problem (no home known, a
// folder that cannot be made) is returned, and a new file made while
// another one is left unused is told in *notice, naming both.
QString prepareDataLocation(const DataLocation &location, QString *notice);

// Brings an Access file of the older program over (the program links the
// reader of those files, the store does not); returns what failed, and
// tells in *notice what came over. Without one, such a file is refused.
using JetMigration = std::function<QString(const QString &path, QString *notice)>;
void useJetMigration(const JetMigration &migrate);

// Runs before the tables of an existing file are changed (an older file
// brought up to date), so that a copy of it can be taken first.
using BeforeTablesChange = std::function<void(const QString &path)>;
void useBeforeTablesChange(const BeforeTablesChange &hook);

// One named connection to the data file, owned by a window or a handler
// and released with it. The file is opened read-write and never created.
class Connection
{
public:
    explicit Connection(const QString &owner);
    // A connection to that server, whatever register is in use: a server is
    // tried before the program turns to it.
    Connection(const QString &owner, const ServerAddress &server);
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
