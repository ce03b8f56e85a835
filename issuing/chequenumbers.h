#pragma once

#include <QString>

class QLineEdit;

// The cheque book's order in the print window: the next number is offered,
// and a number the bank has used already is printed again only when the
// user says so. Numbers compare by one rule (chequenumberkey.h); void
// cheques count, since their leaves are gone, and so do cheques noted in
// the print journal and not yet recorded.

// The number after an all-digit one, as wide as it ("004711" gives
// "004712", "999" gives "1000"); a null text for anything else.
QString numberAfter(const QString &number);

// A number as numbers compare (store::chequeNumberKey).
QString numberKey(const QString &number);
// Whether the number, as meant, is all digits.
bool isAllDigits(const QString &number);
// Whether the all-digit number comes after the other one.
bool isLaterNumber(const QString &number, const QString &other);

// Fills the box with the number after the bank's highest, when it is empty
// or still holds the number suggested for an earlier bank; a number the user
// has written is left as it is.
void suggestChequeNumber(const QString &bank, QLineEdit *box);
