// The calibration covariance services as plain functions, each on a
// temporary CCalCovar, for callers that cannot use the class.
#include "krnumerics.h"

#include <math.h>

namespace {

int CopyOut(const CCalCovar &model, double *out, int size)
{
    return model.GetCovariances(out, size) ? 0 : 1;
}

} // namespace

int KRAPI MakeCovariances(const double *const *v, const double *w, int numCoefficients, double, double *out,
                          int size)
{
    const CCalCovar model(v, w, numCoefficients, true, true, 1.0);
    return CopyOut(model, out, size);
}

int KRAPI MakeCovariances0(const double *const *v, const double *w, int numCoefficients, double, double *out,
                           int size)
{
    const CCalCovar model(v, w, numCoefficients, false, true, 1.0);
    return CopyOut(model, out, size);
}

int KRAPI CalibrateSigmas(const double *covariances, int order, float from, float to, const float *masses,
                          float *sigmas, int count)
{
    if (count > 0 && (!masses || !sigmas))
        return 1;
    CCalCovar model(true, covariances, order, 1.0);
    if (!model.MakeLookupTable(from, to))
        return 1;
    for (int i = 0; i < count; ++i) {
        const double sigma = sigmas[i];
        sigmas[i] = static_cast<float>(sqrt(sigma * sigma + model.GetVariance(masses[i])));
    }
    return 0;
}

void KRAPI GetVariances(int, const double *covariances, int order, float start, float step, int count, float *out)
{
    if (!out)
        return;
    const CCalCovar model(true, covariances, order, 1.0);
    float mass = start;
    for (int i = 0; i < count; ++i) {
        out[i] = static_cast<float>(2.0 * sqrt(model.GetVariance(mass)));
        mass = mass + step;
    }
}
