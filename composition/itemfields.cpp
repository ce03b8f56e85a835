#include "itemfields.h"

#include <cmath>

namespace {

// Measures that print the same a hair apart are the same.
const double hair = 1e-3;

QString figure(double value)
{
    return QString::number(std::round(value * 100) / 100 + 0.0);
}

QString reach(const QRectF &box)
{
    return QStringLiteral("from left %1, top %2 to right %3, bottom %4")
        .arg(figure(box.left()), figure(box.top()), figure(box.right()), figure(box.bottom()));
}

QString offTheLeaf(const LayoutRecord &layout, const ItemField &field, const QRectF &leaf)
{
    const QRectF box = field.outline.boundingRect();
    if (leaf.adjusted(-hair, -hair, hair, hair).contains(box))
        return {};
    return QStringLiteral("The %1 does not lie on the cheque leaf: it reaches %2, and the leaf "
                          "lies %3 (%4).\n\nCorrect its position in the cheque layout of the "
                          "bank \"%5\".")
        .arg(field.name, reach(box), reach(leaf), scaleModeName(layout.scaleMode()),
             layout.bankName);
}

QString inTheBand(const LayoutRecord &layout, const ItemField &field, double bandTop)
{
    const double bottom = field.outline.boundingRect().bottom();
    if (bottom <= bandTop + hair)
        return {};
    return QStringLiteral("The %1 reaches down to %2, into the band at the bottom of the leaf "
                          "where the bank reads the MICR line: nothing may be printed below %3 "
                          "(%4).\n\nMove it up in the cheque layout of the bank \"%5\".")
        .arg(field.name, figure(bottom), figure(bandTop), scaleModeName(layout.scaleMode()),
             layout.bankName);
}

// Outlines that only touch do not overlap.
bool overlap(const ItemField &a, const ItemField &b)
{
    const QRectF boxA = a.outline.boundingRect(), boxB = b.outline.boundingRect();
    if (!boxA.adjusted(hair, hair, -hair, -hair).intersects(boxB.adjusted(hair, hair, -hair, -hair)))
        return false;
    return !a.outline.intersected(b.outline).boundingRect().adjusted(hair, hair, -hair, -hair)
                .isEmpty();
}

} // namespace

QString fieldsProblem(const LayoutRecord &layout, const QList<ItemField> &fields,
                      const Printer &printer)
{
    const QRectF leaf = leafInUnits(layout, printer);
    const double band = layout.style.micrBandMm / printer.MillimetresPerUnit();
    for (const ItemField &field : fields) {
        QString problem = layout.leafMm ? offTheLeaf(layout, field, leaf) : QString();
        if (problem.isEmpty() && band > 0)
            problem = inTheBand(layout, field, leaf.bottom() - band);
        if (!problem.isEmpty())
            return problem;
    }
    for (qsizetype i = 0; i < fields.size(); ++i) {
        for (qsizetype j = i + 1; j < fields.size(); ++j) {
            if (!overlap(fields[i], fields[j]))
                continue;
            const QRectF first = fields[i].outline.boundingRect();
            const QRectF second = fields[j].outline.boundingRect();
            return QStringLiteral("The %1 and the %2 overlap on the cheque: the %1 reaches %3 "
                                  "and the %2 %4 (%5).\n\nMove one of them in the cheque layout "
                                  "of the bank \"%6\".")
                .arg(fields[i].name, fields[j].name, reach(first), reach(second),
                     scaleModeName(layout.scaleMode()), layout.bankName);
        }
    }
    return {};
}
