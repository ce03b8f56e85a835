#pragma once

#include <QRectF>
#include <QString>

// The leaf image's size and place as the editor's boxes give them, in mm;
// its place is from the printable area's top-left corner.
enum LeafMeasure { LeafWidth, LeafHeight, LeafLeft, LeafTop, LeafMeasureCount };

double leafMeasure(const QRectF &millimetres, LeafMeasure which);

// Sets one measure of the leaf from the text typed for it, or says why the
// text cannot be one (empty when it can): a leaf is cheque-sized and lies
// near the page, so a slip of the keyboard is caught before it is kept.
QString readLeafMeasure(LeafMeasure which, const QString &text, QRectF *millimetres);
