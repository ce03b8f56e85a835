#include "connecting.h"
#include "database.h"
#include "serverchoice.h"
#include "serverstart.h"
#include "startup.h"
#include "testserver.h"
#include "windowchecks.h"

#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>

using store::ServerProblem;

namespace {

// Roles live beside every test's databases: their names are this run's own.
QString roleName(const QString &what)
{
    return QStringLiteral("quillmark_t%1_%2").arg(QCoreApplication::applicationPid()).arg(what);
}

const QString rightPassword = QStringLiteral("right horse battery");

// Where a check goes: the test server's socket, as a clerk on its register,
// unless a row says otherwise ("register" and "empty" name the test's own
// databases, "nobody" a user no server knows).
struct Place {
    QString host = qEnvironmentVariable("QUILLMARK_PG_HOST");
    int port = qEnvironmentVariableIntValue("QUILLMARK_PG_PORT");
    QString database = QStringLiteral("register");
    QString role = QStringLiteral("clerk");
    QString password;
    store::ServerAddress::Tls tls = store::ServerAddress::Tls::None;
    QString root;  // the root certificate verify-full checks by
};

} // namespace

class TestServerStart : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testserver::requireStarted();
        // The user's own ~/.pgpass never answers for the test roles.
        qputenv("PGPASSFILE", "/nonexistent/quillmark-test-pgpass");
        // libpq's words come in the user's language; its causes are told apart all the same.
        qputenv("LANGUAGE", "de");
        m_register = testserver::createRegisterDatabase();
        m_empty = QStringLiteral("quillmark_empty_%1").arg(QCoreApplication::applicationPid());
        testserver::exec(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE %1").arg(m_empty));
        testserver::exec(QStringLiteral("postgres"),
                         QStringLiteral("DO $$ BEGIN CREATE ROLE quillmark_password_users NOLOGIN; "
                                        "EXCEPTION WHEN duplicate_object OR unique_violation "
                                        "THEN NULL; END $$"));
        testserver::exec(QStringLiteral("postgres"),
                         QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2' IN ROLE "
                                        "quillmark_password_users, quillmark_clerk")
                             .arg(roleName("pw"), rightPassword));
        testserver::exec(QStringLiteral("postgres"),
                         QStringLiteral("CREATE ROLE %1 LOGIN IN ROLE quillmark_clerk").arg(roleName("clerk")));
        testserver::exec(QStringLiteral("postgres"),
                         QStringLiteral("CREATE ROLE %1 LOGIN").arg(roleName("norights")));
    }

    void cleanupTestCase()
    {
        testserver::dropDatabase(m_register);
        testserver::dropDatabase(m_empty);
        for (const char *role : {"pw", "clerk", "norights"})
            testserver::exec(QStringLiteral("postgres"),
                             QStringLiteral("DROP ROLE IF EXISTS %1").arg(roleName(role)));
    }

    void problemIsNamed_data()
    {
        QTest::addColumn<store::ServerAddress>("server");
        QTest::addColumn<ServerProblem>("problem");
        QTest::addColumn<QString>("named");  // what the message names
        const auto row = [this](const char *name, const Place &place, ServerProblem problem,
                                const QString &named) {
            store::ServerAddress server = address(place.host, place.port, place.database, place.role,
                                                  place.password, int(place.tls));
            server.rootCertificate = place.root;
            QTest::newRow(name) << server << problem << named;
        };
        using Tls = store::ServerAddress::Tls;
        const QString root = qEnvironmentVariable("QUILLMARK_PG_TLS_ROOT");
        row("a clerk on a set-up register", {}, ServerProblem::None, "");
        row("no password, none in the password file", {.role = "pw"}, ServerProblem::PasswordMissing,
            "password");
        row("a wrong password", {.role = "pw", .password = "wrong"}, ServerProblem::PasswordWrong,
            "refused the password");
        row("a database that does not exist", {.database = "quillmark_no_such_db"},
            ServerProblem::NoSuchDatabase, "quillmark_no_such_db");
        row("a user the server does not know", {.role = "nobody"}, ServerProblem::NoSuchUser,
            "knows no user");
        row("a database without the tables", {.database = "empty"}, ServerProblem::NotSetUp,
            "run scripts/server-setup");
        row("a role without rights: reading refused", {.role = "norights"}, ServerProblem::NoRights,
            "permission denied for table bank");
        row("no server on that port", {.port = 1}, ServerProblem::Unreachable, "cannot reach");
        row("nothing listening at an address", {.host = "127.0.0.1", .port = 1},
            ServerProblem::Unreachable, "127.0.0.1:1");
        row("TLS required", {.host = "localhost", .tls = Tls::Require}, ServerProblem::None, "");
        row("TLS verified by its root", {.host = "localhost", .tls = Tls::VerifyFull, .root = root},
            ServerProblem::None, "");
        row("a certificate for another name", {.host = "127.0.0.1", .tls = Tls::VerifyFull, .root = root},
            ServerProblem::Tls, "does not match");
        row("a certificate no chosen root signed",
            {.host = "localhost", .tls = Tls::VerifyFull, .root = "/etc/ssl/certs/ca-certificates.crt"},
            ServerProblem::Tls, "could not be secured");
        row("a root certificate that is not there",
            {.host = "localhost", .tls = Tls::VerifyFull, .root = "/nonexistent/root.crt"},
            ServerProblem::Tls, "/nonexistent/root.crt");
    }
    void problemIsNamed()
    {
        QFETCH(store::ServerAddress, server);
        QFETCH(ServerProblem, problem);
        QFETCH(QString, named);
        const store::ServerCheck check = store::checkServer(server);
        QCOMPARE(check.problem, problem);
        QVERIFY2(check.message.contains(named), qPrintable(check.message));
        QVERIFY(!check.message.contains(QStringLiteral("damaged")));
    }

    // At start a refused password is asked for again; the one typed then
    // serves every later connection.
    void passwordIsAskedAtStart()
    {
        RecordedMessages messages;
        int asked = 0;
        typeInPasswordWindow(QStringLiteral("wrong"), &asked);
        const auto chosen = address(qEnvironmentVariable("QUILLMARK_PG_HOST"),
                                    qEnvironmentVariableIntValue("QUILLMARK_PG_PORT"),
                                    "register", "pw", "", 0);
        QVERIFY(server::useChosenServerAtStart(chosen));
        QCOMPARE(asked, 2);
        QVERIFY(messages.all().isEmpty());
        QCOMPARE(store::serverInUse()->password, rightPassword);
        QVERIFY(store::Connection(QStringLiteral("later")).isOpen());
        store::useDatabaseFile({});
    }

    // The program's start: on the chosen server when it answers, else, when
    // the user says so, on the data file as ever.
    void startGoesToTheChosenServer_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("onServer");
        QTest::newRow("the server answers") << qEnvironmentVariable("QUILLMARK_PG_HOST") << true;
        QTest::newRow("no server there: the file") << "/nonexistent/quillmark" << false;
    }
    void startGoesToTheChosenServer()
    {
        QFETCH(QString, host);
        QFETCH(bool, onServer);
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("ql.mdb"));
        store::useDatabaseFile(file);
        server::keepServerChoice(address(host, qEnvironmentVariableIntValue("QUILLMARK_PG_PORT"),
                                         "register", "clerk", "", 0));
        RecordedMessages messages;
        QVERIFY(prepareDataFile());
        server::forgetServerChoice();
        QCOMPARE(store::serverInUse().has_value(), onServer);
        QCOMPARE(QFileInfo::exists(file), !onServer);
        // No to trying again: the file.
        QCOMPARE(messages.texts().filter(QStringLiteral("Try the server again?")).size(),
                 onServer ? 0 : 1);
        store::useDatabaseFile({});
    }

private:
    store::ServerAddress address(const QString &host, int port, const QString &database,
                                 const QString &role, const QString &password, int tls)
    {
        store::ServerAddress address;
        address.host = host;
        address.port = port;
        address.database = database == "register" ? m_register
                         : database == "empty"    ? m_empty
                                                  : database;
        address.user = role == "nobody" ? role : roleName(role);
        address.password = password;
        address.tls = store::ServerAddress::Tls(tls);
        return address;
    }

    // The first window gets `first`, the next the right password.
    void typeInPasswordWindow(const QString &first, int *asked)
    {
        inNextModal([=](QWidget *window) {
            ++*asked;
            QTest::keyClicks(control(window, "txtPassword"), first);
            QTest::keyClick(control(window, "txtPassword"), Qt::Key_Return);
            inNextModal([=](QWidget *again) {
                ++*asked;
                QVERIFY(control<QLabel>(again, "lblReason")->text().contains("refused the password"));
                QTest::keyClicks(control(again, "txtPassword"), rightPassword);
                QTest::keyClick(control(again, "txtPassword"), Qt::Key_Return);
            }, QStringLiteral("frmPassword"));
        }, QStringLiteral("frmPassword"));
    }

    QString m_register;
    QString m_empty;
};

QTEST_MAIN(TestServerStart)
#include "test_serverstart.moc"
