#include "batchstatements.h"

#include "boundstatement.h"
#include "transaction.h"

#include <QVariant>

namespace store {
namespace {

const QString selectPayeeByName = QStringLiteral(
    "Select Payeename from Payee where Payeename = ? collate nocase and Payeename <> '' "
    "order by rowid limit 1");

const QString journalTable = QStringLiteral("BatchJournal");
const QString createJournal = QStringLiteral(
    "Create table if not exists BatchJournal (Page INTEGER PRIMARY KEY, DateofChq DATE, "
    "Payeename TEXT, BankName TEXT, PAyeeamt TEXT, ChequeNo TEXT, "
    "HandedOver INTEGER NOT NULL DEFAULT 0)");
const QString insertJournalPage = QStringLiteral(
    "Insert into BatchJournal (Page, DateofChq, Payeename, BankName, PAyeeamt, ChequeNo) "
    "values (?, ?, ?, ?, ?, ?)");
const QString deleteJournalPagesAfter = QStringLiteral("Delete from BatchJournal where Page > ?");
const QString markJournalHandedOver = QStringLiteral("Update BatchJournal set HandedOver = 1");
const QString selectJournal = QStringLiteral(
    "Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo, HandedOver from BatchJournal "
    "order by Page");
const QString selectLastRowid = QStringLiteral("Select last_insert_rowid()");

bool hasJournal(const QSqlDatabase &db)
{
    return db.tables().contains(journalTable, Qt::CaseInsensitive);
}

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

QSqlError writeBatchJournal(const QSqlDatabase &db, const QList<RegisterRow> &pages)
{
    return inTransaction(db, [&] {
        QSqlQuery query;
        QSqlError error = runBound(db, createJournal, {}, &query);
        if (!error.isValid() && !query.prepare(insertJournalPage))
            error = query.lastError();
        for (qsizetype page = 0; page < pages.size() && !error.isValid(); ++page) {
            const RegisterRow &row = pages[page];
            for (const QVariant &value : QVariantList{page + 1, row.dateOfCheque, row.payeeName,
                                                      row.bankName, row.amount, row.chequeNo})
                query.addBindValue(value);
            query.exec();
            error = query.lastError();
        }
        return error;
    });
}

QSqlError keepBatchJournalPages(const QSqlDatabase &db, int pages)
{
    QSqlQuery query;
    return hasJournal(db) ? runBound(db, deleteJournalPagesAfter, {pages}, &query) : QSqlError();
}

QSqlError markBatchJournalHandedOver(const QSqlDatabase &db)
{
    QSqlQuery query;
    return runBound(db, markJournalHandedOver, {}, &query);
}

QSqlError readBatchJournal(const QSqlDatabase &db, QList<RegisterRow> *pages, bool *handedOver)
{
    pages->clear();
    *handedOver = true;
    if (!hasJournal(db))
        return {};
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectJournal, {}, &query); error.isValid())
        return error;
    while (query.next()) {
        pages->append({query.value(0).toDate(), query.value(1).toString(),
                       query.value(2).toString(), query.value(3).toString(),
                       query.value(4).toString()});
        *handedOver = *handedOver && query.value(5).toBool();
    }
    return query.lastError();
}

QSqlError recordBatch(const QSqlDatabase &db, const QList<RegisterRow> &pages,
                      const QList<bool> &cameOutRight, const VoidMark &spoiled)
{
    return inTransaction(db, [&] {
        QSqlQuery lastRow(db);
        QSqlError error = lastRow.prepare(selectLastRowid) ? QSqlError() : lastRow.lastError();
        for (qsizetype page = 0; page < pages.size() && !error.isValid(); ++page) {
            error = addRegisterEntry(db, pages[page]);
            if (error.isValid() || cameOutRight.value(page))
                continue;
            VoidMark mark = spoiled;
            if (!lastRow.exec() || !lastRow.next())
                return lastRow.lastError();
            mark.registerRow = lastRow.value(0).toLongLong();
            error = addVoidMark(db, mark);
        }
        if (!error.isValid())
            error = keepBatchJournalPages(db, 0);
        return error;
    });
}

} // namespace store
