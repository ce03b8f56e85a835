#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <memory>

// The system's printers as CUPS describes them, read once per run: asking
// again costs thousands of small reads from the spooler at every preview,
// and what they are does not change while the program runs unless the
// user sets up a printer, which refresh() takes in.
namespace printercatalog {

QStringList printerNames();
QString defaultPrinterName();

// A printer set to the named printer (the default one for an empty name),
// kept for the run, for laying pages out on its paper: never printed on.
// Whoever uses it sets its orientation and paper first.
std::shared_ptr<QPrinter> layoutPrinter(const QString &printerName);

// Forgets what was read, so the next question asks CUPS again.
void refresh();

} // namespace printercatalog
