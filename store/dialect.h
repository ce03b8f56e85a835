#pragma once

#include <QLatin1String>

// What differs between the database engines a register may live in, kept
// here and nowhere else; every other statement is plain SQL that SQLite and
// PostgreSQL both run. Today the engine is SQLite. Constants, so that the
// statements built from them at start never meet them unmade.
namespace store::dialect {

// A column that numbers new rows by itself.
inline constexpr QLatin1String autoIdColumn("INTEGER PRIMARY KEY AUTOINCREMENT");
// A register row's identity (ChqIssuereg has no key column of its own).
inline constexpr QLatin1String registerRowId("rowid");
// The statement that begins a transaction holding the write lock at once.
inline constexpr QLatin1String beginWriteStatement("BEGIN IMMEDIATE");
// The statement that gives the identity of the row just inserted.
inline constexpr QLatin1String lastInsertedRowId("Select last_insert_rowid()");
// Set once when a file is prepared, and kept in it: readers never block
// the writer (write-ahead log).
inline constexpr QLatin1String readersNeverBlockStatement("PRAGMA journal_mode=WAL");

} // namespace store::dialect
