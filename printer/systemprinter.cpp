#include "systemprinter.h"

#include "pagerules.h"

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
    return ::substituteFace();
}

QString SystemPrinter::noPrinterText() const
{
    return QStringLiteral("There is no default printer. Set up a printer as the default "
                          "one and print again.");
}

QString SystemPrinter::EndDoc()
{
    if (!m_job && pageIsEmpty())
        return {};
    if (QString problem = paintPage(); !problem.isEmpty())
        return problem;
    if (!std::exchange(m_job, {})->end())
        return QStringLiteral("The printer %1 could not finish the page.")
            .arg(m_printer.printerName());
    // Qt hands the page to CUPS as its last step but drops the answer; a
    // spooler that refused the job is only known from CUPS itself.
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return QStringLiteral("The printer %1 did not accept the cheque: %2")
            .arg(m_printer.printerName(), QString::fromLocal8Bit(cupsLastErrorString()));
    return {};
}

QString SystemPrinter::NewPage()
{
    if (QString problem = paintPage(); !problem.isEmpty())
        return problem;
    if (!m_printer.newPage())
        return QStringLiteral("The printer %1 could not begin a new page.")
            .arg(m_printer.printerName());
    return {};
}

// Draws the kept page into the job, which its first page begins.
QString SystemPrinter::paintPage()
{
    const QList<PageText> texts = takeTexts();
    const QList<QPolygonF> lines = takeLines();
    if (!m_job) {
        // Positions count from the printable area's corner, which the
        // painter's origin is moved to; Qt's own margins would put it elsewhere.
        m_printer.setFullPage(true);
        m_job = std::make_unique<QPainter>();
        if (!m_job->begin(&m_printer)) {
            m_job.reset();
            return QStringLiteral("The printer %1 could not be started.")
                .arg(m_printer.printerName());
        }
    }
    QPainter &painter = *m_job;
    painter.resetTransform();
    painter.translate(movedCorner());
    painter.setPen(QPen(Qt::black, thinLineMm * m_printer.logicalDpiX() / 25.4));
    for (const QPolygonF &line : lines)
        painter.drawPolyline(line);
    for (const PageText &item : texts) {
        // The painter draws text on its baseline; the position is its top,
        // which a sloping text turns about.
        painter.save();
        painter.translate(item.topLeft);
        painter.rotate(-item.angle);
        painter.setFont(item.font);
        painter.drawText(QPointF(0, metrics(item.font).ascent()), item.text);
        painter.restore();
    }
    return {};
}
