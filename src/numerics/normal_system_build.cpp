// The normal equations of a polynomial fit from power sums: O(n m) work for
// m unknowns instead of O(n m^2), since A[j][k] depends on j + k alone.
#include "numerics/normal_system.h"

#include <math.h>

namespace kr {

namespace {

// The sum for x^(2 firstPower + p) lives in column 0 for p < m, and along
// the last row after that.
double PowerSum(const NormalSystem &system, int p)
{
    const int last = system.unknowns - 1;
    return p <= last ? system.a[p][0] : system.a[last][p - last];
}

} // namespace

void BuildNormalSystem(NormalSystem &system, int unknowns, int firstPower, const double *x, const double *y,
                       const double *w, int n)
{
    const int m = unknowns, last = unknowns - 1;
    system.unknowns = m;
    for (int j = 0; j < m; ++j) {
        system.rhs[j] = 0.0;
        for (int k = 0; k < m; ++k)
            system.a[j][k] = 0.0;
    }
    for (int i = 0; i < n; ++i) {
        const double root = w[i] > 0.0 ? sqrt(w[i]) : 0.0;
        const double e = root * root;
        // x^(j + firstPower) for the right-hand side, x^(j + 2 firstPower)
        // for the matrix, by repeated multiplication.
        double rhsPower = firstPower ? x[i] : 1.0;
        double matrixPower = firstPower ? x[i] * x[i] : 1.0;
        for (int j = 0; j < m; ++j) {
            system.rhs[j] += e * y[i] * rhsPower;
            system.a[j][0] += e * matrixPower;
            rhsPower *= x[i];
            matrixPower *= x[i];
        }
        for (int k = 1; k < m; ++k) {
            system.a[last][k] += e * matrixPower;
            matrixPower *= x[i];
        }
    }
    for (int j = 0; j < last; ++j)
        for (int k = 1; k < m; ++k)
            system.a[j][k] = PowerSum(system, j + k);
}

} // namespace kr
