// Joining a path: the settings file's path relies on the whole length being
// reported when the join is cut.
#include <gtest/gtest.h>

#include "files/path_parts.h"

TEST(JoinPath, ReportsTheWholeLengthWhenCut)
{
    char out[8] = "#######";
    EXPECT_EQ(11u, kr::JoinPath("ab", "cdef", "ghi", out, 6)); // ab\cdef.ghi
    EXPECT_STREQ("ab\\cd", out);
    EXPECT_EQ('#', out[6]);
    EXPECT_EQ(11u, kr::JoinPath("ab", "cdef", "ghi", nullptr, 0));
}
