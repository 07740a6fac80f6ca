// ftoa, etoa, gtoa, FormatFloat, atofL and IsNumber through the DLL.
#include <gtest/gtest.h>

#include <limits.h>
#include <math.h>
#include <string.h>

#include <functional>
#include <string>

#include "krtext.h"

namespace {

struct Case {
    double value;
    int arg; // decimals, or digits for gtoa, or precision for FormatFloat
    const char *text;
};

// Formats into a buffer of `bytes` bytes followed by canaries; checks that
// nothing was written past the buffer.
std::string Formatted(size_t bytes, const std::function<void(char *)> &format)
{
    char buffer[512];
    memset(buffer, '#', sizeof buffer);
    format(buffer);
    EXPECT_EQ('#', buffer[bytes]) << "written past " << bytes << " bytes";
    return std::string(buffer, strnlen(buffer, bytes));
}

std::string Ftoa(double v, int d) { return Formatted(32, [&](char *o) { EXPECT_EQ(o, ftoa(v, o, d)); }); }
std::string Etoa(double v, int d) { return Formatted(37, [&](char *o) { EXPECT_EQ(o, etoa(v, o, d)); }); }
std::string Gtoa(double v, int d) { return Formatted(37, [&](char *o) { EXPECT_EQ(o, gtoa(v, d, o)); }); }
std::string Chart(double v, int p, long sci)
{
    return Formatted(80, [&](char *o) { EXPECT_EQ(1, FormatFloat(static_cast<float>(v), p, sci, o)); });
}

} // namespace

TEST(Ftoa, FixedPointCutTo31Characters)
{
    const Case cases[] = {
        {2.0, 0, "2"}, {2.0, -1, "2.000000"}, {1.5, 8, "1.50000000"}, {-0.25, 2, "-0.25"},
        {0.001, 2, "0.00"}, {2.675, 2, "2.67"}, {0.999, 2, "1.00"}, {-9.5, 0, "-10"},
        {1e32, 8, "1000000000000000000000000000000"}, {1e29, 0, "100000000000000000000000000000"},
        // Only the 15 digits a double holds are shown; the rest print as zeros.
        {0.1, 20, "0.10000000000000000000"}, {123456789012345678901.0, 8, "123456789012346000000.00000000"},
        {1.7976931348623157e308, 8, "1797693134862320000000000000000"},
        {1.5, INT_MAX, "1.50000000000000000000000000000"}, {4.9e-324, INT_MAX, "0.00000000000000000000000000000"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.text, Ftoa(c.value, c.arg)) << c.value << " with " << c.arg;
}

TEST(Etoa, MantissaAndExponentNotRenormalised)
{
    const Case cases[] = {
        {0.0, 2, "0.00e0"}, {-2500.0, 1, "-2.5e3"}, {1234.5, 2, "1.23e3"}, {0.00042, 1, "4.2e-4"},
        {1.0, -1, "1.000000e0"}, {9.9996, 3, "10.000e0"}, {4.9406564584124654e-324, 2, "4.94e-324"},
        {2.2250738585072014e-308, 2, "2.23e-308"}, {1.7976931348623157e308, 2, "1.80e308"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.text, Etoa(c.value, c.arg)) << c.value << " with " << c.arg;
    // The longest text: a 31-character mantissa and a five-character exponent.
    const std::string longest = Etoa(-2.2250738585072014e-308, 40);
    EXPECT_EQ(36u, longest.size());
    EXPECT_EQ("e-308", longest.substr(31));
    const std::string infinite = Etoa(INFINITY, 2);
    EXPECT_EQ("e0", infinite.substr(infinite.size() - 2));
}

TEST(Gtoa, FixedWholeOrExponentForm)
{
    const Case cases[] = {
        {12346.0, 4, "1.235e4"}, {10000.0, 4, "10000"}, {9999.0, 4, "9999"}, {123.456, 4, "123.5"},
        {0.00123, 4, "0.001230"}, {0.00001234, 4, "1.234e-5"}, {0.0, 4, "0"}, {0.5, 4, "0.5000"},
        {-2.5, 2, "-2.5"}, {123.0, 0, "1e2"}, {1.5, -3, "2e0"}, {1.5, 1, "2"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.text, Gtoa(c.value, c.arg)) << c.value << " with " << c.arg;
    EXPECT_FALSE(Gtoa(NAN, 4).empty());
    EXPECT_EQ(36u, Gtoa(-1.2345678901234567e-300, INT_MAX).size());
}

TEST(FormatFloat, ScientificFormDropsZerosAndExponentPadding)
{
    const struct { double value; int precision; long scientific; const char *text; } cases[] = {
        {15.0, 3, 0, "15.000"}, {2.0, 0, 0, "2"}, {0.1, 1, 0, "0.1"},
        {15.0, 3, 1, "1.5e+1"}, {2.0, 3, 1, "2.0"}, {0.00125, 3, 1, "1.25e-3"}, {123456.0, 3, 1, "1.235e+5"},
        {-400.0, 2, 1, "-4.0e+2"}, {300.0, 0, 1, "3e+2"}, {0.0, 4, 1, "0.0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text, Chart(c.value, c.precision, c.scientific)) << c.value << " scientific " << c.scientific;
}

TEST(NumberFormats, RefuseOrPassThroughUnusableArguments)
{
    char out[8] = "#######";
    EXPECT_EQ(0, FormatFloat(1.0f, -1, 1, out));
    EXPECT_STREQ("#######", out);
    EXPECT_EQ(0, FormatFloat(1.0f, 2, 0, nullptr));
    EXPECT_EQ(nullptr, ftoa(1.0, nullptr, 2));
    EXPECT_EQ(nullptr, etoa(1.0, nullptr, 2));
    EXPECT_EQ(nullptr, gtoa(1.0, 4, nullptr));
    EXPECT_DOUBLE_EQ(-250.0, atofL("  -2.5e2xyz"));
    EXPECT_DOUBLE_EQ(0.0, atofL("abc"));
    EXPECT_DOUBLE_EQ(0.0, atofL(nullptr));
}

TEST(IsNumber, ClassifiesEveryKind)
{
    const struct {
        const char *text;
        int kind;
    } cases[] = {
        {"42", 1}, {"\t\r\n +7", 1}, {"", 1}, {"  -", 1}, {" -4.2", 2}, {".5", 2}, {"4.2.1", 0}, {"xyz", 0},
        {"--1", 0}, {"0x1F", 3}, {"0X", 3}, {"1F", 3}, {"abc", 3}, {"15e2", 3}, {"1.5e2", 0}, {"0x1.5", 0},
        {"12 ", -1}, {"1 2 3", -1}, {"1 .5", 0}, {"1 E", 0}, {"1 e2.5", 4}, {"1.5 e -2.5", 4},
        {"1 e25", 0}, {"1 e2.5 e1.5", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.kind, IsNumber(c.text)) << '"' << c.text << '"';
}

TEST(IsNumber, NullAndEndlessExponentChainsAreNotNumbers)
{
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber(nullptr));
    std::string chain;
    for (int i = 0; i < 200000; ++i)
        chain += "1 e";
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber((chain + "2.5").c_str()));
}
