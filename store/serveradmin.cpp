#include "serveradmin.h"

#include "schema.h"
#include "serverschema.h"

#include <QSqlQuery>
#include <QVariant>

namespace store {
namespace {

// Every table, including those this login may not read.
const QString countTables =
    QStringLiteral("Select count(*) from pg_catalog.pg_tables where schemaname = 'public'");

// Names cannot be bound: the server quotes the login's own name, found
// by a bound value, and the role is one of the program's two.
const QString selectQuotedLogin =
    QStringLiteral("Select quote_ident(rolname) from pg_roles where rolname = ?");
const QString grantRoleTo = QStringLiteral("Grant %1 to %2");

} // namespace

QSqlError findServerContents(const QSqlDatabase &db, ServerContents *contents)
{
    QSqlQuery query(db);
    if (!query.exec(countTables) || !query.next())
        return query.lastError();
    if (query.value(0).toLongLong() == 0)
        *contents = ServerContents::Empty;
    else
        *contents = missingTablesAndColumns(db).isEmpty() ? ServerContents::Register
                                                          : ServerContents::Other;
    return {};
}

QSqlError grantRole(const QSqlDatabase &db, const QString &role, const QString &login)
{
    if (role != clerkRole && role != supervisorRole)
        return QSqlError(QStringLiteral("%1 is not a role of Quillmark").arg(role), {},
                         QSqlError::StatementError);
    QSqlQuery found(db);
    found.prepare(selectQuotedLogin);
    found.addBindValue(login);
    if (!found.exec())
        return found.lastError();
    if (!found.next())
        return QSqlError(QStringLiteral("The server has no login %1: make it first "
                                        "(createuser --pwprompt %1).")
                             .arg(login),
                         {}, QSqlError::StatementError);
    QSqlQuery grant(db);
    grant.exec(grantRoleTo.arg(role, found.value(0).toString()));
    return grant.lastError();
}

} // namespace store
