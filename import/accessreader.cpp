// quillmark-accessreader: reads tables of an Access file for Quillmark, in a
// process of its own, so that a damaged file that makes the library loop or
// crash cannot take the program with it.
//
// Standard input: the file's path and the tables (QDataStream). Standard
// output: records, each a QDataStream-framed byte array: progress records
// (table, rows read) and, last, the result (what failed, the rows).

#include "readtables.h"

#include <QByteArray>
#include <QFile>
#include <fcntl.h>
#include <unistd.h>

namespace {

enum Record : quint8 { Progress = 1, Result = 2 };

template <typename... Values>
void send(QFile &out, Record kind, const Values &...values)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream << quint8(kind);
    (stream << ... << values);
    QDataStream framed(&out);
    framed << payload;
    out.flush();
}

} // namespace

int main()
{
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

    jet::JetTableRows rows;
    const QString problem = jet::readJetTables(path, tables, &rows, [&](int table, qint64 count) {
        send(out, Progress, qint32(table), count);
    });
    send(out, Result, problem, rows);
    return out.error() == QFile::NoError ? 0 : 1;
}
