// Retention time to retention index or logP, linear between calibration
// points, in hundredths of a time unit.
#include <math.h>

#include "krnumerics.h"

namespace {

// trunc(time * 100 + 0.5), kept as a double so that no time can overflow
// an integer.
double Hundredths(float time)
{
    return trunc(time * 100.0 + 0.5);
}

int Interpolate(float time, const RetentionCalibration *record, const float *values, float *out)
{
    if (!out)
        return 0;
    *out = 0.0f;
    if (!record || record->numberOfPoints < 2)
        return 0;
    const double t = Hundredths(time);
    if (!isfinite(t))
        return 0;
    const int points = record->numberOfPoints < RT_MAX_CALIBRATION_POINTS ? record->numberOfPoints
                                                                           : RT_MAX_CALIBRATION_POINTS;
    for (int j = 0; j + 1 < points; ++j) {
        const double t0 = Hundredths(record->time[j]), t1 = Hundredths(record->time[j + 1]);
        if (!(t0 <= t && t <= t1) || isinf(t0) || isinf(t1))
            continue;
        if (t0 == t1) { // no slope: the point itself
            *out = values[j];
            return 1;
        }
        const double slope = (double(values[j + 1]) - values[j]) / (t1 - t0);
        *out = static_cast<float>(values[j] - t0 * slope + t * slope);
        return 1;
    }
    return 0;
}

} // namespace

int KRAPI RTIndicesCalculateIndex(float time, const RetentionCalibration *record, float *index)
{
    return Interpolate(time, record, record ? record->index : nullptr, index);
}

int KRAPI RTIndicesCalculateLogP(float time, const RetentionCalibration *record, float *logP)
{
    return Interpolate(time, record, record ? record->logP : nullptr, logP);
}
