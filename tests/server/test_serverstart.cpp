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
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("tls");
        QTest::addColumn<QString>("root");  // the root certificate verify-full checks by
        QTest::addColumn<ServerProblem>("problem");
        QTest::addColumn<QString>("named");  // what the message names

        const QString socket = qEnvironmentVariable("QUILLMARK_PG_HOST");
        const int port = qEnvironmentVariableIntValue("QUILLMARK_PG_PORT");
        const QString root = qEnvironmentVariable("QUILLMARK_PG_TLS_ROOT");
        const int none = int(store::ServerAddress::Tls::None);
        const int require = int(store::ServerAddress::Tls::Require);
        const int verify = int(store::ServerAddress::Tls::VerifyFull);
        QTest::newRow("a clerk on a set-up register") << socket << port << "register" << "clerk"
            << "" << none << "" << ServerProblem::None << "";
        QTest::newRow("no password, none in the password file") << socket << port << "register"
            << "pw" << "" << none << "" << ServerProblem::PasswordMissing << "password";
        QTest::newRow("a wrong password") << socket << port << "register" << "pw" << "wrong"
            << none << "" << ServerProblem::PasswordWrong << "refused the password";
        QTest::newRow("a database that does not exist") << socket << port << "quillmark_no_such_db"
            << "clerk" << "" << none << "" << ServerProblem::NoSuchDatabase << "quillmark_no_such_db";
        QTest::newRow("a user the server does not know") << socket << port << "register" << "nobody"
            << "" << none << "" << ServerProblem::NoSuchUser << "knows no user";
        QTest::newRow("a database without the tables") << socket << port << "empty" << "clerk"
            << "" << none << "" << ServerProblem::NotSetUp << "run scripts/server-setup";
        QTest::newRow("a role without rights: reading refused") << socket << port << "register"
            << "norights" << "" << none << "" << ServerProblem::NoRights
            << "permission denied for table bank";
        QTest::newRow("no server on that port") << socket << 1 << "register" << "clerk" << ""
            << none << "" << ServerProblem::Unreachable << "cannot reach";
        QTest::newRow("nothing listening at an address") << "127.0.0.1" << 1 << "register"
            << "clerk" << "" << none << "" << ServerProblem::Unreachable << "127.0.0.1:1";
        QTest::newRow("TLS required") << "localhost" << port << "register" << "clerk" << ""
            << require << "" << ServerProblem::None << "";
        QTest::newRow("TLS verified by its root") << "localhost" << port << "register" << "clerk"
            << "" << verify << root << ServerProblem::None << "";
        QTest::newRow("a certificate for another name") << "127.0.0.1" << port << "register"
            << "clerk" << "" << verify << root << ServerProblem::Tls << "does not match";
        QTest::newRow("a certificate no chosen root signed") << "localhost" << port << "register"
            << "clerk" << "" << verify << "/etc/ssl/certs/ca-certificates.crt" << ServerProblem::Tls
            << "could not be secured";
        QTest::newRow("a root certificate that is not there") << "localhost" << port << "register"
            << "clerk" << "" << verify << "/nonexistent/root.crt" << ServerProblem::Tls
            << "/nonexistent/root.crt";
    }

    void problemIsNamed()
    {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, database);
        QFETCH(QString, role);
        QFETCH(QString, password);
        QFETCH(int, tls);
        QFETCH(QString, root);
        QFETCH(ServerProblem, problem);
        QFETCH(QString, named);

        store::ServerAddress server = address(host, port, database, role, password, tls);
        server.rootCertificate = root;
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
