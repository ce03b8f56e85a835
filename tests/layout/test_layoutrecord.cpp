#include "layoutrecord.h"
#include "temporarydatabase.h"

#include <QTest>

using store::LayoutPosition;

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(std::optional<float>)

class TestLayoutRecord : public QObject
{
    Q_OBJECT

private slots:
    void unitNames_data();
    void unitNames();
    void positionsAreSinglePrecision_data();
    void positionsAreSinglePrecision();
    void loadsTheNamedBankOnly();
    void bankNameIsBoundNotSpliced();
    void reportsDatabaseFailure();
};

namespace {

store::LayoutRow layoutRow(const QString &bankName, const QString &scaleMode)
{
    store::LayoutRow row;
    row.bankName = bankName;
    row.scaleMode = scaleMode;
    for (int i = 0; i < store::LayoutPositionCount; ++i)
        row.positions[i] = i + 1;
    return row;
}

} // namespace

void TestLayoutRecord::unitNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("scaleMode");

    QTest::newRow("Inches") << "Inches" << 5;
    QTest::newRow("Cms") << "Cms" << 7;
    QTest::newRow("mms") << "mms" << 6;
    QTest::newRow("Pixels") << "Pixels" << 3;
    // Exact names only: anything else is read in inches.
    QTest::newRow("cms in lower case") << "cms" << 5;
    QTest::newRow("CMS in capitals") << "CMS" << 5;
    QTest::newRow("Mms") << "Mms" << 5;
    QTest::newRow("pixels") << "pixels" << 5;
    QTest::newRow("blank before") << " Cms" << 5;
    QTest::newRow("blank after") << "mms " << 5;
    QTest::newRow("other unit") << "Twips" << 5;
    QTest::newRow("empty") << "" << 5;
    QTest::newRow("no value") << QString() << 5;
}

void TestLayoutRecord::unitNames()
{
    QFETCH(QString, name);
    QFETCH(int, scaleMode);
    QCOMPARE(scaleModeFor(name), scaleMode);

    // The same through a saved layout.
    TemporaryDatabase database;
    QVERIFY(!store::replaceLayout(database.db(), layoutRow(QStringLiteral("Any Bank"), name))
                 .isValid());
    std::optional<LayoutRecord> layout;
    QVERIFY(!loadLayoutRecord(database.db(), QStringLiteral("Any Bank"), &layout).isValid());
    QVERIFY(layout);
    QCOMPARE(layout->scaleMode(), scaleMode);
}

void TestLayoutRecord::positionsAreSinglePrecision_data()
{
    QTest::addColumn<std::optional<double>>("stored");
    QTest::addColumn<std::optional<float>>("read");

    QTest::newRow("whole") << std::optional<double>(3) << std::optional<float>(3.0f);
    QTest::newRow("half") << std::optional<double>(12.5) << std::optional<float>(12.5f);
    QTest::newRow("tenth") << std::optional<double>(0.1) << std::optional<float>(0.1f);
    QTest::newRow("many digits") << std::optional<double>(2.123456789012)
                                 << std::optional<float>(2.123456789012f);
    QTest::newRow("negative") << std::optional<double>(-1.5) << std::optional<float>(-1.5f);
    QTest::newRow("zero") << std::optional<double>(0) << std::optional<float>(0.0f);
    QTest::newRow("no value") << std::optional<double>() << std::optional<float>();
}

void TestLayoutRecord::positionsAreSinglePrecision()
{
    QFETCH(std::optional<double>, stored);
    QFETCH(std::optional<float>, read);

    TemporaryDatabase database;
    store::LayoutRow row = layoutRow(QStringLiteral("Any Bank"), QStringLiteral("Cms"));
    row.positions[store::AmtinWords1Width] = stored;
    QVERIFY(!store::replaceLayout(database.db(), row).isValid());

    std::optional<LayoutRecord> layout;
    QVERIFY(!loadLayoutRecord(database.db(), QStringLiteral("Any Bank"), &layout).isValid());
    QVERIFY(layout);
    const std::optional<float> width = layout->position(store::AmtinWords1Width);
    QCOMPARE(width.has_value(), read.has_value());
    if (read)
        QCOMPARE(*width, *read);  // exactly the float, not the double
    // The other columns come through in their own places.
    QCOMPARE(layout->position(store::DateTop), std::optional<float>(1.0f));
    QCOMPARE(layout->position(store::AmtWidth), std::optional<float>(15.0f));
}

void TestLayoutRecord::loadsTheNamedBankOnly()
{
    TemporaryDatabase database;
    store::LayoutRow first = layoutRow(QStringLiteral("First Bank"), QStringLiteral("mms"));
    store::LayoutRow second = layoutRow(QStringLiteral("Second Bank"), QStringLiteral("Cms"));
    second.positions[store::nameleft] = 99;
    QVERIFY(!store::replaceLayout(database.db(), first).isValid());
    QVERIFY(!store::replaceLayout(database.db(), second).isValid());

    std::optional<LayoutRecord> layout;
    QVERIFY(!loadLayoutRecord(database.db(), QStringLiteral("Second Bank"), &layout).isValid());
    QVERIFY(layout);
    QCOMPARE(layout->bankName, QStringLiteral("Second Bank"));
    QCOMPARE(layout->scaleModeName, QStringLiteral("Cms"));
    QCOMPARE(layout->position(store::nameleft), std::optional<float>(99.0f));

    // A name typed rather than chosen finds nothing.
    QVERIFY(!loadLayoutRecord(database.db(), QStringLiteral("Third Bank"), &layout).isValid());
    QVERIFY(!layout);
}

void TestLayoutRecord::bankNameIsBoundNotSpliced()
{
    TemporaryDatabase database;
    const QString quoted = QStringLiteral("O'Brien's Bank");
    QVERIFY(!store::replaceLayout(database.db(), layoutRow(quoted, QStringLiteral("Inches")))
                 .isValid());

    std::optional<LayoutRecord> layout;
    QVERIFY(!loadLayoutRecord(database.db(), quoted, &layout).isValid());
    QVERIFY(layout);
    QCOMPARE(layout->bankName, quoted);

    QVERIFY(!loadLayoutRecord(database.db(), QStringLiteral("x' or '1'='1"), &layout).isValid());
    QVERIFY(!layout);
}

void TestLayoutRecord::reportsDatabaseFailure()
{
    TemporaryDatabase database;
    QVERIFY(!store::replaceLayout(database.db(), layoutRow(QStringLiteral("Any Bank"),
                                                           QStringLiteral("Inches")))
                 .isValid());
    database.exec(QStringLiteral("drop table Positions"));

    std::optional<LayoutRecord> layout;
    QVERIFY(loadLayoutRecord(database.db(), QStringLiteral("Any Bank"), &layout).isValid());
    QVERIFY(!layout);
}

QTEST_GUILESS_MAIN(TestLayoutRecord)
#include "test_layoutrecord.moc"
