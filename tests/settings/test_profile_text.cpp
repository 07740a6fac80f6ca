// The profile text engine, looked at byte by byte in its global block.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "apps/message_box.h"
#include "settings/profile_text.h"
#include "support/box_answerer.h"
#include "support/memory.h"

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
        kr::MemFailAt(0, false);
        GlobalUnlock(pb_.block);
        GlobalFree(pb_.block);
    }

    int Set(const char *section, const char *key, std::string value, int create = 1)
    {
        return kr::SetString(&pb_, section, key, &value[0], create);
    }

    std::string Get(const char *section, const char *key, const char *def = nullptr, short size = 600,
                    short *result = nullptr)
    {
        char out[700];
        memset(out, '#', sizeof out);
        const short r = kr::GetString(&pb_, section, key, def, out, size);
        if (result)
            *result = r;
        EXPECT_EQ('#', out[size]);
        return r >= 0 && (!section || !key) ? std::string(out, r) : std::string(out);
    }

    std::string Text() const { return pb_.text; }

    // The whole block beyond the text is zero, with at least one zero byte.
    ::testing::AssertionResult TailIsZero() const
    {
        const long length = static_cast<long>(GlobalSize(pb_.block)) - pb_.freeBytes;
        if (length != static_cast<long>(strlen(pb_.text)) || pb_.freeBytes < 1)
            return ::testing::AssertionFailure() << "text length " << strlen(pb_.text) << ", free " << pb_.freeBytes;
        for (long i = length; i < static_cast<long>(GlobalSize(pb_.block)); ++i)
            if (pb_.text[i])
                return ::testing::AssertionFailure() << "byte " << i << " is " << int(pb_.text[i]);
        return ::testing::AssertionSuccess();
    }

    kr::ProfileBuffer pb_{};
};

} // namespace

TEST_F(ProfileText, SectionsAppendKeysJoinTheirSectionAndValuesResizeInPlace)
{
    EXPECT_EQ(1, Set("S", "K", "V"));
    EXPECT_EQ("\r\n[S]\r\nK=V\r\n", Text());
    EXPECT_EQ(1, kr::AddSection(&pb_, "T"));
    EXPECT_EQ(1, Set("S", "K2", "W"));
    EXPECT_EQ(1, Set("T", "X", "1"));
    EXPECT_EQ("\r\n[S]\r\nK=V\r\nK2=W\r\n\r\n[T]\r\nX=1\r\n", Text());
    EXPECT_EQ(1, Set("S", "K", "longer value"));
    EXPECT_EQ("\r\n[S]\r\nK=longer value\r\nK2=W\r\n\r\n[T]\r\nX=1\r\n", Text());
    EXPECT_EQ(1, Set("S", "K", ""));
    EXPECT_EQ("\r\n[S]\r\nK=\r\nK2=W\r\n\r\n[T]\r\nX=1\r\n", Text());
    EXPECT_TRUE(TailIsZero()); // the shrink left zeros behind
    EXPECT_EQ("W", Get("S", "K2"));
    EXPECT_EQ("1", Get("T", "X"));
}

TEST_F(ProfileText, WithoutCreateOnlyExistingKeysChange)
{
    Set("S", "K", "V");
    const std::string before = Text();
    EXPECT_EQ(0, Set("S", "Missing", "x", 0));
    EXPECT_EQ(0, Set("Missing", "K", "x", 0));
    EXPECT_EQ(before, Text());
    EXPECT_EQ(1, Set("S", "K", "W", 0));
    EXPECT_EQ("W", Get("S", "K"));
}

TEST_F(ProfileText, NamesMatchWholeAndCaseSensitively)
{
    Set("SystemList", "ABC", "1");
    Set("SystemList", "AB", "2");
    Set("SystemList", "XAB", "3");
    EXPECT_EQ("2", Get("SystemList", "AB"));
    EXPECT_EQ("-", Get("SystemList", "B", "-"));
    EXPECT_EQ("-", Get("systemlist", "AB", "-"));
    EXPECT_EQ("-", Get("System", "AB", "-"));
    EXPECT_EQ(1, Set("S", "a", "b=c"));
    EXPECT_EQ("b=c", Get("S", "a"));
}

TEST_F(ProfileText, ReadsAndWritesAreCutAndReadsFallBackToTheDefault)
{
    Set("S", "K", "abcdef");
    short result = 0;
    EXPECT_EQ("abc", Get("S", "K", nullptr, 4, &result));
    EXPECT_EQ(3, result);
    EXPECT_EQ("", Get("S", "Missing", nullptr, 600, &result));
    EXPECT_EQ(-1, result);
    EXPECT_EQ("x", Get("Missing", "K", "x", 600, &result));
    EXPECT_EQ(-1, result);
    EXPECT_EQ("lon", Get("S", "Missing", "long default", 4, &result));
    // Writes are cut to the line limit in the caller's own string.
    std::string value(600, 'v');
    EXPECT_EQ(1, kr::SetString(&pb_, "S", "TenLetters", &value[0], 1));
    EXPECT_EQ(498u, strlen(value.c_str()));
    EXPECT_EQ(std::string(498, 'v'), Get("S", "TenLetters"));
}

TEST_F(ProfileText, ListsPackNamesEachWithItsNul)
{
    Set("S", "A", "1");
    Set("S", "B", "2");
    Set("T", "C", "3");
    EXPECT_EQ(std::string("A\0B\0", 4), Get("S", nullptr));
    EXPECT_EQ(std::string("S\0T\0", 4), Get(nullptr, nullptr));
    kr::AddSection(&pb_, "Third");
    // Stops once the count reaches size - 2; the last name is cut to fit.
    EXPECT_EQ(std::string("S\0T\0Th\0", 7), Get(nullptr, nullptr, nullptr, 7));
    EXPECT_EQ(std::string("", 0), Get(nullptr, nullptr, nullptr, 2));
}

TEST_F(ProfileText, ListsReportBrokenLines)
{
    Set("S", "A", "1");
    char *equals = strchr(pb_.text, '=');
    *equals = ' '; // "A 1": a line without "="
    char out[64];
    pb_.sectionName[0] = '\0';
    EXPECT_EQ(-1, kr::GetString(&pb_, "S", nullptr, nullptr, out, sizeof out));
    strchr(pb_.text, ']')[0] = ' '; // a header without "]"
    EXPECT_EQ(-1, kr::EnumSections(&pb_, out, sizeof out));
}

TEST_F(ProfileText, AHeaderAtTheVeryStartIsFound)
{
    const char text[] = "[S]\r\nK=V\r\n";
    kr::AddSection(&pb_, "pad"); // grow the block for the hand-made text
    memset(pb_.text, 0, static_cast<size_t>(GlobalSize(pb_.block)));
    memcpy(pb_.text, text, sizeof text);
    pb_.freeBytes = static_cast<long>(GlobalSize(pb_.block)) - (sizeof text - 1);
    pb_.sectionName[0] = '\0';
    EXPECT_EQ("V", Get("S", "K"));
}

TEST_F(ProfileText, RefusesNamesAndValuesThatWouldBreakTheText)
{
    const std::string longest31(31, 's'), key128(128, 'k');
    EXPECT_EQ(1, Set(longest31.c_str(), key128.c_str(), "ok"));
    EXPECT_EQ("ok", Get(longest31.c_str(), key128.c_str()));
    const std::string before = Text();
    for (const char *section : {"32 characters are one too many..", "a]b", "a\r\nb"})
        EXPECT_EQ(0, Set(section, "K", "v")) << section;
    EXPECT_EQ(0, Set("S", std::string(129, 'k').c_str(), "v"));
    for (const char *key : {"a=b", "a\nb"})
        EXPECT_EQ(0, Set("S", key, "v")) << key;
    for (const char *value : {"a\rb", "a\nb"})
        EXPECT_EQ(0, Set("S", "K", value)) << value;
    EXPECT_EQ(before, Text());
    EXPECT_EQ("-", Get("32 characters are one too many..", "K", "-"));
}

TEST_F(ProfileText, GrowthFailureKeepsTheTextAndTellsTheUser)
{
    Set("S", "Old", "value");
    const std::string before = Text();
    krtest::BoxAnswerer answerer;
    kr::SetMessageBoxObserver(krtest::BoxAnswerer::Observe);

    // Inserting a key: the growth inside FindLine fails.
    kr::MemFailAt(1, false);
    EXPECT_EQ(0, Set("S", std::string(100, 'k').c_str(), "v"));
    // Lengthening a value: the growth inside SetString fails.
    kr::MemFailAt(1, false);
    EXPECT_EQ(0, Set("S", "Old", std::string(200, 'x')));
    // A new section that does not fit what is left: AddSection fails
    // without a message.
    ASSERT_EQ(1, Set("S", "Fill", std::string(pb_.freeBytes - 17, 'f')));
    const std::string filled = Text();
    ASSERT_EQ(10, pb_.freeBytes);
    kr::MemFailAt(1, false);
    EXPECT_EQ(0, Set("New section", "K", "v"));
    kr::SetMessageBoxObserver(nullptr);

    EXPECT_EQ(filled, Text());
    EXPECT_EQ(before, Text().substr(0, before.size()));
    EXPECT_TRUE(TailIsZero());
    ASSERT_EQ(2u, answerer.Boxes().size());
    for (const char *caption : {"FindLine", "SetString"}) {
        const krtest::ShownBox &box = answerer.Boxes()[caption[0] == 'F' ? 0 : 1];
        EXPECT_EQ("Out of memory", box.text);
        EXPECT_EQ(caption, box.caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), box.style);
        EXPECT_EQ(GetFocus(), box.owner);
        EXPECT_EQ(caption, box.shownCaption);
        EXPECT_EQ("Out of memory", box.shownText);
    }
    EXPECT_EQ(1, Set("S", "Old", std::string(200, 'x')));
    EXPECT_EQ(std::string(200, 'x'), Get("S", "Old"));
}
