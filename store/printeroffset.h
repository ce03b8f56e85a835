#pragma once

#include <QPointF>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <optional>

// How far each printer's pages are to be moved, in millimetres right (x)
// and down (y), to make up for a printer that feeds or prints off its mark.
// The table is made the first time an offset is kept; until then no printer
// has one. Each returns an invalid QSqlError on success.
namespace store {

// nullopt when the printer has no offset kept.
QSqlError findPrinterOffset(const QSqlDatabase &db, const QString &printerName,
                            std::optional<QPointF> *millimetres);
// Keeps the printer's offset in place of any earlier one, in one transaction.
QSqlError replacePrinterOffset(const QSqlDatabase &db, const QString &printerName,
                               const QPointF &millimetres);

} // namespace store
