#include "previewprinter.h"

#include "pagerules.h"
#include "printercatalog.h"

#include <QPageLayout>
#include <QTransform>

// Laid out on the printer the catalog keeps for the run: its paper and
// edges are read from CUPS once, not at every preview.
PreviewPrinter::PreviewPrinter(const QString &printerName)
    : PagePrinter(printercatalog::layoutPrinter(printerName))
{
}

QString PreviewPrinter::noPrinterText() const
{
    return QStringLiteral("There is no printer to preview the cheque for. Set up a printer "
                          "and preview again.");
}

// The page turns from the printer's dots to points, placed on the paper as
// the system printer places it.
QString PreviewPrinter::EndDoc()
{
    const QPageLayout layout = m_printer.pageLayout();
    const QTransform toPoints = QTransform::fromTranslate(movedCorner().x(), movedCorner().y())
        * QTransform::fromScale(72.0 / m_printer.logicalDpiX(), 72.0 / m_printer.logicalDpiY());
    m_ended = {layout.fullRectPoints().size().toSizeF(), printableArea(layout), {}, {}, {},
               offset() * 72 / 25.4};
    for (const PageText &item : takeTexts()) {
        const QFontMetricsF measured = metrics(item.font);
        const QRectF box = toPoints.mapRect(QRectF(
            item.topLeft, QSizeF(measured.horizontalAdvance(item.text), measured.height())));
        const double baseline = toPoints.map(item.topLeft + QPointF(0, measured.ascent())).y();
        m_ended.texts.append({item.text, item.font, box, baseline, item.angle});
    }
    for (const QPolygonF &line : takeLines())
        m_ended.lines.append(toPoints.map(line));
    for (const QRectF &guide : std::exchange(m_guides, {}))
        m_ended.guides.append(toPoints.mapRect(guide));
    return {};
}

void PreviewPrinter::KillDoc()
{
    PagePrinter::KillDoc();
    m_guides.clear();
}

void PreviewPrinter::Guide(float x1, float y1, float x2, float y2)
{
    m_guides.append(QRectF(dots(x1, y1), dots(x2, y2)).normalized());
}
