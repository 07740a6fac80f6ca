// The text form of window placements.
#include <gtest/gtest.h>

#include <limits.h>
#include <string.h>

#include <string>

#include "settings/wind_pos_text.h"

namespace {

INIWINDPOS Parsed(const char *text, bool expectField = true)
{
    INIWINDPOS pos;
    memset(&pos, 0x5A, sizeof pos);
    EXPECT_EQ(expectField, kr::ParseWindPos(text, &pos)) << text;
    return pos;
}

std::string Text(INIWINDPOS pos)
{
    char out[kr::kWindPosTextSize];
    kr::FormatWindPos(pos, out, sizeof out);
    return out;
}

void ExpectPos(const INIWINDPOS &pos, long visible, short show, long l, long t, long r, long b)
{
    EXPECT_EQ(visible, pos.visible);
    EXPECT_EQ(show, pos.show);
    EXPECT_EQ(l, pos.left);
    EXPECT_EQ(t, pos.top);
    EXPECT_EQ(r, pos.right);
    EXPECT_EQ(b, pos.bottom);
}

} // namespace

TEST(WindPosText, ParsesTheFullForm)
{
    ExpectPos(Parsed("TRUE,SW_SHOWNORMAL,10,20,610,420"), 1, 1, 10, 20, 610, 420);
    ExpectPos(Parsed("FALSE,SW_SHOWMAXIMIZED,1,2,3,4"), 0, 3, 1, 2, 3, 4);
    ExpectPos(Parsed("TRUE,SW_SHOWMINIMIZED,-5,-6,7,8"), 1, 2, -5, -6, 7, 8);
}

TEST(WindPosText, WordsAreCaseSensitive)
{
    ExpectPos(Parsed("true,SW_SHOWNORMAL,1,2,3,4"), 0, 1, 1, 2, 3, 4);
    ExpectPos(Parsed("TRUE,sw_showmaximized,1,2,3,4"), 1, 1, 1, 2, 3, 4);
}

TEST(WindPosText, ShortFormsAndMissingNumbers)
{
    ExpectPos(Parsed("TRUE"), 1, 2, 0, 0, 100, 100);
    ExpectPos(Parsed("FALSE"), 0, 2, 0, 0, 100, 100);
    ExpectPos(Parsed("TRUE,SW_SHOWNORMAL,10"), 1, 1, 10, 0, 0, 0);
    ExpectPos(Parsed("TRUE,SW_SHOWNORMAL,x,20,y,40"), 1, 1, 0, 20, 0, 40);
}

TEST(WindPosText, EmptyFieldsDoNotCount)
{
    ExpectPos(Parsed(",,TRUE,,SW_SHOWMAXIMIZED,,1,,,2,3,4,"), 1, 3, 1, 2, 3, 4);
}

TEST(WindPosText, NoFieldLeavesTheRecordZero)
{
    ExpectPos(Parsed("", false), 0, 0, 0, 0, 0, 0);
    ExpectPos(Parsed(",,,", false), 0, 0, 0, 0, 0, 0);
}

TEST(WindPosText, FormatsEveryShowValue)
{
    EXPECT_EQ("TRUE,SW_SHOWNORMAL,10,20,610,420", Text({1, 1, 10, 20, 610, 420}));
    EXPECT_EQ("FALSE,SW_SHOWMINIMIZED,0,0,0,0", Text({0, 2, 0, 0, 0, 0}));
    EXPECT_EQ("TRUE,SW_SHOWMAXIMIZED,-1,-2,3,4", Text({7, 3, -1, -2, 3, 4}));
    EXPECT_EQ("TRUE,SW_SHOWNORMAL,1,2,3,4", Text({1, 5, 1, 2, 3, 4}));
    EXPECT_EQ("FALSE,SW_SHOWMINIMIZED,-2147483648,-2147483648,-2147483648,-2147483648",
              Text({0, 2, LONG_MIN, LONG_MIN, LONG_MIN, LONG_MIN}));
}
