// CCalCovar::GetVariance over the masses of one spectrum: the 128-point
// spline table against evaluating the covariance matrix directly.
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "bench_support.h"
#include "krnumerics.h"

namespace {

volatile double g_sink;

// A positive definite covariance of the given order, smaller for higher
// coefficients, as a calibration's are.
std::vector<double> Covariance(int order)
{
    std::vector<double> packed;
    for (int i = 0; i <= order; ++i)
        for (int j = 0; j <= i; ++j)
            packed.push_back((i == j ? 1.0 : 0.1) * 1e-6 / ((i + 1.0) * (j + 1.0)));
    return packed;
}

} // namespace

void RunCalCovar()
{
    const int count = 1000000;
    std::vector<double> masses(count);
    srand(42);
    for (double &mass : masses)
        mass = 100.0 + 1900.0 * (rand() / double(RAND_MAX));
    printf("\nCCalCovar::GetVariance over %d masses in 100..2000, table against direct evaluation\n", count);
    printf("%-30s %14s %14s %8s\n", "model", "table ns/mass", "direct ns/mass", "ratio");
    for (bool rootMass : {false, true}) {
        for (int order = 1; order <= 5; ++order) {
            const std::vector<double> packed = Covariance(order);
            CCalCovar table(rootMass, packed.data(), order, 1.0), direct(rootMass, packed.data(), order, 1.0);
            table.MakeLookupTable(100.0, 2000.0);
            const double tableNs =
                krbench::MicrosPerCall(count, [&](int i) { g_sink = table.GetVariance(masses[i]); }, 3) * 1000.0;
            const double directNs =
                krbench::MicrosPerCall(count, [&](int i) { g_sink = direct.GetVariance(masses[i]); }, 3) * 1000.0;
            printf("order %d, %-22s %14.2f %14.2f %8.2f\n", order, rootMass ? "root-mass mode" : "direct mode",
                   tableNs, directNs, tableNs / directNs);
        }
    }
}
