#pragma once

#include "printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPolygonF>
#include <QPrinter>
#include <QRectF>

// The page a printer would print, kept for showing on the screen instead
// of being printed. Its geometry (paper, unprintable edges, dots) is the
// named printer's own, as Qt describes it to the system printer, so the
// preview and the paper agree.
class PreviewPrinter : public Printer
{
public:
    // Everything in points (1/72 inch) from the page's top-left corner.
    struct Text {
        QString text;
        QFont font;       // the face and point size printed
        QRectF box;       // from the top to the bottom of the face, as wide as the text
        double baseline;  // where the painter draws the text
    };
    struct Page {
        QSizeF size;
        QRectF printableArea;
        QList<Text> texts;
        QList<QPolygonF> lines;  // lines and boxes
    };

    explicit PreviewPrinter(const QString &printerName);

    void Orientation(int orientation) override;
    void PaperSize(int paperSize) override;
    void ScaleMode(int scaleMode) override;
    void FontName(const QString &name) override;
    void FontSize(float points) override;
    void CurrentX(float x) override;
    void CurrentY(float y) override;
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double ScaleLeft() const override;
    double ScaleTop() const override;
    double TextWidth(const QString &text) const override;
    double TextHeight(const QString &text) const override;
    bool HasGlyph(char32_t character) const override;
    QString Print(const QString &text) override;
    QString EndDoc() override;
    void KillDoc() override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Box(float x1, float y1, float x2, float y2) override;
    void Offset(double rightMm, double downMm) override;
    float CurrentX() const override { return m_x; }
    float CurrentY() const override { return m_y; }

    // The last page ended; empty until one is.
    const Page &page() const { return m_ended; }

private:
    // Texts are measured here only, at the printer's resolution.
    QFontMetricsF metrics() const { return QFontMetricsF(m_font, &m_printer); }
    double dotsPerUnit(int dotsPerInch) const;
    QPointF points(float x, float y) const;  // from the current unit

    QPrinter m_printer;
    QFont m_font;
    int m_scaleMode;
    float m_x = 0;
    float m_y = 0;
    QString m_unsupported;
    QList<Text> m_begun;  // in points from the printable area's corner
    QList<QPolygonF> m_begunLines;
    QPointF m_offset;  // in points
    Page m_ended;
};
