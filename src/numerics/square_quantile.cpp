// The position at which a profile's cumulative area between two fractional
// sample indices reaches a fraction of the total; sample i is a rectangle
// covering [i - 0.5, i + 0.5).
#include "numerics/square_quantile.h"

#include <math.h>
#include <stddef.h>

static_assert(sizeof(float *) != 4 || sizeof(QuantileProfile) == 12, "QuantileProfile size");
static_assert(offsetof(QuantileProfile, y) == sizeof(float *), "QuantileProfile.y");
static_assert(offsetof(QuantileProfile, n) == 2 * sizeof(float *), "QuantileProfile.n");
static_assert(sizeof(QuantileRange) == 12, "QuantileRange size");
static_assert(offsetof(QuantileRange, to) == 4, "QuantileRange.to");
static_assert(offsetof(QuantileRange, fraction) == 8, "QuantileRange.fraction");
static_assert(sizeof(QuantileResult) == 8, "QuantileResult size");
static_assert(offsetof(QuantileResult, area) == 4, "QuantileResult.area");

namespace {

// Linear interpolation of the axis at fractional index p, extrapolating
// from the first interval below index 1 and from the last one at the end.
double IndexToAxis(const float *x, int n, double p)
{
    if (isnan(p))
        return p;
    if (n == 1)
        return x[0];
    const int k = p < 1.0 ? 0 : p >= n - 1 ? n - 1 : static_cast<int>(p);
    const double step = k == n - 1 ? double(x[k]) - x[k - 1] : double(x[k + 1]) - x[k];
    return x[k] + step * (p - k);
}

// The sample of a bound, the bound clamped to the profile when the sample
// lies outside it. Tested before truncating, so that infinite bounds are
// safe; -0.9 still rounds to sample 0 and keeps its value.
int SampleOf(double *bound, int n)
{
    const double shifted = *bound + 0.5;
    if (shifted <= -1.0) {
        *bound = -0.5;
        return 0;
    }
    if (shifted >= n) {
        *bound = n - 0.5;
        return n - 1;
    }
    return static_cast<int>(shifted);
}

// The pieces between the bounds: the part of the first sample from lo, the
// whole samples between, the part of the last sample up to hi.
struct Pieces {
    const float *y;
    double lo, hi;
    int first, last;

    int Count() const { return last - first + 1; }
    double Area(int k) const
    {
        if (k == 0)
            return (first + 0.5 - lo) * y[first];
        if (k == Count() - 1)
            return (hi - last + 0.5) * y[last];
        return y[first + k];
    }
    double RightEdge(int k) const { return k == Count() - 1 ? hi : first + k + 0.5; }
};

double Total(const Pieces &pieces)
{
    double sum = 0.0;
    for (int k = 0; k < pieces.Count(); ++k)
        sum += pieces.Area(k);
    return sum;
}

// Sign changes of the cumulative area minus the target.
int CountCrossings(const Pieces &pieces, double target, double previous)
{
    int count = 0;
    double sum = 0.0;
    for (int k = 0; k < pieces.Count(); ++k) {
        sum += pieces.Area(k);
        const double d = sum - target;
        if (d == 0.0)
            continue;
        if (d * previous < 0.0)
            ++count;
        previous = d;
    }
    return count;
}

// The fractional index of crossing number wanted, where the straight line
// between the differences at the crossing piece's edges meets zero; false
// when there are fewer crossings. A piece that ends exactly on the target
// moves neither the left edge nor the previous difference.
bool LocateCrossing(const Pieces &pieces, double target, int wanted, double *index)
{
    int count = 0;
    double sum = 0.0, previous = -target, left = pieces.lo;
    for (int k = 0; k < pieces.Count(); ++k) {
        sum += pieces.Area(k);
        const double d = sum - target;
        const double right = pieces.RightEdge(k);
        if (d == 0.0)
            continue;
        if (d * previous < 0.0 && ++count == wanted) {
            *index = (left * d - previous * right) / (d - previous);
            return true;
        }
        previous = d;
        left = right;
    }
    return false;
}

} // namespace

namespace kr {

QuantileResult AreaQuantile(const float *x, const float *y, int n, double from, double to, double fraction)
{
    if (isnan(from) || isnan(to))
        return {NAN, NAN};
    Pieces pieces{y, fmin(from, to), fmax(from, to), 0, 0};
    pieces.first = SampleOf(&pieces.lo, n);
    pieces.last = SampleOf(&pieces.hi, n);
    double index = (1.0 - fraction) * pieces.lo + fraction * pieces.hi;
    if (pieces.first == pieces.last) {
        const double area = (pieces.hi - pieces.lo) * y[pieces.first];
        return {static_cast<float>(IndexToAxis(x, n, index)), static_cast<float>(area)};
    }
    const double area = Total(pieces);
    const double target = area * fraction;
    const int crossings = CountCrossings(pieces, target, area > 0.0 ? -1.0 : 1.0);
    if (crossings > 0)
        LocateCrossing(pieces, target, (crossings + 1) / 2, &index);
    return {static_cast<float>(IndexToAxis(x, n, index)), static_cast<float>(area)};
}

} // namespace kr

void KRAPI SquareQuantile(const QuantileProfile *profile, const QuantileRange *range, QuantileResult *result)
{
    if (!result)
        return;
    if (!profile || !range || !profile->x || !profile->y || profile->n < 1) {
        *result = {0.0f, 0.0f};
        return;
    }
    *result = kr::AreaQuantile(profile->x, profile->y, profile->n, range->from, range->to, range->fraction);
}
