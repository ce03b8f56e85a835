#include "frmPayee.h"

#include "controls.h"
#include "database.h"
#include "failure.h"
#include "messages.h"
#include "statements.h"
#include "storedtext.h"
#include "twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmPayee::frmPayee(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPayee"));
    setWindowTitle(QStringLiteral("Payee Maintenance"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    Command1->setFocus();
    Form_Load();
}

frmPayee::~frmPayee() = default;

void frmPayee::createControls()
{
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(QStringLiteral("Payee Nick Name"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbPayee = newTypingComboBox(QStringLiteral("cmbPayee"), Frame1);
    ignoreEnterIn(cmbPayee);  // typing a nick name is not choosing it
    connect(cmbPayee, &QComboBox::activated, this, &frmPayee::cmbPayee_Click);
    Label2 = new QLabel(QStringLiteral("Name On Cheque"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));

    Command1 = new QPushButton(QStringLiteral("Save"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &frmPayee::Command1_Click);
    Command2 = new QPushButton(QStringLiteral("Close"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    connect(Command2, &QPushButton::clicked, this, &frmPayee::Command2_Click);
}

void frmPayee::placeControls()
{
    setFixedSize(twipsSize(4680, 2445));
    Frame1->setGeometry(twips(120, 120, 4455, 1575));
    Label1->setGeometry(twips(240, 360, 1455, 255));
    cmbPayee->setGeometry(twips(2040, 360, 2055, 315));
    Label2->setGeometry(twips(240, 840, 1455, 255));
    Text1->setGeometry(twips(2040, 840, 2175, 285));
    Command1->setGeometry(twips(2520, 1800, 975, 495));
    Command2->setGeometry(twips(3480, 1800, 975, 495));
}

void frmPayee::setTabOrder()
{
    setTabChain({Command1, Command2, cmbPayee, Text1});
}

void frmPayee::Form_Load()
{
    // 1. The window's connection, held until it closes.
    connection = std::make_unique<store::Connection>(objectName());

    // 2-3. Every nick name, in the database's order; the box itself stays empty.
    QStringList nickNames;
    QSqlError error = connection->error();
    if (!error.isValid())
        error = store::listPayeeNickNames(connection->database(), &nickNames);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("read the payees"), error),
                       Messages::Icon::Critical);
    cmbPayee->addItems(nickNames);
    cmbPayee->setCurrentIndex(-1);
}

void frmPayee::cmbPayee_Click()
{
    // 1. The chosen nick name's row.
    std::optional<QString> payeeName;
    if (const QSqlError error =
            store::findPayeeName(connection->database(), cmbPayee->currentText(), &payeeName);
        error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("read the payee"), error),
                       Messages::Icon::Critical);
        return;
    }

    // 2. Its name on the cheque. A payee gone meanwhile, or one without a
    // name, shows an empty box rather than the previous payee's name.
    Text1->setText(payeeName.value_or(QString()));
}

void frmPayee::Command1_Click()
{
    // A payee without a nick name or a name would be a blank entry of the
    // print window's list, or a cheque to nobody.
    if (cmbPayee->currentText().trimmed().isEmpty() || Text1->text().trimmed().isEmpty()) {
        Messages::show(cmbPayee->currentText().trimmed().isEmpty()
                           ? QStringLiteral("Enter Payee Nick Name")
                           : QStringLiteral("Enter Name On Cheque"));
        return;
    }

    // The nick name and the name must show in lists and on cheques as stored.
    if (!storedTextsSound({{cmbPayee->currentText(), Label1->text()},
                           {Text1->text(), Label2->text()}}))
        return;

    // 1-4. Replace every row of the nick name by one, both texts as typed.
    // Delete and add are one step: a failure keeps the payee as it was.
    if (const QSqlError error = store::replacePayee(connection->database(),
                                                    cmbPayee->currentText(), Text1->text());
        error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("save the payee"), error),
                       Messages::Icon::Critical);
        return;
    }

    // 5-6.
    Messages::show(QStringLiteral("Data Saved"), Messages::Icon::Information);
    close();
}

void frmPayee::Command2_Click()
{
    close();
}

