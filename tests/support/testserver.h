#pragma once

#include "serveraddress.h"

#include <QString>

// The private PostgreSQL server scripts/postgres.sh starts, for the tests
// that run against a shared register as well as a file.
namespace testserver {

// Whether this run of a test is meant for the server (the test's second
// registration sets QUILLMARK_TEST_ENGINE=postgresql).
bool wanted();
// Ends the test as skipped (CTest's code 77) when the server was not started.
void requireStarted();

// The server's superuser on a database of that name.
store::ServerAddress ownerOf(const QString &database);

// Makes an empty database with a name of its own and sets it up as a shared
// register; dropDatabase() removes it, sessions and all.
QString createRegisterDatabase();
void dropDatabase(const QString &database);

// In a helper program a test starts: uses the register the test made, named
// by TemporaryDatabase::location(); the test's environment, which the helper
// inherits, says whether that is a database on the server or a file.
void useRegisterAt(const QString &location);

// Runs one statement as the server's superuser in the database; fails the
// program (qFatal) when it cannot.
void exec(const QString &database, const QString &statement);

} // namespace testserver
