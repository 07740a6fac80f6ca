// The faithful-digit fixed-point and exponent texts behind ftoa and friends.
#include <gtest/gtest.h>

#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>

#include "text/decimal_text.h"

namespace {

std::string Fixed(double v, int decimals, bool forcePoint = false)
{
    char out[512];
    const size_t length = kr::FormatFixed(v, decimals, forcePoint, out, sizeof out);
    EXPECT_EQ(strlen(out), length);
    return out;
}

std::string Exponent(double v, int decimals)
{
    char out[512];
    kr::FormatExponent(v, decimals, out, sizeof out);
    return out;
}

} // namespace

TEST(DecimalText, MatchesThePrintfOfAnotherRuntimeWithinFifteenDigits)
{
    // The test program's printf is not the one the library uses, so this
    // compares two independent implementations on random full-precision
    // values (no exact decimal ties), up to 10 significant digits.
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> values(-1e4, 1e4);
    std::uniform_int_distribution<int> decimalCounts(0, 6);
    for (int i = 0; i < 20000; ++i) {
        const double v = values(random);
        const int decimals = decimalCounts(random);
        char expected[64];
        snprintf(expected, sizeof expected, "%.*f", decimals, v);
        ASSERT_EQ(expected, Fixed(v, decimals)) << v << " with " << decimals;
    }
}

TEST(DecimalText, DigitsPastTheFifteenthAreZeros)
{
    EXPECT_EQ("0.10000000000000000000", Fixed(0.1, 20));
    EXPECT_EQ("100000000000000000000000000000000.0", Fixed(1e32, 1));
    EXPECT_EQ("1208925819614630000000000", Fixed(1208925819614629174706176.0, 0));
    EXPECT_EQ("-0.33333333333333300000", Fixed(-1.0 / 3, 20));
    EXPECT_EQ("3.33333333333333000000e-001", Exponent(1.0 / 3, 20));
}

TEST(DecimalText, PaddedTextsReadBackAsTheFifteenDigitValue)
{
    std::mt19937_64 random(7);
    // Below 1e14 no value lies exactly halfway between two 15-digit decimals,
    // where runtimes round differently; from -20 on, 40 decimals always pad.
    std::uniform_real_distribution<double> exponents(-20, 14);
    for (int i = 0; i < 5000; ++i) {
        const double v = pow(10.0, exponents(random));
        char digits15[32];
        snprintf(digits15, sizeof digits15, "%.14e", v);
        ASSERT_EQ(strtod(digits15, nullptr), strtod(Fixed(v, 40).c_str(), nullptr)) << v;
    }
}

TEST(DecimalText, ForcedPointAndNegativeDecimals)
{
    EXPECT_EQ("2.", Fixed(2.0, 0, true));
    EXPECT_EQ("2", Fixed(2.0, 0, false));
    EXPECT_EQ("2", Fixed(2.0, -5, false));
    EXPECT_EQ("1e+000", Exponent(1.0, -1));
}

TEST(DecimalText, CapKeepsTheHeadAndCountsTheWhole)
{
    char out[8];
    memset(out, '#', sizeof out);
    EXPECT_EQ(13u, kr::FormatFixed(123456.5, 6, false, out, 5));
    EXPECT_STREQ("1234", out);
    EXPECT_EQ('#', out[5]);

    memset(out, '#', sizeof out);
    EXPECT_EQ(3u, kr::FormatFixed(1.5, 1, false, out, 0));
    EXPECT_EQ('#', out[0]);

    // Huge decimal counts are counted, not written.
    EXPECT_EQ(static_cast<size_t>(INT_MAX) + 2, kr::FormatFixed(1.5, INT_MAX, false, out, sizeof out));
    EXPECT_STREQ("1.50000", out);
    EXPECT_EQ(static_cast<size_t>(INT_MAX) + 7, kr::FormatExponent(1.5, INT_MAX, out, sizeof out));
}
