// Linear interpolation of sampled profiles at a position, over an irregular
// axis (ascending positions x) or a regular one (x0 + k*dx). Arithmetic in
// double precision on float positions; values are running sums (double) or
// the samples themselves (float).
#ifndef KR_NUMERICS_LINEAR_INTERPOLATION_H
#define KR_NUMERICS_LINEAR_INTERPOLATION_H

namespace kr {

// Conversion toward zero that saturates at the int range; NaN gives 0.
int TruncToInt(double value);

// start + i*step in double precision, rounded to float.
float AxisPosition(double start, double step, int i);

// sum[k] = y[0] + ... + y[k], accumulated in double precision.
void RunningSum(const float *y, int n, double *sum);

// The value at p over x[0..n-1] (n >= 1, strictly ascending), from the pair
// of samples around the nearest one: the end values outside [x[0],
// x[n-1]]. The search for the nearest sample starts from a proportional
// estimate when fresh, else from index, the sample found by the previous
// search, and leaves its result there. An index beyond either end is taken
// as that end without searching, whatever p is.
double InterpolateIrregular(const float *x, const double *v, int n, float p, int &index, bool fresh);
double InterpolateIrregular(const float *x, const float *v, int n, float p, int &index, bool fresh);

// The line through samples a and a + 1 of a regular axis, at p; a is kept
// within [0, n-2] (n >= 2).
double InterpolateRegular(double x0, double dx, const double *v, int n, int a, float p);
double InterpolateRegular(double x0, double dx, const float *v, int n, int a, float p);

} // namespace kr

#endif
