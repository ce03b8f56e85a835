#include "jettables.h"

#include "rowbytes.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QtEndian>
#include <sys/resource.h>

namespace jet {
namespace {

constexpr qint64 mebibyte = qint64(1) << 20;
constexpr qint64 gibibyte = qint64(1) << 30;

qint64 &readerMemory()
{
    static qint64 bytes = gibibyte;
    return bytes;
}

QString amountOf(qint64 bytes)
{
    if (bytes % gibibyte == 0)
        return QStringLiteral("%1 GiB").arg(bytes / gibibyte);
    return QStringLiteral("%1 MiB").arg(bytes / mebibyte);
}

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
    qsizetype taken = 0;
    while (buffer->size() - taken >= 4) {
        const quint32 length = qFromBigEndian<quint32>(buffer->constData() + taken);
        if (length == 0xffffffffu || qsizetype(length) > buffer->size() - taken - 4)
            break;
        records << buffer->mid(taken + 4, length);
        taken += 4 + length;
    }
    buffer->remove(0, taken);
    return records;
}

// What the reader has sent so far, handed on as it comes.
class Outcome
{
public:
    Outcome(const RowsArrived &rowsArrived, const RowsRead &rowsRead)
        : m_rowsArrived(rowsArrived), m_rowsRead(rowsRead) {}

    bool finished() const { return m_finished; }
    QString problem() const { return m_problem; }
    bool stopped() const { return m_stopped; }

    void take(const QByteArray &record)
    {
        QDataStream in(record);
        quint8 kind = 0;
        in >> kind;
        if (kind == RowsRecord)
            takeRows(in);
        else if (kind == ResultRecord && !m_stopped)
            m_finished = (in >> m_problem).status() == QDataStream::Ok;
    }

private:
    void takeRows(QDataStream &in)
    {
        qint32 table = 0;
        QByteArray bytes;
        in >> table >> bytes;
        if (m_stopped)
            return;
        QList<QVariantList> rows;
        if (in.status() != QDataStream::Ok || !readRows(bytes, &rows) || table < 0
            || table < m_table) {
            stop(QStringLiteral("what was read of it came back garbled"));
            return;
        }
        if (table != m_table)
            m_count = 0;
        m_table = table;
        m_count += rows.size();
        if (QString problem = m_rowsArrived(table, rows); !problem.isEmpty())
            stop(problem);
        else if (m_rowsRead)
            m_rowsRead(table, m_count);
    }
    void stop(const QString &problem)
    {
        m_problem = problem;
        m_stopped = true;
    }

    const RowsArrived &m_rowsArrived;
    const RowsRead &m_rowsRead;
    int m_table = -1;
    qint64 m_count = 0;
    bool m_finished = false;
    bool m_stopped = false;
    QString m_problem;
};

QString seconds(std::chrono::milliseconds limit)
{
    return QString::number(std::chrono::duration_cast<std::chrono::seconds>(limit).count());
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

void limitAccessReaderMemory(qint64 bytes)
{
    readerMemory() = bytes;
}

QString readJetTablesApart(const QString &path, const QList<JetTableColumns> &tables,
                           std::chrono::milliseconds limit, const RowsArrived &rowsArrived,
                           const RowsRead &rowsRead)
{
    // 1. Start the reader with its memory limit and give it the request.
    QProcess reader;
    reader.setProgram(accessReaderProgram());
    reader.setStandardErrorFile(QProcess::nullDevice());
    const rlim_t memoryLimit = rlim_t(readerMemory());
    reader.setChildProcessModifier([memoryLimit] {
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

    // 2. Hand on its rows as they come, until it ends, the taker stops it
    // or the time is up.
    QByteArray buffer;
    Outcome outcome(rowsArrived, rowsRead);
    bool timedOut = false;
    QEventLoop loop;
    const auto takeAll = [&] {
        buffer += reader.readAllStandardOutput();
        for (const QByteArray &record : takeRecords(&buffer))
            outcome.take(record);
        if (outcome.stopped())
            loop.quit();
    };
    QObject::connect(&reader, &QProcess::readyReadStandardOutput, &loop, takeAll);
    QObject::connect(&reader, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    if (reader.state() != QProcess::NotRunning)
        loop.exec();
    if (timedOut || outcome.stopped()) {
        reader.kill();
        reader.waitForFinished();
        if (outcome.stopped())
            return outcome.problem();
        return QStringLiteral("the file is larger than Quillmark could read in %1 seconds")
            .arg(seconds(limit));
    }
    takeAll();
    if (outcome.stopped())
        return outcome.problem();

    // 3. Only a whole answer from a reader that ended well counts.
    if (reader.exitStatus() == QProcess::NormalExit && reader.exitCode() == readerOutOfMemory)
        return QStringLiteral("the file is larger than Quillmark could read in %1 of memory")
            .arg(amountOf(readerMemory()));
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0)
        return QStringLiteral("reading it broke off, so it is probably damaged");
    if (!outcome.finished())
        return QStringLiteral("what was read of it came back incomplete");
    return outcome.problem();
}

} // namespace jet
