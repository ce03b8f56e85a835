#include "registerschema.h"

#include "dialect.h"
#include "printjournal.h"
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

// Each register row's number as numbers compare (chequenumberkey.h),
// computed by the program and kept beside the row: the one rule then serves
// every lookup, whatever database holds the register.
const QString createNumberKeys = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS ChequeNumberKeys (RegisterRow INTEGER PRIMARY KEY, "
    "BankKey TEXT NOT NULL, NumberKey TEXT NOT NULL, Digits INTEGER NOT NULL, "
    "KeyLength INTEGER NOT NULL)");
const QString createNumberKeysByNumber = QStringLiteral(
    "CREATE INDEX IF NOT EXISTS ChequeNumberKeysByNumber ON ChequeNumberKeys (BankKey, NumberKey)");
// The longest all-digit key is the highest number.
const QString createNumberKeysByDigits = QStringLiteral(
    "CREATE INDEX IF NOT EXISTS ChequeNumberKeysByDigits ON ChequeNumberKeys "
    "(BankKey, Digits, KeyLength, NumberKey)");

// Every cheque on its way to the printer (printjournal.h), with the copy
// of the program that owns it.
const QString createPrintJournal = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS PrintJournal (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "OwnerHost TEXT NOT NULL, OwnerPid INTEGER NOT NULL, OwnerStart TEXT NOT NULL, "
    "Job INTEGER NOT NULL, Page INTEGER NOT NULL, State TEXT NOT NULL, BankName TEXT, "
    "BankKey TEXT NOT NULL, ChequeNo TEXT, NumberKey TEXT NOT NULL, Digits INTEGER NOT NULL, "
    "KeyLength INTEGER NOT NULL, Payeename TEXT, AmountCents INTEGER NOT NULL, "
    "PAyeeamt TEXT, AmountInWords TEXT, DateofChq DATE, Crossed INTEGER NOT NULL, "
    "Replaces INTEGER, NotedAt TEXT)");
const QString createPrintJournalByNumber = QStringLiteral(
    "CREATE INDEX IF NOT EXISTS PrintJournalByNumber ON PrintJournal (BankKey, NumberKey)");

// Numbers were once compared by SQL expressions, indexed for them.
const QString dropOldNumberIndexes[] = {
    QStringLiteral("DROP INDEX IF EXISTS ChqIssueregByBankAndNumber"),
    QStringLiteral("DROP INDEX IF EXISTS ChqIssueregByBankAndDigitNumber")};

} // namespace

QSqlError addRegisterTables(const QSqlDatabase &db)
{
    for (const QString &statement :
         {createVoidMarks, createVoidMarksByRow, createNumberKeys, createNumberKeysByNumber,
          createNumberKeysByDigits, createPrintJournal, createPrintJournalByNumber,
          dropOldNumberIndexes[0], dropOldNumberIndexes[1]}) {
        QSqlQuery query(db);
        if (!query.exec(dialect::tableStatement(statement, engineOf(db))))
            return query.lastError();
    }
    const QSqlError error = keyUnkeyedRegisterRows(db);
    return error.isValid() ? error : adoptOlderBatchJournal(db);
}

} // namespace store
