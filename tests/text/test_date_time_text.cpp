// The date and time texts for given moments and regional settings.
#include <gtest/gtest.h>

#include <string.h>
#include <windows.h>

#include "krtext.h"
#include "text/date_time_text.h"

namespace {

tm Moment(int year, int month, int day, int hour, int minute, int second)
{
    tm t{};
    t.tm_year = year - 1900, t.tm_mon = month - 1, t.tm_mday = day;
    t.tm_hour = hour, t.tm_min = minute, t.tm_sec = second;
    return t;
}

kr::DateTimeSettings Settings(int dateOrder, int hours24, const char *dateSeparator = "/", const char *pm = "PM")
{
    kr::DateTimeSettings s = kr::DefaultDateTimeSettings();
    s.dateOrder = dateOrder, s.hours24 = hours24;
    strcpy(s.dateSeparator, dateSeparator);
    strcpy(s.afternoon, pm);
    return s;
}

} // namespace

TEST(DateTimeText, DateInEachOrderWithTwoDigitYear)
{
    const struct { int year, order; const char *separator, *text; } cases[] = {
        {2026, 1, ".", "04.12.26"}, {2026, 2, "/", "26/12/04"}, {2026, 0, "/", "12/04/26"},
        {2026, 5, "-", "12-04-26"}, {2026, -1, "", "120426"},   {2000, 2, "/", "00/12/04"},
    };
    for (const auto &c : cases) {
        char out[9];
        kr::FormatDateText(Moment(c.year, 12, 4, 0, 0, 0), Settings(c.order, 0, c.separator), out);
        EXPECT_STREQ(c.text, out) << c.order;
    }
}

TEST(DateTimeText, TimeOnEachClock)
{
    const struct { int hour, minute, second, hours24; const char *pm, *text; } cases[] = {
        {21, 5, 9, 0, "PM", "  9:05:09 PM  "},  {0, 30, 0, 0, "PM", "  12:30:00 AM  "},
        {12, 0, 0, 0, "PM", "  12:00:00 PM  "}, {11, 59, 59, 0, "PM", "  11:59:59 AM  "},
        {23, 5, 9, 0, "p.m.", "  11:05:09 p.m.  "}, {21, 5, 9, 1, "PM", "21:05:09"},
        {0, 30, 0, 1, "PM", "00:30:00"},       {21, 5, 9, 2, "PM", "  9:05:09 PM  "}, // only 1 is 24-hour
    };
    for (const auto &c : cases) {
        char out[18];
        kr::FormatTimeText(Moment(2026, 12, 4, c.hour, c.minute, c.second), Settings(0, c.hours24, "/", c.pm), out);
        EXPECT_STREQ(c.text, out) << c.hour << ":" << c.minute;
    }
}

TEST(DateTimeText, EachOutputItsOwnTextOrBoth)
{
    const tm evening = Moment(2026, 12, 4, 21, 5, 9);
    const kr::DateTimeSettings s = Settings(1, 1, ".");
    char time[DATETIME_TEXT_BYTES], date[DATETIME_TEXT_BYTES];
    EXPECT_EQ(1, kr::WriteDateTime(evening, s, time, date));
    EXPECT_STREQ("21:05:09", time);
    EXPECT_STREQ("04.12.26", date);
    EXPECT_EQ(1, kr::WriteDateTime(evening, s, time, nullptr));
    EXPECT_STREQ("21:05:09 04.12.26", time);
    EXPECT_EQ(1, kr::WriteDateTime(evening, s, nullptr, date));
    EXPECT_STREQ("04.12.26 21:05:09", date);
    EXPECT_EQ(0, kr::WriteDateTime(evening, s, nullptr, nullptr));
    // The longest text fills the documented size exactly.
    EXPECT_EQ(1, kr::WriteDateTime(Moment(2026, 12, 4, 22, 5, 9), Settings(0, 0, "/", "p.m."), time, nullptr));
    EXPECT_STREQ("  10:05:09 p.m.   12/04/26", time);
}

// Both markers are checked whatever the time of day (the export shows only
// the one of the current half-day).
TEST(DateTimeSettings, MarkersAreCutToFourCharactersFromWinIni)
{
    char saved[2][64];
    const char *keys[] = {"s1159", "s2359"};
    for (int i = 0; i < 2; ++i)
        GetProfileStringA("intl", keys[i], "", saved[i], sizeof saved[i]);
    WriteProfileStringA("intl", "s1159", "morning");
    WriteProfileStringA("intl", "s2359", "evening");
    const kr::DateTimeSettings read = kr::ReadDateTimeSettings();
    for (int i = 0; i < 2; ++i)
        WriteProfileStringA("intl", keys[i], *saved[i] ? saved[i] : nullptr);
    EXPECT_STREQ("morn", read.morning);
    EXPECT_STREQ("even", read.afternoon);
}
