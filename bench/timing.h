// Timing for the benchmarks: wall-clock seconds of a piece of work, and the best of
// several runs, the one least disturbed by the rest of the machine.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>

inline double Seconds(const std::function<void()>& fn)
{
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    fn();
    QueryPerformanceCounter(&end);
    return (double)(end.QuadPart - start.QuadPart) / (double)freq.QuadPart;
}

inline double Best(int nRuns, const std::function<void()>& fn)
{
    double dBest = 1e30;
    for (int i = 0; i < nRuns; ++i)
        dBest = std::min(dBest, Seconds(fn));
    return dBest;
}
