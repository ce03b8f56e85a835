#pragma once

#include "jetmapping.h"

#include <QString>
#include <chrono>

// Reading whole tables of an Access file.
namespace store {

using JetTableRows = QList<QList<QVariantList>>;

// Reads the tables in this process, each as JetReader::readTable() does, into
// one list of rows per table. Returns what failed (the file cannot be opened,
// lacks a table or a column, a row cannot be read), or an empty text.
QString readJetTables(const QString &path, const QList<JetTableColumns> &tables,
                      JetTableRows *rows);

// The same in a child process that is given `limit` to finish. libmdb can
// loop without end, or crash, on a damaged file; this way the program still
// lives to tell the user.
QString readJetTablesApart(const QString &path, const QList<JetTableColumns> &tables,
                           JetTableRows *rows, std::chrono::milliseconds limit);

} // namespace store
