#include "registerschema.h"

#include "registerstatements.h"

#include <QSqlQuery>

namespace store {
namespace {

// One row per void or undo, never changed: the latest row of a cheque
// tells whether it is void now, the earlier ones what happened before.
// A cheque is the rowid of its register row, the one identity a row has
// when two cheques may carry the same bank, number, date and amount.
const QString createVoidMarks = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS ChequeVoidMarks (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "RegisterRow INTEGER NOT NULL, Action TEXT NOT NULL, Reason TEXT, MarkedAt TEXT NOT NULL, "
    "MarkedBy TEXT)");
const QString createVoidMarksByRow = QStringLiteral(
    "CREATE INDEX IF NOT EXISTS ChequeVoidMarksByRow ON ChequeVoidMarks (RegisterRow, Id)");

// The bank, then the number without blanks around it and leading zeros,
// by length first so that the longest all-digit number is the highest.
QString createRegisterByNumber()
{
    const QString key = chequeNumberKey(QStringLiteral("ChequeNo"));
    return QStringLiteral("CREATE INDEX IF NOT EXISTS ChqIssueregByBankAndNumber ON "
                          "ChqIssuereg (BankName, length(%1), %1)")
        .arg(key);
}

// The same over the all-digit numbers only, so that the highest is the
// first entry of the bank, whatever other numbers it has.
QString createRegisterDigitNumbers()
{
    const QString key = chequeNumberKey(QStringLiteral("ChequeNo"));
    return QStringLiteral("CREATE INDEX IF NOT EXISTS ChqIssueregByBankAndDigitNumber ON "
                          "ChqIssuereg (BankName, length(%1), %1) WHERE %2")
        .arg(key, digitsOnly);
}

} // namespace

QSqlError addRegisterTables(const QSqlDatabase &db)
{
    for (const QString &statement : {createVoidMarks, createVoidMarksByRow,
                                     createRegisterByNumber(), createRegisterDigitNumbers()}) {
        QSqlQuery query(db);
        if (!query.exec(statement))
            return query.lastError();
    }
    return {};
}

} // namespace store
