#pragma once

#include "previewprinter.h"

#include <QWidget>

// Draws a page the preview printer kept, at a given number of screen pixels
// per point: the paper, its printable area, the cheque leaf's outline at the
// printable corner, and every text in its printed face and size.
class PageView : public QWidget
{
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    void setPage(const PreviewPrinter::Page &page);
    void setPixelsPerPoint(double pixelsPerPoint);
    double pixelsPerPoint() const { return m_pixelsPerPoint; }
    // Where the page's top-left corner is drawn, in the view's pixels.
    QPointF pageCorner() const;
    // The pixels per point that show the whole page in an area of this size.
    double pixelsPerPointToFit(const QSize &area) const;

signals:
    // Ctrl+wheel: steps up (positive) or down.
    void zoomSteps(double steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    PreviewPrinter::Page m_page;
    double m_pixelsPerPoint = 1;
};
