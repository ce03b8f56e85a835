#pragma once

#include "statements.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <memory>

// Bulk copy of rows into the four tables of a new file, for bringing in
// data kept elsewhere. Unlike the window statements, values are written exactly as
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

// Writes rows into a new, empty data file as they come, all in one
// transaction: all of them or none. The register's indexes are built once
// its rows are in, which is many times faster than keeping them up to date
// row by row.
class ImportFile
{
public:
    explicit ImportFile(const QString &path);
    ~ImportFile();
    ImportFile(const ImportFile &) = delete;
    ImportFile &operator=(const ImportFile &) = delete;

    // Why the file could not be made ready for the rows.
    QSqlError error() const;

    // Adds the rows after those added before.
    QSqlError add(const ImportRows &rows);

    // Builds the indexes, commits, and counts the rows each table holds.
    QSqlError finish(RowCounts *stored);

    // The rows each table has received.
    RowCounts written() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// How many rows each of the four tables holds.
QSqlError countRows(const QSqlDatabase &db, RowCounts *counts);

} // namespace store
