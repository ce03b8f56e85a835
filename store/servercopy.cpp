#include "servercopy.h"

#include "database.h"
#include "dialect.h"
#include "printjournal.h"
#include "schema.h"
#include "serverschema.h"
#include "transaction.h"

#include <QDate>
#include <QDir>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QVariant>
#include <atomic>

namespace store {
namespace {

// Table and column names come from the two databases' own catalogues, never
// from a user; the values are bound.
const QString selectServerTables = QStringLiteral(
    "Select tablename from pg_catalog.pg_tables where schemaname = 'public' order by tablename");
// Clerks connected meanwhile wait until the register is whole.
const QString lockRegister = QStringLiteral("Lock table ChqIssuereg in exclusive mode");
// The rows keep what the file holds: a void mark's author is the one who
// marked it then, not the login copying it. Disabled inside the copy's
// transaction, which holds the table meanwhile, so no clerk's mark goes
// without its author.
const QString disableTriggers = QStringLiteral("Alter table %1 disable trigger user");
const QString enableTriggers = QStringLiteral("Alter table %1 enable trigger user");
// The marks' and keys' references to their rows, checked before the
// triggers come back (a table with checks pending cannot be altered).
const QString checkReferencesNow = QStringLiteral("Set constraints all immediate");
// The notice the copied rows' triggers would have sent, once.
const QString noticeRegisterChanged = QStringLiteral("Notify %1").arg(registerChangedNotice);
const QString countRowsOf = QStringLiteral("Select count(*) from %1");
const QString selectColumns = QStringLiteral("Select %2 from %1");
const QString insertColumns = QStringLiteral("Insert into %1 (%2) values (%3)");
// The next row a clerk adds follows the highest one copied.
const QString selectIdentityColumns = QStringLiteral(
    "Select table_name, column_name from information_schema.columns where table_schema = "
    "'public' and is_identity = 'YES'");
const QString restartIdentity = QStringLiteral(
    "Select setval(pg_get_serial_sequence(?, ?), coalesce(max(%2), 0) + 1, false) from %1");

QSqlError refusal(const QString &text)
{
    return QSqlError(text, {}, QSqlError::StatementError);
}

// The file, opened only to be read: it stays as it was.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString &path)
    {
        static std::atomic<quint64> counter = 0;
        m_name = QStringLiteral("copyfrom#%1").arg(++counter);
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)
                             + QStringLiteral("?mode=ro"));
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        m_db.open();
    }
    ~ReadOnlyFile()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

QSqlError run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    query.exec(statement);
    return query.lastError();
}

// A table of the file and the columns both databases have, the row id
// (the server's rowid column) included.
struct TableCopy {
    QString table;
    QStringList columns;
    qint64 fileRows = 0;
};

QSqlError runForEach(const QSqlDatabase &db, const QString &statement,
                     const QList<TableCopy> &tables)
{
    for (const TableCopy &copy : tables) {
        if (QSqlError error = run(db, statement.arg(copy.table)); error.isValid())
            return error;
    }
    return {};
}

QSqlError countRows(const QSqlDatabase &db, const QString &table, qint64 *rows)
{
    QSqlQuery query(db);
    if (!query.exec(countRowsOf.arg(table)) || !query.next())
        return query.lastError();
    *rows = query.value(0).toLongLong();
    return {};
}

QSqlError listServerTables(const QSqlDatabase &server, QStringList *tables)
{
    QSqlQuery query(server);
    if (!query.exec(selectServerTables))
        return query.lastError();
    while (query.next())
        *tables << query.value(0).toString();
    return {};
}

// The file's columns, and the server's rowid where the file numbers its
// rows by itself. *lacking gets the columns the server has no place for.
QStringList columnsToCopy(const QSqlDatabase &file, const QSqlDatabase &server,
                          const QString &table, QStringList *lacking)
{
    const QSqlRecord fileColumns = file.record(table);
    const QSqlRecord serverColumns = server.record(table.toLower());
    QStringList columns;
    for (int i = 0; i < fileColumns.count(); ++i) {
        if (serverColumns.contains(fileColumns.fieldName(i)))
            columns << fileColumns.fieldName(i);
        else
            *lacking << table + QLatin1Char('.') + fileColumns.fieldName(i);
    }
    if (serverColumns.contains(dialect::registerRowId) && !fileColumns.contains(dialect::registerRowId))
        columns << dialect::registerRowId;
    return columns;
}

// Every table of a register the file is copied into is empty.
QSqlError checkRegisterEmpty(const QSqlDatabase &server, const QStringList &serverTables)
{
    for (const QString &table : serverTables) {
        qint64 rows = 0;
        if (QSqlError error = countRows(server, table, &rows); error.isValid())
            return error;
        if (rows > 0)
            return refusal(QStringLiteral("The register on the server holds data already (%1 "
                                          "rows in %2). A data file is copied only into a "
                                          "register that holds nothing yet.")
                               .arg(rows)
                               .arg(table));
    }
    return {};
}

// The file's tables as they are copied. A file with rows or columns the
// server has no place for is refused: nothing is left behind unsaid.
QSqlError planCopy(const QSqlDatabase &file, const QSqlDatabase &server, QList<TableCopy> *plan)
{
    QStringList serverTables;
    QSqlError error = listServerTables(server, &serverTables);
    if (!error.isValid())
        error = checkRegisterEmpty(server, serverTables);
    QStringList lacking;
    for (const QString &table : file.tables()) {
        // SQLite's own (sqlite_sequence): the server keeps its sequences.
        if (error.isValid() || table.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
            continue;
        TableCopy copy{table, {}};
        error = countRows(file, table, &copy.fileRows);
        if (serverTables.contains(table, Qt::CaseInsensitive)) {
            copy.columns = columnsToCopy(file, server, table, &lacking);
            *plan << copy;
        } else if (copy.fileRows > 0) {
            lacking << table;
        }
    }
    if (error.isValid() || lacking.isEmpty())
        return error;
    return refusal(QStringLiteral("The data file holds what the server has no place for (%1). "
                                  "Open the file with this version of Quillmark once, or set "
                                  "up the server with it, then copy the file.")
                       .arg(lacking.join(QStringLiteral(", "))));
}

// A date as the program writes it ("2024-04-01", perhaps with a time
// after it). Other text would be read by the server's own rules
// ("01/04/2024" as January), so it stops the copy instead.
QSqlError dateOf(const QVariant &written, const TableCopy &copy, const QString &column,
                 QVariant *date)
{
    if (written.isNull()) {
        *date = QVariant();
        return {};
    }
    *date = QDate::fromString(written.toString().left(10), Qt::ISODate);
    if (date->toDate().isValid())
        return {};
    return refusal(QStringLiteral("The data file's %1 holds \"%2\" in %3, which is no date "
                                  "(yyyy-mm-dd).")
                       .arg(copy.table, written.toString(), column));
}

QSqlError copyRows(const QSqlDatabase &file, const QSqlDatabase &server, const TableCopy &copy)
{
    const QSqlRecord serverColumns = server.record(copy.table.toLower());
    QSqlQuery rows(file);
    rows.setForwardOnly(true);
    if (!rows.exec(selectColumns.arg(copy.table, copy.columns.join(QStringLiteral(", ")))))
        return rows.lastError();
    QSqlQuery insert(server);
    const QStringList placeholders(copy.columns.size(), QStringLiteral("?"));
    if (!insert.prepare(insertColumns.arg(copy.table, copy.columns.join(QStringLiteral(", ")),
                                          placeholders.join(QStringLiteral(", ")))))
        return insert.lastError();
    while (rows.next()) {
        for (int column = 0; column < copy.columns.size(); ++column) {
            QVariant value = rows.value(column);
            if (serverColumns.field(copy.columns[column]).metaType().id() == QMetaType::QDate) {
                if (QSqlError error = dateOf(rows.value(column), copy, copy.columns[column], &value);
                    error.isValid())
                    return error;
            }
            insert.bindValue(column, value);
        }
        if (!insert.exec())
            return insert.lastError();
    }
    return rows.lastError();
}

QSqlError checkCount(const QSqlDatabase &server, const TableCopy &copy)
{
    qint64 rows = 0;
    if (QSqlError error = countRows(server, copy.table, &rows); error.isValid())
        return error;
    if (rows == copy.fileRows)
        return {};
    return refusal(QStringLiteral("The server holds %1 rows of %2 where the data file holds %3: "
                                  "nothing was copied.")
                       .arg(rows)
                       .arg(copy.table)
                       .arg(copy.fileRows));
}

QSqlError restartIdentities(const QSqlDatabase &server)
{
    QSqlQuery columns(server);
    if (!columns.exec(selectIdentityColumns))
        return columns.lastError();
    while (columns.next()) {
        const QString table = columns.value(0).toString();
        const QString column = columns.value(1).toString();
        QSqlQuery restart(server);
        restart.prepare(restartIdentity.arg(table, column));
        restart.addBindValue(table);
        restart.addBindValue(column);
        if (!restart.exec())
            return restart.lastError();
    }
    return {};
}

QSqlError copyAll(const QSqlDatabase &file, const QSqlDatabase &server,
                  QList<CopiedTable> *copied)
{
    if (QSqlError error = run(server, lockRegister); error.isValid())
        return error;
    QList<TableCopy> plan;
    if (QSqlError error = planCopy(file, server, &plan); error.isValid())
        return error;
    if (QSqlError error = runForEach(server, disableTriggers, plan); error.isValid())
        return error;
    for (const TableCopy &copy : std::as_const(plan)) {
        QSqlError error = copyRows(file, server, copy);
        if (!error.isValid())
            error = checkCount(server, copy);
        if (error.isValid())
            return error;
        *copied << CopiedTable{copy.table, copy.fileRows};
    }
    // A file an older program wrote may hold register rows without a key.
    QSqlError error = keyUnkeyedRegisterRows(server);
    if (!error.isValid())
        error = restartIdentities(server);
    if (!error.isValid())
        error = run(server, checkReferencesNow);
    if (!error.isValid())
        error = runForEach(server, enableTriggers, plan);
    return error.isValid() ? error : run(server, noticeRegisterChanged);
}

QSqlError fileProblem(const QString &filePath, const QSqlDatabase &file)
{
    const QString shown = QDir::toNativeSeparators(filePath);
    if (!file.isOpen())
        return file.lastError();
    if (const QStringList missing = missingTablesAndColumns(file); !missing.isEmpty())
        return refusal(QStringLiteral("%1 is not a Quillmark data file, or it is damaged: it "
                                      "lacks %2.")
                           .arg(shown, missing.join(QStringLiteral(", "))));
    return {};
}

} // namespace

QSqlError copyFileToServer(const QString &filePath, const QSqlDatabase &server,
                           QList<CopiedTable> *copied)
{
    copied->clear();
    // Looked at before it is opened: a named pipe would be read for ever.
    if (fileKindOf(filePath) != FileKind::SQLite)
        return refusal(QStringLiteral("%1 is not a Quillmark data file.")
                           .arg(QDir::toNativeSeparators(filePath)));
    const ReadOnlyFile file(filePath);
    if (QSqlError error = fileProblem(filePath, file.db()); error.isValid())
        return error;
    // One reading of the file, though another desk may still write to it.
    QSqlDatabase reading = file.db();
    if (!reading.transaction())
        return reading.lastError();
    const QSqlError error = inTransaction(server, [&] { return copyAll(file.db(), server, copied); });
    reading.rollback();
    if (error.isValid())
        copied->clear();
    return error;
}

} // namespace store
