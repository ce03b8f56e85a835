#pragma once

#include <QPointF>
#include <QString>
#include <optional>

class Printer;

// The offset kept for the named printer, in millimetres right and down;
// nothing when none is kept or the data file cannot be read, as for a
// printer that prints on its mark.
std::optional<QPointF> keptPrinterOffset(const QString &printerName);

// Gives the printer the offset kept for the named printer it prints on.
void applyKeptOffset(Printer &printer, const QString &printerName);
// Why the offset kept for the printer (an empty name: the default one)
// cannot be read, for the user; empty when it can. A cheque is never
// printed without its offset, since it would land off its mark.
QString keptOffsetProblem(const QString &printerName);

// The name a printer goes by: the system's default printer's for an empty one.
QString actualPrinterName(const QString &printerName);
