#pragma once

#include "statements.h"

#include <QPointF>
#include <QSizeF>
#include <array>

// Every layout column's value, in the order of store::LayoutPosition.
using LeafPositions = std::array<double, store::LayoutPositionCount>;

// Where the items stand on a typical leaf, the India CTS-2010 leaf
// (203.2 x 93.1 mm), in millimetres from its top-left corner: the date
// over its eight boxes, the name on the Pay line, the words on the two
// Rupees lines and the figures in the amount box.
LeafPositions typicalLeafMillimetres();

// The same places in a layout's unit, for a leaf whose top-left corner lies
// `leafCorner` millimetres from the printable area's corner; a standard
// leaf's own places can be given instead of the typical ones.
LeafPositions positionsOnLeaf(const LeafPositions &millimetres, QPointF leafCorner,
                              QSizeF millimetresPerUnit);
