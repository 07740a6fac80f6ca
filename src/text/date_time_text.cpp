#include "text/date_time_text.h"

#include <string.h>

#include "krtext.h"
#include "support/runtime_format.h"

namespace kr {
namespace {

constexpr size_t kDateBytes = 9;
constexpr size_t kTimeBytes = 18;

// Three two-digit numbers with the separator between them.
void FormatTriple(char *out, size_t cap, int first, int second, int third, const char *separator)
{
    FormatText(out, cap, "%02d%s%02d%s%02d", first, separator, second, separator, third);
}

} // namespace

DateTimeSettings DefaultDateTimeSettings()
{
    return DateTimeSettings{0, 0, "/", ":", "AM", "PM"};
}

void FormatDateText(const tm &moment, const DateTimeSettings &settings, char *out)
{
    // A month field of INT_MAX wraps rather than overflows; its text means nothing.
    const int day = moment.tm_mday, year = moment.tm_year % 100;
    const int month = static_cast<int>(static_cast<unsigned>(moment.tm_mon) + 1u);
    const char *separator = settings.dateSeparator;
    if (settings.dateOrder == 1)
        FormatTriple(out, kDateBytes, day, month, year, separator);
    else if (settings.dateOrder == 2)
        FormatTriple(out, kDateBytes, year, month, day, separator);
    else
        FormatTriple(out, kDateBytes, month, day, year, separator);
}

void FormatTimeText(const tm &moment, const DateTimeSettings &settings, char *out)
{
    const char *separator = settings.timeSeparator;
    if (settings.hours24 == 1) {
        FormatTriple(out, kTimeBytes, moment.tm_hour, moment.tm_min, moment.tm_sec, separator);
        return;
    }
    const int hour = moment.tm_hour % 12 == 0 ? 12 : moment.tm_hour % 12;
    FormatText(out, kTimeBytes, "  %d%s%02d%s%02d %s  ", hour, separator, moment.tm_min, separator,
               moment.tm_sec, moment.tm_hour < 12 ? settings.morning : settings.afternoon);
}

int WriteDateTime(const tm &moment, const DateTimeSettings &settings, char *timeOut, char *dateOut)
{
    if (!timeOut && !dateOut)
        return 0;
    char date[kDateBytes], time[kTimeBytes];
    FormatDateText(moment, settings, date);
    FormatTimeText(moment, settings, time);
    if (timeOut && dateOut) {
        FormatText(timeOut, DATETIME_TEXT_BYTES, "%s", time);
        FormatText(dateOut, DATETIME_TEXT_BYTES, "%s", date);
    } else if (timeOut) {
        FormatText(timeOut, DATETIME_TEXT_BYTES, "%s %s", time, date);
    } else {
        FormatText(dateOut, DATETIME_TEXT_BYTES, "%s %s", date, time);
    }
    return 1;
}

} // namespace kr
