#include "transaction.h"

#include "dialect.h"

#include <QSqlQuery>

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

namespace store {
namespace {

QSqlError run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    query.exec(statement);
    return query.lastError();
}

} // namespace

QSqlError beginWrite(const QSqlDatabase &db)
{
    return run(db, dialect::beginWriteStatement(engineOf(db)));
}

QSqlError commitWrite(const QSqlDatabase &db)
{
    return run(db, QStringLiteral("COMMIT"));
}

void rollbackWrite(const QSqlDatabase &db)
{
    run(db, QStringLiteral("ROLLBACK"));
}

QSqlError inWriteTransaction(const QSqlDatabase &db, const std::function<QSqlError()> &steps)
{
    if (QSqlError error = beginWrite(db); error.isValid())
        return error;
    QSqlError error = steps();
    if (!error.isValid())
        error = commitWrite(db);
    if (error.isValid())
        rollbackWrite(db);
    return error;
}

} // namespace store
