#include "calibration.h"

#include "database.h"
#include "failure.h"
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

QString keptOffsetProblem(const QString &printerName)
{
    const store::Connection connection(QStringLiteral("keptOffsetProblem"));
    std::optional<QPointF> offset;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::findPrinterOffset(connection.database(), actualPrinterName(printerName),
                                         &offset);
    if (!error.isValid())
        return {};
    return QStringLiteral("Nothing has been printed, because the offset kept for the printer "
                          "could not be read.\n\n")
        + store::failureText(QStringLiteral("read the printer's offset"), error);
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
