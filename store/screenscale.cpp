#include "screenscale.h"

#include "boundstatement.h"
#include "dialect.h"
#include "firstusetables.h"
#include "transaction.h"

#include <QVariant>

namespace store {

const QString createScreenScale = QStringLiteral(
    "Create table if not exists ScreenScale (ScreenName TEXT COLLATE NOCASE, "
    "PixelsPerMm REAL)");

namespace {

const QString screenScaleTable = QStringLiteral("ScreenScale");
const QString selectScreenScale =
    QStringLiteral("Select PixelsPerMm from ScreenScale where ScreenName = ?");
const QString deleteScreenScale = QStringLiteral("Delete from ScreenScale where ScreenName = ?");
const QString insertScreenScale =
    QStringLiteral("Insert into ScreenScale (ScreenName, PixelsPerMm) values (?, ?)");

} // namespace

QSqlError findScreenScale(const QSqlDatabase &db, const QString &screenName,
                          std::optional<double> *pixelsPerMillimetre)
{
    pixelsPerMillimetre->reset();
    if (!hasAddedTable(db, screenScaleTable))
        return {};
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectScreenScale, {screenName}, &query); error.isValid())
        return error;
    if (query.next())
        *pixelsPerMillimetre = query.value(0).toDouble();
    return query.lastError();
}

QSqlError replaceScreenScale(const QSqlDatabase &db, const QString &screenName,
                             double pixelsPerMillimetre)
{
    return inTransaction(db, [&] {
        QSqlQuery query;
        QSqlError error = createTableOnFirstUse(db, createScreenScale);
        if (!error.isValid())
            error = runBound(db, deleteScreenScale, {screenName}, &query);
        if (!error.isValid())
            error = runBound(db, insertScreenScale, {screenName, pixelsPerMillimetre}, &query);
        return error;
    });
}

} // namespace store
