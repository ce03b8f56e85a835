#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

// Access (Jet 4) files of any size, made from a sample's own structure: the
// sample is copied and one of its tables given the rows asked for, written
// as new data pages at the end of the file and found through a usage map of
// their own, as Access lays them out. What the table held before is left
// unreachable.
namespace jetfile {

// A column given another type in the copy, e.g. a Decimal of a precision
// and scale: its row bytes are what the values give.
struct ColumnType {
    QString column;
    int type = 0;
    int size = 0;
    int precision = 0;
    int scale = 0;
};

// Values: a null QVariant, a QString for a text column, a QDate or double
// for Date/Time and Double, a QByteArray as the raw bytes of any other
// fixed-size column.
using RowMaker = std::function<QVariantList(qint64 row)>;

// Writes the copy at `path`, its table holding rowCount rows, one value
// per column in the table's own column order. Returns what failed, or an
// empty text.
QString writeTable(const QString &sample, const QString &path, const QString &table,
                   qint64 rowCount, const RowMaker &row,
                   const std::optional<ColumnType> &changed = std::nullopt);

} // namespace jetfile
