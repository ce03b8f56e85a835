#pragma once

#include "printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QPrinter>
#include <memory>
#include <optional>

// A printer whose page is laid out on a named system printer's paper, as
// Qt describes it: its texts and lines are kept, in the printer's dots from
// the printable area's corner, until EndDoc hands the page on, to the
// spooler or to the screen. Both share this one placement, so the preview
// shows what the paper gets.
class PagePrinter : public Printer
{
public:
    void Orientation(int orientation) override;
    void PaperSize(int paperSize) override;
    void ScaleMode(int scaleMode) override;
    void FontName(const QString &name) override;
    void FontSize(float points) override;
    void CurrentX(float x) override;
    void CurrentY(float y) override;
    void TextAngle(float degrees) override;
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double ScaleLeft() const override;
    double ScaleTop() const override;
    double MillimetresPerUnit() const override;
    double TextWidth(const QString &text) const override;
    double TextHeight(const QString &text) const override;
    bool HasGlyph(char32_t character) const override;
    QString Print(const QString &text) override;
    void KillDoc() override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Box(float x1, float y1, float x2, float y2) override;
    void Offset(double rightMm, double downMm) override;
    float CurrentX() const override { return m_x; }
    float CurrentY() const override { return m_y; }

protected:
    // The named printer, or the system's default one for an empty name.
    explicit PagePrinter(const QString &printerName);
    // Laid out on a printer kept elsewhere, which outlives this one.
    explicit PagePrinter(std::shared_ptr<QPrinter> printer);

    // What Print answers when there is no printer to lay the page out for.
    virtual QString noPrinterText() const = 0;

    struct PageText {
        QString text;
        QFont font;
        QPointF topLeft;  // in dots from the printable area's corner
        double angle;     // degrees anticlockwise, about the top-left corner
    };
    // The page begun, handed over and forgotten: the next Print begins anew.
    QList<PageText> takeTexts() { return std::exchange(m_texts, {}); }
    QList<QPolygonF> takeLines() { return std::exchange(m_lines, {}); }
    bool pageIsEmpty() const { return m_texts.isEmpty() && m_lines.isEmpty(); }

    // Where the printable area's corner falls on the paper, the printer's
    // offset included, in dots from the page's corner.
    QPointF movedCorner() const;
    // The printer's calibration offset, in millimetres right and down.
    QPointF offset() const { return m_offset; }
    QPointF dots(float x, float y) const;  // from the current unit
    QFontMetricsF metrics(const QFont &font) const { return QFontMetricsF(font, &m_printer); }

private:
    std::shared_ptr<QPrinter> m_kept;

protected:
    QPrinter &m_printer;

private:
    double dotsPerUnitX() const;
    double dotsPerUnitY() const;
    const QFontMetricsF &fontMetrics() const;

    QList<PageText> m_texts;
    QList<QPolygonF> m_lines;  // lines and boxes, in dots like the texts
    QPointF m_offset;          // in millimetres
    QFont m_font;
    // Metrics of m_font on the printer, kept until the font changes: a new
    // metrics object makes Qt look the face up again for every text.
    mutable std::optional<QFontMetricsF> m_fontMetrics;
    int m_scaleMode;
    float m_x = 0;
    float m_y = 0;
    float m_angle = 0;
    QString m_unsupported;  // a setting this printer cannot carry out
};
