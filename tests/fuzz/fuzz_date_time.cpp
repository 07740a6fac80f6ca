// Date and time texts: for any moment and any settings nothing is written
// past the 9-, 18- and DATETIME_TEXT_BYTES-byte outputs, WriteDateTime
// gives each output its own text or both joined by a blank, and a moment
// whose fields are in range has the settings' forms.
#include <time.h>

#include <algorithm>

#include "fuzz_check.h"
#include "krtext.h"
#include "text/date_time_text.h"

namespace {

// A field in its range half the time, else any int.
int Field(FuzzedDataProvider &input, int low, int high)
{
    return input.ConsumeBool() ? input.ConsumeIntegralInRange(low, high) : input.ConsumeIntegral<int>();
}

template <size_t size>
void SetText(char (&field)[size], const std::string &text)
{
    memset(field, 0, size);
    memcpy(field, text.data(), std::min(text.size(), size - 1));
}

std::string Two(int n)
{
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

// What WriteDateTime puts in an output of its own, the other given or not.
std::string Written(const tm &moment, const kr::DateTimeSettings &settings, bool time, bool date)
{
    ExactBuffer timeOut(DATETIME_TEXT_BYTES), dateOut(DATETIME_TEXT_BYTES);
    FUZZ_CHECK(kr::WriteDateTime(moment, settings, time ? timeOut.get() : nullptr, date ? dateOut.get() : nullptr) ==
                   (time || date ? 1 : 0),
               "WriteDateTime(%d, %d)", time, date);
    return time && date ? std::string(timeOut.get()) + "|" + dateOut.get() : time ? timeOut.get() : date ? dateOut.get() : "";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    kr::DateTimeSettings settings{};
    SetText(settings.dateSeparator, input.ConsumeRandomLengthString(1));
    SetText(settings.timeSeparator, input.ConsumeRandomLengthString(1));
    SetText(settings.morning, input.ConsumeRandomLengthString(4));
    SetText(settings.afternoon, input.ConsumeRandomLengthString(4));
    settings.dateOrder = Field(input, 0, 2);
    settings.hours24 = Field(input, 0, 1);
    tm moment{};
    moment.tm_sec = Field(input, 0, 59);
    moment.tm_min = Field(input, 0, 59);
    moment.tm_hour = Field(input, 0, 23);
    moment.tm_mday = Field(input, 1, 31);
    moment.tm_mon = Field(input, 0, 11);
    moment.tm_year = Field(input, 0, 1000000);

    ExactBuffer date(9), time(18);
    kr::FormatDateText(moment, settings, date.get());
    kr::FormatTimeText(moment, settings, time.get());
    FUZZ_CHECK(Written(moment, settings, true, true) == std::string(time.get()) + "|" + date.get() &&
                   Written(moment, settings, true, false) == std::string(time.get()) + " " + date.get() &&
                   Written(moment, settings, false, true) == std::string(date.get()) + " " + time.get() &&
                   Written(moment, settings, false, false).empty(),
               "WriteDateTime's texts for \"%s\" and \"%s\"", time.get(), date.get());

    const bool inRange = moment.tm_sec >= 0 && moment.tm_sec <= 59 && moment.tm_min >= 0 && moment.tm_min <= 59 &&
                         moment.tm_hour >= 0 && moment.tm_hour <= 23 && moment.tm_mday >= 1 && moment.tm_mday <= 31 &&
                         moment.tm_mon >= 0 && moment.tm_mon <= 11 && moment.tm_year >= 0;
    if (!inRange)
        return 0;
    const std::string d = settings.dateSeparator, day = Two(moment.tm_mday), month = Two(moment.tm_mon + 1),
                      year = Two(moment.tm_year % 100);
    const std::string dateForm = settings.dateOrder == 1   ? day + d + month + d + year
                                 : settings.dateOrder == 2 ? year + d + month + d + day
                                                           : month + d + day + d + year;
    FUZZ_CHECK(dateForm == date.get(), "date \"%s\", not \"%s\"", date.get(), dateForm.c_str());
    const std::string t = settings.timeSeparator, rest = t + Two(moment.tm_min) + t + Two(moment.tm_sec);
    const int hour12 = moment.tm_hour % 12 == 0 ? 12 : moment.tm_hour % 12;
    const std::string timeForm =
        settings.hours24 == 1
            ? Two(moment.tm_hour) + rest
            : "  " + std::to_string(hour12) + rest + " " +
                  (moment.tm_hour < 12 ? settings.morning : settings.afternoon) + "  ";
    FUZZ_CHECK(timeForm == time.get(), "time \"%s\", not \"%s\"", time.get(), timeForm.c_str());
    return 0;
}
