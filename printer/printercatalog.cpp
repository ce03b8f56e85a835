#include "printercatalog.h"

#include <QHash>
#include <QPrinterInfo>
#include <optional>

namespace printercatalog {
namespace {

struct Catalog {
    std::optional<QStringList> names;
    std::optional<QString> defaultName;
    QHash<QString, std::shared_ptr<QPrinter>> layoutPrinters;
};

Catalog &catalog()
{
    static Catalog kept;
    return kept;
}

} // namespace

QStringList printerNames()
{
    if (!catalog().names)
        catalog().names = QPrinterInfo::availablePrinterNames();
    return *catalog().names;
}

QString defaultPrinterName()
{
    if (!catalog().defaultName)
        catalog().defaultName = QPrinterInfo::defaultPrinterName();
    return *catalog().defaultName;
}

std::shared_ptr<QPrinter> layoutPrinter(const QString &printerName)
{
    std::shared_ptr<QPrinter> &kept = catalog().layoutPrinters[printerName];
    if (!kept) {
        kept = std::make_shared<QPrinter>(QPrinter::HighResolution);
        if (!printerName.isEmpty())
            kept->setPrinterName(printerName);
    }
    return kept;
}

void refresh()
{
    catalog() = {};
}

} // namespace printercatalog
