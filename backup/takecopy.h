#pragma once

#include "onlinecopy.h"

#include <QString>

namespace backup {

// Copies the data file into its folder of copies under the name of the
// time, checks the copy, and only then removes the older copies no longer
// kept. Returns what failed, in words for the user, or an empty text;
// *made names the new copy.
QString takeCopy(const QString &dataPath, const Progress &progress = {}, QString *made = nullptr);

// Copies it to a file the user chose (replaced when there), checked.
QString takeCopyTo(const QString &dataPath, const QString &target, const Progress &progress = {});

} // namespace backup
