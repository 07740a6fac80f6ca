// Area quantiles, against a fine numerical integration of the sampled
// profile and against the closed form of a Gaussian.
#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>

#include <algorithm>
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

// The index at which the running area, integrated in tiny steps over the
// samples' rectangles from lo to hi (inside the profile), first reaches
// fraction of the total *area.
double IntegratedQuantile(const std::vector<float> &y, double lo, double hi, double fraction, double *area)
{
    std::vector<double> running(1, 0.0);
    for (double p = lo + 5e-5; p < hi; p += 1e-4)
        running.push_back(running.back() + y[static_cast<size_t>(floor(p + 0.5))] * 1e-4);
    *area = running.back();
    const auto reached = std::lower_bound(running.begin(), running.end(), fraction * *area);
    return lo + 1e-4 * (reached - running.begin());
}

} // namespace

TEST(SquareQuantile, WorkedCases)
{
    struct Case {
        const char *what;
        std::vector<float> x, y;
        float from, to, fraction, position, area;
    };
    const std::vector<float> half = {10, 10.5f, 11, 11.5f}, rising = {1, 2, 3, 4};
    const Case cases[] = {
        {"triangle: sample 1 whole, sample 4 not at all", {0, 1, 2, 3, 4}, {0, 1, 2, 1, 0}, 0.5f, 3.5f, 0.5f, 2, 4},
        {"inside one sample: the bounds mixed", half, rising, 1.6f, 1.9f, 0.25f, 10 + 1.675f / 2, 0.3f * 3},
        {"clamped to the profile", {0, 1, 2, 3}, rising, -3, 9, 0.5f, 1.5f + 2.0f / 3, 10},
        {"wholly below the profile", {0, 1, 2, 3}, rising, -3, -2, 0, -0.5f, 0},
        // The running area rises to 4, falls to 0 and rises again: the
        // half-area level is met at indices 0, 1 and 2.
        {"the middle of three crossings", {0, 1, 2}, {4, -4, 4}, -0.5f, 2.5f, 0.5f, 1, 4},
        {"extrapolated from the first interval", half, rising, 0, 0.4f, -10, 8, 0.4f},
        {"extrapolated from the last interval", half, rising, 2.8f, 3.4f, 30, 10 + 20.8f / 2, 0.6f * 4},
        {"one sample: no slope", {5}, {1}, -0.5f, 0.5f, 0.9f, 5, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (const QuantileResult &r : {Square(c.x, c.y, c.from, c.to, c.fraction),
                                        Square(c.x, c.y, c.to, c.from, c.fraction)}) {
            EXPECT_NEAR(c.position, r.position, 1e-5);
            EXPECT_NEAR(c.area, r.area, 1e-5);
        }
    }
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
    }
}

TEST(SquareQuantile, BadInput)
{
    const QuantileResult empty = Square({}, {}, 0, 1, 0.5f);
    EXPECT_TRUE(empty.position == 0 && empty.area == 0);
    const QuantileResult nan = Square({5, 6}, {1, 1}, NAN, 1, 0.5f);
    EXPECT_TRUE(isnan(nan.position) && isnan(nan.area));
    SquareQuantile(nullptr, nullptr, nullptr);
}

namespace {

struct Gaussian {
    std::vector<float> x, y, weighted;
    QuantilePeak peak{};
    QuantileResult result{};

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

TEST(GaussianQuantile, WindowWidthExtentAndPosition)
{
    const double sigma = 0.3, dx = 0.05, height = 50.0;
    struct Case {
        const char *what;
        Gaussian g;
        QuantilePeak given, expected;
        double apexWeighted; // y[apex] / sqrt(pi s); -7: no window, nothing written
    };
    Case cases[] = {
        // The weighted values h / sqrt(pi s) exp(-d^2 / sigma^2) fall to
        // 0.001 at d = 0.984 for h = 50 (20 samples out), 0.907 for h = 10 (19).
        {"a Gaussian: s = 2 sigma^2 from either side", SampledGaussian(81, dx, 2.0, sigma, height), {40, 25, 55, 0.5f},
         {40, 20, 60, 0.5f}, height / sqrt(M_PI * 2 * sigma * sigma)},
        {"a flat top: the smaller half-way distance, 5 - 3",
         {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 0, 1, 4, 4, 4, 4, 4, 1, 0, 0}, std::vector<float>(22, -7)},
         {5, 1, 9, 0.5f}, {5, 1, 9, 0.5f}, 4 / sqrt(M_PI * 2)},
        {"apex at the last sample: the left side alone", SampledGaussian(41, dx, 2.0, sigma, 10), {40, 20, 40, 0.5f},
         {40, 21, 41, 0.5f}, 10 / sqrt(M_PI * 0.18)},
        {"one sample: no half-way sample off the apex", {{3}, {2}, {-7, -7}}, {0, 0, 0, 0.5f}, {0, 0, 0, 0.5f}, -7},
        {"a negative apex fits no Gaussian", SampledGaussian(21, 0.1, 1.0, 0.3, -5.0), {10, 0, 20, 0.5f},
         {10, 10, 10, 0.5f}, -7},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.what);
        c.g.peak = c.given;
        c.g.Run();
        EXPECT_NEAR(c.apexWeighted, c.g.weighted[c.g.x.size()], 1e-5 * fabs(c.apexWeighted));
        EXPECT_EQ(c.expected.left, c.g.peak.left);
        EXPECT_EQ(c.expected.right, c.g.peak.right);
        if (c.apexWeighted == -7) { // no window: the apex itself, no area
            EXPECT_EQ(c.g.x[c.given.apex], c.g.result.position);
            EXPECT_EQ(0.0f, c.g.result.area);
        }
    }

    // The Gaussian's half-area point is its apex; its area, in intensity x
    // samples, is the weighted peak's integral over the axis / dx. The
    // weighted peak is a Gaussian of variance sigma^2 / 2: its quartile lies
    // 0.67449 of that standard deviation below the centre.
    Gaussian &g = cases[0].g;
    EXPECT_NEAR(2.0, g.result.position, 1e-6);
    EXPECT_NEAR(cases[0].apexWeighted * sigma * sqrt(M_PI) / dx, g.result.area, 1e-4 * g.result.area);
    g.peak = {40, 25, 55, 0.25f};
    g.Run();
    EXPECT_NEAR(2.0 - 0.6744897501960817 * sigma / sqrt(2.0), g.result.position, 2e-3);
}

TEST(GaussianQuantile, BadInput)
{
    Gaussian outside = SampledGaussian(5, 1.0, 2.0, 1.0, 1.0);
    outside.peak = {5, 3, 4, 0.5f};
    outside.Run();
    EXPECT_TRUE(outside.result.position == 0 && outside.result.area == 0 && outside.peak.left == 3);
    EXPECT_EQ(-7.0f, outside.weighted[5]);
    const GaussianProfile none{nullptr, nullptr, nullptr, 1};
    GaussianQuantile(&none, &outside.peak, &outside.result);
    GaussianQuantile(&none, nullptr, nullptr);
}
