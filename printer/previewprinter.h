#pragma once

#include "pageprinter.h"

#include <QRectF>

// The page a printer would print, kept for showing on the screen instead
// of being printed. Its geometry (paper, unprintable edges, dots) is the
// named printer's own, as Qt describes it to the system printer, so the
// preview and the paper agree.
class PreviewPrinter : public PagePrinter
{
public:
    // Everything in points (1/72 inch) from the page's top-left corner.
    struct Text {
        QString text;
        QFont font;       // the face and point size printed
        QRectF box;       // from the top to the bottom of the face, as wide as the text
        double baseline;  // where the painter draws the text
        double angle;     // degrees anticlockwise, the box turned about its top-left corner
    };
    struct Page {
        QSizeF size;
        QRectF printableArea;
        QList<Text> texts;
        QList<QPolygonF> lines;  // lines and boxes
        QList<QRectF> guides;    // boxes shown and never printed
        // How far the printer's calibration moves everything printed, and
        // so where the leaf must lie for the texts to land on it.
        QPointF offset;
    };

    explicit PreviewPrinter(const QString &printerName);

    QString EndDoc() override;
    void KillDoc() override;
    void Guide(float x1, float y1, float x2, float y2) override;

    // The last page ended; empty until one is.
    const Page &page() const { return m_ended; }

private:
    QString noPrinterText() const override;

    Page m_ended;
    QList<QRectF> m_guides;  // of the page begun, in dots like its texts
};
