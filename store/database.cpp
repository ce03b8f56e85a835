#include "database.h"

#include "datalocation.h"
#include "jetmigration.h"
#include "schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>

namespace store {
namespace {

QString &overriddenPath()
{
    static QString path;
    return path;
}

QSqlDatabase addConnection(const QString &name, const QString &path, bool mayCreate)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    // A plain open would quietly make an empty file where none is: "mode=rw"
    // opens only a file that is there.
    QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    if (!mayCreate)
        uri += QStringLiteral("?mode=rw");
    db.setDatabaseName(uri);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    return db;
}

QString uniqueConnectionName(const QString &owner)
{
    static quint64 counter = 0;
    return QStringLiteral("%1#%2").arg(owner).arg(++counter);
}

QString createDatabase(const QString &path, bool fileExisted)
{
    const QString name = uniqueConnectionName(QStringLiteral("create"));
    QString problem;
    {
        QSqlDatabase db = addConnection(name, path, true);
        QSqlError error;
        if (!db.open())
            error = db.lastError();
        else
            error = createTables(db);
        if (error.isValid())
            problem = QStringLiteral("The data file %1 could not be created.\n\n%2")
                          .arg(QDir::toNativeSeparators(path), error.text());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    // Leave no half-made file behind; a file the user had is kept.
    if (!problem.isEmpty() && !fileExisted)
        QFile::remove(path);
    return problem;
}

// The file and its folder, where SQLite keeps its journal while it writes.
bool canBeWritten(const QString &path)
{
    const QFileInfo file(path);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

QString checkDatabase(const QString &path)
{
    const QString name = uniqueConnectionName(QStringLiteral("check"));
    QString problem;
    {
        QSqlDatabase db = addConnection(name, path, false);
        if (!db.open()) {
            problem = QStringLiteral("The data file %1 could not be opened.\n\n%2")
                          .arg(QDir::toNativeSeparators(path), db.lastError().text());
        } else if (QSqlQuery schema(db); !schema.exec(QStringLiteral("select count(*) from sqlite_master"))) {
            problem = QStringLiteral("The data file %1 is damaged and cannot be read.\n\n%2\n\n"
                                     "The file has been left as it is.")
                          .arg(QDir::toNativeSeparators(path), schema.lastError().text());
        } else if (const QStringList missing = missingTablesAndColumns(db); !missing.isEmpty()) {
            problem = QStringLiteral("The data file %1 is not a Quillmark database, or it is "
                                     "damaged: it lacks %2.\n\nThe file has been left as it is.")
                          .arg(QDir::toNativeSeparators(path), missing.join(QStringLiteral(", ")));
        } else if (const QSqlError error = createAddedTables(db);
                   error.isValid() && canBeWritten(path)) {
            // A file from before the added tables gets them here. One that
            // cannot be written still opens, and the start says so.
            problem = QStringLiteral("The data file %1 could not be brought up to date.\n\n%2"
                                     "\n\nThe file has been left as it is.")
                          .arg(QDir::toNativeSeparators(path), error.text());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}

} // namespace

QString databaseFilePath()
{
    if (!overriddenPath().isEmpty())
        return overriddenPath();
    return dataLocation().file;
}

void useDatabaseFile(const QString &path)
{
    overriddenPath() = path;
}

FileKind fileKindOf(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return FileKind::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return FileKind::Other;
    const QByteArray header = file.read(32);
    if (header.isEmpty())
        return FileKind::Empty;
    if (header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return FileKind::SQLite;
    if (header.mid(4, 15) == "Standard Jet DB")
        return FileKind::Jet;
    return FileKind::Other;
}

QString prepareDatabase(QString *notice)
{
    return prepareDatabase(databaseFilePath(), notice);
}

QString prepareDatabase(const QString &path, QString *notice)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    switch (fileKindOf(path)) {
    case FileKind::Missing:
        return createDatabase(path, false);
    case FileKind::Empty:
        return createDatabase(path, true);
    case FileKind::SQLite:
        return checkDatabase(path);
    case FileKind::Jet:
        return migrateJetDatabase(path, notice);
    case FileKind::Other:
        break;
    }
    return QStringLiteral("The data file %1 is not a database Quillmark can read (it is not "
                          "an SQLite file).\n\nThe file has been left as it is.")
        .arg(shownPath);
}

Connection::Connection(const QString &owner)
    : m_name(uniqueConnectionName(owner))
{
    m_db = addConnection(m_name, databaseFilePath(), false);
    if (!m_db.open())
        m_error = m_db.lastError();
}

Connection::~Connection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

} // namespace store
