#include "registerstatements.h"

#include <QSqlRecord>
#include <QVariant>

namespace store {

QString chequeNumberKey(const QString &operand)
{
    return QStringLiteral("ltrim(trim(%1), '0')").arg(operand);
}

namespace {

const QString digitsOnly =
    QStringLiteral("trim(ChequeNo) <> '' and trim(ChequeNo) not glob '*[^0-9]*'");

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

// The latest mark of a register row decides; an undo leaves it not void.
QString latestMark(const QString &column)
{
    return QStringLiteral("(select case when m.Action = 'void' then m.%1 end from "
                          "ChequeVoidMarks m where m.RegisterRow = ChqIssuereg.rowid "
                          "order by m.Id desc limit 1)")
        .arg(column);
}

QString selectVoidReason()
{
    return QStringLiteral("Select %1 from ChqIssuereg where rowid = ?")
        .arg(latestMark(QStringLiteral("Reason")));
}

const QString byBankAndDates =
    QStringLiteral("where BankName = ? and DateofChq >= ? and DateofChq <= ?");

QString selectWithVoids()
{
    return QStringLiteral("Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo, "
                          "rowid as RegisterRow, %1 as VoidReason, %2 as VoidMarkedAt "
                          "from ChqIssuereg %3")
        .arg(latestMark(QStringLiteral("Reason")), latestMark(QStringLiteral("MarkedAt")),
             byBankAndDates);
}

QString selectTotals()
{
    return QStringLiteral(
               "Select VoidReason is not null, count(*), "
               "coalesce(sum(cast(round(cast(replace(trim(PAyeeamt), ',', '') as real) * 100) "
               "as integer)), 0) from (Select PAyeeamt, %1 as VoidReason from ChqIssuereg %2) "
               "group by 1")
        .arg(latestMark(QStringLiteral("Reason")), byBankAndDates);
}

QSqlError run(const QSqlDatabase &db, const QString &statement, const QVariantList &values,
              QSqlQuery *query, bool forwardOnly = true)
{
    *query = QSqlQuery(db);
    query->setForwardOnly(forwardOnly);
    if (!query->prepare(statement))
        return query->lastError();
    for (const QVariant &value : values)
        query->addBindValue(value);
    query->exec();
    return query->lastError();
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

QSqlError findVoidReason(const QSqlDatabase &db, qint64 registerRow, QString *reason)
{
    reason->clear();
    QSqlQuery query(db);
    if (QSqlError error = run(db, selectVoidReason(), {registerRow}, &query); error.isValid())
        return error;
    if (query.next() && !query.isNull(0))
        *reason = query.value(0).toString();
    return query.lastError();
}

QSqlError selectRegisterWithVoids(const QSqlDatabase &db, const QString &bankName,
                                  const QDate &from, const QDate &to, QSqlQuery *query,
                                  bool forwardOnly)
{
    return run(db, selectWithVoids(), {orEmpty(bankName), from, to}, query, forwardOnly);
}

QSqlError sumRegister(const QSqlDatabase &db, const QString &bankName, const QDate &from,
                      const QDate &to, RegisterTotals *totals)
{
    *totals = {};
    QSqlQuery query(db);
    if (QSqlError error = run(db, selectTotals(), {orEmpty(bankName), from, to}, &query);
        error.isValid())
        return error;
    while (query.next()) {
        const bool voided = query.value(0).toBool();
        (voided ? totals->voidCount : totals->count) = query.value(1).toLongLong();
        (voided ? totals->voidCents : totals->cents) = query.value(2).toLongLong();
    }
    return query.lastError();
}

} // namespace store
