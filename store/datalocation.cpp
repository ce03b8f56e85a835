#include "datalocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace store {
namespace {

QString dataFileIn(const QString &dir)
{
    return QDir(dir).filePath(QStringLiteral("ql.mdb"));
}

bool sameFolder(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// Why the folder cannot be made: the nearest folder above it that exists
// cannot be written to, or something not a folder stands in the way.
QString folderProblem(const QString &dir)
{
    QFileInfo above(dir);
    while (!above.exists() && !above.isRoot() && above.absolutePath() != above.absoluteFilePath())
        above = QFileInfo(above.absolutePath());
    const QString cause = above.isDir()
        ? QStringLiteral("%1 cannot be written to (it is read-only or belongs to another user)")
        : QStringLiteral("%1 is not a folder");
    return QStringLiteral("The folder %1 for your data cannot be made: %2.\n\nNothing can be "
                          "kept until it can be made.")
        .arg(QDir::toNativeSeparators(dir),
             cause.arg(QDir::toNativeSeparators(above.absoluteFilePath())));
}

// Qt takes "/" for a home that is not set; the data would land in /.local.
QString knownUserDir()
{
    if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME"))
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace

DataLocation chooseDataLocation(const QString &programDir, const QString &userDir,
                                const QString &installedDir)
{
    const QString programFile = dataFileIn(programDir);
    const QString userFile = dataFileIn(userDir);
    const bool besideProgram = !sameFolder(programDir, installedDir)
                               && (QFileInfo::exists(programFile)
                                   || QFileInfo(programDir).isWritable());
    if (besideProgram)
        return {programFile, QFileInfo::exists(userFile) ? userFile : QString()};
    if (userDir.isEmpty())
        return {{}, {}, QStringLiteral("Quillmark cannot tell where your home folder is: the "
                                       "environment variable HOME is not set. Start Quillmark "
                                       "from your desktop, or set HOME to your home folder.")};
    const QString unused = QFileInfo::exists(programFile) ? programFile : QString();
    if (!QDir().mkpath(userDir))
        return {{}, unused, folderProblem(userDir)};
    return {userFile, unused};
}

const DataLocation &dataLocation()
{
    static const DataLocation location = chooseDataLocation(
        QCoreApplication::applicationDirPath(),
        knownUserDir(),
        QStringLiteral(QUILLMARK_INSTALLED_BINDIR));
    return location;
}

} // namespace store
