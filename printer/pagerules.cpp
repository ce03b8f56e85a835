#include "pagerules.h"

#include "scalemode.h"

#include <QFontDatabase>
#include <QPrinter>

namespace {

const int portrait = 1;
const int landscape = 2;
const int envelope10 = 20;

} // namespace

QString substituteFace()
{
    return QStringLiteral("DejaVu Sans");
}

QString printedFace(const QString &name)
{
    return QFontDatabase::hasFamily(name) ? name : substituteFace();
}

QRectF printableArea(const QPageLayout &layout)
{
    // A landscape page is the paper turned a quarter counter-clockwise, so
    // its left edge is the paper's bottom edge, its top edge the paper's
    // left edge, and so on round.
    QPageLayout upright = layout;
    upright.setOrientation(QPageLayout::Portrait);
    upright.setUnits(QPageLayout::Point);
    QMarginsF edges = upright.minimumMargins();
    if (layout.orientation() == QPageLayout::Landscape)
        edges = {edges.bottom(), edges.left(), edges.top(), edges.right()};
    return layout.fullRectPoints().toRectF().marginsRemoved(edges);
}

QPointF printableCorner(const QPageLayout &layout)
{
    return printableArea(layout).topLeft();
}

double dotsPerUnit(int scaleMode, int dotsPerInch)
{
    switch (scaleMode) {
    case ScalePixels:
        return 1;
    case ScaleMillimetres:
        return dotsPerInch / 25.4;
    case ScaleCentimetres:
        return dotsPerInch / 2.54;
    }
    return dotsPerInch;
}

QString applyOrientation(QPrinter &printer, int orientation)
{
    if (orientation == portrait)
        printer.setPageOrientation(QPageLayout::Portrait);
    else if (orientation == landscape)
        printer.setPageOrientation(QPageLayout::Landscape);
    else
        return QStringLiteral("The page orientation %1 is not supported.").arg(orientation);
    return {};
}

QString applyPaperSize(QPrinter &printer, int paperSize)
{
    if (paperSize != envelope10)
        return QStringLiteral("The paper size %1 is not supported.").arg(paperSize);
    printer.setPageSize(QPageSize(QPageSize::Envelope10));
    return {};
}

QString scaleModeProblem(int scaleMode)
{
    switch (scaleMode) {
    case ScalePixels:
    case ScaleInches:
    case ScaleMillimetres:
    case ScaleCentimetres:
        return {};
    }
    return QStringLiteral("The unit %1 is not supported.").arg(scaleMode);
}
