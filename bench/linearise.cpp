// Resampling a profile of n points onto a regular axis: the library's sweep,
// whose search resumes from the previous point's sample, against a fresh
// binary search per output point. The cost per point should stay flat in n
// for the library and grow with log n (and cache misses) for the searches.
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "bench_support.h"
#include "krnumerics.h"

namespace {

volatile float g_sink;

// Positions k + [0, 0.2), strictly ascending as floats up to 10^7 points.
void MakeProfile(int n, std::vector<float> &x, std::vector<float> &y)
{
    x.resize(n);
    y.resize(n);
    srand(7);
    for (int k = 0; k < n; ++k) {
        x[k] = static_cast<float>(k + (k ? 0.2 * rand() / RAND_MAX : 0.0));
        y[k] = static_cast<float>(rand() % 1000);
    }
}

// The same axis and values as the range function, each point found afresh.
void BinarySearchResample(const std::vector<float> &x, const std::vector<float> &y, float step, int count)
{
    std::vector<float> out(count);
    for (int i = 0; i < count; ++i) {
        const float p = static_cast<float>(x[0] + static_cast<double>(i) * step);
        const size_t b = std::upper_bound(x.begin(), x.end(), p) - x.begin();
        if (b == 0 || b == x.size()) {
            out[i] = b == 0 ? y.front() : y.back();
            continue;
        }
        const size_t a = b - 1;
        out[i] = static_cast<float>(y[a] + (static_cast<double>(y[b]) - y[a]) * (p - x[a]) / (x[b] - x[a]));
    }
    g_sink = out[count / 2];
}

} // namespace

void RunLinearise()
{
    const float step = 0.9f;
    printf("\nResampling n points onto a regular axis (step 0.9, about 1.1 n outputs), ns per output point\n");
    printf("%10s %14s %16s %8s\n", "n", "remembered", "binary search", "ratio");
    for (int n = 1000; n <= 10000000; n *= 10) {
        std::vector<float> x, y;
        MakeProfile(n, x, y);
        const int count = static_cast<int>((static_cast<double>(x[n - 1]) - x[0]) / step) + 1;
        // Best of a few runs: the machine may be shared. About 3 s at 10^7.
        const int runs = n >= 10000000 ? 2 : 3, repeat = std::max(1, 1000000 / n);
        const double ours = krbench::MicrosPerCall(repeat, [&](int) {
            LinearisedDataset out;
            LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), n, x[0], x[n - 1], step, &out);
            GlobalFree(out.data);
        }, runs);
        const double plain =
            krbench::MicrosPerCall(repeat, [&](int) { BinarySearchResample(x, y, step, count); }, runs);
        printf("%10d %14.2f %16.2f %8.2f\n", n, ours * 1000.0 / count, plain * 1000.0 / count, ours / plain);
    }
}
