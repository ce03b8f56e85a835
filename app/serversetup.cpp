// quillmark-server-setup: sets up an empty PostgreSQL database as an
// office's shared register, gives logins their role, and copies a data
// file's rows into it (scripts/server-setup).
#include "database.h"
#include "serveraddress.h"
#include "serveradmin.h"
#include "servercopy.h"
#include "serverschema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <pwd.h>
#include <unistd.h>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

QString loginName()
{
    const passwd *entry = getpwuid(getuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

struct Request {
    store::ServerAddress server;
    QStringList supervisors;
    QStringList clerks;
    QString copyFrom;
};

// libpq's own option names (-h is help, so the host is --host only); the
// password comes from ~/.pgpass or PGPASSWORD, never from the command line,
// where others could read it.
bool parse(const QStringList &arguments, Request *request)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sets up an empty PostgreSQL database as Quillmark's shared register, run as a login "
        "that owns the database and may create roles. The password is read from ~/.pgpass or "
        "PGPASSWORD."));
    parser.addHelpOption();
    const QCommandLineOption host(QStringLiteral("host"),
                                  QStringLiteral("The server's name, or its socket folder."),
                                  QStringLiteral("host"));
    const QCommandLineOption port({QStringLiteral("p"), QStringLiteral("port")},
                                  QStringLiteral("The server's port (5432)."),
                                  QStringLiteral("port"), QStringLiteral("5432"));
    const QCommandLineOption dbname({QStringLiteral("d"), QStringLiteral("dbname")},
                                    QStringLiteral("The database (required)."),
                                    QStringLiteral("name"));
    const QCommandLineOption username({QStringLiteral("U"), QStringLiteral("username")},
                                      QStringLiteral("The login to set up as."),
                                      QStringLiteral("login"));
    const QCommandLineOption supervisor(QStringLiteral("supervisor"),
                                        QStringLiteral("Makes the login a supervisor."),
                                        QStringLiteral("login"));
    const QCommandLineOption clerk(QStringLiteral("clerk"),
                                   QStringLiteral("Makes the login a clerk."),
                                   QStringLiteral("login"));
    const QCommandLineOption copyFrom(QStringLiteral("copy-from"),
                                      QStringLiteral("Copies this data file's rows into the "
                                                     "register, which must hold none yet."),
                                      QStringLiteral("ql.mdb"));
    parser.addOptions({host, port, dbname, username, supervisor, clerk, copyFrom});
    parser.process(arguments);
    bool portIsNumber = false;
    request->server.host = parser.value(host);
    request->server.port = parser.value(port).toInt(&portIsNumber);
    request->server.database = parser.value(dbname);
    // libpq's default, named so that messages can say who tried.
    request->server.user = parser.isSet(username)
        ? parser.value(username)
        : qEnvironmentVariable("PGUSER", loginName());
    request->supervisors = parser.values(supervisor);
    request->clerks = parser.values(clerk);
    request->copyFrom = parser.value(copyFrom);
    if (request->server.database.isEmpty() || !portIsNumber) {
        err() << "Name the database with --dbname, and the port as a number.\n";
        return false;
    }
    return true;
}

// 1. Sets up an empty database; a register set up before is kept.
bool setUp(const QSqlDatabase &db, const Request &request)
{
    const QString name = request.server.database;
    store::ServerContents contents{};
    QSqlError error = store::findServerContents(db, &contents);
    if (!error.isValid() && contents == store::ServerContents::Other) {
        err() << "The database " << name << " holds tables but no Quillmark register. "
              << "Set up an empty database (createdb); nothing was changed.\n";
        return false;
    }
    if (!error.isValid() && contents == store::ServerContents::Register) {
        out() << "The database " << name << " holds a Quillmark register already; it is kept "
              << "as it is.\n";
        return true;
    }
    if (!error.isValid())
        error = store::setUpServer(db);
    if (error.isValid()) {
        err() << "The database " << name << " could not be set up; nothing was changed.\n"
              << error.text() << "\n";
        return false;
    }
    out() << "The database " << name << " is set up as a shared register, with the roles "
          << store::supervisorRole << " and " << store::clerkRole << ".\n";
    return true;
}

// 2. Gives each login its role.
bool grantRoles(const QSqlDatabase &db, const Request &request)
{
    const std::pair<const QStringList &, QString> roles[] = {
        {request.supervisors, store::supervisorRole}, {request.clerks, store::clerkRole}};
    for (const auto &[logins, role] : roles) {
        for (const QString &login : logins) {
            if (const QSqlError error = store::grantRole(db, role, login); error.isValid()) {
                err() << login << " was not made a member of " << role << ".\n"
                      << error.text() << "\n";
                return false;
            }
            out() << login << " is a member of " << role << ".\n";
        }
    }
    return true;
}

// 3. Copies the data file, when one is named.
bool copyFile(const QSqlDatabase &db, const Request &request)
{
    if (request.copyFrom.isEmpty())
        return true;
    const QString file = QDir::toNativeSeparators(request.copyFrom);
    QList<store::CopiedTable> copied;
    if (const QSqlError error = store::copyFileToServer(request.copyFrom, db, &copied);
        error.isValid()) {
        err() << "The data file " << file << " was not copied; the register and the file are "
              << "left as they were.\n" << error.text() << "\n";
        return false;
    }
    out() << "Copied from " << file << " (left as it is):\n";
    for (const store::CopiedTable &table : std::as_const(copied))
        out() << "  " << table.table << ": " << table.rows << " rows\n";
    return true;
}

int run(const Request &request)
{
    store::useServer(request.server);
    const store::Connection connection(QStringLiteral("server-setup"));
    if (!connection.isOpen()) {
        err() << "Could not connect to " << store::registerInUse() << ".\n"
              << connection.error().text() << "\n"
              << "A password is read from ~/.pgpass or PGPASSWORD.\n";
        return 1;
    }
    const QSqlDatabase db = connection.database();
    const bool done = setUp(db, request) && grantRoles(db, request) && copyFile(db, request);
    return done ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillmark-server-setup"));
    Request request;
    if (!parse(QCoreApplication::arguments(), &request))
        return 1;
    return run(request);
}
