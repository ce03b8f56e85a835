#include "systemprinter.h"

#include <QPainter>
#include <QPen>
#include <cups/cups.h>

namespace {

const double thinLineMm = 0.1;

} // namespace

SystemPrinter::SystemPrinter(const QString &printerName)
    : PagePrinter(printerName)
{
}

QString SystemPrinter::substituteFace()
{
    return QStringLiteral("DejaVu Sans");
}

QString SystemPrinter::noPrinterText() const
{
    return QStringLiteral("There is no default printer. Set up a printer as the default "
                          "one and print again.");
}

QString SystemPrinter::EndDoc()
{
    if (pageIsEmpty())
        return {};
    const QList<PageText> texts = takeTexts();
    const QList<QPolygonF> lines = takeLines();
    // Positions count from the printable area's corner, which the painter's
    // origin is moved to; Qt's own margins would put it elsewhere.
    m_printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&m_printer))
        return QStringLiteral("The printer %1 could not be started.").arg(m_printer.printerName());
    painter.translate(movedCorner());
    painter.setPen(QPen(Qt::black, thinLineMm * m_printer.logicalDpiX() / 25.4));
    for (const QPolygonF &line : lines)
        painter.drawPolyline(line);
    for (const PageText &item : texts) {
        // The painter draws text on its baseline; the position is its top.
        painter.setFont(item.font);
        painter.drawText(item.topLeft + QPointF(0, metrics(item.font).ascent()), item.text);
    }
    if (!painter.end())
        return QStringLiteral("The printer %1 could not finish the page.")
            .arg(m_printer.printerName());
    // Qt hands the page to CUPS as its last step but drops the answer; a
    // spooler that refused the job is only known from CUPS itself.
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return QStringLiteral("The printer %1 did not accept the cheque: %2")
            .arg(m_printer.printerName(), QString::fromLocal8Bit(cupsLastErrorString()));
    return {};
}
