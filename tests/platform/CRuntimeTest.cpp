#include "platform/CRuntime.h"

#include <climits>
#include <gtest/gtest.h>

TEST(Atoi, FollowsTheCRules) {
    EXPECT_EQ(Atoi("42"), 42);
    EXPECT_EQ(Atoi("  \t-17xyz"), -17);
    EXPECT_EQ(Atoi("+8"), 8);
    EXPECT_EQ(Atoi("12 34"), 12);
    EXPECT_EQ(Atoi(""), 0);
    EXPECT_EQ(Atoi("abc"), 0);
    EXPECT_EQ(Atoi("-"), 0);
    EXPECT_EQ(Atoi("- 5"), 0);
    EXPECT_EQ(Atoi("0x10"), 0);
}

TEST(Atoi, SaturatesOutOfRangeValues) {
    EXPECT_EQ(Atoi("2147483647"), INT_MAX);
    EXPECT_EQ(Atoi("2147483648"), INT_MAX);
    EXPECT_EQ(Atoi("-2147483648"), INT_MIN);
    EXPECT_EQ(Atoi("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(Atoi(std::string(100000, '9')), INT_MAX);
}

TEST(StrToIntEx, ReadsHexadecimalAndDecimal) {
    EXPECT_EQ(StrToIntEx("0x102030"), 0x102030);
    EXPECT_EQ(StrToIntEx("0XfF"), 0xFF);
    EXPECT_EQ(StrToIntEx("255"), 255);
    EXPECT_EQ(StrToIntEx("  -3"), -3);
    EXPECT_EQ(StrToIntEx("0x12zz"), 0x12);
    EXPECT_EQ(StrToIntEx("0"), 0);
}

TEST(StrToIntEx, RejectsTextWithoutDigits) {
    EXPECT_FALSE(StrToIntEx(""));
    EXPECT_FALSE(StrToIntEx("red"));
    EXPECT_FALSE(StrToIntEx("0x"));
    EXPECT_FALSE(StrToIntEx("#FF00FF"));
}

TEST(StrToIntEx, KeepsTheLow32BitsOfLongNumbers) {
    EXPECT_EQ(StrToIntEx("0x1FFFFFFFF"), -1);
    EXPECT_EQ(StrToIntEx("0xFFFFFFFF"), -1);
}
