#include "pageview.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QWheelEvent>

namespace {

const int border = 12;  // grey round the paper, in pixels
const double pointsPerMillimetre = 72 / 25.4;
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

void PageView::setLeafImage(const std::optional<LeafImage> &leaf)
{
    m_leaf = leaf;
    m_leafAtZoom = {};
    update();
}

void PageView::setLeafOutline(const std::optional<QRectF> &millimetres)
{
    m_outline = millimetres;
    update();
}

void PageView::setPixelsPerPoint(double pixelsPerPoint)
{
    if (pixelsPerPoint != m_pixelsPerPoint)
        m_leafAtZoom = {};
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
    toPagePoints(painter);
    // The paper filled to whole pixels: smoothed, its edges took longer
    // than all the rest of the page.
    painter.fillRect(QRectF(QPointF(), m_page.size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    drawLeafImage(painter);

    QPen outline(QColor(0x50, 0x70, 0xb0), 0, Qt::DashLine);  // a hairline at any zoom
    painter.setPen(outline);
    painter.drawRect(m_page.printableArea);
    outline.setColor(QColor(0x90, 0x90, 0x90));
    outline.setStyle(Qt::DotLine);
    painter.setPen(outline);
    painter.drawRect(leafPlace());

    for (const PreviewPrinter::Text &text : m_page.texts) {
        // A sloping text turns about its top-left corner, as on paper.
        painter.save();
        painter.translate(text.box.topLeft());
        painter.rotate(-text.angle);
        painter.translate(-text.box.topLeft());
        drawText(painter, text);
        painter.restore();
    }
    painter.setPen(QPen(Qt::black, 0.1 * 72 / 25.4));  // the printer's thin line
    for (const QPolygonF &line : m_page.lines)
        painter.drawPolyline(line);
    painter.setPen(QPen(QColor(0xc0, 0x40, 0x40), 0, Qt::DashLine));  // shown, never printed
    for (const QRectF &guide : m_page.guides)
        painter.drawRect(guide);
}

void PageView::drawText(QPainter &painter, const PreviewPrinter::Text &text)
{
    // The screen's fonts come in whole pixels, so words fitted at 11.5
    // points would be drawn at 11 or 12. The glyphs laid out at a large
    // size are scaled, font and places, to the width the printer gives the
    // text (its own fonts come in whole dots), so the screen shows the
    // paper's size at any zoom. Drawn as glyphs, not as their outlines,
    // which took longer to fill than the rest of the window to open.
    const double layoutPixels = 1000;
    QFont font = text.font;
    font.setPixelSize(int(layoutPixels));
    font.setHintingPreference(QFont::PreferNoHinting);
    QTextLayout layout(text.text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setNumColumns(int(text.text.size()));
    layout.endLayout();
    const double advance = QFontMetricsF(font).horizontalAdvance(text.text);
    const double scale = advance > 0 ? text.box.width() / advance
                                     : text.font.pointSizeF() / layoutPixels;
    painter.setPen(Qt::black);
    for (QGlyphRun run : layout.glyphRuns()) {
        QRawFont glyphs = run.rawFont();
        glyphs.setPixelSize(glyphs.pixelSize() * scale);
        QList<QPointF> places = run.positions();
        for (QPointF &place : places)
            place = QPointF(place.x(), place.y() - line.ascent()) * scale;
        run.setRawFont(glyphs);
        run.setPositions(places);
        painter.drawGlyphRun(QPointF(text.box.left(), text.baseline), run);
    }
}

void PageView::toPagePoints(QPainter &painter) const
{
    painter.translate(pageCorner());
    painter.scale(m_pixelsPerPoint, m_pixelsPerPoint);
}

void PageView::drawLeafImage(QPainter &painter)
{
    if (!m_leaf || m_leaf->image.isNull())
        return;
    const QRectF place = leafPlace();
    const QSize pixels = (place.size() * m_pixelsPerPoint).toSize();
    if (m_leafAtZoom.size() != pixels)
        m_leafAtZoom = QPixmap::fromImage(m_leaf->image.scaled(pixels, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation));
    painter.drawPixmap(place, m_leafAtZoom, QRectF(m_leafAtZoom.rect()));
}

QRectF PageView::leafPlace() const
{
    // The leaf lies where the calibrated printer puts the printable corner,
    // so the texts moved by the offset stay on it, as on paper: the bank's
    // image's place, its outline, or the CTS-2010 leaf at that corner.
    const QPointF corner = m_page.printableArea.topLeft() + m_page.offset;
    const std::optional<QRectF> mm = m_leaf ? m_leaf->millimetres : m_outline;
    if (!mm)
        return QRectF(corner, leafSize);
    return QRectF(corner + mm->topLeft() * pointsPerMillimetre, mm->size() * pointsPerMillimetre);
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
