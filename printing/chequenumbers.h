#pragma once

#include <QString>

class QLineEdit;

// The cheque book's order in the print window: the next number is offered,
// and a number the bank has used already is printed again only when the
// user says so. Numbers compare without surrounding blanks and leading
// zeros; void cheques count, since their leaves are gone.

// The number after an all-digit one, as wide as it ("004711" gives
// "004712", "999" gives "1000"); a null text for anything else.
QString numberAfter(const QString &number);

// A number as numbers compare: without surrounding blanks or leading zeros.
QString numberKey(const QString &number);
// Whether the number, without its surrounding blanks, is all digits.
bool isAllDigits(const QString &number);
// Whether the all-digit number comes after the other one.
bool isLaterNumber(const QString &number, const QString &other);

// Fills an empty box with the number after the bank's highest in the
// register. A box the user has written in is left as it is.
void suggestChequeNumber(const QString &bank, QLineEdit *box);

// Whether a cheque with this number may be printed: yes when the bank has
// no cheque with it, else the user is asked, No being the default.
bool chequeNumberConfirmed(const QString &bank, const QString &number);
