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

void DesignView::setBoxes(const QList<Box> &boxes, const QList<QRectF> &widthHandles)
{
    m_boxes = boxes;
    m_widthHandles = widthHandles;
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
    for (const QRectF &handle : m_widthHandles) {
        if (handle.isNull())
            continue;
        painter.setPen(QPen(selectedColour, 0));
        painter.drawLine(handle.topLeft(), handle.bottomLeft());
        const double reach = handleReachPixels / pixelsPerPoint();
        painter.fillRect(QRectF(handle.left() - reach / 2, handle.center().y() - reach, reach,
                                2 * reach),
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

int DesignView::handleAt(const QPointF &points) const
{
    const double reach = handleReachPixels / pixelsPerPoint();
    for (int line = 0; line < m_widthHandles.size(); ++line) {
        const QRectF &handle = m_widthHandles[line];
        if (!handle.isNull() && qAbs(points.x() - handle.left()) <= reach
            && points.y() >= handle.top() && points.y() <= handle.bottom())
            return line;
    }
    return -1;
}

void DesignView::mousePressEvent(QMouseEvent *event)
{
    // 1. The handle before the boxes: it lies on the words line's box.
    setFocus();
    m_dragStart = pagePoints(event->position());
    if (event->button() != Qt::LeftButton)
        return;
    m_handle = handleAt(m_dragStart);
    if (m_handle >= 0) {
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
        emit widthDragged(m_handle, moved.x());
}

void DesignView::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF moved = dragPoints(event->position());
    const Dragging ended = std::exchange(m_dragging, Dragging::Nothing);
    if (ended == Dragging::Box)
        emit dragEnded(m_selected, moved);
    else if (ended == Dragging::Width)
        emit widthDragEnded(m_handle, moved.x());
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

bool DesignView::focusNextPrevChild(bool next)
{
    const int count = int(m_boxes.size());
    const int to = m_selected < 0 ? (next ? 0 : count - 1) : m_selected + (next ? 1 : -1);
    m_selected = to >= 0 && to < count ? to : -1;
    update();
    return m_selected >= 0 || PageView::focusNextPrevChild(next);
}
