#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

// How the older program's Access (Jet) files store values, decoded from
// their raw bytes. The library that reads those files also offers text
// forms of numbers and dates, but they lose digits and break on years far
// from today, so the values are taken from the bytes here.
namespace jet {

// Jet 3 text: Windows code page 1252.
QString fromWindows1252(QByteArrayView bytes);

// Jet 4 text: UTF-16 little-endian, or, after the mark FF FE, "compressed":
// one byte per character, a zero byte switching between that and two bytes
// per character. Pairs of UTF-16 units (characters beyond U+FFFF) come over
// as they are.
QString fromJet4Text(QByteArrayView bytes);

// True when the text holds half of a UTF-16 pair without its other half,
// which no character can be made of.
bool hasUnpairedSurrogate(const QString &text);

// A Jet 4 Decimal: a sign byte (non-zero is negative), then a 96- or 128-bit
// whole number as four 32-bit little-endian words, the most significant
// first, to be divided by 10^scale. Its exact value as text in plain
// decimals ("1.5", "-0.01"), since a double cannot hold 28 digits; an
// invalid QVariant when the bytes are too few or the scale is out of range.
QVariant jetDecimal(QByteArrayView bytes, int scale);

// A number in plain decimals, as Access shows it in a text column:
// 100000 as "100000", never "1e+05".
QString plainDecimal(double value);

// A date/time: days since 1899-12-30, the fraction being the time of day.
// A QDate when there is no time of day, a QDateTime otherwise; an invalid
// QVariant when the number is not a date at all.
QVariant jetDateTime(double days);

// A single-precision number as the double its shortest decimal form reads
// as, so 2.54 stays 2.54 rather than becoming 2.5399999618530273.
double widenedSingle(float value);

} // namespace jet
