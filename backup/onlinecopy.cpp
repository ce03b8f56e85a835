#include "onlinecopy.h"

#include "backupstatements.h"
#include "ownconnection.h"
#include "schema.h"
#include "steps.h"

#include <QSqlError>
#include <sqlite3.h>

namespace backup {
namespace {

// A megabyte at SQLite's usual page size: the progress moves smoothly and a
// cancel is heard soon.
constexpr int pagesPerStep = 256;

// Copies every page, a part at a time, while `source` holds one read
// transaction.
QString copyPages(sqlite3 *source, sqlite3 *target, const Progress &progress)
{
    sqlite3_backup *copy = sqlite3_backup_init(target, "main", source, "main");
    if (!copy)
        return QString::fromUtf8(sqlite3_errmsg(target));
    int result = SQLITE_OK;
    bool cancelled = false;
    while (result == SQLITE_OK || result == SQLITE_BUSY || result == SQLITE_LOCKED) {
        result = sqlite3_backup_step(copy, pagesPerStep);
        reached(Step::PagesCopied);
        const int total = sqlite3_backup_pagecount(copy);
        if (progress && !progress(total - sqlite3_backup_remaining(copy), total)) {
            cancelled = true;
            break;
        }
        if (result == SQLITE_BUSY || result == SQLITE_LOCKED)
            sqlite3_sleep(50);
    }
    sqlite3_backup_finish(copy);
    if (cancelled)
        return QStringLiteral("the copy was cancelled");
    if (result != SQLITE_DONE)
        return QString::fromUtf8(sqlite3_errstr(result));
    return {};
}

} // namespace

QString copyDatabase(const QString &from, const QString &to, const Progress &progress)
{
    OwnConnection source(from, true);
    OwnConnection target(to, false);
    if (QString problem = source.problem(); !problem.isEmpty())
        return problem;
    if (QString problem = target.problem(); !problem.isEmpty())
        return problem;
    if (const QSqlError error = store::beginRead(source.db()); error.isValid())
        return error.text().trimmed();
    const QString problem = copyPages(source.handle(), target.handle(), progress);
    store::endRead(source.db());
    return problem;
}

QString integrityProblem(const QString &path, bool quick)
{
    OwnConnection connection(path, true);
    if (QString problem = connection.problem(); !problem.isEmpty())
        return problem;
    QStringList findings;
    if (const QSqlError error = store::checkIntegrity(connection.db(), quick, &findings);
        error.isValid())
        return error.text().trimmed();
    return findings.join(QLatin1Char('\n'));
}

QString notRestorableProblem(const QString &path)
{
    OwnConnection connection(path, true);
    if (QString problem = connection.problem(); !problem.isEmpty())
        return problem;
    if (const QStringList missing = store::missingTablesAndColumns(connection.db());
        !missing.isEmpty())
        return QStringLiteral("it is not a Quillmark database: it lacks %1")
            .arg(missing.join(QStringLiteral(", ")));
    QStringList findings;
    if (const QSqlError error = store::checkIntegrity(connection.db(), false, &findings);
        error.isValid())
        findings << error.text().trimmed();
    if (!findings.isEmpty())
        return QStringLiteral("it failed its integrity check (%1)").arg(findings.join(QStringLiteral("; ")));
    return {};
}

QString readContents(const QString &path, store::StoredContents *contents)
{
    OwnConnection connection(path, true);
    if (QString problem = connection.problem(); !problem.isEmpty())
        return problem;
    if (const QSqlError error = store::readStoredContents(connection.db(), contents);
        error.isValid())
        return error.text().trimmed();
    return {};
}

} // namespace backup
