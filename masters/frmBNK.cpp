#include "frmBNK.h"

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

frmBNK::frmBNK(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBNK"));
    setWindowTitle(QStringLiteral("Bank Maintenance"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    Text1->setFocus();
}

void frmBNK::createControls()
{
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(QStringLiteral("MICR"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Label2 = new QLabel(QStringLiteral("Bank Name"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Text2 = new QLineEdit(Frame1);
    Text2->setObjectName(QStringLiteral("Text2"));
    Label3 = new QLabel(QStringLiteral("Currency"), Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Text3 = new QComboBox(Frame1);  // choose only, no typing
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->addItems({QStringLiteral("INR"), QStringLiteral("USD"), QStringLiteral("GBP"),
                     QStringLiteral("EUR"), QStringLiteral("YEN"), QStringLiteral("SGD"),
                     QStringLiteral("DINAR")});
    Text3->setCurrentIndex(-1);  // no currency chosen at opening

    cmdSave = new QPushButton(QStringLiteral("Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    connect(cmdSave, &QPushButton::clicked, this, &frmBNK::cmdSave_Click);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &frmBNK::cmdClose_Click);
}

void frmBNK::placeControls()
{
    setFixedSize(twipsSize(4380, 2595));
    Frame1->setGeometry(twips(240, 120, 4095, 1815));
    Label1->setGeometry(twips(240, 360, 1215, 255));
    Text1->setGeometry(twips(1680, 360, 1815, 285));
    Label2->setGeometry(twips(240, 855, 1095, 255));
    Text2->setGeometry(twips(1680, 840, 1815, 285));
    Label3->setGeometry(twips(240, 1320, 1095, 255));
    Text3->setGeometry(twips(1695, 1305, 915, 315));
    cmdSave->setGeometry(twips(2400, 2040, 975, 495));
    cmdClose->setGeometry(twips(3360, 2040, 975, 495));
}

void frmBNK::setTabOrder()
{
    // The currency list comes last, after the buttons.
    setTabChain({Text1, Text2, cmdSave, cmdClose, Text3});
}

void frmBNK::cmdSave_Click()
{
    // 1. A MICR code of nothing but spaces saves nothing, silently.
    const QString micr = Text1->text();
    if (micr.count(QLatin1Char(' ')) == micr.size())
        return;

    // 2. A currency must be chosen.
    if (Text3->currentText().isEmpty()) {
        Messages::show(QStringLiteral("Enter Currency"));
        return;
    }

    // A bank is known by its name: a bank without one could never be chosen.
    if (Text2->text().trimmed().isEmpty()) {
        Messages::show(QStringLiteral("Enter Bank Name"));
        return;
    }

    // The code and name must show in lists and on cheques as stored.
    if (!storedTextsSound({{micr, Label1->text()}, {Text2->text(), Label2->text()}}))
        return;

    // 3-5. Add the row on a connection of this save's own, every text as it
    // stands. A failure leaves the window as it was, for another try.
    const store::Connection connection(objectName());
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::addBank(connection.database(),
                               {micr, Text2->text(), Text3->currentText()});
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("save the bank"), error),
                       Messages::Icon::Critical);
        return;
    }

    // 6-7.
    Messages::show(QStringLiteral("Data saved"), Messages::Icon::Information);
    close();
}

void frmBNK::cmdClose_Click()
{
    close();
}
