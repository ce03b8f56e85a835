#include "Module1.h"
#include "currencywording.h"
#include "recordedmessages.h"

#include <QTest>

class TestCurrencyWording : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void wordsTheTypedAmount_data();
    void wordsTheTypedAmount();
    void leavingTheBoxAgainAppendsNothing();
    void refusesWithAMessage_data();
    void refusesWithAMessage();
};

void TestCurrencyWording::init()
{
    strAmtInWords.clear();
}

void TestCurrencyWording::wordsTheTypedAmount_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("amountText");
    QTest::addColumn<QString>("words");

    QTest::newRow("INR 1500") << "1500" << "INR" << "1500.00" << "One thousand Five hundred  only";
    for (const char *code : {"USD", "SGD", "AUD"}) {
        QTest::addRow("%s 1234.5", code) << "1234.5" << code << "1234.5"
            << "One Thousand Two Hundred Thirty Four Dollars and Fifty Cents only";
    }
    QTest::newRow("EUR 1000") << "1000" << "EUR" << "1000.00" << "One Thousand Euros ";
    QTest::newRow("DINAR 250.75") << "250.75" << "DINAR" << "250.75"
        << "Two Hundred Fifty Dinar and Seventy Five Fils only";
    QTest::newRow("YEN 5000") << "5000" << "YEN" << "5000.00" << "Five Thousand Yen";
    QTest::newRow("INR empty box") << "" << "INR" << ".00" << " only";
    QTest::newRow("USD empty box") << "" << "USD" << ".00" << "Dollars ";
    QTest::newRow("INR largest") << "21474836.47" << "INR" << "21474836.47"
        << "Two crore Fourteen lakh Seventy Four thousand Eight hundred and Thirty Six and  Paise Forty Seven only";
    QTest::newRow("USD largest") << "999999999999.99" << "USD" << "999999999999.99"
        << "Nine Hundred Ninety Nine Billion Nine Hundred Ninety Nine Million Nine Hundred "
           "Ninety Nine Thousand Nine Hundred Ninety Nine Dollars and Ninety Nine Cents only";

    // A pound is worded like a dollar, with pence.
    QTest::newRow("GBP 1234.5") << "1234.5" << "GBP" << "1234.5"
        << "One Thousand Two Hundred Thirty Four Pounds and Fifty Pence only";
    QTest::newRow("GBP 20") << "20" << "GBP" << "20.00" << "Twenty Pounds ";

    // Minus zero is no negative amount; blanks inside the number are skipped.
    QTest::newRow("minus zero") << "-0" << "INR" << "-0.00" << " only";
    QTest::newRow("blanks in the amount") << " 1 500 " << "EUR" << " 1 500 .00"
        << "One Thousand Five Hundred Euros ";
}

void TestCurrencyWording::wordsTheTypedAmount()
{
    QFETCH(QString, typed);
    QFETCH(QString, currency);
    QFETCH(QString, amountText);
    QFETCH(QString, words);
    RecordedMessages messages;
    const CurrencyWording wording = udf_wordCurrency(typed, currency);
    QCOMPARE(wording.amountText, amountText);
    QCOMPARE(wording.words, words);
    QCOMPARE(strAmtInWords, words);
    QVERIFY(messages.all().isEmpty());
}

void TestCurrencyWording::leavingTheBoxAgainAppendsNothing()
{
    const CurrencyWording first = udf_wordCurrency(QStringLiteral("1500"), QStringLiteral("INR"));
    const CurrencyWording second = udf_wordCurrency(first.amountText, QStringLiteral("INR"));
    QCOMPARE(second.amountText, QStringLiteral("1500.00"));
    QCOMPARE(second.words, first.words);
}

void TestCurrencyWording::refusesWithAMessage_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("message");

    const QString tooLargeIndian = QStringLiteral(
        "The amount %1 is too large to write in words. "
        "The largest amount that can be written is 21,474,836.47.");
    const QString tooLargeInternational = QStringLiteral(
        "The amount %1 is too large to write in words. "
        "The largest amount that can be written is 999,999,999,999.99.");
    const QString notPlain = QStringLiteral(
        "The amount \"%1\" is not in plain figures, so it cannot be written in words. "
        "Type digits with at most two decimals and no commas or letters, for example 1500.00.");
    const QString negative = QStringLiteral("A cheque cannot be written for a negative amount.");

    QTest::newRow("INR just too large") << "21474836.48" << "INR"
                                        << tooLargeIndian.arg("21474836.48");
    QTest::newRow("INR far too large") << "123456789012" << "INR"
                                       << tooLargeIndian.arg("123456789012.00");
    QTest::newRow("INR exponent 400") << "1E400" << "INR" << notPlain.arg("1E400.00");
    QTest::newRow("USD a trillion") << "1000000000000" << "USD"
                                    << tooLargeInternational.arg("1000000000000.00");
    QTest::newRow("EUR exponent 400") << "1E400" << "EUR" << notPlain.arg("1E400.00");
    QTest::newRow("DINAR exponent 400") << "1D400" << "DINAR" << notPlain.arg("1D400.00");

    // Figures that would be read as another amount than the one printed.
    QTest::newRow("INR 1,500 would read as 1") << "1,500" << "INR" << notPlain.arg("1,500.00");
    QTest::newRow("USD three decimals") << "12.345" << "USD" << notPlain.arg("12.345");
    QTest::newRow("YEN 5000.001") << "5000.001" << "YEN" << notPlain.arg("5000.001");
    QTest::newRow("letters after the figures") << "1500 rupees" << "INR"
                                               << notPlain.arg("1500 rupees.00");
    QTest::newRow("two decimal points") << "1.2.3" << "INR" << notPlain.arg("1.2.3");
    QTest::newRow("sign after digits") << "15-" << "INR" << notPlain.arg("15-.00");

    QTest::newRow("INR negative") << "-1500" << "INR" << negative;
    QTest::newRow("INR negative fraction") << "-0.75" << "INR" << negative;
    QTest::newRow("USD negative") << "-1234.50" << "USD" << negative;
    QTest::newRow("USD negative cents") << "-0.50" << "USD" << negative;
    QTest::newRow("EUR negative exponent 400") << "-1E400" << "EUR" << notPlain.arg("-1E400.00");

    QTest::newRow("YEN with a fraction") << "5000.5" << "YEN"
        << "Yen have no smaller unit, so the amount 5000.5 cannot be written in words. "
           "Enter a whole number of yen.";
    QTest::newRow("YEN with a cent") << "0.01" << "YEN"
        << "Yen have no smaller unit, so the amount 0.01 cannot be written in words. "
           "Enter a whole number of yen.";

    QTest::newRow("no bank chosen") << "1500" << ""
        << "Choose the bank first: the amount is written in words in the currency of the bank.";
    QTest::newRow("unknown code") << "1500" << "CHF"
        << "There are no words for the currency \"CHF\", so the amount cannot be written in words.";
    QTest::newRow("code in other case") << "1500" << "usd"
        << "There are no words for the currency \"usd\", so the amount cannot be written in words.";
}

// Whatever words an earlier amount had, a refused amount leaves the words
// box and strAmtInWords empty and says why.
void TestCurrencyWording::refusesWithAMessage()
{
    QFETCH(QString, typed);
    QFETCH(QString, currency);
    QFETCH(QString, message);
    udf_wordCurrency(QStringLiteral("7"), QStringLiteral("INR"));
    RecordedMessages messages;
    const CurrencyWording wording = udf_wordCurrency(typed, currency);
    QCOMPARE(wording.words, QString());
    QCOMPARE(strAmtInWords, QString());
    QCOMPARE(messages.only().text, message);
    QCOMPARE(messages.only().icon, Messages::Icon::Critical);
    QCOMPARE(messages.only().title, Messages::applicationTitle);
}

QTEST_APPLESS_MAIN(TestCurrencyWording)
#include "tst_currencywording.moc"
