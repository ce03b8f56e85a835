#include "serverschema.h"

#include "dialect.h"
#include "firstusetables.h"
#include "schema.h"
#include "transaction.h"

#include <QSqlQuery>

namespace store {
namespace {

// Names compare as SQLite's NOCASE compares them: "HDFC" and "hdfc" are one.
const QString createNoCaseCollation = QStringLiteral(
    "CREATE COLLATION IF NOT EXISTS quillmark_nocase (provider = icu, "
    "locale = 'und-u-ks-level2', deterministic = false)");


// Roles without a login: an office grants them to its users.
const QString createRoles = QStringLiteral(
    "DO $$ BEGIN "
    "IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'quillmark_clerk') THEN "
    "CREATE ROLE quillmark_clerk NOLOGIN; END IF; "
    "IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'quillmark_supervisor') THEN "
    "CREATE ROLE quillmark_supervisor NOLOGIN; END IF; END $$");

// The owner's rights only: the register and its marks are never changed.
// lastval() wants the right to read the sequence just used.
const QString rights[] = {
    QStringLiteral("REVOKE ALL ON ALL TABLES IN SCHEMA public FROM PUBLIC"),
    QStringLiteral("GRANT quillmark_clerk TO quillmark_supervisor"),
    QStringLiteral("GRANT USAGE ON SCHEMA public TO quillmark_clerk"),
    QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA public TO quillmark_clerk"),
    QStringLiteral("GRANT USAGE, SELECT ON ALL SEQUENCES IN SCHEMA public TO quillmark_clerk"),
    // Clerks add rows without choosing their numbers: a register row
    // numbered ahead would stop the next print.
    QStringLiteral("GRANT INSERT ON ChequeNumberKeys, PositivePaySent TO quillmark_clerk"),
    QStringLiteral("GRANT INSERT (DateofChq, Payeename, BankName, PAyeeamt, ChequeNo) "
                   "ON ChqIssuereg TO quillmark_clerk"),
    QStringLiteral("GRANT INSERT (RegisterRow, Action, Reason, MarkedAt, MarkedBy) "
                   "ON ChequeVoidMarks TO quillmark_clerk"),
    QStringLiteral("GRANT INSERT (BankName, LayoutName, SentAt, Records, Contents) "
                   "ON PositivePayFile TO quillmark_clerk"),
    QStringLiteral("GRANT INSERT, UPDATE, DELETE ON PrintJournal, WindowSize, ScreenScale "
                   "TO quillmark_clerk"),
    QStringLiteral("GRANT INSERT, UPDATE, DELETE ON Bank, Payee, Positions, WordsChoice, "
                   "ChequeStyle, LeafImage, PrinterOffset, PositivePayAccount, "
                   "PositivePayLayout TO quillmark_supervisor"),
};

// A mark or a number key names a register row there is: one made in
// advance for a row not yet printed would void it, or hold its number, as
// soon as it came. Checked at commit, where a print adds both; a row only
// the owner may remove takes its marks and key with it.
const QString rowReferences[] = {
    QStringLiteral("ALTER TABLE ChequeVoidMarks ADD CONSTRAINT ChequeVoidMarksRow FOREIGN KEY "
                   "(RegisterRow) REFERENCES ChqIssuereg (rowid) ON DELETE CASCADE DEFERRABLE "
                   "INITIALLY DEFERRED"),
    QStringLiteral("ALTER TABLE ChequeNumberKeys ADD CONSTRAINT ChequeNumberKeysRow FOREIGN KEY "
                   "(RegisterRow) REFERENCES ChqIssuereg (rowid) ON DELETE CASCADE DEFERRABLE "
                   "INITIALLY DEFERRED"),
};

// A void mark's author is the user the server knows, not a name the
// program claims.
const QString createMarkAuthor = QStringLiteral(
    "CREATE OR REPLACE FUNCTION quillmark_mark_author() RETURNS trigger LANGUAGE plpgsql AS "
    "$$ BEGIN NEW.MarkedBy := session_user; RETURN NEW; END $$");
const QString createMarkAuthorTrigger = QStringLiteral(
    "CREATE OR REPLACE TRIGGER ChequeVoidMarksAuthor BEFORE INSERT ON ChequeVoidMarks "
    "FOR EACH ROW EXECUTE FUNCTION quillmark_mark_author()");

// Every clerk's open windows follow a print or a void, once per statement.
const QString createNotice = QStringLiteral(
    "CREATE OR REPLACE FUNCTION quillmark_register_changed() RETURNS trigger LANGUAGE plpgsql "
    "AS $$ BEGIN NOTIFY quillmark_register; RETURN NULL; END $$");
const QString createNoticeTriggers[] = {
    QStringLiteral("CREATE OR REPLACE TRIGGER ChqIssueregChanged AFTER INSERT ON ChqIssuereg "
                   "FOR EACH STATEMENT EXECUTE FUNCTION quillmark_register_changed()"),
    QStringLiteral("CREATE OR REPLACE TRIGGER ChequeVoidMarksChanged AFTER INSERT ON "
                   "ChequeVoidMarks FOR EACH STATEMENT EXECUTE FUNCTION "
                   "quillmark_register_changed()"),
    QStringLiteral("CREATE OR REPLACE TRIGGER PrintJournalChanged AFTER INSERT OR DELETE ON "
                   "PrintJournal FOR EACH STATEMENT EXECUTE FUNCTION "
                   "quillmark_register_changed()"),
};

QSqlError run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    query.exec(dialect::tableStatement(statement, Engine::PostgreSQL));
    return query.lastError();
}

QSqlError runAll(const QSqlDatabase &db, const QStringList &statements)
{
    for (const QString &statement : statements) {
        if (QSqlError error = run(db, statement); error.isValid())
            return error;
    }
    return {};
}

} // namespace

QSqlError setUpServer(const QSqlDatabase &db)
{
    return inTransaction(db, [&] {
        QSqlError error = run(db, createNoCaseCollation);
        if (!error.isValid())
            error = createTablesSteps(db);
        if (!error.isValid())
            error = runAll(db, {createWindowSize, createScreenScale, createPrinterOffset,
                                createLeafImageTable});
        if (!error.isValid())
            error = runAll(db, {createRoles, createMarkAuthor, createMarkAuthorTrigger,
                                createNotice});
        if (!error.isValid())
            error = runAll(db, QStringList(std::begin(createNoticeTriggers),
                                           std::end(createNoticeTriggers)));
        if (!error.isValid())
            error = runAll(db, QStringList(std::begin(rowReferences), std::end(rowReferences)));
        if (!error.isValid())
            error = runAll(db, QStringList(std::begin(rights), std::end(rights)));
        return error;
    });
}

} // namespace store
