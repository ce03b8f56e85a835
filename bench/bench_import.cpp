// The Access import of a register of 100,000 and 1,000,000 rows, against
// the floor: mdb-export of the same table, the plainest way to read it.
// Both are timed in CPU seconds (this program's and its children's, so
// Quillmark's reader counts), alternating, the median ratio printed.
#include "jetfile.h"
#include "jetmigration.h"
#include "jettables.h"
#include "measure.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int rounds = 5;

QVariantList registerRow(qint64 i)
{
    return {QDate(2000, 1, 1).addDays(i % 9000), QStringLiteral("Payee %1").arg(i % 5000),
            QStringLiteral("Bank %1").arg(i % 7), QStringLiteral("%1.50").arg(i % 100000),
            QString::number(100000 + i)};
}

void fail(const QString &problem)
{
    std::fprintf(stderr, "%s\n", qPrintable(problem));
    std::exit(1);
}

// Alternates the import and mdb-export of an Access file of `rows`
// register rows; prints the median ratio and Quillmark's median time.
void measure(const QString &sample, qint64 rows, const QString &name, int alternations)
{
    QTemporaryDir dir;
    const QString access = dir.filePath(QStringLiteral("access.mdb"));
    if (QString problem = jetfile::writeTable(sample, access, QStringLiteral("ChqIssuereg"), rows,
                                              registerRow);
        !problem.isEmpty())
        fail(problem);
    QList<double> ratios, times;
    for (int round = 0; round < alternations; ++round) {
        const double floor = cpuSeconds({RUSAGE_SELF, RUSAGE_CHILDREN}, [&] {
            QProcess exporter;
            exporter.setStandardOutputFile(QProcess::nullDevice());
            exporter.start(QStringLiteral("mdb-export"), {access, QStringLiteral("ChqIssuereg")});
            exporter.waitForFinished(-1);
        });
        const QString path = dir.filePath(QStringLiteral("ql.mdb"));
        QFile::remove(path);
        QFile::copy(access, path);
        const double import = cpuSeconds({RUSAGE_SELF, RUSAGE_CHILDREN}, [&] {
            QString notice;
            if (QString problem = jet::migrateJetDatabase(path, &notice); !problem.isEmpty())
                fail(problem);
        });
        for (const QString &file : QDir(dir.path()).entryList({QStringLiteral("ql*")}))
            QFile::remove(dir.filePath(file));
        ratios << import / floor;
        times << import;
    }
    std::printf("import_%s_cpu %.3f s\n", qPrintable(name), median(times));
    std::printf("import_vs_mdb_export_%s_ratio %.2f x\n", qPrintable(name), median(ratios));
    if (rows == 100'000)
        std::printf("import_vs_mdb_export_ratio %.2f x\n", median(ratios));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    jet::useAccessReaderProgram(QStringLiteral(ACCESS_READER));
    const QString sample = QStringLiteral(JET_FIXTURES "/ql-realistic.mdb");
    measure(sample, 100'000, QStringLiteral("100k"), rounds);
    measure(sample, 1'000'000, QStringLiteral("1m"), 3);
    return 0;
}
