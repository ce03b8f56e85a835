#pragma once

#include <QString>
#include <optional>

namespace store {

// A shared register on a PostgreSQL server, used instead of the data file
// when one is chosen. The password is never kept: libpq reads it from the
// user's password file (~/.pgpass) when it is empty here.
struct ServerAddress
{
    // None is libpq's own default: TLS when the server offers it, unchecked.
    enum class Tls { None, Require, VerifyFull };

    QString host;  // a name, an address, or a folder holding the server's socket
    int port = 5432;
    QString database;
    QString user;
    Tls tls = Tls::None;
    QString rootCertificate;  // the file VerifyFull checks the server against
    QString password;         // asked at start when libpq has none; kept in memory only

    bool operator==(const ServerAddress &) const = default;
};

// Points the program at a server; every Connection made afterwards goes
// there. useDatabaseFile() points it back at a file.
void useServer(const ServerAddress &address);
// The server in use, or nothing while the program uses a data file.
std::optional<ServerAddress> serverInUse();

// The register in use, in words for the About box: "the file /home/…/ql.mdb"
// or "the server db.example.org:5432, database accounts, as clerk1".
QString registerInUse();

} // namespace store
