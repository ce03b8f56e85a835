#include "systemprinter.h"

#include "pagerules.h"
#include "scalemode.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <cups/cups.h>

namespace {

const double millimetresPerInch = 25.4;
const double thinLineMm = 0.1;

} // namespace

// Qt picks the system's default printer itself, asking CUPS only once.
SystemPrinter::SystemPrinter(const QString &printerName)
    : m_printer(QPrinter::HighResolution)
    , m_scaleMode(ScaleInches)
{
    if (!printerName.isEmpty())
        m_printer.setPrinterName(printerName);
}

QString SystemPrinter::substituteFace()
{
    return QStringLiteral("DejaVu Sans");
}

void SystemPrinter::Orientation(int orientation)
{
    if (QString problem = applyOrientation(m_printer, orientation); !problem.isEmpty())
        m_unsupported = problem;
}

void SystemPrinter::PaperSize(int paperSize)
{
    if (QString problem = applyPaperSize(m_printer, paperSize); !problem.isEmpty())
        m_unsupported = problem;
}

void SystemPrinter::ScaleMode(int scaleMode)
{
    if (QString problem = scaleModeProblem(scaleMode); !problem.isEmpty())
        m_unsupported = problem;
    else
        m_scaleMode = scaleMode;
}

void SystemPrinter::FontName(const QString &name)
{
    m_font.setFamily(printedFace(name));
}

void SystemPrinter::FontSize(float points)
{
    m_font.setPointSizeF(points);
}

void SystemPrinter::CurrentX(float x)
{
    m_x = x;
}

void SystemPrinter::CurrentY(float y)
{
    m_y = y;
}

double SystemPrinter::ScaleWidth() const
{
    return printableSize().width() * m_printer.logicalDpiX() / 72.0 / dotsPerUnitX();
}

double SystemPrinter::ScaleHeight() const
{
    return printableSize().height() * m_printer.logicalDpiY() / 72.0 / dotsPerUnitY();
}

double SystemPrinter::ScaleLeft() const
{
    return -m_offset.x() * m_printer.logicalDpiX() / 25.4 / dotsPerUnitX();
}

double SystemPrinter::ScaleTop() const
{
    return -m_offset.y() * m_printer.logicalDpiY() / 25.4 / dotsPerUnitY();
}

double SystemPrinter::TextWidth(const QString &text) const
{
    return QFontMetricsF(m_font, &m_printer).horizontalAdvance(text) / dotsPerUnitX();
}

// The height the text's face takes, from the top of its ascent to the
// bottom of its descent: the part of the line that can carry ink.
double SystemPrinter::TextHeight(const QString &) const
{
    return QFontMetricsF(m_font, &m_printer).height() / dotsPerUnitY();
}

bool SystemPrinter::HasGlyph(char32_t character) const
{
    return QFontMetricsF(m_font, &m_printer).inFontUcs4(character);
}

QString SystemPrinter::Print(const QString &text)
{
    if (!m_unsupported.isEmpty())
        return m_unsupported;
    // Without a default printer Qt has no printer name and falls back to
    // writing a PDF file, with no file name: nothing would be printed.
    if (m_printer.printerName().isEmpty() || m_printer.outputFormat() != QPrinter::NativeFormat)
        return QStringLiteral("There is no default printer. Set up a printer as the default "
                              "one and print again.");
    m_page.append({text, m_font, QPointF(m_x * dotsPerUnitX(), m_y * dotsPerUnitY())});
    m_x = 0;
    m_y += QFontMetricsF(m_font, &m_printer).lineSpacing() / dotsPerUnitY();
    return {};
}

QString SystemPrinter::EndDoc()
{
    if (!m_job && m_page.isEmpty() && m_lines.isEmpty())
        return {};
    if (QString problem = paintPage(); !problem.isEmpty())
        return problem;
    if (!std::exchange(m_job, {})->end())
        return QStringLiteral("The printer %1 could not finish the page.")
            .arg(m_printer.printerName());
    // Qt hands the page to CUPS as its last step but drops the answer; a
    // spooler that refused the job is only known from CUPS itself.
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return QStringLiteral("The printer %1 did not accept the cheque: %2")
            .arg(m_printer.printerName(), QString::fromLocal8Bit(cupsLastErrorString()));
    return {};
}

QString SystemPrinter::NewPage()
{
    if (QString problem = paintPage(); !problem.isEmpty())
        return problem;
    if (!m_printer.newPage())
        return QStringLiteral("The printer %1 could not begin a new page.")
            .arg(m_printer.printerName());
    return {};
}

// Draws the kept page into the job, which its first page begins.
QString SystemPrinter::paintPage()
{
    const QList<PageText> page = std::exchange(m_page, {});
    const QList<QPolygonF> lines = std::exchange(m_lines, {});
    if (!m_job) {
        // Positions count from the printable area's corner, which the
        // painter's origin is moved to; Qt's own margins would put it elsewhere.
        m_printer.setFullPage(true);
        m_job = std::make_unique<QPainter>();
        if (!m_job->begin(&m_printer)) {
            m_job.reset();
            return QStringLiteral("The printer %1 could not be started.")
                .arg(m_printer.printerName());
        }
    }
    QPainter &painter = *m_job;
    const QPointF corner = printableCorner();
    painter.resetTransform();
    painter.translate(corner.x() * m_printer.logicalDpiX() / 72.0
                          + m_offset.x() * m_printer.logicalDpiX() / millimetresPerInch,
                      corner.y() * m_printer.logicalDpiY() / 72.0
                          + m_offset.y() * m_printer.logicalDpiY() / millimetresPerInch);
    painter.setPen(QPen(Qt::black, thinLineMm * m_printer.logicalDpiX() / millimetresPerInch));
    for (const QPolygonF &line : lines)
        painter.drawPolyline(line);
    for (const PageText &item : page) {
        // The painter draws text on its baseline; the position is its top.
        const double ascent = QFontMetricsF(item.font, &m_printer).ascent();
        painter.setFont(item.font);
        painter.drawText(item.topLeft + QPointF(0, ascent), item.text);
    }
    return {};
}

void SystemPrinter::KillDoc()
{
    m_page.clear();
    m_lines.clear();
}

void SystemPrinter::Line(float x1, float y1, float x2, float y2)
{
    m_lines.append(QPolygonF({dots(x1, y1), dots(x2, y2)}));
    m_x = x2;
    m_y = y2;
}

void SystemPrinter::Box(float x1, float y1, float x2, float y2)
{
    m_lines.append(QPolygonF(QRectF(dots(x1, y1), dots(x2, y2))));
    m_x = x2;
    m_y = y2;
}

void SystemPrinter::Offset(double rightMm, double downMm)
{
    m_offset = QPointF(rightMm, downMm);
}

QPointF SystemPrinter::dots(float x, float y) const
{
    return {x * dotsPerUnitX(), y * dotsPerUnitY()};
}

QPointF SystemPrinter::printableCorner() const
{
    return ::printableCorner(m_printer.pageLayout());
}

QSizeF SystemPrinter::printableSize() const
{
    return printableArea(m_printer.pageLayout()).size();
}

double SystemPrinter::dotsPerUnitX() const
{
    return ::dotsPerUnit(m_scaleMode, m_printer.logicalDpiX());
}

double SystemPrinter::dotsPerUnitY() const
{
    return ::dotsPerUnit(m_scaleMode, m_printer.logicalDpiY());
}
