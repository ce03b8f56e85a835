#pragma once

#include <QStringList>

// Breaks the amount in words over the cheque's two lines. Line 1 holds as
// many characters as its width allows (3.3 characters per unit of any
// measure) and ends at a blank; line 2 starts with that same blank and holds
// all the rest. Returns one line when the text fits, or when the width leaves
// no room at all; with no blank to break at, line 1 is cut after the
// characters that fit. No character is ever lost.
QStringList amountInWordsLines(const QString &words, float firstLineWidth);
