#include "standardleaves.h"

namespace {

using store::ChequeStyle;

// The band at a leaf's foot where the bank reads the MICR line: 5/8 inch.
const double micrBand = 15.875;
const double inch = 25.4;

// A style with the crossing's lines at the leaf's top-left corner, where
// every leaf here leaves room for them above the payee's line.
ChequeStyle style(int dateStyle, int dateOrder, double boxWidth, double boxHeight, double band)
{
    ChequeStyle style;
    style.dateStyle = dateStyle;
    style.dateOrder = dateOrder;
    style.boxWidth = boxWidth;
    style.boxHeight = boxHeight;
    style.crossingStyle = ChequeStyle::CrossingLines;
    style.micrBandMm = band;
    return style;
}

} // namespace

// Columns: DateTop, DateLeft, Datewidth, nameTop, nameleft, namewidth,
// words line 1 top, left, width, line 2 top, left, width, AmtTop, AmtLeft,
// AmtWidth. A text's top stands about 4.5 mm above the line it is written on.
const QList<StandardLeaf> &standardLeaves()
{
    static const QList<StandardLeaf> leaves = {
        {QStringLiteral("India CTS-2010"), {203.2, 93.1},
         {5, 153, 40, 22, 20, 156, 32, 26, 118, 41, 12, 132, 35.5, 158, 36},
         style(ChequeStyle::DigitsInBoxes, 0, 5, 6, micrBand)},
        {QStringLiteral("US business check"), {8.5 * inch, 3.5 * inch},
         {11, 150, 45, 27.5, 35, 115, 37.5, 12, 155, 45, 12, 155, 27.5, 172, 35},
         style(ChequeStyle::LongDate, 0, 0, 0, micrBand)},
        {QStringLiteral("US personal check"), {6 * inch, 2.75 * inch},
         {9, 105, 35, 20, 25, 88, 29.5, 8, 120, 36, 8, 120, 20, 115, 34},
         style(ChequeStyle::NumericDate, 1, 0, 0, micrBand)},
        {QStringLiteral("Canada (Standard 006)"), {8.5 * inch, 3.5 * inch},
         {9, 160, 40, 27.5, 30, 125, 37.5, 12, 150, 45, 12, 150, 27.5, 172, 35},
         style(ChequeStyle::DigitsInBoxes, 2, 5, 6, micrBand)},
        {QStringLiteral("UK (C&CCC)"), {6 * inch, 3 * inch},
         {8, 108, 40, 20, 14, 95, 29, 10, 100, 36, 10, 100, 30, 118, 30},
         style(ChequeStyle::LongDate, 1, 0, 0, 0)},
    };
    return leaves;
}

std::array<double, store::LayoutPositionCount> positionsIn(const StandardLeaf &leaf,
                                                           double millimetresPerUnit)
{
    std::array<double, store::LayoutPositionCount> positions;
    for (int i = 0; i < store::LayoutPositionCount; ++i)
        positions[i] = leaf.positionsMm[i] / millimetresPerUnit;
    return positions;
}

ChequeStyle styleIn(const StandardLeaf &leaf, double millimetresPerUnit)
{
    ChequeStyle style = leaf.style;
    style.boxWidth /= millimetresPerUnit;
    style.boxHeight /= millimetresPerUnit;
    style.gapAfterFirst /= millimetresPerUnit;
    style.gapAfterSecond /= millimetresPerUnit;
    style.standardLeaf = leaf.name;
    style.leafWidthMm = leaf.sizeMm.width();
    style.leafHeightMm = leaf.sizeMm.height();
    return style;
}
