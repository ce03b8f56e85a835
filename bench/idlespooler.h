#pragma once

#include <QProcess>
#include <QThread>

// Waits, at most two minutes, until the spooler has no job left, so that its
// work on earlier jobs stays out of the next timing.
inline void waitForIdleSpooler()
{
    for (int i = 0; i < 1200; ++i) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
        lpstat.waitForFinished();
        if (lpstat.readAllStandardOutput().isEmpty())
            return;
        QThread::msleep(100);
    }
}
