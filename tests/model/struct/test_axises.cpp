// The grid-axis system: segments and crossings, hit tests, and the marks an axis shares
// with its segment view.
#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "struct_test_util.h"

namespace
{
// Two vertical axes x = 0 and x = 100 and one horizontal y = 50, from 0 to 100 in both.
struct Grid
{
    CGlobalData d;
    CAxises& ax = d.Struct()->Axises();
    CAxis* a1;
    CAxis* a2;
    CAxis* aA;
    Grid()
    {
        SetPlanView(d);
        a1 = ax.AddAxis("1", CPoint2D(0, 0), CPoint2D(0, 100));
        a2 = ax.AddAxis("2", CPoint2D(100, 0), CPoint2D(100, 100));
        aA = ax.AddAxis("A", CPoint2D(0, 50), CPoint2D(100, 50));
    }
};
} // namespace

TEST(Axises, CrossingsSplitAxesIntoSegments)
{
    Grid g;
    std::vector<CAxisSeq*> seqs;
    g.ax.GetCurrentAxisSeqLine(seqs);
    // Axis 1 and 2 each split at y = 50; axis A runs between its two crossings.
    EXPECT_EQ(seqs.size(), 5u);
    std::list<CAxisPt*> pts;
    g.ax.WindowSelectAxisPt(g.d.AxisDisplay(), CRect2D(-10, -10, 110, 110), pts);
    EXPECT_EQ(pts.size(), 2u);
}

TEST(Axises, AxisMarkIsTheSegmentMark)
{
    Grid g;
    std::list<CAxis*> hits;
    g.ax.PointSelect(g.d.AxisDisplay(), CPoint2D(2, 20), hits);
    ASSERT_EQ(hits.size(), 1u);
    CAxisSeq* asSeq = hits.front(); // the selection operator marks axes through the segment pair
    asSeq->SetIsSelected(true);
    std::vector<CAxis*> sel;
    g.ax.GetSelectedAxises(sel);
    ASSERT_EQ(sel.size(), 1u);
    EXPECT_EQ(sel[0], g.a1);
    EXPECT_TRUE(g.a1->GetIsSelected());
    g.ax.SetIsSelect(false);
    EXPECT_FALSE(asSeq->GetIsSelected());
    g.ax.GetSelectedAxises(sel);
    EXPECT_TRUE(sel.empty());

    // Segments keep marks of their own.
    std::list<CAxisSeq*> segHits;
    g.ax.PointSelectAxisSeq(g.d.AxisDisplay(), CPoint2D(2, 80), segHits);
    ASSERT_EQ(segHits.size(), 1u);
    segHits.front()->SetIsSelected(true);
    std::vector<CAxisSeq*> selSeq;
    g.ax.GetSelectedAxisSeq(selSeq);
    ASSERT_EQ(selSeq.size(), 1u);
    EXPECT_EQ(selSeq[0]->GetStPt().y, 50.0);
    g.ax.GetSelectedAxises(sel);
    EXPECT_TRUE(sel.empty()) << "a segment's mark is not its axis's";
    g.ax.SetIsSelectAxisSeq(false);
    g.ax.GetSelectedAxisSeq(selSeq);
    EXPECT_TRUE(selSeq.empty());
}

TEST(Axises, WindowAndCrossingOfAxes)
{
    Grid g;
    std::list<CAxis*> hits;
    g.ax.WindowSelect(g.d.AxisDisplay(), CRect2D(-5, -5, 50, 105), hits);
    EXPECT_EQ(hits, std::list<CAxis*>{g.a1});
    hits.clear();
    g.ax.CrossSelect(g.d.AxisDisplay(), CRect2D(-5, -5, 50, 105), hits);
    EXPECT_EQ(hits, (std::list<CAxis*>{g.a1, g.aA}));
    hits.clear();
    g.ax.CrossSelect(g.d.AxisDisplay(), CRect2D(20, 20, 20, 80), hits);
    EXPECT_TRUE(hits.empty()) << "an empty rectangle selects nothing";
}

TEST(Axises, HiddenAxesAreNotHit)
{
    Grid g;
    g.d.AxisDisplay().SetIsShow(false);
    std::list<CAxis*> hits;
    std::list<CAxisPt*> pts;
    EXPECT_FALSE(g.ax.PointSelect(g.d.AxisDisplay(), CPoint2D(0, 20), hits));
    EXPECT_FALSE(g.ax.WindowSelectAxisPt(g.d.AxisDisplay(), CRect2D(-10, -10, 110, 110), pts));
    EXPECT_TRUE(hits.empty());
    EXPECT_TRUE(pts.empty());
}

TEST(Axises, PointMarks)
{
    Grid g;
    std::list<CAxisPt*> pts;
    g.ax.PointSelectAxisPt(g.d.AxisDisplay(), CPoint2D(99, 52), pts);
    ASSERT_EQ(pts.size(), 1u);
    EXPECT_EQ(pts.front()->GetPt().x, 100.0);
    pts.front()->SetIsSelected(true);
    std::vector<CAxisPt*> sel;
    g.ax.GetSelectedAxisPt(sel);
    EXPECT_EQ(sel.size(), 1u);
    g.ax.SetIsSelectAxisPt(false);
    g.ax.GetSelectedAxisPt(sel);
    EXPECT_TRUE(sel.empty());
}
