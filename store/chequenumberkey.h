#pragma once

#include <QString>

// The one rule for when two cheque numbers are the same number, decided on
// what a number means rather than how it was typed or pasted: "004711",
// "'4711", "#4711", "=\"004711\"", "4711.0", " 4711\t" and full-width
// digits are one number, and "a-100" is "A-100". Every lookup of a number,
// in the register or the print journal, goes through the key it gives.
namespace store {

// The number as meant: NFKC-normalised (full-width digits become digits),
// without blanks of any kind, a spreadsheet's ="..." wrapper, a leading
// apostrophe or '#', or a trailing ".0"; leading zeros and case kept, so
// that the next number can keep the width.
QString meantChequeNumber(const QString &typed);

// The number as numbers compare: the meant number without leading zeros,
// its letters case-folded. Empty when there is no number.
QString chequeNumberKey(const QString &typed);

// Whether a key (or a meant number) is made only of the digits 0-9.
bool isDigitNumber(const QString &number);

// A bank name as bank names compare: case-folded.
QString bankKey(const QString &bankName);

} // namespace store
