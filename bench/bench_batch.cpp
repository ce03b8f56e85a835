// A run of cheques from a file: reading and checking it, printing it as
// one job, and recording what came out. bench/run starts a CUPS spooler
// with a PDF printer as the default. Targets: 10,000 rows read and checked
// under 1 s (20 us a row), keeping under 0.5 KiB a row; 1,000 cheques to the spooler under 5 s; 1,000 register rows
// written under 100 ms.
#include "batchcheck.h"
#include "batchprint.h"
#include "batchstatements.h"
#include "database.h"
#include "idlespooler.h"
#include "previewprinter.h"
#include "registerstatements.h"
#include "statements.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>

namespace {

bool prepareData(const QTemporaryDir &folder)
{
    store::useDatabaseFile(folder.filePath(QStringLiteral("ql.mdb")));
    if (const QString problem = store::prepareDatabase(); !problem.isEmpty())
        return false;
    store::Connection connection(QStringLiteral("bench"));
    const QSqlDatabase db = connection.database();
    store::LayoutRow layout{QStringLiteral("Cms"), QStringLiteral("City Bank"),
                            {0.8, 16.5, 4, 2.5, 3, 12, 3.8, 2.5, 10, 4.8, 1, 12, 6.3, 15.2, 4}};
    bool failed = store::replaceLayout(db, layout).isValid()
                  || store::addBank(db, {"1", "City Bank", "INR"}).isValid()
                  || store::addRegisterEntry(db, {QDate(2026, 1, 2), "Ravi", "City Bank", "5.00",
                                                  "1000"}).isValid();
    for (int payee = 0; payee < 100 && !failed; ++payee)
        failed = store::replacePayee(db, QStringLiteral("vendor%1").arg(payee),
                                     QStringLiteral("Vendor Number %1 Ltd").arg(payee)).isValid();
    return !failed;
}

// Rows for 100 vendors, every other one with its number given.
QByteArray batchFile(int rows)
{
    QByteArray file("bank,payee,amount,date,number,crossed\r\n");
    for (int row = 0; row < rows; ++row)
        file += QStringLiteral("City Bank,vendor%1,%2.50,05/12/2026,%3,yes\r\n")
                    .arg(row % 100).arg(1000 + row * 7)
                    .arg(row % 2 ? QString::number(100000 + row) : QString())
                    .toUtf8();
    return file;
}

// The heap in use, in bytes.
qint64 heapInUse()
{
    return qint64(mallinfo2().uordblks);
}

// Read and checked; *bytesPerRow is what the checked rows keep on the heap
// while the window shows them (the measuring printer's bounded caches gone).
double loadAndCheckMs(const QByteArray &file, int *ready, double *bytesPerRow)
{
    const qint64 heapBefore = heapInUse();
    QElapsedTimer timer;
    timer.start();
    QList<BatchCheque> cheques = batchChequesFrom(readBatchCsv(file).rows);
    {
        PreviewPrinter measuring(QPrinterInfo::defaultPrinterName());
        if (const QString problem = checkBatch(&cheques, measuring); !problem.isEmpty())
            std::fprintf(stderr, "bench_batch: %s\n", qPrintable(problem));
    }
    const double elapsed = timer.nsecsElapsed() / 1e6;
    *bytesPerRow = double(heapInUse() - heapBefore) / cheques.size();
    *ready = int(std::count_if(cheques.begin(), cheques.end(),
                               [](const BatchCheque &c) { return c.ready(); }));
    return elapsed;
}

// From the first page's composition to the job handed to the spooler.
double printJobMs(const QList<BatchCheque> &cheques, store::JournalJob *printed)
{
    QElapsedTimer timer;
    timer.start();
    const BatchJob job = printBatch(cheques, {}, [](int) { return true; });
    const double elapsed = timer.nsecsElapsed() / 1e6;
    if (!job.problem.isEmpty() || job.printed.pages.size() != cheques.size()) {
        std::fprintf(stderr, "bench_batch: %s\n", qPrintable(job.problem));
        return -1;
    }
    *printed = job.printed;
    return elapsed;
}

// Every page into the register, one in ten voided, the journal emptied.
double recordMs(const store::JournalJob &printed)
{
    QList<bool> cameOut;
    for (qsizetype page = 0; page < printed.pages.size(); ++page)
        cameOut.append(page % 10 != 0);
    store::Connection connection(QStringLiteral("bench"));
    QElapsedTimer timer;
    timer.start();
    const QSqlError error = store::recordJob(
        connection.database(), printed, cameOut,
        {0, store::VoidAction::Void, QStringLiteral("spoiled"), QDateTime::currentDateTime(), {}});
    const double elapsed = timer.nsecsElapsed() / 1e6;
    if (error.isValid()) {
        std::fprintf(stderr, "bench_batch: %s\n", qPrintable(error.text()));
        return -1;
    }
    return elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!prepareData(folder)) {
        std::fprintf(stderr, "bench_batch: could not prepare the data file\n");
        return 1;
    }
    const QByteArray file = batchFile(10000);
    int ready = 0;
    double bytesPerRow = 0;
    const double checked = loadAndCheckMs(file, &ready, &bytesPerRow);
    if (ready != 10000) {
        std::fprintf(stderr, "bench_batch: only %d of 10000 rows ready\n", ready);
        return 1;
    }
    std::printf("batch_load_check_10000_ms %.1f ms\n", checked);
    std::printf("batch_load_check_per_row_us %.1f us\n", checked * 1000 / 10000);
    std::printf("batch_checked_memory_per_row_kib %.2f KiB\n", bytesPerRow / 1024);

    if (QPrinterInfo::defaultPrinter().isNull()) {
        std::fprintf(stderr, "bench_batch: no default printer; bench/run starts one\n");
        return 1;
    }
    QList<BatchCheque> cheques = batchChequesFrom(readBatchCsv(batchFile(1000)).rows);
    PreviewPrinter measuring(QPrinterInfo::defaultPrinterName());
    (void)checkBatch(&cheques, measuring);
    waitForIdleSpooler();
    store::JournalJob printed;
    const double job = printJobMs(cheques, &printed);
    waitForIdleSpooler();
    const double recorded = job < 0 ? -1 : recordMs(printed);
    if (recorded < 0)
        return 1;
    std::printf("batch_print_1000_to_spooler_ms %.1f ms\n", job);
    std::printf("batch_record_1000_ms %.1f ms\n", recorded);
    return 0;
}
