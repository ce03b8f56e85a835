#include "designview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

const double handleReachPixels = 5;  // how near the handle a press takes it
const double nameFontPoints = 7;
const QColor boxColour(0x20, 0x80, 0x30);
const QColor selectedColour(0xd0, 0x40, 0x10);

} // namespace

DesignView::DesignView(QWidget *parent)
    : PageView(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
}

void DesignView::setBoxes(const QList<Box> &boxes, const QRectF &widthHandle)
{
    m_boxes = boxes;
    m_widthHandle = widthHandle;
    update();
}

void DesignView::paintEvent(QPaintEvent *event)
{
    PageView::paintEvent(event);
    QPainter painter(this);
    toPagePoints(painter);
    // Names are read on the screen: a small face of the same size at any zoom.
    QFont nameFont = font();
    nameFont.setPointSizeF(nameFontPoints / pixelsPerPoint() * logicalDpiY() / 72);
    painter.setFont(nameFont);
    for (const Box &box : m_boxes) {
        QPen pen(box.item == m_selected ? selectedColour : boxColour, 0);
        painter.setPen(pen);
        painter.drawRect(box.points);
        if (!box.hasText)
            painter.drawText(box.points, Qt::AlignLeft | Qt::AlignVCenter, box.name);
    }
    if (m_widthHandle.width() > 0 || m_widthHandle.height() > 0) {
        painter.setPen(QPen(selectedColour, 0));
        painter.drawLine(m_widthHandle.topLeft(), m_widthHandle.bottomLeft());
        const double reach = handleReachPixels / pixelsPerPoint();
        painter.fillRect(QRectF(m_widthHandle.left() - reach / 2, m_widthHandle.center().y() - reach,
                                reach, 2 * reach),
                         selectedColour);
    }
}

QPointF DesignView::pagePoints(const QPointF &viewPixels) const
{
    return (viewPixels - pageCorner()) / pixelsPerPoint();
}

QPointF DesignView::dragPoints(const QPointF &viewPixels) const
{
    return pagePoints(viewPixels) - m_dragStart;
}

bool DesignView::onHandle(const QPointF &points) const
{
    if (m_widthHandle.isNull())
        return false;
    const double reach = handleReachPixels / pixelsPerPoint();
    return qAbs(points.x() - m_widthHandle.left()) <= reach && points.y() >= m_widthHandle.top()
        && points.y() <= m_widthHandle.bottom();
}

void DesignView::mousePressEvent(QMouseEvent *event)
{
    // 1. The handle before the boxes: it lies on the words line's box.
    setFocus();
    m_dragStart = pagePoints(event->position());
    if (event->button() != Qt::LeftButton)
        return;
    if (onHandle(m_dragStart)) {
        m_dragging = Dragging::Width;
        return;
    }
    // 2. The topmost box under the pointer, else nothing selected.
    m_selected = -1;
    for (auto box = m_boxes.crbegin(); box != m_boxes.crend(); ++box) {
        if (box->points.contains(m_dragStart)) {
            m_selected = box->item;
            m_dragging = Dragging::Box;
            break;
        }
    }
    update();
}

void DesignView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF moved = dragPoints(event->position());
    if (m_dragging == Dragging::Box)
        emit dragged(m_selected, moved);
    else if (m_dragging == Dragging::Width)
        emit widthDragged(moved.x());
}

void DesignView::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF moved = dragPoints(event->position());
    const Dragging ended = std::exchange(m_dragging, Dragging::Nothing);
    if (ended == Dragging::Box)
        emit dragEnded(m_selected, moved);
    else if (ended == Dragging::Width)
        emit widthDragEnded(moved.x());
}

void DesignView::keyPressEvent(QKeyEvent *event)
{
    QPoint direction;
    switch (event->key()) {
    case Qt::Key_Left: direction = {-1, 0}; break;
    case Qt::Key_Right: direction = {1, 0}; break;
    case Qt::Key_Up: direction = {0, -1}; break;
    case Qt::Key_Down: direction = {0, 1}; break;
    default:
        PageView::keyPressEvent(event);
        return;
    }
    if (m_selected >= 0)
        emit nudged(m_selected, direction, event->modifiers() & Qt::ShiftModifier);
    event->accept();
}
