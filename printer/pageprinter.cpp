#include "pageprinter.h"

#include "pagerules.h"
#include "scalemode.h"

#include <QPageLayout>

namespace {

const double millimetresPerInch = 25.4;
const double pointsPerInch = 72;

} // namespace

// Qt picks the system's default printer itself, asking CUPS only once.
PagePrinter::PagePrinter(const QString &printerName)
    : PagePrinter(std::make_shared<QPrinter>(QPrinter::HighResolution))
{
    if (!printerName.isEmpty())
        m_printer.setPrinterName(printerName);
}

PagePrinter::PagePrinter(std::shared_ptr<QPrinter> printer)
    : m_kept(std::move(printer))
    , m_printer(*m_kept)
    , m_scaleMode(ScaleInches)
{
}

void PagePrinter::Orientation(int orientation)
{
    if (QString problem = applyOrientation(m_printer, orientation); !problem.isEmpty())
        m_unsupported = problem;
}

void PagePrinter::PaperSize(int paperSize)
{
    if (QString problem = applyPaperSize(m_printer, paperSize); !problem.isEmpty())
        m_unsupported = problem;
}

void PagePrinter::ScaleMode(int scaleMode)
{
    if (QString problem = scaleModeProblem(scaleMode); !problem.isEmpty())
        m_unsupported = problem;
    else
        m_scaleMode = scaleMode;
}

void PagePrinter::FontName(const QString &name)
{
    m_font.setFamily(printedFace(name));
    m_fontMetrics.reset();
}

void PagePrinter::FontSize(float points)
{
    m_font.setPointSizeF(points);
    m_fontMetrics.reset();
}

void PagePrinter::CurrentX(float x)
{
    m_x = x;
}

void PagePrinter::CurrentY(float y)
{
    m_y = y;
}

void PagePrinter::TextAngle(float degrees)
{
    m_angle = degrees;
}

double PagePrinter::MillimetresPerUnit() const
{
    return dotsPerUnitX() * millimetresPerInch / m_printer.logicalDpiX();
}

double PagePrinter::ScaleWidth() const
{
    return printableArea(m_printer.pageLayout()).width() * m_printer.logicalDpiX()
           / pointsPerInch / dotsPerUnitX();
}

double PagePrinter::ScaleHeight() const
{
    return printableArea(m_printer.pageLayout()).height() * m_printer.logicalDpiY()
           / pointsPerInch / dotsPerUnitY();
}

double PagePrinter::ScaleLeft() const
{
    return -m_offset.x() * m_printer.logicalDpiX() / millimetresPerInch / dotsPerUnitX();
}

double PagePrinter::ScaleTop() const
{
    return -m_offset.y() * m_printer.logicalDpiY() / millimetresPerInch / dotsPerUnitY();
}

const QFontMetricsF &PagePrinter::fontMetrics() const
{
    if (!m_fontMetrics)
        m_fontMetrics.emplace(metrics(m_font));
    return *m_fontMetrics;
}

double PagePrinter::TextWidth(const QString &text) const
{
    return fontMetrics().horizontalAdvance(text) / dotsPerUnitX();
}

// The height the text's face takes, from the top of its ascent to the
// bottom of its descent: the part of the line that can carry ink.
double PagePrinter::TextHeight(const QString &) const
{
    return fontMetrics().height() / dotsPerUnitY();
}

bool PagePrinter::HasGlyph(char32_t character) const
{
    return fontMetrics().inFontUcs4(character);
}

QString PagePrinter::Print(const QString &text)
{
    if (!m_unsupported.isEmpty())
        return m_unsupported;
    // Without a printer Qt has no printer name and falls back to writing a
    // PDF file, with no file name: nothing would be printed.
    if (m_printer.printerName().isEmpty() || m_printer.outputFormat() != QPrinter::NativeFormat)
        return noPrinterText();
    m_texts.append({text, m_font, dots(m_x, m_y), m_angle});
    m_x = 0;
    m_y += fontMetrics().lineSpacing() / dotsPerUnitY();
    return {};
}

void PagePrinter::KillDoc()
{
    m_texts.clear();
    m_lines.clear();
}

void PagePrinter::Line(float x1, float y1, float x2, float y2)
{
    m_lines.append(QPolygonF({dots(x1, y1), dots(x2, y2)}));
    m_x = x2;
    m_y = y2;
}

void PagePrinter::Box(float x1, float y1, float x2, float y2)
{
    m_lines.append(QPolygonF(QRectF(dots(x1, y1), dots(x2, y2))));
    m_x = x2;
    m_y = y2;
}

void PagePrinter::Offset(double rightMm, double downMm)
{
    m_offset = QPointF(rightMm, downMm);
}

QPointF PagePrinter::movedCorner() const
{
    const QPointF corner = printableCorner(m_printer.pageLayout());
    return {corner.x() * m_printer.logicalDpiX() / pointsPerInch
                + m_offset.x() * m_printer.logicalDpiX() / millimetresPerInch,
            corner.y() * m_printer.logicalDpiY() / pointsPerInch
                + m_offset.y() * m_printer.logicalDpiY() / millimetresPerInch};
}

QPointF PagePrinter::dots(float x, float y) const
{
    return {x * dotsPerUnitX(), y * dotsPerUnitY()};
}

double PagePrinter::dotsPerUnitX() const
{
    return dotsPerUnit(m_scaleMode, m_printer.logicalDpiX());
}

double PagePrinter::dotsPerUnitY() const
{
    return dotsPerUnit(m_scaleMode, m_printer.logicalDpiY());
}
