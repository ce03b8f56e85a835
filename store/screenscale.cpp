#include "screenscale.h"

#include <QSqlQuery>
#include <QVariant>

namespace store {
namespace {

const QString screenScaleTable = QStringLiteral("ScreenScale");
const QString createScreenScale = QStringLiteral(
    "Create table if not exists ScreenScale (ScreenName TEXT COLLATE NOCASE, "
    "PixelsPerMm REAL)");
const QString selectScreenScale =
    QStringLiteral("Select PixelsPerMm from ScreenScale where ScreenName = ?");
const QString deleteScreenScale = QStringLiteral("Delete from ScreenScale where ScreenName = ?");
const QString insertScreenScale =
    QStringLiteral("Insert into ScreenScale (ScreenName, PixelsPerMm) values (?, ?)");

QSqlError run(const QString &statement, const QVariantList &values, QSqlQuery *query)
{
    if (!query->prepare(statement))
        return query->lastError();
    for (const QVariant &value : values)
        query->addBindValue(value);
    query->exec();
    return query->lastError();
}

} // namespace

QSqlError findScreenScale(const QSqlDatabase &db, const QString &screenName,
                          std::optional<double> *pixelsPerMillimetre)
{
    pixelsPerMillimetre->reset();
    if (!db.tables().contains(screenScaleTable, Qt::CaseInsensitive))
        return {};
    QSqlQuery query(db);
    if (QSqlError error = run(selectScreenScale, {screenName}, &query); error.isValid())
        return error;
    if (query.next())
        *pixelsPerMillimetre = query.value(0).toDouble();
    return query.lastError();
}

QSqlError replaceScreenScale(const QSqlDatabase &db, const QString &screenName,
                             double pixelsPerMillimetre)
{
    QSqlDatabase connection = db;
    if (!connection.transaction())
        return connection.lastError();
    QSqlQuery query(db);
    QSqlError error = run(createScreenScale, {}, &query);
    if (!error.isValid())
        error = run(deleteScreenScale, {screenName}, &query);
    if (!error.isValid())
        error = run(insertScreenScale, {screenName, pixelsPerMillimetre}, &query);
    if (error.isValid()) {
        connection.rollback();
        return error;
    }
    if (!connection.commit())
        return connection.lastError();
    return {};
}

} // namespace store
