#include "printjournal.h"

#include "boundstatement.h"
#include "chequenumberkey.h"
#include "dialect.h"
#include "transaction.h"

#include <QDateTime>
#include <QVariant>

namespace store {
namespace {

const QString stateNames[] = {QStringLiteral("noted"), QStringLiteral("handing over"),
                              QStringLiteral("handed over")};

QString stateName(JobState state)
{
    return stateNames[int(state)];
}

JobState stateNamed(const QString &name)
{
    for (int state = 0; state < 3; ++state)
        if (stateNames[state] == name)
            return JobState(state);
    return JobState::HandingOver;  // unknown: perhaps sent
}

const QString nextJob = QStringLiteral("Select coalesce(max(Job), 0) + 1 from PrintJournal");
const QString insertPage = QStringLiteral(
    "Insert into PrintJournal (OwnerHost, OwnerPid, OwnerStart, Job, Page, State, BankName, "
    "BankKey, ChequeNo, NumberKey, Digits, KeyLength, Payeename, AmountCents, PAyeeamt, "
    "AmountInWords, DateofChq, Crossed, Replaces, NotedAt) "
    "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
const QString ownerAndJob =
    QStringLiteral(" where OwnerHost = ? and OwnerPid = ? and OwnerStart = ? and Job = ?");
const QString updateState = QStringLiteral("Update PrintJournal set State = ?") + ownerAndJob;
const QString deletePagesAfter =
    QStringLiteral("Delete from PrintJournal") + ownerAndJob + QStringLiteral(" and Page > ?");
const QString deleteJob = QStringLiteral("Delete from PrintJournal") + ownerAndJob;
const QString countJob = QStringLiteral("Select count(*) from PrintJournal") + ownerAndJob;
const QString selectJournal = QStringLiteral(
    "Select OwnerHost, OwnerPid, OwnerStart, Job, State, DateofChq, Payeename, BankName, "
    "PAyeeamt, ChequeNo, AmountCents, AmountInWords, Crossed, Replaces, NotedAt from PrintJournal "
    "order by OwnerHost, OwnerPid, OwnerStart, Job, Page");

QString orEmpty(const QString &value)
{
    return value.isNull() ? QString(QLatin1String("")) : value;
}

QVariantList ownerValues(const JournalOwner &owner, qint64 job)
{
    return {orEmpty(owner.host), owner.pid, orEmpty(owner.started), job};
}

QVariantList pageValues(const JournalPage &page, const JournalOwner &owner, qint64 job,
                        int number, JobState state)
{
    const QString key = chequeNumberKey(page.cheque.chequeNo);
    QVariantList values = ownerValues(owner, job);
    values << number << stateName(state) << orEmpty(page.cheque.bankName)
           << orEmpty(bankKey(page.cheque.bankName)) << orEmpty(page.cheque.chequeNo) << orEmpty(key)
           << int(isDigitNumber(key)) << key.size() << orEmpty(page.cheque.payeeName)
           << page.amount.cents() << orEmpty(page.cheque.amount) << orEmpty(page.amountInWords)
           << page.cheque.dateOfCheque << int(page.crossed)
           << (page.replaces ? QVariant(page.replaces) : QVariant(QMetaType::fromType<qint64>()))
           // In UTC, as desks may keep other time zones.
           << QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    return values;
}

// The batch journal of an older Quillmark, read as one job's pages.
const QString olderJournal = QStringLiteral("BatchJournal");
const QString selectOlderJournal = QStringLiteral(
    "Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo, HandedOver from BatchJournal "
    "order by Page");
const QString dropOlderJournal = QStringLiteral("DROP TABLE BatchJournal");

// The banks whose numbers a job takes or frees, with those of the cheques
// it replaces: on a server each is locked until the transaction ends, in
// one order, so that two jobs never wait on each other.
const QString selectBankOfRow =
    QStringLiteral("Select BankName from ChqIssuereg where %1 = ?").arg(dialect::registerRowId);

QSqlError lockBanks(const QSqlDatabase &db, const QList<JournalPage> &pages)
{
    const QString lock = dialect::bankNumbersLock(engineOf(db));
    if (lock.isEmpty())
        return {};
    QStringList keys;
    QSqlQuery query;
    for (const JournalPage &page : pages) {
        keys << bankKey(page.cheque.bankName);
        if (!page.replaces)
            continue;
        if (QSqlError error = runBound(db, selectBankOfRow, {page.replaces}, &query);
            error.isValid())
            return error;
        if (query.next())
            keys << bankKey(query.value(0).toString());
    }
    keys.sort();
    keys.removeDuplicates();
    for (const QString &key : std::as_const(keys)) {
        if (QSqlError error = runBound(db, lock, {orEmpty(key)}, &query); error.isValid())
            return error;
    }
    return {};
}

// A reprint's original must still be live and not already on its way to
// being replaced: two desks reprinting one cheque leave one replacement.
const QString selectVoidReason = QStringLiteral("Select m.Reason ") + registerWithVoids
    + QStringLiteral("where r.%1 = ?").arg(dialect::registerRowId);
const QString countReplacing =
    QStringLiteral("Select count(*) from PrintJournal where Replaces = ?");

QSqlError refusal(const QString &why)
{
    return QSqlError(why, {}, QSqlError::TransactionError);
}

QSqlError replaceableError(const QSqlDatabase &db, const JournalPage &page)
{
    // 1. Void now: a reprint recorded meanwhile has voided it too.
    QSqlQuery query;
    QSqlError error = runBound(db, selectVoidReason, {page.replaces}, &query);
    if (!error.isValid() && query.next() && !query.value(0).isNull())
        return refusal(QStringLiteral("The cheque to be replaced is void already (%1), so it is "
                                      "not reprinted.").arg(query.value(0).toString()));
    // 2. On its way to being replaced, at this desk or another.
    if (!error.isValid())
        error = runBound(db, countReplacing, {page.replaces}, &query);
    if (!error.isValid() && query.next() && query.value(0).toLongLong() > 0)
        return refusal(QStringLiteral("The cheque to be replaced is being reprinted already, so "
                                      "it is not reprinted again."));
    return error.isValid() ? error : query.lastError();
}

QSqlError goneError()
{
    return refusal(QStringLiteral("The cheques are no longer in the print journal: another "
                                  "copy of Quillmark has settled them."));
}

} // namespace

QSqlError noteJob(const QSqlDatabase &db, const QList<JournalPage> &pages, qint64 *job,
                  QList<std::optional<RegisterRow>> *earlier, QList<bool> *earlierNoted)
{
    earlier->clear();
    earlierNoted->clear();
    return inWriteTransaction(db, [&] {
        // 1. The banks' numbers held, everything up to date, the job's number.
        QSqlQuery query;
        QSqlError error = lockBanks(db, pages);
        if (!error.isValid())
            error = keyUnkeyedRegisterRows(db);
        if (!error.isValid())
            error = runBound(db, nextJob, {}, &query);
        if (error.isValid())
            return error;
        *job = query.next() ? query.value(0).toLongLong() : 1;
        // 2. Each page noted, after its number's earlier use is looked up.
        ChequeNumberLookup numbers(db);
        QSqlQuery insert(db);
        if (!insert.prepare(insertPage))
            return insert.lastError();
        for (int page = 0; page < pages.size() && !error.isValid(); ++page) {
            std::optional<RegisterRow> used;
            bool noted = false;
            error = numbers.find(pages[page].cheque.bankName, pages[page].cheque.chequeNo, &used,
                                 &noted);
            earlier->append(used);
            earlierNoted->append(noted);
            if (!error.isValid() && pages[page].replaces)
                error = replaceableError(db, pages[page]);
            for (const QVariant &value :
                 pageValues(pages[page], thisCopy(), *job, page + 1, JobState::Noted))
                insert.addBindValue(value);
            if (!error.isValid() && !insert.exec())
                error = insert.lastError();
        }
        return error;
    });
}

QSqlError setJobState(const QSqlDatabase &db, qint64 job, JobState state)
{
    QSqlQuery query;
    QVariantList values{stateName(state)};
    values << ownerValues(thisCopy(), job);
    return runBound(db, updateState, values, &query);
}

QSqlError keepJobPages(const QSqlDatabase &db, const JournalOwner &owner, qint64 job, int pages)
{
    QSqlQuery query;
    return runBound(db, deletePagesAfter, ownerValues(owner, job) << pages, &query);
}

QSqlError recordJob(const QSqlDatabase &db, const JournalJob &job, const QList<bool> &cameOutRight,
                    const VoidMark &spoiled)
{
    return inWriteTransaction(db, [&]() -> QSqlError {
        // 1. Exactly these pages, still the owner's; their numbers held, as
        //    they move from the journal to the register.
        QSqlQuery query;
        QSqlError error = lockBanks(db, job.pages);
        if (!error.isValid())
            error = runBound(db, countJob, ownerValues(job.owner, job.job), &query);
        if (error.isValid())
            return error;
        if (!query.next() || query.value(0).toLongLong() != job.pages.size())
            return goneError();
        // 2. Each to the register, void when spoiled, its original void.
        for (qsizetype page = 0; page < job.pages.size(); ++page) {
            const JournalPage &noted = job.pages[page];
            qint64 row = 0;
            error = addRegisterEntry(db, noted.cheque, &row);
            VoidMark mark = spoiled;
            mark.registerRow = row;
            if (!error.isValid() && !cameOutRight.value(page, true))
                error = addVoidMark(db, mark);
            mark.registerRow = noted.replaces;
            mark.reason = QStringLiteral("reprinted as %1").arg(noted.cheque.chequeNo);
            if (!error.isValid() && noted.replaces)
                error = addVoidMark(db, mark);
            if (error.isValid())
                return error;
        }
        // 3. The notes cleared.
        if (error = runBound(db, deleteJob, ownerValues(job.owner, job.job), &query);
            error.isValid())
            return error;
        return query.numRowsAffected() == job.pages.size() ? QSqlError() : goneError();
    });
}

QSqlError readJournal(const QSqlDatabase &db, QList<JournalJob> *jobs)
{
    jobs->clear();
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectJournal, {}, &query); error.isValid())
        return error;
    while (query.next()) {
        const JournalOwner owner{query.value(0).toString(), query.value(1).toLongLong(),
                                 query.value(2).toString()};
        const qint64 job = query.value(3).toLongLong();
        if (jobs->isEmpty() || jobs->last().owner != owner || jobs->last().job != job)
            jobs->append({owner, job, JobState::HandedOver, {}, {}});
        JournalJob &last = jobs->last();
        last.state = std::min(last.state, stateNamed(query.value(4).toString()));
        // Without a zone (an earlier Quillmark's): the desk's local time.
        const QDateTime noted = QDateTime::fromString(query.value(14).toString(), Qt::ISODate);
        if (!last.notedAt.isValid() || noted < last.notedAt)
            last.notedAt = noted;
        const RegisterRow cheque{query.value(5).toDate(), query.value(6).toString(),
                                 query.value(7).toString(), query.value(8).toString(),
                                 query.value(9).toString()};
        last.pages.append({cheque, Money::fromCents(query.value(10).toLongLong()),
                           query.value(11).toString(), query.value(12).toBool(),
                           query.value(13).toLongLong()});
    }
    return query.lastError();
}

QSqlError maySettleEveryDesk(const QSqlDatabase &db, bool *may)
{
    *may = false;
    const QString statement = dialect::supervisorStatement(engineOf(db));
    if (statement.isEmpty())
        return {};
    QSqlQuery query;
    if (QSqlError error = runBound(db, statement, {}, &query); error.isValid())
        return error;
    *may = query.next() && query.value(0).toBool();
    return query.lastError();
}

QSqlError adoptOlderBatchJournal(const QSqlDatabase &db)
{
    if (!db.tables().contains(olderJournal, Qt::CaseInsensitive))
        return {};
    QSqlQuery query;
    QSqlError error = runBound(db, selectOlderJournal, {}, &query);
    QList<JournalPage> pages;
    bool handedOver = true;
    while (!error.isValid() && query.next()) {
        pages.append({{query.value(0).toDate(), query.value(1).toString(),
                       query.value(2).toString(), query.value(3).toString(),
                       query.value(4).toString()},
                      Money::parse(query.value(3).toString()).value_or(Money()), {}, true, 0});
        handedOver = handedOver && query.value(5).toBool();
    }
    qint64 job = 0;
    if (!error.isValid() && !pages.isEmpty()) {
        error = runBound(db, nextJob, {}, &query);
        job = !error.isValid() && query.next() ? query.value(0).toLongLong() : 1;
    }
    // Written by a copy that has ended: process 0 never runs.
    const JournalOwner ended{thisCopy().host, 0, {}};
    const JobState state = handedOver ? JobState::HandedOver : JobState::HandingOver;
    for (int page = 0; page < pages.size() && !error.isValid(); ++page)
        error = runBound(db, insertPage, pageValues(pages[page], ended, job, page + 1, state),
                         &query);
    return error.isValid() ? error : runBound(db, dropOlderJournal, {}, &query);
}

} // namespace store
