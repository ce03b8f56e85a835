#include "database.h"
#include "statements.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fingerprint(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT
private slots:
    void fileLivesBesideTheProgram();
    void missingFileIsCreatedWithTheFourTables();
    void unusableFilesAreReportedAndLeftAlone_data();
    void unusableFilesAreReportedAndLeftAlone();
    void connectionNeverCreatesAFile();
    void tableAndColumnNamesIgnoreLetterCase();
    void cleanup() { store::useDatabaseFile(QString()); }
};

void TestDatabase::fileLivesBesideTheProgram()
{
    QCOMPARE(store::databaseFilePath(),
             QCoreApplication::applicationDirPath() + QStringLiteral("/ql.mdb"));
}

void TestDatabase::missingFileIsCreatedWithTheFourTables()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ql.mdb"));
    store::useDatabaseFile(path);
    QCOMPARE(store::prepareDatabase(), QString());
    QCOMPARE(store::fileKindOf(path), store::FileKind::SQLite);
    // A second start finds the file usable and leaves it as it is.
    const QByteArray before = fingerprint(path);
    QCOMPARE(store::prepareDatabase(), QString());
    QCOMPARE(fingerprint(path), before);

    store::Connection connection(QStringLiteral("test"));
    QVERIFY(connection.isOpen());
    QSqlQuery query(connection.database());
    QVERIFY(query.exec(QStringLiteral("select * from ChqIssuereg")));
    QStringList columns;
    for (int i = 0; i < query.record().count(); ++i)
        columns << query.record().fieldName(i);
    QCOMPARE(columns, (QStringList{"DateofChq", "Payeename", "BankName", "PAyeeamt", "ChequeNo"}));
}

void TestDatabase::unusableFilesAreReportedAndLeftAlone_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("sqlBeforehand");
    QTest::addColumn<QString>("complaint");

    QTest::newRow("text file") << QByteArray("banks and payees\n") << QString()
                               << "not a database";
    QTest::newRow("damaged database")
        << QByteArray("SQLite format 3\0", 16) + QByteArray(4000, '\x7f') << QString()
        << "is damaged";
    QTest::newRow("database of another program")
        << QByteArray() << "create table Notes (Text)" << "lacks table Bank";
    QTest::newRow("a column missing")
        << QByteArray() << "create table Bank (MICRCODE, Bankname); create table Payee "
                           "(PayeeNickName, Payeename)"
        << "column Bank.Currency";
}

void TestDatabase::unusableFilesAreReportedAndLeftAlone()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, sqlBeforehand);
    QFETCH(QString, complaint);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ql.mdb"));
    if (sqlBeforehand.isEmpty()) {
        writeFile(path, contents);
    } else {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        for (const QString &statement : sqlBeforehand.split(QLatin1Char(';')))
            QVERIFY(QSqlQuery(db).exec(statement));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }
    const QByteArray before = fingerprint(path);

    const QString problem = store::prepareDatabase(path);
    QVERIFY2(problem.contains(complaint), qPrintable(problem));
    QVERIFY(problem.contains(path));
    QCOMPARE(fingerprint(path), before);
}

void TestDatabase::connectionNeverCreatesAFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ql.mdb"));
    store::useDatabaseFile(path);
    store::Connection connection(QStringLiteral("test"));
    QVERIFY(!connection.isOpen());
    QVERIFY(connection.error().isValid());
    QVERIFY(!QFile::exists(path));
}

void TestDatabase::tableAndColumnNamesIgnoreLetterCase()
{
    QTemporaryDir dir;
    store::useDatabaseFile(dir.filePath(QStringLiteral("ql.mdb")));
    QCOMPARE(store::prepareDatabase(), QString());
    store::Connection connection(QStringLiteral("test"));
    QSqlQuery query(connection.database());
    QVERIFY(query.exec(QStringLiteral("insert into payee (payeenickname, PAYEENAME) values ('a', 'b')")));
    QVERIFY(query.exec(QStringLiteral("select PAyeename from PAYEE where PayeeNickName = 'A'")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("b"));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
