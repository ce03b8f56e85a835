#include "chequenumbers.h"
#include "frmPrtChq.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString bank = QStringLiteral("City Bank");

// A bank ready to print, with cheques of the given numbers in the register
// (one of them, "004711", to "Earlier Payee") and one of another bank.
void prepare(QSqlDatabase db, const QStringList &numbers)
{
    QVERIFY(!store::addBank(db, {"1", bank, "USD"}).isValid());
    QVERIFY(!store::replaceLayout(db, {"Inches", bank, {0.5, 6, 1.5, 1, 1, 5, 1.5, 1, 100, 2, 1,
                                                        5, 2.5, 6, 1.5}})
                 .isValid());
    for (const QString &number : numbers)
        QVERIFY(!store::addRegisterEntry(db, {QDate(2024, 5, 2), "Earlier Payee", bank,
                                              "75.00", number})
                     .isValid());
    QVERIFY(!store::addRegisterEntry(db, {QDate(2024, 5, 2), "X", "Other", "1.00", "9999"})
                 .isValid());
}

QLineEdit *box(QWidget *window, const char *name)
{
    return window->findChild<QLineEdit *>(QLatin1String(name));
}

} // namespace

class TestChequeNumbers : public QObject
{
    Q_OBJECT
private slots:
    void numberAfter_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("next");
        QTest::newRow("width kept") << "004711" << "004712";
        QTest::newRow("carried") << "0999" << "1000";
        QTest::newRow("grows") << "999" << "1000";
        QTest::newRow("beyond 64 bits") << "99999999999999999999" << "100000000000000000000";
        QTest::newRow("blanks") << " 7 " << "8";
        QTest::newRow("letters") << "A12" << QString();
        QTest::newRow("empty") << "" << QString();
    }

    void numberAfter()
    {
        QFETCH(QString, number);
        QFETCH(QString, next);
        QCOMPARE(::numberAfter(number), next);
    }

    // Choosing the bank fills only an empty box; void cheques count as used.
    void chosenBankOffersTheNextNumber_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("next after highest") << QStringList{"004711", "004702"} << "" << "004712";
        QTest::newRow("typed number kept") << QStringList{"004711"} << "17" << "17";
        QTest::newRow("first cheque of the bank") << QStringList{} << "" << "";
    }

    void chosenBankOffersTheNextNumber()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TemporaryDatabase database;
        prepare(database.db(), stored);
        RecordedMessages messages;
        frmPrtChq window;
        box(&window, "txtChqNo")->setText(typed);
        chooseItem(window.findChild<QComboBox *>("cmbBnk"), bank);
        QCOMPARE(box(&window, "txtChqNo")->text(), shown);
        QCOMPARE(messages.texts(), QStringList());
    }

    // A used number is printed again only on Yes.
    void usedNumberNeedsTheUsersYes_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("rows");
        const QString question = "Question: Cheque number 004711 of City Bank has been used "
                                 "already: the register holds the cheque dated 02/May/2024 to "
                                 "Earlier Payee for 75.00.\n\nPrint this cheque with the same "
                                 "number again?";
        const QString done = "Information: Cheque Printing Completed";
        QTest::newRow("No prints nothing") << " 4711" << false << QStringList{question} << 2;
        QTest::newRow("Yes prints") << "004711" << true << QStringList{question, done} << 3;
        QTest::newRow("unused number") << "4712" << false << QStringList{done} << 3;
        QTest::newRow("other bank's number") << "9999" << false << QStringList{done} << 3;
    }

    void usedNumberNeedsTheUsersYes()
    {
        QFETCH(QString, number);
        QFETCH(bool, yes);
        QFETCH(QStringList, told);
        QFETCH(int, rows);
        TemporaryDatabase database;
        prepare(database.db(), {"004711"});
        RecordedPrinting printing;
        RecordedMessages messages;
        messages.answer(yes);
        frmPrtChq window;
        chooseItem(window.findChild<QComboBox *>("cmbBnk"), bank);
        box(&window, "txtChqNo")->setText(number);
        box(&window, "Text1")->setText("New Payee");
        box(&window, "Text2")->setText("10");
        window.Text2_LostFocus();
        window.findChild<QPushButton *>("Print")->click();
        QCOMPARE(shownMessages(messages), told);
        QCOMPARE(rowsOf(database.db(), "select * from ChqIssuereg").size(), rows);
        QCOMPARE(printing.operations().contains("EndDoc"), rows == 3);
    }
};

QTEST_MAIN(TestChequeNumbers)
#include "test_chequenumbers.moc"
