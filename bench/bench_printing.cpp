// How long one cheque takes from the start of its composition to its page
// handed to the spooler, on the system's default printer: bench/run starts
// a CUPS spooler with a PDF printer as the default. Target: under 100 ms.
#include "chequepage.h"
#include "database.h"
#include "idlespooler.h"
#include "statements.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int trials = 15;

bool prepareLayout(const QTemporaryDir &folder)
{
    store::useDatabaseFile(folder.filePath(QStringLiteral("ql.mdb")));
    if (const QString problem = store::prepareDatabase(); !problem.isEmpty())
        return false;
    store::Connection connection(QStringLiteral("bench"));
    store::LayoutRow layout;
    layout.bankName = QStringLiteral("City Bank");
    layout.scaleMode = QStringLiteral("Cms");
    layout.positions = {0.8, 16.5, 4, 2.5, 3, 12, 3.8, 2.5, 10, 4.8, 1, 12, 6.3, 15.2, 4};
    return !store::replaceLayout(connection.database(), layout).isValid();
}

// Milliseconds for one cheque, or a negative number when it failed.
double printOne()
{
    const ChequeItems cheque{QStringLiteral("City Bank"), QStringLiteral("Asha Menon"),
                             QStringLiteral("120050.00"),
                             QStringLiteral("Rupees One Lakh Twenty Thousand and Fifty Only"),
                             QDate(2026, 12, 5), true};
    QElapsedTimer timer;
    timer.start();
    const QString problem = printChequePage(cheque, *openPrinter());
    const double elapsed = timer.nsecsElapsed() / 1e6;
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "bench_printing: %s\n", qPrintable(problem));
        return -1;
    }
    return elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        std::fprintf(stderr, "bench_printing: no default printer; bench/run starts one\n");
        return 1;
    }
    QTemporaryDir folder;
    if (!prepareLayout(folder)) {
        std::fprintf(stderr, "bench_printing: could not prepare the data file\n");
        return 1;
    }

    // The first cheque of a run also loads the print plugin and the font.
    const double first = printOne();
    QList<double> times;
    for (int i = 0; i < trials && first >= 0; ++i) {
        waitForIdleSpooler();
        times.append(printOne());
    }
    waitForIdleSpooler();
    if (first < 0 || std::any_of(times.begin(), times.end(), [](double t) { return t < 0; }))
        return 1;

    std::sort(times.begin(), times.end());
    std::printf("print_compose_to_spooler_ms %.1f ms\n", times[trials / 2]);
    std::printf("print_compose_to_spooler_first_ms %.1f ms\n", first);
    return 0;
}
