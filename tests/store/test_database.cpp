#include "database.h"
#include "files.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Writes the bytes, or else runs the statements on a new SQLite file.
void makeFile(const QString &path, const QByteArray &contents, const QString &statements)
{
    if (statements.isEmpty()) {
        writeFile(path, contents);
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        for (const QString &statement : statements.split(QLatin1Char(';')))
            QVERIFY(QSqlQuery(db).exec(statement));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("ql.mdb"));
private slots:
    void cleanup()
    {
        store::useDatabaseFile(QString());
        QFile::remove(path);
    }

    void fileLivesBesideTheProgram()
    {
        QCOMPARE(store::databaseFilePath(),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/ql.mdb"));
    }

    void missingFileIsCreatedThenLeftAlone()
    {
        store::useDatabaseFile(path);
        QCOMPARE(store::prepareDatabase(), QString());
        QCOMPARE(store::fileKindOf(path), store::FileKind::SQLite);
        // A second start finds every table and column, and leaves the file as it is.
        const QByteArray before = contentsOf(path);
        QCOMPARE(store::prepareDatabase(), QString());
        QCOMPARE(contentsOf(path), before);
    }

    void unusableFilesAreReportedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("statements");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("text file") << QByteArray("banks and payees\n") << "" << "not a database";
        QTest::newRow("damaged database")
            << QByteArray("SQLite format 3\0", 16) + QByteArray(4000, '\x7f') << "" << "is damaged";
        QTest::newRow("database of another program")
            << QByteArray() << "create table Notes (Text)" << "lacks table Bank";
        QTest::newRow("a column missing") << QByteArray()
            << "create table Bank (MICRCODE, Bankname); create table Payee (PayeeNickName, Payeename)"
            << "column Bank.Currency";
    }

    void unusableFilesAreReportedAndLeftAlone()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, statements);
        QFETCH(QString, complaint);
        makeFile(path, contents, statements);
        const QByteArray before = contentsOf(path);

        const QString problem = store::prepareDatabase(path);
        QVERIFY2(problem.contains(complaint) && problem.contains(path), qPrintable(problem));
        QCOMPARE(contentsOf(path), before);
    }

    void connectionNeverCreatesAFile()
    {
        store::useDatabaseFile(path);
        store::Connection connection(QStringLiteral("test"));
        QVERIFY(!connection.isOpen());
        QVERIFY(connection.error().isValid());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
