// Area quantiles of a sampled profile, shared by the plain and the
// Gaussian-weighted quantile.
#ifndef KR_NUMERICS_SQUARE_QUANTILE_H
#define KR_NUMERICS_SQUARE_QUANTILE_H

#include "krnumerics.h"

namespace kr {

// SquareQuantile on plain arrays (x, y non-null, n >= 1).
QuantileResult AreaQuantile(const float *x, const float *y, int n, double from, double to, double fraction);

} // namespace kr

#endif
