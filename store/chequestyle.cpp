#include "chequestyle.h"

#include "boundstatement.h"
#include "dialect.h"

#include <QSqlQuery>
#include <QVariant>

namespace store {

QString createChequeStyleTable()
{
    return QStringLiteral(
    "CREATE TABLE IF NOT EXISTS ChequeStyle (Bankname TEXT COLLATE NOCASE PRIMARY KEY, "
    "DateStyle INTEGER NOT NULL, DateOrder INTEGER NOT NULL, BoxWidth REAL NOT NULL, "
    "BoxHeight REAL NOT NULL, GapAfterFirst REAL NOT NULL, GapAfterSecond REAL NOT NULL, "
    "CrossingStyle INTEGER NOT NULL, CrossingWords INTEGER NOT NULL, "
    "CrossingAngle REAL NOT NULL, CrossingLength REAL NOT NULL, CrossingGap REAL NOT NULL, "
    "CrossingLeft REAL NOT NULL, CrossingTop REAL NOT NULL, StandardLeaf TEXT NOT NULL, "
    "LeafWidthMm REAL NOT NULL, LeafHeightMm REAL NOT NULL, MicrBandMm REAL NOT NULL)");
}

namespace {

const QString selectChequeStyleByBank = QStringLiteral(
    "Select DateStyle, DateOrder, BoxWidth, BoxHeight, GapAfterFirst, GapAfterSecond, "
    "CrossingStyle, CrossingWords, CrossingAngle, CrossingLength, CrossingGap, CrossingLeft, "
    "CrossingTop, StandardLeaf, LeafWidthMm, LeafHeightMm, MicrBandMm from ChequeStyle "
    "where Bankname = ?");
const QString replaceChequeStyleByBank = replaceStatement(
    QStringLiteral("ChequeStyle"), QStringLiteral("Bankname"),
    {QStringLiteral("DateStyle"), QStringLiteral("DateOrder"), QStringLiteral("BoxWidth"),
     QStringLiteral("BoxHeight"), QStringLiteral("GapAfterFirst"), QStringLiteral("GapAfterSecond"),
     QStringLiteral("CrossingStyle"), QStringLiteral("CrossingWords"),
     QStringLiteral("CrossingAngle"), QStringLiteral("CrossingLength"),
     QStringLiteral("CrossingGap"), QStringLiteral("CrossingLeft"), QStringLiteral("CrossingTop"),
     QStringLiteral("StandardLeaf"), QStringLiteral("LeafWidthMm"), QStringLiteral("LeafHeightMm"),
     QStringLiteral("MicrBandMm")});
const QString selectLeafPlaceByBank = QStringLiteral(
    "Select LeftMm, TopMm, WidthMm, HeightMm from LeafImage where Bankname = ?");

} // namespace

QSqlError findChequeStyle(const QSqlDatabase &db, const QString &bankName, ChequeStyle *style)
{
    *style = {};
    // A file that could not be given the table (read-only) has no styles.
    if (!hasAddedTable(db, QStringLiteral("ChequeStyle")))
        return {};
    QSqlQuery query(db);
    if (QSqlError error = runBound(db, selectChequeStyleByBank, {bankName}, &query, true);
        error.isValid())
        return error;
    if (query.next()) {
        const auto number = [&](int field) { return query.value(field).toDouble(); };
        *style = {query.value(0).toInt(), query.value(1).toInt(), number(2), number(3),
                  number(4), number(5), query.value(6).toInt(), query.value(7).toInt(),
                  number(8), number(9), number(10), number(11), number(12),
                  query.value(13).toString(), number(14), number(15), number(16)};
    }
    return query.lastError();
}

QSqlError replaceChequeStyle(const QSqlDatabase &db, const QString &bankName,
                             const ChequeStyle &style)
{
    const ChequeStyle &s = style;
    QSqlQuery query(db);
    return runBound(db, replaceChequeStyleByBank,
                    {bankName, s.dateStyle, s.dateOrder, s.boxWidth, s.boxHeight,
                     s.gapAfterFirst, s.gapAfterSecond, s.crossingStyle, s.crossingWords,
                     s.crossingAngle, s.crossingLength, s.crossingGap, s.crossingLeft,
                     s.crossingTop, s.standardLeaf.isNull() ? QStringLiteral("") : s.standardLeaf,
                     s.leafWidthMm, s.leafHeightMm, s.micrBandMm},
                    &query, true);
}

QSqlError findLeafPlace(const QSqlDatabase &db, const QString &bankName,
                        std::optional<QRectF> *leafMm)
{
    leafMm->reset();
    if (hasAddedTable(db, QStringLiteral("LeafImage"))) {
        QSqlQuery query(db);
        if (QSqlError error = runBound(db, selectLeafPlaceByBank, {bankName}, &query, true);
            error.isValid())
            return error;
        if (query.next()) {
            *leafMm = QRectF(query.value(0).toDouble(), query.value(1).toDouble(),
                             query.value(2).toDouble(), query.value(3).toDouble());
            return {};
        }
        if (query.lastError().isValid())
            return query.lastError();
    }
    ChequeStyle style;
    if (QSqlError error = findChequeStyle(db, bankName, &style); error.isValid())
        return error;
    if (style.leafWidthMm > 0 && style.leafHeightMm > 0)
        *leafMm = QRectF(0, 0, style.leafWidthMm, style.leafHeightMm);
    return {};
}

} // namespace store
