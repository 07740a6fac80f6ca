// Resampling onto regular axes through the DLL, against hand-worked cases
// and an interpolation written independently here (binary search, slope
// form).
#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "krnumerics.h"
#include "support/test_control.h"

namespace {

using Floats = std::vector<float>;

// Copies a returned block out and frees it; it must come unlocked.
Floats Release(HGLOBAL block, int count)
{
    EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
    const float *values = static_cast<const float *>(GlobalLock(block));
    Floats copy(values, values + count);
    GlobalUnlock(block);
    EXPECT_EQ(nullptr, GlobalFree(block));
    return copy;
}

Floats Values(int result, const LinearisedDataset &out)
{
    EXPECT_EQ(0, result);
    return Release(out.data, out.count);
}

// The piecewise-linear function through (x[k], v[k]), held at the ends.
double Reference(const std::vector<double> &x, const std::vector<double> &v, double p)
{
    if (p <= x.front())
        return v.front();
    if (p >= x.back())
        return v.back();
    const size_t b = std::upper_bound(x.begin(), x.end(), p) - x.begin(), a = b - 1;
    return v[a] + (v[b] - v[a]) * (p - x[a]) / (x[b] - x[a]);
}

std::vector<double> Cumulative(const Floats &y)
{
    std::vector<double> sum(y.size());
    double total = 0;
    for (size_t k = 0; k < y.size(); ++k)
        sum[k] = total += y[k];
    return sum;
}

struct Profile {
    Floats x, y, variance;
    std::vector<double> xd, yd;
};

// Near-regular positions from x0 (gaps 0.8 to 1.2), positive values; with
// onGrid, x[1] lies exactly one step of 1 after x[0].
Profile MakeProfile(int n, float x0, unsigned seed, bool onGrid = false)
{
    srand(seed);
    Profile p;
    for (int k = 0; k < n; ++k) {
        const double jitter = (k == 0 || (onGrid && k == 1)) ? 0.0 : 0.2 * (2.0 * rand() / RAND_MAX - 1.0);
        p.x.push_back(static_cast<float>(x0 + k + jitter));
        p.y.push_back(static_cast<float>(1.0 + 9.0 * rand() / RAND_MAX));
        p.variance.push_back(static_cast<float>(0.1 + rand() / double(RAND_MAX)));
    }
    p.xd.assign(p.x.begin(), p.x.end());
    p.yd.assign(p.y.begin(), p.y.end());
    return p;
}

// Every output against the reference: flux as differences of the running
// sum between output positions, or values.
void ExpectMatches(const Profile &in, const Floats &values, const Floats &out, double start, double step, bool flux,
                   bool samplesTaken = true)
{
    const std::vector<double> sum = Cumulative(values), v(values.begin(), values.end());
    const double scale = flux ? sum.back() : 1.0;
    for (size_t i = flux ? 1 : 0; i < out.size(); ++i) {
        const double p = static_cast<float>(start + double(i) * step), q = static_cast<float>(start + (i - 1.0) * step);
        // Point 0 holds y[0] wherever the axis starts.
        const double before = i == 1 ? sum[0] : Reference(in.xd, sum, q);
        double want = flux ? Reference(in.xd, sum, p) - before : Reference(in.xd, v, p);
        // A point exactly on an input position takes that sample (the PSF
        // pair only at scale 1).
        const auto on = std::find(in.xd.begin(), in.xd.end(), p);
        if (flux && samplesTaken && on != in.xd.end())
            want = values[on - in.xd.begin()];
        ASSERT_NEAR(want, out[i], 1e-6 * fabs(want) + 1e-12 * scale) << "point " << i;
    }
}

void ExpectSameBits(const Floats &a, const Floats &b)
{
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(0, memcmp(a.data(), b.data(), a.size() * sizeof(float)));
}

} // namespace

TEST(Linearise, OnTheGridEveryFunctionGivesTheInput)
{
    const Floats x = {2, 2.25f, 2.5f, 2.75f, 3, 3.25f}, y = {4, -1, 7, 0.5f, 3, 9};
    LinearisedDataset out;
    LinearisedVarianceDataset both;
    ExpectSameBits(y, Values(LineariseDataset(x.data(), y.data(), 6, 0.25f, &out), out));
    EXPECT_EQ(2.0f, out.start);
    EXPECT_EQ(0.25f, out.step);
    ExpectSameBits(y, Values(LineariseDatasetNoFluxPreserve(x.data(), y.data(), 6, 0.25f, &out), out));
    ExpectSameBits(y, Values(LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 6, 2, 3.25f, 0.25f, &out), out));
    ExpectSameBits(y, Values(LineariseRegularDataset(2, 0.25f, y.data(), 6, 0.25f, &out), out));
    ASSERT_EQ(0, LineariseDatasetPreserveVariance(x.data(), y.data(), x.data(), 6, 0.25f, &both));
    ExpectSameBits(y, Release(both.data, both.count));
    ExpectSameBits(x, Release(both.variance, both.count));
    for (auto scale : {LinScalePSF, LinScalePSFNoFluxPreserve}) {
        Floats psf = y;
        int count = 0;
        EXPECT_EQ(0, scale(2, 0.25f, psf.data(), 6, &count, 1.0f));
        EXPECT_EQ(6, count);
        ExpectSameBits(y, psf);
    }
}

TEST(Linearise, AxesAndWorkedValues)
{
    LinearisedDataset out;
    const float one = 5;
    // A single sample.
    EXPECT_EQ(Floats{5}, Values(LineariseDataset(&one, &one, 1, 0.5f, &out), out));
    EXPECT_EQ(Floats{5}, Values(LineariseDatasetNoFluxPreserve(&one, &one, 1, 0.5f, &out), out));
    EXPECT_EQ(Floats{5}, Values(LineariseDatasetRangeNoFluxPreserve(&one, &one, 1, 5, 5, 1, &out), out));
    EXPECT_EQ(Floats{5}, Values(LineariseRegularDataset(0, 1, &one, 1, 0.5f, &out), out));
    // Counts are truncated, computed in double precision: 0.5f / 0.1f is
    // just below 5.
    const Floats x = {0, 1, 2, 3.5f}, y = {1, 1, 1, 1}, tenths = {0, 0.5f};
    EXPECT_EQ(4u, Values(LineariseDataset(x.data(), y.data(), 4, 1, &out), out).size());
    EXPECT_EQ(5u, Values(LineariseDatasetNoFluxPreserve(tenths.data(), y.data(), 2, 0.1f, &out), out).size());
    // Default range: floor(x[0]) to ceil(x[n-1]), exactly 0 outside the data.
    const Floats rx = {1.5f, 2, 3.25f}, ry = {2, 4, 8};
    const Floats ranged = Values(LineariseDatasetRangeNoFluxPreserve(rx.data(), ry.data(), 3, -1, -1, 0.5f, &out), out);
    EXPECT_EQ(1.0f, out.start);
    ASSERT_EQ(7u, ranged.size());
    const float expected[] = {0, 2, 4, 5.6f, 7.2f, 0, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_NEAR(expected[i], ranged[i], 1e-6) << i;
    EXPECT_EQ(0.0f, ranged[0]);
    EXPECT_EQ(0.0f, ranged[6]);
    // Regular input at 10.4, 11.4, ...: the axis starts at 10; at 10.5 at 11.
    const Floats regular = Values(LineariseRegularDataset(10.4f, 1, y.data(), 4, 1, &out), out);
    EXPECT_EQ(10.0f, out.start);
    const float flux[] = {1, 0.6f, 1, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(flux[i], regular[i], 1e-5) << i;
    Values(LineariseRegularDataset(10.5f, 1, y.data(), 4, 1, &out), out);
    EXPECT_EQ(11.0f, out.start);
    // An output position on an input position takes that sample as it is.
    const Floats ramp = {1, 2, 3, 4, 5};
    EXPECT_EQ((Floats{1, 3, 5}), Values(LineariseRegularDataset(0, 1, ramp.data(), 5, 2, &out), out));
}

TEST(Linearise, FluxAddsUpToTheRunningSum)
{
    const Profile in = MakeProfile(400, 50.25f, 3);
    for (float step : {2.0f, 0.37f, 5.5f}) {
        LinearisedDataset out;
        const Floats flux = Values(LineariseDataset(in.x.data(), in.y.data(), 400, step, &out), out);
        double total = 0;
        for (size_t i = 1; i < flux.size(); ++i)
            total += flux[i];
        const double last = static_cast<float>(in.x[0] + (flux.size() - 1.0) * step);
        const double want = Reference(in.xd, Cumulative(in.y), last) - in.y[0];
        EXPECT_NEAR(want, total, 1e-6 * want) << step;
    }
}

TEST(Linearise, AConstantProfileAtTwiceTheSpacingGivesTwiceTheValue)
{
    const Profile in = MakeProfile(100, 7.5f, 4);
    const Floats constant(100, 3.0f);
    LinearisedDataset out;
    const Floats flux = Values(LineariseDataset(in.x.data(), constant.data(), 100, 2.0f, &out), out);
    for (size_t i = 1; i < flux.size(); ++i) // positions within 0.2 of the grid
        ASSERT_NEAR(6.0, flux[i], 1.2) << i;
}

TEST(Linearise, EveryFunctionAgreesWithTheReference)
{
    const Profile in = MakeProfile(300, 20.5f, 11);
    const int n = 300;
    for (float step : {0.3f, 1.0f, 2.7f}) {
        LinearisedDataset out;
        LinearisedVarianceDataset both;
        const Floats flux = Values(LineariseDataset(in.x.data(), in.y.data(), n, step, &out), out);
        ExpectMatches(in, in.y, flux, in.x[0], step, true);
        ExpectMatches(in, in.y, Values(LineariseDatasetNoFluxPreserve(in.x.data(), in.y.data(), n, step, &out), out),
                      in.x[0], step, false);
        ExpectMatches(in, in.y,
                      Values(LineariseDatasetRangeNoFluxPreserve(in.x.data(), in.y.data(), n, 25, 200, step, &out), out),
                      25, step, false);
        // The variance goes exactly as data of its own would.
        ASSERT_EQ(0, LineariseDatasetPreserveVariance(in.x.data(), in.y.data(), in.variance.data(), n, step, &both));
        ExpectSameBits(flux, Release(both.data, both.count));
        ExpectSameBits(Values(LineariseDataset(in.x.data(), in.variance.data(), n, step, &out), out),
                       Release(both.variance, both.count));
        // Regular input at 20.3 + 0.75 k, the reference on the same positions
        // (none of them on the output axis).
        Profile regular = in;
        for (int k = 0; k < n; ++k)
            regular.xd[k] = 20.3f + 0.75 * k;
        ExpectMatches(regular, in.y, Values(LineariseRegularDataset(20.3f, 0.75f, in.y.data(), n, step, &out), out),
                      20, step, true);
    }
}

TEST(LinScalePSF, StretchedAndShrunkAgainstTheReference)
{
    const Profile in = MakeProfile(40, 0, 5);
    for (float scale : {2.0f, 0.6f, 3.3f}) {
        Profile axis = in;
        for (int k = 0; k < 40; ++k)
            axis.xd[k] = -3.0 + 0.5 * k;
        for (bool flux : {true, false}) {
            Floats psf(150, -77.0f);
            std::copy(in.y.begin(), in.y.end(), psf.begin());
            int count = 0;
            ASSERT_EQ(0, (flux ? LinScalePSF : LinScalePSFNoFluxPreserve)(-3, 0.5f, psf.data(), 40, &count, scale));
            EXPECT_EQ(static_cast<int>(40 * double(scale)), count);
            ExpectMatches(axis, in.y, Floats(psf.begin(), psf.begin() + count), -3, 0.5 / scale, flux, false);
            for (int k = count; k < 150; ++k) // nothing written past the count
                ASSERT_EQ(k < 40 ? in.y[k] : -77.0f, psf[k]) << k;
            double total = 0;
            for (int i = 0; i < count; ++i)
                total += psf[i];
            if (flux && scale > 1) { // the stretched axis covers the whole profile
                EXPECT_NEAR(Cumulative(in.y).back(), total, 1e-5 * total);
            }
        }
    }
}
