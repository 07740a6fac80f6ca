// The weighted normal equations of a polynomial least-squares fit, in fixed
// storage: building them allocates nothing and neither does solving them.
#ifndef KR_NUMERICS_NORMAL_SYSTEM_H
#define KR_NUMERICS_NORMAL_SYSTEM_H

#include "numerics/regression_data.h"

namespace kr {

// Every order up to the highest has room for its constant term too.
constexpr int kMaxUnknowns = kMaxRegressionOrder + 1;

struct NormalSystem {
    int unknowns;
    double a[kMaxUnknowns][kMaxUnknowns];
    double rhs[kMaxUnknowns];
};

// The normal equations for the basis x^firstPower .. x^(firstPower +
// unknowns - 1) over n points (1 <= unknowns <= kMaxUnknowns, firstPower 0
// or 1). Each point counts with the square of the square root of its weight:
// weights that are not positive, or not numbers, contribute nothing. The
// matrix is filled from its 2 unknowns - 1 distinct power sums.
void BuildNormalSystem(NormalSystem &system, int unknowns, int firstPower, const double *x, const double *y,
                       const double *w, int n);

// Gauss-Jordan elimination with full pivoting (the largest remaining
// element; later ones win ties). Leaves the solution in rhs; false when a
// pivot is zero or no remaining element is a number: the system is singular.
bool SolveGaussJordan(NormalSystem &system);

} // namespace kr

#endif
