#include "database.h"

#include "datalocation.h"
#include "dialect.h"
#include "schema.h"
#include "serveraddress.h"
#include "workfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace store {
namespace {

QString &overriddenPath()
{
    static QString path;
    return path;
}

std::optional<ServerAddress> &chosenServer()
{
    static std::optional<ServerAddress> server;
    return server;
}

JetMigration &jetMigration()
{
    static JetMigration migrate;
    return migrate;
}

BeforeTablesChange &beforeTablesChange()
{
    static BeforeTablesChange hook;
    return hook;
}

QSqlDatabase addConnection(const QString &name, const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    // A plain open would quietly make an empty file where none is: "mode=rw"
    // opens only a file that is there.
    db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)
                       + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    return db;
}

// libpq's own words for the address; an empty password lets libpq read
// the user's password file.
QSqlDatabase addServerConnection(const QString &name, const ServerAddress &server)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setDatabaseName(server.database);
    db.setUserName(server.user);
    if (!server.password.isEmpty())
        db.setPassword(server.password);
    // The server's notices (a table already there) are for its log, not
    // the user's terminal.
    QStringList options{QStringLiteral("connect_timeout=10"),
                        QStringLiteral("application_name=Quillmark"),
                        QStringLiteral("options='-c client_min_messages=warning'")};
    switch (server.tls) {
    case ServerAddress::Tls::None:
        break;
    case ServerAddress::Tls::Require:
        options << QStringLiteral("sslmode=require");
        break;
    case ServerAddress::Tls::VerifyFull:
        options << QStringLiteral("sslmode=verify-full")
                << QStringLiteral("sslrootcert=%1").arg(server.rootCertificate);
        break;
    }
    db.setConnectOptions(options.join(QLatin1Char(';')));
    return db;
}

QString uniqueConnectionName(const QString &owner)
{
    static std::atomic<quint64> counter = 0;
    return QStringLiteral("%1#%2").arg(owner).arg(++counter);
}

QString creationFailure(const QString &path, const QString &why)
{
    return QStringLiteral("The data file %1 could not be created.\n\n%2")
        .arg(QDir::toNativeSeparators(path), why);
}

// The kind of network file system the file lies on, or an empty text for a
// local disk: write-ahead logging needs memory shared between the copies of
// the program, which a network share cannot give.
QString networkFileSystemOf(const QString &path)
{
    struct statfs fs{};
    if (statfs(QFile::encodeName(path).constData(), &fs) != 0)
        return {};
    switch (quint32(fs.f_type)) {
    case 0x6969: return QStringLiteral("NFS");
    case 0x517B: return QStringLiteral("SMB");
    case 0xFF534D42: return QStringLiteral("CIFS");
    case 0xFE534D42: return QStringLiteral("SMB2");
    case 0x5346414F: return QStringLiteral("AFS");
    case 0x00C36400: return QStringLiteral("Ceph");
    case 0x65735546: return QStringLiteral("FUSE");
    default: return {};
    }
}

// Readers never block the writer: a report left open keeps no cheque from
// being recorded. The mode is kept in the file once set.
void letReadersNeverBlock(QSqlDatabase db, const QString &path)
{
    if (networkFileSystemOf(path).isEmpty())
        QSqlQuery(db).exec(dialect::readersNeverBlockStatement);
}

QString networkShareNotice(const QString &path)
{
    const QString kind = networkFileSystemOf(path);
    if (kind.isEmpty())
        return {};
    return QStringLiteral("The data file %1 lies on a network share (%2). Quillmark keeps its "
                          "data file on a local disk: there, a report left open never keeps a "
                          "printed cheque from being recorded. Here it may, and two copies of "
                          "Quillmark may wait for each other. Move the file to a local disk.")
        .arg(QDir::toNativeSeparators(path), kind);
}

// Makes the four tables in the file, which may be empty but not missing.
QSqlError createTablesIn(const QString &path)
{
    const QString name = uniqueConnectionName(QStringLiteral("create"));
    QSqlError error;
    {
        QSqlDatabase db = addConnection(name, path);
        if (!db.open())
            error = db.lastError();
        else
            error = createTables(db);
        if (!error.isValid())
            letReadersNeverBlock(db, path);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

// Two copies of the program may start at once: each makes its database
// under a name of its own, and link() puts it in place only while there is
// none. The one that comes second uses the first one's file.
QString createDatabase(const QString &path)
{
    WorkFile work(path, QStringLiteral("new"));
    if (!work.isOpen())
        return creationFailure(path, work.errorString());
    if (const QSqlError error = createTablesIn(work.path()); error.isValid())
        return creationFailure(path, error.text());
    syncFile(work.path());
    if (link(QFile::encodeName(work.path()).constData(), QFile::encodeName(path).constData()) != 0
        && errno != EEXIST)
        return creationFailure(path, qt_error_string(errno));
    syncFolderOf(path);
    return {};
}

QString inUse(const QString &path)
{
    return QStringLiteral("The data file %1 is in use by another program. Close that program "
                          "and start Quillmark again.\n\nThe file has been left as it is.")
        .arg(QDir::toNativeSeparators(path));
}

bool isLockedError(const QSqlError &error)
{
    // SQLITE_BUSY and SQLITE_LOCKED: another program holds the file.
    return error.nativeErrorCode() == QLatin1String("5")
        || error.nativeErrorCode() == QLatin1String("6");
}

// Whether a write can be made: SQLite opens a file it may not write to
// read-only without a word, and a read-only folder fails only when the
// journal is made. A table made and rolled back leaves nothing behind. A
// file another copy is writing to is busy, not unwritable: the probe waits
// for it (each try the connection's busy timeout) and then says so.
QString unwritableNotice(QSqlDatabase db, const QString &path)
{
    const int tries = 3;
    QSqlError error;
    for (int attempt = 0; attempt < tries; ++attempt) {
        QSqlQuery probe(db);
        const bool writable = probe.exec(QStringLiteral("BEGIN IMMEDIATE"))
            && probe.exec(QStringLiteral("CREATE TABLE QuillmarkWriteProbe (x)"));
        error = probe.lastError();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        if (writable)
            return {};
        if (!isLockedError(error))
            break;
    }
    if (isLockedError(error))
        return QStringLiteral("The data file %1 is busy: another program, perhaps another copy "
                              "of Quillmark, is writing to it. What you save waits until it is "
                              "free; if it stays busy, close the other program.")
            .arg(QDir::toNativeSeparators(path));
    return QStringLiteral("The data file %1 cannot be written to (%2), so nothing can be "
                          "saved: banks, payees and layouts you enter and the cheques you "
                          "print will not be kept.")
        .arg(QDir::toNativeSeparators(path), error.text().trimmed());
}

// What is wrong with an open SQLite file, or an empty text.
QString problemOf(QSqlDatabase db, const QString &path)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    if (QSqlQuery schema(db); !schema.exec(QStringLiteral("select count(*) from sqlite_master"))) {
        if (isLockedError(schema.lastError()))
            return inUse(path);
        return QStringLiteral("The data file %1 is damaged and cannot be read.\n\n%2\n\n"
                              "The file has been left as it is.")
            .arg(shownPath, schema.lastError().text());
    }
    if (const QStringList missing = missingTablesAndColumns(db); !missing.isEmpty())
        return QStringLiteral("The data file %1 is not a Quillmark database, or it is "
                              "damaged: it lacks %2.\n\nThe file has been left as it is.")
            .arg(shownPath, missing.join(QStringLiteral(", ")));
    return {};
}

// A file from before the added tables gets them here, all or none.
QString addedTablesProblem(const QSqlDatabase &db, const QString &path)
{
    bool wanting = false;
    QSqlError error = addedTablesWanting(db, &wanting);
    if (wanting && beforeTablesChange())
        beforeTablesChange()(path);
    if (!error.isValid() && wanting)
        error = createAddedTables(db);
    if (!error.isValid())
        return {};
    return QStringLiteral("The data file %1 could not be brought up to date.\n\n%2\n\n"
                          "The file has been left as it is.")
        .arg(QDir::toNativeSeparators(path), error.text());
}

QString checkDatabase(const QString &path, QString *notice)
{
    const QString name = uniqueConnectionName(QStringLiteral("check"));
    QString problem;
    {
        QSqlDatabase db = addConnection(name, path);
        if (!db.open())
            problem = QStringLiteral("The data file %1 could not be opened.\n\n%2")
                          .arg(QDir::toNativeSeparators(path), db.lastError().text());
        else
            problem = problemOf(db, path);
        if (problem.isEmpty()) {
            // A file that cannot be written still opens, without the tables
            // added since it was made.
            const QString unwritable = unwritableNotice(db, path);
            if (unwritable.isEmpty())
                problem = addedTablesProblem(db, path);
            if (unwritable.isEmpty() && problem.isEmpty())
                letReadersNeverBlock(db, path);
            if (notice)
                *notice = unwritable.isEmpty() ? networkShareNotice(path) : unwritable;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}

// What a path that is no file is, for the message.
QString whatIsAt(const QString &path)
{
    struct stat link{};
    if (lstat(QFile::encodeName(path).constData(), &link) != 0)
        return QStringLiteral("missing");
    struct stat target{};
    if (S_ISLNK(link.st_mode) && stat(QFile::encodeName(path).constData(), &target) != 0)
        return QStringLiteral("a link to %1, which does not exist")
            .arg(QDir::toNativeSeparators(QFileInfo(path).symLinkTarget()));
    if (S_ISDIR(target.st_mode) || S_ISDIR(link.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(target.st_mode) || S_ISFIFO(link.st_mode))
        return QStringLiteral("a named pipe (FIFO)");
    return QStringLiteral("a device or socket");
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
    chosenServer().reset();
}

void useServer(const ServerAddress &address)
{
    chosenServer() = address;
}

std::optional<ServerAddress> serverInUse()
{
    return chosenServer();
}

QString registerInUse()
{
    if (const auto server = chosenServer())
        return QStringLiteral("the server %1:%2, database %3, as %4")
            .arg(server->host.isEmpty() ? QStringLiteral("localhost") : server->host)
            .arg(server->port)
            .arg(server->database, server->user);
    return QStringLiteral("the file %1").arg(QDir::toNativeSeparators(databaseFilePath()));
}

FileKind fileKindOf(const QString &path)
{
    // stat() first: opening a named pipe would wait for a writer for ever.
    struct stat link{};
    if (lstat(QFile::encodeName(path).constData(), &link) != 0)
        return FileKind::Missing;
    struct stat target{};
    if (stat(QFile::encodeName(path).constData(), &target) != 0 || !S_ISREG(target.st_mode))
        return FileKind::NotAFile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileKind::Other;
    const QByteArray header = file.read(32);
    if (header.isEmpty())
        return FileKind::Empty;
    if (header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return FileKind::SQLite;
    if (header.mid(4, 15) == "Standard Jet DB")
        return FileKind::Jet;
    if (header.mid(4, 15) == "Standard ACE DB")
        return FileKind::Access2007;
    return FileKind::Other;
}

QString notARegularFile(const QString &path)
{
    struct stat target{};
    if (stat(QFile::encodeName(path).constData(), &target) == 0 && S_ISREG(target.st_mode))
        return {};
    return whatIsAt(path);
}

void useJetMigration(const JetMigration &migrate)
{
    jetMigration() = migrate;
}

void useBeforeTablesChange(const BeforeTablesChange &hook)
{
    beforeTablesChange() = hook;
}

QString prepareDatabase(QString *notice)
{
    if (!overriddenPath().isEmpty())
        return prepareDatabase(overriddenPath(), notice);
    return prepareDataLocation(dataLocation(), notice);
}

QString prepareDataLocation(const DataLocation &location, QString *notice)
{
    if (!location.problem.isEmpty())
        return location.problem;
    const bool made = fileKindOf(location.file) == FileKind::Missing;
    QString problem = prepareDatabase(location.file, notice);
    if (problem.isEmpty() && made && !location.unusedFile.isEmpty() && notice)
        *notice = QStringLiteral("Quillmark made a new, empty data file and uses it:\n%1\n\n"
                                 "Another data file, which is not used, is at\n%2\n\nIf your "
                                 "banks, payees and cheques are in that one, close Quillmark "
                                 "and put it in the place of the new file. The About box (F1 "
                                 "in the main menu) names both.")
                      .arg(QDir::toNativeSeparators(location.file),
                           QDir::toNativeSeparators(location.unusedFile));
    return problem;
}

QString prepareDatabase(const QString &path, QString *notice)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    removeAbandonedWorkFiles(path);
    switch (fileKindOf(path)) {
    case FileKind::Missing:
        if (QString problem = createDatabase(path); !problem.isEmpty())
            return problem;
        return checkDatabase(path, notice);
    case FileKind::Empty:
        // Made in place: the file is the user's, and is never removed.
        if (const QSqlError error = createTablesIn(path); error.isValid())
            return creationFailure(path, error.text());
        return {};
    case FileKind::SQLite:
        return checkDatabase(path, notice);
    case FileKind::Jet:
        // The rows brought over are then keyed, and the file set up, as any.
        if (jetMigration()) {
            const QString problem = jetMigration()(path, notice);
            return problem.isEmpty() ? checkDatabase(path, nullptr) : problem;
        }
        return QStringLiteral("The data file %1 is an Access (Jet) database of the older "
                              "program, which this build of Quillmark cannot read.\n\n"
                              "The file has been left as it is.")
            .arg(shownPath);
    case FileKind::Access2007:
        return QStringLiteral("The data file %1 is an Access 2007 or later file (.accdb). "
                              "Quillmark reads only the older Access format: open the file in "
                              "Access and save it in Access 2000 format first.\n\n"
                              "The file has been left as it is.")
            .arg(shownPath);
    case FileKind::NotAFile:
        return QStringLiteral("The data file %1 is %2, not a file, so Quillmark cannot use "
                              "it.\n\nIt has been left as it is.")
            .arg(shownPath, whatIsAt(path));
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
    m_db = chosenServer() ? addServerConnection(m_name, *chosenServer())
                          : addConnection(m_name, databaseFilePath());
    if (!m_db.open())
        m_error = m_db.lastError();
}

Connection::Connection(const QString &owner, const ServerAddress &server)
    : m_name(uniqueConnectionName(owner))
    , m_db(addServerConnection(m_name, server))
{
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
