#include "transaction.h"

namespace store {

QSqlError inTransaction(const QSqlDatabase &db, const std::function<QSqlError()> &steps)
{
    QSqlDatabase connection = db;
    if (!connection.transaction())
        return connection.lastError();
    if (QSqlError error = steps(); error.isValid()) {
        connection.rollback();
        return error;
    }
    if (!connection.commit()) {
        const QSqlError error = connection.lastError();
        connection.rollback();
        return error;
    }
    return {};
}

} // namespace store
