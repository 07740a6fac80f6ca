// lstrchr, lstrstr, lstrfind, lstrncmp and lstrncpy through the DLL.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "krtext.h"

using namespace std::string_literals;

TEST(Strings, SearchesStayWithinCountAndBeforeTheTerminator)
{
    // lstrchr: characters are signed 8-bit values, and 0 is never found.
    const char word[] = "ab\xe9" "c";
    const struct { int c; const char *at; } chars[] = {{'c', word + 3}, {-23, word + 2}, {0xE9, nullptr}, {0, nullptr}};
    for (const auto &c : chars)
        EXPECT_EQ(c.at, lstrchr(word, c.c)) << c.c;

    // lstrstr: a match starts no later than count - its length; lstrfind: the line of a key of up to 128 characters.
    const std::string key(128, 'k'), tooLong = key + "k";
    const std::string text = "abcabc\r\nk=1\r\n" + key + "=2\r\n" + tooLong + "=3\0cd"s;
    using Search = char *(KRAPI *)(const char *, const char *, long);
    const struct { Search search; const char *pattern; long count, at; } cases[] = {
        {lstrstr, "ca", 6, 2}, {lstrstr, "bc", 3, 1}, {lstrstr, "bc", 2, -1}, {lstrstr, "abc", 2, -1},
        {lstrstr, "", -5, 0}, {lstrstr, "cd", 1000, -1}, {lstrstr, "abcabcx", 1000, -1}, {lstrfind, "k", 1000, 8},
        {lstrfind, "k", 10, 8}, {lstrfind, "k", 9, -1}, {lstrfind, key.c_str(), 1000, 13},
        {lstrfind, tooLong.c_str(), 1000, -1}, {lstrfind, nullptr, 1000, -1},
    };
    for (const auto &c : cases) {
        const char *found = c.search(text.c_str(), c.pattern, c.count);
        EXPECT_EQ(c.at, found ? found - text.c_str() : -1) << "case " << &c - cases;
    }
    EXPECT_EQ(nullptr, lstrstr(nullptr, "a", 5));
    EXPECT_EQ(nullptr, lstrchr(nullptr, 'a'));
    EXPECT_EQ(nullptr, lstrstr("abc", nullptr, 5));
}

TEST(Strings, PrefixesCompareEqualAndCopiesAreAlwaysTerminated)
{
    const struct { const char *a, *b; long count; int result; } cases[] = {
        {"ab", "abc", 3, 0}, {"abc", "ab", 3, 0}, {"abd", "abc", 3, 1}, {"abc", "abd", 2, 0},
        {"\xe9", "a", 1, -23 - 'a'}, {"a", "\x80", 1, 'a' + 128}, {"abc", "xyz", 0, 0},
        {"", "a", 3, -1}, {"a", "", 3, -1}, {nullptr, "a", 3, -1}, {"a", nullptr, 3, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.result, lstrncmp(c.a, c.b, c.count)) << "case " << &c - cases;

    const struct { const char *source; long count; const char *result; } copies[] = {
        {"hello", 3, "hel"}, {"hello", 50, "hello"}, {"hello", 0, ""}, {"hello", -4, ""}, {"", 3, ""}, {nullptr, 3, ""},
    };
    for (const auto &c : copies) {
        std::string out(16, '#');
        lstrncpy(&out[0], c.source, c.count);
        EXPECT_EQ(std::string(c.result) + '\0' + '#', out.substr(0, strlen(c.result) + 2)) << c.count;
    }
    lstrncpy(nullptr, "hello", 3);
}
