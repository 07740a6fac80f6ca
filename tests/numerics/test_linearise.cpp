// Resampling onto regular axes through the DLL: worked cases, profiles whose
// resampling has a closed form, refused calls and failing allocations.
#include <gtest/gtest.h>

#include <math.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "krnumerics.h"
#include "support/alloc_sweep.h"

namespace {

using Floats = std::vector<float>;

// The values of a block handed over, which must come unlocked; the block freed.
Floats Values(int result, const LinearisedDataset &out)
{
    EXPECT_EQ(0, result);
    if (result != 0)
        return Floats();
    EXPECT_EQ(0u, GlobalFlags(out.data) & GMEM_LOCKCOUNT);
    const float *values = static_cast<const float *>(GlobalLock(out.data));
    const Floats copy(values, values + out.count);
    GlobalUnlock(out.data);
    EXPECT_EQ(nullptr, GlobalFree(out.data));
    return copy;
}

// x0 + k dx as floats, jittered by up to `jitter` from k = 2 on.
Floats Positions(int n, double x0, double dx, double jitter = 0.0)
{
    Floats x(n);
    for (int k = 0; k < n; ++k)
        x[k] = static_cast<float>(x0 + k * dx + (k > 1 ? jitter * sin(k * 1.7) : 0.0));
    return x;
}

// 1, then the steps between positions: the running sum is 1 + x - x[0].
Floats Steps(const Floats &x)
{
    Floats y(x.size(), 1.0f);
    for (size_t k = 1; k < x.size(); ++k)
        y[k] = static_cast<float>(double(x[k]) - x[k - 1]);
    return y;
}

// At start + i step, rounded to float: resampled values of Positions (y = x)
// are the positions, exactly; the flux of Steps is the line's increase since
// the previous point (point 1: since lo); both held at the ends of [lo, hi].
void ExpectClosedForm(const Floats &out, double start, double step, double lo, double hi, bool flux)
{
    auto at = [&](double i) { return std::min(std::max(double(static_cast<float>(start + i * step)), lo), hi); };
    for (size_t i = flux ? 1 : 0; i < out.size(); ++i) {
        const double want = flux ? at(i) - (i == 1 ? lo : at(i - 1.0)) : at(i);
        ASSERT_NEAR(want, out[i], flux ? 2e-5 + 1e-6 * fabs(want) : 0.0) << "point " << i;
    }
}

} // namespace

TEST(Linearise, WorkedAxesAndProfilesWithAClosedForm)
{
    // On the grid every function gives the input. 0.5f / 0.1f is just below
    // 5: counts truncate. The default range runs from floor(x[0]) to
    // ceil(x[n-1]), 0 outside the data. Regular positions from 20.35 start
    // after the axis (at 20), from 20.65 end before it.
    const Floats x = {2, 2.25f, 2.5f, 2.75f, 3, 3.25f}, y = {4, -1, 7, 0.5f, 3, 9}, tenths = {0, 0.5f},
                 rx = {1.5f, 2, 3.25f}, ry = {2, 4, 8};
    LinearisedDataset out;
    EXPECT_EQ(y, Values(LineariseDataset(x.data(), y.data(), 6, 0.25f, &out), out));
    EXPECT_TRUE(out.start == 2.0f && out.step == 0.25f);
    EXPECT_EQ(y, Values(LineariseDatasetNoFluxPreserve(x.data(), y.data(), 6, 0.25f, &out), out));
    EXPECT_EQ(y, Values(LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 6, 2, 3.25f, 0.25f, &out), out));
    EXPECT_EQ(y, Values(LineariseRegularDataset(2, 0.25f, y.data(), 6, 0.25f, &out), out));
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
    for (float x0 : {10.4f, 10.5f}) {
        Values(LineariseRegularDataset(x0, 1, y.data(), 4, 1, &out), out);
        EXPECT_EQ(floorf(x0 + 0.5f), out.start) << x0;
    }

    const Floats along = Positions(300, 20.5, 1, 0.2), flux = Steps(along);
    const float *xs = along.data();
    const double lo = along[0], hi = along[299];
    for (float step : {0.3f, 1.0f, 2.7f}) {
        LinearisedDataset out;
        LinearisedVarianceDataset both;
        const Floats data = Values(LineariseDataset(xs, flux.data(), 300, step, &out), out);
        ExpectClosedForm(data, lo, step, lo, hi, true);
        ExpectClosedForm(Values(LineariseDatasetNoFluxPreserve(xs, xs, 300, step, &out), out), lo, step, lo, hi, false);
        ExpectClosedForm(Values(LineariseDatasetRangeNoFluxPreserve(xs, xs, 300, 25, 200, step, &out), out),
                         25, step, lo, hi, false);
        for (float x0 : {20.35f, 20.65f}) {
            const Floats regular = Steps(Positions(300, x0, 0.75));
            ExpectClosedForm(Values(LineariseRegularDataset(x0, 0.75f, regular.data(), 300, step, &out), out),
                             floor(x0 + 0.5), step, x0, x0 + 299 * 0.75, true);
        }
        ASSERT_EQ(0, LineariseDatasetPreserveVariance(xs, xs, flux.data(), 300, step, &both));
        EXPECT_EQ(data, Values(0, {both.variance, both.count, 0, 0}));
        EXPECT_EQ(Values(LineariseDataset(xs, xs, 300, step, &out), out), Values(0, {both.data, both.count, 0, 0}));
    }
}

TEST(Linearise, RefusedCallsAndFailedAllocationsTakeNothingAndWriteNothing)
{
    // Refused before taking memory: the records zero, the PSF count 0.
    const Floats x = {0, 1, 2, 3}, down = {0, 2, 1, 3}, endless = {0, 1, 2, INFINITY};
    LinearisedDataset out = {GlobalAlloc(GMEM_FIXED, 4), 5, 6, 7};
    LinearisedVarianceDataset both = {out.data, out.data, 5, 6, 7};
    Floats psf = x;
    int count = -1;
    const std::function<int()> refused[] = {
        [&] { return LineariseDataset(down.data(), x.data(), 4, 1, &out); },
        [&] { return LineariseDataset(x.data(), x.data(), 4, 1e-30f, &out); }, // a count beyond the int range
        [&] { return LineariseDataset(x.data(), nullptr, 4, 1, &out); },
        [&] { return LineariseDataset(x.data(), x.data(), 4, INFINITY, &out); },
        [&] { return LineariseDatasetNoFluxPreserve(nullptr, x.data(), 4, NAN, &out); },
        [&] { return LineariseDatasetNoFluxPreserve(x.data(), x.data(), 0, 1, &out); },
        [&] { return LineariseDatasetPreserveVariance(x.data(), x.data(), nullptr, 4, 1, &both); },
        [&] { return LineariseDatasetRangeNoFluxPreserve(endless.data(), x.data(), 4, 3, 0, 1, &out); },
        [&] { return LineariseDatasetRangeNoFluxPreserve(x.data(), x.data(), 4, 3, 0, 1, &out); }, // backwards
        [&] { return LineariseRegularDataset(INFINITY, 1, x.data(), 4, 1, &out); },
        [&] { return LineariseRegularDataset(0, 0, x.data(), 4, 1, &out); },
        [&] { return LinScalePSF(0, 1, psf.data(), 4, &count, 0.2f); },
        [&] { return LinScalePSF(0, 1, psf.data(), 0, &count, 2); },
        [&] { return LinScalePSF(0, -1, psf.data(), 4, &count, 2); },
        [&] { return LinScalePSFNoFluxPreserve(0, 1, psf.data(), 4, &count, INFINITY); },
    };
    const HGLOBAL stray = out.data;
    for (const auto &call : refused) {
        EXPECT_EQ(0, krtest::CountAllocations([&] { EXPECT_EQ(-1, call()); })) << &call - refused;
        EXPECT_TRUE(!out.data && !out.count && !out.start && !out.step && psf == x) << &call - refused;
    }
    EXPECT_TRUE(!both.data && !both.variance && !both.count && !both.start && !both.step);
    EXPECT_TRUE(count == 0 && LineariseDataset(x.data(), x.data(), 4, 1, nullptr) == -1 &&
                LinScalePSF(0, 1, psf.data(), 4, nullptr, 2) == -1);
    GlobalFree(stray);

    // Each fallible call failing in turn frees everything taken: blocks are
    // over 8 KB; Wine's bookkeeping of movable blocks may grow a little.
    const Floats px = Positions(3000, 0, 0.5), py = Positions(3000, 5, 0, 4);
    const std::pair<long, std::function<int()>> cases[] = {
        {3, [&] { return LineariseDataset(px.data(), py.data(), 3000, 0.7f, &out); }},
        {6, [&] { return LineariseDatasetPreserveVariance(px.data(), py.data(), py.data(), 3000, 0.7f, &both); }},
        {3, [&] { return LineariseRegularDataset(0, 0.5f, py.data(), 3000, 0.7f, &out); }},
        {2, [&] { return LineariseDatasetNoFluxPreserve(px.data(), py.data(), 3000, 0.7f, &out); }},
        {2, [&] { return LineariseDatasetRangeNoFluxPreserve(px.data(), py.data(), 3000, -1, -1, 0.7f, &out); }},
        {3, [&] { return LinScalePSF(0, 0.5f, psf.data(), 3000, &count, 1.5f); }},
        {2, [&] { return LinScalePSFNoFluxPreserve(0, 0.5f, psf.data(), 3000, &count, 1.5f); }},
    };
    for (const auto &c : cases) {
        int result = 0;
        size_t before = 0, after = 0;
        auto call = [&] {
            out = {};
            both = {};
            psf.assign(4500, 3.0f);
            before = krtest::BusyHeapBytes();
            result = c.second();
            after = krtest::BusyHeapBytes();
        };
        auto check = [&](long, bool failed) {
            EXPECT_EQ(failed ? -1 : 0, result);
            EXPECT_TRUE(!failed || (fabs(double(after) - double(before)) < 4096 && !out.data && !both.data &&
                                    !both.variance && psf == Floats(4500, 3.0f)));
            for (HGLOBAL block : {out.data, both.data, both.variance})
                EXPECT_EQ(nullptr, block ? GlobalFree(block) : nullptr);
        };
        EXPECT_EQ(c.first, krtest::SweepAllocations(call, check)) << &c - cases;
    }

    // From before x[0] a range reuses the index left near 2999: the last pair.
    const Floats x4 = {0.5f, 1, 2, 3}, y4 = {1, 2, 3, 10};
    EXPECT_EQ((Floats{0, -4, 3, 10}),
              Values(LineariseDatasetRangeNoFluxPreserve(x4.data(), y4.data(), 4, -1, -1, 1, &out), out));
}
