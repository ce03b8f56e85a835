#include "leadingnumber.h"

#include <QTest>
#include <limits>

class TestLeadingNumber : public QObject
{
    Q_OBJECT
private slots:
    void readsTheLeadingNumber_data();
    void readsTheLeadingNumber();
};

void TestLeadingNumber::readsTheLeadingNumber_data()
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

void TestLeadingNumber::readsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(readLeadingNumber(text), value);
}

QTEST_APPLESS_MAIN(TestLeadingNumber)
#include "tst_leadingnumber.moc"
