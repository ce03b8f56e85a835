#pragma once

#include "printer.h"

#include <QFont>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QPainter>
#include <QPrinter>
#include <memory>

// The system's default printer (through CUPS on Linux), drawn on with
// QPainter at the printer's own resolution. The texts of a page are kept
// until the page ends (EndDoc or NewPage) and drawn then, all at once: a
// page Qt has begun cannot be taken back (QPrinter::abort does not stop
// it), and one killed or never ended must not reach the printer. Pages
// ended by NewPage are part of the job that EndDoc hands over. Its dots, the unit of ScaleMode 3, are
// those of the page Qt draws for the printer: 1/1200 inch through CUPS.
class SystemPrinter : public Printer
{
public:
    // The named printer, or the system's default one for an empty name.
    explicit SystemPrinter(const QString &printerName = {});

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
    QString NewPage() override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Box(float x1, float y1, float x2, float y2) override;
    void Offset(double rightMm, double downMm) override;
    float CurrentX() const override { return m_x; }
    float CurrentY() const override { return m_y; }

    // The face printed for a name no installed font carries (such as "1").
    static QString substituteFace();

private:
    QString paintPage();
    QPointF printableCorner() const;  // in points from the page's corner
    QSizeF printableSize() const;     // in points
    QPointF dots(float x, float y) const;  // from the current unit
    double dotsPerUnitX() const;
    double dotsPerUnitY() const;

    struct PageText {
        QString text;
        QFont font;
        QPointF topLeft;  // in dots from the printable area's corner
    };

    QPrinter m_printer;
    std::unique_ptr<QPainter> m_job;  // open from the first page drawn to EndDoc
    QList<PageText> m_page;
    QList<QPolygonF> m_lines;  // lines and boxes, in dots like the texts
    QPointF m_offset;          // in millimetres
    QFont m_font;
    int m_scaleMode;
    float m_x = 0;
    float m_y = 0;
    QString m_unsupported;  // a setting this printer cannot carry out
};
