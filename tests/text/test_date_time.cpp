// The date and time texts: for given moments and settings, and from the clock with the
// regional settings written to WIN.INI [intl] (restored afterwards), against strftime.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>
#include <time.h>

#include <string>

#include "krtext.h"
#include "support/work_dir.h"
#include "text/date_time_text.h"

using namespace std::string_literals;

namespace {

// Calls GetCurrentDateTime, again if the second moved on meanwhile; strftime's text of the second it ran in.
std::string Now(int flags, char *timeOut, char *dateOut, const char *format)
{
    const time_t before = time(nullptr);
    const int result = GetCurrentDateTime(timeOut, dateOut, flags);
    if (time(nullptr) != before)
        return Now(flags, timeOut, dateOut, format);
    EXPECT_EQ(1, result);
    char out[64];
    return std::string(out, strftime(out, sizeof out, format, localtime(&before)));
}

} // namespace

TEST(DateTimeText, EachOrderAndClock)
{
    const struct { kr::DateTimeSettings settings; int year, hour; const char *date, *time; } cases[] = {
        {{1, 0, ".", ":", "AM", "PM"}, 2026, 21, "04.12.26", "  9:05:09 PM  "},
        {{2, 1, "", ".", "AM", "PM"}, 2000, 0, "001204", "00.05.09"},
        {{-1, 2, "-", ":", "a.m.", "p.m."}, 2026, 0, "12-04-26", "  12:05:09 a.m.  "}, // only 1 is the 24-hour clock
        {{0, 0, "/", ":", "AM", "PM"}, 2026, 11, "12/04/26", "  11:05:09 AM  "},
        {{0, 0, "/", ":", "AM", "PM"}, 2026, 12, "12/04/26", "  12:05:09 PM  "},
    };
    for (const auto &c : cases) {
        const tm moment{9, 5, c.hour, 4, 11, c.year - 1900, 0, 0, 0}; // 4 December, c.hour:05:09
        // Both outputs each get their own text; one alone gets both (the longest fills DATETIME_TEXT_BYTES).
        char time[DATETIME_TEXT_BYTES], date[DATETIME_TEXT_BYTES];
        EXPECT_EQ(1, kr::WriteDateTime(moment, c.settings, time, date));
        EXPECT_EQ(c.date + "|"s + c.time, date + "|"s + time) << "case " << &c - cases;
        EXPECT_EQ(1, kr::WriteDateTime(moment, c.settings, time, nullptr));
        EXPECT_EQ(c.time + " "s + c.date, time);
    }
    EXPECT_EQ(0, kr::WriteDateTime(tm{}, kr::DefaultDateTimeSettings(), nullptr, nullptr));
}

TEST(DateTimeSettings, ReadFromWinIniAndKeptUntilAskedAgain)
{
    krtest::WinIniKeys intl("intl", {{"iDate", "2"}, {"iTime", "1"}, {"sDate", "-."}, {"sTime", ".:"},
                                     {"s1159", "morning"}, {"s2359", "evening"}});
    // Both markers, cut to four characters, whatever the time of day; the clock shows the rest.
    const kr::DateTimeSettings read = kr::ReadDateTimeSettings();
    EXPECT_EQ("morn|even", read.morning + "|"s + read.afternoon);
    char time[DATETIME_TEXT_BYTES], date[DATETIME_TEXT_BYTES];
    std::string clock = Now(DATETIME_REREAD_SETTINGS, time, date, "%y-%m-%d|%H.%M.%S");
    EXPECT_EQ(clock, date + "|"s + time);

    // Without the keys the defaults hold, but only once the settings are read again.
    intl.Remove();
    clock = Now(0, time, nullptr, "%H.%M.%S %y-%m-%d");
    EXPECT_EQ(clock, time);
    EXPECT_EQ(0, GetCurrentDateTime(nullptr, nullptr, 0));
    clock = Now(DATETIME_REREAD_SETTINGS | 1, nullptr, date, "%m/%d/%y   %#I:%M:%S %p  ");
    EXPECT_EQ(clock, date);
}
