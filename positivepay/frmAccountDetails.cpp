#include "frmAccountDetails.h"

#include "controls.h"
#include "database.h"
#include "failure.h"
#include "frmPayLayout.h"
#include "layoutstore.h"
#include "messages.h"
#include "positivepaystatements.h"
#include "statements.h"
#include "twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmAccountDetails::frmAccountDetails(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAccountDetails"));
    setWindowTitle(QStringLiteral("Account Details"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    listLayouts(QString());
    listBanks();
    cmbBank->setFocus();
}

QLineEdit *frmAccountDetails::addText(const QString &name, QLabel **label, const QString &caption)
{
    *label = new QLabel(caption, this);
    (*label)->setObjectName(QStringLiteral("lbl") + name.mid(3));
    auto *text = new QLineEdit(this);
    text->setObjectName(name);
    return text;
}

void frmAccountDetails::createControls()
{
    lblBank = new QLabel(QStringLiteral("Bank"), this);
    lblBank->setObjectName(QStringLiteral("lblBank"));
    cmbBank = new QComboBox(this);  // choose only: details belong to a saved bank
    cmbBank->setObjectName(QStringLiteral("cmbBank"));
    connect(cmbBank, &QComboBox::activated, this, &frmAccountDetails::cmbBank_Activated);
    txtAccount = addText(QStringLiteral("txtAccount"), &lblAccount,
                         QStringLiteral("Account number"));
    txtMicr = addText(QStringLiteral("txtMicr"), &lblMicr, QStringLiteral("Branch MICR"));
    txtTranCode = addText(QStringLiteral("txtTranCode"), &lblTranCode,
                          QStringLiteral("Transaction code"));
    txtShortAccount = addText(QStringLiteral("txtShortAccount"), &lblShortAccount,
                              QStringLiteral("Short account number"));
    lblLayout = new QLabel(QStringLiteral("Positive Pay layout"), this);
    lblLayout->setObjectName(QStringLiteral("lblLayout"));
    cmbLayout = new QComboBox(this);
    cmbLayout->setObjectName(QStringLiteral("cmbLayout"));
    cmdLayouts = newButton(QStringLiteral("cmdLayouts"), QStringLiteral("Layouts..."), this);
    connect(cmdLayouts, &QPushButton::clicked, this, &frmAccountDetails::cmdLayouts_Click);
    cmdSave = newButton(QStringLiteral("cmdSave"), QStringLiteral("Save"), this);
    connect(cmdSave, &QPushButton::clicked, this, &frmAccountDetails::cmdSave_Click);
    cmdClose = newButton(QStringLiteral("cmdClose"), QStringLiteral("Close"), this);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAccountDetails::placeControls()
{
    setFixedSize(twipsSize(6600, 3300));
    const QList<QPair<QLabel *, QWidget *>> rows{
        {lblBank, cmbBank},         {lblAccount, txtAccount},
        {lblMicr, txtMicr},         {lblTranCode, txtTranCode},
        {lblShortAccount, txtShortAccount}, {lblLayout, cmbLayout}};
    for (int row = 0; row < rows.size(); ++row) {
        rows[row].first->setGeometry(twips(120, 150 + row * 420, 2040, 255));
        rows[row].second->setGeometry(twips(2220, 120 + row * 420, 3000, 315));
    }
    cmdLayouts->setGeometry(twips(5340, 2220, 1140, 315));
    cmdSave->setGeometry(twips(4140, 2760, 1140, 375));
    cmdClose->setGeometry(twips(5340, 2760, 1140, 375));
}

void frmAccountDetails::setTabOrder()
{
    setTabChain({cmbBank, txtAccount, txtMicr, txtTranCode, txtShortAccount, cmbLayout,
                 cmdLayouts, cmdSave, cmdClose});
}

void frmAccountDetails::listBanks()
{
    const store::Connection connection(objectName());
    QStringList names;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::listBankNames(connection.database(), &names);
    if (error.isValid())
        showFailure(QStringLiteral("list the banks"), error);
    names.removeDuplicates();
    cmbBank->addItems(names);
    cmbBank_Activated(cmbBank->currentIndex());
}

void frmAccountDetails::listLayouts(const QString &chosen)
{
    const store::Connection connection(objectName());
    QList<positivepay::Layout> layouts;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = positivepay::allLayouts(connection.database(), &layouts);
    if (error.isValid())
        showFailure(QStringLiteral("list the layouts"), error);
    cmbLayout->clear();
    for (const positivepay::Layout &layout : layouts)
        cmbLayout->addItem(layout.name);
    cmbLayout->setCurrentIndex(qMax(0, cmbLayout->findText(chosen)));
}

void frmAccountDetails::cmbBank_Activated(int index)
{
    // 1. The bank's details as saved; a bank without them starts from its
    //    own MICR code and the first layout.
    if (index < 0)
        return;
    const store::Connection connection(objectName());
    std::optional<store::PayAccountRow> saved;
    QString micr;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::findPayAccount(connection.database(), cmbBank->currentText(), &saved);
    if (!error.isValid() && !saved)
        error = store::findBankMicr(connection.database(), cmbBank->currentText(), &micr);
    if (error.isValid()) {
        showFailure(QStringLiteral("read the account details"), error);
        return;
    }
    // 2. Shown.
    const store::PayAccountRow row = saved.value_or(store::PayAccountRow{{}, {}, micr, {}, {}, {}});
    txtAccount->setText(row.accountNumber);
    txtMicr->setText(row.branchMicr);
    txtTranCode->setText(row.transactionCode);
    txtShortAccount->setText(row.shortAccountNumber);
    cmbLayout->setCurrentIndex(qMax(0, cmbLayout->findText(row.layoutName)));
}

void frmAccountDetails::cmdLayouts_Click()
{
    frmPayLayout editor(this);
    editor.exec();
    // The layouts may have changed; the one the editor was left on is chosen.
    listLayouts(editor.chosenName());
}

void frmAccountDetails::cmdSave_Click()
{
    // 1. A bank and its account number.
    if (cmbBank->currentIndex() < 0) {
        Messages::show(QStringLiteral("Add the bank first, in Add New Bank."),
                       Messages::Icon::Information);
        return;
    }
    if (txtAccount->text().trimmed().isEmpty()) {
        Messages::show(QStringLiteral("Enter the account number"), Messages::Icon::Information);
        txtAccount->setFocus();
        return;
    }
    // 2. Kept in place of what the bank had.
    const store::Connection connection(objectName());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::savePayAccount(
            connection.database(),
            {cmbBank->currentText(), txtAccount->text().trimmed(), txtMicr->text().trimmed(),
             txtTranCode->text().trimmed(), txtShortAccount->text().trimmed(),
             cmbLayout->currentText()});
    if (error.isValid()) {
        showFailure(QStringLiteral("save the account details"), error);
        return;
    }
    Messages::show(QStringLiteral("Data saved"), Messages::Icon::Information);
}

void frmAccountDetails::showFailure(const QString &whatFailed, const QSqlError &error)
{
    Messages::show(store::failureText(whatFailed, error), Messages::Icon::Critical);
}
