#include <gtest/gtest.h>

#include <vyr/stdafx.h>

TEST(CStringFormat, PadsChineseByGbkWidth)
{
    CString s;
    s.Format("%-5s|", "钢");
    EXPECT_EQ(s, "钢   |"); // two columns for the character, three spaces
    s.Format("%5s|", "ab");
    EXPECT_EQ(s, "   ab|");
    s.Format("%d %.2f %s", 12, 3.14159, "x");
    EXPECT_EQ(s, "12 3.14 x");
}
