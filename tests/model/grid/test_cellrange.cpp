// Cell coordinates and ranges of the grid control.
#include <gtest/gtest.h>

#include <vyr/model/grid/cellrange.h>

namespace {

struct RangeCase
{
    CCellRange range;
    bool valid;
    int count;
};

TEST(CCellRange, ValidityAndCount)
{
    const RangeCase cases[] = {
        {CCellRange(), false, 1},            // all -1: (-1 - -1 + 1)^2
        {CCellRange(0, 0, 0, 0), true, 1},
        {CCellRange(1, 2, 3, 5), true, 12},
        {CCellRange(2, 3, 1, 5), false, 0},  // maximum row below minimum row
        {CCellRange(0, 4, 2, 3), false, 0},  // maximum column below minimum column
        {CCellRange(-1, 0, 2, 2), false, 12},
        {CCellRange(0, 0, 2, -1), false, 0},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.range.GetMinRow() << "," << c.range.GetMinCol() << ","
                                        << c.range.GetMaxRow() << "," << c.range.GetMaxCol());
        EXPECT_EQ(c.range.IsValid() != 0, c.valid);
        EXPECT_EQ(c.range.Count(), c.count);
    }
}

TEST(CCellRange, IntersectionTakesLargerMinimaAndSmallerMaxima)
{
    const struct
    {
        CCellRange a, b, want;
        bool valid;
    } cases[] = {
        {CCellRange(0, 0, 2, 2), CCellRange(3, 3, 4, 4), CCellRange(3, 3, 2, 2), false},
        {CCellRange(0, 0, 5, 5), CCellRange(2, 1, 7, 3), CCellRange(2, 1, 5, 3), true},
        {CCellRange(1, 1, 4, 4), CCellRange(1, 1, 4, 4), CCellRange(1, 1, 4, 4), true},
        {CCellRange(0, 0, 3, 3), CCellRange(3, 0, 6, 0), CCellRange(3, 0, 3, 0), true},
    };
    for (const auto& c : cases) {
        const CCellRange got = c.a.Intersect(c.b);
        EXPECT_TRUE(got == c.want);
        EXPECT_EQ(got.IsValid() != 0, c.valid);
        EXPECT_TRUE(c.b.Intersect(c.a) == c.want); // symmetric
    }
}

TEST(CCellRange, MembershipIncludesTheBounds)
{
    const CCellRange r(1, 2, 3, 4);
    EXPECT_TRUE(r.InRange(1, 2));
    EXPECT_TRUE(r.InRange(3, 4));
    EXPECT_TRUE(r.InRange(CCellID(2, 3)));
    EXPECT_FALSE(r.InRange(0, 2));
    EXPECT_FALSE(r.InRange(3, 5));
    EXPECT_FALSE(r.InRange(CCellID()));
    EXPECT_TRUE(r.GetTopLeft() == CCellID(1, 2));
    EXPECT_EQ(r.GetRowSpan(), 3);
    EXPECT_EQ(r.GetColSpan(), 3);
    CCellRange s;
    s = r;
    EXPECT_TRUE(s == r);
    s = s; // no effect on itself
    EXPECT_TRUE(s == r);
    s.SetMaxRow(9);
    EXPECT_TRUE(s != r);
}

TEST(CCellID, ValidOnlyWithBothCoordinates)
{
    EXPECT_FALSE(CCellID().IsValid());
    EXPECT_FALSE(CCellID(0, -1).IsValid());
    EXPECT_FALSE(CCellID(-1, 0).IsValid());
    EXPECT_TRUE(CCellID(0, 0).IsValid());
    EXPECT_TRUE(CCellID(2, 3) == CCellID(2, 3));
    EXPECT_TRUE(CCellID(2, 3) != CCellID(3, 2));
}

} // namespace
