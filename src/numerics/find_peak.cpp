// The most intense, or the nearest, sample above a threshold in a window
// around a position of an ascending axis.
#include <math.h>

#include "krnumerics.h"

int KRAPI FindPeak(const float *x, const float *y, unsigned int n, float centre, float halfWidth,
                   int mostIntense, float threshold)
{
    if (!x || !y)
        return -1;
    const float lo = centre - halfWidth, hi = centre + halfWidth;
    int best = -1;
    for (unsigned int i = 0; i < n; ++i) {
        if (x[i] > hi)
            break;
        // Written as negated tests so that NaN positions, intensities and
        // bounds never qualify.
        if (!(x[i] >= lo) || !(y[i] >= threshold))
            continue;
        if (best < 0) {
            best = static_cast<int>(i);
        } else if (mostIntense) {
            if (y[i] > y[best])
                best = static_cast<int>(i);
        } else {
            // Positions ascend: once a sample is no nearer, none further on is.
            if (!(fabs(double(x[i]) - centre) < fabs(double(x[best]) - centre)))
                break;
            best = static_cast<int>(i);
        }
    }
    return best;
}
