#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <vector>

// What the benchmark programs share: repeated timing and their options.
namespace bench {

struct Duration {
    double minimum = 0;
    double median = 0;
};

// Runs work repeat times (at least once) and gives the fastest and the median
// run in milliseconds.
template <typename Work> Duration timeRepeated(int repeat, Work&& work) {
    std::vector<double> ms;
    for (int i = 0; i < std::max(1, repeat); ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
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
