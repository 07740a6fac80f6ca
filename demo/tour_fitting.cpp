// Fits: the covariances of a mass calibration and a detector's calibration
// line by polynomial regression.
#include <stdio.h>

#include "demo_common.h"

namespace krdemo {

void TourCalibration()
{
    Heading("Calibration covariances");
    // The decomposition of a root-mass calibration fit in Legendre
    // polynomials P0..P2: V and the singular values.
    const double rows[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const double *v[3] = {rows[0], rows[1], rows[2]};
    const double w[3] = {1e3, 1e4, 1e6};
    double packed[6];
    printf("  MakeCovariances0 -> %d; power-basis covariances:", MakeCovariances0(v, w, 3, 0.0, packed, 6));
    for (double c : packed)
        printf(" %.3g", c);
    printf("\n");
    const CCalCovar model(v, w, 3, false, true, 1.0);
    char text[256];
    printf("  its text form:\n    %s\n", model.Format(text, sizeof text));
    const float masses[] = {200.0f, 500.0f, 1000.0f};
    float sigmas[] = {0.05f, 0.05f, 0.05f};
    CalibrateSigmas(packed, 2, 100.0f, 1200.0f, masses, sigmas, 3);
    printf("  peak sigmas of 0.05 widened by the calibration:");
    for (int i = 0; i < 3; ++i)
        printf(" m %.0f -> %.4f", masses[i], sigmas[i]);
    printf("\n  two-sigma band:");
    float band[6];
    GetVariances(0, packed, 2, 100.0f, 200.0f, 6, band);
    for (int i = 0; i < 6; ++i)
        printf(" %.0f: %.4f", 100.0 + 200.0 * i, band[i]);
    printf("\n");
}

void TourRegression()
{
    Heading("Polynomial regression");
    // A detector calibration line: responses at five standard concentrations,
    // the middle one measured three times (so weighted 3), a blank that is
    // excluded, and an outlier given weight 0.
    const struct {
        double concentration, response, weight;
        bool excluded;
    } standards[] = {{0.0, 0.8, 1, true},  {1.0, 10.9, 1, false}, {2.0, 21.2, 1, false}, {5.0, 50.6, 3, false},
                     {8.0, 80.1, 1, false}, {9.0, 140.0, 0, false}, {10.0, 99.5, 1, false}};
    CLinearRegression line;
    for (const auto &s : standards)
        line.AddRegressionPoint(s.concentration, s.response, s.weight, s.excluded);
    double c[3];
    for (bool force : {false, true}) {
        line.SetForceOrigin(force);
        const bool ok = line.Calculate();
        line.GetPolynomial(c);
        printf("  line%s: Calculate -> %d, response = %.4f + %.4f x, r^2 %.6f, r %.6f\n",
               force ? " through the origin" : "", ok, c[0], c[1], line.GetRSquared(), line.GetR());
    }
    line.SetForceOrigin(false);
    line.SetPolynomialOrder(2);
    const bool ok = line.Calculate();
    printf("  quadratic: Calculate -> %d, coefficients (%d):", ok, line.GetNumCoefficients());
    line.GetPolynomial(c);
    for (double k : c)
        printf(" %.6g", k);
    printf(", r^2 %.6f\n", line.GetRSquared());
}

} // namespace krdemo
