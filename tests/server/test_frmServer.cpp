#include "frmPassword.h"
#include "frmServer.h"
#include "serverchoice.h"
#include "windowchecks.h"

#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

class TestFrmServer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { server::forgetServerChoice(); }

    // Kept per user for the next start, the password never.
    void choiceIsKeptWithoutThePassword_data()
    {
        QTest::addColumn<int>("tls");
        QTest::newRow("no TLS") << int(store::ServerAddress::Tls::None);
        QTest::newRow("TLS required") << int(store::ServerAddress::Tls::Require);
        QTest::newRow("TLS verified") << int(store::ServerAddress::Tls::VerifyFull);
    }
    void choiceIsKeptWithoutThePassword()
    {
        QFETCH(int, tls);
        store::ServerAddress address{QStringLiteral("db.example.org"), 6543,
                                     QStringLiteral("accounts"), QStringLiteral("clerk1"),
                                     store::ServerAddress::Tls(tls),
                                     QStringLiteral("/etc/ssl/office-root.crt"),
                                     QStringLiteral("s3cret-pass")};
        server::keepServerChoice(address);
        address.password.clear();
        QCOMPARE(server::chosenServer(), address);
        QSettings settings;
        for (const QString &key : settings.allKeys())
            QVERIFY(!settings.value(key).toString().contains(QStringLiteral("s3cret")));
        server::forgetServerChoice();
        QVERIFY(!server::chosenServer());
    }

    // The password window opens on its box, Tab goes on to OK and Cancel;
    // Enter gives the password typed, Escape none.
    void passwordWindowKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<std::optional<QString>>("given");
        QTest::newRow("Enter") << int(Qt::Key_Return) << std::optional<QString>("typed");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << std::optional<QString>();
    }
    void passwordWindowKeys()
    {
        QFETCH(int, key);
        QFETCH(std::optional<QString>, given);
        QStringList visited;
        inNextModal([&](QWidget *window) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("typed"));
            for (int stop = 0; stop < 4; ++stop) {
                visited << controlOf(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            control(window, "txtPassword")->setFocus();
            QTest::keyClick(window, Qt::Key(key));
        }, QStringLiteral("frmPassword"));
        QCOMPARE(frmPassword::ask(QStringLiteral("The server wants a password.")), given);
        QCOMPARE(visited, (QStringList{"txtPassword", "cmdOK", "cmdCancel", "txtPassword"}));
    }
};

QTEST_MAIN(TestFrmServer)
#include "test_frmServer.moc"
