// Eight clerks at eight desks print against one shared register on a
// PostgreSQL server on this machine (bench/run starts a private one), each
// 250 cheques for two banks with the next numbers, a batch of five and a
// few voids, through the recording printer (tests/printing/clerkcopy).
// Figures: cheques recorded per second in all, from the first clerk's start
// to the last one's end, and the 99th percentile from pressing Print to the
// cheque recorded. Goals: at least 200 cheques/s, and under 50 ms.
#include "database.h"
#include "registerstatements.h"
#include "statements.h"
#include "testserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>

namespace {


bool prepareBanks()
{
    store::Connection connection(QStringLiteral("bench"));
    bool failed = connection.error().isValid();
    for (const QString &bank : {QStringLiteral("City Bank"), QStringLiteral("River Bank")})
        failed = failed || store::addBank(connection.database(), {bank.left(1), bank, "INR"}).isValid()
                 || store::replaceLayout(connection.database(),
                                         {QStringLiteral("Inches"), bank,
                                          {0.5, 6, 1.5, 1.6, 1, 5, 2.7, 1, 100, 3.8, 1, 5, 2.7, 6, 1.5}})
                        .isValid();
    return !failed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // Other numbers of clerks and cheques may be given, to look closer.
    const int clerks = argc > 1 ? atoi(argv[1]) : 8;
    const int chequesEach = argc > 2 ? atoi(argv[2]) : 250;
    if (!qEnvironmentVariableIsSet("QUILLMARK_PG_HOST")) {
        std::fprintf(stderr, "bench_clerks: no server; source scripts/postgres.sh first\n");
        return 0;
    }
    const QString database = testserver::createRegisterDatabase();
    store::useServer(testserver::ownerOf(database));
    if (!prepareBanks())
        return 1;

    // 1. Eight clerks at once, each told it works on the server.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUILLMARK_TEST_ENGINE"), QStringLiteral("postgresql"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QList<QProcess *> running;
    QElapsedTimer wall;
    wall.start();
    for (int clerk = 0; clerk < clerks; ++clerk) {
        auto *process = new QProcess(&app);
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(CLERK_COPY),
                       {database, QString::number(chequesEach)});
        running << process;
    }

    // 2. What each recorded, and how long each single cheque took.
    qint64 recorded = 0;
    QList<qint64> micros;
    for (QProcess *process : std::as_const(running)) {
        process->waitForFinished(-1);
        if (process->exitCode() != 0) {
            std::fprintf(stderr, "a clerk failed: %s\n", process->readAllStandardError().constData());
            return 1;
        }
        for (const QByteArray &line : process->readAllStandardOutput().split('\n'))
            if (line.startsWith("recorded ")) {
                ++recorded;
                if (const qint64 us = line.split('|').value(3).toLongLong(); us > 0)
                    micros << us;
            }
    }
    const double seconds = wall.nsecsElapsed() / 1e9;
    testserver::dropDatabase(database);
    std::sort(micros.begin(), micros.end());
    const qint64 p99 = micros.isEmpty() ? 0 : micros[qsizetype(micros.size() * 0.99)];
    std::printf("clerks_cheques_per_second %.0f /s\n", recorded / seconds);
    std::printf("clerks_p99_print_to_recorded %.1f ms\n", p99 / 1000.0);
    return 0;
}
