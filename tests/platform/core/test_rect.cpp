#include <gtest/gtest.h>

#include <vyr/stdafx.h>

TEST(CRect, HitTestsAreHalfOpenAndNeedANormalizedRect)
{
    struct Case
    {
        CPoint p;
        bool inside;
    };
    const CRect r(10, 20, 30, 40);
    const Case cases[] = {
        {{10, 20}, true}, {{29, 39}, true}, {{30, 25}, false}, {{15, 40}, false}, {{9, 25}, false}, {{15, 19}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(r.PtInRect(c.p), c.inside) << c.p.x << "," << c.p.y;

    // A rubber band dragged up and to the left hits nothing until it is normalized.
    CRect band(30, 40, 10, 20);
    EXPECT_FALSE(band.PtInRect(CPoint(15, 25)));
    EXPECT_TRUE(band.IsRectEmpty());
    band.NormalizeRect();
    EXPECT_EQ(band, r);
    EXPECT_TRUE(band.PtInRect(CPoint(15, 25)));
}

TEST(CRect, IntersectInflateAndCentre)
{
    CRect out(1, 2, 3, 4);
    EXPECT_TRUE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 6)));
    EXPECT_EQ(out, CRect(5, 0, 10, 6));
    // Touching edges share no pixel: the result is empty and all zero.
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(out.IsRectNull());
    // The result may be one of the operands.
    CRect a(0, 0, 10, 10);
    EXPECT_TRUE(a.IntersectRect(a, CRect(2, 3, 4, 5)));
    EXPECT_EQ(a, CRect(2, 3, 4, 5));

    CRect g(10, 10, 20, 20);
    g.InflateRect(2, 3);
    EXPECT_EQ(g, CRect(8, 7, 22, 23));
    g.DeflateRect(2, 3);
    EXPECT_EQ(g, CRect(10, 10, 20, 20));
    g.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(g, CRect(11, 12, 17, 16));

    EXPECT_EQ(CRect(0, 0, 5, 5).CenterPoint(), CPoint(2, 2));
    EXPECT_EQ(CRect(-5, -5, 0, 0).CenterPoint(), CPoint(-2, -2)); // integer halves, toward zero
}
