#include "Module1.h"
#include "chequepage.h"
#include "forms.h"
#include "frmPrtChq.h"
#include "recordedmessages.h"
#include "recordedprinting.h"
#include "statements.h"
#include "temporarydatabase.h"
#include "twips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(QRect)

namespace {

// Two banks with a layout (listed in the order their layouts were set up),
// one without; two payees.
const QString cityBank = QStringLiteral("City Bank");    // USD
const QString unionBank = QStringLiteral("Union Bank");  // INR
const QString plainBank = QStringLiteral("Plain Bank");  // INR, no layout
const QString dollarWords = QStringLiteral("One Thousand Five Hundred Dollars ");
const QString rupeeWords = QStringLiteral("One thousand Five hundred  only");

store::LayoutRow layoutFor(const QString &bank)
{
    store::LayoutRow row;
    row.bankName = bank;
    row.scaleMode = QStringLiteral("Inches");
    row.positions = {0.5, 6, 1.5, 1, 1, 5, 1.5, 1, 100, 2, 1, 5, 2.5, 6, 1.5};
    return row;
}

template<typename Control = QWidget>
Control *control(QWidget *window, const QString &name)
{
    auto *found = window->findChild<Control *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// The window's control that holds a widget (the text part of a list, say).
QString controlName(QWidget *widget)
{
    while (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_"))
        widget = widget->parentWidget();
    return widget->objectName();
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
    auto *amount = control<QLineEdit>(window, QStringLiteral("Text2"));
    amount->setFocus();
    if (!text.isNull())
        type(window, QStringLiteral("Text2"), text);
    QTest::keyClick(amount, Qt::Key_Tab);
    QVERIFY(!amount->hasFocus());
}

// A listed bank is chosen, any other typed; an empty one and a null amount
// are left alone.
void fill(QWidget *window, const QString &bank, const QString &name, const QString &amount,
          const QString &chequeNo = QStringLiteral("000123"))
{
    if (control<QComboBox>(window, QStringLiteral("cmbBnk"))->findText(bank) >= 0)
        choose(window, QStringLiteral("cmbBnk"), bank);
    else if (!bank.isEmpty())
        type(window, QStringLiteral("cmbBnk"), bank);
    type(window, QStringLiteral("Text1"), name);
    type(window, QStringLiteral("txtChqNo"), chequeNo);
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

// Every input as the user sees it.
QStringList inputs(QWidget *window)
{
    QStringList values;
    for (const char *name : {"cmbBnk", "cmbPayee", "txtChqNo", "Text1", "Text2", "Text3"})
        values << text(window, QString::fromLatin1(name));
    values << control<QDateEdit>(window, QStringLiteral("DTPicker1"))->date().toString();
    values << (control<QRadioButton>(window, QStringLiteral("Option2"))->isChecked()
                   ? QStringLiteral("A/c Payee")
                   : QStringLiteral("Bearer"));
    return values;
}

void clickPrint(QWidget *window)
{
    QTest::mouseClick(control(window, QStringLiteral("Print")), Qt::LeftButton);
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
    void init();
    void cleanup();

    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void opensWithListsTodayAndFocusOnPrint();
    void tabOrderFollowsTheTabIndexes();

    void wordsFollowTheChosenBank_data();
    void wordsFollowTheChosenBank();
    void everyLeavingOfTheAmountBoxWords();
    void printFromTheAmountBoxWordsFirst_data();
    void printFromTheAmountBoxWordsFirst();
    void typedListedBankPrintsInItsOwnCurrency_data();
    void typedListedBankPrintsInItsOwnCurrency();
    void bankWithoutCurrencySaysWhyNoWords_data();
    void bankWithoutCurrencySaysWhyNoWords();
    void choosingAPayeeFillsItsName();
    void wordsFollowTheBankChosenLastAtPrint();
    void chequeWithoutWordsIsNotPrinted();

    void refusedPrintKeepsEverything_data();
    void refusedPrintKeepsEverything();
    void printedChequeIsRecordedAsPrinted_data();
    void printedChequeIsRecordedAsPrinted();
    void unrecordedChequeIsReportedInFull();
    void eachShowingPrintsOneChequeAndStartsAfresh();

private:
    frmPrtChq *open();
    QList<store::RegisterRow> registerRows();

    std::unique_ptr<TemporaryDatabase> m_database;
    std::unique_ptr<RecordedMessages> m_messages;
    std::unique_ptr<RecordedPrinting> m_printing;
    std::unique_ptr<frmPrtChq> m_window;
};

void TestFrmPrtChq::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    strCurrency.clear();
    strAmtInWords.clear();
    m_database = std::make_unique<TemporaryDatabase>();
    const QSqlDatabase db = m_database->db();
    QVERIFY(!store::addBank(db, {QStringLiteral("111"), cityBank, QStringLiteral("USD")}).isValid());
    QVERIFY(!store::addBank(db, {QStringLiteral("222"), unionBank, QStringLiteral("INR")}).isValid());
    QVERIFY(!store::addBank(db, {QStringLiteral("333"), plainBank, QStringLiteral("INR")}).isValid());
    QVERIFY(!store::replaceLayout(db, layoutFor(unionBank)).isValid());
    QVERIFY(!store::replaceLayout(db, layoutFor(cityBank)).isValid());
    QVERIFY(!store::replacePayee(db, QStringLiteral("zed"), QStringLiteral("Zed Traders")).isValid());
    QVERIFY(!store::replacePayee(db, QStringLiteral("asha"), QStringLiteral("Asha Menon")).isValid());
    m_messages = std::make_unique<RecordedMessages>();
    m_printing = std::make_unique<RecordedPrinting>();
}

void TestFrmPrtChq::cleanup()
{
    m_window.reset();
    m_printing.reset();
    m_messages.reset();
    m_database.reset();
    QLocale::setDefault(QLocale::c());
}

// The window, shown and active, ready for typing.
frmPrtChq *TestFrmPrtChq::open()
{
    m_window = std::make_unique<frmPrtChq>();
    m_window->show();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qFatal("the window did not become active");
    return m_window.get();
}

QList<store::RegisterRow> TestFrmPrtChq::registerRows()
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

void TestFrmPrtChq::controlsStandWhereTheyBelong_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("place");

    // Labels are placed by their corner only.
    const QList<std::tuple<const char *, const char *, const char *, QRect>> rows = {
        {"Frame1", "frmPrtChq", "", twips(240, 120, 7455, 2775)},
        {"cmbBnk", "Frame1", "", twips(2040, 240, 1815, 315)},
        {"cmbPayee", "Frame1", "", twips(2040, 720, 1815, 315)},
        {"DTPicker1", "Frame1", "", twips(5895, 240, 1380, 285)},
        {"txtChqNo", "Frame1", "", twips(5880, 720, 1335, 285)},
        {"Text1", "Frame1", "", twips(2070, 1320, 3570, 285)},
        {"Text2", "Frame1", "", twips(2070, 1785, 1425, 285)},
        {"Text3", "Frame1", "", twips(2100, 2160, 4365, 285)},
        {"Frame2", "Frame1", "", twips(5955, 1095, 1365, 915)},
        {"Option1", "Frame2", "Bearer", twips(180, 195, 1005, 195)},
        {"Option2", "Frame2", "A/c Payee", twips(180, 555, 1080, 255)},
        {"Print", "frmPrtChq", "Print", twips(4980, 3045, 1290, 285)},
        {"Cancel", "frmPrtChq", "Cancel", twips(6375, 3030, 1185, 285)},
        {"Label1", "Frame1", "Bank Name", twips(600, 240, 0, 0)},
        {"Label2", "Frame1", "Payee Nick Name", twips(600, 720, 0, 0)},
        {"Label3", "Frame1", "Date", twips(4800, 300, 0, 0)},
        {"Label4", "Frame1", "Cheque No", twips(4800, 720, 0, 0)},
        {"Label5", "Frame1", "Name", twips(570, 1365, 0, 0)},
        {"Label6", "Frame1", "Amount", twips(510, 1830, 0, 0)},
        {"Label7", "Frame1", "Amount in Words", twips(480, 2280, 0, 0)},
    };
    for (const auto &[name, container, caption, place] : rows)
        QTest::newRow(name) << name << container << caption << place;
}

void TestFrmPrtChq::controlsStandWhereTheyBelong()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QString, caption);
    QFETCH(QRect, place);

    frmPrtChq window;
    QWidget *widget = control(&window, name);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(widget->pos(), place.topLeft());
        return;
    }
    QCOMPARE(widget->geometry(), place);
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), caption);
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(frame->title(), QString());
}

void TestFrmPrtChq::opensWithListsTodayAndFocusOnPrint()
{
    QWidget *window = open();
    QCOMPARE(window->windowTitle(), QStringLiteral("Print Cheque"));
    QCOMPARE(window->size(), twipsSize(7800, 3405));

    // Only banks with a layout, in the order the layouts came; nothing sorted.
    auto *banks = control<QComboBox>(window, QStringLiteral("cmbBnk"));
    QCOMPARE(banks->count(), 2);
    QCOMPARE(banks->itemText(0), unionBank);
    QCOMPARE(banks->itemText(1), cityBank);
    auto *payees = control<QComboBox>(window, QStringLiteral("cmbPayee"));
    QCOMPARE(payees->count(), 2);
    QVERIFY(banks->isEditable() && payees->isEditable());

    auto *date = control<QDateEdit>(window, QStringLiteral("DTPicker1"));
    QCOMPARE(date->displayFormat(), QStringLiteral("dd/MMM/yyyy"));
    QCOMPARE(date->minimumDate(), QDate(1601, 1, 1));
    QCOMPARE(date->maximumDate(), QDate(9999, 12, 31));
    QCOMPARE(inputs(window), (QStringList{"", "", "", "", "", "",
                                          QDate::currentDate().toString(), "A/c Payee"}));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Print"));
    QVERIFY(m_messages->all().isEmpty());
}

void TestFrmPrtChq::tabOrderFollowsTheTabIndexes()
{
    open();
    QStringList order{QStringLiteral("Print")};
    while (order.size() < 20) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString now = controlName(QApplication::focusWidget());
        if (now != order.last())  // the date picker's parts take a Tab each
            order << now;
        if (now == QLatin1String("Print"))
            break;
    }
    // The two option buttons are one stop; the arrow keys move between them.
    QCOMPARE(order, (QStringList{"Print", "Cancel", "Text3", "Text2", "Text1", "DTPicker1",
                                 "cmbBnk", "cmbPayee", "txtChqNo", "Option1", "Print"}));
}

void TestFrmPrtChq::wordsFollowTheChosenBank_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("words");

    QTest::newRow("USD, cents") << cityBank << "1234.5" << "USD" << "1234.5"
                                << "One Thousand Two Hundred Thirty Four Dollars and Fifty "
                                   "Cents only";
    QTest::newRow("INR, whole rupees tidied") << unionBank << "1500" << "INR" << "1500.00"
                                              << rupeeWords;
    QTest::newRow("INR, empty box") << unionBank << "" << "INR" << ".00" << " only";
}

void TestFrmPrtChq::wordsFollowTheChosenBank()
{
    QFETCH(QString, bank);
    QFETCH(QString, typed);
    QFETCH(QString, currency);
    QFETCH(QString, amount);
    QFETCH(QString, words);

    QWidget *window = open();
    choose(window, QStringLiteral("cmbBnk"), bank);
    QCOMPARE(strCurrency, currency);
    enterAmount(window, typed);
    QCOMPARE(text(window, QStringLiteral("Text2")), amount);
    QCOMPARE(text(window, QStringLiteral("Text3")), words);
    QCOMPARE(strAmtInWords, words);
    QVERIFY(m_messages->all().isEmpty());
}

// Leaving the box again without an edit words it again, in the currency of
// the bank chosen last; choosing alone does not.
void TestFrmPrtChq::everyLeavingOfTheAmountBoxWords()
{
    QWidget *window = open();
    choose(window, QStringLiteral("cmbBnk"), cityBank);
    enterAmount(window, QStringLiteral("1500"));
    QCOMPARE(text(window, QStringLiteral("Text3")), dollarWords);

    choose(window, QStringLiteral("cmbBnk"), unionBank);
    QCOMPARE(strCurrency, QStringLiteral("INR"));
    QCOMPARE(text(window, QStringLiteral("Text3")), dollarWords);

    enterAmount(window, QString());
    QCOMPARE(text(window, QStringLiteral("Text2")), QStringLiteral("1500.00"));
    QCOMPARE(text(window, QStringLiteral("Text3")), rupeeWords);
}

void TestFrmPrtChq::printFromTheAmountBoxWordsFirst_data()
{
    QTest::addColumn<bool>("focusStays");
    QTest::newRow("mouse click on Print") << false;
    // As a keyboard shortcut or an accessibility tool presses it.
    QTest::newRow("pressed without taking the focus") << true;
}

void TestFrmPrtChq::printFromTheAmountBoxWordsFirst()
{
    QFETCH(bool, focusStays);

    QWidget *window = open();
    fill(window, unionBank, QStringLiteral("Asha Menon"), QString());
    control(window, QStringLiteral("Text2"))->setFocus();
    type(window, QStringLiteral("Text2"), QStringLiteral("1500"));
    if (focusStays)
        control<QPushButton>(window, QStringLiteral("Print"))->click();
    else
        clickPrint(window);

    QCOMPARE(m_messages->texts(), QStringList{"Cheque Printing Completed"});
    QVERIFY(printedTexts(*m_printing).contains(rupeeWords));
    QCOMPARE(registerRows().value(0).amount, QStringLiteral("1500.00"));
}

void TestFrmPrtChq::typedListedBankPrintsInItsOwnCurrency_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("exactly as listed") << unionBank;
    QTest::newRow("in other letter case") << unionBank.toUpper();
}

// A bank chosen earlier must not lend its currency to a bank typed after it.
void TestFrmPrtChq::typedListedBankPrintsInItsOwnCurrency()
{
    QFETCH(QString, typed);

    QWidget *window = open();
    fill(window, cityBank, QStringLiteral("Asha Menon"), QStringLiteral("1500"));
    QCOMPARE(text(window, QStringLiteral("Text3")), dollarWords);
    type(window, QStringLiteral("cmbBnk"), typed);
    QCOMPARE(strCurrency, QStringLiteral("USD"));  // typing alone fetches nothing

    clickPrint(window);
    QCOMPARE(m_messages->texts(), QStringList{"Cheque Printing Completed"});
    QVERIFY(printedTexts(*m_printing).contains(rupeeWords));
    QCOMPARE(registerRows().value(0).bankName, typed);
    QCOMPARE(strCurrency, QStringLiteral("INR"));
}

void TestFrmPrtChq::bankWithoutCurrencySaysWhyNoWords_data()
{
    QTest::addColumn<QString>("bankRow");  // the statement making its Bank row, if any
    QTest::addColumn<QString>("why");

    QTest::newRow("no Bank row") << "" << "is not among the banks";
    QTest::newRow("no currency") << "Insert into Bank (Bankname) values ('Odd Bank')"
                                 << "has no currency";
    QTest::newRow("empty currency")
        << "Insert into Bank (Bankname, Currency) values ('Odd Bank', '')" << "has no currency";
}

void TestFrmPrtChq::bankWithoutCurrencySaysWhyNoWords()
{
    QFETCH(QString, bankRow);
    QFETCH(QString, why);
    if (!bankRow.isEmpty())
        m_database->exec(bankRow);
    QVERIFY(!store::replaceLayout(m_database->db(), layoutFor(QStringLiteral("Odd Bank")))
                 .isValid());

    QWidget *window = open();
    fill(window, cityBank, QStringLiteral("Asha Menon"), QStringLiteral("1500"));
    choose(window, QStringLiteral("cmbBnk"), QStringLiteral("Odd Bank"));
    QCOMPARE(m_messages->only().icon, Messages::Icon::Critical);
    QVERIFY2(m_messages->only().text.contains(why), qPrintable(m_messages->only().text));
    QCOMPARE(strCurrency, QString());

    // Leaving the amount box tidies it and says again why there are no words.
    m_messages->clear();
    enterAmount(window, QStringLiteral("250"));
    QCOMPARE(text(window, QStringLiteral("Text2")), QStringLiteral("250.00"));
    QCOMPARE(text(window, QStringLiteral("Text3")), QString());
    QVERIFY(m_messages->only().text.contains(why));

    // Told so, the user may type the words and print.
    m_messages->clear();
    type(window, QStringLiteral("Text3"), QStringLiteral("Two Hundred Fifty only"));
    clickPrint(window);
    QCOMPARE(m_messages->texts(), QStringList{"Cheque Printing Completed"});
    QVERIFY(printedTexts(*m_printing).contains(QStringLiteral("Two Hundred Fifty only")));
}

// Choosing a bank after leaving the amount box does not word the amount
// again, but Print does: a cheque never carries another currency's words.
void TestFrmPrtChq::wordsFollowTheBankChosenLastAtPrint()
{
    QWidget *window = open();
    fill(window, cityBank, QStringLiteral("Asha Menon"), QStringLiteral("1500"));
    choose(window, QStringLiteral("cmbBnk"), unionBank);
    QCOMPARE(text(window, QStringLiteral("Text3")), dollarWords);

    clickPrint(window);
    QCOMPARE(m_messages->texts(), QStringList{"Cheque Printing Completed"});
    QVERIFY(printedTexts(*m_printing).contains(rupeeWords));
    QVERIFY(!printedTexts(*m_printing).contains(dollarWords));
}

void TestFrmPrtChq::chequeWithoutWordsIsNotPrinted()
{
    QWidget *window = open();
    fill(window, unionBank, QStringLiteral("Asha Menon"), QStringLiteral("1,500"));
    QCOMPARE(text(window, QStringLiteral("Text3")), QString());  // refused, with its message
    m_messages->clear();

    clickPrint(window);
    QCOMPARE(m_messages->only().icon, Messages::Icon::Critical);
    QVERIFY(m_messages->only().text.startsWith(QStringLiteral("The amount in words is empty")));
    QVERIFY(m_printing->operations().isEmpty());
    QVERIFY(registerRows().isEmpty());
    QVERIFY(window->isVisible());
}

void TestFrmPrtChq::choosingAPayeeFillsItsName()
{
    m_database->exec(QStringLiteral("Insert into Payee (PayeeNickName) values ('ghost')"));
    QWidget *window = open();
    choose(window, QStringLiteral("cmbPayee"), QStringLiteral("zed"));
    QCOMPARE(text(window, QStringLiteral("Text1")), QStringLiteral("Zed Traders"));

    // Typing a nick name fetches nothing.
    type(window, QStringLiteral("cmbPayee"), QStringLiteral("asha"));
    QCOMPARE(text(window, QStringLiteral("Text1")), QStringLiteral("Zed Traders"));
    QVERIFY(m_messages->all().isEmpty());

    // A payee without a name empties the box, and says why.
    choose(window, QStringLiteral("cmbPayee"), QStringLiteral("ghost"));
    QCOMPARE(text(window, QStringLiteral("Text1")), QString());
    QCOMPARE(m_messages->only().icon, Messages::Icon::Critical);
    QVERIFY(m_messages->only().text.contains(QStringLiteral("\"ghost\" has no name")));
}

void TestFrmPrtChq::refusedPrintKeepsEverything_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("amount");    // null: the box is never entered
    QTest::addColumn<int>("failingPrint");  // the printer's Print that fails; -1 EndDoc
    QTest::addColumn<QString>("message");   // how it begins

    const QString asha = QStringLiteral("Asha Menon");
    const QString bankMissing = QStringLiteral("Please select bank");
    const QString nameMissing = QStringLiteral("Please select Payee name");
    const QString noLayout = QStringLiteral("There is no cheque layout for the bank \"%1\"");
    const QString notPrinted = QStringLiteral("The cheque was not printed.\n\n");

    // The checks, in their order.
    QTest::newRow("empty bank, all else filled") << "" << asha << "1500" << 0 << bankMissing;
    QTest::newRow("everything empty") << "" << "" << QString() << 0 << bankMissing;
    QTest::newRow("empty name") << cityBank << "" << "1500" << 0 << nameMissing;
    QTest::newRow("name and amount empty") << cityBank << "" << QString() << 0 << nameMissing;
    QTest::newRow("amount never entered") << cityBank << asha << QString() << 0
                                          << "Please enter amount";
    // A typed bank name without a layout.
    QTest::newRow("no such bank") << "Nowhere Bank" << asha << "1500" << 0
                                  << noLayout.arg("Nowhere Bank");
    QTest::newRow("a bank without a layout") << plainBank << asha << "1500" << 0
                                             << noLayout.arg(plainBank);
    QTest::newRow("blanks pass the bank check") << "   " << asha << "1500" << 0
                                                << noLayout.arg("   ");
    QTest::newRow("a listed bank with a blank more") << cityBank + " " << asha << "1500" << 0
                                                     << noLayout.arg(cityBank + " ");
    // The printer missing or failing.
    QTest::newRow("no printer") << cityBank << asha << "1500" << 1
                                << notPrinted + "There is no printer.";
    QTest::newRow("fails part-way") << cityBank << asha << "1500" << 3
                                    << notPrinted + "The printer stopped.";
    QTest::newRow("spooler refuses the page") << cityBank << asha << "1500" << -1
                                              << notPrinted + "The queue refused the job.";
}

void TestFrmPrtChq::refusedPrintKeepsEverything()
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

void TestFrmPrtChq::printedChequeIsRecordedAsPrinted_data()
{
    QTest::addColumn<QString>("nickName");  // chosen from the list, if any
    QTest::addColumn<QString>("name");      // then typed into the name box, if any
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("daysAhead");
    QTest::addColumn<bool>("bearer");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QStringList>("row");  // name, amount as recorded

    const QStringList zed{"Zed Traders", "1500.00"};
    QTest::newRow("the payee's name, not the nick name")
        << "zed" << "" << "1500" << 0 << false
        << QStringList{"A/c Payee only", "Zed Traders", dollarWords, "**1500.00**"} << zed;
    QTest::newRow("a name typed without choosing a payee")
        << "" << "Walk-in Customer" << "99.5" << 0 << false
        << QStringList{"A/c Payee only", "Walk-in Customer",
                       "Ninety Nine Dollars and Fifty Cents only", "**99.5**"}
        << QStringList{"Walk-in Customer", "99.5"};
    QTest::newRow("a chosen payee's name changed by hand")
        << "zed" << "Zed Traders Ltd" << "1500" << 0 << true
        << QStringList{"Zed Traders Ltd", dollarWords, "**1500.00**"}
        << QStringList{"Zed Traders Ltd", "1500.00"};
    QTest::newRow("post-dated a month: its own date")
        << "zed" << "" << "1500" << 31 << true
        << QStringList{"Zed Traders", dollarWords, "**1500.00**"} << zed;
    QTest::newRow("blanks in the amount box become .00 and pass")
        << "zed" << "" << "   " << 0 << true
        << QStringList{"Zed Traders", "Dollars ", "**   .00**"}
        << QStringList{"Zed Traders", "   .00"};
}

void TestFrmPrtChq::printedChequeIsRecordedAsPrinted()
{
    QFETCH(QString, nickName);
    QFETCH(QString, name);
    QFETCH(QString, amount);
    QFETCH(int, daysAhead);
    QFETCH(bool, bearer);
    QFETCH(QStringList, printed);
    QFETCH(QStringList, row);

    QWidget *window = open();
    fill(window, cityBank, QString(), amount);
    if (!nickName.isEmpty())
        choose(window, QStringLiteral("cmbPayee"), nickName);
    if (!name.isEmpty())
        type(window, QStringLiteral("Text1"), name);
    const QDate date = QDate::currentDate().addDays(daysAhead);
    control<QDateEdit>(window, QStringLiteral("DTPicker1"))->setDate(date);
    if (bearer)
        QTest::mouseClick(control(window, QStringLiteral("Option1")), Qt::LeftButton);
    clickPrint(window);

    QCOMPARE(m_messages->only().text, QStringLiteral("Cheque Printing Completed"));
    QCOMPARE(m_messages->only().icon, Messages::Icon::Information);
    QVERIFY(!window->isVisible());
    printed.insert(bearer ? 0 : 1, chequeDateText(date));
    QCOMPARE(printedTexts(*m_printing), printed);
    QCOMPARE(m_printing->operations().last(), QStringLiteral("EndDoc"));

    const QList<store::RegisterRow> rows = registerRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].dateOfCheque, date);
    QCOMPARE(rows[0].payeeName, row[0]);
    QCOMPARE(rows[0].bankName, cityBank);
    QCOMPARE(rows[0].amount, row[1]);
    QCOMPARE(rows[0].chequeNo, QStringLiteral("000123"));
}

void TestFrmPrtChq::unrecordedChequeIsReportedInFull()
{
    m_database->exec(QStringLiteral("Create trigger refuse before insert on ChqIssuereg "
                                    "begin select raise(abort, 'the disk is full'); end"));
    QWidget *window = open();
    fill(window, cityBank, QStringLiteral("Asha Menon"), QStringLiteral("1500"),
         QStringLiteral("000777"));
    control<QDateEdit>(window, QStringLiteral("DTPicker1"))->setDate(QDate(2026, 12, 5));
    clickPrint(window);

    QCOMPARE(m_printing->operations().last(), QStringLiteral("EndDoc"));
    const Messages::Message message = m_messages->only();
    QCOMPARE(message.icon, Messages::Icon::Critical);
    for (const char *part : {"printed but is NOT recorded", "Cheque No: 000777", "Bank: City Bank",
                             "Payee: Asha Menon", "Date: 05/Dec/2026", "Amount: 1500.00",
                             "the disk is full"})
        QVERIFY2(message.text.contains(QLatin1String(part)), part);
    QVERIFY(registerRows().isEmpty());
    QVERIFY(!window->isVisible());
}

// The menu's road: each completed print ends its window, so two cheques
// with one number take two showings and give two rows; the next showing
// starts afresh, while the currency stays for the run.
void TestFrmPrtChq::eachShowingPrintsOneChequeAndStartsAfresh()
{
    Forms::registerForm(QStringLiteral("frmPrtChq"), [] { return new frmPrtChq; });
    const auto inTheWindow = [](const std::function<void(QWidget *)> &steps) {
        QTimer::singleShot(0, [steps] {
            QWidget *window = Forms::openInstance(QStringLiteral("frmPrtChq"));
            QVERIFY(QTest::qWaitForWindowActive(window));
            steps(window);
        });
        Forms::showModal(QStringLiteral("frmPrtChq"));
        QVERIFY(!Forms::openInstance(QStringLiteral("frmPrtChq")));
    };
    for (int cheque = 0; cheque < 2; ++cheque) {
        inTheWindow([](QWidget *window) {
            fill(window, cityBank, QStringLiteral("Asha Menon"), QStringLiteral("1500"),
                 QStringLiteral("100"));
            choose(window, QStringLiteral("cmbPayee"), QStringLiteral("zed"));
            QTest::mouseClick(control(window, QStringLiteral("Option1")), Qt::LeftButton);
            clickPrint(window);
        });
    }
    QCOMPARE(m_messages->texts(), QStringList(2, QStringLiteral("Cheque Printing Completed")));
    QCOMPARE(strCurrency, QStringLiteral("USD"));

    QStringList seen;
    inTheWindow([&seen](QWidget *window) {
        seen = inputs(window);
        QTest::mouseClick(control(window, QStringLiteral("Cancel")), Qt::LeftButton);
    });
    QCOMPARE(seen, (QStringList{"", "", "", "", "", "", QDate::currentDate().toString(),
                                "A/c Payee"}));
    const QList<store::RegisterRow> rows = registerRows();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].chequeNo, QStringLiteral("100"));
    QCOMPARE(rows[1].chequeNo, QStringLiteral("100"));
}

QTEST_MAIN(TestFrmPrtChq)
#include "test_frmPrtChq.moc"
