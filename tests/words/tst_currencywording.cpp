#include "Module1.h"
#include "currencywording.h"
#include "recordedmessages.h"

#include <QTest>

class TestCurrencyWording : public QObject
{
    Q_OBJECT
private slots:
    void init() { strAmtInWords.clear(); }
    void wordsTheTypedAmount_data();
    void wordsTheTypedAmount();
    void refusesWithAMessage_data();
    void refusesWithAMessage();
};

void TestCurrencyWording::wordsTheTypedAmount_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("amountText");
    QTest::addColumn<QString>("words");
    const auto row = [](const char *typed, const char *currency, const char *amountText,
                        const char *words) {
        QTest::addRow("%s \"%s\"", currency, typed) << typed << currency << amountText << words;
    };
    row("1500", "INR", "1500.00", "One thousand Five hundred  only");
    for (const char *code : {"USD", "SGD", "AUD"})
        row("1234.5", code, "1234.5", "One Thousand Two Hundred Thirty Four Dollars and Fifty Cents only");
    row("1000", "EUR", "1000.00", "One Thousand Euros ");
    row("250.75", "DINAR", "250.75", "Two Hundred Fifty Dinar and Seventy Five Fils only");
    row("5000", "YEN", "5000.00", "Five Thousand Yen");
    row("", "INR", ".00", " only");
    // A pound is worded like a dollar, with pence.
    row("1234.5", "GBP", "1234.5", "One Thousand Two Hundred Thirty Four Pounds and Fifty Pence only");
    // Minus zero is no negative amount; blanks and line breaks are removed.
    row("-0", "INR", "-0.00", " only");
    row(" 1 500 ", "EUR", "1500.00", "One Thousand Five Hundred Euros ");
    row("1\r500", "INR", "1500.00", "One thousand Five hundred  only");
    row("\r\n15\t00.5\n", "USD", "1500.5", "One Thousand Five Hundred Dollars and Fifty Cents only");
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

void TestCurrencyWording::refusesWithAMessage_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *typed, const char *currency, const QString &message) {
        QTest::addRow("%s \"%s\"", currency, typed) << typed << currency << message;
    };
    const QString tooLarge = QStringLiteral("The amount %1 is too large to write in words. "
                                            "The largest amount that can be written is %2.");
    const QString notPlain = QStringLiteral(
        "The amount \"%1\" is not in plain figures, so it cannot be written in words. "
        "Type digits with at most two decimals and no commas or letters, for example 1500.00.");
    const QString negative = QStringLiteral("A cheque cannot be written for a negative amount.");
    const QString yen = QStringLiteral("Yen have no smaller unit, so the amount %1 cannot be "
                                       "written in words. Enter a whole number of yen.");
    const QString noWords = QStringLiteral("There are no words for the currency \"%1\", so the "
                                           "amount cannot be written in words.");

    row("21474836.48", "INR", tooLarge.arg("21474836.48", "21,474,836.47"));
    row("1000000000000", "USD", tooLarge.arg("1000000000000.00", "999,999,999,999.99"));
    row("1E400", "INR", notPlain.arg("1E400.00"));
    // Figures that would be read as another amount than the one printed.
    row("1,500", "INR", notPlain.arg("1,500.00"));
    row("12.345", "USD", notPlain.arg("12.345"));
    row("5000.001", "YEN", notPlain.arg("5000.001"));
    row("1500 rupees", "INR", notPlain.arg("1500rupees.00"));
    row("15-", "INR", notPlain.arg("15-.00"));
    row("1\x01" "500", "INR", notPlain.arg("1\x01" "500.00"));
    row("1\u00a0" "500", "USD", notPlain.arg("1\u00a0" "500.00"));
    row("-0.75", "INR", negative);
    row("5000.5", "YEN", yen.arg("5000.5"));
    row("1500", "", "Choose the bank first: the amount is written in words in the currency of "
                    "the bank.");
    row("1500", "CHF", noWords.arg("CHF"));
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
    QCOMPARE(udf_wordCurrency(typed, currency).words, QString());
    QCOMPARE(strAmtInWords, QString());
    QCOMPARE(messages.only().text, message);
    QCOMPARE(messages.only().icon, Messages::Icon::Critical);
    QCOMPARE(messages.only().title, Messages::applicationTitle);
}

QTEST_APPLESS_MAIN(TestCurrencyWording)
#include "tst_currencywording.moc"
