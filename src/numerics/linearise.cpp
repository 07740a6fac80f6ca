// The resampling exports: their argument checks, the movable global blocks
// handed to the caller, the running-sum temporaries, and the two search
// indices remembered from call to call.
#include "krnumerics.h"

#include <math.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "numerics/linear_interpolation.h"
#include "numerics/resample.h"
#include "support/memory.h"

// Callers read the records field by field: 32-bit fields in the 32-bit DLL.
static_assert(offsetof(LinearisedDataset, count) == sizeof(HGLOBAL), "LinearisedDataset layout");
static_assert(offsetof(LinearisedDataset, start) == sizeof(HGLOBAL) + 4, "LinearisedDataset layout");
static_assert(offsetof(LinearisedDataset, step) == sizeof(HGLOBAL) + 8, "LinearisedDataset layout");
static_assert(offsetof(LinearisedVarianceDataset, variance) == sizeof(HGLOBAL), "LinearisedVarianceDataset layout");
static_assert(offsetof(LinearisedVarianceDataset, count) == 2 * sizeof(HGLOBAL), "LinearisedVarianceDataset layout");
static_assert(offsetof(LinearisedVarianceDataset, start) == 2 * sizeof(HGLOBAL) + 4, "LinearisedVarianceDataset layout");
static_assert(offsetof(LinearisedVarianceDataset, step) == 2 * sizeof(HGLOBAL) + 8, "LinearisedVarianceDataset layout");
#ifdef __i386__
static_assert(sizeof(LinearisedDataset) == 16 && sizeof(LinearisedVarianceDataset) == 20, "record sizes");
#endif

namespace {

int g_sumIndex = 0;   // searches over running sums
int g_valueIndex = 0; // searches over values

// Zero-filled and movable: the caller locks and frees them.
constexpr UINT kOutputFlags = GMEM_MOVEABLE | GMEM_ZEROINIT;

// The memory of one call: output blocks (data, then variance) and
// running-sum temporaries.
struct Blocks {
    HGLOBAL handle[2] = {};
    float *output[2] = {};
    double *sum[kr::kMaxFluxChannels] = {};
};

bool ArrayBytes(int count, size_t element, SIZE_T *bytes)
{
    if (static_cast<size_t>(count) > SIZE_MAX / element)
        return false;
    *bytes = static_cast<SIZE_T>(count) * element;
    return true;
}

void FreeSums(Blocks &blocks)
{
    for (double *&sum : blocks.sum) {
        kr::MemFree(sum);
        sum = nullptr;
    }
}

void UnlockOutputs(Blocks &blocks)
{
    for (int k = 0; k < 2; ++k)
        if (blocks.output[k]) {
            GlobalUnlock(blocks.handle[k]);
            blocks.output[k] = nullptr;
        }
}

void Release(Blocks &blocks)
{
    UnlockOutputs(blocks);
    for (HGLOBAL &handle : blocks.handle)
        if (handle)
            handle = kr::MemGlobalFree(handle);
    FreeSums(blocks);
}

// outputs blocks of count floats, then sums temporaries of n doubles, then
// the outputs locked: all of them, or none.
bool Take(Blocks &blocks, int outputs, int count, int sums, int n)
{
    SIZE_T outputBytes = 0, sumBytes = 0;
    bool ok = ArrayBytes(count, sizeof(float), &outputBytes) && ArrayBytes(n, sizeof(double), &sumBytes);
    for (int k = 0; ok && k < outputs; ++k)
        ok = (blocks.handle[k] = kr::MemGlobalAlloc(kOutputFlags, outputBytes)) != nullptr;
    for (int k = 0; ok && k < sums; ++k)
        ok = (blocks.sum[k] = static_cast<double *>(kr::MemAlloc(sumBytes))) != nullptr;
    for (int k = 0; ok && k < outputs; ++k)
        ok = (blocks.output[k] = static_cast<float *>(kr::MemGlobalLock(blocks.handle[k]))) != nullptr;
    if (!ok)
        Release(blocks);
    return ok;
}

bool PositiveFinite(float value)
{
    return value > 0.0f && isfinite(value);
}

// Strictly ascending between finite ends: no NaN, no repeated position.
bool UsablePositions(const float *x, int n)
{
    if (!isfinite(x[0]) || !isfinite(x[n - 1]))
        return false;
    for (int k = 0; k + 1 < n; ++k)
        if (!(x[k] < x[k + 1]))
            return false;
    return true;
}

bool UsableIrregular(const float *x, const float *y, int n, float step)
{
    return x && y && n >= 1 && PositiveFinite(step) && UsablePositions(x, n);
}

// The output count over the whole of x, or 0 when the call is outside the
// domain.
int SpanCount(const float *x, const float *y, int n, float step)
{
    return UsableIrregular(x, y, n, step) ? kr::OutputCount(static_cast<double>(x[n - 1]) - x[0], step) : 0;
}

// Hands the output block over unlocked, the temporaries freed.
int Finish(Blocks &blocks, LinearisedDataset *out, const kr::OutputAxis &axis)
{
    FreeSums(blocks);
    UnlockOutputs(blocks);
    *out = {blocks.handle[0], axis.count, axis.start, axis.step};
    return 0;
}

int ScalePSF(float x0, float dx, float *y, int n, int *outCount, float scale, bool preserveFlux)
{
    if (!outCount)
        return -1;
    const bool usable = y && n >= 1 && isfinite(x0) && PositiveFinite(dx) && PositiveFinite(scale);
    const int count = usable ? kr::ScaledCount(n, scale) : 0;
    *outCount = count;
    Blocks blocks;
    if (count == 0 || !Take(blocks, 1, count, preserveFlux ? 1 : 0, n))
        return -1;
    if (preserveFlux)
        kr::RunningSum(y, n, blocks.sum[0]);
    kr::ScaleProfile(x0, dx, y, blocks.sum[0], n, scale, count, blocks.output[0]);
    memmove(y, blocks.output[0], static_cast<size_t>(count) * sizeof(float));
    Release(blocks);
    return 0;
}

} // namespace

int KRAPI LineariseDataset(const float *x, const float *y, int n, float step, LinearisedDataset *out)
{
    if (!out)
        return -1;
    *out = LinearisedDataset{};
    const int count = SpanCount(x, y, n, step);
    Blocks blocks;
    if (count == 0 || !Take(blocks, 1, count, 1, n))
        return -1;
    kr::RunningSum(y, n, blocks.sum[0]);
    const kr::FluxChannel channel = {y, blocks.sum[0], blocks.output[0]};
    const kr::OutputAxis axis = {x[0], step, count};
    kr::ResampleFlux(x, n, &channel, 1, axis, false, g_sumIndex);
    return Finish(blocks, out, axis);
}

int KRAPI LineariseDatasetPreserveVariance(const float *x, const float *y, const float *variance, int n,
                                           float step, LinearisedVarianceDataset *out)
{
    if (!out)
        return -1;
    *out = LinearisedVarianceDataset{};
    const int count = variance ? SpanCount(x, y, n, step) : 0;
    Blocks blocks;
    if (count == 0 || !Take(blocks, 2, count, 2, n))
        return -1;
    kr::RunningSum(y, n, blocks.sum[0]);
    kr::RunningSum(variance, n, blocks.sum[1]);
    // The variance is interpolated first at each point.
    const kr::FluxChannel channels[2] = {{variance, blocks.sum[1], blocks.output[1]},
                                         {y, blocks.sum[0], blocks.output[0]}};
    kr::ResampleFlux(x, n, channels, 2, {x[0], step, count}, true, g_sumIndex);
    FreeSums(blocks);
    UnlockOutputs(blocks);
    *out = {blocks.handle[0], blocks.handle[1], count, x[0], step};
    return 0;
}

int KRAPI LineariseRegularDataset(float x0, float dx, const float *y, int n, float step, LinearisedDataset *out)
{
    if (!out)
        return -1;
    *out = LinearisedDataset{};
    const bool usable = y && n >= 1 && isfinite(x0) && PositiveFinite(dx) && PositiveFinite(step);
    const int count = usable ? kr::OutputCount((n - 1) * static_cast<double>(dx), step) : 0;
    Blocks blocks;
    if (count == 0 || !Take(blocks, 1, count, 1, n))
        return -1;
    kr::RunningSum(y, n, blocks.sum[0]);
    const kr::OutputAxis axis = {static_cast<float>(floor(x0 + 0.5)), step, count};
    kr::ResampleRegularFlux(x0, dx, y, blocks.sum[0], n, axis, blocks.output[0]);
    return Finish(blocks, out, axis);
}

int KRAPI LineariseDatasetNoFluxPreserve(const float *x, const float *y, int n, float step,
                                         LinearisedDataset *out)
{
    if (!out)
        return -1;
    *out = LinearisedDataset{};
    const int count = SpanCount(x, y, n, step);
    Blocks blocks;
    if (count == 0 || !Take(blocks, 1, count, 0, n))
        return -1;
    const kr::OutputAxis axis = {x[0], step, count};
    kr::ResampleValues(x, y, n, axis, blocks.output[0], g_valueIndex);
    return Finish(blocks, out, axis);
}

int KRAPI LineariseDatasetRangeNoFluxPreserve(const float *x, const float *y, int n, float start, float end,
                                              float step, LinearisedDataset *out)
{
    if (!out)
        return -1;
    *out = LinearisedDataset{};
    if (!UsableIrregular(x, y, n, step))
        return -1;
    if (start < 0)
        start = floorf(x[0]);
    if (end < 0)
        end = ceilf(x[n - 1]);
    const int count = kr::OutputCount(static_cast<double>(end) - start, step);
    Blocks blocks;
    if (count == 0 || !Take(blocks, 1, count, 0, n))
        return -1;
    const kr::OutputAxis axis = {start, step, count};
    kr::ResampleValuesInRange(x, y, n, axis, blocks.output[0], g_valueIndex);
    return Finish(blocks, out, axis);
}

int KRAPI LinScalePSF(float x0, float dx, float *y, int n, int *outCount, float scale)
{
    return ScalePSF(x0, dx, y, n, outCount, scale, true);
}

int KRAPI LinScalePSFNoFluxPreserve(float x0, float dx, float *y, int n, int *outCount, float scale)
{
    return ScalePSF(x0, dx, y, n, outCount, scale, false);
}
