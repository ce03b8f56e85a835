#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <optional>

// The statements of Positive Pay files. Values are bound; each function
// returns an invalid QSqlError on success.
namespace store {

struct PayAccountRow {
    QString bankName;
    QString accountNumber;
    QString branchMicr;
    QString transactionCode;
    QString shortAccountNumber;
    QString layoutName;
};

// nullopt when the bank's details have not been entered.
QSqlError findPayAccount(const QSqlDatabase &db, const QString &bankName,
                         std::optional<PayAccountRow> *account);
// Replaces the bank's details.
QSqlError savePayAccount(const QSqlDatabase &db, const PayAccountRow &account);
// The bank's MICR code as the bank window saved it; empty when none.
QSqlError findBankMicr(const QSqlDatabase &db, const QString &bankName, QString *micr);

struct PayLayoutRow {
    QString name;
    QByteArray definition;
};
QSqlError listPayLayouts(const QSqlDatabase &db, QList<PayLayoutRow> *layouts);
// Replaces the layout of the name.
QSqlError savePayLayout(const QSqlDatabase &db, const PayLayoutRow &layout);

// A cheque of the register as an export sees it: whether it is void now
// and what the bank last had of it ("I", "V" or empty: nothing).
struct PayChequeRow {
    qint64 registerRow = 0;
    QDate date;
    QString payeeName;
    QString amount;
    QString chequeNo;
    bool isVoid = false;
    QString lastSent;
};
// The bank's cheques in date order; only those dated from..to when both
// are valid.
QSqlError selectPayCheques(const QSqlDatabase &db, const QString &bankName, const QDate &from,
                           const QDate &to, QList<PayChequeRow> *cheques);

struct SentFileRow {
    qint64 id = 0;
    QString bankName;
    QString layoutName;
    QDateTime sentAt;
    qint64 records = 0;
    QByteArray contents;
};
struct SentRecord {
    qint64 registerRow = 0;
    QString kind;  // "I" or "V"
};
// Keeps the file and marks its records sent; run inside the caller's
// write transaction, so that a file that is not saved marks nothing.
// The id of the bank's latest file, 0 when none has been sent.
QSqlError newestSentFile(const QSqlDatabase &db, const QString &bankName, qint64 *id);
// Within a write transaction: holds the bank's files until it ends, so that
// what was sent is read and added by one desk at a time.
QSqlError holdBankPayFiles(const QSqlDatabase &db, const QString &bankName);

QSqlError addSentFile(const QSqlDatabase &db, const SentFileRow &file,
                      const QList<SentRecord> &records);
// The bank's files, the latest first.
QSqlError listSentFiles(const QSqlDatabase &db, const QString &bankName,
                        QList<SentFileRow> *files);

} // namespace store
