#pragma once

#include <QLatin1String>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// What differs between the database engines a register may live in, kept
// here and nowhere else: a data file (SQLite) or a shared register on a
// PostgreSQL server. Every other statement is plain SQL both engines run.
namespace store {

enum class Engine { SQLite, PostgreSQL };
Engine engineOf(const QSqlDatabase &db);

namespace dialect {

// A table's or index's statement, written once in SQLite's words, in the
// engine's words: on a server 64-bit integers, double precision, bytes,
// identity columns and names compared without regard to case.
QString tableStatement(const QString &statement, Engine engine);
// The columns a server gives each of the four first tables, standing for the
// row id SQLite gives every row: the register's void marks refer to it.
QString rowIdColumn(Engine engine);

// A row's identity (ChqIssuereg has no key column of its own).
inline constexpr QLatin1String registerRowId("rowid");
// The statement that begins a write transaction. In a file it holds the
// write lock at once; a server locks what the statements touch.
QString beginWriteStatement(Engine engine);
// The collation that compares names without regard to case, for a query.
QString noCaseCollation(Engine engine);
// The statement that gives the identity of the row just inserted.
QString lastInsertedRowId(Engine engine);
// A register row's date as ISO text "yyyy-mm-dd", whatever form an older
// file keeps it in.
QString chequeDateText(Engine engine, const QString &column);
// Holds one bank's numbers until the transaction ends, so that two clerks
// reserving for one bank take turns and other banks never wait; empty where
// the write transaction already holds the whole file.
QString bankNumbersLock(Engine engine);
// The same for one bank's Positive Pay files, so that two desks never send
// one cheque twice; prints never wait on it.
QString bankPayFilesLock(Engine engine);
// Whether the user may settle any desk's forgotten notes in the print
// journal: on a server, a member of the supervisors' role; empty where the
// register, a file, serves one desk.
QString supervisorStatement(Engine engine);

// Set once when a file is prepared, and kept in it: readers never block
// the writer (write-ahead log).
inline constexpr QLatin1String readersNeverBlockStatement("PRAGMA journal_mode=WAL");

} // namespace dialect

// Whether the register has a table added since the first files were made:
// an older or read-only file may lack it; a server has every one from its
// set-up, and is not asked (each asking costs a trip to the server).
bool hasAddedTable(const QSqlDatabase &db, const QString &table);

// Makes a table the program adds to a file when it first writes to it. On a
// server every table is made once, when the server is set up, and clerks may
// not make tables: there this does nothing.
QSqlError createTableOnFirstUse(const QSqlDatabase &db, const QString &statement);

} // namespace store
