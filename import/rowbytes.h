#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QVariant>

// Rows as the reader program sends them: each value a kind byte and its
// bytes as this machine holds them, text as its UTF-16 units. Both ends
// run on one machine; QDataStream's handling of each value as a QVariant
// cost more than reading the file.
namespace jet {

// Appends one row of the values the reader makes: none, Yes/No, whole
// number, double, date, date and time (in UTC), text.
void appendRow(QByteArray *bytes, const QVariantList &row);

// The rows in bytes appendRow() wrote; false when they are garbled.
bool readRows(QByteArrayView bytes, QList<QVariantList> *rows);

} // namespace jet
