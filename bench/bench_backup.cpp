// A copy of a register of a million cheques, a tenth of them void: taking
// it (online backup and integrity check) and bringing it back.
#include "database.h"
#include "filledregister.h"
#include "restore.h"
#include "takecopy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int chequeCount = 1'000'000;

void check(const QString &what, const QString &problem)
{
    if (problem.isEmpty())
        return;
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(problem));
    std::exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ql.mdb"));
    store::useDatabaseFile(path);
    check(QStringLiteral("make the data file"), store::prepareDatabase());
    {
        store::Connection connection(QStringLiteral("bench"));
        check(QStringLiteral("fill the register"), fillRegister(connection.database(), chequeCount));
    }

    QElapsedTimer timer;
    timer.start();
    QString copy;
    check(QStringLiteral("take a copy"), backup::takeCopy(path, {}, &copy));
    const double copyMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    check(QStringLiteral("restore it"), backup::restoreCopy(copy, path));
    const double restoreMs = timer.nsecsElapsed() / 1e6;

    std::printf("backup_copy_1m_cheques_ms %.0f ms\n", copyMs);
    std::printf("backup_restore_1m_cheques_ms %.0f ms\n", restoreMs);
    std::printf("backup_file_1m_cheques %.1f MB\n", QFileInfo(copy).size() / 1e6);
    return 0;
}
