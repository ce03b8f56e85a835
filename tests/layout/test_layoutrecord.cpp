#include "layoutrecord.h"
#include "temporarydatabase.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(std::optional<float>)

namespace {

// Saves a layout of the bank in the unit: position i holds i + 1, the first
// line of words' width the value given.
void save(TemporaryDatabase &database, const QString &bank, const QString &unit,
          std::optional<double> wordsWidth = 3)
{
    store::LayoutRow row;
    row.bankName = bank;
    row.scaleMode = unit;
    for (int i = 0; i < store::LayoutPositionCount; ++i)
        row.positions[i] = i + 1;
    row.positions[store::AmtinWords1Width] = wordsWidth;
    QVERIFY(!store::replaceLayout(database.db(), row).isValid());
}

std::optional<LayoutRecord> load(TemporaryDatabase &database, const QString &bank)
{
    std::optional<LayoutRecord> layout;
    const QSqlError error = loadLayoutRecord(database.db(), bank, &layout);
    if (error.isValid())
        qWarning() << error.text();
    return layout;
}

} // namespace

class TestLayoutRecord : public QObject
{
    Q_OBJECT
private slots:
    // A saved layout read back: its unit by exact name (anything else is
    // inches), its positions as single-precision numbers in their own places.
    void unitAndPositionsReadBack_data()
    {
        using D = std::optional<double>;
        using F = std::optional<float>;
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("scaleMode");
        QTest::addColumn<D>("stored");
        QTest::addColumn<F>("read");
        QTest::newRow("Inches, a tenth") << "Inches" << 5 << D(0.1) << F(0.1f);
        QTest::newRow("Cms, many digits") << "Cms" << 7 << D(2.123456789012) << F(2.123456789012f);
        QTest::newRow("mms, negative") << "mms" << 6 << D(-1.5) << F(-1.5f);
        QTest::newRow("Pixels, no value") << "Pixels" << 3 << D() << F();
        QTest::newRow("cms in lower case") << "cms" << 5 << D(3) << F(3);
        QTest::newRow("no unit") << QString() << 5 << D(3) << F(3);
    }

    void unitAndPositionsReadBack()
    {
        QFETCH(QString, unit);
        QFETCH(int, scaleMode);
        QFETCH(std::optional<double>, stored);
        QFETCH(std::optional<float>, read);
        TemporaryDatabase database;
        save(database, "Any Bank", unit, stored);

        const std::optional<LayoutRecord> layout = load(database, "Any Bank");
        QVERIFY(layout);
        QCOMPARE(layout->scaleMode(), scaleMode);
        QCOMPARE(layout->position(store::AmtinWords1Width), read);  // exactly the float
        QCOMPARE(layout->position(store::DateTop), std::optional<float>(1.0f));
        QCOMPARE(layout->position(store::AmtWidth), std::optional<float>(15.0f));
    }

    void loadsTheNamedBankOnly_data()
    {
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("unit");  // of the layout found; null for none
        QTest::newRow("second of two") << "Second Bank" << "Cms";
        QTest::newRow("quotes in the name") << "O'Brien's Bank" << "Inches";
        QTest::newRow("typed, not stored") << "Third Bank" << QString();
        QTest::newRow("quote that would widen the query") << "x' or '1'='1" << QString();
    }

    void loadsTheNamedBankOnly()
    {
        QFETCH(QString, bank);
        QFETCH(QString, unit);
        TemporaryDatabase database;
        save(database, "First Bank", "mms");
        save(database, "Second Bank", "Cms");
        save(database, "O'Brien's Bank", "Inches");

        const std::optional<LayoutRecord> layout = load(database, bank);
        QCOMPARE(layout.has_value(), !unit.isNull());
        if (layout) {
            QCOMPARE(layout->bankName, bank);
            QCOMPARE(layout->scaleModeName, unit);
        }
    }

    void reportsDatabaseFailure()
    {
        TemporaryDatabase database;
        save(database, "Any Bank", "Inches");
        database.exec("drop table Positions");

        std::optional<LayoutRecord> layout;
        QVERIFY(loadLayoutRecord(database.db(), "Any Bank", &layout).isValid());
        QVERIFY(!layout);
    }
};

QTEST_GUILESS_MAIN(TestLayoutRecord)
#include "test_layoutrecord.moc"
