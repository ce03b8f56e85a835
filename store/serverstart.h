#pragma once

#include "serveraddress.h"

#include <QString>

// Whether a server can hold the register, tried before the program turns
// to it; what is wrong is named for the user, never as a damaged file.
namespace store {

enum class ServerProblem {
    None,
    PasswordMissing,  // libpq found no password: ask for one
    PasswordWrong,    // the server refused it: ask again
    Unreachable,      // no such host, nothing listening, timed out
    NoSuchDatabase,
    NoSuchUser,
    Tls,              // no TLS on the server, or a certificate that does not match
    NotSetUp,         // a database without Quillmark's tables
    NoRights,         // the role may not connect or read the tables
    Other,
};

struct ServerCheck {
    ServerProblem problem = ServerProblem::None;
    QString message;  // empty when there is no problem
    bool ok() const { return problem == ServerProblem::None; }
};

// Connects to the server as the address says and reads the four tables.
ServerCheck checkServer(const ServerAddress &address);

// The server in words for messages: "db.example.org:5432".
QString describeServer(const ServerAddress &address);

} // namespace store
