#pragma once

#include "printer.h"

#include <QString>

// Prints, on the #10 envelope cheques go on, where the bank's layout puts each item: a thin
// box one line high and as wide as the item, a cross-hair at its position
// and its name; the cheque leaf's outline (where the bank's leaf image
// lies, or the standard leaf at the printable corner); millimetre rulers
// along the top and left edges of the printable area, counted both ways
// from the outline; and which paper it is printed on. A blank leaf laid on
// the page shows how far the printer prints off its mark. Without a bank
// name the page holds the standard leaf and the rulers alone. Returns what
// went wrong, for the user, or an empty text once the page has gone to the
// printer.
[[nodiscard]] QString printAlignmentPage(const QString &bankName, Printer &printer);
