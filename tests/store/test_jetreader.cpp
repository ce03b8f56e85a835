#include "jetreader.h"
#include "jettables.h"
#include "jetvalues.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace store;

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

QString damagedCopy(const QTemporaryDir &dir, const QString &file, qsizetype keptBytes)
{
    QFile original(fixtures + QLatin1Char('/') + file);
    original.open(QIODevice::ReadOnly);
    QFile damaged(dir.filePath(file));
    damaged.open(QIODevice::WriteOnly);
    damaged.write(original.read(keptBytes));
    return damaged.fileName();
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
    }
    void datesFromTheirDayCount_data();
    void datesFromTheirDayCount();
    void windows1252Text_data();
    void windows1252Text();
    void singlesKeepTheirDecimalForm();
    void readsEveryKindOfColumn_data();
    void readsEveryKindOfColumn();
    void missingTablesAndColumns_data();
    void missingTablesAndColumns();
    void damagedFilesAreReported_data();
    void damagedFilesAreReported();
};

void TestJetReader::datesFromTheirDayCount_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("the count's start") << 0.0 << QVariant(QDate(1899, 12, 30));
    QTest::newRow("a date") << 29932.0 << QVariant(QDate(1981, 12, 12));
    QTest::newRow("noon") << 36526.5 << QVariant(QDateTime(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC));
    QTest::newRow("time before the start counts forward")
        << -1.25 << QVariant(QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC));
    QTest::newRow("Jet's first day") << -657434.0 << QVariant(QDate(100, 1, 1));
    QTest::newRow("Jet's last day") << 2958465.0 << QVariant(QDate(9999, 12, 31));
    QTest::newRow("rounding to midnight") << 0.9999999999 << QVariant(QDate(1899, 12, 31));
    QTest::newRow("not a number") << std::nan("") << QVariant();
    QTest::newRow("beyond every calendar") << 1e300 << QVariant();
}

void TestJetReader::datesFromTheirDayCount()
{
    QFETCH(double, days);
    QFETCH(QVariant, expected);
    QVERIFY2(same(jetDateTime(days), expected), qPrintable(jetDateTime(days).toString()));
}

void TestJetReader::windows1252Text_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("euro and curly quote") << QByteArray("\x80 5 O\x92Neil") << "€ 5 O’Neil";
    QTest::newRow("Latin-1 letters") << QByteArray("Caf\xe9 M\xfcller") << "Café Müller";
    QTest::newRow("undefined bytes") << QByteArray("\x81\x9d") << "\u0081\u009d";
}

void TestJetReader::windows1252Text()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(fromWindows1252(bytes), expected);
}

void TestJetReader::singlesKeepTheirDecimalForm()
{
    QVERIFY(widenedSingle(2.54f) == 2.54);
    QVERIFY(widenedSingle(0.1f) == 0.1);
    QVERIFY(widenedSingle(16777217.0f) == 16777216.0);  // beyond a single's digits
}

void TestJetReader::readsEveryKindOfColumn_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Jet 3") << "testV1997.mdb";
    QTest::newRow("Jet 4") << "testV2000.mdb";
}

void TestJetReader::readsEveryKindOfColumn()
{
    QFETCH(QString, file);
    // Columns in another order and letter case than the file's; read in a
    // child process, so every value also crosses back to this one.
    const QList<JetTableColumns> tables{
        {QStringLiteral("table1"), {"I", "H", "g", "F", "e", "D", "c", "B", "a"}},
        {QStringLiteral("Table2"), {}}};
    JetTableRows rows;
    QCOMPARE(readJetTablesApart(fixtures + QLatin1Char('/') + file, tables, &rows,
                                std::chrono::minutes(1)),
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

void TestJetReader::missingTablesAndColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("missing");
    QTest::newRow("everything there") << "TABLE1" << QStringList{"a", "i"} << QStringList();
    QTest::newRow("table absent") << "Bank" << QStringList{"Bankname"} << QStringList{"table Bank"};
    QTest::newRow("columns absent") << "Table1" << QStringList{"A", "Currency", "Z"}
                                    << QStringList{"column Table1.Currency", "column Table1.Z"};
    QTest::newRow("system tables are not the user's") << "MSysObjects" << QStringList()
                                                      << QStringList{"table MSysObjects"};
}

void TestJetReader::missingTablesAndColumns()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    QFETCH(QStringList, missing);
    const JetReader reader(fixtures + QStringLiteral("/testV2000.mdb"));
    QCOMPARE(reader.missing(table, columns), missing);
    QList<QVariantList> rows{{1}};
    const QString problem = reader.readTable(table, columns, &rows);
    QCOMPARE(problem, missing.isEmpty() ? QString() : "it lacks " + missing.join(", "));
    QCOMPARE(rows.size(), missing.isEmpty() ? 2 : 0);
}

void TestJetReader::damagedFilesAreReported_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qsizetype>("keptBytes");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("Jet 3 cut after its first page") << "testV1997.mdb" << qsizetype(2048)
                                                    << "list of tables could not be read";
    QTest::newRow("Jet 4 cut after its first page") << "testV2000.mdb" << qsizetype(4096)
                                                    << "list of tables could not be read";
    QTest::newRow("cut in the table's pages") << "testV1997.mdb" << qsizetype(40960)
                                              << "table Table1 could not be read";
    // libmdb passes over the rows it cannot find, saying nothing.
    QTest::newRow("cut in the table's rows") << "testV1997.mdb" << qsizetype(61440)
                                             << "table Table1 holds 2 rows, but only 0";
    // libmdb reads the properties of this one without end.
    QTest::newRow("cut in its properties") << "testV1997.mdb" << qsizetype(94208)
                                           << "did not end within 5 seconds";
}

void TestJetReader::damagedFilesAreReported()
{
    QFETCH(QString, file);
    QFETCH(qsizetype, keptBytes);
    QFETCH(QString, complaint);
    QTemporaryDir dir;
    JetTableRows rows;
    const QString problem = readJetTablesApart(damagedCopy(dir, file, keptBytes),
                                               {{QStringLiteral("Table1"), {"A", "G"}}}, &rows,
                                               std::chrono::seconds(5));
    QVERIFY2(problem.contains(complaint), qPrintable(problem));
    QVERIFY(rows.isEmpty());
}

QTEST_GUILESS_MAIN(TestJetReader)
#include "test_jetreader.moc"
