#pragma once

#include "chequecomposition.h"

#include <QPolygonF>

// The date and the crossing as the bank's cheque style asks for them.

// One item's place on the cheque, for the checks between items and
// against the leaf: its outline in the layout's unit.
struct ItemField {
    QString name;
    QPolygonF outline;
};

// A text's field: as wide as its text, or as the layout's width for it
// when that is wider.
ItemField fieldOf(const ComposedText &text, double width, Printer &printer);

// The date's texts at its place (the first box's corner for digits in
// boxes, with a guide for each box), and the field they take; or why they
// cannot be placed. The printer is left at the cheque's size.
QString placeDate(const LayoutRecord &layout, const QDate &date, QPointF place, Printer &printer,
                  QList<ComposedText> *texts, ItemField *field);

// The crossing's lines and words, or the classic words at left 1, level
// with the date; and the field they take.
void placeCrossing(const LayoutRecord &layout, float dateTop, Printer &printer,
                   QList<ComposedText> *texts, ItemField *field);

// The leaf, in the layout's unit from the printable area's corner: the
// bank's, or the standard one at the corner when it is not known.
QRectF leafInUnits(const LayoutRecord &layout, const Printer &printer);

// The eight boxes of the date's digits from the first box's corner, in the
// layout's unit; as high as the text when the style gives no height.
QList<QRectF> dateBoxes(const LayoutRecord &layout, QPointF place, double textHeight);

// The date as printed in one text, for the styles that print one.
// The classic date in the user's language where the printer's font draws it.
QString dateText(const store::ChequeStyle &style, const QDate &date, const Printer &printer);
