#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

// How the older program's Access (Jet) files store values, decoded from
// their raw bytes. The library that reads those files also offers text
// forms of numbers and dates, but they lose digits and break on years far
// from today, so the values are taken from the bytes here.
namespace store {

// Jet 3 text: Windows code page 1252.
QString fromWindows1252(QByteArrayView bytes);

// A date/time: days since 1899-12-30, the fraction being the time of day.
// A QDate when there is no time of day, a QDateTime otherwise; an invalid
// QVariant when the number is not a date at all.
QVariant jetDateTime(double days);

// A single-precision number as the double its shortest decimal form reads
// as, so 2.54 stays 2.54 rather than becoming 2.5399999618530273.
double widenedSingle(float value);

} // namespace store
