#pragma once

#include "statements.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>

// Bulk copy of rows into the four tables, for bringing in data kept
// elsewhere. Unlike the window statements, values are written exactly as
// given: a null text stays a missing value, an invalid date too.
namespace store {

struct PayeeRow {
    QString nickName;
    QString payeeName;
};

struct ImportRows {
    QList<BankRow> banks;
    QList<PayeeRow> payees;
    QList<LayoutRow> layouts;
    QList<RegisterRow> registerRows;
};

struct RowCounts {
    qsizetype banks = 0;
    qsizetype payees = 0;
    qsizetype layouts = 0;
    qsizetype registerRows = 0;
    bool operator==(const RowCounts &) const = default;
};

RowCounts countsOf(const ImportRows &rows);

// Adds every row in one transaction: all of them or none. *written counts
// the rows each table received (all zero after a failure).
QSqlError importRows(const QSqlDatabase &db, const ImportRows &rows, RowCounts *written);

// How many rows each of the four tables holds.
QSqlError countRows(const QSqlDatabase &db, RowCounts *counts);

} // namespace store
