#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>

namespace bench {

using Benchmark = std::function<void()>;

// Benchmarks register themselves by name at start-up.
std::map<std::string, Benchmark>& registry();

struct Register {
    Register(const char* name, Benchmark run) { registry()[name] = std::move(run); }
};

// The best of `repeats` timings of `work`, in milliseconds.
inline double bestMs(int repeats, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// Times the work and its baseline alternately, `repeats` times each, and keeps the best of
// each, so that a slow spell of the machine does not fall on one side only.
struct Pair {
    double ms;
    double baselineMs;
};
inline Pair compare(int repeats, const std::function<void()>& work,
                    const std::function<void()>& baseline) {
    Pair best{1e300, 1e300};
    for (int i = 0; i < repeats; ++i) {
        best.baselineMs = std::min(best.baselineMs, bestMs(1, baseline));
        best.ms = std::min(best.ms, bestMs(1, work));
    }
    return best;
}

inline void report(const char* name, double ms, double baselineMs) {
    std::printf("%s ratio=%.3f ms=%.1f baseline_ms=%.1f\n", name, ms / baselineMs, ms, baselineMs);
    std::fflush(stdout);
}

// Resident memory figures of the process in kB from /proc/self/status ("VmRSS:", "VmHWM:").
inline long statusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(std::strlen(key))).trimmed().split(' ')[0].toLong();
    return -1;
}

// Lets the kernel start the peak (VmHWM) over from the current size.
inline void resetPeak() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly)) refs.write("5");
}

// A folder for the files a benchmark writes, removed at exit.
QString scratchFolder();

} // namespace bench
