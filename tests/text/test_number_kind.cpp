// IsNumber through the DLL.
#include <gtest/gtest.h>

#include <string>

#include "krtext.h"

TEST(IsNumber, ClassifiesEveryKind)
{
    const struct {
        const char *text;
        int kind;
    } cases[] = {
        {"42", 1}, {"\t\r\n +7", 1}, {"", 1}, {"  -", 1}, {" -4.2", 2}, {".5", 2}, {"4.2.1", 0}, {"xyz", 0},
        {"--1", 0}, {"0x1F", 3}, {"0X", 3}, {"1F", 3}, {"abc", 3}, {"15e2", 3}, {"1.5e2", 0}, {"0x1.5", 0},
        {"12 ", -1}, {"1 2 3", -1}, {"1 .5", 0}, {"1 E", 0}, {"1 e2.5", 4}, {"1.5 e -2.5", 4},
        {"1 e25", 0}, {"1 e2.5 e1.5", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.kind, IsNumber(c.text)) << '"' << c.text << '"';
}

TEST(IsNumber, NullAndEndlessExponentChainsAreNotNumbers)
{
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber(nullptr));
    std::string chain;
    for (int i = 0; i < 200000; ++i)
        chain += "1 e";
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber((chain + "2.5").c_str()));
}
