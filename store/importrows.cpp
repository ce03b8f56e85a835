#include "importrows.h"

#include "rawstatement.h"
#include "schema.h"
#include "tablecolumns.h"
#include "transaction.h"

#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace store {
namespace {

const QString insertBank = insertStatement(BankTable);
const QString insertPayee = insertStatement(PayeeTable);
const QString insertLayout = insertStatement(PositionsTable);
const QString insertRegisterRow = insertStatement(RegisterTable);

// The new file is put in place only once it is synced whole, so it need not
// be synced on the way; a large page cache keeps the writing in memory.
const QString writeUnsynced = QStringLiteral("PRAGMA synchronous = OFF");
const QString largePageCache = QStringLiteral("PRAGMA cache_size = -32768");
const QString selectRegisterIndexes = QStringLiteral(
    "Select name, sql from sqlite_master where type = 'index' and tbl_name = 'ChqIssuereg' "
    "and sql is not null");
const QString dropIndex = QStringLiteral("Drop index \"%1\"");

QVariantList valuesOf(const BankRow &row)
{
    return {row.micrCode, row.bankName, row.currency};
}

QVariantList valuesOf(const PayeeRow &row)
{
    return {row.nickName, row.payeeName};
}

QVariantList valuesOf(const LayoutRow &row)
{
    QVariantList values{row.scaleMode, row.bankName};
    for (const std::optional<double> &position : row.positions)
        values << (position ? QVariant(*position) : QVariant());
    return values;
}

QVariantList valuesOf(const RegisterRow &row)
{
    // Bound as the print step binds it, so the register's date ranges find it.
    const QVariant date = row.dateOfCheque.isValid() ? QVariant(row.dateOfCheque) : QVariant();
    return {date, row.payeeName, row.bankName, row.amount, row.chequeNo};
}

template <typename Row>
QSqlError insertAll(RawStatement &insert, const QList<Row> &rows, qsizetype *written)
{
    for (const Row &row : rows) {
        insert.bind(valuesOf(row));
        if (!insert.exec())
            return insert.error();
        ++*written;
    }
    return {};
}

QSqlError run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    query.exec(statement);
    return query.lastError();
}

QSqlError countTable(const QSqlDatabase &db, const QString &table, qsizetype *count)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("Select count(*) from %1").arg(table)) || !query.next())
        return query.lastError();
    *count = query.value(0).toLongLong();
    return {};
}

} // namespace

RowCounts countsOf(const ImportRows &rows)
{
    return {rows.banks.size(), rows.payees.size(), rows.layouts.size(), rows.registerRows.size()};
}

struct ImportFile::Private {
    QString connectionName;
    QSqlDatabase db;
    QSqlError error;
    std::array<std::unique_ptr<RawStatement>, TableCount> inserts;
    QStringList registerIndexes;
    RowCounts written;
    bool inTransaction = false;

    // The tables as every new file has them, the register's indexes kept
    // aside until its rows are in.
    QSqlError prepare()
    {
        for (const QString &pragma : {writeUnsynced, largePageCache}) {
            if (QSqlError error = run(db, pragma); error.isValid())
                return error;
        }
        if (QSqlError error = createTables(db); error.isValid())
            return error;
        if (QSqlError error = beginWrite(db); error.isValid())
            return error;
        inTransaction = true;
        if (QSqlError error = setIndexesAside(); error.isValid())
            return error;
        const std::array<QString, TableCount> statements = {insertBank, insertPayee, insertLayout,
                                                           insertRegisterRow};
        for (int table = 0; table < TableCount; ++table) {
            inserts[table] = std::make_unique<RawStatement>(db, statements[table]);
            if (inserts[table]->error().isValid())
                return inserts[table]->error();
        }
        return {};
    }
    QSqlError setIndexesAside()
    {
        QSqlQuery indexes(db);
        if (!indexes.exec(selectRegisterIndexes))
            return indexes.lastError();
        QStringList names;
        while (indexes.next()) {
            names << indexes.value(0).toString();
            registerIndexes << indexes.value(1).toString();
        }
        for (const QString &name : names) {
            if (QSqlError error = run(db, dropIndex.arg(name)); error.isValid())
                return error;
        }
        return {};
    }
    QSqlError insert(const ImportRows &rows)
    {
        if (QSqlError error = insertAll(*inserts[BankTable], rows.banks, &written.banks);
            error.isValid())
            return error;
        if (QSqlError error = insertAll(*inserts[PayeeTable], rows.payees, &written.payees);
            error.isValid())
            return error;
        if (QSqlError error = insertAll(*inserts[PositionsTable], rows.layouts, &written.layouts);
            error.isValid())
            return error;
        return insertAll(*inserts[RegisterTable], rows.registerRows, &written.registerRows);
    }
    QSqlError buildIndexes()
    {
        for (const QString &index : std::as_const(registerIndexes)) {
            if (QSqlError error = run(db, index); error.isValid())
                return error;
        }
        return {};
    }
};

ImportFile::ImportFile(const QString &path)
    : d(std::make_unique<Private>())
{
    static std::atomic<quint64> counter = 0;
    d->connectionName = QStringLiteral("import#%1").arg(++counter);
    d->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d->connectionName);
    d->db.setDatabaseName(path);
    if (!d->db.open())
        d->error = d->db.lastError();
    else
        d->error = d->prepare();
}

ImportFile::~ImportFile()
{
    if (d->inTransaction)
        rollbackWrite(d->db);
    d->inserts = {};
    d->db.close();
    d->db = QSqlDatabase();
    QSqlDatabase::removeDatabase(d->connectionName);
}

QSqlError ImportFile::error() const
{
    return d->error;
}

QSqlError ImportFile::add(const ImportRows &rows)
{
    if (d->error.isValid())
        return d->error;
    d->error = d->insert(rows);
    return d->error;
}

QSqlError ImportFile::finish(RowCounts *stored)
{
    if (!d->error.isValid())
        d->error = d->buildIndexes();
    if (!d->error.isValid())
        d->error = commitWrite(d->db);
    if (d->error.isValid())
        return d->error;
    d->inTransaction = false;
    d->inserts = {};
    return countRows(d->db, stored);
}

RowCounts ImportFile::written() const
{
    return d->written;
}

QSqlError countRows(const QSqlDatabase &db, RowCounts *counts)
{
    *counts = {};
    const std::array<qsizetype *, TableCount> places = {
        &counts->banks, &counts->payees, &counts->layouts, &counts->registerRows};
    for (int table = 0; table < TableCount; ++table) {
        if (QSqlError error = countTable(db, tableColumns()[table].table, places[table]);
            error.isValid())
            return error;
    }
    return {};
}

} // namespace store
