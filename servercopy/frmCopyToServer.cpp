#include "frmCopyToServer.h"

#include "controls.h"
#include "database.h"
#include "messages.h"
#include "serveraddress.h"
#include "servercopy.h"
#include "twips.h"

#include <QApplication>
#include <QDir>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel *newLabel(const QString &name, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QString copiedText(const QString &dataPath, const QList<store::CopiedTable> &copied)
{
    QStringList counts;
    for (const store::CopiedTable &table : copied) {
        if (table.rows > 0)
            counts << QStringLiteral("%1: %2").arg(table.table).arg(table.rows);
    }
    return QStringLiteral("The data of %1 has been copied to the server, every row counted:\n\n"
                          "%2\n\nThe file is left as it was.")
        .arg(QDir::toNativeSeparators(dataPath), counts.join(QLatin1Char('\n')));
}

} // namespace

frmCopyToServer::frmCopyToServer(const QString &dataPath, QWidget *parent)
    : QDialog(parent)
    , m_dataPath(dataPath)
{
    setObjectName(QStringLiteral("frmCopyToServer"));
    setWindowTitle(QStringLiteral("Copy This File's Data to the Server"));
    createControls();
    placeControls();
    setTabOrder();
    pressButtonsOnlyWithFocus(this);
    txtHost->setFocus();
}

QLineEdit *frmCopyToServer::newBox(const QString &name, const QString &text)
{
    auto *box = new QLineEdit(text, this);
    box->setObjectName(name);
    return box;
}

void frmCopyToServer::createControls()
{
    lblNote = newLabel(QStringLiteral("lblNote"),
                       QStringLiteral("Copies every row of the data file below into a register "
                                      "set up with quillmark-server-setup that holds nothing "
                                      "yet. Sign in as the database's owner; an empty password "
                                      "is read from ~/.pgpass."),
                       this);
    lblNote->setWordWrap(true);
    lblFile = newLabel(QStringLiteral("lblFile"), QDir::toNativeSeparators(m_dataPath), this);
    lblFile->setToolTip(lblFile->text());
    lblHost = newLabel(QStringLiteral("lblHost"), QStringLiteral("Server:"), this);
    txtHost = newBox(QStringLiteral("txtHost"), {});
    lblPort = newLabel(QStringLiteral("lblPort"), QStringLiteral("Port:"), this);
    txtPort = newBox(QStringLiteral("txtPort"), QStringLiteral("5432"));
    txtPort->setValidator(new QIntValidator(1, 65535, txtPort));
    lblDatabase = newLabel(QStringLiteral("lblDatabase"), QStringLiteral("Database:"), this);
    txtDatabase = newBox(QStringLiteral("txtDatabase"), {});
    lblUser = newLabel(QStringLiteral("lblUser"), QStringLiteral("Owner's login:"), this);
    txtUser = newBox(QStringLiteral("txtUser"), {});
    lblPassword = newLabel(QStringLiteral("lblPassword"), QStringLiteral("Password:"), this);
    txtPassword = newBox(QStringLiteral("txtPassword"), {});
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdCopy = newButton(QStringLiteral("cmdCopy"), QStringLiteral("Copy"), this);
    connect(cmdCopy, &QPushButton::clicked, this, &frmCopyToServer::cmdCopy_Click);
    cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCopyToServer::reject);
}

void frmCopyToServer::placeControls()
{
    setFixedSize(twipsSize(6480, 3840));
    lblNote->setGeometry(twips(120, 120, 6240, 840));
    lblFile->setGeometry(twips(120, 1020, 6240, 285));
    const QList<std::pair<QLabel *, QLineEdit *>> rows{
        {lblHost, txtHost}, {lblDatabase, txtDatabase}, {lblUser, txtUser},
        {lblPassword, txtPassword}};
    for (int row = 0; row < rows.size(); ++row) {
        rows[row].first->setGeometry(twips(120, 1440 + row * 420, 1500, 285));
        rows[row].second->setGeometry(twips(1680, 1440 + row * 420, 2880, 285));
    }
    lblPort->setGeometry(twips(4680, 1440, 540, 285));
    txtPort->setGeometry(twips(5280, 1440, 1080, 285));
    cmdCopy->setGeometry(twips(3960, 3360, 1140, 315));
    cmdCancel->setGeometry(twips(5220, 3360, 1140, 315));
}

void frmCopyToServer::setTabOrder()
{
    setTabChain({txtHost, txtPort, txtDatabase, txtUser, txtPassword, cmdCopy, cmdCancel});
}

void frmCopyToServer::cmdCopy_Click()
{
    // 1. Where to: a database must be named.
    store::ServerAddress server;
    server.host = txtHost->text().trimmed();
    server.port = txtPort->text().toInt();
    server.database = txtDatabase->text().trimmed();
    server.user = txtUser->text().trimmed();
    server.password = txtPassword->text();
    if (server.database.isEmpty() || server.port <= 0) {
        Messages::show(QStringLiteral("Type the database to copy to, and the server's port."),
                       Messages::Icon::Critical);
        (server.database.isEmpty() ? txtDatabase : txtPort)->setFocus();
        return;
    }
    // 2. The copy, all or nothing.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const store::Connection connection(QStringLiteral("copyToServer"), server);
    QList<store::CopiedTable> copied;
    const QSqlError error = connection.isOpen()
        ? store::copyFileToServer(m_dataPath, connection.database(), &copied)
        : connection.error();
    QApplication::restoreOverrideCursor();
    // 3. What became of it.
    if (error.isValid()) {
        Messages::show(QStringLiteral("The data file was not copied to the server; the "
                                      "register there and the file are left as they were.\n\n%1")
                           .arg(error.text().trimmed()),
                       Messages::Icon::Critical);
        return;
    }
    Messages::show(copiedText(m_dataPath, copied), Messages::Icon::Information);
    accept();
}
