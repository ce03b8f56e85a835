// Amounts read from text and written back, exactly.

#include "money.h"

#include <QTest>

class TestMoney : public QObject
{
    Q_OBJECT
private slots:
    void readsAndWrites_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("grouped");
        QTest::addColumn<QString>("indian");
        const auto row = [](const char *text, qint64 cents, const char *plain, const char *grouped,
                            const char *indian) {
            QTest::newRow(text) << QString::fromUtf8(text) << cents << QString::fromUtf8(plain)
                                << QString::fromUtf8(grouped) << QString::fromUtf8(indian);
        };
        row("0", 0, "0.00", "0.00", "0.00");
        row("5", 500, "5.00", "5.00", "5.00");
        row(".5", 50, "0.50", "0.50", "0.50");
        row("-0.05", -5, "-0.05", "-0.05", "-0.05");
        row("999", 99900, "999.00", "999.00", "999.00");
        row("1500.5", 150050, "1500.50", "1,500.50", "1,500.50");
        row("1,234,567.89", 123456789, "1234567.89", "1,234,567.89", "12,34,567.89");
        row("12,34,567.89", 123456789, "1234567.89", "1,234,567.89", "12,34,567.89");
        row("-100000", -10000000, "-100000.00", "-100,000.00", "-1,00,000.00");
        row("999999999999999.99", 99'999'999'999'999'999, "999999999999999.99",
            "999,999,999,999,999.99", "99,99,99,99,99,99,999.99");
    }
    void readsAndWrites()
    {
        QFETCH(QString, text);
        QFETCH(qint64, cents);
        const std::optional<Money> money = Money::parse(text);
        QVERIFY(money);
        QCOMPARE(money->cents(), cents);
        QTEST(money->toPlain(), "plain");
        QTEST(money->toGrouped(), "grouped");
        QTEST(money->toIndianGrouped(), "indian");
        QCOMPARE(Money::parse(money->toPlain()), money);
    }

    void refusesWhatItCannotReadExactly_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"", "-", ".", "1.234", "1.2.3", " 5", "5 ", "1e3", "+5", "Rs 500",
                                 "1.500,00", "1,50", "1,2345", ",500", "123,45,678", "--5",
                                 "1000000000000000", "0x10", "٥"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }
    void refusesWhatItCannotReadExactly()
    {
        QFETCH(QString, text);
        QCOMPARE(Money::parse(text), std::nullopt);
    }

    void addsWithinItsRange()
    {
        const Money top = Money::fromCents(Money::maxCents);
        QCOMPARE(Money::fromCents(7).plus(Money::fromCents(-10)), Money::fromCents(-3));
        QCOMPARE(top.plus(Money::fromCents(-1))->cents(), Money::maxCents - 1);
        QCOMPARE(top.plus(Money::fromCents(1)), std::nullopt);
        QCOMPARE(Money::fromCents(-Money::maxCents).plus(Money::fromCents(-1)), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestMoney)
#include "tst_money.moc"
