#include <gtest/gtest.h>

#include <vyr/stdafx.h>

TEST(CTime, LocalPartsFormatAndArithmetic)
{
    CTime t(2024, 2, 29, 13, 5, 9);
    EXPECT_EQ(t.GetYear(), 2024);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 29);
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 5);
    EXPECT_EQ(t.GetSecond(), 9);
    EXPECT_EQ(t.GetDayOfWeek(), 5); // Thursday; Sunday is 1
    EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2024-02-29 13:05:09");
    EXPECT_EQ(t.Format("%Y年%m月%d日"), "2024年02月29日");
    EXPECT_EQ(t.Format(""), "");

    CTime next = t + CTimeSpan(1, 0, 0, 0);
    EXPECT_EQ(next.GetMonth(), 3);
    EXPECT_EQ(next.GetDay(), 1);
    CTimeSpan d = next - t;
    EXPECT_EQ(d.GetDays(), 1);
    EXPECT_EQ(d.GetTotalHours(), 24);
    EXPECT_LT(t, next);

    CTimeSpan s(2, 3, 4, 5);
    EXPECT_EQ(s.GetHours(), 3);
    EXPECT_EQ(s.GetMinutes(), 4);
    EXPECT_EQ(s.GetSeconds(), 5);
    EXPECT_EQ(s.Format("%D天 %H:%M:%S"), "2天 03:04:05");

    CTime now = CTime::GetCurrentTime();
    EXPECT_GE(now.GetYear(), 2024);
}
