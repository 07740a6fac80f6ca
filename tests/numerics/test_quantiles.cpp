// Area quantiles, against a fine numerical integration of the sampled
// profile and against the closed form of a Gaussian.
#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>

#include <vector>

#include "krnumerics.h"

namespace {

QuantileResult Square(const std::vector<float> &x, const std::vector<float> &y, float from, float to, float fraction)
{
    const QuantileProfile profile{x.data(), y.data(), static_cast<int>(x.size())};
    const QuantileRange range{from, to, fraction};
    QuantileResult result{-1.0f, -1.0f};
    SquareQuantile(&profile, &range, &result);
    return result;
}

// Walks the index axis in tiny steps, each sample a rectangle, and returns
// the index at which the running area first reaches fraction of the total
// between lo and hi (both inside the profile); *area gets the total.
double IntegratedQuantile(const std::vector<float> &y, double lo, double hi, double fraction, double *area)
{
    const double h = 1e-4;
    const auto height = [&](double p) { return y[static_cast<size_t>(floor(p + 0.5))]; };
    *area = 0.0;
    for (double p = lo + h / 2; p < hi; p += h)
        *area += height(p) * h;
    double sum = 0.0;
    for (double p = lo + h / 2; p < hi; p += h) {
        sum += height(p) * h;
        if (sum >= fraction * *area)
            return p;
    }
    return hi;
}

} // namespace

TEST(SquareQuantile, WorkedExampleOfATrianglePeak)
{
    const QuantileResult r = Square({0, 1, 2, 3, 4}, {0, 1, 2, 1, 0}, 0.5f, 3.5f, 0.5f);
    EXPECT_FLOAT_EQ(2.0f, r.position);
    EXPECT_FLOAT_EQ(4.0f, r.area); // sample 1 whole, sample 4 not at all
}

TEST(SquareQuantile, AgreesWithNumericalIntegrationOnRandomPositiveProfiles)
{
    srand(7);
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 3 + rand() % 10;
        std::vector<float> x(n), y(n);
        for (int i = 0; i < n; ++i) {
            x[i] = 10.0f + 0.5f * i; // axis = 10 + index / 2
            y[i] = 0.1f + static_cast<float>(rand() % 100);
        }
        const float a = -0.5f + (n - 0.01f) * (rand() % 1000) / 1000.0f;
        const float b = -0.5f + (n - 0.01f) * (rand() % 1000) / 1000.0f;
        const float f = (rand() % 1000) / 1000.0f;
        const QuantileResult r = Square(x, y, a, b, f);
        double area;
        const double index = IntegratedQuantile(y, fmin(a, b), fmax(a, b), f, &area);
        SCOPED_TRACE(trial);
        EXPECT_NEAR(area, r.area, 1e-3 * area + 1e-4);
        if (fabs(a - b) > 1e-3) {
            EXPECT_NEAR(10.0 + index / 2, r.position, 1e-3);
        }
        // The bounds may come in either order.
        const QuantileResult swapped = Square(x, y, b, a, f);
        EXPECT_EQ(r.position, swapped.position);
        EXPECT_EQ(r.area, swapped.area);
    }
}

TEST(SquareQuantile, BoundsInOneSampleMixByTheFraction)
{
    const std::vector<float> x = {10, 10.5f, 11, 11.5f}, y = {1, 2, 3, 4};
    QuantileResult r = Square(x, y, 1.6f, 1.9f, 0.25f);
    EXPECT_FLOAT_EQ(10.0f + 1.675f / 2, r.position);
    EXPECT_FLOAT_EQ(0.3f * 3, r.area);
    // Fractions far outside 0..1 extrapolate from the first and last intervals.
    EXPECT_FLOAT_EQ(10.0f - 2.0f, Square(x, y, 0.0f, 0.4f, -10.0f).position);
    EXPECT_FLOAT_EQ(10.0f + (4 + 16.8f) / 2, Square(x, y, 2.8f, 3.4f, 30.0f).position);
}

TEST(SquareQuantile, BoundsOutsideTheProfileAreClamped)
{
    const std::vector<float> x = {0, 1, 2, 3}, y = {1, 2, 3, 4};
    const QuantileResult wide = Square(x, y, -3.0f, 9.0f, 0.5f);
    const QuantileResult whole = Square(x, y, -0.5f, 3.5f, 0.5f);
    EXPECT_FLOAT_EQ(10.0f, wide.area);
    EXPECT_EQ(whole.position, wide.position);
    EXPECT_FLOAT_EQ(-0.5f, Square(x, y, -3.0f, -2.0f, 0.0f).position);
}

TEST(SquareQuantile, SeveralCrossingsGiveTheMiddleOne)
{
    // The running area rises to 4, falls to 0, rises to 4: the half-area
    // level 2 is met at indices 0, 1 and 2.
    EXPECT_FLOAT_EQ(1.0f, Square({0, 1, 2}, {4, -4, 4}, -0.5f, 2.5f, 0.5f).position);
}

TEST(SquareQuantile, BadInput)
{
    const float x[] = {5.0f, 6.0f}, y[] = {1.0f, 1.0f};
    const QuantileRange range{0, 1, 0.5f};
    QuantileProfile profile{x, y, 0};
    QuantileResult r{-1, -1};
    SquareQuantile(&profile, &range, &r);
    EXPECT_EQ(0.0f, r.position);
    profile = {x, nullptr, 2};
    SquareQuantile(&profile, &range, &r);
    EXPECT_EQ(0.0f, r.area);
    SquareQuantile(&profile, &range, nullptr);
    EXPECT_TRUE(isnan(Square({5, 6}, {1, 1}, NAN, 1.0f, 0.5f).position));
    EXPECT_FLOAT_EQ(5.0f, Square({5}, {1}, -0.5f, 0.5f, 0.9f).position); // one sample: no slope
}

namespace {

struct Gaussian {
    std::vector<float> x, y, weighted;
    QuantilePeak peak;
    QuantileResult result;

    void Run()
    {
        const GaussianProfile profile{x.data(), y.data(), weighted.data(), static_cast<int>(x.size())};
        GaussianQuantile(&profile, &peak, &result);
    }
};

// n samples of height * exp(-(x - centre)^2 / (2 sigma^2)) on x = i * dx.
Gaussian SampledGaussian(int n, double dx, double centre, double sigma, double height)
{
    Gaussian g;
    for (int i = 0; i < n; ++i) {
        const double d = i * dx - centre;
        g.x.push_back(static_cast<float>(i * dx));
        g.y.push_back(static_cast<float>(height * exp(-d * d / (2 * sigma * sigma))));
    }
    g.weighted.assign(2 * n, -7.0f);
    return g;
}

} // namespace

TEST(GaussianQuantile, SymmetricGaussianPeak)
{
    const double sigma = 0.3, dx = 0.05, height = 50.0;
    Gaussian g = SampledGaussian(81, dx, 2.0, sigma, height);
    g.peak = {40, 25, 55, 0.5f};
    g.Run();
    // The window of width s = 2 sigma^2 normalised to unit area.
    const double norm = 1.0 / sqrt(M_PI * 2 * sigma * sigma);
    EXPECT_NEAR(height * norm, g.weighted[81], 1e-5 * height * norm);
    EXPECT_NEAR(2.0, g.result.position, 1e-6);
    // The weighted peak height * norm * exp(-d^2 / sigma^2) falls to 0.001
    // at distance d*; the sweeps end on the first sample at or beyond it.
    const double reach = sigma * sqrt(log(height * norm / 0.001));
    const int beyond = static_cast<int>(ceil(reach / dx));
    EXPECT_EQ(40 - beyond, g.peak.left);
    EXPECT_EQ(40 + beyond, g.peak.right);
    // Its area in intensity x samples: the integral over the axis / dx.
    EXPECT_NEAR(height * norm * sigma * sqrt(M_PI) / dx, g.result.area, 1e-4 * g.result.area);
    // The weighted peak is a Gaussian of variance sigma^2 / 2: its quartile
    // lies 0.67449 of that standard deviation below the centre.
    g.peak.fraction = 0.25f;
    g.Run();
    EXPECT_NEAR(2.0 - 0.6744897501960817 * sigma / sqrt(2.0), g.result.position, 2e-3);
}

TEST(GaussianQuantile, FlatTopUsesTheSmallerHalfWayDistance)
{
    Gaussian g;
    g.x = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    g.y = {0, 0, 1, 4, 4, 4, 4, 4, 1, 0, 0};
    g.weighted.assign(22, 0.0f);
    g.peak = {5, 1, 9, 0.5f}; // half-way samples 3 (as high as the apex) and 8
    g.Run();
    EXPECT_NEAR(4.0 / sqrt(M_PI * 2.0), g.weighted[11], 1e-6); // s = min(8 - 5, 5 - 3)
}

TEST(GaussianQuantile, ApexAtTheLastSample)
{
    const double sigma = 0.3;
    Gaussian g = SampledGaussian(41, 0.05, 2.0, sigma, 10.0); // the peak's rising half
    g.peak = {40, 20, 40, 0.5f};
    g.Run();
    EXPECT_EQ(41, g.peak.right); // nothing stored beyond the apex
    // The left side alone gives the width 2 sigma^2.
    EXPECT_NEAR(10.0 / sqrt(M_PI * 2 * sigma * sigma), g.weighted[41], 1e-4);
    EXPECT_GT(g.result.position, 1.8f);
    EXPECT_LT(g.result.position, 2.0f);
}

TEST(GaussianQuantile, NoWidthOrBadInput)
{
    // One sample: no half-way sample off the apex, so no window.
    Gaussian single;
    single.x = {3.0f};
    single.y = {2.0f};
    single.weighted = {-7.0f, -7.0f};
    single.peak = {0, 0, 0, 0.5f};
    single.Run();
    EXPECT_EQ(3.0f, single.result.position);
    EXPECT_EQ(0.0f, single.result.area);
    EXPECT_EQ(-7.0f, single.weighted[1]);
    // A negative apex fits no Gaussian either.
    Gaussian dip = SampledGaussian(21, 0.1, 1.0, 0.3, -5.0);
    dip.peak = {10, 0, 20, 0.5f};
    dip.Run();
    EXPECT_EQ(0.0f, dip.result.area);
    EXPECT_EQ(10, dip.peak.left);
    // An apex outside the profile.
    Gaussian outside = SampledGaussian(5, 1.0, 2.0, 1.0, 1.0);
    outside.peak = {5, 0, 4, 0.5f};
    outside.Run();
    EXPECT_EQ(0.0f, outside.result.position);
    EXPECT_EQ(0, outside.peak.left);
    EXPECT_EQ(-7.0f, outside.weighted[5]);
}
