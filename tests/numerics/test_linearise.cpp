// Resampling onto regular axes through the DLL: worked cases, an
// interpolation written independently here (binary search, slope form),
// refused calls, failing allocations and the remembered search indices.
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

#include "krnumerics.h"
#include "support/alloc_sweep.h"

namespace {

using Floats = std::vector<float>;

// The values of a block handed over, which must come unlocked; the block freed.
Floats Take(HGLOBAL block, int count)
{
    EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
    const float *values = static_cast<const float *>(GlobalLock(block));
    const Floats copy(values, values + count);
    GlobalUnlock(block);
    EXPECT_EQ(nullptr, GlobalFree(block));
    return copy;
}

Floats Values(int result, const LinearisedDataset &out)
{
    EXPECT_EQ(0, result);
    return result == 0 ? Take(out.data, out.count) : Floats();
}

using Doubles = std::vector<double>;

// x0 + k dx, jittered by up to `jitter` from k = 2 on.
Doubles Positions(int n, double x0, double dx, double jitter = 0.0)
{
    Doubles x(n);
    for (int k = 0; k < n; ++k)
        x[k] = x0 + k * dx + (k > 1 ? jitter * sin(k * 1.7) : 0.0);
    return x;
}

Floats Rounded(const Doubles &x)
{
    return Floats(x.begin(), x.end());
}

// Each output point against the piecewise-linear function through the
// samples (or their running sums), held at the ends, at start + i step
// rounded to float: the value, or the running sum's increase since the
// previous point (point 0 is y[0]; point i on x[i], or with kAnyIndex on
// any input position, takes that sample).
enum Samples { kNoSamples, kSameIndex, kAnyIndex };

void ExpectMatches(const Doubles &x, const Floats &y, const Floats &out, double start, double step, bool flux,
                   Samples samples = kSameIndex)
{
    std::vector<double> v(y.begin(), y.end());
    if (flux)
        std::partial_sum(v.begin(), v.end(), v.begin());
    auto at = [&](double p) {
        const size_t b = std::upper_bound(x.begin(), x.end(), p) - x.begin();
        return b == 0 ? v[0] : b == x.size() ? v.back() : v[b - 1] + (v[b] - v[b - 1]) * (p - x[b - 1]) / (x[b] - x[b - 1]);
    };
    for (size_t i = flux ? 1 : 0; i < out.size(); ++i) {
        const double p = static_cast<float>(start + i * step), q = static_cast<float>(start + (i - 1.0) * step);
        const size_t k = samples == kAnyIndex ? std::find(x.begin(), x.end(), p) - x.begin() : samples ? i : x.size();
        const double want = !flux ? at(p) : k < x.size() && x[k] == p ? y[k] : at(p) - (i == 1 ? v[0] : at(q));
        ASSERT_NEAR(want, out[i], 1e-6 * fabs(want) + 1e-12 * fabs(v.back())) << "point " << i;
    }
}

} // namespace

TEST(Linearise, WorkedAxesAndValues)
{
    // On the grid every function gives the input. One sample gives one
    // point. Counts truncate in double precision: 0.5f / 0.1f is just below
    // 5. The default range runs from floor(x[0]) to ceil(x[n-1]), 0 outside
    // the data. Regular input from 10.4 starts the axis at 10, from 10.5 at 11.
    const Floats x = {2, 2.25f, 2.5f, 2.75f, 3, 3.25f}, y = {4, -1, 7, 0.5f, 3, 9}, tenths = {0, 0.5f},
                 rx = {1.5f, 2, 3.25f}, ry = {2, 4, 8};
    LinearisedDataset out;
    LinearisedVarianceDataset both;
    EXPECT_EQ(y, Values(LineariseDataset(x.data(), y.data(), 6, 0.25f, &out), out));
    EXPECT_TRUE(out.start == 2.0f && out.step == 0.25f);
    EXPECT_EQ(y, Values(LineariseDatasetNoFluxPreserve(x.data(), y.data(), 6, 0.25f, &out), out));
    EXPECT_EQ(y, Values(LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 6, 2, 3.25f, 0.25f, &out), out));
    EXPECT_EQ(y, Values(LineariseRegularDataset(2, 0.25f, y.data(), 6, 0.25f, &out), out));
    ASSERT_EQ(0, LineariseDatasetPreserveVariance(x.data(), y.data(), x.data(), 6, 0.25f, &both));
    EXPECT_TRUE(Take(both.variance, both.count) == x && Take(both.data, both.count) == y);
    for (auto scale : {LinScalePSF, LinScalePSFNoFluxPreserve}) {
        Floats psf = y;
        int count = 0;
        EXPECT_TRUE(scale(2, 0.25f, psf.data(), 6, &count, 1.0f) == 0 && count == 6 && psf == y);
    }
    EXPECT_EQ(Floats{4}, Values(LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 1, 2, 2, 1, &out), out));
    EXPECT_EQ(5u, Values(LineariseDatasetNoFluxPreserve(tenths.data(), y.data(), 2, 0.1f, &out), out).size());
    EXPECT_EQ((Floats{0, 2, 4, 5.6f, 7.2f, 0, 0}),
              Values(LineariseDatasetRangeNoFluxPreserve(rx.data(), ry.data(), 3, -1, -1, 0.5f, &out), out));
    EXPECT_EQ(1.0f, out.start);
    Values(LineariseRegularDataset(10.4f, 1, y.data(), 4, 1, &out), out);
    EXPECT_EQ(10.0f, out.start);
    Values(LineariseRegularDataset(10.5f, 1, y.data(), 4, 1, &out), out);
    EXPECT_EQ(11.0f, out.start);
}

TEST(Linearise, EveryFunctionAgreesWithTheReference)
{
    // Regular input from 20.3 starts the axis before the data, from 20.7 it
    // ends after them. Stretched (2, 3.3) and shrunk (0.6) profiles go the
    // same way, nothing written past their count, the flux of a stretched
    // one adding up to the whole.
    const Floats x = Rounded(Positions(300, 20.5, 1, 0.2)), y = Rounded(Positions(300, 5, 0, 4)),
                 variance(y.rbegin(), y.rend());
    const Doubles xd(x.begin(), x.end());
    for (float step : {0.3f, 1.0f, 2.7f}) {
        LinearisedDataset out;
        LinearisedVarianceDataset both;
        const Floats flux = Values(LineariseDataset(x.data(), y.data(), 300, step, &out), out);
        ExpectMatches(xd, y, flux, x[0], step, true);
        ExpectMatches(xd, y, Values(LineariseDatasetNoFluxPreserve(x.data(), y.data(), 300, step, &out), out), x[0],
                      step, false);
        ExpectMatches(xd, y, Values(LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 300, 25, 200, step, &out), out),
                      25, step, false);
        for (float x0 : {20.3f, 20.7f})
            ExpectMatches(Positions(300, x0, 0.75), y,
                          Values(LineariseRegularDataset(x0, 0.75f, y.data(), 300, step, &out), out), floor(x0 + 0.5),
                          step, true, kAnyIndex);
        ASSERT_EQ(0, LineariseDatasetPreserveVariance(x.data(), y.data(), variance.data(), 300, step, &both));
        EXPECT_EQ(flux, Take(both.data, both.count));
        EXPECT_EQ(Values(LineariseDataset(x.data(), variance.data(), 300, step, &out), out), Take(both.variance, both.count));
    }
    const Doubles axis = Positions(40, -3, 0.5);
    const Floats head(y.begin(), y.begin() + 40);
    for (float scale : {2.0f, 0.6f, 3.3f}) {
        for (bool flux : {true, false}) {
            Floats psf(150, -77.0f);
            std::copy(head.begin(), head.end(), psf.begin());
            int count = 0;
            ASSERT_EQ(0, (flux ? LinScalePSF : LinScalePSFNoFluxPreserve)(-3, 0.5f, psf.data(), 40, &count, scale));
            EXPECT_EQ(static_cast<int>(40 * double(scale)), count);
            ExpectMatches(axis, head, Floats(psf.begin(), psf.begin() + count), -3, 0.5 / scale, flux, kNoSamples);
            EXPECT_EQ(Floats(150 - std::max(count, 40), -77.0f), Floats(psf.begin() + std::max(count, 40), psf.end()));
            const double total = std::accumulate(psf.begin(), psf.begin() + count, 0.0);
            EXPECT_TRUE(!flux || scale < 1 || fabs(total - std::accumulate(head.begin(), head.end(), 0.0)) < 1e-3);
        }
    }
}

namespace {

// What a call can write: a record, or the PSF buffer and its count.
struct Outputs {
    LinearisedDataset one{};
    LinearisedVarianceDataset both{};
    Floats psf = Floats(4500, 3.0f);
    int count = -5;
};
using Call = std::function<int(Outputs &)>;

// After -1: the records zero (as they start), the PSF buffer as it was.
void ExpectRefused(const Outputs &o, int count)
{
    const Outputs zero;
    EXPECT_EQ(0, memcmp(&o.one, &zero.one, sizeof o.one));
    EXPECT_EQ(0, memcmp(&o.both, &zero.both, sizeof o.both));
    EXPECT_TRUE(o.count == count && o.psf == zero.psf);
}

} // namespace

TEST(Linearise, RefusesCallsOutsideTheDomainBeforeTakingMemory)
{
    static const Floats x = {0, 1, 2, 3}, down = {0, 2, 1, 3}, endless = {0, 1, 2, INFINITY};
    auto flux = [](const Floats &px, int n, float step) -> Call {
        return [=, &px](Outputs &o) { return LineariseDataset(px.data(), x.data(), n, step, &o.one); };
    };
    auto psf = [](float dx, int n, float scale) -> Call {
        return [=](Outputs &o) { return LinScalePSF(0, dx, o.psf.data(), n, &o.count, scale); };
    };
    const std::pair<const char *, Call> cases[] = {
        {"n 0", flux(x, 0, 1)}, {"x not ascending", flux(down, 4, 1)}, {"x infinite", flux(endless, 4, 1)},
        {"step NaN", flux(x, 4, NAN)}, {"count beyond int", flux(x, 4, 1e-30f)},
        {"x null", [](Outputs &o) { return LineariseDatasetNoFluxPreserve(nullptr, x.data(), 4, 1, &o.one); }},
        {"no variance", [](Outputs &o) { return LineariseDatasetPreserveVariance(x.data(), x.data(), 0, 4, 1, &o.both); }},
        {"regular x0 infinite", [](Outputs &o) { return LineariseRegularDataset(INFINITY, 1, x.data(), 4, 1, &o.one); }},
        {"range backwards",
         [](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(x.data(), x.data(), 4, 3, 0, 1, &o.one); }},
        {"no record", [](Outputs &) { return LineariseDataset(x.data(), x.data(), 4, 1, nullptr); }},
        {"no count", [](Outputs &o) { return LinScalePSFNoFluxPreserve(0, 1, o.psf.data(), 4, nullptr, 2); }},
        {"psf scale NaN", psf(1, 4, NAN)}, {"psf count 0", psf(1, 4, 0.2f)}, {"psf dx negative", psf(-1, 4, 2)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        Outputs o;
        EXPECT_EQ(0, krtest::CountAllocations([&] { EXPECT_EQ(-1, c.second(o)); }));
        ExpectRefused(o, strncmp(c.first, "psf", 3) ? -5 : 0);
    }
}

TEST(Linearise, EachFailedAllocationFreesEverythingAndWritesNothing)
{
    // The fallible calls: output blocks, running-sum temporaries and locks.
    // Blocks are over 8 KB; Wine's bookkeeping of movable blocks may grow by
    // a few hundred bytes.
    const Floats x = Rounded(Positions(3000, 0, 0.5)), y = Rounded(Positions(3000, 5, 0, 4));
    const float *px = x.data(), *py = y.data();
    const std::pair<long, Call> cases[] = {
        {3, [=](Outputs &o) { return LineariseDataset(px, py, 3000, 0.7f, &o.one); }},
        {6, [=](Outputs &o) { return LineariseDatasetPreserveVariance(px, py, py, 3000, 0.7f, &o.both); }},
        {3, [=](Outputs &o) { return LineariseRegularDataset(0, 0.5f, py, 3000, 0.7f, &o.one); }},
        {2, [=](Outputs &o) { return LineariseDatasetNoFluxPreserve(px, py, 3000, 0.7f, &o.one); }},
        {2, [=](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(px, py, 3000, -1, -1, 0.7f, &o.one); }},
        {3, [](Outputs &o) { return LinScalePSF(0, 0.5f, o.psf.data(), 3000, &o.count, 1.5f); }},
        {2, [](Outputs &o) { return LinScalePSFNoFluxPreserve(0, 0.5f, o.psf.data(), 3000, &o.count, 1.5f); }},
    };
    for (const auto &c : cases) {
        Outputs o;
        int result = 0;
        size_t before = 0, after = 0;
        auto call = [&] {
            o = Outputs();
            before = krtest::BusyHeapBytes();
            result = c.second(o);
            after = krtest::BusyHeapBytes();
        };
        auto check = [&](long, bool failed) {
            EXPECT_EQ(failed ? -1 : 0, result);
            if (failed) {
                EXPECT_NEAR(double(before), double(after), 4096.0);
                ExpectRefused(o, o.count == -5 ? -5 : 4500);
            } else if (o.both.data) {
                Take(o.both.variance, o.both.count);
                Take(o.both.data, o.both.count);
            } else if (o.one.data) {
                Take(o.one.data, o.one.count);
            }
        };
        EXPECT_EQ(c.first, krtest::SweepAllocations(call, check)) << &c - cases;
    }
}

TEST(Linearise, AStaleIndexDecidesTheFirstPairOfACallWithoutAFreshEstimate)
{
    // The range's point 0 lies before x[0]: no fresh estimate in the call.
    // After a search near sample 499, point 1 is taken on the last pair,
    // extrapolated; point 2 searches down from there. Running sums: the
    // variance function asks afresh only at point 1, here on x[1]: there the
    // variance, searched first, takes the stale index; the data do not.
    const Floats x = {0.5f, 1, 2, 3}, y = {1, 2, 3, 10}, longer = Rounded(Positions(500, 0, 1, 0.2));
    const Floats x2 = {0, 1, 2.5f, 2.8f, 3}, ones(5, 1.0f), fresh = {1, 1, 2 / 3.0f, 7 / 3.0f}, stale = {1, 1, -2, 5};
    LinearisedDataset out;
    LinearisedVarianceDataset both;
    auto range = [&] { return Values(LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 4, -1, -1, 1, &out), out); };
    Values(LineariseDatasetNoFluxPreserve(x.data(), y.data(), 4, 1, &out), out);
    EXPECT_EQ((Floats{0, 2, 3, 10}), range());
    Values(LineariseDatasetNoFluxPreserve(longer.data(), longer.data(), 500, 1.5f, &out), out);
    EXPECT_EQ((Floats{0, -4, 3, 10}), range());
    Values(LineariseDataset(longer.data(), longer.data(), 500, 1.5f, &out), out);
    ASSERT_EQ(0, LineariseDatasetPreserveVariance(x2.data(), ones.data(), ones.data(), 5, 1, &both));
    const Floats variance = Take(both.variance, 4), data = Take(both.data, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(fresh[i], data[i], 1e-6) << i;
        EXPECT_NEAR(stale[i], variance[i], 1e-5) << i;
    }
}
