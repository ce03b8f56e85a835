#pragma once

#include "leafimage.h"
#include "previewprinter.h"

#include <QPixmap>
#include <QWidget>
#include <optional>

class QPainter;

// Draws a page the preview printer kept, at a given number of screen pixels
// per point: the paper, its printable area, the cheque leaf's outline (the
// bank's leaf image where it has one), and every text in its printed face
// and size.
class PageView : public QWidget
{
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    void setPage(const PreviewPrinter::Page &page);
    void setLeafImage(const std::optional<LeafImage> &leaf);
    // The leaf's place in millimetres when it has no image (a standard
    // leaf's size at the corner); the image's own place comes first.
    void setLeafOutline(const std::optional<QRectF> &millimetres);
    void setPixelsPerPoint(double pixelsPerPoint);
    double pixelsPerPoint() const { return m_pixelsPerPoint; }
    // Where the page's top-left corner is drawn, in the view's pixels.
    QPointF pageCorner() const;
    // The pixels per point that show the whole page in an area of this size.
    double pixelsPerPointToFit(const QSize &area) const;
    // Where the leaf lies, in points from the page's corner: the bank's
    // image's place, or the standard leaf at the printable corner, moved
    // by the printer's calibration as the texts are.
    QRectF leafPlace() const;
    // Draws a text in points from the page's corner: its printed face at
    // its exact size, fractions of a point included.
    static void drawText(QPainter &painter, const PreviewPrinter::Text &text);

signals:
    // Ctrl+wheel: steps up (positive) or down.
    void zoomSteps(double steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

    // The page's points at the painter's origin, one unit a point.
    void toPagePoints(QPainter &painter) const;
    const PreviewPrinter::Page &page() const { return m_page; }

private:
    void drawLeafImage(QPainter &painter);

    PreviewPrinter::Page m_page;
    std::optional<LeafImage> m_leaf;
    std::optional<QRectF> m_outline;
    QPixmap m_leafAtZoom;  // scaled once per zoom: smooth scaling is too slow for every paint
    double m_pixelsPerPoint = 1;
};
