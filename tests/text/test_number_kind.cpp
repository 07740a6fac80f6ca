// IsNumber through the DLL.
#include <gtest/gtest.h>

#include <string>

#include "krtext.h"

TEST(IsNumber, ClassifiesPlainNumbers)
{
    EXPECT_EQ(NUMBER_KIND_INTEGER, IsNumber("42"));
    EXPECT_EQ(NUMBER_KIND_INTEGER, IsNumber("\t\r\n +7"));
    EXPECT_EQ(NUMBER_KIND_DECIMAL, IsNumber(" -4.2"));
    EXPECT_EQ(NUMBER_KIND_DECIMAL, IsNumber(".5"));
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber("4.2.1"));
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber("xyz"));
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber("--1"));
}

TEST(IsNumber, EmptyTextCountsAsAnInteger)
{
    EXPECT_EQ(NUMBER_KIND_INTEGER, IsNumber(""));
    EXPECT_EQ(NUMBER_KIND_INTEGER, IsNumber("  -"));
}

TEST(IsNumber, HexLettersMakeAHexNumber)
{
    EXPECT_EQ(NUMBER_KIND_HEX, IsNumber("0x1F"));
    EXPECT_EQ(NUMBER_KIND_HEX, IsNumber("0X"));
    EXPECT_EQ(NUMBER_KIND_HEX, IsNumber("1F"));
    EXPECT_EQ(NUMBER_KIND_HEX, IsNumber("abc"));
    EXPECT_EQ(NUMBER_KIND_HEX, IsNumber("15e2")); // e is a hex digit here
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber("1.5e2"));
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber("0x1.5"));
}

TEST(IsNumber, BlankSeparatedTails)
{
    EXPECT_EQ(NUMBER_KIND_BLANKED, IsNumber("12 "));
    EXPECT_EQ(NUMBER_KIND_BLANKED, IsNumber("1 2 3"));
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber("1 .5"));
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber("1 E"));
}

TEST(IsNumber, BlankThenExponentNeedsADecimalNumber)
{
    EXPECT_EQ(NUMBER_KIND_EXPONENT, IsNumber("1 e2.5"));
    EXPECT_EQ(NUMBER_KIND_EXPONENT, IsNumber("1.5 e -2.5"));
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber("1 e25"));
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber("1 e2.5 e1.5"));
}

TEST(IsNumber, NullAndEndlessChainsAreNotNumbers)
{
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber(nullptr));
    std::string chain;
    for (int i = 0; i < 200000; ++i)
        chain += "1 e";
    chain += "2.5";
    EXPECT_EQ(NUMBER_KIND_NONE, IsNumber(chain.c_str()));
}
