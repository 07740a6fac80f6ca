// Resampling calls through the DLL: refused arguments, every allocation
// failing in turn, and the remembered search indices across calls.
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
const float kNaN = NAN, kInf = INFINITY;

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
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        HeapUnlock(heaps[h]);
    }
    return total;
}

// What a call can write: one of the two records, or the PSF buffer and count.
struct Outputs {
    LinearisedDataset one;
    LinearisedVarianceDataset both;
    Floats psf, initial; // the PSF buffer: y, then room for the result
    int count = -5;
    explicit Outputs(const Floats &y, size_t room = 0) : psf(y)
    {
        psf.resize(std::max(room, y.size()), -77.0f);
        initial = psf;
        memset(&one, 0xCD, sizeof one);
        memset(&both, 0xCD, sizeof both);
    }
};

enum Writes { kOne, kBoth, kPsf };

struct Case {
    const char *what;
    Writes writes;
    std::function<int(Outputs &)> call;
};

// The data values a call returned; every block freed.
Floats Collect(const Outputs &o, Writes writes)
{
    const HGLOBAL block = writes == kBoth ? o.both.data : o.one.data;
    const int count = writes == kBoth ? o.both.count : o.one.count;
    const float *values = static_cast<const float *>(GlobalLock(block));
    Floats copy(values, values + count);
    GlobalUnlock(block);
    GlobalFree(block);
    if (writes == kBoth)
        GlobalFree(o.both.variance);
    return copy;
}

template <typename Record>
bool IsZero(const Record &r)
{
    const Record zero{};
    return memcmp(&r, &zero, sizeof r) == 0;
}

// After -1: the record zeroed, or the PSF buffer unchanged and its count as
// given.
void ExpectRefused(const Case &c, const Outputs &o, int count)
{
    if (c.writes == kOne) {
        EXPECT_TRUE(IsZero(o.one)) << c.what;
    } else if (c.writes == kBoth) {
        EXPECT_TRUE(IsZero(o.both)) << c.what;
    }
    if (c.writes == kPsf) {
        EXPECT_EQ(count, o.count) << c.what;
        EXPECT_EQ(o.initial, o.psf) << c.what;
    }
}

const Floats kX = {0, 1, 2, 3}, kY = {1, 2, 3, 4};

std::vector<Case> OneOfEach(const Floats &x, const Floats &y, float step, float scale)
{
    const int n = static_cast<int>(x.size());
    return {
        {"LineariseDataset", kOne, [=](Outputs &o) { return LineariseDataset(x.data(), y.data(), n, step, &o.one); }},
        {"LineariseDatasetPreserveVariance", kBoth,
         [=](Outputs &o) { return LineariseDatasetPreserveVariance(x.data(), y.data(), y.data(), n, step, &o.both); }},
        {"LineariseRegularDataset", kOne,
         [=](Outputs &o) { return LineariseRegularDataset(x[0], 1, y.data(), n, step, &o.one); }},
        {"LineariseDatasetNoFluxPreserve", kOne,
         [=](Outputs &o) { return LineariseDatasetNoFluxPreserve(x.data(), y.data(), n, step, &o.one); }},
        {"LineariseDatasetRangeNoFluxPreserve", kOne,
         [=](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), n, -1, -1, step, &o.one); }},
        {"LinScalePSF", kPsf, [=](Outputs &o) { return LinScalePSF(x[0], 1, o.psf.data(), n, &o.count, scale); }},
        {"LinScalePSFNoFluxPreserve", kPsf,
         [=](Outputs &o) { return LinScalePSFNoFluxPreserve(x[0], 1, o.psf.data(), n, &o.count, scale); }},
    };
}

std::vector<Case> Refusals()
{
    static const Floats descending = {0, 2, 1, 3}, repeated = {0, 1, 1, 3}, gap = {0, kNaN, 2, 3},
                        endless = {0, 1, 2, kInf};
    const float *x = kX.data(), *y = kY.data();
    auto dataset = [](const float *px, const float *py, int n, float step) {
        return [=](Outputs &o) { return LineariseDataset(px, py, n, step, &o.one); };
    };
    auto psf = [](float x0, float dx, int n, float scale) {
        return [=](Outputs &o) { return LinScalePSF(x0, dx, o.psf.data(), n, &o.count, scale); };
    };
    return {
        {"n 0", kOne, dataset(x, y, 0, 1)},
        {"n negative", kOne, dataset(x, y, -3, 1)},
        {"x null", kOne, dataset(nullptr, y, 4, 1)},
        {"y null", kOne, dataset(x, nullptr, 4, 1)},
        {"x descending", kOne, dataset(descending.data(), y, 4, 1)},
        {"x repeated", kOne, dataset(repeated.data(), y, 4, 1)},
        {"x NaN", kOne, dataset(gap.data(), y, 4, 1)},
        {"x infinite", kOne, dataset(endless.data(), y, 4, 1)},
        {"step 0", kOne, dataset(x, y, 4, 0)},
        {"step negative", kOne, dataset(x, y, 4, -1)},
        {"step NaN", kOne, dataset(x, y, 4, kNaN)},
        {"step infinite", kOne, dataset(x, y, 4, kInf)},
        {"count beyond int", kOne, dataset(x, y, 4, 1e-30f)},
        {"values: x repeated", kOne,
         [](Outputs &o) { return LineariseDatasetNoFluxPreserve(repeated.data(), kY.data(), 4, 1, &o.one); }},
        {"variance null", kBoth,
         [](Outputs &o) { return LineariseDatasetPreserveVariance(kX.data(), kY.data(), nullptr, 4, 1, &o.both); }},
        {"variance: x descending", kBoth,
         [](Outputs &o) { return LineariseDatasetPreserveVariance(descending.data(), kY.data(), kY.data(), 4, 1, &o.both); }},
        {"regular dx 0", kOne, [](Outputs &o) { return LineariseRegularDataset(0, 0, kY.data(), 4, 1, &o.one); }},
        {"regular dx NaN", kOne, [](Outputs &o) { return LineariseRegularDataset(0, kNaN, kY.data(), 4, 1, &o.one); }},
        {"regular x0 infinite", kOne, [](Outputs &o) { return LineariseRegularDataset(kInf, 1, kY.data(), 4, 1, &o.one); }},
        {"regular step negative", kOne, [](Outputs &o) { return LineariseRegularDataset(0, 1, kY.data(), 4, -2, &o.one); }},
        {"range end before start", kOne,
         [](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(kX.data(), kY.data(), 4, 3, 0, 1, &o.one); }},
        {"range start NaN", kOne,
         [](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(kX.data(), kY.data(), 4, kNaN, 3, 1, &o.one); }},
        {"range end infinite", kOne,
         [](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(kX.data(), kY.data(), 4, 0, kInf, 1, &o.one); }},
        {"psf scale 0", kPsf, psf(0, 1, 4, 0)},
        {"psf scale negative", kPsf, psf(0, 1, 4, -2)},
        {"psf scale NaN", kPsf, psf(0, 1, 4, kNaN)},
        {"psf count 0", kPsf, psf(0, 1, 4, 0.2f)},
        {"psf dx 0", kPsf, psf(0, 0, 4, 2)},
        {"psf x0 NaN", kPsf, psf(kNaN, 1, 4, 2)},
        {"psf n 0", kPsf, psf(0, 1, 0, 2)},
        {"psf values: scale infinite", kPsf,
         [](Outputs &o) { return LinScalePSFNoFluxPreserve(0, 1, o.psf.data(), 4, &o.count, kInf); }},
    };
}

} // namespace

TEST(Linearise, RefusesCallsOutsideTheDomainBeforeTakingMemory)
{
    for (const Case &c : Refusals()) {
        Outputs o(kY);
        KrutilTestControl(KRTEST_MEM_FAIL_AT, 0); // restarts the count
        EXPECT_EQ(-1, c.call(o)) << c.what;
        EXPECT_EQ(0, KrutilTestControl(KRTEST_MEM_CALLS, 0)) << c.what;
        ExpectRefused(c, o, 0);
    }
    EXPECT_EQ(-1, LineariseDataset(kX.data(), kY.data(), 4, 1, nullptr));
    EXPECT_EQ(-1, LinScalePSF(0, 1, Floats(kY).data(), 4, nullptr, 2));
}

TEST(Linearise, NotANumberSpreadsOnlyWhereItIsUsed)
{
    const Floats y = {1, kNaN, 2, 3};
    LinearisedDataset out;
    ASSERT_EQ(0, LineariseDatasetNoFluxPreserve(kX.data(), y.data(), 4, 0.5f, &out));
    const float *values = static_cast<const float *>(GlobalLock(out.data));
    const bool nan[] = {false, true, true, true, true, false, false}; // 2.0 from the pair (1, 2)
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(nan[i], isnan(values[i])) << i;
    EXPECT_EQ(2.5f, values[5]);
    GlobalUnlock(out.data);
    GlobalFree(out.data);
}

TEST(Linearise, EachFailedAllocationFreesEverythingAndWritesNothing)
{
    Floats x, y;
    for (int k = 0; k < 3000; ++k) {
        x.push_back(0.5f * k);
        y.push_back(static_cast<float>(k % 17));
    }
    const int fallible[] = {3, 6, 3, 2, 2, 3, 2}; // blocks, temporaries and locks
    const std::vector<Case> cases = OneOfEach(x, y, 0.7f, 1.5f);
    for (size_t f = 0; f < cases.size(); ++f) {
        for (long nth = 1;; ++nth) {
            Outputs o(y, 4500);
            KrutilTestControl(KRTEST_MEM_FAIL_AT, nth);
            const size_t before = BusyHeapBytes();
            const int result = cases[f].call(o);
            const size_t after = BusyHeapBytes();
            const long failures = static_cast<long>(KrutilTestControl(KRTEST_MEM_FAILURES, 0));
            KrutilTestControl(KRTEST_MEM_FAIL_AT, 0);
            if (failures == 0) {
                EXPECT_EQ(0, result) << cases[f].what;
                EXPECT_EQ(fallible[f], nth - 1) << cases[f].what;
                if (cases[f].writes != kPsf)
                    Collect(o, cases[f].writes);
                break;
            }
            EXPECT_EQ(-1, result) << cases[f].what << " failing call " << nth;
            EXPECT_EQ(before, after) << cases[f].what << " failing call " << nth;
            ExpectRefused(cases[f], o, 4500);
        }
    }
}

TEST(Linearise, RememberedIndicesGiveTheSameResultsInAnyCallOrder)
{
    // Three profiles, the largest with x[1] one step after x[0]: its calls
    // ask for no fresh estimate and start from the previous call's index.
    std::vector<Floats> x(3), y(3);
    const int sizes[] = {200, 30, 300};
    srand(17);
    for (int d = 0; d < 3; ++d)
        for (int k = 0; k < sizes[d]; ++k) {
            const float jitter = k < 2 ? 0.0f : 0.2f * (2.0f * rand() / RAND_MAX - 1.0f);
            x[d].push_back(0.5f + 3.0f * d + k + jitter);
            y[d].push_back(1.0f + 9.0f * rand() / RAND_MAX);
        }
    const Floats &big = x[2], &bigY = y[2];
    std::vector<Case> calls = {
        OneOfEach(x[0], y[0], 0.7f, 1)[0],
        OneOfEach(big, bigY, 1, 1)[1],
        OneOfEach(big, bigY, 1, 1)[3],
        OneOfEach(big, bigY, 1, 1)[4],
        OneOfEach(x[1], y[1], 0.6f, 1)[3],
        {"range from x[0]", kOne,
         [&](Outputs &o) { return LineariseDatasetRangeNoFluxPreserve(x[1].data(), y[1].data(), 30, 3.5f, 20, 0.45f, &o.one); }},
    };
    auto run = [&](const Case &c) {
        Outputs o(y[0]);
        EXPECT_EQ(0, c.call(o)) << c.what;
        return Collect(o, c.writes);
    };
    // Earlier searches may have left either index beyond the largest profile.
    run(calls[0]);
    run(calls[4]);
    std::vector<size_t> order = {0, 1, 2, 3, 4, 5};
    std::vector<Floats> first;
    for (size_t c : order)
        first.push_back(run(calls[c]));
    // Those without a fresh estimate agree with calls that ask for one.
    EXPECT_EQ(first[1], run(OneOfEach(big, bigY, 1, 1)[0]));
    EXPECT_EQ(first[2], run({"range from x[0]", kOne, [&](Outputs &o) {
                                 return LineariseDatasetRangeNoFluxPreserve(big.data(), bigY.data(), 300, big[0],
                                                                            big.back(), 1, &o.one);
                             }}));
    while (std::next_permutation(order.begin(), order.end()))
        for (size_t c : order)
            ASSERT_EQ(first[c], run(calls[c])) << calls[c].what;
}

TEST(Linearise, AStaleIndexDecidesTheFirstPairOfACallWithoutAFreshEstimate)
{
    // Point 0 of the range lies before x[0]: no fresh estimate in the call.
    const Floats x = {0.5f, 1, 2, 3}, y = {1, 2, 3, 10};
    Floats longX(500), longY(500, 1.0f);
    for (int k = 0; k < 500; ++k)
        longX[k] = static_cast<float>(k);
    const Case range = {"range", kOne, [&](Outputs &o) {
                            return LineariseDatasetRangeNoFluxPreserve(x.data(), y.data(), 4, -1, -1, 1, &o.one);
                        }};
    Outputs o(y);
    ASSERT_EQ(0, LineariseDatasetNoFluxPreserve(x.data(), y.data(), 4, 1, &o.one));
    Collect(o, kOne);
    ASSERT_EQ(0, range.call(o));
    EXPECT_EQ((Floats{0, 2, 3, 10}), Collect(o, kOne));
    // After a search near sample 499, point 1 is found on the last pair,
    // extrapolated; the next point searches down from there.
    ASSERT_EQ(0, LineariseDatasetNoFluxPreserve(longX.data(), longY.data(), 500, 1.5f, &o.one));
    Collect(o, kOne);
    ASSERT_EQ(0, range.call(o));
    EXPECT_EQ((Floats{0, -4, 3, 10}), Collect(o, kOne));
}
