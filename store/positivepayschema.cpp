#include "positivepayschema.h"

#include "dialect.h"

#include <QSqlQuery>
#include <QStringList>

namespace store {
namespace {

// Bank names compare without regard to case, as the register's do; the
// statements compare lower(BankName), which every engine has.
const QStringList creates{
    QStringLiteral("CREATE TABLE IF NOT EXISTS PositivePayAccount (BankName TEXT NOT NULL "
                   "PRIMARY KEY, AccountNumber TEXT, BranchMicr TEXT, TransactionCode TEXT, "
                   "ShortAccountNumber TEXT, LayoutName TEXT)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS PositivePayLayout (Name TEXT NOT NULL PRIMARY "
                   "KEY, Definition TEXT NOT NULL)"),
    // One row a file: its bytes are kept, so "Send again" sends the same.
    QStringLiteral("CREATE TABLE IF NOT EXISTS PositivePayFile (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
                   "BankName TEXT NOT NULL, LayoutName TEXT NOT NULL, SentAt TEXT NOT NULL, "
                   "Records INTEGER NOT NULL, Contents TEXT NOT NULL)"),
    // One row a record of a file: the cheque's register row, and I or V.
    QStringLiteral("CREATE TABLE IF NOT EXISTS PositivePaySent (FileId INTEGER NOT NULL, "
                   "RegisterRow INTEGER NOT NULL, Kind TEXT NOT NULL)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS PositivePaySentByRow ON PositivePaySent "
                   "(RegisterRow, FileId)"),
};

} // namespace

QSqlError addPositivePayTables(const QSqlDatabase &db)
{
    for (const QString &statement : creates) {
        QSqlQuery query(db);
        if (!query.exec(dialect::tableStatement(statement, engineOf(db))))
            return query.lastError();
    }
    return {};
}

} // namespace store
