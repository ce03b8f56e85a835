#pragma once

#include "registerstatements.h"

#include <QList>

// The statements of printing a run of cheques. Values are bound; each
// function returns an invalid QSqlError on success.
namespace store {

// The name to print of the payee whose name is this one, compared without
// regard to case; nullopt when no payee has it.
QSqlError findPayeeByName(const QSqlDatabase &db, const QString &name,
                          std::optional<QString> *payeeName);

// The journal of a batch handed to the printer and not yet confirmed: the
// register row of each page, in page order, kept so that a program stopped
// before the confirmation offers it again at its next start. The table is
// made when the first batch is printed.
QSqlError writeBatchJournal(const QSqlDatabase &db, const QList<RegisterRow> &pages);
// Keeps the first pages only: the rest never went to the printer.
QSqlError keepBatchJournalPages(const QSqlDatabase &db, int pages);
// Notes that the spooler took the job: its pages may have printed.
QSqlError markBatchJournalHandedOver(const QSqlDatabase &db);
// The pages, and whether the spooler took them (a program stopped while
// drawing the job handed nothing over).
QSqlError readBatchJournal(const QSqlDatabase &db, QList<RegisterRow> *pages, bool *handedOver);

// Writes every page to the register, marks void with the reason those that
// did not come out right, and empties the journal: all in one transaction.
QSqlError recordBatch(const QSqlDatabase &db, const QList<RegisterRow> &pages,
                      const QList<bool> &cameOutRight, const VoidMark &spoiled);

} // namespace store
