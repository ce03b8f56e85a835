#pragma once

#include "jetmapping.h"

#include <QString>

// The one-time move of the older program's data file, an Access (Jet)
// database, into Quillmark's own SQLite format.
namespace jet {

// Reads the four tables of the Access file at `path`, writes them into a new
// SQLite file beside it, and only when every row has been written and
// counted puts the new file in its place; the original is kept beside it,
// unchanged, under a name that says what it is. Returns what failed, in
// words for the user, or an empty text; *notice then tells what came over
// and where the original now is. A failure leaves the original exactly as
// it was and no new file behind.
// *rowsRead hears how far the reading has come.
QString migrateJetDatabase(const QString &path, QString *notice, const RowsRead &rowsRead = {});

// The same once the tables have been read.
QString replaceJetDatabase(const QString &path, const JetRows &jetRows, QString *notice);

// The steps of putting the new file in place, in order; tests stop the
// program at each to see that no step loses the data file.
enum class MigrationStep { NewFileWritten, OriginalKept, NewFileInPlace, FolderSynced };
void setMigrationStepHook(void (*hook)(MigrationStep));

} // namespace jet
