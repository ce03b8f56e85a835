#pragma once

#include <QString>

namespace backup {

// Puts the copy at `copyPath` in the place of the data file, in one step:
// the data file is first kept beside it as "ql (before restore <time>).mdb"
// (*keptPath; empty when there was no data file), and at every moment there
// is a whole data file under its name. Refused, with the file left as it
// is, when the copy is not a Quillmark database or fails its integrity
// check, or while another copy of the program has the data file open.
// Returns what failed, in words for the user, or an empty text.
QString restoreCopy(const QString &copyPath, const QString &dataPath, QString *keptPath = nullptr);

} // namespace backup
