#include "importrows.h"

#include "tablecolumns.h"
#include "transaction.h"

#include <QSqlQuery>
#include <QVariant>

namespace store {
namespace {

const QString insertBank = insertStatement(BankTable);
const QString insertPayee = insertStatement(PayeeTable);
const QString insertLayout = insertStatement(PositionsTable);
const QString insertRegisterRow = insertStatement(RegisterTable);

QVariantList valuesOf(const BankRow &row)
{
    return {row.micrCode, row.bankName, row.currency};
}

QVariantList valuesOf(const PayeeRow &row)
{
    return {row.nickName, row.payeeName};
}

QVariantList valuesOf(const LayoutRow &row)
{
    QVariantList values{row.scaleMode, row.bankName};
    for (const std::optional<double> &position : row.positions)
        values << (position ? QVariant(*position) : QVariant());
    return values;
}

QVariantList valuesOf(const RegisterRow &row)
{
    // Bound as the print step binds it, so the register's date ranges find it.
    const QVariant date = row.dateOfCheque.isValid() ? QVariant(row.dateOfCheque) : QVariant();
    return {date, row.payeeName, row.bankName, row.amount, row.chequeNo};
}

template <typename Row>
QSqlError insertAll(const QSqlDatabase &db, const QString &statement, const QList<Row> &rows,
                    qsizetype *written)
{
    QSqlQuery query(db);
    if (!query.prepare(statement))
        return query.lastError();
    for (const Row &row : rows) {
        const QVariantList values = valuesOf(row);
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        if (!query.exec())
            return query.lastError();
        *written += query.numRowsAffected();
    }
    return {};
}

QSqlError insertEverything(const QSqlDatabase &db, const ImportRows &rows, RowCounts *written)
{
    if (QSqlError error = insertAll(db, insertBank, rows.banks, &written->banks); error.isValid())
        return error;
    if (QSqlError error = insertAll(db, insertPayee, rows.payees, &written->payees);
        error.isValid())
        return error;
    if (QSqlError error = insertAll(db, insertLayout, rows.layouts, &written->layouts);
        error.isValid())
        return error;
    return insertAll(db, insertRegisterRow, rows.registerRows, &written->registerRows);
}

QSqlError countTable(const QSqlDatabase &db, const QString &table, qsizetype *count)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("Select count(*) from %1").arg(table)) || !query.next())
        return query.lastError();
    *count = query.value(0).toLongLong();
    return {};
}

} // namespace

RowCounts countsOf(const ImportRows &rows)
{
    return {rows.banks.size(), rows.payees.size(), rows.layouts.size(), rows.registerRows.size()};
}

QSqlError importRows(const QSqlDatabase &db, const ImportRows &rows, RowCounts *written)
{
    *written = {};
    const QSqlError error = inTransaction(db, [&] { return insertEverything(db, rows, written); });
    if (error.isValid())
        *written = {};
    return error;
}

QSqlError countRows(const QSqlDatabase &db, RowCounts *counts)
{
    *counts = {};
    const std::array<qsizetype *, TableCount> places = {
        &counts->banks, &counts->payees, &counts->layouts, &counts->registerRows};
    for (int table = 0; table < TableCount; ++table) {
        if (QSqlError error = countTable(db, tableColumns()[table].table, places[table]);
            error.isValid())
            return error;
    }
    return {};
}

} // namespace store
