#include "frmServer.h"

#include "connecting.h"
#include "controls.h"
#include "messages.h"
#include "serverchoice.h"
#include "twips.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using Tls = store::ServerAddress::Tls;

frmServer::frmServer(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmServer"));
    setWindowTitle(QStringLiteral("Shared Register"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    showAddress(chosenOrFresh());
    txtHost->setFocus();
}

// A first choice starts with libpq's defaults: the standard port, and the
// login name as the server's user.
store::ServerAddress frmServer::chosenOrFresh()
{
    store::ServerAddress fresh;
    fresh.user = qEnvironmentVariable("USER");
    return server::chosenServer().value_or(fresh);
}

QLabel *frmServer::addLabel(const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(name);
    return label;
}

QLineEdit *frmServer::addBox(const QString &name, QLabel *label)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    label->setBuddy(box);
    return box;
}

void frmServer::createControls()
{
    lblHost = addLabel(QStringLiteral("lblHost"), QStringLiteral("&Server:"));
    txtHost = addBox(QStringLiteral("txtHost"), lblHost);
    txtHost->setPlaceholderText(QStringLiteral("a name, an address or the server's socket folder"));
    lblPort = addLabel(QStringLiteral("lblPort"), QStringLiteral("&Port:"));
    txtPort = new QSpinBox(this);
    txtPort->setObjectName(QStringLiteral("txtPort"));
    txtPort->setRange(1, 65535);
    lblPort->setBuddy(txtPort);
    lblDatabase = addLabel(QStringLiteral("lblDatabase"), QStringLiteral("&Database:"));
    txtDatabase = addBox(QStringLiteral("txtDatabase"), lblDatabase);
    lblUser = addLabel(QStringLiteral("lblUser"), QStringLiteral("&User:"));
    txtUser = addBox(QStringLiteral("txtUser"), lblUser);
    createTlsControls();
    lblPasswordNote = addLabel(QStringLiteral("lblPasswordNote"),
                               QStringLiteral("The password is never kept: Quillmark takes it "
                                              "from your password file (~/.pgpass) or asks "
                                              "for it when it starts."));
    lblPasswordNote->setWordWrap(true);
    lblInUse = addLabel(QStringLiteral("lblInUse"),
                        QStringLiteral("In use now: %1.").arg(store::registerInUse()));
    lblInUse->setWordWrap(true);
    cmdUseFile = newButton(QStringLiteral("cmdUseFile"), QStringLiteral("Use Local Data File"), this);
    cmdUseFile->setEnabled(server::chosenServer().has_value());
    connect(cmdUseFile, &QPushButton::clicked, this, &frmServer::cmdUseFile_Click);
    cmdConnect = newButton(QStringLiteral("cmdConnect"), QStringLiteral("Connect"), this);
    connect(cmdConnect, &QPushButton::clicked, this, &frmServer::cmdConnect_Click);
    cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmServer::createTlsControls()
{
    fraTls = new QGroupBox(QStringLiteral("Secure connection (TLS)"), this);
    fraTls->setObjectName(QStringLiteral("fraTls"));
    optTlsNone = new QRadioButton(QStringLiteral("&None: only on a network you trust"), fraTls);
    optTlsNone->setObjectName(QStringLiteral("optTlsNone"));
    optTlsRequire = new QRadioButton(
        QStringLiteral("&Required: encrypted, the server's certificate not checked"), fraTls);
    optTlsRequire->setObjectName(QStringLiteral("optTlsRequire"));
    optTlsVerify = new QRadioButton(
        QStringLiteral("&Verified: the certificate checked against this root certificate:"),
        fraTls);
    optTlsVerify->setObjectName(QStringLiteral("optTlsVerify"));
    connect(optTlsVerify, &QRadioButton::toggled, this, &frmServer::allowCertificate);
    txtRootCertificate = new QLineEdit(fraTls);
    txtRootCertificate->setObjectName(QStringLiteral("txtRootCertificate"));
    cmdBrowse = newButton(QStringLiteral("cmdBrowse"), QStringLiteral("Browse..."), fraTls);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmServer::cmdBrowse_Click);
}

void frmServer::placeControls()
{
    setFixedSize(twipsSize(6600, 5190));
    lblHost->setGeometry(twips(120, 150, 1300, 255));
    txtHost->setGeometry(twips(1500, 120, 4980, 315));
    lblPort->setGeometry(twips(120, 540, 1300, 255));
    txtPort->setGeometry(twips(1500, 510, 1200, 315));
    lblDatabase->setGeometry(twips(120, 930, 1300, 255));
    txtDatabase->setGeometry(twips(1500, 900, 4980, 315));
    lblUser->setGeometry(twips(120, 1320, 1300, 255));
    txtUser->setGeometry(twips(1500, 1290, 4980, 315));
    fraTls->setGeometry(twips(120, 1740, 6360, 1680));
    optTlsNone->setGeometry(twips(120, 300, 6120, 285));
    optTlsRequire->setGeometry(twips(120, 600, 6120, 285));
    optTlsVerify->setGeometry(twips(120, 900, 6120, 285));
    txtRootCertificate->setGeometry(twips(360, 1230, 4560, 315));
    cmdBrowse->setGeometry(twips(5040, 1215, 1140, 345));
    lblPasswordNote->setGeometry(twips(120, 3540, 6360, 480));
    lblInUse->setGeometry(twips(120, 4080, 6360, 480));
    cmdUseFile->setGeometry(twips(120, 4680, 2160, 375));
    cmdConnect->setGeometry(twips(4005, 4680, 1140, 375));
    cmdCancel->setGeometry(twips(5340, 4680, 1140, 375));
}

void frmServer::setTabOrder()
{
    setTabChain({txtHost, txtPort, txtDatabase, txtUser, optTlsNone, optTlsRequire, optTlsVerify,
                 txtRootCertificate, cmdBrowse, cmdConnect, cmdUseFile, cmdCancel});
    tabOnlyToChosenOption({optTlsNone, optTlsRequire, optTlsVerify});
}

void frmServer::showAddress(const store::ServerAddress &address)
{
    txtHost->setText(address.host);
    txtPort->setValue(address.port);
    txtDatabase->setText(address.database);
    txtUser->setText(address.user);
    optTlsNone->setChecked(address.tls == Tls::None);
    optTlsRequire->setChecked(address.tls == Tls::Require);
    optTlsVerify->setChecked(address.tls == Tls::VerifyFull);
    txtRootCertificate->setText(QDir::toNativeSeparators(address.rootCertificate));
    allowCertificate();
}

store::ServerAddress frmServer::addressTyped() const
{
    store::ServerAddress address;
    address.host = txtHost->text().trimmed();
    address.port = txtPort->value();
    address.database = txtDatabase->text().trimmed();
    address.user = txtUser->text().trimmed();
    address.tls = optTlsVerify->isChecked() ? Tls::VerifyFull
                : optTlsRequire->isChecked() ? Tls::Require
                                             : Tls::None;
    address.rootCertificate = QDir::fromNativeSeparators(txtRootCertificate->text().trimmed());
    return address;
}

// What the user still has to fill in, or an empty text.
QString frmServer::missingInAddress(const store::ServerAddress &address) const
{
    if (address.database.isEmpty())
        return QStringLiteral("Type the name of the database the register is kept in.");
    if (address.user.isEmpty())
        return QStringLiteral("Type the user you sign in to the server as.");
    if (address.tls == Tls::VerifyFull && !QFileInfo(address.rootCertificate).isFile())
        return QStringLiteral("Choose the root certificate file the server's certificate is "
                              "checked against.");
    return {};
}

void frmServer::allowCertificate()
{
    txtRootCertificate->setEnabled(optTlsVerify->isChecked());
    cmdBrowse->setEnabled(optTlsVerify->isChecked());
}

void frmServer::cmdBrowse_Click()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Root Certificate"), txtRootCertificate->text(),
        QStringLiteral("Certificates (*.crt *.pem *.cer);;All files (*)"));
    if (!path.isEmpty())
        txtRootCertificate->setText(QDir::toNativeSeparators(path));
}

// The program turns to the server at its next start, where the steps of a
// start (notes of cheques left unconfirmed, say) run for the new register.
void frmServer::cmdConnect_Click()
{
    // 1. A complete address.
    store::ServerAddress address = addressTyped();
    if (const QString missing = missingInAddress(address); !missing.isEmpty()) {
        Messages::show(missing, Messages::Icon::Information);
        return;
    }
    // 2. The server answers, the password asked for when needed.
    if (const store::ServerCheck check = server::tryWithPassword(&address, this); !check.ok()) {
        Messages::show(check.message, Messages::Icon::Critical);
        return;
    }
    // 3. Kept, without the password, for the next start.
    server::keepServerChoice(address);
    Messages::show(QStringLiteral("Quillmark reached the shared register in the database %1 on "
                                  "the server %2 as %3. It uses it from its next start.")
                       .arg(address.database, store::describeServer(address), address.user),
                   Messages::Icon::Information);
    accept();
}

void frmServer::cmdUseFile_Click()
{
    server::forgetServerChoice();
    Messages::show(QStringLiteral("Quillmark uses the local data file from its next start."),
                   Messages::Icon::Information);
    accept();
}
