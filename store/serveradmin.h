#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// What a supervisor does to a server database before clerks use it: see
// whether it is empty, and give logins their role.
namespace store {

enum class ServerContents {
    Empty,     // no tables: ready to be set up
    Register,  // a register set up before, with the four tables
    Other,     // tables of something else, or a register missing some
};
QSqlError findServerContents(const QSqlDatabase &db, ServerContents *contents);

// Makes an existing login a member of the role (clerkRole or
// supervisorRole, serverschema.h). A login the server does not know is
// refused, naming it.
QSqlError grantRole(const QSqlDatabase &db, const QString &role, const QString &login);

} // namespace store
