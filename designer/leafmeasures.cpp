#include "leafmeasures.h"

#include <QLocale>
#include <array>

namespace {

struct Range {
    QString what;
    double least;
    double most;
};

// Wide enough for every cheque of the world's clearing standards, and for
// a scan that takes in the paper round the leaf.
const std::array<Range, LeafMeasureCount> ranges = {{
    {QStringLiteral("width"), 50, 300},
    {QStringLiteral("height"), 25, 150},
    {QStringLiteral("distance from the printable area's left edge"), -50, 250},
    {QStringLiteral("distance from the printable area's top edge"), -50, 250},
}};

} // namespace

double leafMeasure(const QRectF &millimetres, LeafMeasure which)
{
    const std::array<double, LeafMeasureCount> measures = {
        millimetres.width(), millimetres.height(), millimetres.left(), millimetres.top()};
    return measures[which];
}

QString readLeafMeasure(LeafMeasure which, const QString &text, QRectF *millimetres)
{
    // 1. A plain number in range; NaN fails both comparisons.
    const Range &range = ranges[which];
    bool isNumber = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &isNumber);
    if (!isNumber || !(value >= range.least && value <= range.most))
        return QStringLiteral("The leaf's %1 must be a number of millimetres from %2 to %3, not "
                              "\"%4\".")
            .arg(range.what)
            .arg(range.least)
            .arg(range.most)
            .arg(text);

    // 2. A new place moves the leaf and keeps its size.
    switch (which) {
    case LeafWidth: millimetres->setWidth(value); break;
    case LeafHeight: millimetres->setHeight(value); break;
    case LeafLeft: millimetres->moveLeft(value); break;
    case LeafTop: millimetres->moveTop(value); break;
    case LeafMeasureCount: break;
    }
    return {};
}
