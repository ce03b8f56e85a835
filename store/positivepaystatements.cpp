#include "positivepaystatements.h"

#include "boundstatement.h"
#include "dialect.h"
#include "registerstatements.h"
#include "transaction.h"

#include <QVariant>

namespace store {
namespace {

const QString selectAccount = QStringLiteral(
    "Select BankName, AccountNumber, BranchMicr, TransactionCode, ShortAccountNumber, "
    "LayoutName from PositivePayAccount where lower(BankName) = lower(?)");
const QString deleteAccount =
    QStringLiteral("Delete from PositivePayAccount where lower(BankName) = lower(?)");
const QString insertAccount = QStringLiteral(
    "Insert into PositivePayAccount (BankName, AccountNumber, BranchMicr, TransactionCode, "
    "ShortAccountNumber, LayoutName) values (?, ?, ?, ?, ?, ?)");
const QString selectBankMicr = QStringLiteral(
    "Select MICRCODE from Bank where lower(Bankname) = lower(?) order by rowid");
const QString selectLayouts =
    QStringLiteral("Select Name, Definition from PositivePayLayout order by Name");
const QString deleteLayout = QStringLiteral("Delete from PositivePayLayout where Name = ?");
const QString insertLayout =
    QStringLiteral("Insert into PositivePayLayout (Name, Definition) values (?, ?)");
const QString insertFile = QStringLiteral(
    "Insert into PositivePayFile (BankName, LayoutName, SentAt, Records, Contents) "
    "values (?, ?, ?, ?, ?)");
const QString selectNewestFileOfBank =
    QStringLiteral("Select coalesce(max(Id), 0) from PositivePayFile where BankName = ?");
const QString insertSent =
    QStringLiteral("Insert into PositivePaySent (FileId, RegisterRow, Kind) values (?, ?, ?)");
const QString selectFiles = QStringLiteral(
    "Select Id, BankName, LayoutName, SentAt, Records, Contents from PositivePayFile "
    "where lower(BankName) = lower(?) order by Id desc");

// What the bank last had of each cheque: the kind of its latest record.
QString selectCheques(bool withDates)
{
    return QStringLiteral("Select r.rowid, r.DateofChq, r.Payeename, r.PAyeeamt, r.ChequeNo, "
                          "m.Id is not null, (select s.Kind from PositivePaySent s where "
                          "s.RegisterRow = r.rowid order by s.FileId desc limit 1) ")
           + registerWithVoids + QStringLiteral("where r.BankName = ? ")
           + (withDates ? QStringLiteral("and r.DateofChq >= ? and r.DateofChq <= ? ")
                        : QString())
           + QStringLiteral("order by r.DateofChq, r.rowid");
}

QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

} // namespace

QSqlError findPayAccount(const QSqlDatabase &db, const QString &bankName,
                         std::optional<PayAccountRow> *account)
{
    account->reset();
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectAccount, {text(bankName)}, &query); error.isValid())
        return error;
    if (query.next())
        *account = PayAccountRow{query.value(0).toString(), query.value(1).toString(),
                                 query.value(2).toString(), query.value(3).toString(),
                                 query.value(4).toString(), query.value(5).toString()};
    return query.lastError();
}

QSqlError savePayAccount(const QSqlDatabase &db, const PayAccountRow &account)
{
    return inTransaction(db, [&] {
        QSqlQuery query;
        QSqlError error = runBound(db, deleteAccount, {text(account.bankName)}, &query);
        if (!error.isValid())
            error = runBound(db, insertAccount,
                             {text(account.bankName), text(account.accountNumber),
                              text(account.branchMicr), text(account.transactionCode),
                              text(account.shortAccountNumber), text(account.layoutName)},
                             &query);
        return error;
    });
}

QSqlError findBankMicr(const QSqlDatabase &db, const QString &bankName, QString *micr)
{
    micr->clear();
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectBankMicr, {text(bankName)}, &query); error.isValid())
        return error;
    if (query.next())
        *micr = query.value(0).toString();
    return query.lastError();
}

QSqlError listPayLayouts(const QSqlDatabase &db, QList<PayLayoutRow> *layouts)
{
    layouts->clear();
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectLayouts, {}, &query); error.isValid())
        return error;
    while (query.next())
        layouts->append({query.value(0).toString(), query.value(1).toString().toUtf8()});
    return query.lastError();
}

QSqlError savePayLayout(const QSqlDatabase &db, const PayLayoutRow &layout)
{
    return inTransaction(db, [&] {
        QSqlQuery query;
        QSqlError error = runBound(db, deleteLayout, {layout.name}, &query);
        if (!error.isValid())
            error = runBound(db, insertLayout,
                             {layout.name, QString::fromUtf8(layout.definition)}, &query);
        return error;
    });
}

QSqlError selectPayCheques(const QSqlDatabase &db, const QString &bankName, const QDate &from,
                           const QDate &to, QList<PayChequeRow> *cheques)
{
    cheques->clear();
    const bool withDates = from.isValid() && to.isValid();
    QVariantList values{text(bankName)};
    if (withDates)
        values << from << to;
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectCheques(withDates), values, &query);
        error.isValid())
        return error;
    // The rows come in date order: each date is read once.
    QString dateText;
    QDate date;
    while (query.next()) {
        if (const QString text = query.value(1).toString().left(10); text != dateText) {
            dateText = text;
            date = QDate::fromString(text, Qt::ISODate);
        }
        cheques->append({query.value(0).toLongLong(), date,
                         query.value(2).toString(), query.value(3).toString(),
                         query.value(4).toString(), query.value(5).toBool(),
                         query.value(6).toString()});
    }
    return query.lastError();
}

QSqlError newestSentFile(const QSqlDatabase &db, const QString &bankName, qint64 *id)
{
    QSqlQuery query;
    QSqlError error = runBound(db, selectNewestFileOfBank, {text(bankName)}, &query);
    *id = !error.isValid() && query.next() ? query.value(0).toLongLong() : 0;
    return error.isValid() ? error : query.lastError();
}

QSqlError holdBankPayFiles(const QSqlDatabase &db, const QString &bankName)
{
    const QString lock = dialect::bankPayFilesLock(engineOf(db));
    QSqlQuery query;
    return lock.isEmpty() ? QSqlError() : runBound(db, lock, {text(bankName).toLower()}, &query);
}

QSqlError addSentFile(const QSqlDatabase &db, const SentFileRow &file,
                      const QList<SentRecord> &records)
{
    QSqlQuery query;
    QSqlError error = runBound(db, insertFile,
                               {text(file.bankName), text(file.layoutName),
                                file.sentAt.toString(Qt::ISODate), file.records,
                                // A file of no records (only voids left out) is empty, not missing.
                                text(QString::fromUtf8(file.contents))},
                               &query);
    if (!error.isValid())
        error = runBound(db, dialect::lastInsertedRowId(engineOf(db)), {}, &query);
    if (error.isValid() || !query.next())
        return error.isValid() ? error : query.lastError();
    const qint64 fileId = query.value(0).toLongLong();
    // Prepared once, bound by position: a file may hold a hundred thousand
    // records, and Qt's binding of many-row statements costs more than the rows.
    if (!query.prepare(insertSent))
        return query.lastError();
    for (const SentRecord &record : records) {
        query.bindValue(0, fileId);
        query.bindValue(1, record.registerRow);
        query.bindValue(2, record.kind);
        if (!query.exec())
            return query.lastError();
    }
    return {};
}

QSqlError listSentFiles(const QSqlDatabase &db, const QString &bankName,
                        QList<SentFileRow> *files)
{
    files->clear();
    QSqlQuery query;
    if (QSqlError error = runBound(db, selectFiles, {text(bankName)}, &query); error.isValid())
        return error;
    while (query.next()) {
        files->append({query.value(0).toLongLong(), query.value(1).toString(),
                       query.value(2).toString(),
                       QDateTime::fromString(query.value(3).toString(), Qt::ISODate),
                       query.value(4).toLongLong(), query.value(5).toString().toUtf8()});
    }
    return query.lastError();
}

} // namespace store
