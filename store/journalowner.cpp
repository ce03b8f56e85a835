#include "journalowner.h"

#include <QFile>
#include <QSysInfo>
#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace store {
namespace {

// The process's start in clock ticks after boot (field 22 of its stat
// line), a null text when no such process runs.
QString startOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    // The name in brackets may hold blanks: the fields count from its end.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? QString::fromLatin1(fields[19]) : QString();
}

QString hostName()
{
    const QString name = QSysInfo::machineHostName();
    return QSysInfo::machineUniqueId().isEmpty()
               ? name
               : name + u'/' + QString::fromLatin1(QSysInfo::machineUniqueId());
}

} // namespace

const JournalOwner &thisCopy()
{
    static const JournalOwner owner{hostName(), qint64(getpid()), startOf(getpid())};
    return owner;
}

bool hasEndedHere(const JournalOwner &owner)
{
    if (owner.host != thisCopy().host)
        return false;
    if (owner == thisCopy())
        return false;
    if (owner.pid <= 0 || (kill(pid_t(owner.pid), 0) != 0 && errno == ESRCH))
        return true;
    const QString started = startOf(owner.pid);
    return !started.isNull() && started != owner.started;
}

} // namespace store
