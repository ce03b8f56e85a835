#pragma once

#include "printer.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>

// The system's default printer (through CUPS on Linux), drawn on with
// QPainter at the printer's own resolution.
class SystemPrinter : public Printer
{
public:
    SystemPrinter();
    ~SystemPrinter() override;

    void Orientation(int orientation) override;
    void PaperSize(int paperSize) override;
    void ScaleMode(int scaleMode) override;
    void FontName(const QString &name) override;
    void FontSize(float points) override;
    void CurrentX(float x) override;
    void CurrentY(float y) override;
    QString Print(const QString &text) override;
    QString EndDoc() override;
    void KillDoc() override;

    // The face printed for a name no installed font carries (such as "1").
    static QString substituteFace();

private:
    QString beginDocument();
    QPointF printableCorner() const;  // in points from the page's corner
    double dotsPerUnitX() const;
    double dotsPerUnitY() const;
    double dotsPerUnit(int dotsPerInch) const;

    QPrinter m_printer;
    QPainter m_painter;
    QFont m_font;
    int m_scaleMode;
    float m_x = 0;
    float m_y = 0;
    QString m_unsupported;  // a setting this printer cannot carry out
};
