// The comma-separated child list of a saved MDI desktop.
#include <gtest/gtest.h>

#include <string>

#include "settings/desktop_list.h"

TEST(DesktopList, LaterNamesGoInFront)
{
    kr::DesktopList list;
    EXPECT_STREQ("", list.Text());
    EXPECT_TRUE(list.Prepend("A"));
    EXPECT_TRUE(list.Prepend("B"));
    EXPECT_TRUE(list.Prepend("Chrom 2"));
    EXPECT_STREQ("Chrom 2,B,A", list.Text());
}

TEST(DesktopList, NamesThatDoNotFitAreLeftOutWhole)
{
    kr::DesktopList list;
    const std::string long80(80, 'x');
    int kept = 0;
    while (list.Prepend(long80.c_str()))
        ++kept;
    EXPECT_EQ(6, kept); // 6 * 80 + 5 commas = 485; a seventh would need 566
    EXPECT_TRUE(list.Prepend(std::string(26, 'y').c_str())); // exactly 512
    EXPECT_EQ(512u, std::string(list.Text()).size());
    EXPECT_FALSE(list.Prepend("z"));
    EXPECT_EQ('y', list.Text()[0]);
}
