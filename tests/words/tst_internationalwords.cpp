#include "Module1.h"
#include "recordedmessages.h"
#include "standardformat.h"

#include <QTest>
#include <limits>

class TestInternationalWords : public QObject
{
    Q_OBJECT
private slots:
    void wordsTheAmount_data();
    void wordsTheAmount();
    void standardFormat_data();
    void standardFormat();
};

void TestInternationalWords::wordsTheAmount_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("subUnit");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QStringList>("boxTitles");  // of the converters' own message boxes
    const auto row = [](const char *amount, const char *words, const char *unit = "Dollars ",
                        const char *subUnit = "Cents only") {
        QTest::addRow("%s %s", amount, unit) << QByteArray(amount).toDouble() << unit << subUnit
                                             << QString::fromUtf8(words) << QStringList();
    };
    row("0", "Dollars ");
    row("0.50", "Dollars and Fifty Cents only");
    row("101", "One Hundred One Dollars ");
    row("1234.50", "One Thousand Two Hundred Thirty Four Dollars and Fifty Cents only");
    row("1001001.01", "One Million One Thousand One Dollars and One Cents only");
    row("2500000000.05", "Two Billion Five Hundred Million Dollars and Five Cents only");
    row("999999999999.99", "Nine Hundred Ninety Nine Billion Nine Hundred Ninety Nine Million "
                           "Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine Dollars "
                           "and Ninety Nine Cents only");
    row("1000000000000", "Dollars ");
    row("1234.50", "One Thousand Two Hundred Thirty Four Dinar and Fifty Fils only", "Dinar ",
        "Fils only");
    // Zero middle groups are skipped with their group words.
    row("1000005", "One Million Five Dollars ");
    row("3000000019", "Three Billion Nineteen Dollars ");
    row("45.40", "Forty Five Dollars and Forty Cents only");
    row("0.125", "Dollars and Thirteen Cents only");  // an exact half goes away from zero
    row("1.005", "One Dollars ");                     // its double lies below the half
    row("1000000000000.25", "Dollars and Twenty Five Cents only");
    row("-1234.50", "Thousand Two Hundred Thirty Four Dollars and Fifty Cents only");
    row("1e190", "Dollars ");  // the "." at position 255, the last a byte holds
    QTest::newRow("1e191") << 1e191 << "Dollars " << "Cents only" << QString()
                           << QStringList{"udf_strProcessWords"};
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "Dollars "
                              << "Cents only" << QString() << QStringList{"udf_strNum2Words"};
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "Dollars "
                                  << "Cents only" << QString() << QStringList{"udf_strNum2Words"};
}

void TestInternationalWords::wordsTheAmount()
{
    QFETCH(double, amount);
    QFETCH(QString, unit);
    QFETCH(QString, subUnit);
    QFETCH(QString, words);
    QFETCH(QStringList, boxTitles);
    RecordedMessages messages;
    QCOMPARE(udf_strNum2Words(amount, unit, subUnit), words);
    QStringList shownTitles;
    for (const Messages::Message &message : messages.all())
        shownTitles << message.title;
    QCOMPARE(shownTitles, boxTitles);
}

void TestInternationalWords::standardFormat_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *amount, const char *text) {
        QTest::newRow(amount) << QByteArray(amount).toDouble() << QString::fromLatin1(text);
    };
    row("1000000", "1,000,000.00"); row("-1234.5", "-1,234.50");
    // Exact halves of a cent go away from zero; the rest to the nearer cent by
    // the exact binary value.
    row("0.125", "0.13"); row("-0.125", "-0.13"); row("12345.875", "12,345.88");
    row("1.005", "1.00"); row("8.345", "8.35");
    row("999999999999.995", "999,999,999,999.99");
    row("999999999999.996", "1,000,000,000,000.00");
    row("-0.001", "0.00"); row("-0", "0.00");  // no minus on a zero
    // Halves where one unit in the last place is more than a cent.
    row("70368744177664.125", "70,368,744,177,664.13");
    row("-140737488355328.375", "-140,737,488,355,328.38");
    row("999999999999999.875", "999,999,999,999,999.88");
}

void TestInternationalWords::standardFormat()
{
    QFETCH(double, amount);
    QFETCH(QString, text);
    QCOMPARE(StandardFormat(amount).text().toString(), text);
}

QTEST_APPLESS_MAIN(TestInternationalWords)
#include "tst_internationalwords.moc"
