#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// A shared register on a PostgreSQL server: its tables, and who may change
// what, enforced by the server whatever a program sends.
namespace store {

// Clerks read everything, print (register rows, number keys, journal
// notes), void and undo voids, and send Positive Pay files.
inline const QString clerkRole = QStringLiteral("quillmark_clerk");
// Supervisors also change banks, payees, layouts, leaf images, printer
// offsets and Positive Pay accounts.
inline const QString supervisorRole = QStringLiteral("quillmark_supervisor");

// Sets up an empty database, through a connection of its owner: the
// tables, the two roles and their rights, the author of each void mark
// taken from the server, and the notice other clerks' windows follow. No
// one but the owner may change or remove a register row or a void mark.
// All or nothing.
QSqlError setUpServer(const QSqlDatabase &db);

// Names the server sends when another clerk prints or voids
// (QSqlDriver::subscribeToNotification).
inline const QString registerChangedNotice = QStringLiteral("quillmark_register");

} // namespace store
