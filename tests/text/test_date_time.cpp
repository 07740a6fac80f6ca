// The date and time texts: for given moments and settings, and from the
// clock with the regional settings written to WIN.INI [intl] (restored
// afterwards), against the runtime's strftime.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>
#include <time.h>

#include <string>

#include "krtext.h"
#include "text/date_time_text.h"

using namespace std::string_literals;

namespace {

std::string Strf(const tm &moment, const char *format)
{
    char out[64];
    return std::string(out, strftime(out, sizeof out, format, &moment));
}

// GetCurrentDateTime, called again when the clock's second moved on during the call; the moment in *moment.
int Now(int flags, char *timeOut, char *dateOut, tm *moment)
{
    const time_t before = time(nullptr);
    const int result = GetCurrentDateTime(timeOut, dateOut, flags);
    if (time(nullptr) != before)
        return Now(flags, timeOut, dateOut, moment);
    *moment = *localtime(&before);
    return result;
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
        tm moment{};
        moment.tm_year = c.year - 1900, moment.tm_mon = 11, moment.tm_mday = 4;
        moment.tm_hour = c.hour, moment.tm_min = 5, moment.tm_sec = 9;
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
    const char *const keys[] = {"iDate", "iTime", "sDate", "sTime", "s1159", "s2359"},
                      *const values[] = {"2", "1", "-.", ".:", "morning", "evening"};
    char saved[6][64];
    for (int i = 0; i < 6; ++i) {
        GetProfileStringA("intl", keys[i], "\1", saved[i], sizeof saved[i]);
        WriteProfileStringA("intl", keys[i], values[i]);
    }
    // Both markers, cut to four characters, whatever the time of day; the clock shows the rest.
    const kr::DateTimeSettings read = kr::ReadDateTimeSettings();
    EXPECT_EQ("morn|even", read.morning + "|"s + read.afternoon);
    char time[DATETIME_TEXT_BYTES], date[DATETIME_TEXT_BYTES];
    tm moment;
    ASSERT_EQ(1, Now(DATETIME_REREAD_SETTINGS, time, date, &moment));
    EXPECT_EQ(Strf(moment, "%y-%m-%d|%H.%M.%S"), date + "|"s + time);

    // Without the keys the defaults hold, but only once the settings are read again.
    for (const char *key : keys)
        WriteProfileStringA("intl", key, nullptr);
    ASSERT_EQ(1, Now(0, time, nullptr, &moment));
    EXPECT_EQ(Strf(moment, "%H.%M.%S %y-%m-%d"), time);
    EXPECT_EQ(0, GetCurrentDateTime(nullptr, nullptr, 0));
    ASSERT_EQ(1, Now(DATETIME_REREAD_SETTINGS | 1, nullptr, date, &moment));
    EXPECT_EQ(Strf(moment, "%m/%d/%y   %#I:%M:%S %p  "), date);

    for (int i = 0; i < 6; ++i)
        WriteProfileStringA("intl", keys[i], strcmp(saved[i], "\1") ? saved[i] : nullptr);
    GetCurrentDateTime(nullptr, nullptr, DATETIME_REREAD_SETTINGS);
}
