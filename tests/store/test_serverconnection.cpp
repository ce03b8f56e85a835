#include "database.h"
#include "serveraddress.h"
#include "testserver.h"

#include <QTest>

using namespace store;

// A connection to the server as the address and its TLS choice say: the
// certificate checked where asked; the server takes TLS only on its port.
class TestServerConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testserver::requireStarted(); }

    void connectsAsTheAddressSays_data()
    {
        using Tls = ServerAddress::Tls;
        QTest::addColumn<QString>("host");
        QTest::addColumn<ServerAddress::Tls>("tls");
        QTest::addColumn<QString>("failure");
        const QString socket = qEnvironmentVariable("QUILLMARK_PG_HOST");
        QTest::newRow("socket") << socket << Tls::None << "";
        QTest::newRow("certificate checked") << "localhost" << Tls::VerifyFull << "";
        QTest::newRow("TLS required") << "127.0.0.1" << Tls::Require << "";
        QTest::newRow("certificate of another name")
            << "127.0.0.1" << Tls::VerifyFull << "does not match host name";
        QTest::newRow("TLS taken where offered") << "127.0.0.1" << Tls::None << "";
    }
    void connectsAsTheAddressSays()
    {
        QFETCH(QString, host);
        QFETCH(ServerAddress::Tls, tls);
        QFETCH(QString, failure);
        ServerAddress address = testserver::ownerOf(QStringLiteral("postgres"));
        address.host = host;
        address.tls = tls;
        address.rootCertificate = qEnvironmentVariable("QUILLMARK_PG_TLS_ROOT");
        useServer(address);
        const Connection connection(QStringLiteral("test"));
        QCOMPARE(connection.isOpen(), failure.isEmpty());
        QVERIFY2(connection.error().text().contains(failure), qPrintable(connection.error().text()));
        useDatabaseFile(QString());
    }
};

QTEST_GUILESS_MAIN(TestServerConnection)
#include "test_serverconnection.moc"
