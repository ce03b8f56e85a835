#pragma once

#include "journalowner.h"
#include "registerstatements.h"

#include "money.h"

#include <QDateTime>
#include <QList>

// The print journal: every cheque on its way to the printer, noted before
// its page is drawn and cleared when it is recorded in the register. A
// note's number counts as used from the moment it is noted, so no other
// window or copy of the program takes it without asking. The pages of one
// job (one cheque, or a batch) are noted, advanced and recorded together,
// and only by their owner, or by whoever settles them once the owner has
// ended. Values are bound; each function returns an invalid QSqlError on
// success.
namespace store {

// How far a job has gone: noted (nothing has reached the printer yet),
// handing over (the job is being sent: it may or may not have printed),
// handed over (the spooler took it).
enum class JobState { Noted, HandingOver, HandedOver };

struct JournalPage {
    RegisterRow cheque;      // the register row it becomes
    Money amount;            // the amount in figures, exactly
    QString amountInWords;
    bool crossed = true;
    qint64 replaces = 0;     // the register row a reprint voids, or 0
};

struct JournalJob {
    JournalOwner owner;
    qint64 job = 0;
    JobState state = JobState::Noted;  // the job's least advanced page
    QList<JournalPage> pages;          // in page order
    QDateTime notedAt;                 // when its first page was noted
};

// Notes the pages as one job of this copy, under the write lock: their
// numbers are reserved from now on. *earlier gets, page by page, the first
// earlier use of its number, found under the same lock (in the register, or
// noted by another job: *earlierNoted then says so); nullopt when it is new.
QSqlError noteJob(const QSqlDatabase &db, const QList<JournalPage> &pages, qint64 *job,
                  QList<std::optional<RegisterRow>> *earlier, QList<bool> *earlierNoted);
// Moves this copy's job on to the state.
QSqlError setJobState(const QSqlDatabase &db, qint64 job, JobState state);
// Keeps the job's first pages only: the rest never went to the printer.
QSqlError keepJobPages(const QSqlDatabase &db, const JournalOwner &owner, qint64 job, int pages);
// Writes the job's pages to the register, marks void with spoiled.reason
// those that did not come out right, voids the cheque each replaces, and
// clears the notes: all in one transaction, which fails when the owner's job
// no longer has exactly these pages (settled by another copy meanwhile).
QSqlError recordJob(const QSqlDatabase &db, const JournalJob &job, const QList<bool> &cameOutRight,
                    const VoidMark &spoiled);
// Every job in the journal, of whichever owner.
QSqlError readJournal(const QSqlDatabase &db, QList<JournalJob> *jobs);

// Whether the user may settle notes left at any desk, which a supervisor
// may once they are old enough that their clerk has plainly gone.
QSqlError maySettleEveryDesk(const QSqlDatabase &db, bool *may);

// Moves the batch journal an older Quillmark left (table BatchJournal) into
// the print journal, as the job of a copy that has ended, and drops it;
// runs inside the caller's transaction.
QSqlError adoptOlderBatchJournal(const QSqlDatabase &db);

// Keys the register rows written without one (by an older program, or by
// the move from the Access file); runs inside the caller's transaction.
QSqlError keyUnkeyedRegisterRows(const QSqlDatabase &db);

} // namespace store
