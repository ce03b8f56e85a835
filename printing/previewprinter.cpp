#include "previewprinter.h"

#include "scalemode.h"
#include "pagerules.h"

#include <QPageLayout>

PreviewPrinter::PreviewPrinter(const QString &printerName)
    : m_printer(QPrinter::HighResolution)
    , m_scaleMode(ScaleInches)
{
    m_printer.setPrinterName(printerName);
}

void PreviewPrinter::Orientation(int orientation)
{
    if (QString problem = applyOrientation(m_printer, orientation); !problem.isEmpty())
        m_unsupported = problem;
}

void PreviewPrinter::PaperSize(int paperSize)
{
    if (QString problem = applyPaperSize(m_printer, paperSize); !problem.isEmpty())
        m_unsupported = problem;
}

void PreviewPrinter::ScaleMode(int scaleMode)
{
    if (QString problem = scaleModeProblem(scaleMode); !problem.isEmpty())
        m_unsupported = problem;
    else
        m_scaleMode = scaleMode;
}

void PreviewPrinter::FontName(const QString &name)
{
    m_font.setFamily(printedFace(name));
}

void PreviewPrinter::FontSize(float points)
{
    m_font.setPointSizeF(points);
}

void PreviewPrinter::CurrentX(float x)
{
    m_x = x;
}

void PreviewPrinter::CurrentY(float y)
{
    m_y = y;
}

double PreviewPrinter::ScaleWidth() const
{
    const int dpi = m_printer.logicalDpiX();
    return printableArea(m_printer.pageLayout()).width() * dpi / 72 / dotsPerUnit(dpi);
}

double PreviewPrinter::ScaleLeft() const
{
    const int dpi = m_printer.logicalDpiX();
    return -m_offset.x() * dpi / 72 / dotsPerUnit(dpi);
}

double PreviewPrinter::ScaleTop() const
{
    const int dpi = m_printer.logicalDpiY();
    return -m_offset.y() * dpi / 72 / dotsPerUnit(dpi);
}

double PreviewPrinter::ScaleHeight() const
{
    const int dpi = m_printer.logicalDpiY();
    return printableArea(m_printer.pageLayout()).height() * dpi / 72 / dotsPerUnit(dpi);
}

double PreviewPrinter::TextWidth(const QString &text) const
{
    return metrics().horizontalAdvance(text) / dotsPerUnit(m_printer.logicalDpiX());
}

double PreviewPrinter::TextHeight(const QString &) const
{
    return metrics().height() / dotsPerUnit(m_printer.logicalDpiY());
}

bool PreviewPrinter::HasGlyph(char32_t character) const
{
    return metrics().inFontUcs4(character);
}

QString PreviewPrinter::Print(const QString &text)
{
    if (!m_unsupported.isEmpty())
        return m_unsupported;
    if (m_printer.printerName().isEmpty() || m_printer.outputFormat() != QPrinter::NativeFormat)
        return QStringLiteral("There is no printer to preview the cheque for. Set up a printer "
                              "and preview again.");
    const QFontMetricsF measured = metrics();
    const double dpiX = m_printer.logicalDpiX(), dpiY = m_printer.logicalDpiY();
    const QPointF topLeft = points(m_x, m_y);
    m_begun.append({text, m_font,
                    QRectF(topLeft, QSizeF(measured.horizontalAdvance(text) * 72 / dpiX,
                                           measured.height() * 72 / dpiY)),
                    topLeft.y() + measured.ascent() * 72 / dpiY});
    m_x = 0;
    m_y += measured.lineSpacing() / dotsPerUnit(dpiY);
    return {};
}

QString PreviewPrinter::EndDoc()
{
    const QPageLayout layout = m_printer.pageLayout();
    m_ended = {layout.fullRectPoints().size().toSizeF(), printableArea(layout),
               std::exchange(m_begun, {}), std::exchange(m_begunLines, {})};
    // Positions count from the printable area's corner, as on paper, and
    // move by the printer's offset as they do there.
    const QPointF corner = m_ended.printableArea.topLeft() + m_offset;
    for (Text &text : m_ended.texts) {
        text.box.translate(corner);
        text.baseline += corner.y();
    }
    for (QPolygonF &line : m_ended.lines)
        line.translate(corner);
    return {};
}

void PreviewPrinter::KillDoc()
{
    m_begun.clear();
    m_begunLines.clear();
}

void PreviewPrinter::Line(float x1, float y1, float x2, float y2)
{
    m_begunLines.append(QPolygonF({points(x1, y1), points(x2, y2)}));
    m_x = x2;
    m_y = y2;
}

void PreviewPrinter::Box(float x1, float y1, float x2, float y2)
{
    m_begunLines.append(QPolygonF(QRectF(points(x1, y1), points(x2, y2))));
    m_x = x2;
    m_y = y2;
}

void PreviewPrinter::Offset(double rightMm, double downMm)
{
    m_offset = QPointF(rightMm, downMm) * 72 / 25.4;
}

QPointF PreviewPrinter::points(float x, float y) const
{
    const double dpiX = m_printer.logicalDpiX(), dpiY = m_printer.logicalDpiY();
    return {x * dotsPerUnit(dpiX) * 72 / dpiX, y * dotsPerUnit(dpiY) * 72 / dpiY};
}

double PreviewPrinter::dotsPerUnit(int dotsPerInch) const
{
    return ::dotsPerUnit(m_scaleMode, dotsPerInch);
}
