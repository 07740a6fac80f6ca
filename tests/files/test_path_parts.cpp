// Joining a path from directory, name and extension.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "files/path_parts.h"

namespace {

std::string Join(const char *dir, const char *name, const char *ext)
{
    char out[300];
    const size_t length = kr::JoinPath(dir, name, ext, out, sizeof out);
    EXPECT_EQ(strlen(out), length);
    return out;
}

} // namespace

TEST(JoinPath, AddsSeparatorAndDotOnlyWhereMissing)
{
    EXPECT_EQ("C:\\work\\KESTRUNE.INI", Join("C:\\work", "KESTRUNE", "INI"));
    EXPECT_EQ("C:\\work\\KESTRUNE.INI", Join("C:\\work\\", "KESTRUNE", ".INI"));
    EXPECT_EQ("C:/work/f.raw", Join("C:/work/", "f", "raw"));
    EXPECT_EQ("E:\\f.raw", Join("E:", "f", "raw"));
}

TEST(JoinPath, EmptyAndNullPartsAreLeftOut)
{
    EXPECT_EQ("f", Join("", "f", ""));
    EXPECT_EQ("f", Join(nullptr, "f", nullptr));
    EXPECT_EQ("E:\\tmp\\.txt", Join("E:\\tmp\\", nullptr, "txt"));
    EXPECT_EQ("", Join(nullptr, nullptr, nullptr));
}

TEST(JoinPath, ReportsTheWholeLengthWhenCut)
{
    char out[8];
    memset(out, '#', sizeof out);
    EXPECT_EQ(11u, kr::JoinPath("ab", "cdef", "ghi", out, 6)); // ab\cdef.ghi
    EXPECT_STREQ("ab\\cd", out);
    EXPECT_EQ('#', out[6]);
    EXPECT_EQ(11u, kr::JoinPath("ab", "cdef", "ghi", out, 0));
    EXPECT_EQ('#', out[6]);
}
