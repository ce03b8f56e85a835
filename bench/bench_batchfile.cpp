// Reading the largest batch file allowed, and refusing a larger one, in
// bounded time and memory. Targets: 100,000 rows (about 6 MB) read under
// 1 s; the process's peak under 200 MB; a file of 100,001 rows refused
// under 1 s.
#include "batchcsv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

QString writeBatch(const QTemporaryDir &folder, int rows)
{
    const QString path = folder.filePath(QStringLiteral("batch%1.csv").arg(rows));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("bank,payee name,amount,date,cheque no,memo\r\n");
    for (int row = 0; row < rows; ++row)
        file.write(QStringLiteral("City Bank,Vendor Number %1 Ltd,%2.50,05/12/2026,%3,rent\r\n")
                       .arg(row % 100).arg(1000 + row * 7).arg(100000 + row).toUtf8());
    return path;
}

double readMs(const QString &path, qsizetype *rows, QString *problem)
{
    QElapsedTimer timer;
    timer.start();
    const BatchCsv batch = readBatchCsvFile(path);
    *rows = batch.rows.size();
    *problem = batch.problem;
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString largest = writeBatch(folder, maxBatchRows);
    const QString tooLarge = writeBatch(folder, maxBatchRows + 1);
    qsizetype rows = 0;
    QString problem;
    const double read = readMs(largest, &rows, &problem);
    if (rows != maxBatchRows)
        std::fprintf(stderr, "bench_batchfile: read %lld rows: %s\n", qlonglong(rows),
                     qPrintable(problem));
    std::printf("batch_file_read_100000_rows %.1f ms\n", read);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("batch_file_read_peak_memory %.1f MB\n", usage.ru_maxrss / 1024.0);
    const double refused = readMs(tooLarge, &rows, &problem);
    if (problem.isEmpty())
        std::fprintf(stderr, "bench_batchfile: a file of too many rows was read\n");
    std::printf("batch_file_refuse_100001_rows %.1f ms\n", refused);
    return 0;
}
