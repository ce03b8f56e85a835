#pragma once

#include "chequecomposition.h"
#include "statements.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Writes one cheque: the user picks the bank and the payee, sets the date,
// the cheque number and the amount, and presses Print. The page goes to the
// printer openPrinter() gives, the cheque to the issue register, and the
// window closes.
class frmPrtChq : public QDialog
{
    Q_OBJECT
public:
    explicit frmPrtChq(QWidget *parent = nullptr);
    ~frmPrtChq() override;

    // Fills the window from a register row for a reprint: bank, payee's
    // name, amount and date, the bank's next number; the row is voided as
    // "reprinted as" the new number in the transaction that records it.
    void fillFromRegisterRow(const store::RegisterRow &cheque, qint64 registerRow);

public slots:
    void Form_Load();
    void cmbBnk_Click();
    void cmbPayee_Click();
    void Text2_LostFocus();
    void Print_Click();
    void Cancel_Click();
    void Preview_Click();

signals:
    // The cheque has printed and its register row is written.
    void chequeRecorded(const QString &chequeNo);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void followOtherDesks();
    void createInputs();
    void placeControls();
    void setTabOrder();
    QLabel *addLabel(const QString &name, const QString &caption);

    void printCheque(const QString &printerName);
    bool readyToPrint(QPushButton *pressed);
    bool numberGivenOrAccepted();
    ChequeItems shownCheque() const;
    bool fetchCurrency();
    bool bankReadyToPrint();
    bool inputsComplete();
    void wordClickedAwayAmount();

    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cmbBnk = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cmbPayee = nullptr;
    QLabel *Label3 = nullptr;
    QDateEdit *DTPicker1 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *txtChqNo = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *Text3 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QPushButton *Print = nullptr;
    QPushButton *Cancel = nullptr;
    QPushButton *Preview = nullptr;

    // The bank whose currency strCurrency holds, as this window fetched it;
    // null until a bank has been chosen here.
    QString currencyBank;
    // Why that bank has no words, or empty when it has a currency.
    QString currencyProblem;
    // What the words box was last worded for; Print words again when the
    // amount box or the currency has changed since, by whatever road.
    struct Worded {
        QString amountText;
        QString currency;
        bool operator==(const Worded &) const = default;
    };
    Worded worded;
    // The focus left the amount box for a mouse press: its wording waits
    // for the click to end, so that its message cannot swallow the click.
    bool wordingAfterClick = false;
    // The register row a reprint replaces, or 0, and that cheque, whose
    // payment is not asked about again.
    qint64 replaces = 0;
    store::RegisterRow reprintOf;
};
