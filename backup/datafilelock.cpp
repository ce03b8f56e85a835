#include "datafilelock.h"

#include <QFile>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace backup {
namespace {

struct Held {
    QString path;
    int fd = -1;
};

Held &held()
{
    static Held file;
    return file;
}

void letGo()
{
    if (held().fd >= 0)
        close(held().fd);
    held() = {};
}

bool open(const QString &path)
{
    if (held().fd >= 0 && held().path == path)
        return true;
    letGo();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    held() = {path, fd};
    return true;
}

} // namespace

void holdDataFile(const QString &path)
{
    letGo();
    if (open(path))
        flock(held().fd, LOCK_SH | LOCK_NB);
}

bool holdDataFileAlone(const QString &path)
{
    // A missing file is held by nobody.
    if (!open(path))
        return true;
    if (flock(held().fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    // A refused change may have let go of the shared hold.
    flock(held().fd, LOCK_SH | LOCK_NB);
    return false;
}

} // namespace backup
