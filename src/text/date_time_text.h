// The date and time texts of the user's regional settings, apart from the
// clock and from where the settings come from, so that any moment can be
// formatted.
#ifndef KR_TEXT_DATE_TIME_TEXT_H
#define KR_TEXT_DATE_TIME_TEXT_H

#include <time.h>

namespace kr {

// WIN.INI [intl]'s date and time settings, cut to what the texts use.
struct DateTimeSettings {
    int dateOrder;        // iDate: 1 day-month-year, 2 year-month-day, else month-day-year
    int hours24;          // iTime: 1 for the 24-hour clock
    char dateSeparator[2]; // sDate
    char timeSeparator[2]; // sTime
    char morning[5];      // s1159
    char afternoon[5];    // s2359
};

// The settings of a machine whose WIN.INI says nothing.
DateTimeSettings DefaultDateTimeSettings();

// The settings as WIN.INI [intl] holds them now, cut to the sizes above
// (the one function here that reads anything).
DateTimeSettings ReadDateTimeSettings();

// "dd.mm.yy" in the settings' order with a two-digit year; out needs 9 bytes.
void FormatDateText(const tm &moment, const DateTimeSettings &settings, char *out);

// "hh:mm:ss" on the 24-hour clock, or "  h:mm:ss AM  " on the 12-hour
// clock; out needs 18 bytes.
void FormatTimeText(const tm &moment, const DateTimeSettings &settings, char *out);

// Both texts into the caller's outputs (DATETIME_TEXT_BYTES each): each its
// own when both are given, else the one given gets its own text, a blank
// and the other. 0 when both are null.
int WriteDateTime(const tm &moment, const DateTimeSettings &settings, char *timeOut, char *dateOut);

} // namespace kr

#endif
