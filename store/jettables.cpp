#include "jettables.h"

#include "jetreader.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QIODevice>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace store {
namespace {

bool writeAll(int fd, const QByteArray &data)
{
    for (qsizetype done = 0; done < data.size();) {
        const ssize_t written = write(fd, data.constData() + done, data.size() - done);
        if (written < 0 && errno != EINTR)
            return false;
        done += written > 0 ? written : 0;
    }
    return true;
}

// Everything the child writes, up to its end; false when the time is up first.
bool readUntilEnd(int fd, QDeadlineTimer deadline, QByteArray *data)
{
    char buffer[65536];
    for (;;) {
        pollfd wanted{fd, POLLIN, 0};
        const int ready = poll(&wanted, 1, int(qMin<qint64>(deadline.remainingTime(), 1000)));
        if (ready < 0 && errno != EINTR)
            return false;
        if (ready > 0) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got == 0)
                return true;
            if (got > 0)
                data->append(buffer, got);
            else if (errno != EINTR)
                return false;
        } else if (deadline.hasExpired()) {
            return false;
        }
    }
}

[[noreturn]] void readInChild(const QString &path, const QList<JetTableColumns> &tables, int fd)
{
    // On a damaged file libmdb can print warnings by the million; the
    // parent tells the user what matters.
    const int nowhere = open("/dev/null", O_WRONLY);
    dup2(nowhere, STDOUT_FILENO);
    dup2(nowhere, STDERR_FILENO);
    JetTableRows rows;
    const QString problem = readJetTables(path, tables, &rows);
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << problem << rows;
    // _exit: the parent's buffers and exit handlers are not the child's to run.
    _exit(writeAll(fd, data) ? 0 : 1);
}

} // namespace

QString readJetTables(const QString &path, const QList<JetTableColumns> &tables,
                      JetTableRows *rows)
{
    rows->clear();
    const JetReader reader(path);
    if (!reader.error().isEmpty())
        return reader.error();
    QStringList missing;
    for (const JetTableColumns &table : tables)
        missing << reader.missing(table.table, table.columns);
    if (!missing.isEmpty())
        return QStringLiteral("it lacks %1").arg(missing.join(QStringLiteral(", ")));
    for (const JetTableColumns &table : tables) {
        QList<QVariantList> tableRows;
        if (QString problem = reader.readTable(table.table, table.columns, &tableRows);
            !problem.isEmpty())
            return problem;
        rows->append(tableRows);
    }
    return {};
}

QString readJetTablesApart(const QString &path, const QList<JetTableColumns> &tables,
                           JetTableRows *rows, std::chrono::milliseconds limit)
{
    rows->clear();
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return QStringLiteral("no pipe could be made to read it (%1)").arg(qt_error_string(errno));
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        readInChild(path, tables, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        return QStringLiteral("no process could be started to read it (%1)")
            .arg(qt_error_string(errno));
    }
    QByteArray data;
    const bool finished = readUntilEnd(pipeEnds[0], QDeadlineTimer(limit), &data);
    close(pipeEnds[0]);
    if (!finished)
        kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!finished)
        return QStringLiteral("reading it did not end within %1 seconds, so it is probably "
                              "damaged")
            .arg(std::chrono::duration_cast<std::chrono::seconds>(limit).count());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("reading it broke off, so it is probably damaged");

    QDataStream in(data);
    QString problem;
    in >> problem >> *rows;
    if (in.status() != QDataStream::Ok || (problem.isEmpty() && rows->size() != tables.size()))
        return QStringLiteral("what was read of it came back incomplete");
    return problem;
}

} // namespace store
