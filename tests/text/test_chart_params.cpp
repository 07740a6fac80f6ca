// The chart parameter block of trace descriptions, through the DLL.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "krtext.h"

using namespace std::string_literals;

namespace {

// Every getter's answer for a text: "scale offset vertical header scientific [units]", units "-" when untouched.
std::string Settings(const char *text)
{
    char units[64] = "-";
    GetCustomChartUnits(text, units);
    GetCustomChartUnits(text, nullptr); // ignored
    char out[200];
    snprintf(out, sizeof out, "%g %g %d %d %d [%s]", GetCustomChartScaling(text), GetCustomChartOffset(text),
             GetCustomChartVerticalAxisDecimalDigits(text), GetCustomChartHeaderDecimalDigits(text),
             GetCustomChartUseScientificNotation(text), units);
    return out;
}

const char kNoBlock[] = "1 0 0 0 0 [-]"; // the defaults, units untouched

} // namespace

TEST(ChartParams, ReadsEachFormHidesAndGivesDefaultsWithoutBlock)
{
    // Each text lies in a buffer with room behind its terminator, where a hidden block starts.
    const struct { std::string text; const char *settings; } cases[] = {
        {"Trace", kNoBlock}, {"Trace,$CC$,2.5,0.1,2,4,1,mV", "2.5 0.1 2 4 1 [mV]"},
        {"Trace,$CC$,2.5,2,4,1,mV", "2.5 0 2 4 1 [mV]"}, // the older form has no offset
        {"Trace\0$CC$,2.5,0.1,2,4,1,mV"s, "2.5 0.1 2 4 1 [mV]"}, {"Trace,$CC$,2.5,0.1,2,4,1,m,V", "2.5 0.1 2 4 1 [V]"},
        {"Trace,$CC$,-1e3,7,0,0,1,", "-1000 7 0 0 1 []"}, {"Trace,$CC$,2.5,2,4", kNoBlock}, {"Trace,$CC$", kNoBlock},
        {"Trace\0x$CC$,2.5,0.1,2,4,1,mV"s, kNoBlock}, {"Trace $CC$,2.5,0.1,2,4,1,mV", kNoBlock}, // no comma before
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.settings, Settings((c.text + std::string(8, '\0')).c_str())) << c.text;
    EXPECT_EQ(kNoBlock, Settings(nullptr));

    // Hiding leaves the bare description and keeps the settings readable; a second time finds nothing to hide.
    char text[64] = "Trace,$CC$,2.5,0.1,2,4,1,mV";
    EXPECT_EQ(1, MoveCustomChartParams(text));
    EXPECT_EQ("Trace|2.5 0.1 2 4 1 [mV]", text + "|"s + Settings(text));
    EXPECT_EQ(0, MoveCustomChartParams(text));
    EXPECT_EQ(0, MoveCustomChartParams(nullptr));
}

TEST(ChartParams, WritersAppendAVisibleBlockOrRefuse)
{
    // A null "after": the writer refuses and leaves the text alone.
    const struct { const char *before; int (*write)(char *); const char *after; } cases[] = {
        {"Trace 1", [](char *b) { return GetCustomChartDADParams(b); },
         "Trace 1,$CC$,1000000.000000,0.000000,3,3,1,AU"},
        {"Pump", [](char *b) { return GetDefaultCustomChartParams("Flow", b); }, "Pump,$CC$,1.000000,0.000000,0,0,0,%"},
        {"X", [](char *b) { return GetCustomChartAnalogParams("T,$CC$,2.5,0.1,2,4,1,m,V", b); },
         "X,$CC$,2.500000,0.100000,2,4,1,V"},
        {"Pump", [](char *b) { return GetDefaultCustomChartParams(nullptr, b); }, nullptr},
        {"Pump", [](char *b) { return GetCustomChartAnalogParams("Trace", b); }, nullptr},
        {"Pump", [](char *) { return GetDefaultCustomChartParams("Flow", nullptr); }, nullptr}, // no buffer
        {"Pump", [](char *) { return GetCustomChartAnalogParams("T,$CC$,2.5,0.1,2,4,1,mV", nullptr); }, nullptr},
    };
    for (const auto &c : cases) {
        char text[64] = {};
        strcpy(text, c.before);
        EXPECT_EQ(c.after ? 1 : 0, c.write(text)) << (c.after ? c.after : "refused");
        EXPECT_STREQ(c.after ? c.after : c.before, text);
    }
    EXPECT_EQ(0, GetCustomChartDADParams(nullptr));

    // The longest block, with the widest reals and integers and 31 characters of units, is written whole.
    const std::string units(31, 'u'), source = "T,$CC$,-3.4e38,-3.4e38,-2147483648,-2147483648,-2147483648," + units;
    char written[200] = {};
    ASSERT_EQ(1, GetCustomChartAnalogParams(source.c_str(), written));
    EXPECT_EQ("-3.4e+38 -3.4e+38 -2147483648 -2147483648 -2147483648 [" + units + "]", Settings(written));
}
