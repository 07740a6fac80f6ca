// Area quantiles, peak finding and retention calibrations through the DLL.
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
        {"the middle of three crossings of the half", {0, 1, 2}, {4, -4, 4}, -0.5f, 2.5f, 0.5f, 1, 4},
        {"extrapolated from the first interval", half, rising, 0, 0.4f, -10, 8, 0.4f},
        {"extrapolated from the last interval", half, rising, 2.8f, 3.4f, 30, 10 + 20.8f / 2, 0.6f * 4},
        {"crossing in the last piece: 5 + 4 (p - 2.5) = 0.9 (2 + 3 + 2.8)", at, rising, 0.5f, 3.2f, 0.9f, 3.005f, 7.8f},
        {"one sample: no slope", {5}, {1}, -0.5f, 0.5f, 0.9f, 5, 1},
        {"no samples", {}, {}, 0, 1, 0.5f, 0, 0},
        {"a bound that is not a number", half, rising, NAN, 1, 0.5f, NAN, NAN},
    };
    auto same = [](double a, double b) { return fabs(a - b) < 1e-5 || (isnan(a) && isnan(b)); };
    for (const auto &c : cases) {
        for (const QuantileRange &range :
             {QuantileRange{c.from, c.to, c.fraction}, QuantileRange{c.to, c.from, c.fraction}}) {
            const QuantileProfile profile{c.x.data(), c.y.data(), static_cast<int>(c.x.size())};
            QuantileResult r;
            SquareQuantile(&profile, &range, &r);
            EXPECT_TRUE(same(c.position, r.position) && same(c.area, r.area)) << c.what;
        }
    }
    SquareQuantile(nullptr, nullptr, nullptr);
}

TEST(GaussianQuantile, WindowWidthExtentAndPosition)
{
    // Sigma 0.3 in the window of s = 2 sigma^2 reaches 0.001 at d = 0.984 for
    // height 50, 0.907 for 10; the quartile is 0.67449 sigma / sqrt 2 below.
    // A flat top takes the smaller half-way distance, 5 - 3 against 8 - 5.
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
        {"a negative apex", {0, 1, 2, 3, 4}, {-1, -2, -5, -2, -1}, {2, 0, 4, 0.5f}, 2, 2, 0, 2, 0},
        {"apex outside", {3}, {2}, {1, 0, 2, 0.5f}, 0, 2, 0, 0, 0},
        {"no samples: null arrays", {}, {}, {0, 1, 2, 0.5f}, 1, 2, 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Floats weighted(2 * c.x.size() + 1, -7.0f);
        const GaussianProfile profile{c.x.data(), c.y.data(), weighted.data(), static_cast<int>(c.x.size())};
        QuantilePeak peak = c.given;
        QuantileResult result;
        GaussianQuantile(&profile, &peak, &result);
        EXPECT_NEAR(c.apexWeighted ? c.apexWeighted : -7, weighted[c.x.size()], 1e-5 * c.apexWeighted);
        EXPECT_TRUE(peak.left == c.left && peak.right == c.right) << peak.left << " " << peak.right;
        EXPECT_TRUE(isnan(c.position) || fabs(result.position - c.position) < (c.given.fraction < 0.5f ? 2e-3 : 1e-6))
            << result.position;
        EXPECT_TRUE(isnan(c.area) || fabs(result.area - c.area) <= 1e-4 * c.area) << result.area;
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
        {"bounds and threshold inclusive", x, 7, 1.5f, 0.5f, 1, 5, 0},
        {"a sample below the threshold does not stop the nearest scan", x, 7, 4.9f, 2, 0, 2, 4},
        {"no positions", nullptr, 7, 4, 3, 1, 0, -1},
        {"the nearest scan stops", jumbled, 3, 4.1f, 2, 0, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, FindPeak(c.x, y, c.n, c.centre, c.halfWidth, c.mostIntense, c.threshold)) << c.what;
}

TEST(RetentionIndices, ConversionsAndTheCalibrationFile)
{
    // Times in hundredths, rounded in double precision (1.005f is 1.00499999);
    // a record: calibrated, points, start, end, increment, index, logP, time.
    const RetentionCalibration two = {0, 2, 0, 0, 0, {100, 200}, {3, 5}, {1, 2}};
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
        {"before the first point", two, 0.5f, 0, 0},
        {"one point only", {0, 1, 0, 0, 0, {100}, {3}, {1}}, 1.0f, 0, 0},
        {"a shared point", {0, 4, 0, 0, 0, {100, 200, 500, 600}, {}, {1, 2, 2, 3}}, 2.0f, 1, 200},
        {"a segment of zero width: its first point", {0, 3, 0, 0, 0, {100, 300, 400}, {}, {1, 1, 2}}, 1.0f, 1, 100},
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

    // Missing keys load their defaults; values are stored with two decimals.
    RetentionCalibration c, defaults = {0, 0, 1, 14, 1, {}, {}, {}};
    memset(&c, 0x55, sizeof c);
    ASSERT_EQ(1, RTIndicesGetRetentionCalibration("NoSuchSection", &c));
    EXPECT_EQ(0, memcmp(&defaults, &c, sizeof c));
    EXPECT_FALSE(RTIndicesGetRetentionCalibration(nullptr, nullptr) ||
                 RTIndicesSetRetentionCalibration(nullptr, nullptr));
    c = {1, 2, 5, 9, 2, {100, 200.456f}, {-0.5f, 1.25f}, {1.234f, 2.5f}};
    ASSERT_EQ(1, RTIndicesSetRetentionCalibration(nullptr, &c));
    EXPECT_EQ(0, RTIndicesSetRetentionCalibration("Caf\xe9", &c)); // a name the INI file refuses
    const std::string text = krtest::ReadTextFile(krtest::IniFilePath());
    EXPECT_NE(std::string::npos, text.find("[ChrRetentionCalibration]\r\nNumberOfChannels=2\r\nStartIndex=5\r\n"
                                           "EndIndex=9\r\nIncrement=2\r\nCalibrated=1\r\n"
                                           "Index0=100.00\r\nLogP0=-0.50\r\nTime0=1.23\r\nIndex1=200.46\r\n"))
        << text;
    EXPECT_EQ("0.00", krtest::ReadIniValue("ChrRetentionCalibration", "Time31"));
    ASSERT_EQ(1, RTIndicesGetRetentionCalibration(nullptr, &c));
    EXPECT_TRUE(c.time[0] == 1.23f && c.index[1] == 200.46f && c.increment == 2);
}
