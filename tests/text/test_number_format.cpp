// ftoa, etoa, gtoa, FormatFloat and atofL through the DLL.
#include <gtest/gtest.h>

#include <limits.h>
#include <math.h>
#include <string.h>

#include <string>

#include "krtext.h"

namespace {

constexpr char kCanary = '#';

// Calls a formatter on a buffer of `bytes` bytes followed by canaries, and
// checks that nothing was written past the buffer.
template <typename Format>
std::string Formatted(size_t bytes, Format format)
{
    char buffer[512];
    memset(buffer, kCanary, sizeof buffer);
    format(buffer);
    EXPECT_EQ(kCanary, buffer[bytes]) << "written past " << bytes << " bytes";
    return std::string(buffer, strnlen(buffer, bytes));
}

std::string Ftoa(double v, int decimals)
{
    return Formatted(32, [&](char *out) { EXPECT_EQ(out, ftoa(v, out, decimals)); });
}

std::string Etoa(double v, int decimals)
{
    return Formatted(37, [&](char *out) { EXPECT_EQ(out, etoa(v, out, decimals)); });
}

std::string Gtoa(double v, int digits)
{
    return Formatted(37, [&](char *out) { EXPECT_EQ(out, gtoa(v, digits, out)); });
}

std::string Chart(float v, int precision, long scientific)
{
    return Formatted(80, [&](char *out) { EXPECT_EQ(1, FormatFloat(v, precision, scientific, out)); });
}

} // namespace

TEST(Ftoa, PrintsFixedPointKeepingTrailingZeros)
{
    EXPECT_EQ("2", Ftoa(2.0, 0));
    EXPECT_EQ("2.000000", Ftoa(2.0, -1));
    EXPECT_EQ("1.50000000", Ftoa(1.5, 8));
    EXPECT_EQ("-0.25", Ftoa(-0.25, 2));
    EXPECT_EQ("0.00", Ftoa(0.001, 2));
    EXPECT_EQ("1234.56789012", Ftoa(1234.56789012, 8));
}

TEST(Ftoa, RoundsAsTheRuntimeDoes)
{
    EXPECT_EQ("2.67", Ftoa(2.675, 2)); // 2.67499999... in binary
    EXPECT_EQ("1.00", Ftoa(0.999, 2));
    EXPECT_EQ("-10", Ftoa(-9.5, 0));
}

TEST(Ftoa, CutsTextsPastThirtyOneCharacters)
{
    EXPECT_EQ("1" + std::string(30, '0'), Ftoa(1e32, 8));
    EXPECT_EQ("1" + std::string(29, '0'), Ftoa(1e29, 0)); // 30 characters: whole
    EXPECT_EQ("-1" + std::string(29, '0'), Ftoa(-1e30, 2));
}

TEST(Ftoa, ShowsOnlyTheDigitsADoubleHolds)
{
    EXPECT_EQ("0.10000000000000000000", Ftoa(0.1, 20));
    EXPECT_EQ("123456789012346000000.00000000", Ftoa(123456789012345678901.0, 8));
}

TEST(Ftoa, AnyMagnitudeOrDecimalCountFitsThe32Bytes)
{
    EXPECT_EQ("1797693134862320000000000000000", Ftoa(1.7976931348623157e308, 8));
    EXPECT_EQ("1.50000000000000000000000000000", Ftoa(1.5, INT_MAX));
    EXPECT_EQ("0.00000000000000000000000000000", Ftoa(1e-300, 400));
    EXPECT_EQ("0.00000000000000000000000000000", Ftoa(4.9e-324, INT_MAX));
}

TEST(Etoa, SplitsMantissaAndExponent)
{
    EXPECT_EQ("0.00e0", Etoa(0.0, 2));
    EXPECT_EQ("-2.5e3", Etoa(-2500.0, 1));
    EXPECT_EQ("1.23e3", Etoa(1234.5, 2));
    EXPECT_EQ("4.2e-4", Etoa(0.00042, 1));
    EXPECT_EQ("1.000000e0", Etoa(1.0, -1));
    EXPECT_EQ("10.000e0", Etoa(9.9996, 3)); // the mantissa is not renormalised
}

TEST(Etoa, KeepsTheDigitsOfTheSmallestAndLargestValues)
{
    EXPECT_EQ("4.94e-324", Etoa(4.9406564584124654e-324, 2));
    EXPECT_EQ("2.23e-308", Etoa(2.2250738585072014e-308, 2));
    EXPECT_EQ("1.80e308", Etoa(1.7976931348623157e308, 2));
    // The longest text: a 31-character mantissa and a five-character exponent.
    const std::string longest = Etoa(-2.2250738585072014e-308, 40);
    EXPECT_EQ(36u, longest.size());
    EXPECT_EQ("-2.225073858507", longest.substr(0, 15)); // the rest depends on the runtime's pow
    EXPECT_EQ("e-308", longest.substr(31));
}

TEST(Etoa, NonFiniteValuesGetAnExponentOfZero)
{
    const std::string text = Etoa(INFINITY, 2);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ("e0", text.substr(text.size() - 2));
}

TEST(Gtoa, ChoosesFixedWholeOrExponentForm)
{
    EXPECT_EQ("1.235e4", Gtoa(12346.0, 4));
    EXPECT_EQ("10000", Gtoa(10000.0, 4));
    EXPECT_EQ("9999", Gtoa(9999.0, 4));
    EXPECT_EQ("123.5", Gtoa(123.456, 4));
    EXPECT_EQ("0.001230", Gtoa(0.00123, 4));
    EXPECT_EQ("1.234e-5", Gtoa(0.00001234, 4));
    EXPECT_EQ("0", Gtoa(0.0, 4));
    EXPECT_EQ("0.5000", Gtoa(0.5, 4));
    EXPECT_EQ("-2.5", Gtoa(-2.5, 2));
}

TEST(Gtoa, OddDigitCountsAndValuesStayInTheBuffer)
{
    EXPECT_EQ("1e2", Gtoa(123.0, 0));
    EXPECT_EQ("2e0", Gtoa(1.5, -3));
    EXPECT_EQ("2", Gtoa(1.5, 1));
    EXPECT_FALSE(Gtoa(NAN, 4).empty());
    EXPECT_FALSE(Gtoa(-INFINITY, 4).empty());
    EXPECT_EQ(36u, Gtoa(-1.2345678901234567e-300, INT_MAX).size());
}

TEST(FormatFloat, FixedFormIsPlainPrecision)
{
    EXPECT_EQ("15.000", Chart(15.0f, 3, 0));
    EXPECT_EQ("2", Chart(2.0f, 0, 0));
    EXPECT_EQ("0.1", Chart(0.1f, 1, 0));
}

TEST(FormatFloat, ScientificFormDropsZerosAndExponentPadding)
{
    EXPECT_EQ("1.5e+1", Chart(15.0f, 3, 1));
    EXPECT_EQ("2.0", Chart(2.0f, 3, 1));
    EXPECT_EQ("1.25e-3", Chart(0.00125f, 3, 1));
    EXPECT_EQ("1.235e+5", Chart(123456.0f, 3, 1));
    EXPECT_EQ("-4.0e+2", Chart(-400.0f, 2, 1));
    EXPECT_EQ("3e+2", Chart(300.0f, 0, 1));
    EXPECT_EQ("0.0", Chart(0.0f, 4, 1));
}

TEST(FormatFloat, RefusesNegativePrecisionAndNullBuffer)
{
    char out[8];
    memset(out, kCanary, sizeof out);
    EXPECT_EQ(0, FormatFloat(1.0f, -1, 0, out));
    EXPECT_EQ(0, FormatFloat(1.0f, -1, 1, out));
    EXPECT_EQ(kCanary, out[0]);
    EXPECT_EQ(0, FormatFloat(1.0f, 2, 0, nullptr));
}

TEST(AtofL, ParsesAsAtofDoes)
{
    EXPECT_DOUBLE_EQ(1.5, atofL("1.5"));
    EXPECT_DOUBLE_EQ(-250.0, atofL("  -2.5e2xyz"));
    EXPECT_DOUBLE_EQ(0.0, atofL("abc"));
    EXPECT_DOUBLE_EQ(0.0, atofL(nullptr));
}

TEST(NumberFormats, NullBuffersAreReturnedUntouched)
{
    EXPECT_EQ(nullptr, ftoa(1.0, nullptr, 2));
    EXPECT_EQ(nullptr, etoa(1.0, nullptr, 2));
    EXPECT_EQ(nullptr, gtoa(1.0, 4, nullptr));
}
