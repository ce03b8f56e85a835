#include "batchstatements.h"

#include "boundstatement.h"

#include <QVariant>

namespace store {
namespace {

const QString selectPayeeByName = QStringLiteral(
    "Select Payeename from Payee where Payeename = ? collate nocase and Payeename <> '' "
    "order by rowid limit 1");

} // namespace

QSqlError findPayeeByName(const QSqlDatabase &db, const QString &name,
                          std::optional<QString> *payeeName)
{
    payeeName->reset();
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectPayeeByName, {name}, &query); error.isValid())
        return error;
    if (query.next())
        *payeeName = query.value(0).toString();
    return query.lastError();
}

} // namespace store
