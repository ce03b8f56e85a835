#include "frmVoid.h"

#include "controls.h"
#include "messages.h"
#include "twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

frmVoid::frmVoid(const QString &chequeNo, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVoid"));
    setWindowTitle(QStringLiteral("Void Cheque"));
    createControls(chequeNo);
    placeControls();
    setTabOrder();
    optSpoiled->setFocus();
}

void frmVoid::createControls(const QString &chequeNo)
{
    lblQuestion = new QLabel(QStringLiteral("Why is cheque %1 void?").arg(chequeNo), this);
    lblQuestion->setObjectName(QStringLiteral("lblQuestion"));
    optSpoiled = addChoice(QStringLiteral("optSpoiled"), QStringLiteral("Spoiled in printing"));
    optSpoiled->setChecked(true);
    optCancelled = addChoice(QStringLiteral("optCancelled"), QStringLiteral("Cancelled"));
    optLost = addChoice(QStringLiteral("optLost"), QStringLiteral("Lost"));
    optOther = addChoice(QStringLiteral("optOther"), QStringLiteral("Other:"));

    // Typing another reason chooses "Other".
    txtOther = new QLineEdit(this);
    txtOther->setObjectName(QStringLiteral("txtOther"));
    connect(txtOther, &QLineEdit::textEdited, optOther, [this] { optOther->setChecked(true); });

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmVoid::cmdOK_Click);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QRadioButton *frmVoid::addChoice(const QString &name, const QString &caption)
{
    auto *choice = new QRadioButton(caption, this);
    choice->setObjectName(name);
    return choice;
}

void frmVoid::placeControls()
{
    setFixedSize(twipsSize(4320, 2340));
    lblQuestion->setGeometry(twips(120, 120, 4080, 255));
    optSpoiled->setGeometry(twips(240, 450, 3000, 255));
    optCancelled->setGeometry(twips(240, 750, 3000, 255));
    optLost->setGeometry(twips(240, 1050, 3000, 255));
    optOther->setGeometry(twips(240, 1350, 900, 255));
    txtOther->setGeometry(twips(1200, 1335, 3000, 285));
    cmdOK->setGeometry(twips(1800, 1875, 1140, 315));
    cmdCancel->setGeometry(twips(3060, 1875, 1140, 315));
}

// Qt's radio buttons of one parent form one tab stop.
void frmVoid::setTabOrder()
{
    setTabChain({optSpoiled, optCancelled, optLost, optOther, txtOther, cmdOK, cmdCancel});
}

QString frmVoid::reason() const
{
    for (const QRadioButton *choice : {optSpoiled, optCancelled, optLost})
        if (choice->isChecked())
            return choice->text();
    return txtOther->text().trimmed();
}

void frmVoid::cmdOK_Click()
{
    // A reason that says nothing would leave the history without its why.
    if (reason().isEmpty()) {
        Messages::show(QStringLiteral("Type why the cheque is void, or choose a reason."),
                       Messages::Icon::Critical);
        txtOther->setFocus();
        return;
    }
    accept();
}
