#include "Module1.h"
#include "recordedmessages.h"

#include <QTest>
#include <limits>

class TestIndianWords : public QObject
{
    Q_OBJECT
private slots:
    void wordsTheAmount_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("words");
        const auto row = [](const char *amount, const char *words) {
            QTest::newRow(amount) << QByteArray(amount).toDouble() << QString::fromUtf8(words);
        };
        row("0", " only");
        row("45", "Forty Five only");
        row("105", "One hundred and Five only");
        row("120", "One hundred and Twenty  only");
        row("1005", "One thousand and Five only");
        row("1234.50", "One thousand Two hundred and Thirty Four and  Paise Fifty  only");
        row("20000", "Twenty  thousand  only");
        row("100005", "One lakh and Five only");
        row("1250000.75", "Twelve lakh Fifty  thousand  and  Paise Seventy Five only");
        row("10000000", "One crore  only");
        row("21474836.47", "Two crore Fourteen lakh Seventy Four thousand Eight hundred and "
                           "Thirty Six and  Paise Forty Seven only");
        row("0.05", " and  Paise Five only");
        row("12.125", "Twelve and  Paise Twelve only");  // paise round half to even
        row("12.375", "Twelve and  Paise Thirty Eight only");
        row("19.10", "Nineteen and  Paise Ten only");
        // A zero group is skipped while higher digits remain.
        row("10000001", "One crore and One only");
        row("10100000", "One crore One lakh  only");
        // Negative amounts write no number words.
        row("-150", " only");
        row("-0.75", " and  Paise  only");
        // Too large: the words of the amount before (7) are left as they were.
        row("21474836.48", "Seven only");
        row("-21474836.49", "Seven only");
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "Seven only";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "Seven only";
    }

    void wordsTheAmount()
    {
        QFETCH(double, amount);
        QFETCH(QString, words);
        RecordedMessages messages;
        udf_Num2WordsIndian(7.0);
        udf_Num2WordsIndian(amount);
        QCOMPARE(strAmtInWords, words);
        QVERIFY(messages.all().isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestIndianWords)
#include "tst_indianwords.moc"
