#include "database.h"
#include "files.h"
#include "frmImportProgress.h"
#include "jetfile.h"
#include "jetmigration.h"
#include "jetreader.h"
#include "jettables.h"
#include "jetvalues.h"
#include "startup.h"
#include "windowchecks.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace store;
using namespace jet;

namespace {

const QString fixtures = QStringLiteral(JET_FIXTURES);
constexpr int MdbNumeric = 0x10;  // Jet's Decimal

QStringList filesIn(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Every stored value as text, "NULL" for a missing one.
QList<QStringList> stored(const QString &table)
{
    Connection connection(QStringLiteral("test"));
    return rowsOf(connection.database(), QStringLiteral("select * from %1 order by rowid").arg(table));
}

QStringList chequeNumbers(const QString &bank, const QDate &from, const QDate &to)
{
    Connection connection(QStringLiteral("test"));
    QSqlQuery query;
    selectRegisterEntries(connection.database(), bank, from, to, &query);
    QStringList numbers;
    while (query.next())
        numbers << query.value(QStringLiteral("ChequeNo")).toString();
    return numbers;
}

// Runs the move with files limited to 256 KiB, as on a nearly full disk.
QString replaceOnANearlyFullDisk(const QString &path, const JetRows &rows, QString *notice)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 256 * 1024;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const QString problem = replaceJetDatabase(path, rows, notice);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    return problem;
}

QVariantList layout(const QVariant &scaleMode, const QVariant &bank, QVariantList positions)
{
    positions.resize(LayoutPositionCount);
    return QVariantList{scaleMode, bank} + positions;
}

// Rows as the reader gives them, with every column of the four tables.
JetRows rowsOfEveryKind()
{
    return {{
        {{"400002", "St. Mary's", "INR"}, {QVariant(), "HDFC", QVariant()},
         {123456, "Crédit € Bank", ""}},
        {{"O'Neil", "Patrick O'Neil"}, {"ravi", QVariant()}},
        {layout("Cms", "St. Mary's", {0.1, 12345.678901234567, 1e-9, QVariant(), " 2.5 ", 3, 1.5,
                                       2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, 9.75}),
         layout(QVariant(), "HDFC", {})},
        {{QDate(1999, 12, 31), "Patrick O'Neil", "St. Mary's", "1,250.00", "000123"},
         {QDateTime(QDate(2001, 2, 3), QTime(10, 30), Qt::UTC), "ravi", "St. Mary's", 3.5, 100234},
         {QDate(100, 1, 1), "Old", "HDFC", "1.00", "1"},
         {QVariant(), QVariant(), QVariant(), QVariant(), QVariant()}},
    }};
}

// Reads the tables apart, gathering every row of each.
QString readApart(const QString &path, const QList<JetTableColumns> &tables,
                  QList<QList<QVariantList>> *rows, std::chrono::milliseconds limit)
{
    rows->clear();
    rows->resize(tables.size());
    return readJetTablesApart(path, tables, limit, [&](int table, const QList<QVariantList> &batch) {
        (*rows)[table] << batch;
        return QString();
    });
}

// Exact comparison, type included: 444.555 must come out as that very double.
bool same(const QVariant &actual, const QVariant &expected)
{
    if (actual.typeId() != expected.typeId())
        return false;
    return expected.typeId() == QMetaType::Double ? actual.toDouble() == expected.toDouble()
                                                  : actual == expected;
}

bool sameRow(const QVariantList &actual, const QVariantList &expected)
{
    return std::equal(actual.begin(), actual.end(), expected.begin(), expected.end(), same);
}

} // namespace

// Reading the older program's Access files, and moving their rows into a new
// data file. Every test has a copy of a sample Access file as the user's
// "ql.mdb"; wherever the move fails, that copy must be left exactly as it was.
class TestJetMigration : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    QString path;
    QByteArray before;

    // A copy of a sample Access file as the user's "ql.mdb".
    void useFixture(const QString &fixture)
    {
        dir = std::make_unique<QTemporaryDir>();
        path = dir->filePath(QStringLiteral("ql.mdb"));
        QFile::copy(fixtures + QLatin1Char('/') + fixture, path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        before = contentsOf(path);
    }
    void verifyTheFileIsUntouched(const QString &problem, const QString &complaint)
    {
        QVERIFY2(problem.contains(complaint), qPrintable(problem));
        QVERIFY(problem.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(contentsOf(path), before);
        QCOMPARE(filesIn(*dir), QStringList{"ql.mdb"});
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(fixtures + QStringLiteral("/testV1997.mdb")),
                 qPrintable(QStringLiteral("The Jet sample files are missing from ") + fixtures));
        useAccessReaderProgram(QStringLiteral(ACCESS_READER));
        useJetMigration([](const QString &path, QString *notice) { return migrateJetDatabase(path, notice); });
    }
    void init() { useFixture(QStringLiteral("testV1997.mdb")); }
    void cleanup() { useDatabaseFile(QString()); }

    // The original is kept under a name no earlier original has.
    void everyColumnComesOverAndTheOriginalIsKept()
    {
        for (const auto &[earlierOriginal, originalName] :
             {std::pair<QString, QString>{QString(), "ql (Access original).mdb"},
              {"ql (Access original).mdb", "ql (Access original 2).mdb"}}) {
            useFixture(QStringLiteral("testV1997.mdb"));
            if (!earlierOriginal.isEmpty())
                writeFile(dir->filePath(earlierOriginal), "earlier");
            QString notice;
            QCOMPARE(replaceJetDatabase(path, rowsOfEveryKind(), &notice), QString());

            const QString originalPath = dir->filePath(originalName);
            QCOMPARE(contentsOf(originalPath), before);
            QCOMPARE(QFile::permissions(path), QFile::permissions(originalPath));
            QVERIFY(notice.contains("3 banks, 2 payees, 2 cheque layouts and 4 register rows came over"));
            QVERIFY(notice.contains(QDir::toNativeSeparators(originalPath)));
            if (!earlierOriginal.isEmpty())
                QCOMPARE(contentsOf(dir->filePath(earlierOriginal)), QByteArray("earlier"));
            QCOMPARE(filesIn(*dir).size(), earlierOriginal.isEmpty() ? 2 : 3);

            useDatabaseFile(path);
            QCOMPARE(prepareDatabase(), QString());
            using Rows = QList<QStringList>;
            QCOMPARE(stored("Bank"), (Rows{{"400002", "St. Mary's", "INR"}, {"NULL", "HDFC", "NULL"},
                                           {"123456", "Crédit € Bank", ""}}));
            QCOMPARE(stored("Payee"), (Rows{{"O'Neil", "Patrick O'Neil"}, {"ravi", "NULL"}}));
            QCOMPARE(stored("Positions"),
                     (Rows{{"Cms", "St. Mary's", "0.1", "12345.678901234567", "1e-09", "NULL", "2.5", "3",
                            "1.5", "2.5", "3.5", "4.5", "5.5", "6.5", "7.5", "8.5", "9.75"},
                           QStringList{"NULL", "HDFC"} + QStringList(LayoutPositionCount, "NULL")}));
            QCOMPARE(stored("ChqIssuereg").last(), QStringList(5, "NULL"));
            QCOMPARE(stored("ChqIssuereg")[1].mid(3), (QStringList{"3.5", "100234"}));
            // The cheque dates are stored as the program's own, without the time of
            // day, so the register's date ranges find them.
            QCOMPARE(chequeNumbers("st. mary's", QDate(1999, 12, 31), QDate(2001, 2, 3)),
                     (QStringList{"000123", "100234"}));
            QCOMPARE(chequeNumbers("HDFC", QDate(100, 1, 1), QDate(100, 1, 1)), QStringList{"1"});
            useDatabaseFile(QString());
        }
    }

    void valuesThatDoNotFitStopTheMove()
    {
        // table, column, value in the second row, and what the message says of it
        const QList<std::tuple<JetTable, int, QVariant, QString>> misfits{
            {JetChqIssuereg, 0, "31/12/1999",
             "table ChqIssuereg, column DateofChq holds the text \"31/12/1999\", which is not a date"},
            {JetPositions, 2 + AmtTop, "12 cm",
             "table Positions, column AmtTop holds the text \"12 cm\", which is not a number"},
            {JetBank, 1, true, "table Bank, column Bankname holds a Yes/No value, which is not text"}};
        for (const auto &[table, column, value, complaint] : misfits) {
            JetRows rows = rowsOfEveryKind();
            rows[table][1][column] = value;
            QString notice;
            verifyTheFileIsUntouched(replaceJetDatabase(path, rows, &notice), "in row 2 of " + complaint);
            QVERIFY(notice.isEmpty());
        }
    }

    void aFullDiskLeavesTheOriginalAndNoNewFile()
    {
        JetRows rows = rowsOfEveryKind();
        for (int i = 0; i < 20000; ++i)
            rows[JetChqIssuereg] << QVariantList{QDate(2020, 1, 1), "Payee", "Bank", "100.00", i};
        QString notice;
        const QString problem = replaceOnANearlyFullDisk(path, rows, &notice);
        verifyTheFileIsUntouched(problem, "writing the new file failed");
        QVERIFY(problem.contains("Nothing in the file has been changed"));
    }

    // Files written by another Access library, read as the program reads them.
    void accessFilesComeOverWhole()
    {
        // The file, what the notice counts, and a row read back as the program reads it.
        const QList<std::tuple<QString, QString, QString, int, QStringList>> files{
            {"ql-added-columns.mdb", "20 banks, 50 payees, 20 cheque layouts and 200 register rows",
             "ChqIssuereg", 0, {"2011-08-13", "John Rao", "IDBI Bank", "25438", "NULL"}},
            {"ql-column-types.mdb", "3 banks, 2 payees, 2 cheque layouts and 3 register rows",
             "ChqIssuereg", 1, {"2003-05-07", "Whole rupees", "Negative MICR", "100000", "1"}},
            {"ql-column-types.mdb", "", "ChqIssuereg", 0,
             {"2003-05-06", "Time of day is dropped", "Memo-typed bank name", "12345.5", "123"}},
            {"ql-column-types.mdb", "", "Payee", 1, {"-32768", "€ in a memo ₹"}},
            {"ql-extra-tables.mdb", "10 banks, 20 payees, 10 cheque layouts and 200 register rows",
             "Positions", 0, {"Inches", "State Bank of India - Main Branch", "4.37", "2.06", "5.24", "7.22",
                              "2.64", "2.1", "3.26", "1.12", "5.66", "3.62", "1.43", "3.5", "2.27", "3.86", "3.93"}}};
        for (const auto &[fixture, counts, table, row, expected] : files) {
            useFixture(fixture);
            useDatabaseFile(path);
            QString notice;
            QCOMPARE(prepareDatabase(&notice), QString());
            QVERIFY2(notice.contains(counts), qPrintable(notice));
            QCOMPARE(stored(table).value(row), expected);
            useDatabaseFile(QString());
        }
    }

    // The program is killed at each step of putting the new file in place:
    // the new file is there from the step that puts it in place on.
    void aCrashAtAnyStepLeavesAWholeDataFile()
    {
        const QList<std::pair<MigrationStep, bool>> steps{
            {MigrationStep::NewFileWritten, false}, {MigrationStep::OriginalKept, false},
            {MigrationStep::NewFileInPlace, true}, {MigrationStep::FolderSynced, true}};
        for (const auto &[step, newFileInPlace] : steps) {
            useFixture(QStringLiteral("ql-realistic.mdb"));
            static MigrationStep crashAt;
            crashAt = step;
            // A child of this test process dies at the step, as a killed program would.
            const pid_t child = fork();
            if (child == 0) {
                setMigrationStepHook([](MigrationStep reached) {
                    if (reached == crashAt)
                        raise(SIGKILL);
                });
                QString notice;
                replaceJetDatabase(path, rowsOfEveryKind(), &notice);
                _exit(0);
            }
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));
            QCOMPARE(fileKindOf(path), newFileInPlace ? FileKind::SQLite : FileKind::Jet);
            if (!newFileInPlace)
                QCOMPARE(contentsOf(path), before);

            // The next start finishes the move or makes it again, and leaves no work file.
            useDatabaseFile(path);
            QString notice;
            QCOMPARE(prepareDatabase(&notice), QString());
            QCOMPARE(stored("Payee").size(), newFileInPlace ? 2 : 30);
            QVERIFY2(filesIn(*dir).filter(".import-").isEmpty(), qPrintable(filesIn(*dir).join(", ")));
            useDatabaseFile(QString());
        }
    }

    // A second copy started while the first moves the file waits for it,
    // then uses the file the first one made: one original, one new file.
    void aSecondFirstStartWaitsForTheFirst()
    {
        useFixture(QStringLiteral("ql-realistic.mdb"));
        const pid_t first = fork();
        if (first == 0) {
            setMigrationStepHook([](MigrationStep reached) {
                if (reached == MigrationStep::NewFileWritten)
                    QThread::sleep(2);
            });
            QString notice;
            _exit(replaceJetDatabase(path, rowsOfEveryKind(), &notice).isEmpty() ? 0 : 1);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!filesIn(*dir).filter(".import-").isEmpty(), 10000);
        QString notice;
        QCOMPARE(prepareDatabase(path, &notice), QString());
        int status = 0;
        QCOMPARE(waitpid(first, &status, 0), first);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(filesIn(*dir), (QStringList{"ql (Access original).mdb", "ql.mdb"}));
        QCOMPARE(contentsOf(dir->filePath("ql (Access original).mdb")), before);
        useDatabaseFile(path);
        QCOMPARE(stored("Payee").size(), 2);  // the first copy's rows
    }

    // Only an empty file is made into a database; every other is left as it was.
    void eachKindOfFileTakesItsPath()
    {
        const QList<std::tuple<QByteArray, FileKind, QString>> files{
            {contentsOf(fixtures + "/testV2000.mdb"), FileKind::Jet,
             "it lacks table Bank, table Payee, table Positions, table ChqIssuereg"},
            {QByteArray("\0\1\0\0Standard ACE DB\0", 20) + QByteArray(4076, 0), FileKind::Access2007,
             "is an Access 2007 or later file (.accdb). Quillmark reads only the older Access format: "
             "open the file in Access and save it in Access 2000 format first"},
            {QByteArray(), FileKind::Empty, QString()}};
        for (const auto &[contents, kind, complaint] : files) {
            writeFile(path, contents);
            QCOMPARE(fileKindOf(path), kind);
            QString notice;
            const QString problem = prepareDatabase(path, &notice);
            QVERIFY2(complaint.isEmpty() ? problem.isEmpty() : problem.contains(complaint),
                     qPrintable(problem));
            QVERIFY(notice.isEmpty());
            QCOMPARE(fileKindOf(path), kind == FileKind::Empty ? FileKind::SQLite : kind);
            if (kind != FileKind::Empty)
                QCOMPARE(contentsOf(path), contents);
            QCOMPARE(filesIn(*dir), QStringList{"ql.mdb"});
        }
    }

    void valuesConvertExactly()
    {
        const auto at = [](QDate date, QTime time) { return QVariant(QDateTime(date, time, Qt::UTC)); };
        // Day counts: a time before the start counts forward; a rounding to
        // midnight is the next day; beyond every calendar is no date.
        const QList<std::pair<double, QVariant>> dates{
            {36526.5, at(QDate(2000, 1, 1), QTime(12, 0))}, {-1.25, at(QDate(1899, 12, 29), QTime(6, 0))},
            {-657434.0, QDate(100, 1, 1)}, {0.9999999999, QDate(1899, 12, 31)}, {1e300, QVariant()}};
        for (const auto &[days, expected] : dates)
            QVERIFY2(same(jetDateTime(days), expected), qPrintable(jetDateTime(days).toString()));
        QCOMPARE(fromWindows1252("\x80 5 O\x92Neil Caf\xe9 M\xfcller"), "€ 5 O’Neil Café Müller");
        // Singles keep their decimal form when widened, within a single's digits.
        QVERIFY(widenedSingle(2.54f) == 2.54);
        QVERIFY(widenedSingle(16777217.0f) == 16777216.0);
        // "Ab" compressed, then switched to two bytes a character for "€".
        QCOMPARE(fromJet4Text(QByteArray::fromHex("fffe416200ac20")), "Ab€");
        QCOMPARE(fromJet4Text(QByteArray::fromHex("3dd8b8dc")), "\U0001F4B8");  // a pair, exactly
        QVERIFY(hasUnpairedSurrogate(fromJet4Text(QByteArray::fromHex("410040d8"))));
        const QList<std::tuple<QByteArray, int, QString>> decimals = {
            {QByteArray::fromHex("00" "00000000" "00000000" "00000000" "39300000"), 1, "1234.5"},
            {QByteArray::fromHex("80" "00000000" "00000000" "00000000" "01000000"), 2, "-0.01"},
            // 2^32 + 5: the second word counts 2^32.
            {QByteArray::fromHex("00" "00000000" "00000000" "01000000" "05000000"), 0, "4294967301"},
            {QByteArray::fromHex("80" "00000000" "00000000" "00000000" "00000000"), 4, "0"},
        };
        for (const auto &[bytes, scale, value] : decimals)
            QCOMPARE(jetDecimal(bytes, scale), QVariant(value));
        QVERIFY(!jetDecimal(QByteArray(16, 0), 0).isValid());
        for (const auto &[number, text] : {std::pair{1e5, "100000"}, {12345.5, "12345.5"}, {1e-5, "0.00001"}})
            QCOMPARE(plainDecimal(number), QString::fromLatin1(text));
    }

    // Columns in another order and letter case than the file's; read in a
    // child process, so every value also crosses back to this one.
    void readsEveryKindOfColumn()
    {
        const QList<QVariantList> expected = {
            {false, 0.0, QDate(1981, 12, 12), 0.0, 0, 0, 0, QStringLiteral("b"), QStringLiteral("a")},
            {true, 3.5, QDate(1974, 9, 21), 444.555, 333333333, 222, 2, QStringLiteral("hijklmnop"),
             QStringLiteral("abcdefg")},
        };
        for (const char *file : {"testV1997.mdb", "testV2000.mdb"}) {  // Jet 3 and Jet 4
            QList<QList<QVariantList>> rows;
            QCOMPARE(readApart(fixtures + QLatin1Char('/') + file,
                               {{"table1", {"I", "H", "g", "F", "e", "D", "c", "B", "a"}}, {"Table2", {}}},
                               &rows, std::chrono::minutes(1)),
                     QString());
            QCOMPARE(rows.size(), 2);
            QVERIFY(rows[1].isEmpty());
            QCOMPARE(rows[0].size(), 2);
            // The file keeps its rows in an order of its own.
            const bool inOrder = sameRow(rows[0][0], expected[0]);
            QVERIFY(sameRow(rows[0][inOrder ? 0 : 1], expected[0]));
            QVERIFY(sameRow(rows[0][inOrder ? 1 : 0], expected[1]));
        }
    }

    // A Decimal(18,4) column in place of the sample's Currency column: its
    // values come over exactly, whichever of the column's two bytes the
    // library takes for the scale.
    void decimalsComeOverExactly()
    {
        const QList<std::pair<QByteArray, QString>> decimals{
            {QByteArray::fromHex("00" "00000000" "00000000" "00000000" "983a0000"), "1.5"},
            {QByteArray::fromHex("80" "00000000" "00000000" "4b9bb601" "4ef330a6"), "-12345678901234.5678"},
            {QByteArray::fromHex("00" "00000000" "00000000" "00000000" "05000000"), "0.0005"}};
        const jetfile::ColumnType decimal{"H", MdbNumeric, 17, 18, 4};
        const auto row = [&](qint64 i) {
            return QVariantList{"a", "b", QByteArray(1, 0), QByteArray(2, 0), QByteArray(4, 0), 0.0,
                                QDate(2000, 1, 1), decimals[i].first, true};
        };
        QCOMPARE(jetfile::writeTable(fixtures + "/testV2000.mdb", path, "Table1", decimals.size(), row,
                                     decimal),
                 QString());
        QList<QList<QVariantList>> rows;
        QCOMPARE(readApart(path, {{"Table1", {"H", "G"}}}, &rows, std::chrono::minutes(1)), QString());
        QCOMPARE(rows[0].size(), decimals.size());
        for (qsizetype i = 0; i < decimals.size(); ++i) {
            QCOMPARE(rows[0][i][0], QVariant(decimals[i].second));
            QCOMPARE(rows[0][i][1], QVariant(QDate(2000, 1, 1)));
        }
    }

    // The realistic sample's register given a million and a half rows: they
    // stream from the reader into the new file, neither program holding
    // them, each staying well under 100 MB.
    void aRegisterOfMillionsComesOverWithFlatMemory()
    {
        constexpr qint64 count = 1'500'000;
        const auto row = [](qint64 i) {
            return QVariantList{QDate(2000, 1, 1).addDays(i % 9000), QStringLiteral("Payee %1").arg(i % 5000),
                                QStringLiteral("Bank %1").arg(i % 7), QStringLiteral("%1.50").arg(i % 100000),
                                QString::number(100000 + i)};
        };
        QCOMPARE(jetfile::writeTable(fixtures + "/ql-realistic.mdb", path, "ChqIssuereg", count, row), QString());
        useDatabaseFile(path);
        QString notice;
        QCOMPARE(prepareDatabase(&notice), QString());
        QVERIFY2(notice.contains("and 1500000 register rows came over"), qPrintable(notice));
        QCOMPARE(stored("ChqIssuereg where rowid in (1, 1500000)"),
                 (QList<QStringList>{{"2000-01-01", "Payee 0", "Bank 0", "0.50", "100000"},
                                     {QDate(2000, 1, 1).addDays((count - 1) % 9000).toString(Qt::ISODate),
                                      "Payee 4999", "Bank 4", "99999.50", "1599999"}}));
        rusage reader{}, self{};
        getrusage(RUSAGE_CHILDREN, &reader);
        getrusage(RUSAGE_SELF, &self);
        QVERIFY2(reader.ru_maxrss < 100 * 1024, qPrintable(QString::number(reader.ru_maxrss)));
        QVERIFY2(self.ru_maxrss < 100 * 1024, qPrintable(QString::number(self.ru_maxrss)));
    }

    // Bytes of the Jet 3 sample kept, the reader's memory (MiB) and time
    // (seconds), and what is said. libmdb passes over the rows it cannot
    // find, saying nothing, and reads the properties of the last one without
    // end, until its time or its memory runs out: a reader out of memory
    // says so, never that the file is damaged.
    void damagedFilesAreReported()
    {
        const QList<std::tuple<qsizetype, int, int, QString>> cuts{
            {2048, 1024, 5, "list of tables could not be read"},
            {61440, 1024, 5, "table Table1 holds 2 rows, but only 0"},
            {94208, 1024, 5, "the file is larger than Quillmark could read in "},
            {94208, 256, 60, "the file is larger than Quillmark could read in 256 MiB of memory"}};
        for (const auto &[keptBytes, mebibytes, seconds, complaint] : cuts) {
            writeFile(path, contentsOf(fixtures + "/testV1997.mdb").left(keptBytes));
            limitAccessReaderMemory(qint64(mebibytes) << 20);
            QList<QList<QVariantList>> rows;
            const QString problem = readApart(path, {{"Table1", {"A", "G"}}}, &rows,
                                              std::chrono::seconds(seconds));
            limitAccessReaderMemory(qint64(1) << 30);
            QVERIFY2(problem.contains(complaint), qPrintable(problem));
            QVERIFY(rows.value(0).isEmpty());
        }
    }

    // The window of a long import: hidden for a short one, counts once
    // shown, and no key closes it while the reading goes on.
    void showsCountsOnlyWhenReadingTakesLong()
    {
        frmImportProgress window;
        window.rowsRead(0, 5);
        QVERIFY(!window.isVisible());
        QTest::qWait(600);
        window.rowsRead(3, 200);
        QVERIFY(window.isVisible());
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblCounts"))->text(),
                 QStringLiteral("Banks: 5   Payees: 0   Layouts: 0   Register rows: 200"));
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab}) {
            QTest::keyClick(&window, key);
            QVERIFY(window.isVisible());
        }
    }
};

QTEST_MAIN(TestJetMigration)
#include "test_jetmigration.moc"
