// The chart parameter block of trace descriptions, through the DLL.
#include <gtest/gtest.h>

#include <limits.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "krtext.h"

namespace {

// A description in a zero-filled buffer, so that a text without a visible
// block has room behind its terminator; '\1' stands for a NUL inside it.
struct Description {
    char text[400] = {};
    explicit Description(const std::string &value)
    {
        for (size_t i = 0; i < value.size(); ++i)
            text[i] = value[i] == '\1' ? '\0' : value[i];
    }
};

// Every getter's answer: "scale offset vertical header scientific [units]".
std::string Settings(const char *text)
{
    char units[64];
    memset(units, '#', sizeof units);
    strcpy(units, "-");
    GetCustomChartUnits(text, units);
    EXPECT_EQ('#', units[32]) << "units written past 32 bytes";
    char out[200];
    snprintf(out, sizeof out, "%g %g %d %d %d [%s]", GetCustomChartScaling(text), GetCustomChartOffset(text),
             GetCustomChartVerticalAxisDecimalDigits(text), GetCustomChartHeaderDecimalDigits(text),
             GetCustomChartUseScientificNotation(text), units);
    return out;
}

const char kNoBlock[] = "1 0 0 0 0 [-]"; // the defaults, units untouched

} // namespace

TEST(ChartParams, ReadsEachFormAndGivesDefaultsWithoutBlock)
{
    const struct { const char *text, *settings; } cases[] = {
        {"Trace", kNoBlock}, {"Trace,$CC$,2.5,0.1,2,4,1,mV", "2.5 0.1 2 4 1 [mV]"},
        {"Trace,$CC$,2.5,2,4,1,mV", "2.5 0 2 4 1 [mV]"}, // the older form has no offset
        {"Trace\1$CC$,2.5,0.1,2,4,1,mV", "2.5 0.1 2 4 1 [mV]"}, {"Trace\1$CC$,2.5,2,4,1,mV", "2.5 0 2 4 1 [mV]"},
        {"Trace,$CC$,2.5,0.1,2,4,1,m,V", "2.5 0.1 2 4 1 [V]"}, {"Trace,$CC$,-1e3,7,0,0,1,", "-1000 7 0 0 1 []"},
        {"T,$CC$,1,2,3,4,5,123456789012345678901234567890123456789", "1 2 3 4 5 [1234567890123456789012345678901]"},
        {"Trace,$CC$,2.5,2,4", kNoBlock}, {"Trace,$CC$", kNoBlock}, {"Trace\1$CC$", kNoBlock}, {"Trace\1$CC", kNoBlock},
        {"Trace\1x$CC$,2.5,0.1,2,4,1,mV", kNoBlock}, {"Trace $CC$,2.5,0.1,2,4,1,mV", kNoBlock}, // the comma is needed
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.settings, Settings(Description(c.text).text)) << c.text;
    EXPECT_EQ(kNoBlock, Settings(nullptr));
    GetCustomChartUnits("Trace,$CC$,2.5,0.1,2,4,1,mV", nullptr);

    // Hiding leaves the bare description and keeps the settings readable.
    Description d("Trace,$CC$,2.5,0.1,2,4,1,mV"), plain("Trace,$C,1");
    EXPECT_EQ(1, MoveCustomChartParams(d.text));
    EXPECT_STREQ("Trace", d.text);
    EXPECT_EQ("2.5 0.1 2 4 1 [mV]", Settings(d.text));
    EXPECT_EQ(0, MoveCustomChartParams(d.text));
    EXPECT_EQ(0, MoveCustomChartParams(plain.text));
    EXPECT_STREQ("Trace,$C,1", plain.text);
    EXPECT_EQ(0, MoveCustomChartParams(nullptr));
}

TEST(ChartParams, WritersAppendAVisibleBlockOrRefuse)
{
    // A null "after": the writer refuses and leaves the text alone.
    const struct { const char *before; int (*write)(char *); const char *after; } cases[] = {
        {"Trace 1", [](char *b) { return GetCustomChartDADParams(b); }, "Trace 1,$CC$,1000000.000000,0.000000,3,3,1,AU"},
        {"Pump", [](char *b) { return GetDefaultCustomChartParams("Flow", b); }, "Pump,$CC$,1.000000,0.000000,0,0,0,%"},
        {"", [](char *b) { return GetDefaultCustomChartParams("Flow", b); }, ",$CC$,1.000000,0.000000,0,0,0,%"},
        {"X", [](char *b) { return GetCustomChartAnalogParams("T,$CC$,2.5,0.1,2,4,1,m,V", b); },
         "X,$CC$,2.500000,0.100000,2,4,1,V"},
        {"Pump", [](char *b) { return GetDefaultCustomChartParams(nullptr, b); }, nullptr},
        {"Pump", [](char *b) { return GetCustomChartAnalogParams("Trace", b); }, nullptr},
        {"Pump", [](char *b) { return GetCustomChartAnalogParams(nullptr, b); }, nullptr},
    };
    for (const auto &c : cases) {
        Description d(c.before);
        EXPECT_EQ(c.after ? 1 : 0, c.write(d.text)) << (c.after ? c.after : "refused");
        EXPECT_STREQ(c.after ? c.after : c.before, d.text);
    }
    EXPECT_EQ(0, GetCustomChartDADParams(nullptr));
    EXPECT_EQ(0, GetDefaultCustomChartParams("Flow", nullptr));
    EXPECT_EQ(0, GetCustomChartAnalogParams("T,$CC$,2.5,0.1,2,4,1,mV", nullptr));

    // The longest block, with the widest reals and integers and 31 characters of units, is written whole.
    char source[200];
    const std::string units(31, 'u'), tail = ",-2147483648,-2147483648,-2147483648," + units;
    snprintf(source, sizeof source, "T,$CC$,-3.4e38,-3.4e38,%d,%d,%d,%s", INT_MIN, INT_MIN, INT_MIN, units.c_str());
    Description d("");
    ASSERT_EQ(1, GetCustomChartAnalogParams(source, d.text));
    const std::string written = d.text;
    EXPECT_EQ(tail, written.substr(written.size() - tail.size()));
    EXPECT_LE(written.size(), 169u);
    EXPECT_EQ("-3.4e+38 -3.4e+38 -2147483648 -2147483648 -2147483648 [" + units + "]", Settings(d.text));
}
