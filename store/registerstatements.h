#pragma once

#include "statements.h"

#include "money.h"

#include <QByteArrayView>
#include <QDateTime>
#include <array>
#include <functional>

// The statements of cheque numbers, void marks and register totals.
// Values are bound; each function returns an invalid QSqlError on success.
namespace store {

// Numbers compare by their key (chequenumberkey.h), kept beside each
// register row and each note of the print journal.

// The bank's first cheque with the number, in the register or else noted in
// the print journal (*noted then says so); nullopt when there is none or
// the number is blank. Void cheques count: their number has been used.
QSqlError findChequeByNumber(const QSqlDatabase &db, const QString &bankName,
                             const QString &chequeNo, std::optional<RegisterRow> *cheque,
                             bool *noted = nullptr);

// The same lookup, its statements prepared once for the many numbers of a
// batch.
class ChequeNumberLookup
{
public:
    explicit ChequeNumberLookup(const QSqlDatabase &db);
    QSqlError find(const QString &bankName, const QString &chequeNo,
                   std::optional<RegisterRow> *cheque, bool *noted = nullptr);

private:
    QSqlError prepared(QSqlQuery &query, const QString &statement);
    QSqlQuery m_registered;
    QSqlQuery m_noted;
    QSqlError m_error;
};

// The bank's highest cheque number made only of digits, in the register or
// noted in the print journal, as meant (meantChequeNumber: its width kept);
// a null text when the bank has none.
QSqlError findHighestChequeNumber(const QSqlDatabase &db, const QString &bankName,
                                  QString *chequeNo);

// The register r with its latest void mark m (null unless void now), as
// the "from" of a statement.
extern const QString registerWithVoids;

// Appends a cheque to the register with its number's key; *row, when
// given, gets the new row's identity.
QSqlError addRegisterEntry(const QSqlDatabase &db, const RegisterRow &entry,
                           qint64 *row = nullptr);

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

// The same rows for a CSV export, each handed to `row` as its five columns
// (the date as yyyy-mm-dd) and the void reason, in UTF-8, a missing value
// empty; read from a file through SQLite's own interface, since an export
// steps through millions. `row` stops the reading by returning false.
using RegisterCsvRow = std::array<QByteArrayView, registerColumnCount + 1>;
QSqlError readRegisterCsvRows(const QSqlDatabase &db, const QString &bankName,
                              const QDate &from, const QDate &to,
                              const std::function<bool(const RegisterCsvRow &)> &row);

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
