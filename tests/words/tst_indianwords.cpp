#include "Module1.h"
#include "recordedmessages.h"

#include <QTest>
#include <limits>

class TestIndianWords : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void wordsTheAmount_data();
    void wordsTheAmount();
    void keepsThePreviousWordsWhenTooLarge_data();
    void keepsThePreviousWordsWhenTooLarge();
    void negativeAmountsWriteNoNumberWords_data();
    void negativeAmountsWriteNoNumberWords();
    void twoDigits_data();
    void twoDigits();
    void numberWord_data();
    void numberWord();
};

void TestIndianWords::init()
{
    strAmtInWords.clear();
}

void TestIndianWords::wordsTheAmount_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("words");

    QTest::newRow("0") << 0.0 << " only";
    QTest::newRow("7") << 7.0 << "Seven only";
    QTest::newRow("20") << 20.0 << "Twenty  only";
    QTest::newRow("45") << 45.0 << "Forty Five only";
    QTest::newRow("100") << 100.0 << "One hundred  only";
    QTest::newRow("105") << 105.0 << "One hundred and Five only";
    QTest::newRow("120") << 120.0 << "One hundred and Twenty  only";
    QTest::newRow("1000") << 1000.0 << "One thousand  only";
    QTest::newRow("1005") << 1005.0 << "One thousand and Five only";
    QTest::newRow("1234.50") << 1234.50
        << "One thousand Two hundred and Thirty Four and  Paise Fifty  only";
    QTest::newRow("20000") << 20000.0 << "Twenty  thousand  only";
    QTest::newRow("100005") << 100005.0 << "One lakh and Five only";
    QTest::newRow("1250000.75") << 1250000.75
        << "Twelve lakh Fifty  thousand  and  Paise Seventy Five only";
    QTest::newRow("2000000") << 2000000.0 << "Twenty  lakh  only";
    QTest::newRow("10000000") << 10000000.0 << "One crore  only";
    QTest::newRow("21474836.47") << 21474836.47
        << "Two crore Fourteen lakh Seventy Four thousand Eight hundred and Thirty Six and  Paise Forty Seven only";
    QTest::newRow("0.75") << 0.75 << " and  Paise Seventy Five only";
    QTest::newRow("0.05") << 0.05 << " and  Paise Five only";
    QTest::newRow("999.99") << 999.99 << "Nine hundred and Ninety Nine and  Paise Ninety Nine only";
    QTest::newRow("12.125 rounds half to even") << 12.125 << "Twelve and  Paise Twelve only";
    QTest::newRow("12.375 rounds half to even") << 12.375 << "Twelve and  Paise Thirty Eight only";
    QTest::newRow("1500") << 1500.0 << "One thousand Five hundred  only";

    // A zero group is skipped while higher digits remain.
    QTest::newRow("10000001") << 10000001.0 << "One crore and One only";
    QTest::newRow("10100000") << 10100000.0 << "One crore One lakh  only";
    QTest::newRow("99") << 99.0 << "Ninety Nine only";
    QTest::newRow("19.10") << 19.10 << "Nineteen and  Paise Ten only";
}

void TestIndianWords::wordsTheAmount()
{
    QFETCH(double, amount);
    QFETCH(QString, words);
    RecordedMessages messages;
    udf_Num2WordsIndian(amount);
    QCOMPARE(strAmtInWords, words);
    QVERIFY(messages.all().isEmpty());
}

void TestIndianWords::keepsThePreviousWordsWhenTooLarge_data()
{
    QTest::addColumn<double>("amount");

    QTest::newRow("21474836.48") << 21474836.48;
    QTest::newRow("one hundred million") << 1e8;
    QTest::newRow("below -21474836.48") << -21474836.49;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
}

void TestIndianWords::keepsThePreviousWordsWhenTooLarge()
{
    QFETCH(double, amount);
    RecordedMessages messages;
    udf_Num2WordsIndian(7.0);
    udf_Num2WordsIndian(amount);
    QCOMPARE(strAmtInWords, QStringLiteral("Seven only"));
    QVERIFY(messages.all().isEmpty());
}

void TestIndianWords::negativeAmountsWriteNoNumberWords_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("words");

    QTest::newRow("-150") << -150.0 << " only";
    QTest::newRow("-0.75") << -0.75 << " and  Paise  only";
    QTest::newRow("-21474836.48") << -21474836.48 << " and  Paise  only";
}

void TestIndianWords::negativeAmountsWriteNoNumberWords()
{
    QFETCH(double, amount);
    QFETCH(QString, words);
    udf_Num2WordsIndian(amount);
    QCOMPARE(strAmtInWords, words);
}

void TestIndianWords::twoDigits_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("words");

    QTest::newRow("0") << 0 << "";
    QTest::newRow("7") << 7 << "Seven";
    QTest::newRow("19") << 19 << "Nineteen";
    QTest::newRow("20") << 20 << "Twenty ";
    QTest::newRow("40") << 40 << "Forty ";
    QTest::newRow("45") << 45 << "Forty Five";
    QTest::newRow("99") << 99 << "Ninety Nine";
    QTest::newRow("-45") << -45 << "";
}

void TestIndianWords::twoDigits()
{
    QFETCH(int, n);
    QFETCH(QString, words);
    QCOMPARE(udf_strTwoDigits(n), words);
}

void TestIndianWords::numberWord_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("word");

    const QStringList below20 = {"One", "Two", "Three", "Four", "Five", "Six", "Seven",
                                 "Eight", "Nine", "Ten", "Eleven", "Twelve", "Thirteen",
                                 "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen",
                                 "Nineteen"};
    for (int n = 1; n <= 19; ++n)
        QTest::addRow("%d", n) << n << below20[n - 1];
    const QStringList tens = {"Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy",
                              "Eighty", "Ninety"};
    for (int n = 20; n <= 90; n += 10)
        QTest::addRow("%d", n) << n << tens[n / 10 - 2];
    for (int n : {0, 21, 29, 31, 95, 100, -1, -20})
        QTest::addRow("%d has no word", n) << n << QString();
}

void TestIndianWords::numberWord()
{
    QFETCH(int, n);
    QFETCH(QString, word);
    QCOMPARE(udf_varNumberWord(n), word);
}

QTEST_APPLESS_MAIN(TestIndianWords)
#include "tst_indianwords.moc"
