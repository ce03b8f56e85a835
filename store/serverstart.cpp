#include "serverstart.h"

#include "database.h"
#include "schema.h"
#include "tablecolumns.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <array>
#include <optional>
#include <locale.h>

namespace store {
namespace {

// Reads none of the table's rows, but is refused without the right to read it.
const QString readRightProbe = QStringLiteral("Select * from %1 where 1 = 0");
// PostgreSQL's code for a refused right.
const QString insufficientPrivilege = QStringLiteral("42501");

// libpq's words for why a connection failed, in the order they are looked
// for: the server's own refusal comes after "connection to server ... failed:".
struct Cause {
    QRegularExpression pattern;
    ServerProblem problem;
};

const std::array<Cause, 8> &connectionCauses()
{
    static const std::array<Cause, 8> causes{{
        {QRegularExpression(QStringLiteral("no password supplied")), ServerProblem::PasswordMissing},
        {QRegularExpression(QStringLiteral("password authentication failed")),
         ServerProblem::PasswordWrong},
        {QRegularExpression(QStringLiteral("database \".*\" does not exist")),
         ServerProblem::NoSuchDatabase},
        {QRegularExpression(QStringLiteral("role \".*\" does not exist")), ServerProblem::NoSuchUser},
        {QRegularExpression(QStringLiteral("permission denied")), ServerProblem::NoRights},
        {QRegularExpression(QStringLiteral("SSL|certificate")), ServerProblem::Tls},
        {QRegularExpression(QStringLiteral("could not translate host name|Connection refused|No "
                                           "such file or directory|timeout expired|unreachable|"
                                           "No route to host")),
         ServerProblem::Unreachable},
        {QRegularExpression(QStringLiteral("could not connect|connection to server")),
         ServerProblem::Unreachable},
    }};
    return causes;
}

ServerProblem causeOf(const QString &libpqText)
{
    for (const Cause &cause : connectionCauses())
        if (cause.pattern.match(libpqText).hasMatch())
            return cause.problem;
    return ServerProblem::Other;
}

QString messageFor(ServerProblem problem, const ServerAddress &address, const QString &detail)
{
    const QString server = describeServer(address);
    switch (problem) {
    case ServerProblem::None:
        return {};
    case ServerProblem::PasswordMissing:
        return QStringLiteral("The server %1 wants the password of %2, and your password "
                              "file (~/.pgpass) has none.").arg(server, address.user);
    case ServerProblem::PasswordWrong:
        return QStringLiteral("The server %1 refused the password of %2.")
            .arg(server, address.user);
    case ServerProblem::Unreachable:
        return QStringLiteral("Quillmark cannot reach the server %1: check its name and port, "
                              "and that it is running.\n\n%2").arg(server, detail);
    case ServerProblem::NoSuchDatabase:
        return QStringLiteral("The server %1 has no database %2.")
            .arg(server, address.database);
    case ServerProblem::NoSuchUser:
        return QStringLiteral("The server %1 knows no user %2.").arg(server, address.user);
    case ServerProblem::Tls:
        if (address.tls != ServerAddress::Tls::VerifyFull)
            return QStringLiteral("The connection to the server %1 could not be secured: the "
                                  "server does not offer TLS.\n\n%2").arg(server, detail);
        return QStringLiteral("The connection to the server %1 could not be secured: the "
                              "server does not offer TLS, or its certificate does not match "
                              "its name or the root certificate %2.\n\n%3")
            .arg(server, address.rootCertificate, detail);
    case ServerProblem::NotSetUp:
        return QStringLiteral("The database %1 on the server %2 is not set up for Quillmark: "
                              "run scripts/server-setup. It lacks %3.")
            .arg(address.database, server, detail);
    case ServerProblem::NoRights:
        return QStringLiteral("The server %1 does not let %2 use the register in the database "
                              "%3: %4\n\nThe user needs the role quillmark_clerk or "
                              "quillmark_supervisor.")
            .arg(server, address.user, address.database, detail);
    case ServerProblem::Other:
        break;
    }
    return QStringLiteral("Quillmark could not use the database %1 on the server %2.\n\n%3")
        .arg(address.database, server, detail);
}

ServerCheck problemOf(ServerProblem problem, const ServerAddress &address, const QString &detail)
{
    return {problem, messageFor(problem, address, detail.trimmed())};
}

// libpq words its own part of a failure, and the system's error texts, in
// the user's language; causes are told apart by libpq's English words, so
// while this lives the thread reads messages in English.
class EnglishMessages
{
public:
    EnglishMessages()
        : m_english(newlocale(LC_MESSAGES_MASK, "C", duplocale(LC_GLOBAL_LOCALE)))
        , m_before(m_english ? uselocale(m_english) : locale_t(nullptr))
    {
    }
    ~EnglishMessages()
    {
        if (!m_english)
            return;
        uselocale(m_before);
        freelocale(m_english);
    }
    EnglishMessages(const EnglishMessages &) = delete;
    EnglishMessages &operator=(const EnglishMessages &) = delete;

private:
    locale_t m_english;
    locale_t m_before;
};

// A role may connect and still be refused the tables themselves.
ServerCheck checkReading(const QSqlDatabase &db, const ServerAddress &address)
{
    for (const TableColumns &table : tableColumns()) {
        QSqlQuery probe(db);
        if (probe.exec(readRightProbe.arg(table.table)))
            continue;
        const bool refused = probe.lastError().nativeErrorCode() == insufficientPrivilege;
        return problemOf(refused ? ServerProblem::NoRights : ServerProblem::Other, address,
                         probe.lastError().databaseText());
    }
    return {};
}

} // namespace

QString describeServer(const ServerAddress &address)
{
    return QStringLiteral("%1:%2")
        .arg(address.host.isEmpty() ? QStringLiteral("localhost") : address.host)
        .arg(address.port);
}

ServerCheck checkServer(const ServerAddress &address)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return {ServerProblem::Other,
                QStringLiteral("Quillmark cannot use a server here: Qt's PostgreSQL driver (the "
                               "package libqt6sql6-psql) is not installed.")};
    std::optional<EnglishMessages> english(std::in_place);
    const Connection connection(QStringLiteral("checkServer"), address);
    english.reset();
    if (!connection.isOpen()) {
        const QSqlError error = connection.error();
        const QString libpqText = error.databaseText();
        return problemOf(causeOf(libpqText), address,
                         libpqText.isEmpty() ? error.text() : libpqText);
    }
    if (const QStringList missing = missingTablesAndColumns(connection.database());
        !missing.isEmpty())
        return problemOf(ServerProblem::NotSetUp, address, missing.join(QStringLiteral(", ")));
    return checkReading(connection.database(), address);
}

} // namespace store
