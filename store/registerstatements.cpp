#include "registerstatements.h"

#include "boundstatement.h"

#include <QSqlRecord>
#include <QVariant>
#include <pwd.h>
#include <unistd.h>

namespace store {

QString chequeNumberKey(const QString &operand)
{
    return QStringLiteral("ltrim(trim(%1), '0')").arg(operand);
}

const QString digitsOnly =
    QStringLiteral("trim(ChequeNo) <> '' and trim(ChequeNo) not glob '*[^0-9]*'");

namespace {


// Both compare through the index by bank, length and number.
QString selectChequeByNumber()
{
    const QString stored = chequeNumberKey(QStringLiteral("ChequeNo"));
    const QString wanted = chequeNumberKey(QStringLiteral("?"));
    return QStringLiteral("Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo from "
                          "ChqIssuereg where BankName = ? and length(%1) = length(%2) and "
                          "%1 = %2 and trim(ChequeNo) <> '' order by rowid limit 1")
        .arg(stored, wanted);
}

QString selectHighestNumber()
{
    const QString stored = chequeNumberKey(QStringLiteral("ChequeNo"));
    return QStringLiteral("Select trim(ChequeNo) from ChqIssuereg where BankName = ? and %2 "
                          "order by length(%1) desc, %1 desc, rowid desc limit 1")
        .arg(stored, digitsOnly);
}

const QString insertVoidMark = QStringLiteral(
    "Insert into ChequeVoidMarks (RegisterRow, Action, Reason, MarkedAt, MarkedBy) "
    "values (?, ?, ?, ?, ?)");

// Each register row r with its latest mark m when that is a void; an undo
// leaves it without. One lookup per row: the highest mark id through the
// index by row, then the mark by its key.
const QString registerWithVoids = QStringLiteral(
    "from ChqIssuereg r left join ChequeVoidMarks m on m.Id = (select max(Id) from "
    "ChequeVoidMarks where RegisterRow = r.rowid) and m.Action = 'void' ");

const QString byBankAndDates =
    QStringLiteral("where r.BankName = ? and r.DateofChq >= ? and r.DateofChq <= ?");

const QString selectWithVoids =
    QStringLiteral("Select r.DateofChq as DateofChq, r.Payeename as Payeename, "
                   "r.BankName as BankName, r.PAyeeamt as PAyeeamt, r.ChequeNo as ChequeNo, "
                   "r.rowid as RegisterRow, m.Reason as VoidReason, m.MarkedAt as VoidMarkedAt ")
    + registerWithVoids + byBankAndDates;

// The amounts are added up as money by the program: SQL's REAL would lose
// cents and count text that is no number as zero.
const QString selectAmounts =
    QStringLiteral("Select m.Id is not null, r.PAyeeamt ") + registerWithVoids + byBankAndDates;

// One CSV field (RFC 4180): quoted when it holds a comma, a quote or a
// line break, its quotes doubled.
QString csvField(const QString &value)
{
    return QStringLiteral("(case when %1 glob '*[,\"'||char(10)||char(13)||']*' then "
                          "'\"'||replace(%1, '\"', '\"\"')||'\"' else %1 end)")
        .arg(value);
}

// Each row as one CSV line, built where the rows are read: a million rows
// then cross into the program as a million texts, not eight million.
QString selectCsvLines()
{
    const QStringList fields{
        // A date never needs quotes: only text that is no date is checked.
        QStringLiteral("coalesce(date(substr(r.DateofChq, 1, 10)), %1)")
            .arg(csvField(QStringLiteral("r.DateofChq"))),
        csvField(QStringLiteral("r.Payeename")), csvField(QStringLiteral("r.BankName")),
        csvField(QStringLiteral("r.PAyeeamt")), csvField(QStringLiteral("r.ChequeNo")),
        csvField(QStringLiteral("m.Reason"))};
    return QStringLiteral("Select coalesce(%1, '') ").arg(fields.join(
               QStringLiteral(", '') || ',' || coalesce(")))
        + registerWithVoids + byBankAndDates;
}

QSqlError run(const QSqlDatabase &db, const QString &statement, const QVariantList &values,
              QSqlQuery *query, bool forwardOnly = true)
{
    return runBound(db, statement, values, query, forwardOnly);
}

QString orEmpty(const QString &value)
{
    return value.isNull() ? QString(QLatin1String("")) : value;
}

} // namespace

QSqlError findChequeByNumber(const QSqlDatabase &db, const QString &bankName,
                             const QString &chequeNo, std::optional<RegisterRow> *cheque)
{
    cheque->reset();
    QSqlQuery query(db);
    const QString number = orEmpty(chequeNo);
    if (QSqlError error =
            run(db, selectChequeByNumber(), {orEmpty(bankName), number, number},
                &query);
        error.isValid())
        return error;
    if (query.next())
        *cheque = RegisterRow{query.value(0).toDate(), query.value(1).toString(),
                              query.value(2).toString(), query.value(3).toString(),
                              query.value(4).toString()};
    return query.lastError();
}

QSqlError findHighestChequeNumber(const QSqlDatabase &db, const QString &bankName,
                                  QString *chequeNo)
{
    chequeNo->clear();
    QSqlQuery query(db);
    if (QSqlError error = run(db, selectHighestNumber(), {orEmpty(bankName)}, &query);
        error.isValid())
        return error;
    if (query.next())
        *chequeNo = query.value(0).toString();
    return query.lastError();
}

VoidMark markNow(qint64 registerRow, VoidAction action, const QString &reason)
{
    // The system's own account, not USER, which may be unset or set to anything.
    const passwd *account = getpwuid(getuid());
    const QString user = account && account->pw_name && *account->pw_name
        ? QString::fromLocal8Bit(account->pw_name)
        : QStringLiteral("uid %1").arg(getuid());
    return {registerRow, action, reason, QDateTime::currentDateTime(), user};
}

QSqlError addVoidMark(const QSqlDatabase &db, const VoidMark &mark)
{
    QSqlQuery query(db);
    const QString action = mark.action == VoidAction::Void ? QStringLiteral("void")
                                                           : QStringLiteral("undo");
    return run(db, insertVoidMark,
               {mark.registerRow, action, orEmpty(mark.reason),
                mark.at.toString(Qt::ISODate), orEmpty(mark.by)},
               &query);
}

QSqlError selectRegisterWithVoids(const QSqlDatabase &db, const QString &bankName,
                                  const QDate &from, const QDate &to, QSqlQuery *query,
                                  bool forwardOnly)
{
    return run(db, selectWithVoids, {orEmpty(bankName), from, to}, query, forwardOnly);
}

QSqlError selectRegisterCsvLines(const QSqlDatabase &db, const QString &bankName,
                                 const QDate &from, const QDate &to, QSqlQuery *query)
{
    return run(db, selectCsvLines(), {orEmpty(bankName), from, to}, query);
}

QSqlError sumRegister(const QSqlDatabase &db, const QString &bankName, const QDate &from,
                      const QDate &to, RegisterTotals *totals)
{
    *totals = {};
    QSqlQuery query(db);
    if (QSqlError error = run(db, selectAmounts, {orEmpty(bankName), from, to}, &query);
        error.isValid())
        return error;
    while (query.next()) {
        const bool voided = query.value(0).toBool();
        ++(voided ? totals->voidCount : totals->count);
        Money &sum = voided ? totals->voidTotal : totals->total;
        const std::optional<Money> amount = Money::parse(query.value(1).toString().trimmed());
        const std::optional<Money> added = amount ? sum.plus(*amount) : std::nullopt;
        if (added)
            sum = *added;
        else
            ++(voided ? totals->voidNotAdded : totals->notAdded);
    }
    return query.lastError();
}

} // namespace store
