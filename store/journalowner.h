#pragma once

#include <QString>

// Which copy of the program wrote a note in the print journal: the host,
// the process and the moment the process started (a process id is used
// again once its process has ended). A copy never settles the notes of a
// copy still running, nor of one on another host, which it cannot see.
namespace store {

struct JournalOwner {
    QString host;
    qint64 pid = 0;
    QString started;
    bool operator==(const JournalOwner &) const = default;
};

// This copy of the program.
const JournalOwner &thisCopy();

// Whether the owner ran on this host and has ended.
bool hasEndedHere(const JournalOwner &owner);

} // namespace store
