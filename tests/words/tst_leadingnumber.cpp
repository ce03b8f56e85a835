#include "leadingnumber.h"

#include <QTest>
#include <cmath>
#include <limits>

class TestLeadingNumber : public QObject
{
    Q_OBJECT

private slots:
    void readsTheLeadingNumber_data();
    void readsTheLeadingNumber();
    void beyondTheDoubleRange_data();
    void beyondTheDoubleRange();
};

void TestLeadingNumber::readsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    // Plain numbers and what ends them.
    QTest::newRow("whole") << "1500" << 1500.0;
    QTest::newRow("decimals") << "1234.50" << 1234.5;
    QTest::newRow("comma ends the number") << "1,500.00" << 1.0;
    QTest::newRow("comma as decimal mark") << "2,5" << 2.0;
    QTest::newRow("unit after the number") << "2.5 cm" << 2.5;
    QTest::newRow("second period ends it") << "1.2.3" << 1.2;
    QTest::newRow("leading period") << ".75" << 0.75;
    QTest::newRow("trailing period") << "12." << 12.0;
    QTest::newRow("leading zeros") << "007" << 7.0;

    // Blanks, tabs and line feeds are skipped wherever they stand.
    QTest::newRow("blanks inside") << "1 . 25" << 1.25;
    QTest::newRow("blanks around") << "  42  " << 42.0;
    QTest::newRow("digit groups by blanks") << "1 500 000" << 1500000.0;
    QTest::newRow("tab and line feed") << "\t1\n2" << 12.0;
    QTest::newRow("blank after sign") << "- 5" << -5.0;
    QTest::newRow("carriage return ends it") << "1\r2" << 1.0;

    // Signs.
    QTest::newRow("minus") << "-12.5" << -12.5;
    QTest::newRow("plus") << "+3" << 3.0;
    QTest::newRow("two signs") << "+-3" << 0.0;
    QTest::newRow("sign in the middle") << "3-4" << 3.0;

    // Exponents, E or D, either case.
    QTest::newRow("E exponent") << "1.5E3" << 1500.0;
    QTest::newRow("D exponent") << "2D2" << 200.0;
    QTest::newRow("lower case e") << "2e1" << 20.0;
    QTest::newRow("lower case d") << "2d1" << 20.0;
    QTest::newRow("negative exponent") << "25E-2" << 0.25;
    QTest::newRow("plus exponent") << "25E+2" << 2500.0;
    QTest::newRow("blanks in exponent") << "1 E - 2" << 0.01;
    QTest::newRow("period before the exponent") << "1.E2" << 100.0;
    QTest::newRow("no whole digits before it") << "-.5E1" << -5.0;
    QTest::newRow("E without digits") << "7E" << 7.0;
    QTest::newRow("E with sign only") << "7E-" << 7.0;
    QTest::newRow("E alone") << "E5" << 0.0;

    // No leading number.
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("period alone") << "." << 0.0;
    QTest::newRow("period with tidy zeros") << ".00" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("currency sign first") << "$100" << 0.0;
}

void TestLeadingNumber::readsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(readLeadingNumber(text), value);
}

void TestLeadingNumber::beyondTheDoubleRange_data()
{
    const double infinity = std::numeric_limits<double>::infinity();
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("exponent 400") << "1E400" << infinity;
    QTest::newRow("negative, exponent 400") << "-1E400" << -infinity;
    QTest::newRow("400 digits") << QString(400, u'9') << infinity;
    QTest::newRow("exponent -400") << "1E-400" << 0.0;
    QTest::newRow("huge exponent") << "1E99999999999999999999" << infinity;
    QTest::newRow("zero with huge exponent") << "0E99999" << 0.0;
    QTest::newRow("largest double") << "1.7976931348623157E308" << std::numeric_limits<double>::max();
}

void TestLeadingNumber::beyondTheDoubleRange()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(readLeadingNumber(text), value);
}

QTEST_APPLESS_MAIN(TestLeadingNumber)
#include "tst_leadingnumber.moc"
