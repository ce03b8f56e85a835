#pragma once

#include <QDataStream>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

// What is read of an Access file: the tables and columns asked for, and
// their rows, one value per asked column.
namespace jet {

struct JetTableColumns {
    QString table;
    QStringList columns;
};

// Told, now and then while a table is read, how many of its rows have been.
using RowsRead = std::function<void(int table, qint64 rows)>;

// Takes a batch of rows of one table as it arrives; returns why the reading
// must stop, or an empty text.
using RowsArrived = std::function<QString(int table, const QList<QVariantList> &rows)>;

// The reader program's records on its standard output, each a QDataStream
// byte array: batches of rows (table, the rows as rowbytes.h writes them)
// as they are read, then the result (what failed, or an empty text).
enum ReaderRecord : quint8 { RowsRecord = 1, ResultRecord = 2 };

// The reader program's exit status when its memory ran out.
constexpr int readerOutOfMemory = 3;

inline QDataStream &operator<<(QDataStream &out, const JetTableColumns &table)
{
    return out << table.table << table.columns;
}

inline QDataStream &operator>>(QDataStream &in, JetTableColumns &table)
{
    return in >> table.table >> table.columns;
}

} // namespace jet
