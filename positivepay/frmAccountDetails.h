#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlError;

// A bank's account as its Positive Pay file names it: the account number,
// the branch's MICR code, the transaction code, the short account number,
// and the layout the bank takes.
class frmAccountDetails : public QDialog
{
    Q_OBJECT
public:
    explicit frmAccountDetails(QWidget *parent = nullptr);

public slots:
    void cmbBank_Activated(int index);
    void cmdLayouts_Click();
    void cmdSave_Click();

private:
    void createControls();
    void placeControls();
    void setTabOrder();
    void listBanks();
    void listLayouts(const QString &chosen);
    QLineEdit *addText(const QString &name, QLabel **label, const QString &caption);
    void showFailure(const QString &whatFailed, const QSqlError &error);

    QLabel *lblBank = nullptr;
    QComboBox *cmbBank = nullptr;
    QLabel *lblAccount = nullptr;
    QLineEdit *txtAccount = nullptr;
    QLabel *lblMicr = nullptr;
    QLineEdit *txtMicr = nullptr;
    QLabel *lblTranCode = nullptr;
    QLineEdit *txtTranCode = nullptr;
    QLabel *lblShortAccount = nullptr;
    QLineEdit *txtShortAccount = nullptr;
    QLabel *lblLayout = nullptr;
    QComboBox *cmbLayout = nullptr;
    QPushButton *cmdLayouts = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdClose = nullptr;
};
