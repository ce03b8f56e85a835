#include "pageview.h"

#include <QPainter>
#include <QWheelEvent>

namespace {

const int border = 12;  // grey round the paper, in pixels
// The leaf of the cheque clearing standard, 203.2 x 93.1 mm, in points.
const QSizeF leafSize(203.2 * 72 / 25.4, 93.1 * 72 / 25.4);

} // namespace

PageView::PageView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PageView"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
}

void PageView::setPage(const PreviewPrinter::Page &page)
{
    m_page = page;
    setPixelsPerPoint(m_pixelsPerPoint);
}

void PageView::setPixelsPerPoint(double pixelsPerPoint)
{
    m_pixelsPerPoint = pixelsPerPoint;
    resize((m_page.size * pixelsPerPoint).toSize() + QSize(2 * border, 2 * border));
    update();
}

QPointF PageView::pageCorner() const
{
    return {border, border};
}

double PageView::pixelsPerPointToFit(const QSize &area) const
{
    if (m_page.size.isEmpty())
        return m_pixelsPerPoint;
    return qMin((area.width() - 2 * border) / m_page.size.width(),
                (area.height() - 2 * border) / m_page.size.height());
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(pageCorner());
    painter.scale(m_pixelsPerPoint, m_pixelsPerPoint);  // from here on in points
    painter.fillRect(QRectF(QPointF(), m_page.size), Qt::white);

    QPen outline(QColor(0x50, 0x70, 0xb0), 0, Qt::DashLine);  // a hairline at any zoom
    painter.setPen(outline);
    painter.drawRect(m_page.printableArea);
    outline.setColor(QColor(0x90, 0x90, 0x90));
    outline.setStyle(Qt::DotLine);
    painter.setPen(outline);
    painter.drawRect(QRectF(m_page.printableArea.topLeft(), leafSize));

    painter.setPen(Qt::black);
    for (const PreviewPrinter::Text &text : m_page.texts) {
        // One unit is a point here, so the face is sized in the screen's
        // points that make one printed point; unhinted, it keeps the
        // printed widths at every zoom.
        QFont font = text.font;
        font.setPointSizeF(text.font.pointSizeF() * 72 / logicalDpiY());
        font.setHintingPreference(QFont::PreferNoHinting);
        painter.setFont(font);
        painter.drawText(QPointF(text.box.left(), text.baseline), text.text);
    }
    painter.setPen(QPen(Qt::black, 0.1 * 72 / 25.4));  // the printer's thin line
    for (const QPolygonF &line : m_page.lines)
        painter.drawPolyline(line);
}

void PageView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();  // the scroll area scrolls
        return;
    }
    emit zoomSteps(event->angleDelta().y() / 120.0);
    event->accept();
}
