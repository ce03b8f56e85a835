#pragma once

#include "statements.h"

#include "money.h"

#include <QDateTime>

// The statements of cheque numbers, void marks and register totals.
// Values are bound; each function returns an invalid QSqlError on success.
namespace store {

// SQL that gives a cheque number as numbers are compared: without the
// blanks around it and its leading zeros, so "004711" is "4711".
QString chequeNumberKey(const QString &operand);
// The condition a ChequeNo made only of digits meets.
extern const QString digitsOnly;

// The bank's first cheque with the number; nullopt when there is none or the
// number is blank. Void cheques count: their number has been used.
QSqlError findChequeByNumber(const QSqlDatabase &db, const QString &bankName,
                             const QString &chequeNo, std::optional<RegisterRow> *cheque);

// The bank's highest cheque number made only of digits, as written
// (without surrounding blanks); a null text when the bank has none.
QSqlError findHighestChequeNumber(const QSqlDatabase &db, const QString &bankName,
                                  QString *chequeNo);

enum class VoidAction { Void, Undo };

struct VoidMark {
    qint64 registerRow = 0;  // the rowid of the ChqIssuereg row
    VoidAction action = VoidAction::Void;
    QString reason;
    QDateTime at;
    QString by;
};

// A mark made now by the user logged in: a single-user program knows its
// user by the login name.
VoidMark markNow(qint64 registerRow, VoidAction action, const QString &reason);

// Adds one mark to the cheque's history; earlier marks stay.
QSqlError addVoidMark(const QSqlDatabase &db, const VoidMark &mark);

// The register columns in table order, then RegisterRow (the row's rowid),
// VoidReason (null unless void) and VoidMarkedAt, for the bank's cheques
// dated from..to, both included.
QSqlError selectRegisterWithVoids(const QSqlDatabase &db, const QString &bankName,
                                  const QDate &from, const QDate &to, QSqlQuery *query,
                                  bool forwardOnly);
inline constexpr int registerColumnCount = 5;

// The same rows, each as one line of CSV without its line end: the five
// columns (the date as yyyy-mm-dd) and the void reason.
QSqlError selectRegisterCsvLines(const QSqlDatabase &db, const QString &bankName,
                                 const QDate &from, const QDate &to, QSqlQuery *query);

struct RegisterTotals {
    qint64 count = 0;        // cheques not void
    Money total;             // their amounts
    qint64 notAdded = 0;     // of them, amounts that are no plain figures
    qint64 voidCount = 0;
    Money voidTotal;
    qint64 voidNotAdded = 0;
};

// The totals of what selectRegisterWithVoids lists, in whole hundredths.
// Amounts are read as plain figures with thousands commas; one that is not
// ("Rs 500", "1.500,00") is counted as not added.
QSqlError sumRegister(const QSqlDatabase &db, const QString &bankName, const QDate &from,
                      const QDate &to, RegisterTotals *totals);

} // namespace store
