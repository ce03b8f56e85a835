#include "serverchoice.h"

#include <QSettings>
#include <array>
#include <utility>

namespace server {
namespace {

const QString group = QStringLiteral("SharedRegister");

using Tls = store::ServerAddress::Tls;
const std::array<std::pair<Tls, QString>, 3> tlsNames{{
    {Tls::None, QStringLiteral("none")},
    {Tls::Require, QStringLiteral("require")},
    {Tls::VerifyFull, QStringLiteral("verify-full")},
}};

QString nameOf(Tls tls)
{
    for (const auto &[kind, name] : tlsNames)
        if (kind == tls)
            return name;
    return {};
}

// An unknown name is read as the strictest mode, never as none.
Tls tlsNamed(const QString &text)
{
    for (const auto &[kind, name] : tlsNames)
        if (name == text)
            return kind;
    return Tls::VerifyFull;
}

} // namespace

std::optional<store::ServerAddress> chosenServer()
{
    QSettings settings;
    settings.beginGroup(group);
    if (!settings.contains(QStringLiteral("Database")))
        return std::nullopt;
    store::ServerAddress address;
    address.host = settings.value(QStringLiteral("Host")).toString();
    address.port = settings.value(QStringLiteral("Port"), address.port).toInt();
    address.database = settings.value(QStringLiteral("Database")).toString();
    address.user = settings.value(QStringLiteral("User")).toString();
    address.tls = tlsNamed(settings.value(QStringLiteral("Tls")).toString());
    address.rootCertificate = settings.value(QStringLiteral("RootCertificate")).toString();
    return address;
}

void keepServerChoice(const store::ServerAddress &address)
{
    QSettings settings;
    settings.remove(group);
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("Host"), address.host);
    settings.setValue(QStringLiteral("Port"), address.port);
    settings.setValue(QStringLiteral("Database"), address.database);
    settings.setValue(QStringLiteral("User"), address.user);
    settings.setValue(QStringLiteral("Tls"), nameOf(address.tls));
    settings.setValue(QStringLiteral("RootCertificate"), address.rootCertificate);
}

void forgetServerChoice()
{
    QSettings().remove(group);
}

} // namespace server
