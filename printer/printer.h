#pragma once

#include <QString>
#include <functional>
#include <memory>

// The printer a cheque is drawn on, through the operations of the classic
// printer object. Unit, font and position apply to the text printed after
// them, orientation and paper size to the whole page; the document begins
// with the first Print and ends with EndDoc.
//
// Print and EndDoc report a failure as a text for the user (empty when all
// went well); after a failed Print the caller discards the page with KillDoc.
class Printer
{
public:
    virtual ~Printer() = default;

    virtual void Orientation(int orientation) = 0;  // 1 portrait, 2 landscape
    virtual void PaperSize(int paperSize) = 0;      // 20 is the #10 envelope
    // 3 printer dots, 5 inches, 6 millimetres, 7 centimetres
    virtual void ScaleMode(int scaleMode) = 0;
    virtual void FontName(const QString &name) = 0;
    virtual void FontSize(float points) = 0;
    // Where the top-left corner of the next text goes, in the current unit,
    // from the top-left corner of the printable area.
    virtual void CurrentX(float x) = 0;
    virtual void CurrentY(float y) = 0;
    // The slope of the texts printed after it, in degrees anticlockwise,
    // each turned about its top-left corner: 0 is level.
    virtual void TextAngle(float degrees) = 0;

    // Measures in the current unit: the printable area of the page as set,
    // and a text as Print would draw it on one line in the current font
    // (its height the line's, the same for every text in that font).
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    // Where the printable area's left and top edges fall in the positions
    // given to CurrentX and CurrentY: 0, unless an Offset moves the page.
    virtual double ScaleLeft() const = 0;
    virtual double ScaleTop() const = 0;
    // How many millimetres one unit spans on the paper.
    virtual double MillimetresPerUnit() const = 0;
    virtual double TextWidth(const QString &text) const = 0;
    virtual double TextHeight(const QString &text) const = 0;
    // Whether the current font (or a face the printer falls back to) draws
    // the character, a Unicode code point; one it cannot prints as nothing.
    virtual bool HasGlyph(char32_t character) const = 0;

    // Draws the text from the current position, then moves to the start of
    // the next line.
    [[nodiscard]] virtual QString Print(const QString &text) = 0;
    // Releases the page to the printer; the next Print starts a new document.
    [[nodiscard]] virtual QString EndDoc() = 0;
    // Throws the begun document away: nothing of it reaches the printer.
    virtual void KillDoc() = 0;
    // Ends the page and begins the next one in the same document, so that
    // many pages go to the printer as one job at EndDoc. A printer that
    // cannot keep a job open ends the document here.
    [[nodiscard]] virtual QString NewPage() { return EndDoc(); }

    // A thin line, or a box with these opposite corners, in the current
    // unit from the printable area's corner; the position moves to its end.
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    virtual void Box(float x1, float y1, float x2, float y2) = 0;
    // A box shown where the page is shown on the screen, and never printed
    // (the boxes the leaf has for the date's digits); a printer that only
    // prints leaves it out.
    virtual void Guide(float /*x1*/, float /*y1*/, float /*x2*/, float /*y2*/) {}
    // Moves everything on the page this many millimetres right and down,
    // making up for a printer that prints off its mark.
    virtual void Offset(double rightMm, double downMm) = 0;
    // Where the next text goes, in the current unit, as the setters above
    // and the last Print, Line or Box left it.
    virtual float CurrentX() const = 0;
    virtual float CurrentY() const = 0;
};

// The printer cheques go to: the named one, or the system's default printer
// for an empty name, unless a test has installed a factory of its own;
// given the offset kept for that printer.
std::unique_ptr<Printer> openPrinter(const QString &printerName = {});

using PrinterFactory = std::function<std::unique_ptr<Printer>()>;
// Installs a factory and returns the one it replaces (an empty one means
// the system's default printer).
PrinterFactory setPrinterFactory(PrinterFactory factory);
