// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <ctime>
#include <vector>

// What the benchmark programs share: repeated timing and their options.
namespace bench {

struct Duration {
    double minimum = 0;
    double median = 0;
    double cpuMedian = 0; // processor time of the process (user and system), ms
};

// Runs work repeat times (at least once) and gives the fastest and the median
// run in milliseconds.
// On a shared machine the processor time says more than the wall clock.
template <typename Work> Duration timeRepeated(int repeat, Work&& work) {
    std::vector<double> ms;
    std::vector<double> cpu;
    for (int i = 0; i < std::max(1, repeat); ++i) {
        QElapsedTimer timer;
        const std::clock_t started = std::clock();
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(double(std::clock() - started) * 1000.0 / CLOCKS_PER_SEC);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    return {ms.front(), ms[ms.size() / 2], cpu[cpu.size() / 2]};
}

// The median of single runs, field by field.
inline Duration medianOf(std::vector<Duration> runs) {
    Duration out;
    if (runs.empty())
        return out;
    auto middle = [&](double Duration::*field) {
        std::vector<double> values;
        for (const Duration& run : runs)
            values.push_back(run.*field);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    return {middle(&Duration::minimum), middle(&Duration::median), middle(&Duration::cpuMedian)};
}

// Takes "--name VALUE" out of args; true when it was there.
inline bool takeOption(QStringList& args, const QString& name, QString* value) {
    const qsizetype at = args.indexOf(name);
    if (at < 0)
        return false;
    *value = at + 1 < args.size() ? args.at(at + 1) : QString();
    args.remove(at, std::min<qsizetype>(2, args.size() - at));
    return true;
}

} // namespace bench
