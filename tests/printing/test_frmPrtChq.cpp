#include "Module1.h"
#include "chequejournal.h"
#include "chequenumbers.h"
#include "chequepage.h"
#include "frmPrtChq.h"
#include "recordedprinting.h"
#include "printjournal.h"
#include "registerstatements.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QDateEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

// Two banks with a layout, one without; two payees.
const QString cityBank = u"City Bank"_s;   // USD
const QString unionBank = u"Union Bank"_s; // INR
const QString plainBank = u"Plain Bank"_s; // INR, no layout
const QString dollarWords = u"One Thousand Five Hundred Dollars "_s;
const QString done = u"Cheque Printing Completed"_s;

// Every input as the user sees it.
QStringList inputs(QWidget *window)
{
    QStringList values;
    for (const char *name : {"cmbBnk", "cmbPayee"})
        values << control<QComboBox>(window, QString::fromLatin1(name))->currentText();
    for (const char *name : {"txtChqNo", "Text1", "Text2", "Text3"})
        values << control<QLineEdit>(window, QString::fromLatin1(name))->text();
    values << control<QDateEdit>(window, u"DTPicker1"_s)->date().toString();
    values << QString::number(control<QRadioButton>(window, u"Option2"_s)->isChecked());
    return values;
}

void clickPrint(QWidget *window)
{
    QTest::mouseClick(control(window, u"Print"_s), Qt::LeftButton);
}

QStringList printedTexts(const RecordedPrinting &printing)
{
    QStringList texts;
    for (const RecordedPrinting::PrintedText &printed : printing.printed())
        texts << printed.text;
    return texts;
}

} // namespace

class TestFrmPrtChq : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        strCurrency.clear();
        strAmtInWords.clear();
        m_database = std::make_unique<TemporaryDatabase>();
        const QSqlDatabase db = m_database->db();
        m_database->addBankWithLayout(cityBank, u"USD"_s);
        m_database->addBankWithLayout(unionBank);
        QVERIFY(!store::addBank(db, {u"333"_s, plainBank, u"INR"_s}).isValid());
        QVERIFY(!store::replacePayee(db, u"zed"_s, u"Zed Traders"_s).isValid());
        m_messages = std::make_unique<RecordedMessages>();
        m_printing = std::make_unique<RecordedPrinting>();
    }

    void cleanup()
    {
        m_window.reset();
        m_printing.reset();
        m_messages.reset();
        m_database.reset();
        QLocale::setDefault(QLocale::c());
    }

    void wordsBelongToTheFiguresPrinted_data()
    {
        QTest::addColumn<QString>("change");  // after 1500 was worded for City Bank
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("printed"); // words and figures; empty: refused
        QTest::newRow("another bank chosen") << "choose" << unionBank
            << QStringList{"One thousand Five hundred  only", "**1500.00**"};
        // As a keyboard shortcut or an accessibility tool presses it.
        QTest::newRow("typed, Print pressed without leaving the box")
            << "press" << "250" << QStringList{"Two Hundred Fifty Dollars ", "**250.00**"};
        QTest::newRow("dropped before") << "drop at 0" << "2"
            << QStringList{"Twenty One Thousand Five Hundred Dollars ", "**21500.00**"};
        QTest::newRow("dropped after: three decimals") << "drop at end" << "9" << QStringList();
        QTest::newRow("set with a line break")
            << "set" << "1\r500" << QStringList{dollarWords, "**1500.00**"};
    }

    // However the bank or the amount changed last, the words printed are
    // those of the figures printed and recorded.
    void wordsBelongToTheFiguresPrinted()
    {
        QFETCH(QString, change);
        QFETCH(QString, text);
        QFETCH(QStringList, printed);
        QWidget *window = open();
        fillPrintWindow(window, cityBank, u"Asha Menon"_s, u"1500"_s);
        control(window, u"Text1"_s)->setFocus();
        auto *amount = control<QLineEdit>(window, u"Text2"_s);
        if (change == u"choose") {
            chooseItem(control<QComboBox>(window, u"cmbBnk"_s), text);
        } else if (change == u"press") {
            amount->setFocus();
            amount->setText(text);
        } else if (change == u"set") {
            amount->setText(text);
        } else {
            QMimeData dropped;
            dropped.setText(text);
            const QPoint at(change.endsWith(u"end") ? amount->width() - 2 : 1, amount->height() / 2);
            QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(amount, &enter);
            QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(amount, &drop);
            QVERIFY(drop.isAccepted());
        }
        if (change == u"press")
            control<QPushButton>(window, u"Print"_s)->click();
        else
            clickPrint(window);

        const QStringList texts = printedTexts(*m_printing);
        if (printed.isEmpty()) {
            QVERIFY2(m_messages->texts().value(0).startsWith(u"The amount \"1500.009\" is not"_s),
                     qPrintable(m_messages->texts().join(u'|')));
            QVERIFY(texts.isEmpty() && registerRows().isEmpty());
            return;
        }
        QCOMPARE(m_messages->texts(), QStringList{done});
        QVERIFY2(texts.contains(printed[0]) && texts.contains(printed[1]), qPrintable(texts.join(u'|')));
        QCOMPARE(u"**"_s + registerRows().value(0).value(3) + u"**"_s, printed[1]);
    }

    void refusedPrintKeepsEverything_data()
    {
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("amount");   // null: the box is never entered
        // the printer's Print that fails; -1 EndDoc; -2 file locked; -3 offset unreadable; -4 full disk
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");  // how it begins

        const QString asha = u"Asha Menon"_s;
        const QString zero = u"The amount is zero, so the cheque has not been printed."_s;
        const QString notPrinted = u"The cheque was not printed.\n\n"_s;
        // The checks, in their order.
        QTest::newRow("everything empty") << "" << "" << QString() << 0 << "Please select bank";
        QTest::newRow("name empty") << cityBank << "" << QString() << 0 << "Please select Payee name";
        QTest::newRow("amount never entered") << cityBank << asha << QString() << 0 << "Please enter amount";
        QTest::newRow("a bank without a layout") << plainBank << asha << "1500" << 0
            << u"There is no cheque layout for the bank \"%1\""_s.arg(plainBank);
        QTest::newRow("an amount with no words")
            << unionBank << asha << "1,500" << 0 << "The amount in words is empty";
        QTest::newRow("zero") << cityBank << asha << "0" << 0 << zero;
        QTest::newRow("blanks alone") << unionBank << asha << "   " << 0 << zero;
        QTest::newRow("name reversed") << cityBank << u"\u202EAsha"_s << "15" << 0
                                       << "The text in \"Name\" holds the character U+202E";
        QTest::newRow("another program holds the data file") << cityBank << asha << "1500" << -2
            << "The cheque has not been printed";
        QTest::newRow("the printer's offset cannot be read") << cityBank << asha << "1500" << -3
            << "Nothing has been printed, because the offset kept for the printer could not be read.";
        QTest::newRow("the journal cannot be written") << cityBank << asha << "1500" << -4
            << "The cheque has not been printed, because it could not be noted";
        QTest::newRow("third text fails") << cityBank << asha << "1500" << 3 << notPrinted + "Out of paper.";
        QTest::newRow("spooler refuses the page")
            << cityBank << asha << "1500" << -1 << notPrinted + "The queue refused the job.";
    }
    void refusedPrintKeepsEverything()
    {
        QFETCH(QString, bank);
        QFETCH(QString, name);
        QFETCH(QString, amount);
        QFETCH(int, fault);
        QFETCH(QString, message);
        const QString reason = message.section(QLatin1Char('\n'), 2);
        if (fault > 0)
            m_printing->failPrint(fault, reason);
        else if (fault == -1)
            m_printing->failEndDoc(reason);

        QWidget *window = open();
        fillPrintWindow(window, bank, name, amount);
        m_messages->clear();
        const QStringList before = inputs(window);
        if (fault == -2)
            m_database->exec(u"BEGIN IMMEDIATE"_s);
        if (fault == -3)
            m_database->exec(u"Create table PrinterOffset (Unreadable TEXT)"_s);
        if (fault == -4)
            m_database->exec(u"Create trigger full before insert on PrintJournal "
                             "begin select raise(abort, 'database or disk is full'); end"_s);
        clickPrint(window);
        if (fault == -2)
            m_database->exec(u"ROLLBACK"_s);

        QCOMPARE(m_messages->only().icon, Messages::Icon::Critical);
        QVERIFY2(m_messages->only().text.startsWith(message), qPrintable(m_messages->only().text));
        QCOMPARE(m_printing->operations().isEmpty(), fault <= 0 && fault != -1);
        // After a failed text nothing but throwing the page away.
        QCOMPARE(m_printing->operations().contains(u"KillDoc"_s), fault > 0);
        QCOMPARE(m_printing->operations().contains(u"EndDoc"_s), fault == -1);
        QVERIFY(registerRows().isEmpty());
        QVERIFY(window->isVisible());
        QCOMPARE(inputs(window), before);
    }

    void printedChequeIsRecordedAsPrinted_data()
    {
        QTest::addColumn<QString>("nickName"); // chosen from the list, if any
        QTest::addColumn<QString>("name");     // else typed into the name box
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("daysAhead");    // post-dated, and Bearer
        QTest::addColumn<QStringList>("printed"); // all but the date
        QTest::addColumn<QStringList>("row");     // name, amount as recorded

        QTest::newRow("the payee's name, not the nick name") << "zed" << "" << "1500" << 0
            << QStringList{"A/c Payee only", "Zed Traders", dollarWords, "**1500.00**"}
            << QStringList{"Zed Traders", "1500.00"};
        QTest::newRow("a typed name, Bearer, post-dated a month") << "" << "Walk-in" << "99.5" << 31
            << QStringList{"Walk-in", "Ninety Nine Dollars and Fifty Cents only", "**99.5**"}
            << QStringList{"Walk-in", "99.5"};
    }
    void printedChequeIsRecordedAsPrinted()
    {
        QFETCH(QString, nickName);
        QFETCH(QString, name);
        QFETCH(QString, amount);
        QFETCH(int, daysAhead);
        QFETCH(QStringList, printed);
        QFETCH(QStringList, row);

        QWidget *window = open();
        fillPrintWindow(window, cityBank, name, amount);
        if (!nickName.isEmpty())
            chooseItem(control<QComboBox>(window, u"cmbPayee"_s), nickName);
        const QDate date = QDate::currentDate().addDays(daysAhead);
        control<QDateEdit>(window, u"DTPicker1"_s)->setDate(date);
        if (daysAhead)
            QTest::mouseClick(control(window, u"Option1"_s), Qt::LeftButton);
        clickPrint(window);

        QCOMPARE(m_messages->only().text, done);
        QCOMPARE(m_messages->only().icon, Messages::Icon::Information);
        QVERIFY(!window->isVisible());
        printed.insert(daysAhead ? 0 : 1, chequeDateText(date));
        QCOMPARE(printedTexts(*m_printing), printed);
        QCOMPARE(m_printing->operations().last(), u"EndDoc"_s);
        const QList<QStringList> rows = registerRows();
        QCOMPARE(rows.size(), 1);
        QVERIFY2(rows[0][0].startsWith(date.toString(Qt::ISODate)), qPrintable(rows[0][0]));
        QCOMPARE(rows[0].mid(1), (QStringList{row[0], cityBank, row[1], "000123"}));
    }

    void unrecordedChequeIsReportedInFull()
    {
        m_database->exec(u"Create trigger refuse before insert on ChqIssuereg "
                         "begin select raise(abort, 'the disk is full'); end"_s);
        QWidget *window = open();
        fillPrintWindow(window, cityBank, u"Asha Menon"_s, u"1500"_s, u"000777"_s);
        control<QDateEdit>(window, u"DTPicker1"_s)->setDate(QDate(2026, 12, 5));
        clickPrint(window);

        QCOMPARE(m_printing->operations().last(), u"EndDoc"_s);
        const Messages::Message message = m_messages->only();
        QCOMPARE(message.icon, Messages::Icon::Critical);
        for (const char *part :
             {"printed but is NOT recorded", "Cheque No: 000777", "Bank: City Bank",
              "Payee: Asha Menon", "Date: 05/Dec/2026", "Amount: 1500.00", "the disk is full"})
            QVERIFY2(message.text.contains(QLatin1String(part)), part);
        QVERIFY(!window->isVisible());
    }

    // The message about a refused amount waits for the click that left the
    // box to end: a message box shown on the press would take its release.
    void refusedAmountLetsTheClickThrough()
    {
        QWidget *window = open();
        chooseItem(control<QComboBox>(window, u"cmbBnk"_s), cityBank);
        control(window, u"Text2"_s)->setFocus();
        control<QLineEdit>(window, u"Text2"_s)->setText(u"1,500"_s);
        QWidget *target = control(window, u"Cancel"_s);
        const QPoint at = target->mapTo(window, target->rect().center());
        QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(m_messages->all().isEmpty());
        QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        QVERIFY(m_messages->only().text.startsWith(u"The amount \"1,500.00\" is not"_s));
        QVERIFY(!window->isVisible());
    }

    // Choosing the bank fills only an empty box; void cheques count as used.
    void chosenBankOffersTheNextNumber_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("noted");  // in the print journal, not yet recorded
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("then");   // a bank chosen next, if any
        QTest::addColumn<QString>("shown");
        const QStringList twoUsed{"004711", "004702"};
        QTest::newRow("next after highest") << twoUsed << "" << "" << "" << "004712";
        QTest::newRow("typed number kept") << QStringList{"004711"} << "" << "17" << "" << "17";
        QTest::newRow("first cheque of the bank") << QStringList{} << "" << "" << "" << "";
        QTest::newRow("nines carry") << QStringList{"0999"} << "" << "" << "" << "1000";
        QTest::newRow("blanks around") << QStringList{" 7 "} << "" << "" << "" << "8";
        QTest::newRow("letters: no suggestion") << QStringList{"A12"} << "" << "" << "" << "";
        QTest::newRow("beyond 64 bits") << QStringList{"99999999999999999999"} << "" << "" << ""
                                        << "100000000000000000000";
        QTest::newRow("a noted number counts") << twoUsed << "004720" << "" << "" << "004721";
        QTest::newRow("another bank replaces the suggestion")
            << twoUsed << "" << "" << unionBank << "10000";
        QTest::newRow("another bank keeps a typed number")
            << twoUsed << "" << "17" << unionBank << "17";
    }
    void chosenBankOffersTheNextNumber()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, noted);
        QFETCH(QString, then);
        for (const QString &number : stored)
            addCheque(number);
        addCheque(u"9999"_s, unionBank);
        if (!noted.isEmpty())
            m_database->noteJob({journalPageOf(
                {cityBank, u"N"_s, u"1.00"_s, u"One"_s, QDate(2024, 5, 3), true}, noted)});
        QWidget *window = open();
        control<QLineEdit>(window, u"txtChqNo"_s)->setText(typed);
        chooseItem(control<QComboBox>(window, u"cmbBnk"_s), cityBank);
        if (!then.isEmpty())
            chooseItem(control<QComboBox>(window, u"cmbBnk"_s), then);
        QCOMPARE(control<QLineEdit>(window, u"txtChqNo"_s)->text(), shown);
        QCOMPARE(m_messages->texts(), QStringList());
    }

    // A used number, a missing number and a payment in the register
    // already are printed only on Yes; a number with a control character never.
    void doubtfulChequeNeedsTheUsersYes_data()
    {
        QTest::addColumn<QString>("payee");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("told");  // how the first message begins
        QTest::addColumn<int>("rows");      // 3: printed
        const QString used = "Question: Cheque number 004711 of City Bank has been used "
                             "already: the register holds the cheque dated 02/May/2024 to "
                             "Earlier Payee for 75.00.\n\nPrint this cheque with the same "
                             "number again?";
        const QString noNumber = u"Question: This cheque has no number. Print it anyway?"_s;
        const auto paid = [](const QString &payee) {
            return u"Question: This payment is in the register already: 1010.00 to "_s + payee
                + u", paid already as cheque 7 on "_s
                + QLocale::c().toString(QDate::currentDate(), u"dd MMM yyyy"_s) + u" ("_s
                + unionBank + u").\n\nPrint it again?"_s;
        };
        const QString payee = u"New Payee"_s;
        // Any form of the number is the number (see test_statements).
        QTest::newRow("used, No prints nothing") << payee << "10" << "'4711" << false << used << 2;
        QTest::newRow("used, Yes prints") << payee << "10" << "004711" << true << used << 3;
        QTest::newRow("no number, No") << payee << "10" << "" << false << noNumber << 2;
        QTest::newRow("no number, Yes") << payee << "10" << "" << true << noNumber << 3;
        QTest::newRow("a tab in the number") << payee << "10" << "47\t11" << true
            << "Critical: The text in \"Cheque No\" holds the character U+0009" << 2;
        QTest::newRow("same payment, No") << "zed traders" << "1010" << "000123" << false
                                          << paid(u"zed traders"_s) << 2;
        QTest::newRow("same payment, Yes") << "Zed Traders" << "1010" << "000123" << true
                                           << paid(u"Zed Traders"_s) << 3;
        QTest::newRow("another payee") << "Zed Trading" << "1010" << "000123" << false
                                       << "Information: " + done << 3;
    }
    void doubtfulChequeNeedsTheUsersYes()
    {
        QFETCH(QString, payee);
        QFETCH(QString, amount);
        QFETCH(QString, number);
        QFETCH(bool, yes);
        QFETCH(QString, told);
        QFETCH(int, rows);
        addCheque(u"004711"_s);
        QVERIFY(!store::addRegisterEntry(m_database->db(), {QDate::currentDate(), u"Zed Traders"_s,
                                                            unionBank, u"1,010.00"_s, u"7"_s})
                     .isValid());
        m_messages->answer(yes);
        QWidget *window = open();
        fillPrintWindow(window, cityBank, payee, amount, number);
        m_messages->clear();
        clickPrint(window);
        const QStringList shown = shownMessages(*m_messages);
        QVERIFY2(shown.value(0).startsWith(told), qPrintable(shown.join(u'\n')));
        QCOMPARE(registerRows().size(), rows);
        QCOMPARE(m_printing->operations().contains(u"EndDoc"_s), rows == 3);
        QCOMPARE(shown.last() == u"Information: "_s + done, rows == 3);
    }

private:
    void addCheque(const QString &number, const QString &bank = cityBank)
    {
        QVERIFY(!store::addRegisterEntry(m_database->db(), {QDate(2024, 5, 2), u"Earlier Payee"_s,
                                                            bank, u"75.00"_s, number}).isValid());
    }

    // The window, shown and active, ready for typing.
    frmPrtChq *open()
    {
        m_window = std::make_unique<frmPrtChq>();
        if (!shownActive(m_window.get()))
            qFatal("the window did not become active");
        return m_window.get();
    }

    QList<QStringList> registerRows()
    {
        return rowsOf(m_database->db(), u"Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo "
                                        "from ChqIssuereg order by rowid"_s);
    }

    std::unique_ptr<TemporaryDatabase> m_database;
    std::unique_ptr<RecordedMessages> m_messages;
    std::unique_ptr<RecordedPrinting> m_printing;
    std::unique_ptr<frmPrtChq> m_window;
};

QTEST_MAIN(TestFrmPrtChq)
#include "test_frmPrtChq.moc"
