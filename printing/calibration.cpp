#include "calibration.h"

#include "database.h"
#include "printer.h"
#include "printeroffset.h"

#include <QPrinterInfo>

std::optional<QPointF> keptPrinterOffset(const QString &printerName)
{
    const store::Connection connection(QStringLiteral("keptPrinterOffset"));
    std::optional<QPointF> offset;
    if (connection.isOpen())
        (void)store::findPrinterOffset(connection.database(), printerName, &offset);
    return offset;
}

void applyKeptOffset(Printer &printer, const QString &printerName)
{
    if (const std::optional<QPointF> offset = keptPrinterOffset(printerName))
        printer.Offset(offset->x(), offset->y());
}

QString actualPrinterName(const QString &printerName)
{
    return printerName.isEmpty() ? QPrinterInfo::defaultPrinterName() : printerName;
}
