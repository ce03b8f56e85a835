#include "frmPassword.h"

#include "controls.h"
#include "twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmPassword::frmPassword(const QString &reason, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral("Server Password"));
    createControls(reason);
    placeControls();
    setTabOrder();
    txtPassword->setFocus();
}

std::optional<QString> frmPassword::ask(const QString &reason, QWidget *parent)
{
    frmPassword window(reason, parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.txtPassword->text();
}

void frmPassword::createControls(const QString &reason)
{
    lblReason = new QLabel(reason, this);
    lblReason->setObjectName(QStringLiteral("lblReason"));
    lblReason->setWordWrap(true);
    lblPassword = new QLabel(QStringLiteral("Password:"), this);
    lblPassword->setObjectName(QStringLiteral("lblPassword"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    lblPassword->setBuddy(txtPassword);
    // Enter after typing the password is OK: there is nothing else to lose.
    cmdOK = newButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPassword::placeControls()
{
    setFixedSize(twipsSize(5400, 2010));
    lblReason->setGeometry(twips(120, 120, 5160, 780));
    lblPassword->setGeometry(twips(120, 1020, 1000, 285));
    txtPassword->setGeometry(twips(1200, 990, 4080, 315));
    cmdOK->setGeometry(twips(2880, 1500, 1140, 375));
    cmdCancel->setGeometry(twips(4140, 1500, 1140, 375));
}

void frmPassword::setTabOrder()
{
    setTabChain({txtPassword, cmdOK, cmdCancel});
}
