// Retention calibrations in KESTRUNE.INI and the conversions of times to
// retention indices and logP values.
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include <string>

#include "krnumerics.h"
#include "support/work_dir.h"

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
    struct Case {
        const char *what;
        RetentionCalibration calibration;
        float time;
        int ok;
        float index;
    };
    const RetentionCalibration two = Calibration({{1.00f, 100, 3}, {2.00f, 200, 5}});
    const RetentionCalibration step = Calibration({{1, 100, 0}, {1, 300, 0}, {2, 400, 0}});
    const Case cases[] = {
        {"between", two, 1.5f, 1, 150},
        {"rounded down to the first point", two, 1.004f, 1, 100},
        {"rounded up past the last point", two, 2.006f, 0, 0},
        {"one point only", Calibration({{1.0f, 100, 3}}), 1.0f, 0, 0},
        {"a shared point: the earlier segment",
         Calibration({{1, 100, 0}, {2, 200, 0}, {2, 500, 0}, {3, 600, 0}}), 2.0f, 1, 200},
        {"a segment of zero width: its first point", step, 1.0f, 1, 100},
        {"past a segment of zero width", step, 1.5f, 1, 350},
        {"a descending segment never matches", Calibration({{2, 100, 0}, {1, 200, 0}}), 1.5f, 0, 0},
        {"not a number", two, NAN, 0, 0},
        {"infinite", two, INFINITY, 0, 0},
    };
    for (const Case &c : cases) {
        float index = -1.0f;
        EXPECT_EQ(c.ok, RTIndicesCalculateIndex(c.time, &c.calibration, &index)) << c.what;
        EXPECT_FLOAT_EQ(c.index, index) << c.what;
    }
    float logP = -1.0f;
    EXPECT_EQ(1, RTIndicesCalculateLogP(1.5f, &two, &logP));
    EXPECT_FLOAT_EQ(4.0f, logP);
    EXPECT_EQ(0, RTIndicesCalculateLogP(0.5f, &two, &logP));
    EXPECT_EQ(0.0f, logP);
    EXPECT_EQ(0, RTIndicesCalculateIndex(1.5f, nullptr, &logP));
    EXPECT_EQ(0, RTIndicesCalculateIndex(1.5f, &two, nullptr));
}

TEST(RetentionIndices, OnlyTheFirst32PointsCount)
{
    RetentionCalibration c{};
    c.numberOfPoints = 1000;
    for (int j = 0; j < RT_MAX_CALIBRATION_POINTS; ++j)
        c.index[j] = 100.0f * (c.time[j] = static_cast<float>(j));
    float index;
    EXPECT_EQ(1, RTIndicesCalculateIndex(30.5f, &c, &index));
    EXPECT_FLOAT_EQ(3050.0f, index);
    EXPECT_EQ(0, RTIndicesCalculateIndex(31.5f, &c, &index));
}

TEST(RetentionCalibrationFile, MissingKeysLoadTheirDefaultsAndOtherTextReadsAsANumber)
{
    RetentionCalibration c, expected{};
    expected.startIndex = 1;
    expected.endIndex = 14;
    expected.increment = 1;
    memset(&c, 0x55, sizeof c);
    ASSERT_EQ(1, RTIndicesGetRetentionCalibration("NoSuchSection", &c));
    EXPECT_EQ(0, memcmp(&expected, &c, sizeof c));
    EXPECT_EQ(0, RTIndicesGetRetentionCalibration(nullptr, nullptr));
    EXPECT_EQ(0, RTIndicesSetRetentionCalibration(nullptr, nullptr));

    krtest::WriteTextFile(krtest::IniFilePath(),
                          "[Hand]\r\nNumberOfChannels=7 points\r\nEndIndex=many\r\nTime0=abc\r\nIndex3=-2.5e1\r\n");
    ASSERT_EQ(1, RTIndicesGetRetentionCalibration("Hand", &c));
    EXPECT_TRUE(c.numberOfPoints == 7 && c.endIndex == 0 && c.time[0] == 0 && c.index[3] == -25) << c.numberOfPoints;
    EXPECT_EQ(1, c.startIndex);
}

TEST(RetentionCalibrationFile, StoredWithTwoDecimalsAndReloaded)
{
    RetentionCalibration c = Calibration({{1.234f, 100, -0.5f}, {2.5f, 200.456f, 1.25f}});
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
