#include "frmPrtChq.h"

#include "Module1.h"
#include "chequenumbers.h"
#include "chequepage.h"
#include "chequepreview.h"
#include "currencywording.h"
#include "controls.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "printer.h"
#include "chequecheck.h"
#include "chequejournal.h"
#include "registerwatch.h"
#include "samepayment.h"
#include "statements.h"
#include "twips.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QString withoutBankRowText(const QString &bank)
{
    return QStringLiteral("The bank \"%1\" has a cheque layout but is not among the banks, so "
                          "its currency is not known and the amount cannot be written in "
                          "words.\n\nAdd the bank with its currency (Add New Bank), or type "
                          "the words yourself.")
        .arg(bank);
}

QString withoutCurrencyText(const QString &bank)
{
    return QStringLiteral("The bank \"%1\" has no currency, so the amount cannot be written in "
                          "words.\n\nAdd the bank again with its currency (Add New Bank), or "
                          "type the words yourself.")
        .arg(bank);
}

} // namespace

frmPrtChq::frmPrtChq(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrtChq"));
    setWindowTitle(QStringLiteral("Print Cheque"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    Print->setFocus();
    followOtherDesks();
    Form_Load();
}

void frmPrtChq::followOtherDesks()
{
    // Another desk's cheque may take the number suggested here; a number
    // the user typed stays.
    auto *watch = new store::RegisterWatch(this);
    connect(watch, &store::RegisterWatch::changed, this,
            [this] { suggestChequeNumber(cmbBnk->currentText(), txtChqNo); });
}

frmPrtChq::~frmPrtChq()
{
    // The amount box loses the focus while the window is taken apart; that
    // is no leaving of the box by the user.
    Text2->removeEventFilter(this);
}

void frmPrtChq::createControls()
{
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    createInputs();

    Frame2 = new QGroupBox(Frame1);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Option1 = new QRadioButton(QStringLiteral("Bearer"), Frame2);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("A/c Payee"), Frame2);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setChecked(true);

    Print = new QPushButton(QStringLiteral("Print"), this);
    Print->setObjectName(QStringLiteral("Print"));
    connect(Print, &QPushButton::clicked, this, &frmPrtChq::Print_Click);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    connect(Cancel, &QPushButton::clicked, this, &frmPrtChq::Cancel_Click);
    Preview = new QPushButton(QStringLiteral("Preview"), this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setEnabled(bool(chequePreview()));
    connect(Preview, &QPushButton::clicked, this, &frmPrtChq::Preview_Click);
}

// The boxes of Frame1, each after its label.
void frmPrtChq::createInputs()
{
    const auto addList = [this](const QString &name) { return newTypingComboBox(name, Frame1); };
    const auto addBox = [this](const QString &name) {
        auto *box = new QLineEdit(Frame1);
        box->setObjectName(name);
        return box;
    };

    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Bank Name"));
    cmbBnk = addList(QStringLiteral("cmbBnk"));
    connect(cmbBnk, &QComboBox::activated, this, &frmPrtChq::cmbBnk_Click);
    connect(cmbBnk, &QComboBox::activated, this,
            [this] { suggestChequeNumber(cmbBnk->currentText(), txtChqNo); });
    Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Payee Nick Name"));
    cmbPayee = addList(QStringLiteral("cmbPayee"));
    connect(cmbPayee, &QComboBox::activated, this, &frmPrtChq::cmbPayee_Click);

    Label3 = addLabel(QStringLiteral("Label3"), QStringLiteral("Date"));
    DTPicker1 = new QDateEdit(Frame1);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setDisplayFormat(QStringLiteral("dd/MMM/yyyy"));
    DTPicker1->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    Label4 = addLabel(QStringLiteral("Label4"), QStringLiteral("Cheque No"));
    txtChqNo = addBox(QStringLiteral("txtChqNo"));

    Label5 = addLabel(QStringLiteral("Label5"), QStringLiteral("Name"));
    Text1 = addBox(QStringLiteral("Text1"));
    Label6 = addLabel(QStringLiteral("Label6"), QStringLiteral("Amount"));
    Text2 = addBox(QStringLiteral("Text2"));
    Text2->installEventFilter(this);
    Label7 = addLabel(QStringLiteral("Label7"), QStringLiteral("Amount in Words"));
    Text3 = addBox(QStringLiteral("Text3"));
}

QLabel *frmPrtChq::addLabel(const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, Frame1);
    label->setObjectName(name);
    return label;
}

void frmPrtChq::placeControls()
{
    setFixedSize(twipsSize(7800, 3405));
    Frame1->setGeometry(twips(240, 120, 7455, 2775));
    Label1->setGeometry(twips(600, 240, 1395, 255));
    cmbBnk->setGeometry(twips(2040, 240, 1815, 315));
    Label2->setGeometry(twips(600, 720, 1395, 255));
    cmbPayee->setGeometry(twips(2040, 720, 1815, 315));
    Label3->setGeometry(twips(4800, 300, 1035, 255));
    DTPicker1->setGeometry(twips(5895, 240, 1380, 285));
    Label4->setGeometry(twips(4800, 720, 1035, 255));
    txtChqNo->setGeometry(twips(5880, 720, 1335, 285));
    Label5->setGeometry(twips(570, 1365, 1455, 255));
    Text1->setGeometry(twips(2070, 1320, 3570, 285));
    Label6->setGeometry(twips(510, 1830, 1515, 255));
    Text2->setGeometry(twips(2070, 1785, 1425, 285));
    Label7->setGeometry(twips(480, 2280, 1575, 255));
    Text3->setGeometry(twips(2100, 2160, 4365, 285));
    Frame2->setGeometry(twips(5955, 1095, 1365, 915));
    Option1->setGeometry(twips(180, 195, 1005, 195));
    Option2->setGeometry(twips(180, 555, 1080, 255));
    Print->setGeometry(twips(4980, 3045, 1290, 285));
    Cancel->setGeometry(twips(6375, 3030, 1185, 285));
    Preview->setGeometry(twips(3585, 3045, 1290, 285));
}

// By tab index: the buttons first, then the boxes from the words up.
void frmPrtChq::setTabOrder()
{
    const QList<QWidget *> order{Print,     Cancel, Preview,  Text3,    Text2,   Text1,
                                 DTPicker1, cmbBnk, cmbPayee, txtChqNo, Option1, Option2};
    setTabChain(order);
    tabOnlyToChosenOption({Option1, Option2});
}

void frmPrtChq::Form_Load()
{
    // 1. This step's own connection, released when it ends.
    store::Connection connection(objectName());

    // 2-3. Banks that have a layout, then every payee nick name, as the
    // database gives them; the boxes themselves stay empty.
    QStringList banks;
    QStringList nickNames;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::listLayoutBankNames(connection.database(), &banks);
    if (!error.isValid())
        error = store::listPayeeNickNames(connection.database(), &nickNames);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("read the banks and payees"), error),
                       Messages::Icon::Critical);
    cmbBnk->addItems(banks);
    cmbBnk->setCurrentIndex(-1);
    cmbPayee->addItems(nickNames);
    cmbPayee->setCurrentIndex(-1);

    // 4.
    DTPicker1->setDate(QDate::currentDate());
}

void frmPrtChq::cmbBnk_Click()
{
    fetchCurrency();
}

// Sets strCurrency from the bank box's bank and returns whether it has one.
bool frmPrtChq::fetchCurrency()
{
    const QString bank = cmbBnk->currentText();

    // 1. The bank's row, on this step's own connection.
    store::Connection connection(objectName());
    std::optional<QString> currency;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::findBankCurrency(connection.database(), bank, &currency);
    if (error.isValid()) {
        currencyBank.clear();
        currencyProblem.clear();
        strCurrency.clear();
        Messages::show(store::failureText(QStringLiteral("read the bank's currency"), error),
                       Messages::Icon::Critical);
        return false;
    }

    // 2. Its currency. Without one, strCurrency is emptied rather than left
    // with another bank's, and the user is told why there are no words.
    currencyBank = bank;
    strCurrency = currency.value_or(QString());
    currencyProblem = !currency ? withoutBankRowText(bank)
                      : strCurrency.isEmpty() ? withoutCurrencyText(bank)
                                              : QString();
    if (!currencyProblem.isEmpty())
        Messages::show(currencyProblem, Messages::Icon::Critical);
    return currencyProblem.isEmpty();
}

void frmPrtChq::cmbPayee_Click()
{
    const QString nickName = cmbPayee->currentText();

    // 1. The payee's row, on this step's own connection.
    store::Connection connection(objectName());
    std::optional<QString> payeeName;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::findPayeeName(connection.database(), nickName, &payeeName);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("read the payee's name"), error),
                       Messages::Icon::Critical);
        return;
    }

    // 2. The name to print. A payee without one leaves the box empty, never
    // holding another payee's name, and the user is told why.
    Text1->setText(payeeName.value_or(QString()));
    if (Text1->text().isEmpty())
        Messages::show(QStringLiteral("The payee \"%1\" has no name to print on the cheque."
                                      "\n\nType the name, or set it with Add Payee.")
                           .arg(nickName),
                       Messages::Icon::Critical);
}

void frmPrtChq::Text2_LostFocus()
{
    // 1-4. The box tidied ("1 500" becomes "1500.00") and the amount worded
    // in the bank's currency.
    wordingAfterClick = false;
    if (currencyProblem.isEmpty()) {
        const CurrencyWording wording = udf_wordCurrency(Text2->text(), strCurrency);
        Text2->setText(wording.amountText);
        Text3->setText(wording.words);
        worded = {Text2->text(), strCurrency};
        return;
    }

    // The chosen bank has no currency: the box is tidied all the same, and
    // the user is told why the words stay empty.
    Text2->setText(tidyAmountText(Text2->text()));
    worded = {Text2->text(), strCurrency};
    strAmtInWords.clear();
    Text3->clear();
    Messages::show(currencyProblem, Messages::Icon::Critical);
}

void frmPrtChq::Print_Click()
{
    printCheque({});
}

// Print's road, on the named printer (the default one for an empty name).
void frmPrtChq::printCheque(const QString &printerName)
{
    // 1-4. The amount worded, then the checks; a cheque without a number
    // only when the user says so.
    if (!readyToPrint(Print) || !numberGivenOrAccepted())
        return;
    if (!samePaymentConfirmed({DTPicker1->date(), Text1->text(), cmbBnk->currentText(),
                               Text2->text(), txtChqNo->text()},
                              reprintOf))
        return;

    // 5-7. Noted, printed and recorded (chequejournal.h). A cheque printed
    // but not recorded is on paper all the same: the window closes rather
    // than offer to print it twice.
    const ChequeToPrint cheque{shownCheque(), txtChqNo->text(), replaces};
    const PrintOutcome outcome = printAndRecord(cheque, printerName);
    if (outcome == PrintOutcome::NotPrinted)
        return;
    if (outcome == PrintOutcome::Recorded) {
        emit chequeRecorded(cheque.chequeNo);
        Messages::show(QStringLiteral("Cheque Printing Completed"), Messages::Icon::Information);
    }

    // 8.
    close();
}

ChequeItems frmPrtChq::shownCheque() const
{
    return {cmbBnk->currentText(), Text1->text(),     Text2->text(),
            Text3->text(),         DTPicker1->date(), Option2->isChecked()};
}

bool frmPrtChq::numberGivenOrAccepted()
{
    if (!numberKey(txtChqNo->text()).isEmpty())
        return true;
    return Messages::ask(QStringLiteral("This cheque has no number. Print it anyway?"));
}

void frmPrtChq::fillFromRegisterRow(const store::RegisterRow &cheque, qint64 registerRow)
{
    if (const int listed = cmbBnk->findText(cheque.bankName, Qt::MatchFixedString); listed >= 0) {
        cmbBnk->setCurrentIndex(listed);
        emit cmbBnk->activated(listed);  // as when the user chooses it
    } else {
        cmbBnk->setEditText(cheque.bankName);
    }
    Text1->setText(cheque.payeeName);
    DTPicker1->setDate(cheque.dateOfCheque);
    Text2->setText(cheque.amount);
    Text2_LostFocus();
    suggestChequeNumber(cheque.bankName, txtChqNo);
    replaces = registerRow;
    reprintOf = cheque;
}

void frmPrtChq::Preview_Click()
{
    // 1. As for Print: the amount worded, then the same checks, so the
    // preview shows the cheque Print would print.
    if (!readyToPrint(Preview))
        return;

    // 2. Printing from the preview takes Print's road, on the printer chosen there.
    if (const std::optional<QString> printer = chequePreview()(this, shownCheque()))
        printCheque(*printer);
}

// Leaving the amount box for the pressed button words the amount before the
// checks read it, also when the button is pressed from the keyboard. The
// checks run in order, and each keeps every input as it is. The words must
// be those of the amount in this bank's currency: a bank chosen after the
// amount box was left would otherwise print with the previous bank's words.
bool frmPrtChq::readyToPrint(QPushButton *pressed)
{
    if (focusWidget() == Text2)
        pressed->setFocus(Qt::OtherFocusReason);
    wordClickedAwayAmount();
    if (!inputsComplete() || !bankReadyToPrint())
        return false;
    // An unlisted bank has no layout, which the page composition reports first.
    const bool listed = cmbBnk->findText(cmbBnk->currentText(), Qt::MatchFixedString) >= 0;
    if (listed && worded != Worded{Text2->text(), strCurrency})
        Text2_LostFocus();
    const QString refusal = listed ? chequeRefusal(shownCheque(), txtChqNo->text()) : QString();
    if (!refusal.isEmpty())
        Messages::show(refusal, Messages::Icon::Critical);
    return refusal.isEmpty();
}

bool frmPrtChq::inputsComplete()
{
    QString missing;
    if (cmbBnk->currentText().isEmpty())
        missing = QStringLiteral("Please select bank");
    else if (Text1->text().isEmpty())
        missing = QStringLiteral("Please select Payee name");
    else if (Text2->text().trimmed().isEmpty())
        missing = QStringLiteral("Please enter amount");
    if (!missing.isEmpty())
        Messages::show(missing, Messages::Icon::Critical);
    return missing.isEmpty();
}

// A bank name may be typed rather than chosen. A listed one counts as
// chosen: its currency is fetched and the amount worded again, so the
// cheque never carries the words of a bank chosen earlier. Names compare
// without regard to case, as the store compares them. An unlisted name has
// no layout, which the page composition reports.
bool frmPrtChq::bankReadyToPrint()
{
    const QString bank = cmbBnk->currentText();
    const bool listed = cmbBnk->findText(bank, Qt::MatchFixedString) >= 0;
    const bool currencyFetched =
        !currencyBank.isNull() && bank.compare(currencyBank, Qt::CaseInsensitive) == 0;
    if (!listed || currencyFetched)
        return true;
    if (!fetchCurrency()) {
        Text3->clear();  // they were the words of the bank chosen earlier
        return false;
    }
    return true;
}

void frmPrtChq::Cancel_Click()
{
    wordClickedAwayAmount();
    close();
}

void frmPrtChq::wordClickedAwayAmount()
{
    if (wordingAfterClick)
        Text2_LostFocus();
}

bool frmPrtChq::eventFilter(QObject *watched, QEvent *event)
{
    // Every time the focus leaves the amount box for another control, edited
    // or not. Switching to another window or opening the box's own menu
    // leaves the focus where it is.
    if (watched == Text2 && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::MouseFocusReason && QGuiApplication::mouseButtons() != Qt::NoButton) {
            // A message box shown now would take the release of the press,
            // and the button pressed would never be clicked.
            wordingAfterClick = true;
            qApp->installEventFilter(this);
        } else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            Text2_LostFocus();
        }
    }
    if (wordingAfterClick && event->type() == QEvent::MouseButtonRelease) {
        // After the release has been delivered: a button clicked by it has
        // worded the amount already.
        qApp->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &frmPrtChq::wordClickedAwayAmount, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}
