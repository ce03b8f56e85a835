#include "restore.h"

#include "copies.h"
#include "datafilelock.h"
#include "onlinecopy.h"
#include "ownconnection.h"
#include "steps.h"
#include "workfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <sqlite3.h>
#include <unistd.h>

namespace backup {
namespace {

QString refusal(const QString &copyPath, const QString &why)
{
    return QStringLiteral("The copy %1 cannot be brought back: %2.\n\n"
                          "The data file has been left as it is.")
        .arg(QDir::toNativeSeparators(copyPath), why);
}

// "ql (before restore 2026-12-07 17-30-05).mdb" beside "ql.mdb".
QString keptPathFor(const QString &dataPath)
{
    const QFileInfo data(dataPath);
    const QString time = now().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    return firstFreePath([&](int number) {
        const QString mark = number == 1 ? time : QStringLiteral("%1 %2").arg(time).arg(number);
        return data.dir().filePath(QStringLiteral("%1 (before restore %2).%3")
                                       .arg(data.completeBaseName(), mark, data.suffix()));
    });
}

// Why the data file cannot be replaced now, or an empty text.
QString dataFileBusy(const QString &dataPath)
{
    if (!holdDataFileAlone(dataPath))
        return QStringLiteral("another copy of Quillmark has the data file %1 open; close it "
                              "first")
            .arg(QDir::toNativeSeparators(dataPath));
    // A journal left by a change cut off belongs to the file as it is.
    if (QFileInfo::exists(dataPath + QStringLiteral("-journal")))
        return QStringLiteral("the data file %1 has a change that was not finished; start "
                              "Quillmark again first")
            .arg(QDir::toNativeSeparators(dataPath));
    return {};
}

// The copy, whole and checked, in a work file beside the data file.
QString writeWorkCopy(const QString &copyPath, const QString &dataPath,
                      const store::WorkFile &work)
{
    if (!work.isOpen())
        return QStringLiteral("no file could be made beside the data file (%1)").arg(work.errorString());
    QString problem = copyDatabase(copyPath, work.path());
    if (problem.isEmpty() && QFileInfo::exists(dataPath))
        QFile::setPermissions(work.path(), QFile::permissions(dataPath));
    if (problem.isEmpty() && !store::syncFile(work.path()))
        problem = QStringLiteral("it could not be written to the disk");
    if (problem.isEmpty() && !integrityProblem(work.path()).isEmpty())
        problem = QStringLiteral("its copy beside the data file failed its integrity check");
    if (!problem.isEmpty())
        return problem;
    reached(Step::CopyWritten);
    return {};
}

// The latest changes of a data file in WAL mode lie in its log beside it:
// they are written into the file and the log emptied, so the file kept
// holds them and the copy put in its place never meets the old log.
QString checkpointed(const QString &dataPath)
{
    OwnConnection data(dataPath, false);
    if (QString problem = data.problem(); !problem.isEmpty())
        return QStringLiteral("the data file could not be opened (%1)").arg(problem);
    const int code = sqlite3_wal_checkpoint_v2(data.handle(), nullptr,
                                               SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    if (code != SQLITE_OK)
        return QStringLiteral("the data file's latest changes could not be written into it (%1)")
            .arg(QString::fromUtf8(sqlite3_errstr(code)));
    return {};
}

// The data file keeps a second name: a hard link, no copy, so even a
// damaged file is kept as it is.
QString keepCurrent(const QString &dataPath, const QString &keptPath)
{
    if (QString problem = checkpointed(dataPath); !problem.isEmpty())
        return problem;
    if (link(QFile::encodeName(dataPath).constData(), QFile::encodeName(keptPath).constData()) != 0
        && !QFile::copy(dataPath, keptPath))
        return QStringLiteral("the data file could not be kept as %1 (%2)")
            .arg(QDir::toNativeSeparators(keptPath), qt_error_string(errno));
    store::syncFolderOf(dataPath);
    reached(Step::CurrentKept);
    return {};
}

QString putInPlace(const QString &workPath, const QString &dataPath)
{
    if (std::rename(QFile::encodeName(workPath).constData(), QFile::encodeName(dataPath).constData())
        != 0)
        return QStringLiteral("it could not take the data file's place (%1)").arg(qt_error_string(errno));
    reached(Step::CopyInPlace);
    store::syncFolderOf(dataPath);
    reached(Step::FolderSynced);
    return {};
}

QString swapIn(const QString &copyPath, const QString &dataPath, QString *keptPath)
{
    store::WorkFile work(dataPath, QStringLiteral("restore"));
    if (QString problem = writeWorkCopy(copyPath, dataPath, work); !problem.isEmpty())
        return problem;
    const bool hadDataFile = QFileInfo::exists(dataPath);
    const QString kept = hadDataFile ? keptPathFor(dataPath) : QString();
    if (hadDataFile) {
        if (QString problem = keepCurrent(dataPath, kept); !problem.isEmpty())
            return problem;
    }
    if (QString problem = putInPlace(work.path(), dataPath); !problem.isEmpty()) {
        QFile::remove(kept);
        return problem;
    }
    work.markMoved();
    if (keptPath)
        *keptPath = kept;
    return {};
}

} // namespace

QString restoreCopy(const QString &copyPath, const QString &dataPath, QString *keptPath)
{
    if (QString problem = notRestorableProblem(copyPath); !problem.isEmpty())
        return refusal(copyPath, problem);
    if (QString problem = dataFileBusy(dataPath); !problem.isEmpty())
        return refusal(copyPath, problem);
    const QString problem = swapIn(copyPath, dataPath, keptPath);
    holdDataFile(dataPath);
    return problem.isEmpty() ? QString() : refusal(copyPath, problem);
}

} // namespace backup
