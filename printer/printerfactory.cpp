#include "printer.h"

#include "calibration.h"
#include "systemprinter.h"

#include <utility>

namespace {

PrinterFactory &installedFactory()
{
    static PrinterFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<Printer> openPrinter(const QString &printerName)
{
    std::unique_ptr<Printer> printer = installedFactory()
                                           ? installedFactory()()
                                           : std::make_unique<SystemPrinter>(printerName);
    applyKeptOffset(*printer, actualPrinterName(printerName));
    return printer;
}

PrinterFactory setPrinterFactory(PrinterFactory factory)
{
    return std::exchange(installedFactory(), std::move(factory));
}
