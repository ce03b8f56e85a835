#pragma once

#include "pageprinter.h"

#include <QPainter>
#include <memory>

// The system's default printer (through CUPS on Linux), drawn on with
// QPainter at the printer's own resolution. The texts of a page are kept
// until the page ends (EndDoc or NewPage) and drawn then, all at once: a
// page Qt has begun cannot be taken back (QPrinter::abort does not stop
// it), and one killed or never ended must not reach the printer. Pages
// ended by NewPage are part of the job that EndDoc hands over. Its dots,
// the unit of ScaleMode 3, are those of the page Qt draws for the printer:
// 1/1200 inch through CUPS.
class SystemPrinter : public PagePrinter
{
public:
    // The named printer, or the system's default one for an empty name.
    explicit SystemPrinter(const QString &printerName = {});

    QString EndDoc() override;
    QString NewPage() override;

    // The face printed for a name no installed font carries (such as "1").
    static QString substituteFace();

private:
    QString noPrinterText() const override;
    QString paintPage();

    std::unique_ptr<QPainter> m_job;  // open from the first page drawn to EndDoc
};
