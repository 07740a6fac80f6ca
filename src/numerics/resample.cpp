#include "numerics/resample.h"

#include <limits.h>
#include <math.h>

#include "numerics/linear_interpolation.h"

namespace kr {
namespace {

int CountFrom(double truncated)
{
    if (!(truncated >= 1.0) || truncated > INT_MAX)
        return 0;
    return static_cast<int>(truncated);
}

// Position i of the axis lies exactly on sample i of x.
bool OnSample(const float *x, int n, int i, float p)
{
    return i < n && p == x[i];
}

} // namespace

int OutputCount(double span, double step)
{
    const double steps = trunc(span / step); // NaN and infinities fail below
    return steps < INT_MAX ? CountFrom(steps + 1.0) : 0;
}

int ScaledCount(int n, double scale)
{
    return CountFrom(trunc(n * scale));
}

void ResampleFlux(const float *x, int n, const FluxChannel *channels, int channelCount, const OutputAxis &axis,
                  bool freshOnlyAtPointOne, int &index)
{
    double previous[kMaxFluxChannels];
    for (int c = 0; c < channelCount; ++c) {
        channels[c].out[0] = channels[c].y[0];
        previous[c] = channels[c].y[0];
    }
    bool searched = false;
    for (int i = 1; i < axis.count; ++i) {
        const float p = AxisPosition(axis.start, axis.step, i);
        const bool onSample = OnSample(x, n, i, p);
        const bool fresh = freshOnlyAtPointOne ? i == 1 : !searched;
        for (int c = 0; c < channelCount; ++c) {
            const FluxChannel &channel = channels[c];
            if (onSample) {
                channel.out[i] = channel.y[i];
                previous[c] = channel.sum[i];
            } else {
                const double s = InterpolateIrregular(x, channel.sum, n, p, index, fresh);
                channel.out[i] = static_cast<float>(s - previous[c]);
                previous[c] = s;
            }
        }
        searched = searched || !onSample;
    }
}

void ResampleValues(const float *x, const float *y, int n, const OutputAxis &axis, float *out, int &index)
{
    out[0] = y[0];
    for (int i = 1; i < axis.count; ++i) {
        const float p = AxisPosition(axis.start, axis.step, i);
        out[i] = OnSample(x, n, i, p) ? y[i]
                                      : static_cast<float>(InterpolateIrregular(x, y, n, p, index, i == 1));
    }
}

void ResampleValuesInRange(const float *x, const float *y, int n, const OutputAxis &axis, float *out,
                           int &index)
{
    for (int i = 0; i < axis.count; ++i) {
        const float p = AxisPosition(axis.start, axis.step, i);
        out[i] = p < x[0] || p > x[n - 1] ? 0.0f
                                          : static_cast<float>(InterpolateIrregular(x, y, n, p, index, i == 0));
    }
}

void ResampleRegularFlux(double x0, double dx, const float *y, const double *sum, int n, const OutputAxis &axis,
                         float *out)
{
    const double last = x0 + (n - 1) * dx;
    out[0] = y[0];
    double previous = y[0];
    for (int i = 1; i < axis.count; ++i) {
        const float p = AxisPosition(axis.start, axis.step, i);
        const int k = TruncToInt((p - x0) / dx + 0.5); // the nearest sample
        const double g = k * dx + x0;
        if (k >= 0 && k < n && g == p) {
            out[i] = y[k];
            previous = sum[k];
            continue;
        }
        double s;
        if (p <= x0)
            s = sum[0];
        else if (p >= last)
            s = sum[n - 1];
        else
            s = InterpolateRegular(x0, dx, sum, n, g > p ? k - 1 : k, p);
        out[i] = static_cast<float>(s - previous);
        previous = s;
    }
}

void ScaleProfile(double x0, double dx, const float *y, const double *sum, int n, double scale, int count,
                  float *out)
{
    out[0] = y[0];
    double previous = y[0];
    for (int i = 1; i < count; ++i) {
        const int k = TruncToInt(i / scale);
        const float p = static_cast<float>(x0 + i * dx / scale);
        const bool onSample = k < n - 1 && i * dx + x0 == p;
        if (!sum) {
            out[i] = k >= n - 1 ? y[n - 1]
                     : onSample ? y[k]
                                : static_cast<float>(InterpolateRegular(x0, dx, y, n, k, p));
            continue;
        }
        if (onSample) {
            out[i] = y[k];
            previous = sum[k];
            continue;
        }
        const double s = k >= n - 1 ? sum[n - 1] : InterpolateRegular(x0, dx, sum, n, k, p);
        out[i] = static_cast<float>(s - previous);
        previous = s;
    }
}

} // namespace kr
