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

using JetTableRows = QList<QList<QVariantList>>;

// Told, now and then while a table is read, how many of its rows have been.
using RowsRead = std::function<void(int table, qint64 rows)>;

inline QDataStream &operator<<(QDataStream &out, const JetTableColumns &table)
{
    return out << table.table << table.columns;
}

inline QDataStream &operator>>(QDataStream &in, JetTableColumns &table)
{
    return in >> table.table >> table.columns;
}

} // namespace jet
