#include "jetmigration.h"

#include "jettables.h"
#include "schema.h"
#include "workfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace jet {

using namespace store;

namespace {

QString failure(const QString &path, const QString &whatFailed)
{
    return QStringLiteral("The data file %1 is an Access (Jet) database of the older program. "
                          "Quillmark could not copy it into its own format: %2.\n\n"
                          "Nothing in the file has been changed.")
        .arg(QDir::toNativeSeparators(path), whatFailed);
}

QString counted(qsizetype count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

QString noticeText(const RowCounts &counts, const QString &originalPath)
{
    return QStringLiteral("Your data file was an Access (Jet) database of the older program. "
                          "Quillmark has copied it into its own format: %1, %2, %3 and %4 "
                          "came over.\n\nThe original file is kept, unchanged, as %5")
        .arg(counted(counts.banks, QStringLiteral("bank"), QStringLiteral("banks")),
             counted(counts.payees, QStringLiteral("payee"), QStringLiteral("payees")),
             counted(counts.layouts, QStringLiteral("cheque layout"),
                     QStringLiteral("cheque layouts")),
             counted(counts.registerRows, QStringLiteral("register row"),
                     QStringLiteral("register rows")),
             QDir::toNativeSeparators(originalPath));
}

// "ql (Access original).mdb" beside "ql.mdb", numbered when that is taken:
// an earlier original is never overwritten.
QString originalPathFor(const QString &path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int number = 1;; ++number) {
        const QString mark = number == 1 ? QStringLiteral("Access original")
                                         : QStringLiteral("Access original %1").arg(number);
        const QString candidate = info.dir().filePath(
            QStringLiteral("%1 (%2)%3").arg(info.completeBaseName(), mark, suffix));
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

// Where hard links cannot be made: a copy, on the disk before it counts.
bool keepCopy(const QString &path, const QString &originalPath)
{
    if (!QFile::copy(path, originalPath))
        return false;
    if (syncFile(originalPath))
        return true;
    QFile::remove(originalPath);
    return false;
}

// Writes the rows into the empty SQLite file at newPath and counts what the
// file then holds.
QString writeNewFile(const QString &newPath, const ImportRows &rows)
{
    const QString connectionName = QStringLiteral("jet-migration");
    QSqlError error;
    RowCounts written;
    RowCounts stored;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(newPath);
        if (!db.open())
            error = db.lastError();
        if (!error.isValid())
            error = createTables(db);
        if (!error.isValid())
            error = importRows(db, rows, &written);
        if (!error.isValid())
            error = countRows(db, &stored);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    if (error.isValid())
        return QStringLiteral("writing the new file failed (%1)").arg(error.text().trimmed());
    const RowCounts expected = countsOf(rows);
    if (written != expected || stored != expected)
        return QStringLiteral("the new file did not receive every row (%1 banks, %2 payees, "
                              "%3 cheque layouts, %4 register rows of %5, %6, %7, %8)")
            .arg(stored.banks).arg(stored.payees).arg(stored.layouts).arg(stored.registerRows)
            .arg(expected.banks).arg(expected.payees).arg(expected.layouts)
            .arg(expected.registerRows);
    return {};
}

void (*stepHook)(MigrationStep) = nullptr;

void reached(MigrationStep step)
{
    if (stepHook)
        stepHook(step);
}

// Keeps the original under its new name, then puts the new file in its
// place in one step: at every moment there is a complete data file under
// the data file's name.
QString swapFiles(const QString &path, const QString &newPath, const QString &originalPath)
{
    if (!syncFile(newPath))
        return QStringLiteral("the new file could not be written to the disk");
    reached(MigrationStep::NewFileWritten);
    const QByteArray pathName = QFile::encodeName(path);
    if (link(pathName.constData(), QFile::encodeName(originalPath).constData()) != 0
        && !keepCopy(path, originalPath))
        return QStringLiteral("it could not be kept as %1 (%2)")
            .arg(QDir::toNativeSeparators(originalPath), qt_error_string(errno));
    syncFolderOf(path);
    reached(MigrationStep::OriginalKept);
    if (rename(QFile::encodeName(newPath).constData(), pathName.constData()) != 0) {
        const QString why = qt_error_string(errno);
        QFile::remove(originalPath);
        return QStringLiteral("the new file could not take its place (%1)").arg(why);
    }
    reached(MigrationStep::NewFileInPlace);
    syncFolderOf(path);
    reached(MigrationStep::FolderSynced);
    return {};
}

} // namespace

void setMigrationStepHook(void (*hook)(MigrationStep))
{
    stepHook = hook;
}

QString migrateJetDatabase(const QString &path, QString *notice, const RowsRead &rowsRead)
{
    // Everything is read before anything is written. An honest file of many
    // years reads in a few seconds; one that takes a minute is stuck.
    const QList<JetTableColumns> tables(jetTables().begin(), jetTables().end());
    JetTableRows read;
    if (const QString problem =
            readJetTablesApart(path, tables, &read, std::chrono::minutes(1), rowsRead);
        !problem.isEmpty())
        return failure(path, problem);
    JetRows jetRows;
    std::copy(read.begin(), read.end(), jetRows.begin());
    return replaceJetDatabase(path, jetRows, notice);
}

QString replaceJetDatabase(const QString &path, const JetRows &jetRows, QString *notice)
{
    ImportRows rows;
    if (const QString problem = mapJetRows(jetRows, &rows); !problem.isEmpty())
        return failure(path, problem);

    // A name of its own beside the original, locked while this runs, so a
    // file left by an earlier attempt that was cut off is never taken for
    // this one, and is cleaned up at the next start.
    WorkFile work(path, QStringLiteral("import"));
    if (!work.isOpen())
        return failure(path, QStringLiteral("a new file could not be made beside it (%1)")
                                 .arg(work.errorString()));
    QString problem = writeNewFile(work.path(), rows);
    if (problem.isEmpty() && !QFile::setPermissions(work.path(), QFile::permissions(path)))
        problem = QStringLiteral("the new file could not be given the original's permissions");
    const QString originalPath = originalPathFor(path);
    if (problem.isEmpty())
        problem = swapFiles(path, work.path(), originalPath);
    if (!problem.isEmpty())
        return failure(path, problem);
    work.markMoved();
    if (notice)
        *notice = noticeText(countsOf(rows), originalPath);
    return {};
}

} // namespace jet
