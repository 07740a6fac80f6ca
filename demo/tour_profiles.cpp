// Sampled profiles: a chromatographic peak (apex, half-area position,
// retention index) and a spectrum resampled onto a regular axis.
#include <math.h>
#include <stdio.h>

#include "demo_common.h"

namespace krdemo {

namespace {

void PrintResampled(const char *what, const LinearisedDataset &out)
{
    printf("  %s, from %.1f step %.1f:", what, out.start, out.step);
    const float *values = static_cast<const float *>(GlobalLock(out.data));
    double total = 0;
    for (int i = 0; i < out.count; ++i) {
        printf(" %.2f", values[i]);
        total += values[i];
    }
    printf("  (sum %.2f)\n", total);
    GlobalUnlock(out.data);
    GlobalFree(out.data);
}

} // namespace

void TourPeaksAndIndices()
{
    Heading("A chromatographic peak: apex, half-area position, retention index");
    // A peak of sigma 0.04 min at 3.37 min, sampled every 0.02 min, on a
    // small noisy baseline.
    float time[61], signal[61], weighted[122];
    for (int i = 0; i < 61; ++i) {
        time[i] = 2.8f + 0.02f * i;
        const double d = time[i] - 3.37;
        signal[i] = static_cast<float>(1000.0 * exp(-d * d / (2 * 0.04 * 0.04)) + 5.0 * ((i * 7) % 3));
    }
    const int apex = FindPeak(time, signal, 61, 3.4f, 0.2f, 1, 100.0f);
    printf("  FindPeak, most intense within 3.40 +- 0.20 min: sample %d at %.2f min (%.0f counts)\n", apex,
           time[apex], signal[apex]);
    const QuantileProfile profile{time, signal, 61};
    const QuantileRange range{static_cast<float>(apex - 10), static_cast<float>(apex + 10), 0.5f};
    QuantileResult square;
    SquareQuantile(&profile, &range, &square);
    printf("  SquareQuantile, samples %d..%d: half the area (%.0f) at %.4f min\n", apex - 10, apex + 10,
           square.area, square.position);
    const GaussianProfile gaussian{time, signal, weighted, 61};
    QuantilePeak peak{apex, apex - 10, apex + 10, 0.5f};
    QuantileResult weightedHalf;
    GaussianQuantile(&gaussian, &peak, &weightedHalf);
    printf("  GaussianQuantile: weighted peak spans samples %d..%d, half its area at %.4f min\n", peak.left,
           peak.right, weightedHalf.position);

    RetentionCalibration calibration{};
    const float times[] = {1.00f, 2.50f, 4.00f, 6.00f}, indices[] = {800, 900, 1000, 1100},
                logPs[] = {1.5f, 2.1f, 2.8f, 3.6f};
    for (int j = 0; j < 4; ++j) {
        calibration.time[j] = times[j];
        calibration.index[j] = indices[j];
        calibration.logP[j] = logPs[j];
    }
    calibration.numberOfPoints = 4;
    calibration.calibrated = 1;
    calibration.startIndex = 8;
    calibration.endIndex = 11;
    calibration.increment = 1;
    RTIndicesSetRetentionCalibration(nullptr, &calibration);
    printf("  calibration stored in [ChrRetentionCalibration]:");
    for (const char *key : {"NumberOfChannels", "StartIndex", "Time1", "Index1", "LogP1", "Time4"})
        printf(" %s=%s", key, IniValue("ChrRetentionCalibration", key).c_str());
    RetentionCalibration loaded;
    RTIndicesGetRetentionCalibration(nullptr, &loaded);
    float index = 0.0f, logP = 0.0f;
    const int ok = RTIndicesCalculateIndex(weightedHalf.position, &loaded, &index);
    RTIndicesCalculateLogP(weightedHalf.position, &loaded, &logP);
    printf("\n  the peak at %.2f min: retention index %.1f, logP %.2f (result %d)\n", weightedHalf.position, index,
           logP, ok);
    printf("  at 7.00 min, past the last point: result %d\n", RTIndicesCalculateIndex(7.0f, &loaded, &index));
}

void TourResampling()
{
    Heading("Resampling a spectrum onto a regular axis");
    // A peak sampled at irregular mass positions.
    const float mass[] = {100.0f, 100.3f, 100.9f, 101.2f, 101.4f, 102.1f, 102.8f, 103.0f};
    const float intensity[] = {1, 4, 12, 20, 15, 6, 2, 1};
    printf("  input (mass: intensity):");
    for (int k = 0; k < 8; ++k)
        printf(" %.1f: %.0f", mass[k], intensity[k]);
    printf("  (sum 61)\n");
    LinearisedDataset out;
    if (LineariseDataset(mass, intensity, 8, 0.5f, &out) == 0)
        PrintResampled("flux-preserving", out);
    if (LineariseDatasetNoFluxPreserve(mass, intensity, 8, 0.5f, &out) == 0)
        PrintResampled("interpolated   ", out);
    float psf[16] = {0, 2, 8, 2, 0};
    int count = 0;
    LinScalePSF(-1.0f, 0.5f, psf, 5, &count, 2.0f);
    printf("  a 5-point peak shape stretched twice as wide, %d points:", count);
    for (int i = 0; i < count; ++i)
        printf(" %.2f", psf[i]);
    printf("\n");
}

} // namespace krdemo
