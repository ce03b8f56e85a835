#pragma once

#include "pageview.h"

#include <QList>
#include <QRectF>

// The page with every cheque item framed as a box the user can drag, or
// select and move with the arrow keys, and the first words line's width as a
// handle at its right end. It reports the moves; its owner changes the
// layout and gives back the boxes.
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

    // A handle of no width is not shown.
    void setBoxes(const QList<Box> &boxes, const QRectF &widthHandle);
    const QList<Box> &boxes() const { return m_boxes; }
    const QRectF &widthHandle() const { return m_widthHandle; }
    int selectedItem() const { return m_selected; }

signals:
    // While a box or the handle is dragged: how far from where it started,
    // in points. Ended once, when the button is released.
    void dragged(int item, QPointF points);
    void dragEnded(int item, QPointF points);
    void widthDragged(double points);
    void widthDragEnded(double points);
    // An arrow key on the selected item: the direction, and whether it was
    // a large step.
    void nudged(int item, QPoint direction, bool large);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Dragging { Nothing, Box, Width };

    QPointF pagePoints(const QPointF &viewPixels) const;
    QPointF dragPoints(const QPointF &viewPixels) const;
    bool onHandle(const QPointF &points) const;

    QList<Box> m_boxes;
    QRectF m_widthHandle;
    int m_selected = -1;
    Dragging m_dragging = Dragging::Nothing;
    QPointF m_dragStart;  // in points on the page
};
