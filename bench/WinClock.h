#pragma once
// The clock of the Windows benchmarks: milliseconds from the performance counter, and the median of
// a set of runs.

#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double Now() {
    static const LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

inline double Median(std::vector<double> t) {
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

}  // namespace bench
