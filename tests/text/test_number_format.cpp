// ftoa, etoa, gtoa, FormatFloat, atofL and IsNumber through the DLL.
#include <gtest/gtest.h>

#include <limits.h>
#include <math.h>
#include <string.h>

#include <string>

#include "krtext.h"

namespace {

// The five forms as (value, decimals or digits or precision, out); each gives out, or null when it refuses.
using Form = char *(*)(double, int, char *);
const Form kFtoa = [](double v, int n, char *o) { return ftoa(v, o, n); };
const Form kEtoa = [](double v, int n, char *o) { return etoa(v, o, n); };
const Form kGtoa = [](double v, int n, char *o) { return gtoa(v, n, o); };
const Form kFixed = [](double v, int n, char *o) { return FormatFloat(static_cast<float>(v), n, 0, o) ? o : nullptr; };
const Form kSci = [](double v, int n, char *o) { return FormatFloat(static_cast<float>(v), n, 1, o) ? o : nullptr; };

// The text in a buffer of the size callers give (32 bytes for ftoa, else 37), nothing written past it.
std::string Text(Form form, double value, int n)
{
    std::string out(64, '#');
    EXPECT_EQ(&out[0], form(value, n, &out[0]));
    const size_t bytes = form == kFtoa ? 32 : 37;
    EXPECT_EQ('#', out[bytes]) << "written past " << bytes << " bytes";
    return out.substr(0, strnlen(out.data(), bytes));
}

} // namespace

TEST(NumberFormats, EachFormAtItsLimits)
{
    const struct { Form form; double value; int n; const char *text; } cases[] = {
        {kFtoa, 2.0, 0, "2"}, {kFtoa, 2.0, -1, "2.000000"}, {kFtoa, 1.5, 8, "1.50000000"},
        {kFtoa, 1e32, 8, "1000000000000000000000000000000"}, {kFtoa, 1.5, INT_MAX, "1.50000000000000000000000000000"},
        {kFtoa, 1e20, 0, "100000000000000000000"}, // past the faithful digits, without a point
        // Only the 15 digits a double holds are shown; the rest print as zeros.
        {kFtoa, 0.01, 20, "0.01000000000000000000"}, {kFtoa, 1.2345678901234568e20, 8, "123456789012346000000.00000000"},
        // The mantissa is not renormalised after rounding.
        {kEtoa, 0.0, 2, "0.00e0"}, {kEtoa, -2500.0, 1, "-2.5e3"}, {kEtoa, 1234.5, 2, "1.23e3"},
        {kEtoa, 0.00042, 1, "4.2e-4"}, {kEtoa, 1.0, -1, "1.000000e0"}, {kEtoa, 9.9996, 3, "10.000e0"},
        {kEtoa, 4.9406564584124654e-324, 2, "4.94e-324"}, {kGtoa, 12346.0, 4, "1.235e4"}, {kGtoa, 10000.0, 4, "10000"},
        {kGtoa, 9999.0, 4, "9999"}, {kGtoa, 123.456, 4, "123.5"}, {kGtoa, 0.0001, 4, "0.0001000"},
        {kGtoa, 0.00001234, 4, "1.234e-5"}, {kGtoa, 0.0, 4, "0"}, {kGtoa, 0.5, 4, "0.5000"}, {kGtoa, 123.0, 0, "1e2"},
        {kGtoa, 1.5, 1, "2"}, {kFixed, 2.0, 0, "2"}, {kSci, 15.0, 3, "1.5e+1"}, {kSci, 2.0, 3, "2.0"},
        {kSci, 0.00125, 3, "1.25e-3"}, {kSci, 123456.0, 3, "1.235e+5"}, {kSci, 300.0, 0, "3e+2"},
        {kFixed, 1e20, 0, "100000002004088000000"}, // the float 1e20 to 15 digits, without a point
        {kSci, 0.1, 20, "1.00000001490116e-1"}, // the float's 15 faithful digits, padding dropped
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text, Text(c.form, c.value, c.n)) << "case " << &c - cases;
    EXPECT_EQ(Text(kFtoa, INFINITY, 2) + "e0", Text(kEtoa, INFINITY, 2)) << "no exponent without a finite value";
    EXPECT_FALSE(Text(kGtoa, NAN, 4).empty());
    // The longest etoa text, here through gtoa: a 31-character mantissa and a five-character exponent.
    EXPECT_EQ(36u, Text(kGtoa, -1.2345678901234567e-300, INT_MAX).size());

    // Refusals write nothing; atofL is atof with null read as empty.
    char out[8] = "#######";
    EXPECT_EQ(nullptr, kSci(1.0, -1, out));
    EXPECT_STREQ("#######", out);
    for (Form form : {kFtoa, kEtoa, kGtoa, kFixed})
        EXPECT_EQ(nullptr, form(1.0, 2, nullptr));
    EXPECT_DOUBLE_EQ(-250.0, atofL("  -2.5e2xyz"));
    EXPECT_DOUBLE_EQ(0.0, atofL(nullptr));
}

TEST(IsNumber, ClassifiesEveryKind)
{
    const struct { const char *text; int kind; } cases[] = {
        {"42", 1}, {"\t\r\n +7", 1}, {"", 1}, {" -4.2", 2}, {"4.2.1", 0}, {"xyz", 0}, {"--1", 0}, {"0x1F", 3},
        {"0X", 3}, {"1F", 3}, {"abc", 3}, {"15e2", 3}, {"1.5e2", 0}, {"0x1.5", 0}, {"12 ", -1}, {"1 .5", 0},
        {"1 E", 0}, {"1 e2.5", 4}, {"1.5 e -2.5", 4}, {"1 e25", 0}, {"1 e2.5 e1.5", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.kind, IsNumber(c.text)) << '"' << c.text << '"';
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber(nullptr));
}
