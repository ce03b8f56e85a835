#include "jettables.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QtEndian>
#include <sys/resource.h>

namespace jet {
namespace {

enum Record : quint8 { Progress = 1, Result = 2 };

constexpr rlim_t memoryLimit = rlim_t(1) << 30;

QString &overriddenProgram()
{
    static QString path;
    return path;
}

// Takes the whole records off the front of *buffer, as the reader frames
// them: a 32-bit length, then that many bytes.
QList<QByteArray> takeRecords(QByteArray *buffer)
{
    QList<QByteArray> records;
    while (buffer->size() >= 4) {
        const quint32 length = qFromBigEndian<quint32>(buffer->constData());
        if (length == 0xffffffffu || qsizetype(length) > buffer->size() - 4)
            break;
        records << buffer->mid(4, length);
        buffer->remove(0, 4 + length);
    }
    return records;
}

struct Outcome {
    bool finished = false;
    QString problem;
    JetTableRows rows;
};

void take(const QByteArray &record, const RowsRead &rowsRead, Outcome *outcome)
{
    QDataStream in(record);
    quint8 kind = 0;
    in >> kind;
    if (kind == Progress) {
        qint32 table = 0;
        qint64 count = 0;
        in >> table >> count;
        if (rowsRead)
            rowsRead(table, count);
    } else if (kind == Result) {
        in >> outcome->problem >> outcome->rows;
        outcome->finished = in.status() == QDataStream::Ok;
    }
}

} // namespace

QString accessReaderProgram()
{
    if (!overriddenProgram().isEmpty())
        return overriddenProgram();
    const QString name = QStringLiteral("/quillmark-accessreader");
    const QString beside = QCoreApplication::applicationDirPath() + name;
    if (QFileInfo::exists(beside))
        return beside;
    return QStringLiteral(QUILLMARK_INSTALLED_HELPER_DIR) + name;
}

void useAccessReaderProgram(const QString &path)
{
    overriddenProgram() = path;
}

QString readJetTablesApart(const QString &path, const QList<JetTableColumns> &tables,
                           JetTableRows *rows, std::chrono::milliseconds limit,
                           const RowsRead &rowsRead)
{
    rows->clear();
    // 1. Start the reader with its memory limit and give it the request.
    QProcess reader;
    reader.setProgram(accessReaderProgram());
    reader.setStandardErrorFile(QProcess::nullDevice());
    reader.setChildProcessModifier([] {
        const rlimit memory{memoryLimit, memoryLimit};
        setrlimit(RLIMIT_AS, &memory);
    });
    reader.start();
    if (!reader.waitForStarted())
        return QStringLiteral("the program that reads it could not be started (%1)")
            .arg(reader.errorString());
    QByteArray request;
    QDataStream out(&request, QIODevice::WriteOnly);
    out << path << tables;
    reader.write(request);
    reader.closeWriteChannel();

    // 2. Take its records until it ends or the time is up.
    QByteArray buffer;
    Outcome outcome;
    bool timedOut = false;
    QEventLoop loop;
    QObject::connect(&reader, &QProcess::readyReadStandardOutput, &loop, [&] {
        buffer += reader.readAllStandardOutput();
        for (const QByteArray &record : takeRecords(&buffer))
            take(record, rowsRead, &outcome);
    });
    QObject::connect(&reader, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    if (reader.state() != QProcess::NotRunning)
        loop.exec();
    if (timedOut) {
        reader.kill();
        reader.waitForFinished();
        return QStringLiteral("reading it did not end within %1 seconds, so it is probably "
                              "damaged")
            .arg(std::chrono::duration_cast<std::chrono::seconds>(limit).count());
    }
    buffer += reader.readAllStandardOutput();
    for (const QByteArray &record : takeRecords(&buffer))
        take(record, rowsRead, &outcome);

    // 3. Only a whole answer from a reader that ended well counts.
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0)
        return QStringLiteral("reading it broke off, so it is probably damaged");
    if (!outcome.finished || (outcome.problem.isEmpty() && outcome.rows.size() != tables.size()))
        return QStringLiteral("what was read of it came back incomplete");
    *rows = outcome.rows;
    return outcome.problem;
}

} // namespace jet
