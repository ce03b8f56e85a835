#include "database.h"
#include "registerstatements.h"
#include "serveradmin.h"
#include "temporarydatabase.h"
#include "testserver.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

using namespace store;

namespace {

// Roles and logins are the server's, shared by its databases.
QString named(const QString &name)
{
    return QStringLiteral("%1_%2").arg(name).arg(QCoreApplication::applicationPid());
}

} // namespace

// scripts/server-setup's program, run as a supervisor runs it: as a login
// that owns the database and may create roles, its password in PGPASSWORD.
class TestServerSetup : public QObject
{
    Q_OBJECT
    const QString m_admin = named("qm_admin");
    const QString m_clerk = named("qm_clerk");
    std::unique_ptr<TemporaryDatabase> m_file;  // a desk's data file, to copy
    QStringList m_databases;                    // dropped before the admin

    QStringList addressOf(const QString &database)
    {
        return {"--host", qEnvironmentVariable("QUILLMARK_PG_HOST"), "--port",
                qEnvironmentVariable("QUILLMARK_PG_PORT"), "--username", m_admin,
                "--dbname", database};
    }

    // A fresh database of the admin's: empty, set up, or holding other tables.
    QString databaseHolding(const QString &contents)
    {
        static int counter = 0;
        const QString database = named("qm_setup") + QStringLiteral("_%1").arg(++counter);
        m_databases << database;
        testserver::exec("postgres",
                         QStringLiteral("Create database %1 owner %2").arg(database, m_admin));
        QString output;
        if (contents == "register" && runSetup(addressOf(database), "secret", &output) != 0)
            qFatal("%s", qPrintable(output));
        if (contents == "other")
            testserver::exec(database, "Create table Accounts (x integer)");
        return database;
    }

    int runSetup(const QStringList &arguments, const QString &password, QString *output)
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PGPASSWORD", password);
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QUILLMARK_SERVER_SETUP, arguments);
        program.waitForFinished(60000);
        *output = QString::fromUtf8(program.readAll());
        return program.exitCode();
    }

private slots:
    void initTestCase()
    {
        testserver::requireStarted();
        testserver::exec("postgres",
                         "Do $$ Begin If not exists (Select from pg_roles where rolname = "
                         "'quillmark_password_users') then Create role quillmark_password_users; "
                         "end if; end $$");
        testserver::exec("postgres", QStringLiteral("Create role %1 login createrole password "
                                                    "'secret' in role quillmark_password_users")
                                         .arg(m_admin));
        testserver::exec("postgres", QStringLiteral("Create role %1 login").arg(m_clerk));
        m_file = std::make_unique<TemporaryDatabase>();
        QVERIFY(!addRegisterEntry(m_file->db(), {QDate(2024, 4, 1), "P", "HDFC", "1.00", "7"})
                     .isValid());
    }
    void cleanupTestCase()
    {
        m_file.reset();
        for (const QString &database : std::as_const(m_databases))
            testserver::dropDatabase(database);
        for (const QString &role : {m_clerk, m_admin})
            testserver::exec("postgres", QStringLiteral("Drop role if exists %1").arg(role));
    }

    void messages_data()
    {
        QTest::addColumn<QString>("contents");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("saying");
        const QString clerkMember = m_clerk + " is a member of quillmark_clerk.";
        QTest::newRow("set up, with a clerk")
            << "empty" << QStringList{"--clerk", m_clerk} << "secret" << 0 << clerkMember;
        QTest::newRow("set up and copied")
            << "empty" << QStringList{"--copy-from", m_file->path()} << "secret" << 0
            << "  ChqIssuereg: 1 rows\n";
        QTest::newRow("set up before: kept")
            << "register" << QStringList{"--clerk", m_clerk} << "secret" << 0
            << "holds a Quillmark register already; it is kept as it is.";
        QTest::newRow("other tables")
            << "other" << QStringList() << "secret" << 1
            << "holds tables but no Quillmark register. Set up an empty database (createdb); "
               "nothing was changed.";
        QTest::newRow("unknown login")
            << "empty" << QStringList{"--clerk", "nobody"} << "secret" << 1
            << "The server has no login nobody: make it first (createuser --pwprompt nobody).";
        QTest::newRow("wrong password")
            << "empty" << QStringList() << "wrong" << 1 << "Could not connect to the server";
        QTest::newRow("no server there")
            << "empty" << QStringList{"--host", "/nonexistent"} << "secret" << 1
            << "Could not connect to the server /nonexistent:";
        QTest::newRow("no database named")
            << "empty" << QStringList{"--dbname="} << "secret" << 1
            << "Name the database with --dbname";
    }
    void messages()
    {
        QFETCH(QString, contents);
        QFETCH(QStringList, arguments);
        QFETCH(QString, password);
        QFETCH(int, status);
        QFETCH(QString, saying);
        const QString database = databaseHolding(contents);
        QString output;
        const int exitStatus = runSetup(addressOf(database) + arguments, password, &output);
        QVERIFY2(output.contains(saying), qPrintable(output));
        QCOMPARE(exitStatus, status);
    }
};

QTEST_GUILESS_MAIN(TestServerSetup)
#include "test_serversetup.moc"
