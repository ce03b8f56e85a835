#pragma once

#include "printer.h"

#include <QDate>
#include <QString>

// One cheque as the print window holds it when Print is pressed.
struct ChequeItems {
    QString bankName;       // selects the layout
    QString payeeName;
    QString amount;         // printed between "**" and "**"
    QString amountInWords;  // printed on one or two lines
    QDate date;
    bool crossed = true;    // "A/c Payee" chosen rather than "Bearer"
};

// Prints the cheque at its bank's layout positions (read on a connection
// of its own) and ends the page. Returns an empty text once the page has
// gone to the printer; otherwise what went wrong, for the user, and nothing
// has been printed: the layout is checked before the printer is touched,
// and a page that fails part-way is thrown away.
[[nodiscard]] QString printChequePage(const ChequeItems &items, Printer &printer);

struct LayoutRecord;
// The same, at the positions of a layout already read.
[[nodiscard]] QString printChequeLayout(const LayoutRecord &layout, const ChequeItems &items,
                                        Printer &printer);

// The cheque date as printed: "dd/MMM/yyyy" with the month's short name in
// the user's language (09/Jul/2001 in English).
QString chequeDateText(const QDate &date);
