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

} // namespace store
