// Resampling of profiles onto a regular output axis, into caller-provided
// arrays: the arithmetic behind the Linearise and LinScalePSF exports,
// apart from their memory blocks and argument checks.
#ifndef KR_NUMERICS_RESAMPLE_H
#define KR_NUMERICS_RESAMPLE_H

namespace kr {

// Output point i at start + i*step (rounded to float), i < count.
struct OutputAxis {
    float start;
    float step;
    int count;
};

// trunc(span / step) + 1, or 0 when that is not an int of at least 1.
int OutputCount(double span, double step);
// trunc(n * scale), or 0 when that is not an int of at least 1.
int ScaledCount(int n, double scale);

// A profile over ascending positions x[0..n-1], its running sum, and the
// array that receives its flux-preserving resampling.
struct FluxChannel {
    const float *y;
    const double *sum;
    float *out;
};

constexpr int kMaxFluxChannels = 2;

// Flux-preserving resampling of up to kMaxFluxChannels profiles sharing the axis x,
// interpolated in channel order at each point. The search asks for a fresh
// estimate at the first point that needs one, or only at point 1.
void ResampleFlux(const float *x, int n, const FluxChannel *channels, int channelCount, const OutputAxis &axis,
                  bool freshOnlyAtPointOne, int &index);

// Interpolated values from point 0 = y[0], points on x[i] taking y[i]; the
// search asks for a fresh estimate only at point 1.
void ResampleValues(const float *x, const float *y, int n, const OutputAxis &axis, float *out, int &index);

// Interpolated values, 0 outside [x[0], x[n-1]]; the search asks for a fresh
// estimate only at point 0.
void ResampleValuesInRange(const float *x, const float *y, int n, const OutputAxis &axis, float *out,
                           int &index);

// Flux-preserving resampling of y at x0 + k*dx.
void ResampleRegularFlux(double x0, double dx, const float *y, const double *sum, int n, const OutputAxis &axis,
                         float *out);

// y at x0 + k*dx stretched by scale: count points at x0 + i*dx/scale,
// flux-preserving when sum is given, else interpolated values.
void ScaleProfile(double x0, double dx, const float *y, const double *sum, int n, double scale, int count,
                  float *out);

} // namespace kr

#endif
