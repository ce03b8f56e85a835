#pragma once

#include <QString>

namespace store {

// Where ql.mdb lives. Beside the program when its folder can be written
// (a build tree or a portable copy) or already holds one; otherwise in the
// user's own data folder. The folder an installed program runs from is
// never used, even by root, so no package file shares its folder with data.
struct DataLocation {
    QString file;        // the ql.mdb in use
    QString unusedFile;  // a ql.mdb in the other place, left unused; or empty
    QString problem = {};  // why no place could be chosen, for the user; then file is empty
};

// The rule on the given folders. Creates the user's folder when it is chosen;
// an empty userDir stands for a home that is not known, which is never guessed.
DataLocation chooseDataLocation(const QString &programDir, const QString &userDir,
                                const QString &installedDir);

// The rule on the running program's folders, decided once per run.
const DataLocation &dataLocation();

} // namespace store
