#pragma once

#include "importrows.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

// What the copies of the data file need to ask of a database.
namespace store {

// SQLite's own check of the whole file (quick: without matching every index
// to its table). *findings is empty when the file is sound.
QSqlError checkIntegrity(const QSqlDatabase &db, bool quick, QStringList *findings);

// What a copy holds, for choosing one to bring back.
struct StoredContents {
    RowCounts rows;
    QString lastChequeNo;   // of the cheque recorded last; empty without one
    QString lastChequeDate;
};
QSqlError readStoredContents(const QSqlDatabase &db, StoredContents *contents);

// A read transaction that keeps the file as it is until it ends: a copy
// taken in several steps then sees one state of it.
QSqlError beginRead(const QSqlDatabase &db);
void endRead(const QSqlDatabase &db);

} // namespace store
