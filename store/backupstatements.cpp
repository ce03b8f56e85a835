#include "backupstatements.h"

#include <QSqlQuery>

namespace store {
namespace {

const QString integrityCheck = QStringLiteral("PRAGMA integrity_check");
const QString quickCheck = QStringLiteral("PRAGMA quick_check");
// The cheque recorded last is the register's highest rowid.
const QString lastCheque = QStringLiteral(
    "Select ChequeNo, DateofChq from ChqIssuereg order by rowid desc limit 1");
const QString beginReading = QStringLiteral("BEGIN");
// A transaction reads nothing, and so holds nothing, until its first read.
const QString firstRead = QStringLiteral("Select count(*) from sqlite_master");
const QString endReading = QStringLiteral("ROLLBACK");

} // namespace

QSqlError checkIntegrity(const QSqlDatabase &db, bool quick, QStringList *findings)
{
    findings->clear();
    QSqlQuery query(db);
    if (!query.exec(quick ? quickCheck : integrityCheck))
        return query.lastError();
    while (query.next()) {
        if (const QString finding = query.value(0).toString(); finding != QLatin1String("ok"))
            *findings << finding;
    }
    return query.lastError();
}

QSqlError readStoredContents(const QSqlDatabase &db, StoredContents *contents)
{
    *contents = {};
    if (QSqlError error = countRows(db, &contents->rows); error.isValid())
        return error;
    QSqlQuery query(db);
    if (!query.exec(lastCheque))
        return query.lastError();
    if (query.next()) {
        contents->lastChequeNo = query.value(0).toString();
        contents->lastChequeDate = query.value(1).toString();
    }
    return query.lastError();
}

QSqlError beginRead(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(beginReading))
        return query.lastError();
    if (!query.exec(firstRead)) {
        const QSqlError error = query.lastError();
        endRead(db);
        return error;
    }
    return {};
}

void endRead(const QSqlDatabase &db)
{
    QSqlQuery(db).exec(endReading);
}

} // namespace store
