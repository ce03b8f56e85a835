#include "printeroffset.h"

#include "boundstatement.h"
#include "dialect.h"
#include "firstusetables.h"
#include "transaction.h"

#include <QVariant>

namespace store {

const QString createPrinterOffset = QStringLiteral(
    "Create table if not exists PrinterOffset (PrinterName TEXT COLLATE NOCASE, "
    "RightMm REAL, DownMm REAL)");

namespace {

const QString printerOffsetTable = QStringLiteral("PrinterOffset");
const QString selectPrinterOffset =
    QStringLiteral("Select RightMm, DownMm from PrinterOffset where PrinterName = ?");
const QString deletePrinterOffset =
    QStringLiteral("Delete from PrinterOffset where PrinterName = ?");
const QString insertPrinterOffset =
    QStringLiteral("Insert into PrinterOffset (PrinterName, RightMm, DownMm) values (?, ?, ?)");

} // namespace

QSqlError findPrinterOffset(const QSqlDatabase &db, const QString &printerName,
                            std::optional<QPointF> *millimetres)
{
    millimetres->reset();
    if (!hasAddedTable(db, printerOffsetTable))
        return {};
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectPrinterOffset, {printerName}, &query);
        error.isValid())
        return error;
    if (query.next())
        *millimetres = QPointF(query.value(0).toDouble(), query.value(1).toDouble());
    return query.lastError();
}

QSqlError replacePrinterOffset(const QSqlDatabase &db, const QString &printerName,
                               const QPointF &millimetres)
{
    return inTransaction(db, [&] {
        QSqlQuery query;
        QSqlError error = createTableOnFirstUse(db, createPrinterOffset);
        if (!error.isValid())
            error = runBound(db, deletePrinterOffset, {printerName}, &query);
        if (!error.isValid())
            error = runBound(db, insertPrinterOffset,
                             {printerName, millimetres.x(), millimetres.y()}, &query);
        return error;
    });
}

} // namespace store
