#pragma once

#include "pageview.h"

#include <QList>
#include <QRectF>

// The page with every cheque item framed as a box the user can drag, or
// select (by a click, or Tab and Shift+Tab) and move with the arrow keys,
// and each words line's width as a handle at its right end. It reports the
// moves; its owner changes the layout and gives back the boxes.
class DesignView : public PageView
{
    Q_OBJECT
public:
    struct Box {
        int item;      // the owner's number for it
        QString name;  // shown when the item prints no text
        QRectF points; // on the page
        bool hasText;
    };

    explicit DesignView(QWidget *parent = nullptr);

    // The width handles, one a words line, in the lines' order; a null
    // one is not shown.
    void setBoxes(const QList<Box> &boxes, const QList<QRectF> &widthHandles);
    const QList<Box> &boxes() const { return m_boxes; }
    const QList<QRectF> &widthHandles() const { return m_widthHandles; }
    int selectedItem() const { return m_selected; }

signals:
    // While a box or the handle is dragged: how far from where it started,
    // in points. Ended once, when the button is released.
    void dragged(int item, QPointF points);
    void dragEnded(int item, QPointF points);
    void widthDragged(int line, double points);
    void widthDragEnded(int line, double points);
    // An arrow key on the selected item: the direction, and whether it was
    // a large step.
    void nudged(int item, QPoint direction, bool large);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Tab and Shift+Tab go through the items before leaving the page.
    bool focusNextPrevChild(bool next) override;

private:
    enum class Dragging { Nothing, Box, Width };

    QPointF pagePoints(const QPointF &viewPixels) const;
    QPointF dragPoints(const QPointF &viewPixels) const;
    int handleAt(const QPointF &points) const;  // -1 when on none

    QList<Box> m_boxes;
    QList<QRectF> m_widthHandles;
    int m_handle = -1;  // the one dragged
    int m_selected = -1;
    Dragging m_dragging = Dragging::Nothing;
    QPointF m_dragStart;  // in points on the page
};
