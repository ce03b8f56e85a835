#include "takecopy.h"

#include "copies.h"
#include "steps.h"
#include "workfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace backup {
namespace {

QString failure(const QString &dataPath, const QString &where, const QString &why)
{
    return QStringLiteral("The copy of the data file %1 could not be made in %2: %3.")
        .arg(QDir::toNativeSeparators(dataPath), QDir::toNativeSeparators(where), why);
}

// Writes the whole copy into the work file, on the disk and checked.
QString writeCheckedCopy(const QString &dataPath, const store::WorkFile &work,
                         const Progress &progress)
{
    if (!work.isOpen())
        return work.errorString();
    if (QString problem = copyDatabase(dataPath, work.path(), progress); !problem.isEmpty())
        return problem;
    if (!store::syncFile(work.path()))
        return QStringLiteral("it could not be written to the disk");
    reached(Step::CopyWritten);
    if (QString findings = integrityProblem(work.path()); !findings.isEmpty())
        return QStringLiteral("the copy failed its integrity check (%1)").arg(findings);
    reached(Step::CopyChecked);
    return {};
}

// A dated name no copy has yet, numbered after the copies of the same
// second, so that the rotation sees it as the newest.
QString freeCopyName(const QString &folder, const QString &dataPath)
{
    const QDateTime takenAt = now();
    int first = 1;
    for (const Copy &copy : copiesIn(folder, dataPath)) {
        if (copy.takenAt.toSecsSinceEpoch() == takenAt.toSecsSinceEpoch())
            first = std::max(first, copy.takenAt.time().msec() + 1);
    }
    return firstFreePath([&](int number) {
        return QDir(folder).filePath(copyName(dataPath, takenAt, first + number - 1));
    });
}

QString giveName(const QString &workPath, const QString &name)
{
    if (std::rename(QFile::encodeName(workPath).constData(), QFile::encodeName(name).constData())
        != 0)
        return qt_error_string(errno);
    store::syncFolderOf(name);
    reached(Step::CopyNamed);
    return {};
}

void removeOlderCopies(const QString &folder, const QString &dataPath)
{
    const QList<Copy> copies = copiesIn(folder, dataPath);
    const QList<Copy> kept = copiesKept(copies);
    for (const Copy &copy : copies) {
        if (!kept.contains(copy) && QFile::remove(copy.path))
            reached(Step::OlderCopyRemoved);
    }
    if (!kept.isEmpty())
        store::syncFolderOf(kept.first().path);
}

} // namespace

QString takeCopy(const QString &dataPath, const Progress &progress, QString *made)
{
    const QString folder = copiesFolder(dataPath);
    if (!QDir().mkpath(folder))
        return failure(dataPath, folder, QStringLiteral("the folder could not be made"));
    // Work files in the folder are named after the data file, cleaned up as
    // those beside it are.
    const QString workBase = QDir(folder).filePath(QFileInfo(dataPath).fileName());
    store::removeAbandonedWorkFiles(workBase);
    store::WorkFile work(workBase, QStringLiteral("copy"));
    QString problem = writeCheckedCopy(dataPath, work, progress);
    const QString name = freeCopyName(folder, dataPath);
    if (problem.isEmpty())
        problem = giveName(work.path(), name);
    if (!problem.isEmpty())
        return failure(dataPath, folder, problem);
    work.markMoved();
    removeOlderCopies(folder, dataPath);
    if (made)
        *made = name;
    return {};
}

QString takeCopyTo(const QString &dataPath, const QString &target, const Progress &progress)
{
    store::WorkFile work(target, QStringLiteral("copy"));
    QString problem = writeCheckedCopy(dataPath, work, progress);
    if (problem.isEmpty())
        problem = giveName(work.path(), target);
    if (!problem.isEmpty())
        return failure(dataPath, QFileInfo(target).absolutePath(), problem);
    work.markMoved();
    return {};
}

} // namespace backup
