// Gauss-Jordan elimination with full pivoting for one right-hand side, in
// place in the normal system's fixed storage.
#include <math.h>

#include "numerics/normal_system.h"

namespace kr {

namespace {

struct Pivot {
    int row = -1;
    int column = -1;
};

// The largest element in the rows and columns not yet used as pivot
// columns; row -1 when none compares (every candidate is not a number).
Pivot FindPivot(const NormalSystem &system, const bool *pivoted)
{
    Pivot pivot;
    double largest = 0.0;
    for (int j = 0; j < system.unknowns; ++j) {
        if (pivoted[j])
            continue;
        for (int k = 0; k < system.unknowns; ++k) {
            if (!pivoted[k] && fabs(system.a[j][k]) >= largest) {
                largest = fabs(system.a[j][k]);
                pivot.row = j;
                pivot.column = k;
            }
        }
    }
    return pivot;
}

void SwapRows(NormalSystem &system, int r, int s)
{
    for (int k = 0; k < system.unknowns; ++k) {
        const double t = system.a[r][k];
        system.a[r][k] = system.a[s][k];
        system.a[s][k] = t;
    }
    const double t = system.rhs[r];
    system.rhs[r] = system.rhs[s];
    system.rhs[s] = t;
}

// Scales the pivot row to a unit pivot and clears the pivot column from
// every other row. The matrix turns into its inverse as it goes; only the
// right-hand side is wanted, so the inverse's columns are not put back in
// order afterwards.
void Eliminate(NormalSystem &system, int column)
{
    const int m = system.unknowns;
    double *const row = system.a[column];
    const double scale = 1.0 / row[column];
    row[column] = 1.0;
    for (int k = 0; k < m; ++k)
        row[k] *= scale;
    system.rhs[column] *= scale;
    for (int r = 0; r < m; ++r) {
        if (r == column)
            continue;
        const double d = system.a[r][column];
        system.a[r][column] = 0.0;
        for (int k = 0; k < m; ++k)
            system.a[r][k] -= row[k] * d;
        system.rhs[r] -= system.rhs[column] * d;
    }
}

} // namespace

bool SolveGaussJordan(NormalSystem &system)
{
    bool pivoted[kMaxUnknowns] = {};
    for (int step = 0; step < system.unknowns; ++step) {
        const Pivot pivot = FindPivot(system, pivoted);
        if (pivot.row < 0)
            return false;
        pivoted[pivot.column] = true;
        if (pivot.row != pivot.column)
            SwapRows(system, pivot.row, pivot.column);
        if (system.a[pivot.column][pivot.column] == 0.0)
            return false;
        Eliminate(system, pivot.column);
    }
    return true;
}

} // namespace kr
