#pragma once

#include "jettable.h"

namespace jet {

// Reads the tables, each as JetReader::readTable() does, into one list of
// rows per table. Returns what failed (the file cannot be opened, lacks a
// table or a column, a row cannot be read), or an empty text.
QString readJetTables(const QString &path, const QList<JetTableColumns> &tables,
                      JetTableRows *rows, const RowsRead &rowsRead = {});

} // namespace jet
