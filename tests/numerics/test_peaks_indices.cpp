// Area quantiles (worked cases and a Gaussian's closed form), peak finding,
// and retention calibrations: conversions of times, keys in KESTRUNE.INI.
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include <string>
#include <vector>

#include "krnumerics.h"
#include "support/work_dir.h"

using Floats = std::vector<float>;

TEST(SquareQuantile, WorkedCasesAndBadInput)
{
    // The running area of {4, -4, 4} meets the half-area level at indices 0,
    // 1 and 2: the middle one counts.
    const Floats half = {10, 10.5f, 11, 11.5f}, rising = {1, 2, 3, 4}, at = {0, 1, 2, 3};
    const struct {
        const char *what;
        Floats x, y;
        float from, to, fraction, position, area;
    } cases[] = {
        {"triangle: sample 1 whole, sample 4 not at all", {0, 1, 2, 3, 4}, {0, 1, 2, 1, 0}, 0.5f, 3.5f, 0.5f, 2, 4},
        {"inside one sample: the bounds mixed", half, rising, 1.6f, 1.9f, 0.25f, 10 + 1.675f / 2, 0.3f * 3},
        {"clamped to the profile", at, rising, -3, 9, 0.5f, 1.5f + 2.0f / 3, 10},
        {"-0.9 rounds to sample 0, and stays", at, rising, -0.9f, 0.5f, 0.5f, -0.2f, 1.4f},
        {"the middle of three crossings", {0, 1, 2}, {4, -4, 4}, -0.5f, 2.5f, 0.5f, 1, 4},
        {"extrapolated from the first interval", half, rising, 0, 0.4f, -10, 8, 0.4f},
        {"extrapolated from the last interval", half, rising, 2.8f, 3.4f, 30, 10 + 20.8f / 2, 0.6f * 4},
        {"one sample: no slope", {5}, {1}, -0.5f, 0.5f, 0.9f, 5, 1},
        {"no samples", {}, {}, 0, 1, 0.5f, 0, 0},
    };
    for (const auto &c : cases) {
        for (const QuantileRange &range : {QuantileRange{c.from, c.to, c.fraction}, QuantileRange{c.to, c.from, c.fraction}}) {
            const QuantileProfile profile{c.x.data(), c.y.data(), static_cast<int>(c.x.size())};
            QuantileResult r;
            SquareQuantile(&profile, &range, &r);
            EXPECT_TRUE(fabs(c.position - r.position) < 1e-5 && fabs(c.area - r.area) < 1e-5) << c.what;
        }
    }
    const QuantileProfile profile{half.data(), rising.data(), 4};
    const QuantileRange range{NAN, 1, 0.5f};
    QuantileResult r;
    SquareQuantile(&profile, &range, &r);
    EXPECT_TRUE(isnan(r.position) && isnan(r.area));
    SquareQuantile(nullptr, nullptr, nullptr);
}

TEST(GaussianQuantile, WindowWidthExtentAndPosition)
{
    // A Gaussian of sigma 0.3 weighted by the window of s = 2 sigma^2 falls to
    // 0.001 at d = 0.984 for height 50 (20 samples of 0.05 out), 0.907 for 10
    // (19 out). Its half-area point is the apex, its quartile 0.67449 sigma /
    // sqrt 2 below; its area is the weighted integral / dx. A flat top takes
    // the smaller half-way distance, 5 - 3 against 8 - 5. Without a window:
    // the apex and no area; outside the profile, nothing at all.
    Floats axis, y50, y10;
    for (int i = 0; i < 81; ++i) {
        axis.push_back(i * 0.05f);
        y50.push_back(static_cast<float>(50 * exp(-(i * 0.05 - 2.0) * (i * 0.05 - 2.0) / 0.18)));
        y10.push_back(y50.back() / 5);
    }
    const double apex = 50 / sqrt(M_PI * 0.18), area = apex * 0.3 * sqrt(M_PI) / 0.05;
    const struct {
        const char *what;
        Floats x, y;
        QuantilePeak given;
        int left, right;
        double apexWeighted, position, area; // 0: no window; NaN: not checked
    } cases[] = {
        {"a Gaussian", axis, y50, {40, 25, 55, 0.5f}, 20, 60, apex, 2, area},
        {"its quartile", axis, y50, {40, 25, 55, 0.25f}, 20, 60, apex, 2 - 0.6744897501960817 * 0.3 / sqrt(2.0), area},
        {"apex at the last sample", Floats(axis.begin(), axis.begin() + 41), Floats(y10.begin(), y10.begin() + 41),
         {40, 20, 40, 0.5f}, 21, 41, apex / 5, NAN, NAN},
        {"a flat top", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 0, 1, 4, 4, 4, 4, 4, 1, 0, 0}, {5, 1, 9, 0.5f}, 1, 9,
         4 / sqrt(M_PI * 2), NAN, NAN},
        {"one sample", {3}, {2}, {0, 0, 0, 0.5f}, 0, 0, 0, 3, 0},
        {"apex outside", {3}, {2}, {1, 0, 2, 0.5f}, 0, 2, 0, 0, 0},
    };
    for (const auto &c : cases) {
        Floats weighted(2 * c.x.size(), -7.0f);
        const GaussianProfile profile{c.x.data(), c.y.data(), weighted.data(), static_cast<int>(c.x.size())};
        QuantilePeak peak = c.given;
        QuantileResult result;
        GaussianQuantile(&profile, &peak, &result);
        EXPECT_NEAR(c.apexWeighted ? c.apexWeighted : -7, weighted[c.x.size()], 1e-5 * c.apexWeighted) << c.what;
        EXPECT_TRUE(peak.left == c.left && peak.right == c.right) << c.what << peak.left << peak.right;
        EXPECT_TRUE(isnan(c.position) || fabs(result.position - c.position) < (c.given.fraction < 0.5f ? 2e-3 : 1e-6))
            << c.what << result.position;
        EXPECT_TRUE(isnan(c.area) || fabs(result.area - c.area) <= 1e-4 * c.area) << c.what << result.area;
    }
    GaussianQuantile(nullptr, nullptr, nullptr);
}

TEST(FindPeak, Choices)
{
    // Out of order on purpose: the nearer third sample is never examined.
    const float x[] = {1, 2, 3, 4, 5, 6, 7}, y[] = {5, 1, 9, 0, 9, 3, 8}, jumbled[] = {4.5f, 5.5f, 4.0f};
    const struct {
        const char *what;
        const float *x;
        unsigned n;
        float centre, halfWidth;
        int mostIntense;
        float threshold;
        int expected;
    } cases[] = {
        {"nothing in the window", x, 7, 10, 1, 1, 0, -1},
        {"nearest of two at equal distance: the first", x, 7, 4, 1, 0, 2, 2},
        {"most intense of two equal maxima: the first", x, 7, 4, 3, 1, 2, 2},
        {"most intense: a later, higher sample wins", x, 7, 6.5f, 1, 1, 0, 6},
        {"bounds and threshold inclusive", x, 7, 1.5f, 0.5f, 1, 5, 0},
        {"a sample below the threshold does not stop the nearest scan", x, 7, 4.9f, 2, 0, 2, 4},
        {"a threshold that is not a number", x, 7, 4, 3, 1, NAN, -1},
        {"no positions", nullptr, 7, 4, 3, 1, 0, -1},
        {"the nearest scan stops", jumbled, 3, 4.1f, 2, 0, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, FindPeak(c.x, y, c.n, c.centre, c.halfWidth, c.mostIntense, c.threshold)) << c.what;
}

namespace {

// Points of (time, index, logP).
RetentionCalibration Calibration(std::initializer_list<std::initializer_list<float>> points)
{
    RetentionCalibration c{};
    for (const auto &p : points) {
        c.time[c.numberOfPoints] = p.begin()[0];
        c.index[c.numberOfPoints] = p.begin()[1];
        c.logP[c.numberOfPoints++] = p.begin()[2];
    }
    return c;
}

} // namespace

TEST(RetentionIndices, Conversions)
{
    // Times in hundredths, rounded in double precision (1.005f is
    // 1.00499999); the earlier of two segments answers.
    const RetentionCalibration two = Calibration({{1.00f, 100, 3}, {2.00f, 200, 5}});
    const struct {
        const char *what;
        RetentionCalibration calibration;
        float time;
        int ok;
        float index;
    } cases[] = {
        {"between", two, 1.5f, 1, 150},
        {"rounded down to the first point", two, 1.004f, 1, 100},
        {"rounded down in double precision", two, 1.005f, 1, 100},
        {"rounded up past the last point", two, 2.006f, 0, 0},
        {"one point only", Calibration({{1.0f, 100, 3}}), 1.0f, 0, 0},
        {"a shared point", Calibration({{1, 100, 0}, {2, 200, 0}, {2, 500, 0}, {3, 600, 0}}), 2.0f, 1, 200},
        {"a segment of zero width: its first point", Calibration({{1, 100, 0}, {1, 300, 0}, {2, 400, 0}}), 1.0f, 1, 100},
        {"not a number", two, NAN, 0, 0},
    };
    for (const auto &c : cases) {
        float index = -1.0f;
        EXPECT_EQ(c.ok, RTIndicesCalculateIndex(c.time, &c.calibration, &index)) << c.what;
        EXPECT_FLOAT_EQ(c.index, index) << c.what;
    }
    float logP = -1.0f;
    EXPECT_TRUE(RTIndicesCalculateLogP(1.5f, &two, &logP) == 1 && logP == 4.0f);
    EXPECT_EQ(0, RTIndicesCalculateIndex(1.5f, nullptr, &logP) + RTIndicesCalculateIndex(1.5f, &two, nullptr));
}

TEST(RetentionCalibrationFile, DefaultsAndTwoDecimals)
{
    RetentionCalibration c, expected{};
    expected.startIndex = expected.increment = 1;
    expected.endIndex = 14;
    memset(&c, 0x55, sizeof c);
    ASSERT_EQ(1, RTIndicesGetRetentionCalibration("NoSuchSection", &c));
    EXPECT_EQ(0, memcmp(&expected, &c, sizeof c));
    EXPECT_EQ(0, RTIndicesGetRetentionCalibration(nullptr, nullptr) + RTIndicesSetRetentionCalibration(nullptr, nullptr));
    c = Calibration({{1.234f, 100, -0.5f}, {2.5f, 200.456f, 1.25f}});
    c.calibrated = 1;
    c.startIndex = 5;
    c.endIndex = 9;
    c.increment = 2;
    ASSERT_EQ(1, RTIndicesSetRetentionCalibration(nullptr, &c));
    EXPECT_EQ(0, RTIndicesSetRetentionCalibration("Caf\xe9", &c)); // a name the INI file refuses
    const std::string text = krtest::ReadTextFile(krtest::IniFilePath());
    EXPECT_NE(std::string::npos, text.find("[ChrRetentionCalibration]\r\nNumberOfChannels=2\r\nStartIndex=5\r\n"
                                           "EndIndex=9\r\nIncrement=2\r\nCalibrated=1\r\n"
                                           "Index0=100.00\r\nLogP0=-0.50\r\nTime0=1.23\r\nIndex1=200.46\r\n"))
        << text;
    EXPECT_EQ("0.00", krtest::ReadIniValue("ChrRetentionCalibration", "Time31"));
    RetentionCalibration back;
    ASSERT_EQ(1, RTIndicesGetRetentionCalibration("ChrRetentionCalibration", &back));
    c.time[0] = 1.23f;
    c.index[1] = 200.46f;
    EXPECT_EQ(0, memcmp(&c, &back, sizeof c));
}
