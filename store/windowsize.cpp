#include "windowsize.h"

#include "boundstatement.h"
#include "dialect.h"
#include "firstusetables.h"
#include "transaction.h"

#include <QVariant>

namespace store {

const QString createWindowSize = QStringLiteral(
    "Create table if not exists WindowSize (WindowName TEXT COLLATE NOCASE, Width INTEGER, "
    "Height INTEGER)");

namespace {

const QString windowSizeTable = QStringLiteral("WindowSize");
const QString selectWindowSize =
    QStringLiteral("Select Width, Height from WindowSize where WindowName = ?");
const QString deleteWindowSize = QStringLiteral("Delete from WindowSize where WindowName = ?");
const QString insertWindowSize =
    QStringLiteral("Insert into WindowSize (WindowName, Width, Height) values (?, ?, ?)");

} // namespace

QSqlError findWindowSize(const QSqlDatabase &db, const QString &windowName,
                         std::optional<QSize> *size)
{
    size->reset();
    if (!hasAddedTable(db, windowSizeTable))
        return {};
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectWindowSize, {windowName}, &query); error.isValid())
        return error;
    if (query.next())
        *size = QSize(query.value(0).toInt(), query.value(1).toInt());
    return query.lastError();
}

QSqlError replaceWindowSize(const QSqlDatabase &db, const QString &windowName, QSize size)
{
    return inTransaction(db, [&] {
        QSqlQuery query;
        QSqlError error = createTableOnFirstUse(db, createWindowSize);
        if (!error.isValid())
            error = runBound(db, deleteWindowSize, {windowName}, &query);
        if (!error.isValid())
            error = runBound(db, insertWindowSize, {windowName, size.width(), size.height()},
                             &query);
        return error;
    });
}

} // namespace store
