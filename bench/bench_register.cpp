// The register at a million cheques of one bank, a tenth of them void:
// the duplicate lookup, the next number, and the CSV export of them all.
#include "database.h"
#include "filledregister.h"
#include "measure.h"
#include "registercsv.h"
#include "registerstatements.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

constexpr int chequeCount = 1'000'000;
constexpr int trials = 201;
const QDate firstDay(1999, 1, 1);
const QDate lastDay(2008, 12, 31);

void check(const QString &what, const QString &problem)
{
    if (problem.isEmpty())
        return;
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(problem));
    std::exit(1);
}

void check(const QString &what, const QSqlError &error)
{
    check(what, error.isValid() ? error.text() : QString());
}

constexpr int exportRounds = 5;

// The export's rows, as the plainest tool writes them.
const QString floorQuery = QStringLiteral(
    "Select coalesce(date(substr(r.DateofChq, 1, 10)), r.DateofChq), r.Payeename, r.BankName, "
    "r.PAyeeamt, r.ChequeNo, m.Reason from ChqIssuereg r left join ChequeVoidMarks m on m.Id = "
    "(select max(Id) from ChequeVoidMarks where RegisterRow = r.rowid) and m.Action = 'void' "
    "where r.BankName = 'HDFC' and r.DateofChq >= '1999-01-01' and r.DateofChq <= '2008-12-31'");

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
    check(QStringLiteral("fill the register"), fillRegister(db, chequeCount));

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

    // The export against its floor, sqlite3 -csv writing the same columns
    // and voids, alternating, in CPU time (this program's own, the floor's
    // as a child), which a busy machine does not stretch.
    QList<double> ratios, times;
    for (int round = 0; round < exportRounds; ++round) {
        const double floor = cpuSeconds({RUSAGE_CHILDREN}, [&] {
            QProcess sqlite;
            sqlite.setStandardOutputFile(dir.filePath(QStringLiteral("floor.csv")));
            sqlite.start(QStringLiteral("sqlite3"),
                         {QStringLiteral("-csv"), dir.filePath(QStringLiteral("ql.mdb")), floorQuery});
            sqlite.waitForFinished(-1);
        });
        CsvExport result;
        const double export_ = cpuSeconds({RUSAGE_SELF}, [&] {
            result = writeRegisterCsv(dir.filePath(QStringLiteral("register.csv")),
                                      QStringLiteral("HDFC"), firstDay, lastDay, {});
        });
        if (!result.written) {
            std::fprintf(stderr, "export: %s\n", qPrintable(result.problem));
            return 1;
        }
        ratios << export_ / floor;
        times << export_;
    }
    std::printf("register_export_1m_rows_cpu_s %.2f s\n", median(times));
    std::printf("export_vs_sqlite_csv_ratio %.2f x\n", median(ratios));
    return 0;
}
