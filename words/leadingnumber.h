#pragma once

#include <QString>

// Reads the number a typed text starts with, the way amounts and positions
// are taken from their boxes: blanks, tabs and line feeds are skipped
// wherever they stand; then an optional sign, digits with at most one
// period as the decimal point (whatever the regional settings) and an
// optional exponent (E or D, optional sign, digits). Reading stops at the
// first character that does not fit, so "1,500.00" gives 1 and "2.5 cm"
// gives 2.5. A text without a leading number gives 0.
//
// A number beyond the double range gives +inf or -inf (check with
// std::isfinite); one too small to represent gives 0.
double readLeadingNumber(const QString &text);
