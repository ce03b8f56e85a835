#include "jetmigration.h"

#include "database.h"
#include "jettables.h"
#include "schema.h"
#include "workfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

// Hands rows on to the taker as they come; returns what failed, or an
// empty text.
using RowSource = std::function<QString(const RowsArrived &)>;

QString writingFailed(const QSqlError &error)
{
    return QStringLiteral("writing the new file failed (%1)").arg(error.text().trimmed());
}

// Writes the rows into the empty SQLite file at newPath as they come, and
// counts what the file then holds.
QString writeNewFile(const QString &newPath, const RowSource &source, RowCounts *counts)
{
    ImportFile file(newPath);
    if (file.error().isValid())
        return writingFailed(file.error());
    std::array<qsizetype, JetTableCount> read{};
    const QString problem = source([&](int table, const QList<QVariantList> &jetRows) {
        ImportRows rows;
        if (QString misfit = mapJetRows(JetTable(table), read[table], jetRows, &rows);
            !misfit.isEmpty())
            return misfit;
        read[table] += jetRows.size();
        const QSqlError error = file.add(rows);
        return error.isValid() ? writingFailed(error) : QString();
    });
    if (!problem.isEmpty())
        return problem;
    RowCounts stored;
    if (const QSqlError error = file.finish(&stored); error.isValid())
        return writingFailed(error);
    const RowCounts expected{read[JetBank], read[JetPayee], read[JetPositions],
                             read[JetChqIssuereg]};
    if (file.written() != expected || stored != expected)
        return QStringLiteral("the new file did not receive every row (%1 banks, %2 payees, "
                              "%3 cheque layouts, %4 register rows of %5, %6, %7, %8)")
            .arg(stored.banks).arg(stored.payees).arg(stored.layouts).arg(stored.registerRows)
            .arg(expected.banks).arg(expected.payees).arg(expected.layouts)
            .arg(expected.registerRows);
    *counts = expected;
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

namespace {

// Held on the Access file while it is moved: a second copy of the program
// started meanwhile waits here until the first has finished.
class MoveLock
{
public:
    explicit MoveLock(const QString &path)
        : m_fd(open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC))
    {
        if (m_fd >= 0)
            flock(m_fd, LOCK_EX);
    }
    ~MoveLock()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    MoveLock(const MoveLock &) = delete;
    MoveLock &operator=(const MoveLock &) = delete;

    // Whether the name still leads to the file locked, rather than to the
    // new file another copy has put in its place.
    bool stillInPlace(const QString &path) const
    {
        struct stat locked{};
        struct stat named{};
        return m_fd >= 0 && fstat(m_fd, &locked) == 0
            && stat(QFile::encodeName(path).constData(), &named) == 0
            && locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
    }

private:
    int m_fd;
};

// Brings the rows the source gives into a new file beside the Access file
// at path, and puts it in the Access file's place.
QString replaceWith(const QString &path, const RowSource &source, QString *notice)
{
    const MoveLock lock(path);
    if (!lock.stillInPlace(path))
        return prepareDatabase(path, notice);
    // A name of its own beside the original, locked while this runs, so a
    // file left by an earlier attempt that was cut off is never taken for
    // this one, and is cleaned up at the next start.
    WorkFile work(path, QStringLiteral("import"));
    if (!work.isOpen())
        return failure(path, QStringLiteral("a new file could not be made beside it (%1)")
                                 .arg(work.errorString()));
    RowCounts counts;
    QString problem = writeNewFile(work.path(), source, &counts);
    if (problem.isEmpty() && !QFile::setPermissions(work.path(), QFile::permissions(path)))
        problem = QStringLiteral("the new file could not be given the original's permissions");
    const QString originalPath = originalPathFor(path);
    if (problem.isEmpty())
        problem = swapFiles(path, work.path(), originalPath);
    if (!problem.isEmpty())
        return failure(path, problem);
    work.markMoved();
    if (notice)
        *notice = noticeText(counts, originalPath);
    return {};
}

} // namespace

QString migrateJetDatabase(const QString &path, QString *notice, const RowsRead &rowsRead)
{
    // The rows are written as the reader reads them, so neither program
    // holds a table. An honest file of many years reads in a few seconds;
    // one that takes a minute is beyond what can be read here.
    const QList<JetTableColumns> tables(jetTables().begin(), jetTables().end());
    return replaceWith(path, [&](const RowsArrived &rowsArrived) {
        return readJetTablesApart(path, tables, std::chrono::minutes(1), rowsArrived, rowsRead);
    }, notice);
}

QString replaceJetDatabase(const QString &path, const JetRows &jetRows, QString *notice)
{
    return replaceWith(path, [&](const RowsArrived &rowsArrived) {
        for (int table = 0; table < JetTableCount; ++table) {
            if (QString problem = rowsArrived(table, jetRows[table]); !problem.isEmpty())
                return problem;
        }
        return QString();
    }, notice);
}

} // namespace jet
