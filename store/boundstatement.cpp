#include "boundstatement.h"

namespace store {

QSqlError runBound(const QSqlDatabase &db, const QString &statement, const QVariantList &values,
                   QSqlQuery *query, bool forwardOnly)
{
    *query = QSqlQuery(db);
    query->setForwardOnly(forwardOnly);
    if (!query->prepare(statement))
        return query->lastError();
    for (const QVariant &value : values)
        query->addBindValue(value);
    query->exec();
    return query->lastError();
}

QString replaceStatement(const QString &table, const QString &key, const QStringList &columns)
{
    QStringList updates;
    for (const QString &column : columns)
        updates << QStringLiteral("%1 = excluded.%1").arg(column);
    return QStringLiteral("Insert into %1 (%2, %3) values (?%4) on conflict (%2) do update set %5")
        .arg(table, key, columns.join(QStringLiteral(", ")),
             QStringLiteral(", ?").repeated(columns.size()), updates.join(QStringLiteral(", ")));
}

} // namespace store
