#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <vector>

// The median time of `runs` calls of `run`, in microseconds.
template <class Run> double medianMicroseconds(Run run, int runs = 1000) {
    std::vector<qint64> times;
    times.reserve(size_t(runs));
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        run();
        times.push_back(clock.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    return double(times[times.size() / 2]) / 1000.0;
}
