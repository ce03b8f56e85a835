// quillmark-accessreader: reads tables of an Access file for Quillmark, in a
// process of its own, so that a damaged file that makes the library loop or
// crash cannot take the program with it.
//
// Standard input: the file's path and the tables (QDataStream). Standard
// output: the records of jettable.h, rows sent on in batches as they are
// read, so that neither this program nor Quillmark holds a whole table.

#include "readtables.h"
#include "rowbytes.h"

#include <QByteArray>
#include <QFile>
#include <cstring>
#include <fcntl.h>
#include <glib.h>
#include <new>
#include <unistd.h>

namespace {

// Rows sent in one record: few enough to keep the memory small, enough
// that framing them costs nothing beside reading them.
constexpr qsizetype rowsPerBatch = 1000;

template <typename... Values>
void send(QFile &out, jet::ReaderRecord kind, const Values &...values)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream << quint8(kind);
    (stream << ... << values);
    QDataStream framed(&out);
    framed << payload;
    out.flush();
}

// Gathers the rows of one table and sends them on a batch at a time.
class Batches
{
public:
    explicit Batches(QFile &out) : m_out(out) {}

    void add(int table, QVariantList &&row)
    {
        if (table != m_table)
            flush();
        m_table = table;
        jet::appendRow(&m_rows, row);
        if (++m_count >= rowsPerBatch)
            flush();
    }
    void flush()
    {
        if (m_count > 0)
            send(m_out, jet::RowsRecord, qint32(m_table), m_rows);
        m_rows.truncate(0);
        m_count = 0;
    }

private:
    QFile &m_out;
    int m_table = -1;
    QByteArray m_rows;
    qsizetype m_count = 0;
};

// The library allocates through GLib, which ends the program when memory
// runs out: that is said as a C++ allocation failure is.
void endWhenOutOfMemory(const gchar *, GLogLevelFlags, const gchar *message, gpointer)
{
    if (message && std::strstr(message, "failed to allocate"))
        _exit(jet::readerOutOfMemory);
}

} // namespace

int main()
{
    g_log_set_handler("GLib", GLogLevelFlags(G_LOG_LEVEL_ERROR | G_LOG_FLAG_FATAL),
                      endWhenOutOfMemory, nullptr);
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    QDataStream request(in.readAll());
    QString path;
    QList<jet::JetTableColumns> tables;
    request >> path >> tables;
    if (request.status() != QDataStream::Ok)
        return 2;

    // On a damaged file the library can print warnings by the million;
    // Quillmark tells the user what matters.
    QFile out;
    out.open(dup(STDOUT_FILENO), QIODevice::WriteOnly, QFile::AutoCloseHandle);
    const int nowhere = open("/dev/null", O_WRONLY);
    dup2(nowhere, STDOUT_FILENO);
    dup2(nowhere, STDERR_FILENO);

    try {
        Batches batches(out);
        const QString problem = jet::readJetTables(path, tables, [&](int table, QVariantList &&row) {
            batches.add(table, std::move(row));
        });
        batches.flush();
        send(out, jet::ResultRecord, problem);
    } catch (const std::bad_alloc &) {
        return jet::readerOutOfMemory;
    }
    return out.error() == QFile::NoError ? 0 : 1;
}
