#include "batchstatements.h"

#include "boundstatement.h"
#include "dialect.h"

#include <QVariant>

namespace store {
namespace {

QString selectPayeeByName(Engine engine)
{
    return QStringLiteral("Select Payeename from Payee where Payeename = ? collate %1 and "
                          "Payeename <> '' order by rowid limit 1")
        .arg(dialect::noCaseCollation(engine));
}

} // namespace

QSqlError findPayeeByName(const QSqlDatabase &db, const QString &name,
                          std::optional<QString> *payeeName)
{
    payeeName->reset();
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectPayeeByName(engineOf(db)), {name}, &query); error.isValid())
        return error;
    if (query.next())
        *payeeName = query.value(0).toString();
    return query.lastError();
}

} // namespace store
