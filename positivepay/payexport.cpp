#include "payexport.h"

#include "failure.h"
#include "layoutstore.h"
#include "positivepaystatements.h"
#include "transaction.h"

#include <QFile>

namespace positivepay {
namespace {

const QString issued = QStringLiteral("I");
const QString voided = QStringLiteral("V");

QSqlError readAccount(const QSqlDatabase &db, PreparedExport *prepared)
{
    std::optional<store::PayAccountRow> row;
    if (QSqlError error = store::findPayAccount(db, prepared->choice.bankName, &row);
        error.isValid())
        return error;
    if (!row) {
        prepared->problems << QStringLiteral("The account details of %1 have not been entered: "
                                             "enter them in Account Details first.")
                                  .arg(prepared->choice.bankName);
        return {};
    }
    prepared->account = {row->bankName, row->accountNumber, row->branchMicr,
                         row->transactionCode, row->shortAccountNumber};
    QList<Layout> layouts;
    const QSqlError error = allLayouts(db, &layouts);
    if (!error.isValid() && !findLayout(layouts, row->layoutName, &prepared->layout))
        prepared->problems << QStringLiteral("The layout \"%1\" chosen for %2 is not there: "
                                             "choose one in Account Details.")
                                  .arg(row->layoutName, prepared->choice.bankName);
    return error;
}

QList<PayRecord> recordsOf(const QList<store::PayChequeRow> &cheques, bool notYetSent,
                           QStringList *problems)
{
    QList<PayRecord> records;
    for (const store::PayChequeRow &cheque : cheques) {
        const std::optional<RecordKind> kind =
            recordToSend(cheque.isVoid, cheque.lastSent, notYetSent);
        if (!kind)
            continue;
        const std::optional<Money> amount = Money::parse(cheque.amount.trimmed());
        if (!amount) {
            *problems << QStringLiteral("Cheque %1 of %2: the amount \"%3\" cannot be read.")
                             .arg(cheque.chequeNo.trimmed(),
                                  cheque.date.toString(QStringLiteral("dd-MM-yyyy")),
                                  cheque.amount);
            continue;
        }
        records.append({cheque.registerRow, *kind, cheque.date, cheque.chequeNo,
                        cheque.payeeName, *amount});
    }
    return records;
}

} // namespace

std::optional<RecordKind> recordToSend(bool isVoid, const QString &lastSent, bool notYetSent)
{
    if (!isVoid)
        return notYetSent && lastSent == issued ? std::nullopt
                                                : std::optional(RecordKind::Issue);
    const bool bankHasIt = notYetSent ? lastSent == issued : !lastSent.isEmpty();
    return bankHasIt ? std::optional(RecordKind::Void) : std::nullopt;
}

QSqlError prepareExport(const QSqlDatabase &db, const ExportChoice &choice,
                        PreparedExport *prepared)
{
    *prepared = {};
    prepared->choice = choice;
    if (QSqlError error = readAccount(db, prepared); error.isValid() || !prepared->problems.isEmpty())
        return error;
    if (QSqlError error = store::newestSentFile(db, choice.bankName, &prepared->newestFile);
        error.isValid())
        return error;
    QList<store::PayChequeRow> cheques;
    const QDate from = choice.notYetSent ? QDate() : choice.from;
    const QDate to = choice.notYetSent ? QDate() : choice.to;
    if (QSqlError error = store::selectPayCheques(db, choice.bankName, from, to, &cheques);
        error.isValid())
        return error;
    const QList<PayRecord> records = recordsOf(cheques, choice.notYetSent, &prepared->problems);
    prepared->file = writePayFile(prepared->layout, prepared->account, records);
    prepared->problems << prepared->file.refused;
    return {};
}

QString finishExport(const QSqlDatabase &db, const PreparedExport &prepared, const QString &path)
{
    // 1. The records, the void ones left out of the file among them: the
    //    user has been told to tell the bank of those.
    QList<store::SentRecord> sent;
    for (const QList<PayRecord> &records : {prepared.file.written, prepared.file.leftOut}) {
        for (const PayRecord &record : records)
            sent.append({record.registerRow, record.kind == RecordKind::Issue ? issued : voided});
    }
    const store::SentFileRow file{0, prepared.choice.bankName, prepared.layout.name,
                                  QDateTime::currentDateTime(),
                                  prepared.file.written.size(), prepared.file.bytes};

    // 2. Marked and saved together: the file is committed before the marks,
    //    unless another desk sent one for the bank since this was prepared.
    qint64 newest = 0;
    QSqlError error = store::beginWrite(db);
    if (!error.isValid())
        error = store::holdBankPayFiles(db, prepared.choice.bankName);
    if (!error.isValid())
        error = store::newestSentFile(db, prepared.choice.bankName, &newest);
    if (error.isValid()) {
        store::rollbackWrite(db);
        return store::failureText(QStringLiteral("mark the cheques sent"), error);
    }
    if (newest != prepared.newestFile) {
        store::rollbackWrite(db);
        return QStringLiteral("Another Positive Pay file for %1 has been saved since this one was "
                              "made, so this one has not been saved: export again.")
            .arg(prepared.choice.bankName);
    }
    if (QSqlError error = store::addSentFile(db, file, sent); error.isValid()) {
        store::rollbackWrite(db);
        return store::failureText(QStringLiteral("mark the cheques sent"), error);
    }
    if (const QString problem = savePayFile(path, prepared.file.bytes); !problem.isEmpty()) {
        store::rollbackWrite(db);
        return problem;
    }
    if (QSqlError error = store::commitWrite(db); error.isValid()) {
        QFile::remove(path);  // a file no mark tells of would be sent twice
        return store::failureText(QStringLiteral("mark the cheques sent"), error);
    }
    return {};
}

} // namespace positivepay
