// Timing for the benchmarks: best of several runs, and one line per
// comparison of the library against the plain alternative on the same work.
#ifndef KRBENCH_SUPPORT_H
#define KRBENCH_SUPPORT_H

#include <windows.h>

#include <stdio.h>

#include <functional>

namespace krbench {

inline double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

// Best of `runs` runs of `calls` calls, in microseconds per call.
inline double MicrosPerCall(int calls, const std::function<void(int)> &call, int runs = 5)
{
    double best = 1e30;
    for (int run = 0; run < runs; ++run) {
        const double start = Now();
        for (int i = 0; i < calls; ++i)
            call(i);
        const double elapsed = Now() - start;
        if (elapsed < best)
            best = elapsed;
    }
    return best * 1e6 / calls;
}

inline void PrintHeader(const char *title)
{
    printf("\n%s\n%-52s %13s %13s %8s\n", title, "operation", "library", "plain", "ratio");
}

// KESTRUNE.INI in the benchmarks' working directory.
const char *IniPath();

inline void Compare(const char *what, int calls, const std::function<void(int)> &ours,
                    const std::function<void(int)> &plain, int runs = 5)
{
    const double a = MicrosPerCall(calls, ours, runs);
    const double b = MicrosPerCall(calls, plain, runs);
    printf("%-52s %10.3f us %10.3f us %8.2f\n", what, a, b, a / b);
}

} // namespace krbench

#endif
