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

TEST(CStringFormat, ExponentHasItsSignAndAtLeastTwoDigits)
{
    struct Case
    {
        const char* format;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"%.3e", 123456.0, "1.235e+05"},    // the storey grids
        {"%.2e", 0.000123, "1.23e-04"},     // the summary chapter
        {"%e", 1.0, "1.000000e+00"},
        {"%.3E", -2.5e7, "-2.500E+07"},
        {"%.3e", 1e100, "1.000e+100"},      // a third digit only when needed
        {"%.3e", 0.0, "0.000e+00"},
        {"%12.2e|", 1500.0, "    1.50e+03|"},
        {"%-12.2e|", 1500.0, "1.50e+03    |"},
    };
    for (const Case& c : cases) {
        CString s;
        s.Format(c.format, c.value);
        EXPECT_EQ(s, c.expected) << c.format;
    }
}
