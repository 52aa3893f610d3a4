#pragma once

#include <QList>
#include <algorithm>
#include <cstdio>

// Prints the median, the least and the greatest of the delays in milliseconds after a label
// of the figures' column width, with `decimals` places; false, and "no <what> seen", when
// there were none.
inline bool printDelaySpread(QList<double> delaysMs, const char* label, int decimals,
                             const char* what) {
    if (delaysMs.isEmpty()) {
        std::printf("no %s seen\n", what);
        return false;
    }
    std::sort(delaysMs.begin(), delaysMs.end());
    std::printf("%-29s%8.*f ms median, %.*f ms min, %.*f ms max\n", label, decimals,
                delaysMs.at(delaysMs.size() / 2), decimals, delaysMs.first(), decimals,
                delaysMs.last());
    return true;
}
