// Resampling onto regular axes through the DLL: hand-worked cases, an
// interpolation written independently here (binary search, slope form),
// refused arguments, failing allocations and the remembered search indices.
#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "krnumerics.h"
#include "support/test_control.h"

namespace {

using Floats = std::vector<float>;
using Doubles = std::vector<double>;
const float kNaN = NAN, kInf = INFINITY;

// The values of a returned block, which must come unlocked; the block freed.
Floats Take(HGLOBAL block, int count)
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
    return result == 0 ? Take(out.data, out.count) : Floats();
}

// The piecewise-linear function through (x[k], v[k]), held at the ends.
double Reference(const Doubles &x, const Doubles &v, double p)
{
    if (p <= x.front() || p >= x.back())
        return p <= x.front() ? v.front() : v.back();
    const size_t b = std::upper_bound(x.begin(), x.end(), p) - x.begin(), a = b - 1;
    return v[a] + (v[b] - v[a]) * (p - x[a]) / (x[b] - x[a]);
}

Doubles Cumulative(const Floats &y)
{
    Doubles sum;
    for (float v : y)
        sum.push_back((sum.empty() ? 0.0 : sum.back()) + v);
    return sum;
}

// Positions x0 + k + [-0.2, 0.2] (x[1] exactly x0 + 1 when onGrid), values 1 to 10.
struct Profile {
    Floats x, y, variance;
    Doubles xd;
    Profile(int n, float x0, unsigned seed, bool onGrid = false)
    {
        srand(seed);
        for (int k = 0; k < n; ++k) {
            const double jitter = k == 0 || (onGrid && k == 1) ? 0.0 : 0.2 * (2.0 * rand() / RAND_MAX - 1.0);
            x.push_back(static_cast<float>(x0 + k + jitter));
            y.push_back(static_cast<float>(1.0 + 9.0 * rand() / RAND_MAX));
            variance.push_back(static_cast<float>(0.1 + rand() / double(RAND_MAX)));
        }
        xd.assign(x.begin(), x.end());
    }
};

// Every output point against the reference at start + i*step: the running
// sum's increase since the previous point (point 0 holds y[0]; a point on
// an input position takes that sample, unless noSamples), or the value.
void ExpectMatches(const Doubles &xd, const Floats &y, const Floats &out, double start, double step, bool flux,
                   bool noSamples = false)
{
    const Doubles sum = Cumulative(y), v(y.begin(), y.end());
    for (size_t i = flux ? 1 : 0; i < out.size(); ++i) {
        const double p = static_cast<float>(start + i * step), q = static_cast<float>(start + (i - 1.0) * step);
        double want = flux ? Reference(xd, sum, p) - (i == 1 ? sum[0] : Reference(xd, sum, q)) : Reference(xd, v, p);
        const auto on = std::find(xd.begin(), xd.end(), p);
        if (flux && !noSamples && on != xd.end())
            want = y[on - xd.begin()];
        ASSERT_NEAR(want, out[i], 1e-6 * fabs(want) + 1e-12 * sum.back()) << "point " << i;
    }
}

} // namespace

TEST(Linearise, OnTheGridEveryFunctionGivesTheInput)
{
    const Floats x = {2, 2.25f, 2.5f, 2.75f, 3, 3.25f}, y = {4, -1, 7, 0.5f, 3, 9};
    LinearisedDataset out;
    EXPECT_EQ(y, Values(LineariseDataset(x.data(), y.data(), 6, 0.25f, &out), out));
    EXPECT_EQ(2.0f, out.start);
    EXPECT_EQ(0.25f, out.step);
    EXPECT_EQ(y, Values(LineariseDatasetNoFluxPreserve(x.data(), y.data(), 6, 0.25f, &out), out));
    EXPECT_EQ(y, Values(LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 6, 2, 3.25f, 0.25f, &out), out));
    EXPECT_EQ(y, Values(LineariseRegularDataset(2, 0.25f, y.data(), 6, 0.25f, &out), out));
    LinearisedVarianceDataset both;
    ASSERT_EQ(0, LineariseDatasetPreserveVariance(x.data(), y.data(), x.data(), 6, 0.25f, &both));
    EXPECT_EQ(x, Take(both.variance, both.count));
    EXPECT_EQ(y, Take(both.data, both.count));
    for (auto scale : {LinScalePSF, LinScalePSFNoFluxPreserve}) {
        Floats psf = y;
        int count = 0;
        EXPECT_EQ(0, scale(2, 0.25f, psf.data(), 6, &count, 1.0f));
        EXPECT_EQ(6, count);
        EXPECT_EQ(y, psf);
    }
}

TEST(Linearise, AxesAndWorkedValues)
{
    LinearisedDataset out;
    const float one = 5;
    EXPECT_EQ(Floats{5}, Values(LineariseDataset(&one, &one, 1, 0.5f, &out), out));
    EXPECT_EQ(Floats{5}, Values(LineariseDatasetRangeNoFluxPreserve(&one, &one, 1, 5, 5, 1, &out), out));
    EXPECT_EQ(Floats{5}, Values(LineariseRegularDataset(0, 1, &one, 1, 0.5f, &out), out));
    // Counts truncate, in double precision: 0.5f / 0.1f is just below 5.
    const Floats x = {0, 1, 2, 3.5f}, y = {1, 1, 1, 1}, tenths = {0, 0.5f};
    EXPECT_EQ(4u, Values(LineariseDataset(x.data(), y.data(), 4, 1, &out), out).size());
    EXPECT_EQ(5u, Values(LineariseDatasetNoFluxPreserve(tenths.data(), y.data(), 2, 0.1f, &out), out).size());
    // Default range floor(x[0]) to ceil(x[n-1]), exactly 0 outside the data.
    const Floats rx = {1.5f, 2, 3.25f}, ry = {2, 4, 8};
    const Floats ranged = Values(LineariseDatasetRangeNoFluxPreserve(rx.data(), ry.data(), 3, -1, -1, 0.5f, &out), out);
    EXPECT_EQ(1.0f, out.start);
    EXPECT_EQ((Floats{0, 2, 4, 5.6f, 7.2f, 0, 0}), ranged);
    // Regular input at 10.4, 11.4, ...: the axis starts at 10; from 10.5 at 11.
    const Floats regular = Values(LineariseRegularDataset(10.4f, 1, y.data(), 4, 1, &out), out);
    EXPECT_EQ(10.0f, out.start);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(i == 1 ? 0.6 : 1.0, regular[i], 1e-5) << i;
    Values(LineariseRegularDataset(10.5f, 1, y.data(), 4, 1, &out), out);
    EXPECT_EQ(11.0f, out.start);
    // An output position on an input position takes that sample as it is.
    const Floats ramp = {1, 2, 3, 4, 5};
    EXPECT_EQ((Floats{1, 3, 5}), Values(LineariseRegularDataset(0, 1, ramp.data(), 5, 2, &out), out));
}

TEST(Linearise, EveryFunctionAgreesWithTheReference)
{
    const Profile in(300, 20.5f, 11);
    const float *x = in.x.data(), *y = in.y.data();
    for (float step : {0.3f, 1.0f, 2.7f}) {
        LinearisedDataset out;
        const Floats flux = Values(LineariseDataset(x, y, 300, step, &out), out);
        ExpectMatches(in.xd, in.y, flux, x[0], step, true);
        // The points after 0 add up to the running sum at the last one, less y[0].
        const double last = static_cast<float>(x[0] + (flux.size() - 1.0) * step), total = Cumulative(flux).back();
        EXPECT_NEAR(Reference(in.xd, Cumulative(in.y), last), total, 1e-6 * total);
        ExpectMatches(in.xd, in.y, Values(LineariseDatasetNoFluxPreserve(x, y, 300, step, &out), out), x[0], step, false);
        ExpectMatches(in.xd, in.y, Values(LineariseDatasetRangeNoFluxPreserve(x, y, 300, 25, 200, step, &out), out), 25,
                      step, false);
        // Regular input from 20.3 (the axis from 20, before the data) and from 20.7
        // (from 21, ending after it); no input position lies on the axis.
        for (float x0 : {20.3f, 20.7f}) {
            Doubles regular(300);
            for (int k = 0; k < 300; ++k)
                regular[k] = x0 + 0.75 * k;
            const Floats resampled = Values(LineariseRegularDataset(x0, 0.75f, y, 300, step, &out), out);
            ExpectMatches(regular, in.y, resampled, floor(x0 + 0.5), step, true);
        }
        // The variance goes exactly as data of its own would.
        LinearisedVarianceDataset both;
        ASSERT_EQ(0, LineariseDatasetPreserveVariance(x, y, in.variance.data(), 300, step, &both));
        EXPECT_EQ(flux, Take(both.data, both.count));
        EXPECT_EQ(Values(LineariseDataset(x, in.variance.data(), 300, step, &out), out),
                  Take(both.variance, both.count));
    }
    // A constant profile at twice its spacing (give or take 0.2): about twice the value.
    LinearisedDataset out;
    const Floats three(300, 3.0f), doubled = Values(LineariseDataset(x, three.data(), 300, 2, &out), out);
    for (size_t i = 1; i < doubled.size(); ++i)
        ASSERT_NEAR(6.0, doubled[i], 1.2) << i;
}

TEST(LinScalePSF, StretchedAndShrunkAgainstTheReference)
{
    const Profile in(40, 0, 5);
    Doubles axis(40);
    for (int k = 0; k < 40; ++k)
        axis[k] = -3.0 + 0.5 * k;
    for (float scale : {2.0f, 0.6f, 3.3f}) {
        for (bool flux : {true, false}) {
            Floats psf(150, -77.0f);
            std::copy(in.y.begin(), in.y.end(), psf.begin());
            int count = 0;
            ASSERT_EQ(0, (flux ? LinScalePSF : LinScalePSFNoFluxPreserve)(-3, 0.5f, psf.data(), 40, &count, scale));
            EXPECT_EQ(static_cast<int>(40 * double(scale)), count);
            const Floats out(psf.begin(), psf.begin() + count);
            ExpectMatches(axis, in.y, out, -3, 0.5 / scale, flux, true);
            for (int k = count; k < 150; ++k) // nothing written past the count
                ASSERT_EQ(k < 40 ? in.y[k] : -77.0f, psf[k]) << k;
            const double total = flux && scale > 1 ? Cumulative(in.y).back() : Cumulative(out).back();
            EXPECT_NEAR(total, Cumulative(out).back(), 1e-5 * count); // a stretched axis covers the profile
        }
    }
}

namespace {

// Bytes in use on every heap of the process: global blocks and the runtime's.
size_t BusyHeapBytes()
{
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    size_t total = 0;
    for (DWORD h = 0; h < count; ++h) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[h]);
        while (HeapWalk(heaps[h], &entry))
            total += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
        HeapUnlock(heaps[h]);
    }
    return total;
}

// What a call can write: a record, or the PSF buffer (y, then room) and count.
struct Outputs {
    LinearisedDataset one{};
    LinearisedVarianceDataset both{};
    Floats psf;
    int count = -5;
    Outputs(const Floats &y, size_t room) : psf(y) { psf.resize(std::max(room, y.size()), -77.0f); }
    Floats Collect(bool variance) const // the data values, every block freed
    {
        return variance ? (Take(both.variance, both.count), Take(both.data, both.count)) : Take(one.data, one.count);
    }
};
using Call = std::function<int(Outputs &)>;

// After -1: the records zero (as they start), the PSF buffer as it was.
void ExpectRefused(const Outputs &o, const Floats &y, int count)
{
    static const Outputs zero(y, 0);
    EXPECT_EQ(0, memcmp(&o.one, &zero.one, sizeof o.one));
    EXPECT_EQ(0, memcmp(&o.both, &zero.both, sizeof o.both));
    EXPECT_EQ(count, o.count);
    EXPECT_TRUE(std::equal(y.begin(), y.end(), o.psf.begin()));
}

} // namespace

TEST(Linearise, RefusesCallsOutsideTheDomainBeforeTakingMemory)
{
    static const Floats x = {0, 1, 2, 3}, y = {1, 2, 3, 4}, down = {0, 2, 1, 3}, same = {0, 1, 1, 3},
                        gap = {0, kNaN, 2, 3}, endless = {0, 1, 2, kInf};
    auto flux = [](const Floats &px, const float *py, int n, float step) -> Call {
        return [=, &px](Outputs &o) { return LineariseDataset(px.data(), py, n, step, &o.one); };
    };
    auto psf = [](float dx, int n, float scale) -> Call {
        return [=](Outputs &o) { return LinScalePSF(0, dx, o.psf.data(), n, &o.count, scale); };
    };
    const std::pair<const char *, Call> cases[] = {
        {"n 0", flux(x, y.data(), 0, 1)}, {"y null", flux(x, nullptr, 4, 1)}, {"x descending", flux(down, y.data(), 4, 1)},
        {"x repeated", flux(same, y.data(), 4, 1)}, {"x NaN", flux(gap, y.data(), 4, 1)},
        {"x infinite", flux(endless, y.data(), 4, 1)}, {"step 0", flux(x, y.data(), 4, 0)},
        {"step NaN", flux(x, y.data(), 4, kNaN)}, {"count beyond int", flux(x, y.data(), 4, 1e-30f)},
        {"x null", [](Outputs &o) { return LineariseDatasetNoFluxPreserve(nullptr, y.data(), 4, 1, &o.one); }},
        {"no variance", [](Outputs &o) { return LineariseDatasetPreserveVariance(x.data(), y.data(), 0, 4, 1, &o.both); }},
        {"regular dx 0", [](Outputs &o) { return LineariseRegularDataset(0, 0, y.data(), 4, 1, &o.one); }},
        {"regular x0 infinite", [](Outputs &o) { return LineariseRegularDataset(kInf, 1, y.data(), 4, 1, &o.one); }},
        {"range backwards",
         [](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 4, 3, 0, 1, &o.one); }},
        {"psf scale 0", psf(1, 4, 0)}, {"psf scale NaN", psf(1, 4, kNaN)}, {"psf count 0", psf(1, 4, 0.2f)},
        {"psf dx negative", psf(-1, 4, 2)}, {"psf n 0", psf(1, 0, 2)},
        {"psf scale infinite", [](Outputs &o) { return LinScalePSFNoFluxPreserve(0, 1, o.psf.data(), 4, &o.count, kInf); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        Outputs o(y, 0);
        KrutilTestControl(KRTEST_MEM_FAIL_AT, 0); // restarts the count
        EXPECT_EQ(-1, c.second(o));
        EXPECT_EQ(0, KrutilTestControl(KRTEST_MEM_CALLS, 0));
        ExpectRefused(o, y, strncmp(c.first, "psf", 3) ? -5 : 0);
    }
    EXPECT_EQ(-1, LineariseDataset(x.data(), y.data(), 4, 1, nullptr));
    EXPECT_EQ(-1, LinScalePSF(0, 1, Floats(y).data(), 4, nullptr, 2));
    // Not-a-number values are resampled like others: NaN where y[1] is used.
    const Floats holed = {1, kNaN, 2, 3};
    LinearisedDataset out;
    const Floats values = Values(LineariseDatasetNoFluxPreserve(x.data(), holed.data(), 4, 0.5f, &out), out);
    for (int i = 0; i < 7; ++i) // 2.0 is found on the pair (1, 2)
        EXPECT_EQ(i >= 1 && i <= 4, isnan(values[i])) << i;
    EXPECT_EQ(2.5f, values[5]);
}

TEST(Linearise, EachFailedAllocationFreesEverythingAndWritesNothing)
{
    Floats x, y;
    for (int k = 0; k < 3000; ++k) {
        x.push_back(0.5f * k);
        y.push_back(static_cast<float>(k % 17));
    }
    const float *px = x.data(), *py = y.data();
    const std::pair<int, Call> cases[] = { // the calls that can fail: blocks, temporaries and locks
        {3, [=](Outputs &o) { return LineariseDataset(px, py, 3000, 0.7f, &o.one); }},
        {6, [=](Outputs &o) { return LineariseDatasetPreserveVariance(px, py, py, 3000, 0.7f, &o.both); }},
        {3, [=](Outputs &o) { return LineariseRegularDataset(0, 0.5f, py, 3000, 0.7f, &o.one); }},
        {2, [=](Outputs &o) { return LineariseDatasetNoFluxPreserve(px, py, 3000, 0.7f, &o.one); }},
        {2, [=](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(px, py, 3000, -1, -1, 0.7f, &o.one); }},
        {3, [](Outputs &o) { return LinScalePSF(0, 0.5f, o.psf.data(), 3000, &o.count, 1.5f); }},
        {2, [](Outputs &o) { return LinScalePSFNoFluxPreserve(0, 0.5f, o.psf.data(), 3000, &o.count, 1.5f); }},
    };
    for (const auto &c : cases)
        for (long nth = 1;; ++nth) {
            SCOPED_TRACE(testing::Message() << "call " << &c - cases << " failing " << nth);
            Outputs o(y, 4500);
            KrutilTestControl(KRTEST_MEM_FAIL_AT, nth);
            const size_t before = BusyHeapBytes();
            const int result = c.second(o);
            const size_t after = BusyHeapBytes();
            const long failures = static_cast<long>(KrutilTestControl(KRTEST_MEM_FAILURES, 0));
            KrutilTestControl(KRTEST_MEM_FAIL_AT, 0);
            if (failures == 0) {
                EXPECT_EQ(0, result);
                EXPECT_EQ(c.first, nth - 1);
                if (o.count == -5)
                    o.Collect(c.first == 6);
                break;
            }
            EXPECT_EQ(-1, result);
            // Each block of these calls is over 16 KB; Wine's own handle
            // bookkeeping for movable blocks may grow by a few hundred bytes.
            EXPECT_NEAR(double(before), double(after), 4096.0);
            ExpectRefused(o, y, o.count == -5 ? -5 : 4500);
        }
}

TEST(Linearise, RememberedIndicesGiveTheSameResultsInAnyCallOrder)
{
    // The largest profile has x[1] one step after x[0]: its calls ask for no
    // fresh estimate and start from whatever index the previous call left.
    const Profile a(200, 10.25f, 1), b(30, 3.5f, 2), c(300, 0.5f, 3, true);
    const Call calls[] = {
        [&](Outputs &o) { return LineariseDataset(a.x.data(), a.y.data(), 200, 0.7f, &o.one); },
        [&](Outputs &o) { return LineariseDatasetPreserveVariance(c.x.data(), c.y.data(), c.y.data(), 300, 1, &o.both); },
        [&](Outputs &o) { return LineariseDatasetNoFluxPreserve(c.x.data(), c.y.data(), 300, 1, &o.one); },
        [&](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(c.x.data(), c.y.data(), 300, -1, -1, 1, &o.one); },
        [&](Outputs &o) { return LineariseDatasetNoFluxPreserve(b.x.data(), b.y.data(), 30, 0.6f, &o.one); },
    };
    auto run = [&](size_t k) {
        Outputs o(a.y, 0);
        EXPECT_EQ(0, calls[k](o)) << k;
        return o.Collect(k == 1);
    };
    run(0); // earlier tests may have left either index beyond 300
    run(4);
    std::vector<size_t> order = {0, 1, 2, 3, 4};
    std::vector<Floats> first;
    for (size_t k : order)
        first.push_back(run(k));
    // Without a fresh estimate as with one.
    LinearisedDataset out;
    EXPECT_EQ(first[1], Values(LineariseDataset(c.x.data(), c.y.data(), 300, 1, &out), out));
    EXPECT_EQ(first[2],
              Values(LineariseDatasetRangeNoFluxPreserve(c.x.data(), c.y.data(), 300, c.x[0], c.x[299], 1, &out), out));
    while (std::next_permutation(order.begin(), order.end()))
        for (size_t k : order)
            ASSERT_EQ(first[k], run(k)) << "call " << k;
}

TEST(Linearise, AStaleIndexDecidesTheFirstPairOfACallWithoutAFreshEstimate)
{
    // Point 0 of the range lies before x[0]: no fresh estimate in the call.
    const Floats x = {0.5f, 1, 2, 3}, y = {1, 2, 3, 10};
    const Profile longer(500, 0, 4);
    LinearisedDataset out;
    auto range = [&] { return Values(LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 4, -1, -1, 1, &out), out); };
    Values(LineariseDatasetNoFluxPreserve(x.data(), y.data(), 4, 1, &out), out);
    EXPECT_EQ((Floats{0, 2, 3, 10}), range());
    // After a search near sample 499, point 1 is taken on the last pair,
    // extrapolated; point 2 searches down from there.
    Values(LineariseDatasetNoFluxPreserve(longer.x.data(), longer.y.data(), 500, 1.5f, &out), out);
    EXPECT_EQ((Floats{0, -4, 3, 10}), range());
    // Running sums: LineariseDataset asks afresh at its first interpolated
    // point, the variance function only at point 1 (here on x[1]): there the
    // variance, searched first, takes the stale index; the data do not.
    const Floats x2 = {0, 1, 2.5f, 2.8f, 3}, ones(5, 1.0f), fresh = {1, 1, 2 / 3.0f, 7 / 3.0f}, stale = {1, 1, -2, 5};
    LinearisedVarianceDataset both;
    Values(LineariseDataset(longer.x.data(), longer.y.data(), 500, 1.5f, &out), out);
    const Floats alone = Values(LineariseDataset(x2.data(), ones.data(), 5, 1, &out), out);
    Values(LineariseDataset(longer.x.data(), longer.y.data(), 500, 1.5f, &out), out);
    ASSERT_EQ(0, LineariseDatasetPreserveVariance(x2.data(), ones.data(), ones.data(), 5, 1, &both));
    const Floats variance = Take(both.variance, 4), data = Take(both.data, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(fresh[i], alone[i], 1e-6) << i;
        EXPECT_NEAR(fresh[i], data[i], 1e-6) << i;
        EXPECT_NEAR(stale[i], variance[i], 1e-5) << i;
    }
}
