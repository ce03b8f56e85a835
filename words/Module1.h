#pragma once

#include <QString>
#include <QStringView>

// The amount-in-words routines and the two texts the whole run shares.

// The chosen bank's currency code; empty until a bank is chosen.
extern QString strCurrency;
// The amount in words last produced.
extern QString strAmtInWords;

// The largest amount Indian numbering words, in paise: 99,99,99,99,99,999.99
// (just under ten lakh crore).
inline constexpr qint64 largestIndianPaise = 999'999'999'999'999;

// Indian numbering (hundred, thousand, lakh, crore, Paise).
// Writes the words of the amount into strAmtInWords. An amount beyond
// largestIndianPaise in size, or one that is not a finite number, leaves
// strAmtInWords as it was.
void udf_Num2WordsIndian(const double &amount);
// The words of 0 to 99: 45 gives "Forty Five", 40 gives "Forty ".
QString udf_strTwoDigits(const qint32 &n);
// The word of 1 to 19 and of the tens 20 to 90; the empty text otherwise.
QString udf_varNumberWord(const qint32 &n);

// International numbering (Thousand, Million, Billion), each word followed
// by one blank, then the unit text and, when there are cents, "and ", the
// cents and the sub-unit text. The amount is first written in the
// "Standard" format (1,234.50).
QString udf_strNum2Words(double amount, QStringView unit, QStringView subUnit);
// The same from the amount already written in the "Standard" format.
QString udf_strProcessWords(QStringView text, QStringView unit, QStringView subUnit);
// The group routines read their text as a signed 16-bit number (leading
// zeros and a leading "-" allowed); a text that is no such number has no
// words. Negative numbers have none either.
// The words of a group of up to three digits ("105" gives "One Hundred Five ").
QString udf_strHundreds(QStringView s);
// The words of a number below 100 ("45" gives "Forty Five ").
QString udf_strTens(QStringView s);
// The word of a digit 1 to 9 ("Five "); the empty text for anything else.
QString udf_strOnes(QStringView v);
QString udf_strOnes(int v);
