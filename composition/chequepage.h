#pragma once

#include "chequecomposition.h"
#include "printer.h"

#include <QDate>
#include <QString>
#include <functional>

// Prints the cheque at its bank's layout positions, with the bank's words
// choice (both read on a connection of its own), and ends the page. Returns an empty text once the page has
// gone to the printer; otherwise what went wrong, for the user, and nothing
// has been printed: the cheque is composed and checked before anything is
// printed, and a page that fails part-way is thrown away.
// handingOver, when given, runs after the page is drawn and before it goes
// to the printer; a refusal from it throws the page away and is returned.
[[nodiscard]] QString printChequePage(const ChequeItems &items, Printer &printer,
                                      const std::function<QString()> &handingOver = {});

// Prints the composed texts at their places, leaving the page open; after
// a failed Print the page is killed and the failure returned.
[[nodiscard]] QString printComposedTexts(Printer &printer, const QList<ComposedText> &texts);
