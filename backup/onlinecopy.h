#pragma once

#include "backupstatements.h"

#include <QString>
#include <functional>

namespace backup {

// Told the pages copied so far and the pages in all; false cancels the copy.
using Progress = std::function<bool(int copied, int total)>;

// Copies the database at `from` into the (empty) file `to` with SQLite's
// online backup, page by page: every row keeps its rowid, and the copy is
// one state of the file even while another program writes to it (such a
// writer waits for the copy to end). Returns what failed, or an empty text.
QString copyDatabase(const QString &from, const QString &to, const Progress &progress = {});

// SQLite's integrity check of the file (quick: PRAGMA quick_check); what
// it found, or an empty text for a sound file.
QString integrityProblem(const QString &path, bool quick = false);

// Why the file cannot be brought back in place of the data file: it is not
// a Quillmark database, or it fails its integrity check. Empty when it can.
QString notRestorableProblem(const QString &path);

// What the database at `path` holds; returns what failed, or an empty text.
QString readContents(const QString &path, store::StoredContents *contents);

} // namespace backup
