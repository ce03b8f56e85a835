#include "registerstatements.h"

#include "boundstatement.h"
#include "chequenumberkey.h"
#include "dialect.h"
#include "rawstatement.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <pwd.h>
#include <tuple>
#include <unistd.h>

namespace store {

// Each register row r with its latest mark m when that is a void; an undo
// leaves it without. One lookup per row: the highest mark id through the
// index by row, then the mark by its key.
const QString registerWithVoids = QStringLiteral(
    "from ChqIssuereg r left join ChequeVoidMarks m on m.Id = (select max(Id) from "
    "ChequeVoidMarks where RegisterRow = r.rowid) and m.Action = 'void' ");

namespace {

const QString selectKeyedRows = QStringLiteral(
    "Select r.DateofChq, r.Payeename, r.BankName, r.PAyeeamt, r.ChequeNo from ChequeNumberKeys k "
    "join ChqIssuereg r on r.%1 = k.RegisterRow ").arg(dialect::registerRowId);
const QString selectRegisterByNumber =
    selectKeyedRows
    + QStringLiteral("where k.BankKey = ? and k.NumberKey = ? order by k.RegisterRow limit 1");
const QString selectNotedByNumber = QStringLiteral(
    "Select DateofChq, Payeename, BankName, PAyeeamt, ChequeNo from PrintJournal "
    "where BankKey = ? and NumberKey = ? order by Id limit 1");
// Many numbers at once: the keys fill a fixed number of places, the rest
// null, which matches none.
constexpr int keysAtOnce = 50;
const QString keyPlaces = QStringList(keysAtOnce, QStringLiteral("?")).join(QStringLiteral(", "));
const QString selectRegisterByNumbers =
    QStringLiteral("Select k.NumberKey, r.DateofChq, r.Payeename, r.BankName, r.PAyeeamt, "
                   "r.ChequeNo from ChequeNumberKeys k join ChqIssuereg r on r.%1 = "
                   "k.RegisterRow where k.BankKey = ? and k.NumberKey in (%2) "
                   "order by k.RegisterRow").arg(dialect::registerRowId, keyPlaces);
const QString selectNotedByNumbers = QStringLiteral(
    "Select NumberKey, DateofChq, Payeename, BankName, PAyeeamt, ChequeNo from PrintJournal "
    "where BankKey = ? and NumberKey in (%1) order by Id").arg(keyPlaces);
const QString selectHighestRegistered =
    selectKeyedRows
    + QStringLiteral("where k.BankKey = ? and k.Digits = 1 order by k.KeyLength desc, "
                     "k.NumberKey desc limit 1");
const QString selectHighestNoted = QStringLiteral(
    "Select ChequeNo from PrintJournal where BankKey = ? and Digits = 1 "
    "order by KeyLength desc, NumberKey desc limit 1");
const QString selectUnkeyedRows = QStringLiteral(
    "Select %1, BankName, ChequeNo from ChqIssuereg where %1 > "
    "(select coalesce(max(RegisterRow), 0) from ChequeNumberKeys) order by %1 limit 10000")
    .arg(dialect::registerRowId);
const QString insertNumberKey = QStringLiteral(
    "Insert into ChequeNumberKeys (RegisterRow, BankKey, NumberKey, Digits, KeyLength) "
    "values (?, ?, ?, ?, ?)");
// Two desks may key the same older rows at once: the second finds them keyed.
const QString insertMissingNumberKey = insertNumberKey + QStringLiteral(
    " on conflict (RegisterRow) do nothing");

const QString insertVoidMark = QStringLiteral(
    "Insert into ChequeVoidMarks (RegisterRow, Action, Reason, MarkedAt, MarkedBy) "
    "values (?, ?, ?, ?, ?)");

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

// The rows as the CSV export writes them: the date as yyyy-mm-dd where it
// is one, the void reason last.
QString selectCsvRows(Engine engine)
{
    return QStringLiteral("Select %1, r.Payeename, r.BankName, r.PAyeeamt, r.ChequeNo, m.Reason ")
               .arg(dialect::chequeDateText(engine, QStringLiteral("r.DateofChq")))
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

QSqlError addNumberKey(const QSqlDatabase &db, qint64 row, const QString &bankName,
                       const QString &chequeNo, const QString &statement = insertNumberKey)
{
    const QString key = chequeNumberKey(chequeNo);
    QSqlQuery query(db);
    return runBound(db, statement,
                    {row, orEmpty(bankKey(bankName)), orEmpty(key), int(isDigitNumber(key)),
                     key.size()},
                    &query);
}

} // namespace

// The first row the statement gives, if any.
QSqlError findRow(const QSqlDatabase &db, const QString &statement, const QVariantList &values,
                  std::optional<RegisterRow> *cheque)
{
    QSqlQuery query(db);
    if (QSqlError error = run(db, statement, values, &query); error.isValid())
        return error;
    if (query.next())
        *cheque = RegisterRow{query.value(0).toDate(), query.value(1).toString(),
                              query.value(2).toString(), query.value(3).toString(),
                              query.value(4).toString()};
    return query.lastError();
}

ChequeNumberLookup::ChequeNumberLookup(const QSqlDatabase &db)
    : m_registered(db), m_noted(db)
{
    m_error = prepared(m_registered, selectRegisterByNumber);
    if (!m_error.isValid())
        m_error = prepared(m_noted, selectNotedByNumber);
}

QSqlError ChequeNumberLookup::prepared(QSqlQuery &query, const QString &statement)
{
    query.setForwardOnly(true);
    return query.prepare(statement) ? QSqlError() : query.lastError();
}

QSqlError ChequeNumberLookup::find(const QString &bankName, const QString &chequeNo,
                                   std::optional<RegisterRow> *cheque, bool *noted)
{
    cheque->reset();
    if (noted)
        *noted = false;
    const QString key = chequeNumberKey(chequeNo);
    if (m_error.isValid() || key.isEmpty())
        return m_error;
    for (QSqlQuery *query : {&m_registered, &m_noted}) {
        query->addBindValue(bankKey(bankName));
        query->addBindValue(key);
        if (!query->exec())
            return query->lastError();
        if (query->next()) {
            *cheque = RegisterRow{query->value(0).toDate(), query->value(1).toString(),
                                  query->value(2).toString(), query->value(3).toString(),
                                  query->value(4).toString()};
            if (noted)
                *noted = query == &m_noted;
        }
        query->finish();
        if (*cheque)
            return {};
    }
    return {};
}

QSqlError findChequeByNumber(const QSqlDatabase &db, const QString &bankName,
                             const QString &chequeNo, std::optional<RegisterRow> *cheque,
                             bool *noted)
{
    return ChequeNumberLookup(db).find(bankName, chequeNo, cheque, noted);
}

namespace {

// The first row of each key among the statement's rows (key first, then
// the register's columns) that none found before has.
QSqlError findFirstOfKeys(QSqlQuery &query, const QVariantList &values,
                          QHash<QString, RegisterRow> *byKey)
{
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        return query.lastError();
    while (query.next()) {
        const QString key = query.value(0).toString();
        if (!byKey->contains(key))
            byKey->insert(key, RegisterRow{query.value(1).toDate(), query.value(2).toString(),
                                           query.value(3).toString(), query.value(4).toString(),
                                           query.value(5).toString()});
    }
    return query.lastError();
}

} // namespace

QSqlError findChequesByNumbers(const QSqlDatabase &db, const QString &bankName,
                               const QStringList &chequeNos, QHash<QString, RegisterRow> *cheques)
{
    QSqlQuery registered(db), noted(db);
    registered.setForwardOnly(true);
    noted.setForwardOnly(true);
    if (!registered.prepare(selectRegisterByNumbers))
        return registered.lastError();
    if (!noted.prepare(selectNotedByNumbers))
        return noted.lastError();
    QSet<QString> distinct;
    for (const QString &number : chequeNos)
        distinct.insert(chequeNumberKey(number));
    distinct.remove(QString());
    const QStringList keys(distinct.cbegin(), distinct.cend());
    // A number noted in the print journal counts only when the register has
    // no cheque with it, as findChequeByNumber() has it.
    QHash<QString, RegisterRow> inRegister, inJournal;
    for (qsizetype first = 0; first < keys.size(); first += keysAtOnce) {
        QVariantList values{bankKey(bankName)};
        for (qsizetype i = first; i < first + keysAtOnce; ++i)
            values << (i < keys.size() ? QVariant(keys[i]) : QVariant());
        if (QSqlError error = findFirstOfKeys(registered, values, &inRegister); error.isValid())
            return error;
        if (QSqlError error = findFirstOfKeys(noted, values, &inJournal); error.isValid())
            return error;
    }
    for (const QString &number : chequeNos) {
        const QString key = chequeNumberKey(number);
        if (const auto found = inRegister.constFind(key); found != inRegister.cend())
            cheques->insert(number, *found);
        else if (const auto journal = inJournal.constFind(key); journal != inJournal.cend())
            cheques->insert(number, *journal);
    }
    return {};
}

QSqlError findHighestChequeNumber(const QSqlDatabase &db, const QString &bankName,
                                  QString *chequeNo)
{
    chequeNo->clear();
    std::optional<RegisterRow> registered;
    QSqlError error = findRow(db, selectHighestRegistered, {bankKey(bankName)}, &registered);
    QSqlQuery noted(db);
    if (!error.isValid())
        error = run(db, selectHighestNoted, {bankKey(bankName)}, &noted);
    if (error.isValid())
        return error;
    if (registered)
        *chequeNo = meantChequeNumber(registered->chequeNo);
    if (noted.next()) {
        const QString number = meantChequeNumber(noted.value(0).toString());
        const QString key = chequeNumberKey(number), highest = chequeNumberKey(*chequeNo);
        if (key.size() > highest.size() || (key.size() == highest.size() && key > highest))
            *chequeNo = number;
    }
    return noted.lastError();
}

QSqlError addRegisterEntry(const QSqlDatabase &db, const RegisterRow &entry, qint64 *row)
{
    QSqlQuery query(db);
    QSqlError error = addRegisterRow(db, entry);
    if (!error.isValid())
        error = run(db, dialect::lastInsertedRowId(engineOf(db)), {}, &query);
    if (error.isValid() || !query.next())
        return error.isValid() ? error : query.lastError();
    const qint64 added = query.value(0).toLongLong();
    if (row)
        *row = added;
    return addNumberKey(db, added, entry.bankName, entry.chequeNo);
}

QSqlError keyUnkeyedRegisterRows(const QSqlDatabase &db)
{
    // A batch at a time, read whole before its keys are written: a server's
    // connection runs no statement while a reading is open, and a register
    // of millions stays out of memory. Each batch moves the keys' highest
    // row on, so the next reading starts after it.
    for (;;) {
        QList<std::tuple<qint64, QString, QString>> batch;
        QSqlQuery rows(db);
        QSqlError error = run(db, selectUnkeyedRows, {}, &rows);
        while (!error.isValid() && rows.next())
            batch.append({rows.value(0).toLongLong(), rows.value(1).toString(),
                          rows.value(2).toString()});
        if (error.isValid() || rows.lastError().isValid())
            return error.isValid() ? error : rows.lastError();
        rows.finish();
        if (batch.isEmpty())
            return {};
        for (const auto &[row, bankName, chequeNo] : std::as_const(batch)) {
            if (error = addNumberKey(db, row, bankName, chequeNo, insertMissingNumberKey);
                error.isValid())
                return error;
        }
    }
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

// A server's rows come through Qt's driver, fetched as they are read.
QSqlError readServerCsvRows(const QSqlDatabase &db, const QVariantList &values,
                            const std::function<bool(const RegisterCsvRow &)> &row)
{
    QSqlQuery rows(db);
    if (QSqlError error = run(db, selectCsvRows(Engine::PostgreSQL), values, &rows);
        error.isValid())
        return error;
    std::array<QByteArray, registerColumnCount + 1> texts;
    RegisterCsvRow fields;
    while (rows.next()) {
        for (int i = 0; i < int(fields.size()); ++i)
            fields[i] = texts[i] = rows.value(i).toString().toUtf8();
        if (!row(fields))
            break;
    }
    return rows.lastError();
}

QSqlError readRegisterCsvRows(const QSqlDatabase &db, const QString &bankName,
                              const QDate &from, const QDate &to,
                              const std::function<bool(const RegisterCsvRow &)> &row)
{
    if (engineOf(db) == Engine::PostgreSQL)
        return readServerCsvRows(db, {orEmpty(bankName), from, to}, row);
    RawStatement rows(db, selectCsvRows(Engine::SQLite));
    rows.bind({orEmpty(bankName), from, to});
    RegisterCsvRow fields;
    while (rows.next()) {
        for (int i = 0; i < int(fields.size()); ++i)
            fields[i] = rows.text(i);
        if (!row(fields))
            break;
    }
    return rows.error();
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
