#include "paymentstatements.h"

#include "boundstatement.h"

#include <QVariant>

namespace store {
namespace {

// A cheque is void while its latest mark is a void.
const QString selectPaymentsDated = QStringLiteral(
    "Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo from ChqIssuereg r "
    "where r.DateofChq >= ? and r.DateofChq <= ? and not exists (select 1 from "
    "ChequeVoidMarks m where m.Id = (select max(Id) from ChequeVoidMarks where "
    "RegisterRow = r.rowid) and m.Action = 'void') order by r.rowid");

// Cheques noted in the print journal and not yet recorded are payments
// too: they may well have printed.
const QString selectJournalPagesDated = QStringLiteral(
    "Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo from PrintJournal "
    "where DateofChq >= ? and DateofChq <= ? order by Id");

QSqlError appendRows(const QSqlDatabase &db, const QString &statement, const QDate &from,
                     const QDate &to, QList<RegisterRow> *cheques)
{
    QSqlQuery query(db);
    if (QSqlError error = runBound(db, statement, {from, to}, &query); error.isValid())
        return error;
    while (query.next())
        cheques->append({query.value(0).toDate(), query.value(1).toString(),
                         query.value(2).toString(), query.value(3).toString(),
                         query.value(4).toString()});
    return query.lastError();
}

} // namespace

QSqlError listPaymentsDated(const QSqlDatabase &db, const QDate &from, const QDate &to,
                            QList<RegisterRow> *cheques)
{
    cheques->clear();
    QSqlError error = appendRows(db, selectPaymentsDated, from, to, cheques);
    if (!error.isValid())
        error = appendRows(db, selectJournalPagesDated, from, to, cheques);
    return error;
}

} // namespace store
