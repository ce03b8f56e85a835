// The register at a million cheques of one bank, a tenth of them void:
// the duplicate lookup, the next number, and the CSV export of them all.
#include "database.h"
#include "registercsv.h"
#include "registerstatements.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

constexpr int chequeCount = 1'000'000;
constexpr int trials = 201;
const QDate firstDay(1999, 1, 1);
const QDate lastDay(2008, 12, 31);

void check(const QString &what, const QSqlError &error)
{
    if (!error.isValid())
        return;
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(error.text()));
    std::exit(1);
}

// Numbers "0000001" on, every hundredth one with a letter, dates over ten
// years; every tenth cheque void.
void fillRegister(QSqlDatabase db)
{
    QSqlQuery query(db);
    const bool filled = query.exec(QStringLiteral(
        "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < %1) "
        "INSERT INTO ChqIssuereg SELECT date('1999-01-01', '+' || (n * 3652 / %1) || ' days'), "
        "'Payee ' || (n % 997), 'HDFC', (n % 100000) || '.00', "
        "CASE WHEN n % 100 = 0 THEN 'A' || n ELSE printf('%07d', n) END FROM c")
                                      .arg(chequeCount))
                        && query.exec(QStringLiteral(
                            "INSERT INTO ChequeVoidMarks (RegisterRow, Action, Reason, MarkedAt) "
                            "SELECT rowid, 'void', 'Lost', '2009-01-01T00:00:00' "
                            "FROM ChqIssuereg WHERE rowid % 10 = 0"));
    check(QStringLiteral("fill the register"), filled ? QSqlError() : query.lastError());
}

double medianMilliseconds(const std::function<void(int)> &step)
{
    QList<double> times;
    for (int trial = 0; trial < trials; ++trial) {
        QElapsedTimer timer;
        timer.start();
        step(trial);
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times[trials / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    store::useDatabaseFile(dir.filePath(QStringLiteral("ql.mdb")));
    if (const QString problem = store::prepareDatabase(); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    store::Connection connection(QStringLiteral("bench"));
    QSqlDatabase db = connection.database();
    fillRegister(db);

    const double lookup = medianMilliseconds([&](int trial) {
        std::optional<store::RegisterRow> cheque;
        check(QStringLiteral("find a number"),
              store::findChequeByNumber(db, QStringLiteral("HDFC"),
                                        QString::number(trial * 4973 + 1), &cheque));
    });
    std::printf("register_duplicate_lookup_ms %.3f ms\n", lookup);

    const double next = medianMilliseconds([&](int) {
        QString number;
        check(QStringLiteral("find the highest number"),
              store::findHighestChequeNumber(db, QStringLiteral("HDFC"), &number));
    });
    std::printf("register_next_number_ms %.3f ms\n", next);

    // Wall time, and the program's own CPU time, which a busy machine does
    // not stretch.
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    const CsvExport result = writeRegisterCsv(dir.filePath(QStringLiteral("register.csv")),
                                              QStringLiteral("HDFC"), firstDay, lastDay, {});
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    if (!result.written) {
        std::fprintf(stderr, "export: %s\n", qPrintable(result.problem));
        return 1;
    }
    std::printf("register_export_1m_rows_s %.2f s\n", seconds);
    std::printf("register_export_1m_rows_cpu_s %.2f s\n", cpuSeconds);
    return 0;
}
