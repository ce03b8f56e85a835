#pragma once

#include <QString>

// Each running copy of the program holds its data file (a shared flock(),
// apart from SQLite's own locks), so that a restore can tell whether
// another copy has the file open.
namespace backup {

// Holds the file at `path` from now on, letting go of the one held before.
void holdDataFile(const QString &path);

// Holds it for this program alone; false while another copy of the program
// holds it. holdDataFile() shares it again.
bool holdDataFileAlone(const QString &path);

} // namespace backup
