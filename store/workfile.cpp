#include "workfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace store {
namespace {

const QString journalSuffix = QStringLiteral("-journal");

// The purposes work files are made for; every one is cleaned up at start.
const QStringList purposes = {QStringLiteral("new"), QStringLiteral("import"),
                               QStringLiteral("copy"), QStringLiteral("restore")};

QString randomTail()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString tail;
    for (int i = 0; i < 8; ++i)
        tail += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return tail;
}

bool syncPath(const QString &path, int flags)
{
    const int fd = open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

} // namespace

WorkFile::WorkFile(const QString &dataPath, const QString &purpose)
{
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_path = QStringLiteral("%1.%2-%3").arg(dataPath, purpose, randomTail());
        m_fd = open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC,
                    0600);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        m_error = qt_error_string(errno);
        m_path.clear();
    } else {
        // The lock tells a program starting meanwhile that this one is alive.
        flock(m_fd, LOCK_EX);
    }
}

WorkFile::~WorkFile()
{
    if (m_fd < 0)
        return;
    if (!m_moved) {
        QFile::remove(m_path);
        QFile::remove(m_path + journalSuffix);
    }
    close(m_fd);
}

void removeAbandonedWorkFiles(const QString &dataPath)
{
    const QFileInfo data(dataPath);
    QStringList patterns;
    for (const QString &purpose : purposes)
        patterns << QStringLiteral("%1.%2-*").arg(data.fileName(), purpose);
    const QDir folder = data.dir();
    for (const QString &name : folder.entryList(patterns, QDir::Files | QDir::Hidden)) {
        if (name.endsWith(journalSuffix))
            continue;
        const QString path = folder.filePath(name);
        const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        // A file just made may not be locked yet: an empty one is given time.
        const QFileInfo info(path);
        const bool justMade = info.size() == 0
            && info.lastModified().secsTo(QDateTime::currentDateTime()) < 60;
        if (!justMade && flock(fd, LOCK_EX | LOCK_NB) == 0) {
            QFile::remove(path + journalSuffix);
            QFile::remove(path);
        }
        close(fd);
    }
}

bool syncFile(const QString &path)
{
    return syncPath(path, O_RDONLY);
}

bool syncFolderOf(const QString &path)
{
    return syncPath(QFileInfo(path).absolutePath(), O_RDONLY | O_DIRECTORY);
}

} // namespace store
