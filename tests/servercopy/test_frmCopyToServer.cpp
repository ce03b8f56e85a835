#include "frmCopyToServer.h"
#include "registerstatements.h"
#include "temporarydatabase.h"
#include "testserver.h"
#include "windowchecks.h"

#include <QDir>
#include <QPushButton>

using namespace store;

// The main menu's way to bring a data file to a shared register.
class TestFrmCopyToServer : public QObject
{
    Q_OBJECT

    // Types the boxes and presses Copy from the keyboard.
    static void copyTo(frmCopyToServer &window, const QString &database)
    {
        const ServerAddress server = testserver::ownerOf(database);
        control<QLineEdit>(&window, "txtHost")->setText(server.host);
        control<QLineEdit>(&window, "txtPort")->setText(QString::number(server.port));
        control<QLineEdit>(&window, "txtDatabase")->setText(database);
        control<QLineEdit>(&window, "txtUser")->setText(server.user);
        auto *copy = control<QPushButton>(&window, "cmdCopy");
        copy->setFocus();
        QTest::keyClick(copy, Qt::Key_Return);
    }

private slots:
    // The rows come over with their counts told; a database not named, and
    // a register that holds rows already, are refused in words.
    void copies()
    {
        if (!qEnvironmentVariableIsSet("QUILLMARK_PG_HOST"))
            QSKIP("no test server: source scripts/postgres.sh first");
        TemporaryDatabase file;
        QVERIFY(!addBank(file.db(), {"1", "HDFC", "INR"}).isValid());
        QVERIFY(!addRegisterEntry(file.db(), {QDate(2024, 4, 1), "P", "HDFC", "1.00", "7"}).isValid());
        const QString database = testserver::createRegisterDatabase();
        RecordedMessages messages;
        frmCopyToServer window(file.path());
        window.show();
        copyTo(window, QString());
        QCOMPARE(shownMessages(messages),
                 QStringList{"Critical: Type the database to copy to, and the server's port."});
        QCOMPARE(controlOf(window.focusWidget()), "txtDatabase");

        messages.clear();
        copyTo(window, database);
        QCOMPARE(shownMessages(messages),
                 QStringList{"Information: The data of " + QDir::toNativeSeparators(file.path())
                             + " has been copied to the server, every row counted:\n\nBank: 1\n"
                               "ChqIssuereg: 1\nChequeNumberKeys: 1\n\nThe file is left as it was."});
        QVERIFY(!window.isVisible());

        messages.clear();
        window.show();
        copyTo(window, database);
        QVERIFY2(messages.only().text.startsWith(
                     "The data file was not copied to the server; the register there and the "
                     "file are left as they were.\n\nThe register on the server holds data already"),
                 qPrintable(messages.only().text));
        QVERIFY(window.isVisible());
        testserver::dropDatabase(database);
    }
};

QTEST_MAIN(TestFrmCopyToServer)
#include "test_frmCopyToServer.moc"
