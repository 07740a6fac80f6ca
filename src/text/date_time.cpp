// GetCurrentDateTime: the local clock in the texts of WIN.INI [intl], whose
// settings are read once and kept until the caller asks for them again.
#include "krtext.h"

#include <time.h>

#include "text/date_time_text.h"

namespace {

const char kSection[] = "intl";

} // namespace

kr::DateTimeSettings kr::ReadDateTimeSettings()
{
    const kr::DateTimeSettings defaults = kr::DefaultDateTimeSettings();
    kr::DateTimeSettings settings;
    settings.dateOrder = GetProfileIntA(kSection, "iDate", defaults.dateOrder);
    settings.hours24 = GetProfileIntA(kSection, "iTime", defaults.hours24);
    // Each buffer's size is what is kept of the value, its NUL included.
    GetProfileStringA(kSection, "sDate", defaults.dateSeparator, settings.dateSeparator,
                      sizeof settings.dateSeparator);
    GetProfileStringA(kSection, "sTime", defaults.timeSeparator, settings.timeSeparator,
                      sizeof settings.timeSeparator);
    GetProfileStringA(kSection, "s1159", defaults.morning, settings.morning, sizeof settings.morning);
    GetProfileStringA(kSection, "s2359", defaults.afternoon, settings.afternoon, sizeof settings.afternoon);
    return settings;
}

int KRAPI GetCurrentDateTime(char *timeOut, char *dateOut, int flags)
{
    static bool read = false;
    static kr::DateTimeSettings settings;
    if (!read || (flags & DATETIME_REREAD_SETTINGS)) {
        settings = kr::ReadDateTimeSettings();
        read = true;
    }
    if (!timeOut && !dateOut)
        return 0;
    const time_t now = time(nullptr);
    const tm *local = localtime(&now);
    if (!local)
        return 0;
    return kr::WriteDateTime(*local, settings, timeOut, dateOut);
}
