#include "chequepage.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "wordslines.h"

#include <QLocale>
#include <QTest>

using Printed = RecordedPrinting::PrintedText;
Q_DECLARE_METATYPE(QList<Printed>)

namespace {

// Every position different, so a text at the wrong one shows.
store::LayoutRow layoutIn(const QString &unit)
{
    store::LayoutRow row;
    row.bankName = QStringLiteral("City Bank");
    row.scaleMode = unit;
    row.positions = {2.5, 30, 1.5,       // date top, left, width
                     4, 3, 20,           // name
                     5.5, 2, 10,         // words, line 1 (width 10: 33 characters)
                     6.5, 1.25, 25,      // words, line 2
                     7, 40, 2};          // amount in figures
    return row;
}

ChequeItems cheque()
{
    return {QStringLiteral("City Bank"), QStringLiteral("Asha Menon"), QStringLiteral("250.00"),
            QStringLiteral("Rupees Two Hundred Fifty Only"), QDate(2001, 7, 9), true};
}

} // namespace

bool operator==(const Printed &a, const Printed &b)
{
    return a.text == b.text && a.x == b.x && a.y == b.y && a.scaleMode == b.scaleMode;
}

namespace QTest {
template<>
char *toString(const Printed &p)
{
    return qstrdup(qPrintable(QStringLiteral("\"%1\" at %2, %3 in unit %4")
                                  .arg(p.text).arg(p.x).arg(p.y).arg(p.scaleMode)));
}
} // namespace QTest

class TestChequePage : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        m_database = std::make_unique<TemporaryDatabase>();
        QVERIFY(!store::replaceLayout(m_database->db(), layoutIn(QStringLiteral("Inches"))).isValid());
    }
    void cleanup()
    {
        m_database.reset();
        QLocale::setDefault(QLocale::c());
    }

    void printsEachItemAtItsPosition_data();
    void printsEachItemAtItsPosition();
    void breaksTheWords_data();
    void breaksTheWords();
    void dateInTheUsersLanguage_data();
    void dateInTheUsersLanguage();
    void checksTheLayoutBeforePrinting_data();
    void checksTheLayoutBeforePrinting();
    void printerFailureLeavesNothingPrinted_data();
    void printerFailureLeavesNothingPrinted();

private:
    std::unique_ptr<TemporaryDatabase> m_database;
};

void TestChequePage::printsEachItemAtItsPosition_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("scaleMode");
    QTest::addColumn<bool>("crossed");

    QTest::newRow("Bearer: no crossing") << "Inches" << 5 << false;
    QTest::newRow("A/c Payee: one inch from the left, level with the date") << "Inches" << 5 << true;
    QTest::newRow("A/c Payee: one millimetre from the left") << "mms" << 6 << true;
}

void TestChequePage::printsEachItemAtItsPosition()
{
    QFETCH(QString, unit);
    QFETCH(int, scaleMode);
    QFETCH(bool, crossed);
    QVERIFY(!store::replaceLayout(m_database->db(), layoutIn(unit)).isValid());

    ChequeItems items = cheque();
    items.crossed = crossed;
    items.amountInWords = QStringLiteral("Rupees One Lakh Twenty Thousand and Fifty Only");
    RecordedPrinting recorded;
    QCOMPARE(printChequePage(items, recorded.printer()), QString());

    const QStringList setup{QStringLiteral("Orientation 2"), QStringLiteral("PaperSize 20"),
                            QStringLiteral("ScaleMode %1").arg(scaleMode),
                            QStringLiteral("PaperSize 20"), QStringLiteral("FontName 1"),
                            QStringLiteral("FontSize 12")};
    QCOMPARE(recorded.operations().mid(0, setup.size()), setup);
    QCOMPARE(recorded.operations().last(), QStringLiteral("EndDoc"));
    QCOMPARE(recorded.operations().count(QStringLiteral("EndDoc")), 1);

    QList<Printed> printed{
        {QStringLiteral("09/Jul/2001"), 30, 2.5, scaleMode},
        {QStringLiteral("Asha Menon"), 3, 4, scaleMode},
        {QStringLiteral("Rupees One Lakh Twenty Thousand "), 2, 5.5, scaleMode},
        {QStringLiteral(" and Fifty Only"), 1.25, 6.5, scaleMode},  // line 2 at its own place
        {QStringLiteral("**250.00**"), 40, 7, scaleMode},
    };
    if (crossed)
        printed.prepend({QStringLiteral("A/c Payee only"), 1, 2.5, scaleMode});
    QCOMPARE(recorded.printed(), printed);
}

void TestChequePage::breaksTheWords_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<float>("width");
    QTest::addColumn<QStringList>("lines");

    const QString thirtyThree = QStringLiteral("Rupees One Thousand Two Hundred O");
    QTest::newRow("33 characters at width 10: one line") << thirtyThree << 10.0f
                                                         << QStringList{thirtyThree};
    QTest::newRow("34 characters at width 10: two lines")
        << thirtyThree + QStringLiteral("n") << 10.0f
        << QStringList{QStringLiteral("Rupees One Thousand Two Hundred "), QStringLiteral(" On")};
    QTest::newRow("width 3: the blank at character 10 ends line 1 and starts line 2")
        << "xxxx xxxx xxxx" << 3.0f << QStringList{"xxxx xxxx ", " xxxx"};
    QTest::newRow("empty words never break") << "" << 0.0f << QStringList{""};
    // 5 x 3.3 is 16.5: a half rounds to the even 16, so the blank at 17 is out.
    QTest::newRow("half rounds to even, down")
        << "aaaaaaa aaaaaaaa bbbb" << 5.0f << QStringList{"aaaaaaa ", " aaaaaaaa bbbb"};
    // 15 x 3.3 is 49.5: rounds to the even 50, so the blank at 50 is in.
    QTest::newRow("half rounds to even, up")
        << QString(40, QLatin1Char('a')) + " aaaaaaaa bbbb" << 15.0f
        << QStringList{QString(40, QLatin1Char('a')) + " aaaaaaaa ", " bbbb"};
    // No blank among the characters that fit: cut after them, losing none.
    QTest::newRow("no blank in reach: cut at the limit")
        << "Onehundredthousand only" << 3.0f << QStringList{"Onehundred", "thousand only"};
    // A width that leaves no character on line 1 prints one line.
    QTest::newRow("width below a third of a character")
        << "Rupees Ten Only" << 0.15f << QStringList{"Rupees Ten Only"};
}

void TestChequePage::breaksTheWords()
{
    QFETCH(QString, words);
    QFETCH(float, width);
    QFETCH(QStringList, lines);
    QCOMPARE(amountInWordsLines(words, width), lines);
}

void TestChequePage::dateInTheUsersLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("printed");

    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "09/Jul/2001";
    QTest::newRow("C locale") << QLocale::c() << "09/Jul/2001";
    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << "09/juil./2001";
}

void TestChequePage::dateInTheUsersLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, printed);
    QLocale::setDefault(locale);

    RecordedPrinting recorded;
    QCOMPARE(printChequePage(cheque(), recorded.printer()), QString());
    QCOMPARE(recorded.printed()[1].text, printed);
}

void TestChequePage::checksTheLayoutBeforePrinting_data()
{
    QTest::addColumn<QString>("bankName");
    QTest::addColumn<QList<int>>("emptyColumns");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("message");  // empty: it prints

    const QString words = cheque().amountInWords;
    const QString missing = QStringLiteral("The cheque layout of the bank \"City Bank\" has no "
                                           "value for %1.\n\nEnter the missing positions in the "
                                           "cheque layout setup.");
    QTest::newRow("no layout for the bank")
        << "Town Bank" << QList<int>{} << words
        << "There is no cheque layout for the bank \"Town Bank\".\n\nChoose the bank from the "
           "list, or set up its cheque layout first.";
    QTest::newRow("date left has no value")
        << "City Bank" << QList<int>{store::DateLeft} << words << missing.arg("DateLeft");
    QTest::newRow("several without a value, each named once")
        << "City Bank" << QList<int>{store::AmtTop, store::DateTop, store::AmtinWords1Width}
        << words << missing.arg("DateTop, AmtinWords1Width, AmtTop");
    QTest::newRow("line 2 has no position and is needed")
        << "City Bank" << QList<int>{store::AmtinWords2Left} << words + words
        << missing.arg("AmtinWords2Left");
    QTest::newRow("line 2 has no position and is not needed")
        << "City Bank" << QList<int>{store::AmtinWords2Top, store::AmtinWords2Left} << words << "";
    QTest::newRow("the widths never used may be empty")
        << "City Bank"
        << QList<int>{store::Datewidth, store::namewidth, store::AmtinWords2Width, store::AmtWidth}
        << words << "";
}

void TestChequePage::checksTheLayoutBeforePrinting()
{
    QFETCH(QString, bankName);
    QFETCH(QList<int>, emptyColumns);
    QFETCH(QString, words);
    QFETCH(QString, message);

    store::LayoutRow row = layoutIn(QStringLiteral("Cms"));
    for (int column : emptyColumns)
        row.positions[column] = std::nullopt;
    QVERIFY(!store::replaceLayout(m_database->db(), row).isValid());

    ChequeItems items = cheque();
    items.bankName = bankName;
    items.amountInWords = words;
    RecordedPrinting recorded;
    QCOMPARE(printChequePage(items, recorded.printer()), message);
    // A refused cheque never touches the printer.
    QCOMPARE(recorded.printed().size(), message.isEmpty() ? 5 : 0);
    QCOMPARE(recorded.operations().isEmpty(), !message.isEmpty());
}

void TestChequePage::printerFailureLeavesNothingPrinted_data()
{
    QTest::addColumn<int>("failingPrint");  // 0: ending the page fails
    QTest::newRow("third text") << 3;
    QTest::newRow("ending the page") << 0;
}

void TestChequePage::printerFailureLeavesNothingPrinted()
{
    QFETCH(int, failingPrint);
    RecordedPrinting recorded;
    const QString reason = QStringLiteral("The printer is out of order.");
    if (failingPrint)
        recorded.failPrint(failingPrint, reason);
    else
        recorded.failEndDoc(reason);

    QCOMPARE(printChequePage(cheque(), recorded.printer()),
             QStringLiteral("The cheque was not printed.\n\n%1").arg(reason));
    if (failingPrint) {
        // Nothing after the failed text but throwing the page away.
        QCOMPARE(recorded.operations().last(), QStringLiteral("KillDoc"));
        QCOMPARE(recorded.operations().count(QStringLiteral("EndDoc")), 0);
        QCOMPARE(recorded.printed().size(), failingPrint - 1);
    } else {
        QCOMPARE(recorded.operations().last(), QStringLiteral("EndDoc"));
    }
}

QTEST_MAIN(TestChequePage)
#include "test_chequepage.moc"
