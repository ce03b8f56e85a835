#pragma once

#include "layoutrecord.h"
#include "printer.h"
#include "statements.h"

#include <QDate>
#include <QList>
#include <QPointF>
#include <QString>
#include <optional>

// One cheque as the print window holds it when Print is pressed.
struct ChequeItems {
    QString bankName;       // selects the layout
    QString payeeName;
    QString amount;         // printed between "**" and "**"
    QString amountInWords;  // printed on one or two lines
    QDate date;
    bool crossed = true;    // "A/c Payee" chosen rather than "Bearer"
};

// The cheque date as printed: "dd/MMM/yyyy" with the month's short name in
// the user's language (09/Jul/2001 in English).
QString chequeDateText(const QDate &date);
// The same as the printer prints it: the month in the user's language where
// the printer's font draws every character of it ("07/déc./2026"), in
// English otherwise ("07/Dec/2026" under Hindi or Tamil), so a cheque is
// never refused for a date the program wrote itself.
QString chequeDateText(const QDate &date, const Printer &printer);

// The size the cheque's texts print at, the words' largest.
const float chequeFontSize = 12;

// One text of the cheque, ready to print: where its top-left corner goes,
// in the layout's unit, at what size and slope. A line of the crossing, or
// a box shown on the screen only, goes from that corner to its other end.
struct ComposedText {
    QString item;  // what it is, for the user: "Name", "Amount in Words line 2"
    QString text;
    float left;
    float top;
    float points;
    float angle = 0;                  // degrees anticlockwise
    std::optional<QPointF> lineTo {}; // a line, or a guide's opposite corner
    bool guide = false;               // shown, never printed
};

// Sets the printer up for the layout (page, unit, font) and places every
// text of the cheque, measured on that printer: the words broken over their
// lines by the bank's words choice, the rule after them when chosen. Every
// printer, the one that paints a preview included, is fed from here, so all
// show the same cheque. Returns what keeps the cheque from printing, for the
// user (empty when nothing does): a missing layout value, words too long for
// their lines, a character the font cannot draw, a text off the page, an
// item off the bank's leaf or in its MICR band, two items that overlap.
// Nothing is printed here; the layout is checked before the printer is
// touched.
[[nodiscard]] QString composeCheque(const LayoutRecord &layout, const store::WordsChoice &choice,
                                    const ChequeItems &items, Printer &printer,
                                    QList<ComposedText> *texts);
