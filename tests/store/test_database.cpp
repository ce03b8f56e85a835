#include "database.h"
#include "datalocation.h"
#include "files.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

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

    void unusableFilesAreReportedAndLeftAlone()
    {
        // The bytes, or else the statements making a database; the complaint.
        const QList<std::tuple<QByteArray, QString, QString>> files{
            {"banks and payees\n", "", "not a database"},
            {QByteArray("SQLite format 3\0", 16) + QByteArray(4000, '\x7f'), "", "is damaged"},
            {{}, "create table Bank (MICRCODE, Bankname); create table Payee (PayeeNickName, Payeename)",
             "column Bank.Currency"}};
        for (const auto &[contents, statements, complaint] : files) {
            makeFile(path, contents, statements);
            const QByteArray before = contentsOf(path);
            const QString problem = store::prepareDatabase(path);
            QVERIFY2(problem.contains(complaint) && problem.contains(path), qPrintable(problem));
            QCOMPARE(contentsOf(path), before);
            QFile::remove(path);
        }
    }

    // Looked at without opening: a pipe would block the start for ever.
    void whatIsNoFileIsNamed()
    {
        const QByteArray name = QFile::encodeName(path);
        const QList<std::pair<int, QString>> kinds{
            {S_IFDIR, "is a folder, not a file"}, {S_IFIFO, "is a named pipe (FIFO), not a file"},
            {S_IFLNK, "is a link to /nowhere/ql.mdb, which does not exist"}};
        for (const auto &[kind, named] : kinds) {
            QCOMPARE(kind == S_IFDIR ? mkdir(name, 0700) : kind == S_IFIFO ? mkfifo(name, 0600)
                                                          : symlink("/nowhere/ql.mdb", name), 0);
            const QString problem = store::prepareDatabase(path);
            QVERIFY2(problem.contains(named), qPrintable(problem));
            struct stat after{};
            QCOMPARE(lstat(name, &after), 0);
            QCOMPARE(int(after.st_mode & S_IFMT), kind);
            QCOMPARE(kind == S_IFDIR ? rmdir(name) : unlink(name), 0);
        }
    }

    // Each start makes its file under a name of its own: neither removes the other's.
    void twoStartsAtOnceBothUseOneFile()
    {
        for (int round = 0; round < 20; ++round) {
            QString problems[2];
            std::thread first([&] { problems[0] = store::prepareDatabase(path); });
            std::thread second([&] { problems[1] = store::prepareDatabase(path); });
            first.join();
            second.join();
            QCOMPARE(problems[0] + problems[1], QString());
            QCOMPARE(store::prepareDatabase(path), QString());
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"ql.mdb"});
            QFile::remove(path);
        }
    }

    void aFileInUseIsNotCalledDamaged()
    {
        QCOMPARE(store::prepareDatabase(path), QString());
        store::useDatabaseFile(path);
        store::Connection other(QStringLiteral("other program"));
        QSqlQuery lock(other.database());
        QVERIFY(lock.exec("PRAGMA locking_mode = EXCLUSIVE") && lock.exec("BEGIN EXCLUSIVE"));
        QVERIFY(lock.exec("delete from Bank"));
        const QString problem = store::prepareDatabase(path);
        QVERIFY2(problem.contains("is in use by another program"), qPrintable(problem));
        lock.exec("ROLLBACK");
    }

    // Another copy writing for longer than one busy timeout: the start waits
    // it out instead of saying that nothing can be saved.
    void aWriteLockHeldForSecondsIsWaitedFor()
    {
        QCOMPARE(store::prepareDatabase(path), QString());
        store::useDatabaseFile(path);
        std::atomic<bool> locked = false;
        std::thread writer([&] {
            store::Connection other(QStringLiteral("other copy"));
            QSqlQuery(other.database()).exec("BEGIN IMMEDIATE");
            locked = true;
            std::this_thread::sleep_for(std::chrono::seconds(7));
            QSqlQuery(other.database()).exec("ROLLBACK");
        });
        while (!locked)
            std::this_thread::yield();
        QString notice;
        const QString problem = store::prepareDatabase(path, &notice);
        writer.join();
        QCOMPARE(problem, QString());
        QCOMPARE(notice, QString());
    }

    void aReadOnlyFileOrFolderIsToldAtStart()
    {
        if (geteuid() == 0)
            QSKIP("root writes to read-only files");
        const QFileDevice::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
        for (const QString &made : {path, dir.path()}) {
            QCOMPARE(store::prepareDatabase(path), QString());
            QFile::setPermissions(made, readOnly);
            QString notice;
            QCOMPARE(store::prepareDatabase(path, &notice), QString());
            QFile::setPermissions(made, readOnly | QFile::WriteOwner);
            QVERIFY2(notice.contains("so nothing can be saved"), qPrintable(notice));
        }
    }

    void connectionNeverCreatesAFile()
    {
        store::useDatabaseFile(path);
        store::Connection connection(QStringLiteral("test"));
        QVERIFY(!connection.isOpen());
        QVERIFY(connection.error().isValid());
        QVERIFY(!QFile::exists(path));
    }

    // Which ql.mdb the program uses, from which files exist where. Folders
    // the user cannot write are not tried: tests run as root in CI, where
    // every folder is writable; the installed program's folder stands in.
    void choosesOneFileAndNamesTheOther_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QStringList>("existing");  // "program", "user"
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("unused");
        QTest::newRow("build tree, first start") << false << QStringList{} << "program" << "";
        QTest::newRow("portable copy beside an installed one")
            << false << QStringList{"user"} << "program" << "user";
        QTest::newRow("installed, first start") << true << QStringList{} << "user" << "";
        QTest::newRow("installed, stray file beside it")
            << true << QStringList{"program", "user"} << "user" << "program";
    }
    void choosesOneFileAndNamesTheOther()
    {
        QFETCH(bool, installed);
        QFETCH(QStringList, existing);
        QFETCH(QString, used);
        QFETCH(QString, unused);
        QTemporaryDir root;
        const QDir dir(root.path());
        dir.mkdir(QStringLiteral("program"));
        const QString userDir = dir.filePath(QStringLiteral("home/.local/share/Quillmark"));
        auto fileOf = [&](const QString &place) {
            if (place.isEmpty())
                return QString();
            return (place == QLatin1String("program") ? dir.filePath(place) : userDir)
                   + QStringLiteral("/ql.mdb");
        };
        for (const QString &place : existing) {
            QDir().mkpath(QFileInfo(fileOf(place)).path());
            QFile(fileOf(place)).open(QIODevice::WriteOnly);
        }
        const QString installedDir = dir.filePath(installed ? "program" : "usr/bin");

        const store::DataLocation location =
            store::chooseDataLocation(dir.filePath(QStringLiteral("program")), userDir, installedDir);
        QCOMPARE(location.file, fileOf(used));
        QCOMPARE(location.unusedFile, fileOf(unused));
        // The folder of the file in use is there to create the file in.
        QVERIFY(QFileInfo(location.file).dir().exists());
    }

    // No home is guessed, a folder that cannot be made is named with its
    // cause, and a new file beside the program names the user's file.
    void placeThatCannotBeUsedIsNamed()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        dir.mkdir(QStringLiteral("program"));
        const QString program = dir.filePath(QStringLiteral("program"));
        const QString installed = program;  // never beside the program

        store::DataLocation location = store::chooseDataLocation(program, {}, installed);
        QVERIFY(location.file.isEmpty());
        QVERIFY(location.problem.contains(u"HOME is not set"));
        QCOMPARE(store::prepareDataLocation(location, nullptr), location.problem);

        QFile(dir.filePath(QStringLiteral("home"))).open(QIODevice::WriteOnly);
        location = store::chooseDataLocation(
            program, dir.filePath(QStringLiteral("home/.local/share/Quillmark")), installed);
        QVERIFY(location.file.isEmpty());
        QCOMPARE(location.problem.section(u'\n', 0, 0),
                 QStringLiteral("The folder %1 for your data cannot be made: %2 is not a folder.")
                     .arg(dir.filePath(QStringLiteral("home/.local/share/Quillmark")),
                          dir.filePath(QStringLiteral("home"))));

        const QString userDir = dir.filePath(QStringLiteral("user"));
        QDir().mkpath(userDir);
        QFile(userDir + QStringLiteral("/ql.mdb")).open(QIODevice::WriteOnly);
        location = store::chooseDataLocation(program, userDir, dir.filePath(QStringLiteral("usr")));
        QString notice;
        QCOMPARE(store::prepareDataLocation(location, &notice), QString());
        QVERIFY2(notice.startsWith(QStringLiteral("Quillmark made a new, empty data file and uses "
                                                  "it:\n%1\n\nAnother data file, which is not "
                                                  "used, is at\n%2/ql.mdb")
                                       .arg(location.file, userDir)),
                 qPrintable(notice));
        notice.clear();
        QCOMPARE(store::prepareDataLocation(location, &notice), QString());
        QCOMPARE(notice, QString());  // said at the first start only
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
