#pragma once

#include <QStringList>
#include <functional>

// Breaks the amount in words over the cheque's two lines. Line 1 holds as
// many characters as its width allows (3.3 characters per unit of any
// measure) and ends at a blank; line 2 starts with that same blank and holds
// all the rest. Returns one line when the text fits, or when the width leaves
// no room at all; with no blank to break at, line 1 is cut after the
// characters that fit, or after the one character a surrogate pair makes.
// No character is ever lost.
QStringList amountInWordsLines(const QString &words, float firstLineWidth);

// Breaks the words at blanks: line 1 holds as many whole words as fit in
// firstLineWidth as `width` measures them (none when the first does not),
// line 2 all the rest. The lines carry single blanks between words and none
// at either end; one line when every word fits.
QStringList wordsLinesByWidth(const QString &words, double firstLineWidth,
                              const std::function<double(const QString &)> &width);
