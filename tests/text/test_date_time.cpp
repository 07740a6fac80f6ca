// GetCurrentDateTime through the DLL, against the real clock and regional
// settings written to WIN.INI [intl], which are restored afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <time.h>

#include <string>

#include "krtext.h"

namespace {

const char *const kKeys[] = {"iDate", "iTime", "sDate", "sTime", "s1159", "s2359"};
const char kMissing[] = "\x01(missing)";

// Values in the order of kKeys; null deletes the key.
using Intl = const char *const[6];

// The texts made with the runtime's strftime from the same moment.
std::string Part(const tm &moment, const char *format)
{
    char out[16];
    strftime(out, sizeof out, format, &moment);
    return out;
}

std::string ExpectedDate(const tm &t, int order, const std::string &sep)
{
    const std::string d = Part(t, "%d"), m = Part(t, "%m"), y = Part(t, "%y");
    return order == 1 ? d + sep + m + sep + y : order == 2 ? y + sep + m + sep + d : m + sep + d + sep + y;
}

std::string ExpectedTime(const tm &t, bool hours24, const std::string &sep, const std::string &am,
                         const std::string &pm)
{
    const std::string minSec = sep + Part(t, "%M") + sep + Part(t, "%S");
    if (hours24)
        return Part(t, "%H") + minSec;
    std::string hour = Part(t, "%I");
    if (hour[0] == '0')
        hour.erase(0, 1);
    return "  " + hour + minSec + " " + (t.tm_hour < 12 ? am : pm) + "  ";
}

class DateTimeExport : public testing::Test {
protected:
    void SetUp() override
    {
        char value[256];
        for (int i = 0; i < 6; ++i)
            saved_[i] = (GetProfileStringA("intl", kKeys[i], kMissing, value, sizeof value), value);
    }
    void TearDown() override
    {
        for (int i = 0; i < 6; ++i)
            WriteProfileStringA("intl", kKeys[i], saved_[i] == kMissing ? nullptr : saved_[i].c_str());
        GetCurrentDateTime(nullptr, nullptr, DATETIME_REREAD_SETTINGS);
    }
    static void Write(const Intl &intl)
    {
        for (int i = 0; i < 6; ++i)
            ASSERT_TRUE(WriteProfileStringA("intl", kKeys[i], intl[i]));
    }
    // Calls until the clock's second did not change during the call; the
    // moment in *moment.
    static int Call(char *timeOut, char *dateOut, int flags, tm *moment)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            const time_t before = time(nullptr);
            const int result = GetCurrentDateTime(timeOut, dateOut, flags);
            if (time(nullptr) == before) {
                *moment = *localtime(&before);
                return result;
            }
        }
        ADD_FAILURE() << "the clock never held still";
        return -1;
    }

private:
    std::string saved_[6];
};

} // namespace

TEST_F(DateTimeExport, FollowsTheRegionalSettings)
{
    const struct {
        const char *intl[6];
        int order;
        bool hours24;
        const char *dateSep, *timeSep, *am, *pm;
    } cases[] = {
        {{"1", "0", ".", ":", "AM", "PM"}, 1, false, ".", ":", "AM", "PM"},
        {{"2", "1", "-", ".", "AM", "PM"}, 2, true, "-", ".", "AM", "PM"},
        {{"0", "0", ".-", ".:", "morning", "evening"}, 0, false, ".", ".", "morn", "even"},
        {{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}, 0, false, "/", ":", "AM", "PM"},
    };
    for (const auto &c : cases) {
        Write(c.intl);
        char time[DATETIME_TEXT_BYTES], date[DATETIME_TEXT_BYTES];
        tm moment;
        ASSERT_EQ(1, Call(time, date, DATETIME_REREAD_SETTINGS, &moment));
        EXPECT_EQ(ExpectedDate(moment, c.order, c.dateSep), date);
        EXPECT_EQ(ExpectedTime(moment, c.hours24, c.timeSep, c.am, c.pm), time);
    }
}

TEST_F(DateTimeExport, ChangedSettingsWaitForTheRereadFlag)
{
    Write({"1", "1", ".", ":", "AM", "PM"});
    char time[DATETIME_TEXT_BYTES], date[DATETIME_TEXT_BYTES];
    tm moment;
    ASSERT_EQ(1, Call(time, date, DATETIME_REREAD_SETTINGS, &moment));
    Write({"2", "0", "-", ".", "vm", "nm"});
    ASSERT_EQ(1, Call(time, nullptr, 0, &moment));
    EXPECT_EQ(ExpectedTime(moment, true, ":", "", "") + " " + ExpectedDate(moment, 1, "."), time);
    EXPECT_EQ(0, GetCurrentDateTime(nullptr, nullptr, 0));
    ASSERT_EQ(1, Call(time, date, DATETIME_REREAD_SETTINGS | 1, &moment));
    EXPECT_EQ(ExpectedDate(moment, 2, "-"), date);
    EXPECT_EQ(ExpectedTime(moment, false, ".", "vm", "nm"), time);
}
