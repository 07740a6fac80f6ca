// lstrchr, lstrstr, lstrfind, lstrncmp and lstrncpy through the DLL.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "krtext.h"

namespace {
// Offset of a found address in text, -1 for null.
long At(const char *text, const char *found) { return found ? static_cast<long>(found - text) : -1; }
} // namespace

TEST(StringSearch, MatchLiesWithinCountAndBeforeTheTerminator)
{
    // lstrchr: characters are signed 8-bit values, and 0 is never found.
    const char word[] = "ab\xe9" "c";
    const struct { int c; long at; } characters[] = {{'c', 3}, {-23, 2}, {0xE9, -1}, {0, -1}, {'z', -1}};
    for (const auto &c : characters)
        EXPECT_EQ(c.at, At(word, lstrchr(word, c.c))) << c.c;
    EXPECT_EQ(nullptr, lstrchr(nullptr, 'a'));

    const char text[] = "abcabc\0cd";
    const struct { const char *pattern; long count, at; } cases[] = {
        {"ca", 6, 2}, {"bc", 3, 1}, {"bc", 2, -1}, {"abc", 2, -1}, {"abc", -1, -1}, {"", -5, 0},
        {"BC", 6, -1}, {"cd", 100, -1}, {"abcabcx", 100, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.at, At(text, lstrstr(text, c.pattern, c.count))) << c.pattern << " " << c.count;
    EXPECT_EQ(nullptr, lstrstr(nullptr, "", 5));
    EXPECT_EQ(nullptr, lstrstr(text, nullptr, 5));

    const std::string key(128, 'k'), tooLong = key + "k";
    const std::string lines = "\r\n[s]\r\nkey=1\r\nk=2\r\n" + key + "=3\r\n" + key + "k=4\r\n";
    const char *t = lines.c_str();
    const struct { const char *key; long count, at; } keys[] = {
        {"k", 100, 14}, {"key", 100, 7}, {"k", 16, 14}, {"k", 15, -1}, {"s", 100, -1},
        {key.c_str(), 1000, 19}, {tooLong.c_str(), 1000, -1}, {nullptr, 100, -1},
    };
    for (const auto &c : keys)
        EXPECT_EQ(c.at, At(t, lstrfind(t, c.key, c.count))) << c.count;
    EXPECT_EQ(nullptr, lstrfind(nullptr, "k", 100));
}

TEST(StringCompareAndCopy, PrefixesEqualAndCopiesAlwaysTerminated)
{
    const struct { const char *a, *b; long count; int result; } cases[] = {
        {"ab", "abc", 3, 0}, {"abc", "ab", 3, 0}, {"abd", "abc", 3, 1}, {"abc", "abd", 2, 0},
        {"\xe9", "a", 1, -23 - 'a'}, {"a", "\x80", 1, 'a' + 128}, {"abc", "xyz", 0, 0},
        {"", "a", 3, -1}, {"a", "", 3, -1}, {nullptr, "a", 3, -1}, {"a", nullptr, 3, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.result, lstrncmp(c.a, c.b, c.count)) << (c.a ? c.a : "null") << " " << (c.b ? c.b : "null");

    const struct { const char *source; long count; const char *result; } copies[] = {
        {"hello", 3, "hel"}, {"hello", 50, "hello"}, {"hello", 0, ""}, {"hello", -4, ""}, {"", 3, ""}, {nullptr, 3, ""},
    };
    for (const auto &c : copies) {
        char out[16];
        memset(out, '#', sizeof out);
        lstrncpy(out, c.source, c.count);
        EXPECT_EQ(std::string(c.result) + '\0' + '#', std::string(out, strlen(c.result) + 2)) << c.count;
    }
    lstrncpy(nullptr, "hello", 3);
}
