// The profile text engine, looked at byte by byte in its global block.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <string>

#include "settings/profile_text.h"

namespace {

class ProfileText : public testing::Test {
protected:
    void SetUp() override
    {
        pb_.block = GlobalAlloc(GMEM_SHARE | GMEM_ZEROINIT | GMEM_NODISCARD | GMEM_MOVEABLE, 1);
        pb_.freeBytes = static_cast<long>(GlobalSize(pb_.block));
        pb_.text = static_cast<char *>(GlobalLock(pb_.block));
    }
    void TearDown() override
    {
        GlobalUnlock(pb_.block);
        GlobalFree(pb_.block);
    }
    int Set(const char *section, const char *key, std::string value, int create = 1)
    {
        return kr::SetString(&pb_, section, key, &value[0], create);
    }
    // At least one byte is free, and every free byte is zero.
    bool TailIsZero() const
    {
        const char *end = pb_.text + GlobalSize(pb_.block);
        return pb_.freeBytes >= 1 && std::all_of(end - pb_.freeBytes, end, [](char c) { return c == 0; });
    }

    kr::ProfileBuffer pb_{};
};

} // namespace

TEST_F(ProfileText, SectionsAppendKeysJoinTheirSectionAndValuesResizeInPlace)
{
    EXPECT_EQ(1, Set("S", "K", "V"));
    EXPECT_STREQ("\r\n[S]\r\nK=V\r\n", pb_.text);
    EXPECT_EQ(1, kr::AddSection(&pb_, "T"));
    EXPECT_STREQ("\r\n[S]\r\nK=V\r\n\r\n[T]\r\n", pb_.text);
    EXPECT_EQ(1, Set("S", "K2", "W"));
    EXPECT_EQ(1, Set("T", "X", "1"));
    EXPECT_EQ(1, Set("S", "K", "longer value"));
    EXPECT_STREQ("\r\n[S]\r\nK=longer value\r\nK2=W\r\n\r\n[T]\r\nX=1\r\n", pb_.text);
    EXPECT_EQ(1, Set("S", "K", "", 0));
    EXPECT_STREQ("\r\n[S]\r\nK=\r\nK2=W\r\n\r\n[T]\r\nX=1\r\n", pb_.text);
    EXPECT_TRUE(TailIsZero()); // the shrink left zeros behind
    // A value that would take every free byte grows the block.
    EXPECT_EQ(1, Set("T", "X", std::string(pb_.freeBytes + 1, 'x')));
    EXPECT_TRUE(TailIsZero());
}

TEST_F(ProfileText, HandMadeTextsWithAHeaderAtTheStartOrBrokenLines)
{
    kr::AddSection(&pb_, "padding for the hand-made text");
    memset(pb_.text, 0, GlobalSize(pb_.block));
    strcpy(pb_.text, "[S]\r\nK=V\r\nA 1\r\n");
    pb_.freeBytes = static_cast<long>(GlobalSize(pb_.block) - strlen(pb_.text));
    char out[64];
    EXPECT_EQ(1, kr::GetString(&pb_, "S", "K", nullptr, out, sizeof out));
    EXPECT_STREQ("V", out);
    EXPECT_EQ(-1, kr::GetString(&pb_, "S", nullptr, nullptr, out, sizeof out)); // "A 1" has no "="
    pb_.text[2] = ' ';
    EXPECT_EQ(-1, kr::GetString(&pb_, nullptr, nullptr, nullptr, out, sizeof out)); // "[S " has no "]"
}
