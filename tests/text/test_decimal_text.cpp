// The faithful-digit texts behind ftoa and friends, against another runtime.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>

#include "text/decimal_text.h"

namespace {

std::string Fixed(double v, int decimals)
{
    char out[512];
    const size_t length = kr::FormatFixed(v, decimals, false, out, sizeof out);
    EXPECT_EQ(length, strlen(out));
    return out;
}

} // namespace

TEST(DecimalText, AgreesWithTheToolchainsPrintfWithinFifteenDigitsAndPadsPastThem)
{
    // This program's printf is the toolchain's own, not the runtime one the
    // library uses: two independent implementations, on full-precision
    // values (never exactly halfway) with up to 10 significant digits.
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
    // Past 15 digits the text reads back as the 15-digit value. From 1e-20 on, 40 decimals always pad; values
    // exactly halfway between two 15-digit decimals, where runtimes round differently, lie outside this draw.
    std::mt19937_64 magnitudes(7);
    std::uniform_real_distribution<double> exponents(-20, 14);
    for (int i = 0; i < 5000; ++i) {
        const double v = pow(10.0, exponents(magnitudes));
        char digits15[32];
        snprintf(digits15, sizeof digits15, "%.14e", v);
        ASSERT_EQ(strtod(digits15, nullptr), strtod(Fixed(v, 40).c_str(), nullptr)) << v;
    }
}
