#pragma once

#include <QList>
#include <algorithm>
#include <functional>
#include <sys/resource.h>

// The CPU seconds the work took, of this program (RUSAGE_SELF), of the
// programs it waited for (RUSAGE_CHILDREN), or both added up: a figure a
// busy machine does not stretch.
inline double cpuSeconds(std::initializer_list<int> whose, const std::function<void()> &work)
{
    const auto now = [&] {
        double seconds = 0;
        for (const int who : whose) {
            rusage usage{};
            getrusage(who, &usage);
            seconds += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
                + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        }
        return seconds;
    };
    const double before = now();
    work();
    return now() - before;
}

// The middle value: the figure of alternating runs a stray one cannot move.
inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
