#include "printeroffset.h"

#include <QSqlQuery>
#include <QVariant>

namespace store {
namespace {

const QString printerOffsetTable = QStringLiteral("PrinterOffset");
const QString createPrinterOffset = QStringLiteral(
    "Create table if not exists PrinterOffset (PrinterName TEXT COLLATE NOCASE, "
    "RightMm REAL, DownMm REAL)");
const QString selectPrinterOffset =
    QStringLiteral("Select RightMm, DownMm from PrinterOffset where PrinterName = ?");
const QString deletePrinterOffset =
    QStringLiteral("Delete from PrinterOffset where PrinterName = ?");
const QString insertPrinterOffset =
    QStringLiteral("Insert into PrinterOffset (PrinterName, RightMm, DownMm) values (?, ?, ?)");

QSqlError run(const QString &statement, const QVariantList &values, QSqlQuery *query)
{
    if (!query->prepare(statement))
        return query->lastError();
    for (const QVariant &value : values)
        query->addBindValue(value);
    query->exec();
    return query->lastError();
}

} // namespace

QSqlError findPrinterOffset(const QSqlDatabase &db, const QString &printerName,
                            std::optional<QPointF> *millimetres)
{
    millimetres->reset();
    if (!db.tables().contains(printerOffsetTable, Qt::CaseInsensitive))
        return {};
    QSqlQuery query(db);
    if (QSqlError error = run(selectPrinterOffset, {printerName}, &query); error.isValid())
        return error;
    if (query.next())
        *millimetres = QPointF(query.value(0).toDouble(), query.value(1).toDouble());
    return query.lastError();
}

QSqlError replacePrinterOffset(const QSqlDatabase &db, const QString &printerName,
                               const QPointF &millimetres)
{
    QSqlDatabase connection = db;
    if (!connection.transaction())
        return connection.lastError();
    QSqlQuery query(db);
    QSqlError error = run(createPrinterOffset, {}, &query);
    if (!error.isValid())
        error = run(deletePrinterOffset, {printerName}, &query);
    if (!error.isValid())
        error = run(insertPrinterOffset, {printerName, millimetres.x(), millimetres.y()}, &query);
    if (error.isValid()) {
        connection.rollback();
        return error;
    }
    if (!connection.commit())
        return connection.lastError();
    return {};
}

} // namespace store
