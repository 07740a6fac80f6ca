#include "numerics/linear_interpolation.h"

#include <limits.h>
#include <math.h>

namespace kr {
namespace {

// The sample nearest to p; on equal distance the one the walk reached
// first. The walk down stops at the last sample not above p, the walk up at
// the first not below it.
int NearestSample(const float *x, int n, float p, int start)
{
    int i = start;
    if (i < 0)
        return 0;
    if (i > n - 1)
        return n - 1;
    if (p < x[i]) {
        while (i > 0 && p < x[i])
            --i;
        if (i < n - 1 && fabs(static_cast<double>(x[i]) - p) > fabs(static_cast<double>(x[i + 1]) - p))
            ++i;
    } else {
        while (i < n - 1 && p > x[i])
            ++i;
        if (i > 0 && fabs(static_cast<double>(x[i]) - p) > fabs(static_cast<double>(x[i - 1]) - p))
            --i;
    }
    return i;
}

// Where p lies proportionally within [x[0], x[n-1]], as an index.
int EstimateIndex(const float *x, int n, float p)
{
    const double span = static_cast<double>(x[n - 1]) - x[0];
    return TruncToInt((static_cast<double>(p) - x[0]) * n / span + 0.5);
}

template <typename Value>
double Irregular(const float *x, const Value *v, int n, float p, int &index, bool fresh)
{
    const int i = NearestSample(x, n, p, fresh ? EstimateIndex(x, n, p) : index);
    index = i;
    int a;
    if (p <= x[i]) {
        if (i == 0)
            return v[0];
        a = i - 1;
    } else {
        if (i == n - 1)
            return v[n - 1];
        a = i;
    }
    const int b = a + 1;
    const double xa = x[a], xb = x[b];
    return ((xa - p) * v[b] + (p - xb) * v[a]) / (xa - xb);
}

template <typename Value>
double Regular(double x0, double dx, const Value *v, int n, int a, float p)
{
    if (a > n - 2)
        a = n - 2;
    if (a < 0)
        a = 0;
    const int b = a + 1;
    const double xa = a * dx + x0, xb = b * dx + x0;
    return ((p - xb) * v[a] + (xa - p) * v[b]) / (xa - xb);
}

} // namespace

int TruncToInt(double value)
{
    if (!(value > INT_MIN)) // NaN too
        return value < 0 ? INT_MIN : 0;
    if (value >= INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

float AxisPosition(double start, double step, int i)
{
    return static_cast<float>(start + i * step);
}

void RunningSum(const float *y, int n, double *sum)
{
    double total = 0.0;
    for (int k = 0; k < n; ++k) {
        total += y[k];
        sum[k] = total;
    }
}

double InterpolateIrregular(const float *x, const double *v, int n, float p, int &index, bool fresh)
{
    return Irregular(x, v, n, p, index, fresh);
}

double InterpolateIrregular(const float *x, const float *v, int n, float p, int &index, bool fresh)
{
    return Irregular(x, v, n, p, index, fresh);
}

double InterpolateRegular(double x0, double dx, const double *v, int n, int a, float p)
{
    return Regular(x0, dx, v, n, a, p);
}

double InterpolateRegular(double x0, double dx, const float *v, int n, int a, float p)
{
    return Regular(x0, dx, v, n, a, p);
}

} // namespace kr
