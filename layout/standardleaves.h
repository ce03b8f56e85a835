#pragma once

#include "chequestyle.h"
#include "statements.h"

#include <QList>
#include <QSizeF>
#include <array>

// The cheque leaves the standards fix, to start a bank's layout from: the
// leaf's size, every item's place and the words lines' widths, the date's
// style and the crossing. Places are in millimetres from the leaf's
// top-left corner, with the leaf at the printable area's corner.
struct StandardLeaf {
    QString name;
    QSizeF sizeMm;
    std::array<double, store::LayoutPositionCount> positionsMm;
    store::ChequeStyle style;  // its date boxes in millimetres too
};

const QList<StandardLeaf> &standardLeaves();

// The leaf's places and style in a layout's unit, this many millimetres
// each; the style names the leaf and carries its size and MICR band.
std::array<double, store::LayoutPositionCount> positionsIn(const StandardLeaf &leaf,
                                                           double millimetresPerUnit);
store::ChequeStyle styleIn(const StandardLeaf &leaf, double millimetresPerUnit);
