#pragma once

#include "jettable.h"

namespace jet {

// Reads the tables in order, each as JetReader::readTable() does, handing
// every row to rowRead with the index of its table as soon as it is read.
// Returns what failed (the file cannot be opened, lacks a table or a
// column, a row cannot be read), or an empty text.
QString readJetTables(const QString &path, const QList<JetTableColumns> &tables,
                      const std::function<void(int table, QVariantList &&row)> &rowRead);

} // namespace jet
