#include "Module1.h"
#include "chequepage.h"
#include "forms.h"
#include "frmPrtChq.h"
#include "recordedmessages.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "windowchecks.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Two banks with a layout (listed in the order their layouts were set up),
// one without; two payees.
const QString cityBank = u"City Bank"_s;   // USD
const QString unionBank = u"Union Bank"_s; // INR
const QString plainBank = u"Plain Bank"_s; // INR, no layout
const QString dollarWords = u"One Thousand Five Hundred Dollars "_s;
const QString rupeeWords = u"One thousand Five hundred  only"_s;

store::LayoutRow layoutFor(const QString &bank)
{
    return {u"Inches"_s, bank, {0.5, 6, 1.5, 1, 1, 5, 1.5, 1, 100, 2, 1, 5, 2.5, 6, 1.5}};
}

template <typename Control = QWidget>
Control *control(QWidget *window, const QString &name)
{
    auto *found = window->findChild<Control *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Picks the item from the open list with the mouse, as a user does.
void choose(QWidget *window, const QString &listName, const QString &item)
{
    auto *list = control<QComboBox>(window, listName);
    list->showPopup();
    QAbstractItemView *view = list->view();
    const QModelIndex index = list->model()->index(list->findText(item), 0);
    QVERIFY(index.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// Replaces a box's text by typing.
void type(QWidget *window, const QString &name, const QString &text)
{
    QWidget *box = control(window, name);
    auto *edit = qobject_cast<QLineEdit *>(box);
    if (!edit)
        edit = qobject_cast<QComboBox *>(box)->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Goes into the amount box, types (unless the text is null) and leaves with Tab.
void enterAmount(QWidget *window, const QString &text)
{
    auto *amount = control<QLineEdit>(window, u"Text2"_s);
    amount->setFocus();
    if (!text.isNull())
        type(window, u"Text2"_s, text);
    QTest::keyClick(amount, Qt::Key_Tab);
    QVERIFY(!amount->hasFocus());
}

// A listed bank is chosen, any other typed; an empty one and a null amount
// are left alone.
void fill(QWidget *window, const QString &bank, const QString &name, const QString &amount,
          const QString &chequeNo = u"000123"_s)
{
    if (control<QComboBox>(window, u"cmbBnk"_s)->findText(bank) >= 0)
        choose(window, u"cmbBnk"_s, bank);
    else if (!bank.isEmpty())
        type(window, u"cmbBnk"_s, bank);
    type(window, u"Text1"_s, name);
    type(window, u"txtChqNo"_s, chequeNo);
    if (!amount.isNull())
        enterAmount(window, amount);
}

QString text(QWidget *window, const QString &name)
{
    QWidget *box = control(window, name);
    if (auto *list = qobject_cast<QComboBox *>(box))
        return list->currentText();
    return qobject_cast<QLineEdit *>(box)->text();
}

// Every input as the user sees it, and as a fresh window shows them.
QStringList freshInputs()
{
    return {"", "", "", "", "", "", QDate::currentDate().toString(), "A/c Payee"};
}
QStringList inputs(QWidget *window)
{
    QStringList values;
    for (const char *name : {"cmbBnk", "cmbPayee", "txtChqNo", "Text1", "Text2", "Text3"})
        values << text(window, QString::fromLatin1(name));
    values << control<QDateEdit>(window, u"DTPicker1"_s)->date().toString();
    values << (control<QRadioButton>(window, u"Option2"_s)->isChecked() ? u"A/c Payee"_s
                                                                        : u"Bearer"_s);
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
        QVERIFY(!store::addBank(db, {u"111"_s, cityBank, u"USD"_s}).isValid());
        QVERIFY(!store::addBank(db, {u"222"_s, unionBank, u"INR"_s}).isValid());
        QVERIFY(!store::addBank(db, {u"333"_s, plainBank, u"INR"_s}).isValid());
        QVERIFY(!store::replaceLayout(db, layoutFor(unionBank)).isValid());
        QVERIFY(!store::replaceLayout(db, layoutFor(cityBank)).isValid());
        QVERIFY(!store::replacePayee(db, u"zed"_s, u"Zed Traders"_s).isValid());
        QVERIFY(!store::replacePayee(db, u"asha"_s, u"Asha Menon"_s).isValid());
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

    void opensWithListsTodayAndFocusOnPrint()
    {
        QWidget *window = open();
        // Only banks with a layout, in the order the layouts came; nothing sorted.
        auto *banks = control<QComboBox>(window, u"cmbBnk"_s);
        auto *payees = control<QComboBox>(window, u"cmbPayee"_s);
        QCOMPARE((QStringList{banks->itemText(0), banks->itemText(1)}),
                 (QStringList{unionBank, cityBank}));
        QCOMPARE(banks->count(), 2);
        QCOMPARE(payees->count(), 2);
        QVERIFY(banks->isEditable() && payees->isEditable());

        QCOMPARE(inputs(window), freshInputs());
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Print"_s);
        QVERIFY(m_messages->all().isEmpty());
    }

    // The two option buttons are one stop; the arrow keys move between them.
    void tabOrderFollowsTheTabIndexes()
    {
        QCOMPARE(tabOrder(open(), 11),
                 (QStringList{"Print", "Cancel", "Text3", "Text2", "Text1", "DTPicker1", "cmbBnk",
                              "cmbPayee", "txtChqNo", "Option2", "Print"}));
    }

    // Leaving the box again without an edit words it again, in the currency of
    // the bank chosen last; choosing alone does not.
    void everyLeavingOfTheAmountBoxWords()
    {
        QWidget *window = open();
        choose(window, u"cmbBnk"_s, cityBank);
        QCOMPARE(strCurrency, u"USD"_s);
        enterAmount(window, u"1500"_s);
        QCOMPARE(text(window, u"Text3"_s), dollarWords);
        QCOMPARE(strAmtInWords, dollarWords);

        choose(window, u"cmbBnk"_s, unionBank);
        QCOMPARE(strCurrency, u"INR"_s);
        QCOMPARE(text(window, u"Text3"_s), dollarWords);

        enterAmount(window, QString());
        QCOMPARE(text(window, u"Text2"_s), u"1500.00"_s);
        QCOMPARE(text(window, u"Text3"_s), rupeeWords);
        QVERIFY(m_messages->all().isEmpty());
    }

    void printWordsTheAmountForTheLastBank_data()
    {
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("step"); // how the bank or amount comes last before Print
        QTest::newRow("bank chosen after leaving the amount box") << unionBank << "choose";
        QTest::newRow("bank typed in other letter case") << unionBank.toUpper() << "type";
        QTest::newRow("Print clicked from the amount box") << unionBank << "click";
        // As a keyboard shortcut or an accessibility tool presses it.
        QTest::newRow("Print pressed, the amount box keeping the focus") << unionBank << "press";
    }

    // Print words the amount again: a bank chosen earlier never lends its
    // currency to a bank chosen or typed after it, nor is a fresh amount
    // printed without its words.
    void printWordsTheAmountForTheLastBank()
    {
        QFETCH(QString, bank);
        QFETCH(QString, step);

        QWidget *window = open();
        if (step == u"click" || step == u"press") {
            fill(window, bank, u"Asha Menon"_s, QString());
            control(window, u"Text2"_s)->setFocus();
            type(window, u"Text2"_s, u"1500"_s);
        } else {
            fill(window, cityBank, u"Asha Menon"_s, u"1500"_s);
            QCOMPARE(text(window, u"Text3"_s), dollarWords);
            if (step == u"type") {
                type(window, u"cmbBnk"_s, bank);
                QCOMPARE(strCurrency, u"USD"_s); // typing alone fetches nothing
            } else {
                choose(window, u"cmbBnk"_s, bank);
                QCOMPARE(text(window, u"Text3"_s), dollarWords); // nor does choosing word
            }
        }
        if (step == u"press")
            control<QPushButton>(window, u"Print"_s)->click();
        else
            clickPrint(window);

        QCOMPARE(m_messages->texts(), QStringList{"Cheque Printing Completed"});
        QVERIFY(printedTexts(*m_printing).contains(rupeeWords));
        QVERIFY(!printedTexts(*m_printing).contains(dollarWords));
        const store::RegisterRow row = registerRows().value(0);
        QCOMPARE((QStringList{row.bankName, row.amount}), (QStringList{bank, "1500.00"}));
        QCOMPARE(strCurrency, u"INR"_s);
    }

    void bankWithoutCurrencySaysWhyNoWords_data()
    {
        QTest::addColumn<QString>("bankRow"); // the statement making its Bank row, if any
        QTest::addColumn<QString>("why");

        QTest::newRow("no Bank row") << "" << "is not among the banks";
        QTest::newRow("no currency") << "Insert into Bank (Bankname) values ('Odd Bank')"
                                     << "has no currency";
        QTest::newRow("empty currency")
            << "Insert into Bank (Bankname, Currency) values ('Odd Bank', '')" << "has no currency";
    }

    void bankWithoutCurrencySaysWhyNoWords()
    {
        QFETCH(QString, bankRow);
        QFETCH(QString, why);
        if (!bankRow.isEmpty())
            m_database->exec(bankRow);
        QVERIFY(!store::replaceLayout(m_database->db(), layoutFor(u"Odd Bank"_s)).isValid());

        QWidget *window = open();
        fill(window, cityBank, u"Asha Menon"_s, u"1500"_s);
        choose(window, u"cmbBnk"_s, u"Odd Bank"_s);
        QCOMPARE(m_messages->only().icon, Messages::Icon::Critical);
        QVERIFY2(m_messages->only().text.contains(why), qPrintable(m_messages->only().text));
        QCOMPARE(strCurrency, QString());

        // Leaving the amount box tidies it and says again why there are no words.
        m_messages->clear();
        enterAmount(window, u"250"_s);
        QCOMPARE(text(window, u"Text2"_s), u"250.00"_s);
        QCOMPARE(text(window, u"Text3"_s), QString());
        QVERIFY(m_messages->only().text.contains(why));

        // Told so, the user may type the words and print.
        m_messages->clear();
        type(window, u"Text3"_s, u"Two Hundred Fifty only"_s);
        clickPrint(window);
        QCOMPARE(m_messages->texts(), QStringList{"Cheque Printing Completed"});
        QVERIFY(printedTexts(*m_printing).contains(u"Two Hundred Fifty only"_s));
    }

    void choosingAPayeeFillsItsName()
    {
        m_database->exec(u"Insert into Payee (PayeeNickName) values ('ghost')"_s);
        QWidget *window = open();
        choose(window, u"cmbPayee"_s, u"zed"_s);
        QCOMPARE(text(window, u"Text1"_s), u"Zed Traders"_s);

        // Typing a nick name fetches nothing.
        type(window, u"cmbPayee"_s, u"asha"_s);
        QCOMPARE(text(window, u"Text1"_s), u"Zed Traders"_s);
        QVERIFY(m_messages->all().isEmpty());

        // A payee without a name empties the box, and says why.
        choose(window, u"cmbPayee"_s, u"ghost"_s);
        QCOMPARE(text(window, u"Text1"_s), QString());
        QCOMPARE(m_messages->only().icon, Messages::Icon::Critical);
        QVERIFY(m_messages->only().text.contains(u"\"ghost\" has no name"_s));
    }

    void refusedPrintKeepsEverything_data()
    {
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("amount");   // null: the box is never entered
        QTest::addColumn<int>("failingPrint"); // the printer's Print that fails; -1 EndDoc
        QTest::addColumn<QString>("message");  // how it begins

        const QString asha = u"Asha Menon"_s;
        const QString noLayout = u"There is no cheque layout for the bank \"%1\""_s;
        const QString notPrinted = u"The cheque was not printed.\n\n"_s;

        // The checks, in their order.
        QTest::newRow("everything empty") << "" << "" << QString() << 0 << "Please select bank";
        QTest::newRow("name and amount empty")
            << cityBank << "" << QString() << 0 << "Please select Payee name";
        QTest::newRow("amount never entered")
            << cityBank << asha << QString() << 0 << "Please enter amount";
        QTest::newRow("a bank without a layout")
            << plainBank << asha << "1500" << 0 << noLayout.arg(plainBank);
        QTest::newRow("blanks pass the bank check")
            << "   " << asha << "1500" << 0 << noLayout.arg("   ");
        QTest::newRow("an amount with no words")
            << unionBank << asha << "1,500" << 0 << "The amount in words is empty";
        const QString zero = u"The amount is zero, so the cheque has not been printed."_s;
        QTest::newRow("zero") << cityBank << asha << "0" << 0 << zero;
        QTest::newRow("blanks alone") << unionBank << asha << "   " << 0 << zero;
        QTest::newRow("minus zero") << unionBank << asha << "-0.00" << 0 << zero;

        // The printer missing or failing.
        QTest::newRow("no printer")
            << cityBank << asha << "1500" << 1 << notPrinted + "There is no printer.";
        QTest::newRow("spooler refuses the page")
            << cityBank << asha << "1500" << -1 << notPrinted + "The queue refused the job.";
    }

    void refusedPrintKeepsEverything()
    {
        QFETCH(QString, bank);
        QFETCH(QString, name);
        QFETCH(QString, amount);
        QFETCH(int, failingPrint);
        QFETCH(QString, message);
        const QString reason = message.section(QLatin1Char('\n'), 2);
        if (failingPrint > 0)
            m_printing->failPrint(failingPrint, reason);
        else if (failingPrint < 0)
            m_printing->failEndDoc(reason);

        QWidget *window = open();
        fill(window, bank, name, amount);
        m_messages->clear();
        const QStringList before = inputs(window);
        clickPrint(window);

        QCOMPARE(m_messages->only().icon, Messages::Icon::Critical);
        QVERIFY2(m_messages->only().text.startsWith(message), qPrintable(m_messages->only().text));
        QCOMPARE(m_printing->operations().isEmpty(), failingPrint == 0);
        QVERIFY(registerRows().isEmpty());
        QVERIFY(window->isVisible());
        QCOMPARE(inputs(window), before);
    }

    void printedChequeIsRecordedAsPrinted_data()
    {
        QTest::addColumn<QString>("nickName"); // chosen from the list, if any
        QTest::addColumn<QString>("name");     // else typed into the name box
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("daysAhead");
        QTest::addColumn<bool>("bearer");
        QTest::addColumn<QStringList>("printed"); // all but the date
        QTest::addColumn<QStringList>("row");     // name, amount as recorded

        const QStringList zed{"Zed Traders", "1500.00"};
        QTest::newRow("the payee's name, not the nick name")
            << "zed" << "" << "1500" << 0 << false
            << QStringList{"A/c Payee only", "Zed Traders", dollarWords, "**1500.00**"} << zed;
        QTest::newRow("a name typed without choosing a payee")
            << "" << "Walk-in Customer" << "99.5" << 0 << false
            << QStringList{"A/c Payee only", "Walk-in Customer",
                           "Ninety Nine Dollars and Fifty Cents only", "**99.5**"}
            << QStringList{"Walk-in Customer", "99.5"};
        QTest::newRow("post-dated a month: its own date")
            << "zed" << "" << "1500" << 31 << true
            << QStringList{"Zed Traders", dollarWords, "**1500.00**"} << zed;
    }

    void printedChequeIsRecordedAsPrinted()
    {
        QFETCH(QString, nickName);
        QFETCH(QString, name);
        QFETCH(QString, amount);
        QFETCH(int, daysAhead);
        QFETCH(bool, bearer);
        QFETCH(QStringList, printed);
        QFETCH(QStringList, row);

        QWidget *window = open();
        fill(window, cityBank, name, amount);
        if (!nickName.isEmpty())
            choose(window, u"cmbPayee"_s, nickName);
        const QDate date = QDate::currentDate().addDays(daysAhead);
        control<QDateEdit>(window, u"DTPicker1"_s)->setDate(date);
        if (bearer)
            QTest::mouseClick(control(window, u"Option1"_s), Qt::LeftButton);
        clickPrint(window);

        QCOMPARE(m_messages->only().text, u"Cheque Printing Completed"_s);
        QCOMPARE(m_messages->only().icon, Messages::Icon::Information);
        QVERIFY(!window->isVisible());
        printed.insert(bearer ? 0 : 1, chequeDateText(date));
        QCOMPARE(printedTexts(*m_printing), printed);
        QCOMPARE(m_printing->operations().last(), u"EndDoc"_s);

        const QList<store::RegisterRow> rows = registerRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].dateOfCheque, date);
        QCOMPARE(
            (QStringList{rows[0].payeeName, rows[0].bankName, rows[0].amount, rows[0].chequeNo}),
            (QStringList{row[0], cityBank, row[1], "000123"}));
    }

    void unrecordedChequeIsReportedInFull()
    {
        m_database->exec(QStringLiteral("Create trigger refuse before insert on ChqIssuereg "
                                        "begin select raise(abort, 'the disk is full'); end"));
        QWidget *window = open();
        fill(window, cityBank, u"Asha Menon"_s, u"1500"_s, u"000777"_s);
        control<QDateEdit>(window, u"DTPicker1"_s)->setDate(QDate(2026, 12, 5));
        clickPrint(window);

        QCOMPARE(m_printing->operations().last(), u"EndDoc"_s);
        const Messages::Message message = m_messages->only();
        QCOMPARE(message.icon, Messages::Icon::Critical);
        for (const char *part :
             {"printed but is NOT recorded", "Cheque No: 000777", "Bank: City Bank",
              "Payee: Asha Menon", "Date: 05/Dec/2026", "Amount: 1500.00", "the disk is full"})
            QVERIFY2(message.text.contains(QLatin1String(part)), part);
        QVERIFY(registerRows().isEmpty());
        QVERIFY(!window->isVisible());
    }

    // Another program holds the data file: nothing goes to the printer.
    void aRegisterThatCannotBeWrittenPrintsNothing()
    {
        QWidget *window = open();
        fill(window, cityBank, u"Asha Menon"_s, u"1500"_s, u"000777"_s);
        m_database->exec(QStringLiteral("BEGIN IMMEDIATE"));
        clickPrint(window);
        m_database->exec(QStringLiteral("ROLLBACK"));

        QCOMPARE(m_printing->operations(), QStringList());
        QVERIFY(m_messages->only().text.contains(u"The cheque has not been printed"_s));
        QVERIFY(registerRows().isEmpty());
        QVERIFY(window->isVisible());
    }

    // The menu's road: each completed print ends its window, so two cheques
    // with one number take two showings and give two rows; the next showing
    // starts afresh, while the currency stays for the run.
    void eachShowingPrintsOneChequeAndStartsAfresh()
    {
        Forms::registerForm(u"frmPrtChq"_s, [] { return new frmPrtChq; });
        const auto inTheWindow = [](const std::function<void(QWidget *)> &steps) {
            QTimer::singleShot(0, [steps] {
                QWidget *window = Forms::openInstance(u"frmPrtChq"_s);
                QVERIFY(QTest::qWaitForWindowActive(window));
                steps(window);
            });
            Forms::showModal(u"frmPrtChq"_s);
            QVERIFY(!Forms::openInstance(u"frmPrtChq"_s));
        };
        m_messages->answer(true);  // the second cheque repeats the number on purpose
        for (int cheque = 0; cheque < 2; ++cheque) {
            inTheWindow([](QWidget *window) {
                fill(window, cityBank, u"Asha Menon"_s, u"1500"_s, u"100"_s);
                choose(window, u"cmbPayee"_s, u"zed"_s);
                QTest::mouseClick(control(window, u"Option1"_s), Qt::LeftButton);
                clickPrint(window);
            });
        }
        QCOMPARE(m_messages->texts().count(u"Cheque Printing Completed"_s), 2);
        QCOMPARE(m_messages->all().size(), 3);
        QCOMPARE(strCurrency, u"USD"_s);

        QStringList seen;
        inTheWindow([&seen](QWidget *window) {
            seen = inputs(window);
            QTest::mouseClick(control(window, u"Cancel"_s), Qt::LeftButton);
        });
        QCOMPARE(seen, freshInputs());
        const QList<store::RegisterRow> rows = registerRows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].chequeNo, u"100"_s);
        QCOMPARE(rows[1].chequeNo, u"100"_s);
    }

    void printWordsTheAmountAsItStands_data()
    {
        QTest::addColumn<QString>("change");  // how the amount box changes, the focus elsewhere
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // the first one's start, if any
        QTest::addColumn<QStringList>("printed"); // words and figures; empty: nothing printed
        QTest::newRow("dropped before") << "drop at 0" << "2" << ""
            << QStringList{"Twenty One Thousand Five Hundred Dollars ", "**21500.00**"};
        QTest::newRow("dropped after") << "drop at end" << "9" << "The amount \"1500.009\" is not"
                                       << QStringList();
        QTest::newRow("set") << "set" << "250" << ""
                             << QStringList{"Two Hundred Fifty Dollars ", "**250.00**"};
        QTest::newRow("set with a line break")
            << "set" << "1\r500" << "" << QStringList{dollarWords, "**1500.00**"};
    }

    // However the amount box changed, the words printed are those of the
    // figures printed and recorded.
    void printWordsTheAmountAsItStands()
    {
        QFETCH(QString, change);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QStringList, printed);
        QWidget *window = open();
        fill(window, cityBank, u"Asha Menon"_s, u"1500"_s);
        control(window, u"Text1"_s)->setFocus();
        auto *amount = control<QLineEdit>(window, u"Text2"_s);
        if (change == u"set") {
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
        QVERIFY(control(window, u"Text1"_s)->hasFocus());
        clickPrint(window);

        const QStringList texts = printedTexts(*m_printing);
        if (printed.isEmpty()) {
            QVERIFY2(m_messages->texts().value(0).startsWith(message),
                     qPrintable(m_messages->texts().join(u'|')));
            QVERIFY(texts.isEmpty() && registerRows().isEmpty());
            return;
        }
        QCOMPARE(m_messages->texts(), QStringList{"Cheque Printing Completed"});
        QVERIFY2(texts.contains(printed[0]) && texts.contains(printed[1]), qPrintable(texts.join(u'|')));
        QCOMPARE(u"**"_s + registerRows().value(0).amount + u"**"_s, printed[1]);
    }

    void printRefusesTextsThatWouldNotShowAsStored_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString inText = u"The text in \"%1\" holds the character U+%2"_s;
        QTest::newRow("name reversed") << "Text1" << u"\u202EAsha"_s << inText.arg("Name", "202E");
        QTest::newRow("name with NUL") << "Text1" << u"As\0ha"_s << inText.arg("Name", "0000");
        QTest::newRow("words isolated") << "Text3" << u"Fifteen\u2069 Dollars"_s
                                        << inText.arg("Amount in Words", "2069");
    }

    void printRefusesTextsThatWouldNotShowAsStored()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QWidget *window = open();
        fill(window, cityBank, u"Asha"_s, u"15"_s);
        control<QLineEdit>(window, box)->setText(text);
        clickPrint(window);
        QVERIFY2(m_messages->only().text.startsWith(message), qPrintable(m_messages->only().text));
        QVERIFY(m_printing->operations().isEmpty() && registerRows().isEmpty());
    }

    void refusedAmountLetsTheClickThrough_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Cancel") << "Cancel" << true;
        QTest::newRow("another box") << "Text1" << false;
    }

    // The message about a refused amount waits for the click that left the
    // box to end: a message box shown on the press would take its release.
    void refusedAmountLetsTheClickThrough()
    {
        QFETCH(QString, clicked);
        QFETCH(bool, closes);
        QWidget *window = open();
        chooseItem(control<QComboBox>(window, u"cmbBnk"_s), cityBank);  // no list window left open
        control(window, u"Text2"_s)->setFocus();
        type(window, u"Text2"_s, u"1,500"_s);
        QWidget *target = control(window, clicked);
        const QPoint at = target->mapTo(window, target->rect().center());
        QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(m_messages->all().isEmpty());
        QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        QCOMPARE(m_messages->all().size(), 1);
        QVERIFY(m_messages->only().text.startsWith(u"The amount \"1,500.00\" is not"_s));
        QCOMPARE(window->isVisible(), !closes);
    }

    void tabLandsOnTheChosenOption()
    {
        QWidget *window = open();
        QTest::keyClick(control(window, u"Print"_s), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Option2"_s);
        QTest::mouseClick(control(window, u"Option1"_s), Qt::LeftButton);
        control(window, u"txtChqNo"_s)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Option1"_s);
    }

private:
    // The window, shown and active, ready for typing.
    frmPrtChq *open()
    {
        m_window = std::make_unique<frmPrtChq>();
        m_window->show();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qFatal("the window did not become active");
        return m_window.get();
    }

    QList<store::RegisterRow> registerRows()
    {
        QList<store::RegisterRow> rows;
        QSqlQuery query(m_database->db());
        query.exec(QStringLiteral("Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo "
                                  "from ChqIssuereg order by rowid"));
        while (query.next())
            rows.append({query.value(0).toDate(), query.value(1).toString(),
                         query.value(2).toString(), query.value(3).toString(),
                         query.value(4).toString()});
        return rows;
    }

    std::unique_ptr<TemporaryDatabase> m_database;
    std::unique_ptr<RecordedMessages> m_messages;
    std::unique_ptr<RecordedPrinting> m_printing;
    std::unique_ptr<frmPrtChq> m_window;
};

QTEST_MAIN(TestFrmPrtChq)
#include "test_frmPrtChq.moc"
