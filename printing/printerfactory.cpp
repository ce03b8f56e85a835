#include "printer.h"

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
    if (installedFactory())
        return installedFactory()();
    return std::make_unique<SystemPrinter>(printerName);
}

PrinterFactory setPrinterFactory(PrinterFactory factory)
{
    return std::exchange(installedFactory(), std::move(factory));
}
