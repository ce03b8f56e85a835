#pragma once

#include "database.h"
#include "statements.h"

// The register's write lock, on a connection of its own, taken before a
// cheque's page is sent and held through its end and the register row, so
// that a cheque is printed only when it can be recorded.
class RegisterEntry
{
public:
    RegisterEntry();
    ~RegisterEntry();
    RegisterEntry(const RegisterEntry &) = delete;
    RegisterEntry &operator=(const RegisterEntry &) = delete;

    // Whether the lock is held; when it is not, the user has been told that
    // the cheque is not printed, and why.
    bool isHeld() const { return m_held; }

    // Appends the printed cheque and lets the lock go. The cheque is on
    // paper by then, so when the row cannot be written the user is told
    // plainly that it is not recorded, with everything needed to record it
    // by hand. Returns whether the row was written.
    bool enter(const store::RegisterRow &cheque);

private:
    store::Connection m_connection;
    bool m_held = false;
};
