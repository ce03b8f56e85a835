// Amounts read from their text and written in words and figures.

#include "Module1.h"
#include "currencywording.h"
#include "leadingnumber.h"
#include "recordedmessages.h"
#include "standardformat.h"

#include <QTest>
#include <limits>

class TestWords : public QObject
{
    Q_OBJECT
private slots:
    void init() { strAmtInWords.clear(); }

    void readsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const auto row = [](const QString &text, double value) {
            QTest::newRow(qPrintable(text)) << text << value;
        };
        const double infinity = std::numeric_limits<double>::infinity();

        // Plain numbers and what ends them: a comma, a unit, a second period.
        row("1234.50", 1234.5); row("1,500.00", 1); row("2.5 cm", 2.5);
        row("1.2.3", 1.2); row(".75", 0.75); row("12.", 12);
        // Blanks, tabs and line feeds are skipped wherever they stand; a carriage return is not.
        row("1 . 25", 1.25); row("  42  ", 42); row("\t1\n2", 12); row("- 5", -5); row("1\r2", 1);
        row("-12.5", -12.5); row("+3", 3); row("+-3", 0); row("3-4", 3);
        // Exponents, E or D, either case.
        row("1.5E3", 1500); row("2D2", 200); row("2d1", 20); row("25E-2", 0.25);
        row("25E+2", 2500); row("1 E - 2", 0.01); row("1.E2", 100); row("-.5E1", -5);
        row("7E", 7); row("7E-", 7); row("E5", 0);
        // No leading number.
        row("", 0); row("abc", 0); row(".", 0); row(".00", 0); row("-", 0); row("$100", 0);
        // Beyond the double range.
        row("1E400", infinity); row("-1E400", -infinity); row(QString(400, u'9'), infinity);
        row("1E-400", 0); row("1E99999999999999999999", infinity); row("0E99999", 0);
        row("1.7976931348623157E308", std::numeric_limits<double>::max());
    }
    void readsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QTEST(readLeadingNumber(text), "value");
    }

    void indianWords_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("words");
        const auto row = [](const char *amount, const char *words) {
            QTest::newRow(amount) << QByteArray(amount).toDouble() << QString::fromUtf8(words);
        };
        row("0", " only"); row("45", "Forty Five only");
        row("105", "One hundred and Five only"); row("120", "One hundred and Twenty  only");
        row("1234.50", "One thousand Two hundred and Thirty Four and  Paise Fifty  only");
        row("20000", "Twenty  thousand  only"); row("100005", "One lakh and Five only");
        row("1250000.75", "Twelve lakh Fifty  thousand  and  Paise Seventy Five only");
        row("10000000", "One crore  only");
        row("21474836.47", "Two crore Fourteen lakh Seventy Four thousand Eight hundred and "
                           "Thirty Six and  Paise Forty Seven only");
        row("0.05", " and  Paise Five only");
        row("12.125", "Twelve and  Paise Twelve only");  // paise round half to even
        row("12.375", "Twelve and  Paise Thirty Eight only");
        // A zero group is skipped while higher digits remain.
        row("10000001", "One crore and One only");
        row("10100000", "One crore One lakh  only");
        // Negative amounts write no number words.
        row("-150", " only"); row("-0.75", " and  Paise  only");
        // Every boundary up to the largest amount: lakh, crore, the 32-bit
        // limit of old, hundred, thousand and lakh crore.
        row("99999", "Ninety Nine thousand Nine hundred and Ninety Nine only");
        row("100000", "One lakh  only");
        row("21474836.48", "Two crore Fourteen lakh Seventy Four thousand Eight hundred and "
                           "Thirty Six and  Paise Forty Eight only");
        row("200000000", "Twenty  crore  only");
        row("999999999.99", "Ninety Nine crore Ninety Nine lakh Ninety Nine thousand Nine hundred "
                            "and Ninety Nine and  Paise Ninety Nine only");
        row("1000000000", "One hundred crore  only");
        row("1050000001", "One hundred Five crore and One only");
        row("9999999999", "Nine hundred Ninety Nine crore Ninety Nine lakh Ninety Nine thousand "
                          "Nine hundred and Ninety Nine only");
        row("10000000000", "One thousand crore  only");
        row("123456789012.34", "Twelve thousand Three hundred Forty Five crore Sixty Seven lakh "
                               "Eighty Nine thousand and Twelve and  Paise Thirty Four only");
        row("1000000000000", "One lakh crore  only");
        row("1000000100000", "One lakh crore One lakh  only");
        row("9999999999999.99", "Nine lakh Ninety Nine thousand Nine hundred Ninety Nine crore "
                                "Ninety Nine lakh Ninety Nine thousand Nine hundred and Ninety Nine "
                                "and  Paise Ninety Nine only");
        // Too large: the words of the amount before (7) are left as they were.
        row("10000000000000", "Seven only"); row("-10000000000000", "Seven only");
        row("inf", "Seven only"); row("nan", "Seven only");
    }
    void indianWords()
    {
        QFETCH(double, amount);
        RecordedMessages messages;
        udf_Num2WordsIndian(7.0);
        udf_Num2WordsIndian(amount);
        QTEST(strAmtInWords, "words");
        QVERIFY(messages.all().isEmpty());
    }

    void internationalWords_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("subUnit");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QStringList>("boxTitles");  // of the converters' own message boxes
        const auto row = [](const char *amount, const char *words, const char *unit = "Dollars ",
                            const char *subUnit = "Cents only", const QStringList &titles = {}) {
            QTest::addRow("%s %s", amount, unit) << QByteArray(amount).toDouble() << unit << subUnit
                                                 << QString::fromUtf8(words) << titles;
        };
        row("0", "Dollars "); row("0.50", "Dollars and Fifty Cents only");
        row("101", "One Hundred One Dollars ");
        row("1234.50", "One Thousand Two Hundred Thirty Four Dollars and Fifty Cents only");
        row("2500000000.05", "Two Billion Five Hundred Million Dollars and Five Cents only");
        row("999999999999.99", "Nine Hundred Ninety Nine Billion Nine Hundred Ninety Nine Million "
                               "Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine Dollars "
                               "and Ninety Nine Cents only");
        row("1234.50", "One Thousand Two Hundred Thirty Four Dinar and Fifty Fils only", "Dinar ",
            "Fils only");
        // Zero middle groups are skipped with their group words.
        row("1000005", "One Million Five Dollars "); row("3000000019", "Three Billion Nineteen Dollars ");
        row("45.40", "Forty Five Dollars and Forty Cents only");
        row("0.125", "Dollars and Thirteen Cents only");  // an exact half goes away from zero
        row("1.005", "One Dollars ");                     // its double lies below the half
        row("1000000000000.25", "Dollars and Twenty Five Cents only");
        row("-1234.50", "Thousand Two Hundred Thirty Four Dollars and Fifty Cents only");
        row("1e190", "Dollars ");  // the "." at position 255, the last a byte holds
        row("1e191", "", "Dollars ", "Cents only", {"udf_strProcessWords"});
        row("inf", "", "Dollars ", "Cents only", {"udf_strNum2Words"});
        row("nan", "", "Dollars ", "Cents only", {"udf_strNum2Words"});
    }
    void internationalWords()
    {
        QFETCH(double, amount);
        QFETCH(QString, unit);
        QFETCH(QString, subUnit);
        RecordedMessages messages;
        QTEST(udf_strNum2Words(amount, unit, subUnit), "words");
        QStringList shownTitles;
        for (const Messages::Message &message : messages.all())
            shownTitles << message.title;
        QTEST(shownTitles, "boxTitles");
    }

    void standardFormat_data()
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
    void standardFormat()
    {
        QFETCH(double, amount);
        QTEST(StandardFormat(amount).text().toString(), "text");
    }

    void wordsTheTypedAmount_data()
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
        row("9999999999999.99", "INR", "9999999999999.99",
            "Nine lakh Ninety Nine thousand Nine hundred Ninety Nine crore Ninety Nine lakh Ninety "
            "Nine thousand Nine hundred and Ninety Nine and  Paise Ninety Nine only");
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
    void wordsTheTypedAmount()
    {
        QFETCH(QString, typed);
        QFETCH(QString, currency);
        QFETCH(QString, words);
        RecordedMessages messages;
        const CurrencyWording wording = udf_wordCurrency(typed, currency);
        QTEST(wording.amountText, "amountText");
        QCOMPARE(wording.words, words);
        QCOMPARE(strAmtInWords, words);
        QVERIFY(messages.all().isEmpty());
    }

    void refusesWithAMessage_data()
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

        row("10000000000000", "INR", tooLarge.arg("10000000000000.00", "99,99,99,99,99,999.99"));
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
    void refusesWithAMessage()
    {
        QFETCH(QString, typed);
        QFETCH(QString, currency);
        udf_wordCurrency(QStringLiteral("7"), QStringLiteral("INR"));
        RecordedMessages messages;
        QCOMPARE(udf_wordCurrency(typed, currency).words, QString());
        QCOMPARE(strAmtInWords, QString());
        QTEST(messages.only().text, "message");
        QCOMPARE(messages.only().icon, Messages::Icon::Critical);
        QCOMPARE(messages.only().title, Messages::applicationTitle);
    }
};

QTEST_APPLESS_MAIN(TestWords)
#include "tst_words.moc"
