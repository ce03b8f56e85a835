#pragma once

#include <QString>

// The copies the program takes by itself, and the check of the data file
// before it is used.
namespace backup {

// From now on a copy is taken before the tables of the data file are
// changed (an older file brought up to date); a copy that fails is reported.
void copyBeforeTablesChange();

// Before the data file is used, at the first start of the day: the file
// is checked (PRAGMA quick_check), and one that fails, or is missing, is
// offered the latest good copy in its place. False when the program must
// not go on: a damaged file is never written to.
bool checkDataFileAtStart(const QString &dataPath);

// The day's first copy, when none has been taken today; a copy that
// fails is reported.
void takeDailyCopy(const QString &dataPath);

} // namespace backup
