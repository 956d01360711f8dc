#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <limits>

// The shortest of runs timings of work, in milliseconds.
template <class F> double bestMilliseconds(int runs, F work) {
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}
