#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace store {

// The four tables and their columns in table order: the one list the
// schema check, the insert statements and the import of older files use.
enum TableId { BankTable, PayeeTable, PositionsTable, RegisterTable, TableCount };

struct TableColumns {
    QString table;
    QStringList columns;
};

const std::array<TableColumns, TableCount> &tableColumns();

// "Insert into <table> (<every column>) values (?, ...)".
QString insertStatement(TableId table);

} // namespace store
