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
    // A failure to create the folder shows up as the data file's own error.
    QDir().mkpath(userDir);
    return {userFile, QFileInfo::exists(programFile) ? programFile : QString()};
}

const DataLocation &dataLocation()
{
    static const DataLocation location = chooseDataLocation(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
        QStringLiteral(QUILLMARK_INSTALLED_BINDIR));
    return location;
}

} // namespace store
