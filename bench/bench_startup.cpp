// Start-up: time from the process start to the splash on screen, and the
// program's peak memory with the main menu open. The program is run as a
// child process so its start is measured whole; the child takes the same
// steps as the program's main().

#include "appearance.h"
#include "database.h"
#include "frmSplash.h"
#include "startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>

namespace {

long peakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

int runChild(int argc, char *argv[], const QString &dataFile)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    applyClassicAppearance();
    store::useDatabaseFile(dataFile);
    if (!prepareDataFile())
        return 1;
    registerWorkingWindows();
    frmSplash splash;
    splash.show();
    while (!splash.windowHandle() || !splash.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("shown\n");
    std::fflush(stdout);

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("frmMain") && window->isVisible()) {
                std::printf("rss %ld\n", peakResidentKilobytes());
                std::fflush(stdout);
                window->findChild<QPushButton *>(QStringLiteral("cmdExit"))->click();
            }
        }
    });
    poll.start(50);
    return QApplication::exec();
}

struct Run {
    double splashMs = 0;
    long peakKilobytes = 0;
};

Run runOnce(const QString &program, const QString &dataFile)
{
    Run run;
    QProcess child;
    QElapsedTimer clock;
    clock.start();
    child.start(program, {QStringLiteral("--child"), dataFile});
    while (child.waitForReadyRead(10000)) {
        while (child.canReadLine()) {
            const QByteArray line = child.readLine().trimmed();
            if (line == "shown")
                run.splashMs = clock.nsecsElapsed() / 1e6;
            else if (line.startsWith("rss "))
                run.peakKilobytes = line.mid(4).toLong();
        }
    }
    child.waitForFinished();
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return runChild(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dataFile = dir.filePath(QStringLiteral("ql.mdb"));
    QList<double> splashTimes;
    long peak = 0;
    for (int i = 0; i < 5; ++i) {
        const Run run = runOnce(QCoreApplication::applicationFilePath(), dataFile);
        splashTimes << run.splashMs;
        peak = std::max(peak, run.peakKilobytes);
    }
    std::sort(splashTimes.begin(), splashTimes.end());
    std::printf("startup_to_splash_ms %.1f ms\n", splashTimes[splashTimes.size() / 2]);
    std::printf("startup_peak_rss_menu_open %.1f MB\n", peak / 1024.0);
    return 0;
}
