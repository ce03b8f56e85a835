#include "systemprinter.h"

#include "scalemode.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <cups/cups.h>

namespace {

const int portrait = 1;
const int landscape = 2;
const int envelope10 = 20;

} // namespace

// Qt picks the system's default printer itself, asking CUPS only once.
SystemPrinter::SystemPrinter()
    : m_printer(QPrinter::HighResolution)
    , m_scaleMode(ScaleInches)
{
}

QString SystemPrinter::substituteFace()
{
    return QStringLiteral("DejaVu Sans");
}

void SystemPrinter::Orientation(int orientation)
{
    if (orientation == portrait)
        m_printer.setPageOrientation(QPageLayout::Portrait);
    else if (orientation == landscape)
        m_printer.setPageOrientation(QPageLayout::Landscape);
    else
        m_unsupported = QStringLiteral("The page orientation %1 is not supported.").arg(orientation);
}

void SystemPrinter::PaperSize(int paperSize)
{
    if (paperSize == envelope10)
        m_printer.setPageSize(QPageSize(QPageSize::Envelope10));
    else
        m_unsupported = QStringLiteral("The paper size %1 is not supported.").arg(paperSize);
}

void SystemPrinter::ScaleMode(int scaleMode)
{
    switch (scaleMode) {
    case ScalePixels:
    case ScaleInches:
    case ScaleMillimetres:
    case ScaleCentimetres:
        m_scaleMode = scaleMode;
        return;
    }
    m_unsupported = QStringLiteral("The unit %1 is not supported.").arg(scaleMode);
}

void SystemPrinter::FontName(const QString &name)
{
    // Left to itself, font matching picks any face for an unknown name.
    m_font.setFamily(QFontDatabase::hasFamily(name) ? name : substituteFace());
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
    if (m_page.isEmpty())
        return {};
    const QList<PageText> page = std::exchange(m_page, {});
    // Positions count from the printable area's corner, which the painter's
    // origin is moved to; Qt's own margins would put it elsewhere.
    m_printer.setFullPage(true);
    const QPointF corner = printableCorner();
    QPainter painter;
    if (!painter.begin(&m_printer))
        return QStringLiteral("The printer %1 could not be started.").arg(m_printer.printerName());
    painter.translate(corner.x() * m_printer.logicalDpiX() / 72.0,
                      corner.y() * m_printer.logicalDpiY() / 72.0);
    for (const PageText &item : page) {
        // The painter draws text on its baseline; the position is its top.
        const double ascent = QFontMetricsF(item.font, &m_printer).ascent();
        painter.setFont(item.font);
        painter.drawText(item.topLeft + QPointF(0, ascent), item.text);
    }
    if (!painter.end())
        return QStringLiteral("The printer %1 could not finish the page.")
            .arg(m_printer.printerName());
    // Qt hands the page to CUPS as its last step but drops the answer; a
    // spooler that refused the job is only known from CUPS itself.
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return QStringLiteral("The printer %1 did not accept the cheque: %2")
            .arg(m_printer.printerName(), QString::fromLocal8Bit(cupsLastErrorString()));
    return {};
}

void SystemPrinter::KillDoc()
{
    m_page.clear();
}

// The printer describes its unprintable edges for upright paper, and Qt
// passes them on unturned. A landscape page is the paper turned a quarter
// counter-clockwise, so its left edge is the paper's bottom edge and its top
// edge the paper's left edge.
QPageLayout SystemPrinter::uprightPage() const
{
    QPageLayout upright = m_printer.pageLayout();
    upright.setOrientation(QPageLayout::Portrait);
    upright.setUnits(QPageLayout::Point);
    return upright;
}

QPointF SystemPrinter::printableCorner() const
{
    const QMarginsF edges = uprightPage().minimumMargins();
    if (m_printer.pageLayout().orientation() == QPageLayout::Landscape)
        return {edges.bottom(), edges.left()};
    return {edges.left(), edges.top()};
}

QSizeF SystemPrinter::printableSize() const
{
    const QPageLayout upright = uprightPage();
    const QSizeF paper = upright.fullRect().size();
    const QMarginsF edges = upright.minimumMargins();
    const QSizeF size(paper.width() - edges.left() - edges.right(),
                      paper.height() - edges.top() - edges.bottom());
    if (m_printer.pageLayout().orientation() == QPageLayout::Landscape)
        return size.transposed();
    return size;
}

double SystemPrinter::dotsPerUnitX() const
{
    return dotsPerUnit(m_printer.logicalDpiX());
}

double SystemPrinter::dotsPerUnitY() const
{
    return dotsPerUnit(m_printer.logicalDpiY());
}

double SystemPrinter::dotsPerUnit(int dotsPerInch) const
{
    switch (m_scaleMode) {
    case ScalePixels:
        return 1;
    case ScaleMillimetres:
        return dotsPerInch / 25.4;
    case ScaleCentimetres:
        return dotsPerInch / 2.54;
    }
    return dotsPerInch;
}
