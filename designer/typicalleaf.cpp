#include "typicalleaf.h"

using namespace store;

LeafPositions typicalLeafMillimetres()
{
    LeafPositions at{};
    const auto place = [&](LayoutPosition top, LayoutPosition left, LayoutPosition width,
                           double t, double l, double w) {
        at[top] = t;
        at[left] = l;
        at[width] = w;
    };
    place(DateTop, DateLeft, Datewidth, 6.5, 154, 40);
    place(nameTop, nameleft, namewidth, 22, 20, 150);
    place(AmtinWords1Top, AmtinWords1Left, AmtinWords1Width, 32, 26, 119);
    place(AmtinWords2Top, AmtinWords2Left, AmtinWords2Width, 41, 12, 133);
    place(AmtTop, AmtLeft, AmtWidth, 35.5, 158, 36);
    return at;
}

LeafPositions positionsOnLeaf(const LeafPositions &millimetres, QPointF leafCorner,
                              QSizeF millimetresPerUnit)
{
    // Tops and lefts move with the leaf; widths only change unit. The
    // columns run top, left, width for each item.
    const auto isTop = [](int column) { return column % 3 == 0; };
    const auto isLeft = [](int column) { return column % 3 == 1; };
    LeafPositions inUnit{};
    for (int column = 0; column < LayoutPositionCount; ++column) {
        if (isTop(column))
            inUnit[column] = (millimetres[column] + leafCorner.y()) / millimetresPerUnit.height();
        else if (isLeft(column))
            inUnit[column] = (millimetres[column] + leafCorner.x()) / millimetresPerUnit.width();
        else
            inUnit[column] = millimetres[column] / millimetresPerUnit.width();
    }
    return inUnit;
}
