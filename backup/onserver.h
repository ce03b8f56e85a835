#pragma once

// Back Up Now, Restore and the copies taken at start work on the data
// file, through SQLite's own calls; a shared register is kept by its
// server's backups instead.
namespace backup {

// Tells the user so, and answers true, while the register is on a server.
bool refusedOnServer();

} // namespace backup
