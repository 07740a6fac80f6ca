// The area quantile of a peak seen through a unit-area Gaussian window
// centred on its apex, the window's width taken from the peak's own shape.
#include <float.h>
#include <math.h>
#include <stddef.h>

#include "numerics/square_quantile.h"

static_assert(sizeof(float *) != 4 || sizeof(GaussianProfile) == 16, "GaussianProfile size");
static_assert(offsetof(GaussianProfile, y) == sizeof(float *), "GaussianProfile.y");
static_assert(offsetof(GaussianProfile, weighted) == 2 * sizeof(float *), "GaussianProfile.weighted");
static_assert(offsetof(GaussianProfile, n) == 3 * sizeof(float *), "GaussianProfile.n");
static_assert(sizeof(QuantilePeak) == 16, "QuantilePeak size");
static_assert(offsetof(QuantilePeak, left) == 4, "QuantilePeak.left");
static_assert(offsetof(QuantilePeak, right) == 8, "QuantilePeak.right");
static_assert(offsetof(QuantilePeak, fraction) == 12, "QuantilePeak.fraction");

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kSmallestRatio = FLT_EPSILON; // 2^-23
constexpr double kNegligible = 0.001;

// The height of sample i against the apex's, in (0, 1] for a peak above
// the baseline; a sample below zero under a positive apex is measured from
// its own level.
double HeightRatio(double height, double apex)
{
    double a = height, b = apex;
    if (height < 0.0 && apex > 0.0) {
        a = -height;
        b = apex - height;
    }
    const double ratio = fmin(a, b) / fmax(a, b);
    return ratio < kSmallestRatio ? kSmallestRatio : ratio;
}

struct Side {
    bool usable;  // the half-way sample is inside the profile and off the apex
    double offset; // its axis distance from the apex (positive)
    double ratio;
};

Side HalfWaySide(const GaussianProfile &p, int apex, int halfWay)
{
    if (halfWay < 0 || halfWay >= p.n)
        return {false, 0.0, 0.0};
    const double offset = fabs(double(p.x[halfWay]) - p.x[apex]);
    return {offset > 0.0, offset, HeightRatio(p.y[halfWay], p.y[apex])};
}

bool FlatTop(const Side &side)
{
    return side.usable && fabs(side.ratio - 1.0) <= kSmallestRatio;
}

double SideWidth(const Side &side, bool flat)
{
    return flat ? side.offset : -side.offset * side.offset / log(side.ratio);
}

// For y = A exp(-(x - x0)^2 / s) each side gives s exactly; the narrower
// side wins. A flat top has no such shape: its smaller half-way distance
// serves instead. NaN when neither side can tell.
double WindowWidth(const Side &left, const Side &right)
{
    const bool flat = FlatTop(left) || FlatTop(right);
    if (!left.usable)
        return right.usable ? SideWidth(right, flat) : NAN;
    if (!right.usable)
        return SideWidth(left, flat);
    const double a = SideWidth(left, flat), b = SideWidth(right, flat);
    return isnan(a) || isnan(b) ? NAN : fmin(a, b);
}

// Stores weighted values from sample `from` by `step` until one is
// negligible or the profile ends; returns the last sample stored, or
// `from` when the profile ends before it.
int Sweep(const GaussianProfile &p, int apex, double width, int from, int step)
{
    const double norm = 1.0 / sqrt(kPi * width);
    float *const centred = p.weighted + (p.n - apex);
    if (from >= p.n)
        return from;
    int i = from;
    for (; i >= 0 && i < p.n; i += step) {
        const double d = double(p.x[i]) - p.x[apex];
        centred[i] = static_cast<float>(p.y[i] * exp(-d * d / width) * norm);
        if (fabs(centred[i]) <= kNegligible)
            return i;
    }
    return i - step;
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

} // namespace

void KRAPI GaussianQuantile(const GaussianProfile *profile, QuantilePeak *peak, QuantileResult *result)
{
    if (!result)
        return;
    if (!profile || !peak || !profile->x || !profile->y || !profile->weighted || profile->n < 1 ||
        peak->apex < 0 || peak->apex >= profile->n) {
        *result = {0.0f, 0.0f};
        return;
    }
    const GaussianProfile &p = *profile;
    const int apex = peak->apex;
    const int left = Clamp(peak->left, 0, apex);
    const int right = Clamp(peak->right, apex, p.n - 1);
    const double width = WindowWidth(HalfWaySide(p, apex, left + (apex - left) / 2),
                                     HalfWaySide(p, apex, apex + (right - apex) / 2 + 1));
    if (!(width > 0.0) || isinf(width)) {
        peak->left = peak->right = apex;
        *result = {p.x[apex], 0.0f};
        return;
    }
    peak->left = Sweep(p, apex, width, apex, -1);
    peak->right = Sweep(p, apex, width, apex + 1, +1);
    *result = kr::AreaQuantile(p.x, p.weighted + (p.n - apex), p.n, peak->left, peak->right, peak->fraction);
}
