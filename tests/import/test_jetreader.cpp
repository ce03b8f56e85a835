#include "jetreader.h"
#include "jettables.h"
#include "jetvalues.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace jet;

namespace {

const QString fixtures = QStringLiteral(JET_FIXTURES);

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

class TestJetReader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(fixtures + QStringLiteral("/testV1997.mdb")),
                 qPrintable(QStringLiteral("The Jet sample files are missing from ") + fixtures));
        useAccessReaderProgram(QStringLiteral(ACCESS_READER));
    }

    void datesFromTheirDayCount_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QVariant>("expected");
        const auto at = [](QDate date, QTime time) { return QVariant(QDateTime(date, time, Qt::UTC)); };
        QTest::newRow("the count's start") << 0.0 << QVariant(QDate(1899, 12, 30));
        QTest::newRow("a date") << 29932.0 << QVariant(QDate(1981, 12, 12));
        QTest::newRow("noon") << 36526.5 << at(QDate(2000, 1, 1), QTime(12, 0));
        QTest::newRow("time before the start counts forward") << -1.25 << at(QDate(1899, 12, 29), QTime(6, 0));
        QTest::newRow("Jet's first day") << -657434.0 << QVariant(QDate(100, 1, 1));
        QTest::newRow("Jet's last day") << 2958465.0 << QVariant(QDate(9999, 12, 31));
        QTest::newRow("rounding to midnight") << 0.9999999999 << QVariant(QDate(1899, 12, 31));
        QTest::newRow("not a number") << std::nan("") << QVariant();
        QTest::newRow("beyond every calendar") << 1e300 << QVariant();
    }

    void datesFromTheirDayCount()
    {
        QFETCH(double, days);
        QFETCH(QVariant, expected);
        QVERIFY2(same(jetDateTime(days), expected), qPrintable(jetDateTime(days).toString()));
    }

    void textAndSingles()
    {
        QCOMPARE(fromWindows1252("\x80 5 O\x92Neil Caf\xe9 M\xfcller"), "€ 5 O’Neil Café Müller");
        QCOMPARE(fromWindows1252("\x81\x9d"), "\u0081\u009d");  // bytes Windows-1252 leaves undefined
        // Singles keep their decimal form when widened, within a single's digits.
        QVERIFY(widenedSingle(2.54f) == 2.54);
        QVERIFY(widenedSingle(0.1f) == 0.1);
        QVERIFY(widenedSingle(16777217.0f) == 16777216.0);
    }

    void jet4TextAndDecimals()
    {
        // "Ab" compressed, then switched to two bytes a character for "€".
        QCOMPARE(fromJet4Text(QByteArray::fromHex("fffe416200ac20")), "Ab€");
        QCOMPARE(fromJet4Text(QByteArray::fromHex("3dd8b8dc")), "\U0001F4B8");  // a pair, exactly
        QVERIFY(hasUnpairedSurrogate(fromJet4Text(QByteArray::fromHex("410040d8"))));
        QVERIFY(!hasUnpairedSurrogate("a\U0001F4B8b"));
        const QList<std::tuple<QByteArray, int, double>> decimals = {
            {QByteArray::fromHex("00" "00000000" "00000000" "00000000" "39300000"), 1, 1234.5},
            {QByteArray::fromHex("80" "00000000" "00000000" "00000000" "01000000"), 2, -0.01},
            // 2^32 + 5: the second word counts 2^32.
            {QByteArray::fromHex("00" "00000000" "00000000" "01000000" "05000000"), 0, 4294967301.0},
        };
        for (const auto &[bytes, scale, value] : decimals)
            QCOMPARE(jetDecimal(bytes, scale), QVariant(value));
        QVERIFY(!jetDecimal(QByteArray(16, 0), 0).isValid());
        for (const auto &[number, text] : {std::pair{1e5, "100000"}, {12345.5, "12345.5"}, {1e-5, "0.00001"}})
            QCOMPARE(plainDecimal(number), QString::fromLatin1(text));
    }

    void readsEveryKindOfColumn_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("Jet 3") << "testV1997.mdb";
        QTest::newRow("Jet 4") << "testV2000.mdb";
    }

    // Columns in another order and letter case than the file's; read in a
    // child process, so every value also crosses back to this one.
    void readsEveryKindOfColumn()
    {
        QFETCH(QString, file);
        JetTableRows rows;
        QCOMPARE(readJetTablesApart(fixtures + QLatin1Char('/') + file,
                                    {{"table1", {"I", "H", "g", "F", "e", "D", "c", "B", "a"}}, {"Table2", {}}},
                                    &rows, std::chrono::minutes(1)),
                 QString());
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows[1].isEmpty());
        const QList<QVariantList> expected = {
            {false, 0.0, QDate(1981, 12, 12), 0.0, 0, 0, 0, QStringLiteral("b"), QStringLiteral("a")},
            {true, 3.5, QDate(1974, 9, 21), 444.555, 333333333, 222, 2, QStringLiteral("hijklmnop"),
             QStringLiteral("abcdefg")},
        };
        QCOMPARE(rows[0].size(), 2);
        // The file keeps its rows in an order of its own.
        const bool inOrder = sameRow(rows[0][0], expected[0]);
        QVERIFY(sameRow(rows[0][inOrder ? 0 : 1], expected[0]));
        QVERIFY(sameRow(rows[0][inOrder ? 1 : 0], expected[1]));
    }

    void missingTablesAndColumns_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QStringList>("missing");
        QTest::newRow("everything there") << "TABLE1" << QStringList{"a", "i"} << QStringList();
        QTest::newRow("table absent") << "Bank" << QStringList{"Bankname"} << QStringList{"table Bank"};
        QTest::newRow("columns absent") << "Table1" << QStringList{"A", "Currency", "Z"}
                                        << QStringList{"column Table1.Currency", "column Table1.Z"};
        QTest::newRow("system tables are not the user's")
            << "MSysObjects" << QStringList() << QStringList{"table MSysObjects"};
    }

    void missingTablesAndColumns()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, columns);
        QFETCH(QStringList, missing);
        const JetReader reader(fixtures + QStringLiteral("/testV2000.mdb"));
        QCOMPARE(reader.missing(table, columns), missing);
        QList<QVariantList> rows{{1}};
        QCOMPARE(reader.readTable(table, columns, &rows),
                 missing.isEmpty() ? QString() : "it lacks " + missing.join(", "));
        QCOMPARE(rows.size(), missing.isEmpty() ? 2 : 0);
    }

    void damagedFilesAreReported_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qsizetype>("keptBytes");
        QTest::addColumn<QString>("complaint");
        const QString noList = QStringLiteral("list of tables could not be read");
        QTest::newRow("Jet 3 cut after its first page") << "testV1997.mdb" << qsizetype(2048) << noList;
        QTest::newRow("Jet 4 cut after its first page") << "testV2000.mdb" << qsizetype(4096) << noList;
        QTest::newRow("cut in the table's pages")
            << "testV1997.mdb" << qsizetype(40960) << "table Table1 could not be read";
        // libmdb passes over the rows it cannot find, saying nothing.
        QTest::newRow("cut in the table's rows")
            << "testV1997.mdb" << qsizetype(61440) << "table Table1 holds 2 rows, but only 0";
        // libmdb reads the properties of this one without end.
        QTest::newRow("cut in its properties")
            << "testV1997.mdb" << qsizetype(94208) << "did not end within 5 seconds";
    }

    void damagedFilesAreReported()
    {
        QFETCH(QString, file);
        QFETCH(qsizetype, keptBytes);
        QFETCH(QString, complaint);
        QTemporaryDir dir;
        QFile original(fixtures + QLatin1Char('/') + file), damaged(dir.filePath(file));
        QVERIFY(original.open(QIODevice::ReadOnly) && damaged.open(QIODevice::WriteOnly));
        damaged.write(original.read(keptBytes));
        damaged.close();
        JetTableRows rows;
        const QString problem = readJetTablesApart(damaged.fileName(), {{"Table1", {"A", "G"}}},
                                                   &rows, std::chrono::seconds(5));
        QVERIFY2(problem.contains(complaint), qPrintable(problem));
        QVERIFY(rows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestJetReader)
#include "test_jetreader.moc"
