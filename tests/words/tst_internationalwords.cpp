#include "Module1.h"
#include "recordedmessages.h"
#include "standardformat.h"

#include <QTest>
#include <limits>

class TestInternationalWords : public QObject
{
    Q_OBJECT

private slots:
    void wordsDollars_data();
    void wordsDollars();
    void wordsDinar_data();
    void wordsDinar();
    void standardFormat_data();
    void standardFormat();
    void groupRoutines_data();
    void groupRoutines();
    void overflowShowsTheRoutinesBox_data();
    void overflowShowsTheRoutinesBox();
    void hugeAmounts_data();
    void hugeAmounts();
};

void TestInternationalWords::wordsDollars_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("words");

    QTest::newRow("0") << 0.0 << "Dollars ";
    QTest::newRow("0.50") << 0.50 << "Dollars and Fifty Cents only";
    QTest::newRow("5") << 5.0 << "Five Dollars ";
    QTest::newRow("20") << 20.0 << "Twenty Dollars ";
    QTest::newRow("100") << 100.0 << "One Hundred Dollars ";
    QTest::newRow("101") << 101.0 << "One Hundred One Dollars ";
    QTest::newRow("1000") << 1000.0 << "One Thousand Dollars ";
    QTest::newRow("1234.50") << 1234.50
        << "One Thousand Two Hundred Thirty Four Dollars and Fifty Cents only";
    QTest::newRow("1000000") << 1000000.0 << "One Million Dollars ";
    QTest::newRow("1001001.01") << 1001001.01
        << "One Million One Thousand One Dollars and One Cents only";
    QTest::newRow("2500000000.05") << 2500000000.05
        << "Two Billion Five Hundred Million Dollars and Five Cents only";
    QTest::newRow("999999999999.99") << 999999999999.99
        << "Nine Hundred Ninety Nine Billion Nine Hundred Ninety Nine Million Nine Hundred "
           "Ninety Nine Thousand Nine Hundred Ninety Nine Dollars and Ninety Nine Cents only";
    QTest::newRow("1000000000000") << 1e12 << "Dollars ";

    QTest::newRow("zero middle group") << 1000005.0 << "One Million Five Dollars ";
    QTest::newRow("zero middle groups of a billion") << 3000000019.0
        << "Three Billion Nineteen Dollars ";
    QTest::newRow("105") << 105.0 << "One Hundred Five Dollars ";
    QTest::newRow("45.40") << 45.40 << "Forty Five Dollars and Forty Cents only";
    QTest::newRow("cents rounded half away") << 0.125 << "Dollars and Thirteen Cents only";
    QTest::newRow("1.005 is below the half") << 1.005 << "One Dollars ";
    QTest::newRow("a trillion with cents") << 1e12 + 0.25 << "Dollars and Twenty Five Cents only";
    QTest::newRow("negative keeps the minus in the first group") << -1234.50
        << "Thousand Two Hundred Thirty Four Dollars and Fifty Cents only";
}

void TestInternationalWords::wordsDollars()
{
    QFETCH(double, amount);
    QFETCH(QString, words);
    RecordedMessages messages;
    QCOMPARE(udf_strNum2Words(amount, u"Dollars ", u"Cents only"), words);
    QVERIFY(messages.all().isEmpty());
}

void TestInternationalWords::wordsDinar_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("words");

    QTest::newRow("1234.50") << 1234.50
        << "One Thousand Two Hundred Thirty Four Dinar and Fifty Fils only";
    QTest::newRow("1000") << 1000.0 << "One Thousand Dinar ";
}

void TestInternationalWords::wordsDinar()
{
    QFETCH(double, amount);
    QFETCH(QString, words);
    QCOMPARE(udf_strNum2Words(amount, u"Dinar ", u"Fils only"), words);
}

void TestInternationalWords::standardFormat_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << 0.0 << "0.00";
    QTest::newRow("1234.5") << 1234.5 << "1,234.50";
    QTest::newRow("1000000") << 1000000.0 << "1,000,000.00";
    QTest::newRow("999") << 999.0 << "999.00";
    QTest::newRow("negative") << -1234.5 << "-1,234.50";

    // Exact halves of a cent go away from zero; the rest to the nearer cent
    // by the exact binary value.
    QTest::newRow("0.125") << 0.125 << "0.13";
    QTest::newRow("0.375") << 0.375 << "0.38";
    QTest::newRow("-0.125") << -0.125 << "-0.13";
    QTest::newRow("12345.875") << 12345.875 << "12,345.88";
    QTest::newRow("1.005 lies below the half") << 1.005 << "1.00";
    QTest::newRow("2.675 lies below the half") << 2.675 << "2.67";
    QTest::newRow("1.015 lies below the half") << 1.015 << "1.01";
    QTest::newRow("8.345 lies above the half") << 8.345 << "8.35";
    QTest::newRow("999999999999.995 lies below the half") << 999999999999.995
        << "999,999,999,999.99";
    QTest::newRow("999999999999.996 rounds up") << 999999999999.996 << "1,000,000,000,000.00";

    QTest::newRow("rounds to zero: no minus") << -0.001 << "0.00";
    QTest::newRow("negative zero") << -0.0 << "0.00";
    QTest::newRow("largest double") << std::numeric_limits<double>::max()
        << "179,769,313,486,231,570,814,527,423,731,704,356,798,070,567,525,844,996,598,917,476,"
           "803,157,260,780,028,538,760,589,558,632,766,878,171,540,458,953,514,382,464,234,321,"
           "326,889,464,182,768,467,546,703,537,516,986,049,910,576,551,282,076,245,490,090,389,"
           "328,944,075,868,508,455,133,942,304,583,236,903,222,948,165,808,559,332,123,348,274,"
           "797,826,204,144,723,168,738,177,180,919,299,881,250,404,026,184,124,858,368.00";
}

void TestInternationalWords::standardFormat()
{
    QFETCH(double, amount);
    QFETCH(QString, text);
    QCOMPARE(StandardFormat(amount).text().toString(), text);
}

void TestInternationalWords::groupRoutines_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("words");

    QTest::newRow("hundreds 123") << "hundreds" << "123" << "One Hundred Twenty Three ";
    QTest::newRow("hundreds 105") << "hundreds" << "105" << "One Hundred Five ";
    QTest::newRow("hundreds 100") << "hundreds" << "100" << "One Hundred ";
    QTest::newRow("hundreds 012") << "hundreds" << "012" << "Twelve ";
    QTest::newRow("hundreds 045") << "hundreds" << "045" << "Forty Five ";
    QTest::newRow("hundreds 000") << "hundreds" << "000" << "";
    QTest::newRow("hundreds -1") << "hundreds" << "-1" << "";
    QTest::newRow("hundreds -123") << "hundreds" << "-123" << "";
    QTest::newRow("tens 45") << "tens" << "45" << "Forty Five ";
    QTest::newRow("tens 40") << "tens" << "40" << "Forty ";
    QTest::newRow("tens 13") << "tens" << "13" << "Thirteen ";
    QTest::newRow("tens 05") << "tens" << "05" << "Five ";
    QTest::newRow("tens 045: no tens word") << "tens" << "045" << "Five ";
    QTest::newRow("tens -5") << "tens" << "-5" << "";
    QTest::newRow("ones 9") << "ones" << "9" << "Nine ";
    QTest::newRow("ones 07") << "ones" << "07" << "Seven ";
    QTest::newRow("ones 0") << "ones" << "0" << "";
    QTest::newRow("ones 10") << "ones" << "10" << "";
    QTest::newRow("ones -3") << "ones" << "-3" << "";
    QTest::newRow("not a number") << "hundreds" << "1a" << "";
    QTest::newRow("beyond 16 bits") << "hundreds" << "32768" << "";
    QTest::newRow("empty") << "tens" << "" << "";
}

void TestInternationalWords::groupRoutines()
{
    QFETCH(QString, routine);
    QFETCH(QString, argument);
    QFETCH(QString, words);
    RecordedMessages messages;
    if (routine == "hundreds")
        QCOMPARE(udf_strHundreds(argument), words);
    else if (routine == "tens")
        QCOMPARE(udf_strTens(argument), words);
    else
        QCOMPARE(udf_strOnes(argument), words);
    QVERIFY(messages.all().isEmpty());
}

void TestInternationalWords::overflowShowsTheRoutinesBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");

    // 191 digits put the "." at position 255, the last a byte holds.
    const auto amountOfDigits = [](int digits) {
        QString whole;
        for (int i = 0; i < digits; ++i) {
            if (i > 0 && (digits - i) % 3 == 0)
                whole += u',';
            whole += u'9';
        }
        return whole + QStringLiteral(".00");
    };
    QTest::newRow("192 digits") << amountOfDigits(192) << "udf_strProcessWords" << "Overflow";
    QTest::newRow("comma beyond 255")
        << QStringLiteral("1") + QString(300, u'0') + QStringLiteral(",000,000,000,000")
        << "udf_strProcessWords" << "Overflow";
    QTest::newRow("group beyond 16 bits") << "123456" << "udf_strProcessWords" << "Overflow";
    QTest::newRow("group not a number") << "12a.00" << "udf_strProcessWords" << "Type mismatch";
}

void TestInternationalWords::overflowShowsTheRoutinesBox()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, description);
    RecordedMessages messages;
    QCOMPARE(udf_strProcessWords(text, u"Dollars ", u"Cents only"), QString());
    QCOMPARE(messages.only().title, title);
    QCOMPARE(messages.only().text, description);
    QCOMPARE(messages.only().icon, Messages::Icon::Information);
}

void TestInternationalWords::hugeAmounts_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("1e190: the point at 255") << 1e190 << "Dollars " << QStringList();
    QTest::newRow("1e191: the point beyond 255") << 1e191 << ""
                                                 << QStringList{"udf_strProcessWords"};
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << ""
                              << QStringList{"udf_strNum2Words"};
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << ""
                                  << QStringList{"udf_strNum2Words"};
}

void TestInternationalWords::hugeAmounts()
{
    QFETCH(double, amount);
    QFETCH(QString, words);
    QFETCH(QStringList, titles);
    RecordedMessages messages;
    QCOMPARE(udf_strNum2Words(amount, u"Dollars ", u"Cents only"), words);
    QStringList shownTitles;
    for (const Messages::Message &message : messages.all())
        shownTitles << message.title;
    QCOMPARE(shownTitles, titles);
}

QTEST_APPLESS_MAIN(TestInternationalWords)
#include "tst_internationalwords.moc"
