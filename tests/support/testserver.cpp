#include "testserver.h"

#include "database.h"
#include "serverschema.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>
#include <cstdlib>

namespace testserver {
namespace {

// Runs the steps on a connection of the superuser's own, closed afterwards.
template<typename Steps>
void asOwner(const QString &database, Steps steps)
{
    const store::Connection owner(QStringLiteral("testserver"), ownerOf(database));
    if (!owner.isOpen())
        qFatal("Cannot reach the test server: %s", qPrintable(owner.error().text()));
    steps(owner.database());
}

void run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
}

} // namespace

bool wanted()
{
    return qEnvironmentVariable("QUILLMARK_TEST_ENGINE") == QLatin1String("postgresql");
}

void requireStarted()
{
    if (qEnvironmentVariableIsSet("QUILLMARK_PG_HOST"))
        return;
    std::puts("SKIP: no test server; source scripts/postgres.sh first");
    std::exit(77);
}

store::ServerAddress ownerOf(const QString &database)
{
    store::ServerAddress address;
    address.host = qEnvironmentVariable("QUILLMARK_PG_HOST");
    address.port = qEnvironmentVariableIntValue("QUILLMARK_PG_PORT");
    address.user = qEnvironmentVariable("QUILLMARK_PG_USER");
    address.database = database;
    return address;
}

QString createRegisterDatabase()
{
    requireStarted();
    static int counter = 0;
    const QString database = QStringLiteral("quillmark_test_%1_%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(++counter);
    asOwner(QStringLiteral("postgres"), [&](const QSqlDatabase &db) {
        run(db, QStringLiteral("CREATE DATABASE %1").arg(database));
    });
    asOwner(database, [&](const QSqlDatabase &db) {
        if (const QSqlError error = store::setUpServer(db); error.isValid())
            qFatal("Cannot set up the test database: %s", qPrintable(error.text()));
    });
    return database;
}

void dropDatabase(const QString &database)
{
    asOwner(QStringLiteral("postgres"), [&](const QSqlDatabase &db) {
        run(db, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(database));
    });
}

void useRegisterAt(const QString &location)
{
    if (wanted())
        store::useServer(ownerOf(location));
    else
        store::useDatabaseFile(location);
}

void exec(const QString &database, const QString &statement)
{
    asOwner(database, [&](const QSqlDatabase &db) { run(db, statement); });
}

} // namespace testserver
