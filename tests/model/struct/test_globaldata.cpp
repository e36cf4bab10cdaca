// The model root: shared copies, hit tests, screen rectangles and fitting the view.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

#include "struct_test_util.h"
#include "support/TestHelpers.h"

namespace
{
using vyrtest::Items;
} // namespace

TEST(GlobalData, ACopySharesTheStructureAndTheSettings)
{
    auto root = std::make_unique<CGlobalData>();
    CGlobalData copy;
    copy = *root;
    EXPECT_EQ(copy.Struct(), root->Struct());
    EXPECT_EQ(&copy.SelectBeamList(), &root->SelectBeamList());
    EXPECT_EQ(&copy.Matrix2D(), &root->Matrix2D());
    copy.SetCurrentFreID(4);
    EXPECT_EQ(root->CurrentFreID(), 4);
    copy.UnitLength() = 1000.0f;
    EXPECT_EQ(root->UnitLength(), 1000.0f);
    root->ProgramType() = 1;
    EXPECT_EQ(copy.ProgramType(), 1);

    // The copy stays usable when the root it was copied from is gone.
    CStruct* s = root->Struct();
    root.reset();
    EXPECT_EQ(copy.Struct(), s);
    s->m_pNodeList->AddTail(new CPNode(1, CPoint3D()));
    EXPECT_EQ(copy.Struct()->m_pNodeList->GetCount(), 1);
}

struct RectCase
{
    const char* name;
    CRect2D rc;
    bool window;
    bool crossing;
};
// Test names and messages show the case's name, never the bytes of its pointer.
void PrintTo(const RectCase& c, std::ostream* os) { *os << c.name; }

class MemberRectSelect : public ::testing::TestWithParam<RectCase>
{
};

TEST_P(MemberRectSelect, WindowTakesWhollyInsideCrossingTakesTouching)
{
    const RectCase& c = GetParam();
    PlanModel m;
    CBeamList one, hitW, hitC;
    one.AddTail(m.b[0]); // (10, 10) - (50, 10)
    m.data.BeamWindowSelect(one, c.rc, hitW);
    m.data.BeamCrossSelect(one, c.rc, hitC);
    EXPECT_EQ(hitW.GetCount(), c.window ? 1 : 0);
    EXPECT_EQ(hitC.GetCount(), c.crossing ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, MemberRectSelect,
    ::testing::Values(RectCase{"around", CRect2D(0, 0, 60, 20), true, true},
                      RectCase{"halfway", CRect2D(0, 0, 30, 20), false, true},
                      RectCase{"middle only", CRect2D(20, 0, 30, 20), false, true},
                      RectCase{"beside", CRect2D(0, 20, 60, 40), false, false},
                      RectCase{"corners swapped", CRect2D(60, 20, 0, 0), true, true},
                      RectCase{"zero height on the member", CRect2D(0, 10, 60, 10), false, false},
                      RectCase{"zero width across it", CRect2D(30, 0, 30, 20), false, false}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (ch == ' ')
                ch = '_';
        return n;
    });

TEST(GlobalData, PointHitKeepsCandidateOrderAndTolerance)
{
    PlanModel m;
    CBeamList hits;
    // The corner (50, 10) is an end of b[0] and b[1]; candidates in reverse order.
    CBeamList cand;
    cand.AddTail(m.b[1]);
    cand.AddTail(m.b[0]);
    cand.AddTail(m.b[2]);
    m.data.BeamPointSelect(cand, CPoint2D(52, 12), hits);
    ASSERT_EQ(hits.GetCount(), 2);
    EXPECT_EQ(hits.Get(1), m.b[1]);
    EXPECT_EQ(hits.Get(2), m.b[0]);

    hits.RemoveAll();
    m.data.BeamPointSelect(m.members, CPoint2D(30, 14), hits);
    ASSERT_EQ(hits.GetCount(), 1);
    EXPECT_EQ(hits.Get(1), m.b[0]);
    hits.RemoveAll();
    m.data.BeamPointSelect(m.members, CPoint2D(30, 16), hits);
    EXPECT_TRUE(hits.IsEmpty()) << "6 pixels off the member is beyond the pick tolerance";
}

TEST(GlobalData, NodesByWindowAndByPoint)
{
    PlanModel m;
    CPNodeList hits;
    m.data.NodeWindowSelect(m.nodes, CRect2D(0, 0, 55, 20), hits);
    EXPECT_EQ(Items(hits), (std::vector<CObject*>{m.n[0], m.n[1]}));
    hits.RemoveAll();
    m.data.NodePointSelect(m.nodes, CPoint2D(14, 46), hits);
    EXPECT_EQ(Items(hits), (std::vector<CObject*>{m.n[3]}));
    hits.RemoveAll();
    m.data.NodePointSelect(m.nodes, CPoint2D(30, 30), hits);
    EXPECT_TRUE(hits.IsEmpty());
}

TEST(GlobalData, RoomsAndWalls)
{
    PlanModel m;
    CPlaneList rooms;
    m.data.PlanePointSelect(m.rooms, CPoint2D(30, 30), rooms);
    EXPECT_EQ(rooms.GetCount(), 1) << "a click inside the room picks it";
    rooms.RemoveAll();
    m.data.PlaneWindowSelect(m.rooms, CRect2D(0, 0, 40, 60), rooms);
    EXPECT_TRUE(rooms.IsEmpty());
    m.data.PlaneCrossSelect(m.rooms, CRect2D(0, 0, 40, 60), rooms);
    EXPECT_EQ(rooms.GetCount(), 1);
    rooms.RemoveAll();
    m.data.PlaneCrossSelect(m.rooms, CRect2D(20, 20, 30, 30), rooms);
    EXPECT_EQ(rooms.GetCount(), 1) << "a frame inside the room crosses it";

    // In plan the wall is the line y = 100 from x = 0 to 40.
    CWallList walls;
    m.data.WallPointSelect(m.walls, CPoint2D(20, 103), walls);
    EXPECT_EQ(walls.GetCount(), 1);
    walls.RemoveAll();
    m.data.WallWindowSelect(m.walls, CRect2D(-5, 90, 30, 110), walls);
    EXPECT_TRUE(walls.IsEmpty());
    m.data.WallCrossSelect(m.walls, CRect2D(-5, 90, 30, 110), walls);
    EXPECT_EQ(walls.GetCount(), 1);
    walls.RemoveAll();
    m.data.WallWindowSelect(m.walls, CRect2D(-5, 90, 45, 110), walls);
    EXPECT_EQ(walls.GetCount(), 1);
}

TEST(GlobalData, EmptyModelAndEmptyRectangleHitNothing)
{
    CGlobalData empty;
    SetPlanView(empty);
    CBeamList noMembers, memberHits;
    empty.BeamPointSelect(noMembers, CPoint2D(0, 0), memberHits);
    empty.BeamCrossSelect(noMembers, CRect2D(-1e6, -1e6, 1e6, 1e6), memberHits);
    EXPECT_TRUE(memberHits.IsEmpty());
    EXPECT_TRUE(empty.GetBeamScreenRect(noMembers).IsRectNull());

    PlanModel m;
    const CRect2D nothing(30, 30, 30, 30);
    CBeamList b;
    CPNodeList n;
    CWallList w;
    CPlaneList p;
    m.data.BeamWindowSelect(m.members, nothing, b);
    m.data.BeamCrossSelect(m.members, nothing, b);
    m.data.BCInWallCrossSelect(m.members, nothing, b);
    m.data.NodeWindowSelect(m.nodes, CRect2D(10, 10, 10, 10), n);
    m.data.WallCrossSelect(m.walls, nothing, w);
    m.data.PlaneCrossSelect(m.rooms, nothing, p);
    m.data.PlaneWindowSelect(m.rooms, nothing, p);
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_TRUE(n.IsEmpty());
    EXPECT_TRUE(w.IsEmpty());
    EXPECT_TRUE(p.IsEmpty());
}

TEST(GlobalData, HitTestsFollowTheViewAndMovedNodes)
{
    PlanModel m;
    CPNodeList hits;
    m.data.NodePointSelect(m.nodes, CPoint2D(10, 10), hits);
    ASSERT_EQ(hits.GetCount(), 1);
    // Pan by (100, 0) pixels: the node is now at (110, 10).
    CMatrix2D pan;
    pan.SetMove(100, 0);
    m.data.Matrix2D() *= pan;
    hits.RemoveAll();
    m.data.NodePointSelect(m.nodes, CPoint2D(10, 10), hits);
    EXPECT_TRUE(hits.IsEmpty());
    m.data.NodePointSelect(m.nodes, CPoint2D(110, 10), hits);
    EXPECT_EQ(hits.GetCount(), 1);
    // Moving a node in the model moves its hit area.
    m.n[0]->m_pt.x = 20;
    hits.RemoveAll();
    m.data.NodePointSelect(m.nodes, CPoint2D(120, 10), hits);
    ASSERT_EQ(hits.GetCount(), 1);
    EXPECT_EQ(hits.Get(1), m.n[0]);
}

TEST(GlobalData, ScreenRectanglesEncloseTheListedObjects)
{
    PlanModel m;
    const CRect2D rc = m.data.GetBeamScreenRect(m.members);
    EXPECT_EQ(rc.left, 10.0);
    EXPECT_EQ(rc.top, 10.0);
    EXPECT_EQ(rc.right, 50.0);
    EXPECT_EQ(rc.bottom, 50.0);
    const CRect2D wr = m.data.GetWallScreenRect(m.walls);
    EXPECT_EQ(wr.left, 0.0);
    EXPECT_EQ(wr.right, 40.0);
    EXPECT_EQ(wr.top, 100.0);
    EXPECT_EQ(wr.bottom, 100.0);
    EXPECT_EQ(m.data.GetPlaneScreenRect(m.rooms).right, 50.0);
    CPNodeList none;
    EXPECT_TRUE(m.data.GetNodeScreenRect(none).IsRectNull());
}

TEST(GlobalData, PositionSelectedFitsTheSelectionIntoTheClient)
{
    PlanModel m;
    CRect client(0, 0, 400, 300);
    const CMatrix2D before = m.data.Matrix2D();
    m.data.PositionSelected(CGlobalData::KIND_ALL, client);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(m.data.Matrix2D()(i / 3, i % 3), before(i / 3, i % 3)) << "nothing selected, nothing moves";

    m.data.SelectBeamList().AddTail(m.b[0]);
    m.data.SelectNodeList().AddTail(m.n[2]);
    const CRect2D proj = m.data.GetSelectedProjectRect(CGlobalData::KIND_ALL);
    EXPECT_EQ(proj.left, 10.0);
    EXPECT_EQ(proj.right, 50.0);
    EXPECT_EQ(proj.top, 10.0);
    EXPECT_EQ(proj.bottom, 50.0);
    EXPECT_EQ(m.data.GetSelectedProjectRect(CGlobalData::KIND_WALL).IsRectNull(), true);

    m.data.PositionSelected(CGlobalData::KIND_ALL, client);
    const CRect2D fitted = m.data.GetNodeScreenRect(m.data.SelectNodeList());
    CBeamList sel;
    sel.CopyPointer(&m.data.SelectBeamList());
    const CRect2D fb = m.data.GetBeamScreenRect(sel);
    for (const CRect2D& r : {fitted, fb})
    {
        EXPECT_GE(std::min(r.left, r.right), -1e-6);
        EXPECT_LE(std::max(r.left, r.right), 400 + 1e-6);
        EXPECT_GE(std::min(r.top, r.bottom), -1e-6);
        EXPECT_LE(std::max(r.top, r.bottom), 300 + 1e-6);
    }
    EXPECT_GT(fb.Width(), 100.0) << "the selection is enlarged to fill the view";
}

TEST(GlobalData, ScreenPointsFollowTheMatrices)
{
    PlanModel m;
    // Plan view, then zoom by 2 about the origin and move 100 pixels right.
    CMatrix2D zoom;
    zoom.SetScale(2.0);
    CMatrix2D move;
    move.SetMove(100, 0);
    m.data.Matrix2D() *= zoom;
    m.data.Matrix2D() *= move;
    const CPoint2D s = m.data.ToScreen(CPoint3D(10, 20, 99));
    EXPECT_DOUBLE_EQ(s.x, 120.0);
    EXPECT_DOUBLE_EQ(s.y, 40.0);
    const CPoint2D p = m.data.ToPlane(CPoint3D(10, 20, 99));
    EXPECT_DOUBLE_EQ(p.x, 10.0);
    EXPECT_DOUBLE_EQ(p.y, 20.0);
    const CPoint2D& n = m.data.GetNodeScreenPt(m.n[2]); // (50, 50)
    EXPECT_DOUBLE_EQ(n.x, 200.0);
    EXPECT_DOUBLE_EQ(n.y, 100.0);
    EXPECT_DOUBLE_EQ(m.n[2]->GetScreenPt().x, 200.0);
}

TEST(GlobalData, ProjectionAgreesWithTheGeometryLibrary)
{
    CGlobalData d;
    CMatrix3D& m3 = d.Matrix3D();
    for (int i = 0; i < 15; ++i)
        m3[i] = 0.1 * (i + 1) * ((i % 3) ? 1 : -1);
    m3[15] = 1.0;
    CMatrix2D& m2 = d.Matrix2D();
    m2(0, 0) = 2.0;
    m2(0, 1) = 0.5;
    m2(1, 0) = -0.25;
    m2(1, 1) = -3.0;
    m2(2, 0) = 400.0;
    m2(2, 1) = 300.0;
    const CPoint3D p(12.5, -7.0, 3.25);
    // The chain every operator uses: space matrix, exchange of y and z, plane matrix.
    CPoint3D q = p * m3;
    q.chgYZ();
    const CPoint3D s = q * m2;
    const CPoint2D mine = d.ToScreen(p);
    EXPECT_NEAR(mine.x, s.x, 1e-9);
    EXPECT_NEAR(mine.y, s.y, 1e-9);
}

TEST(GlobalData, InWallHitTestsTakeOnlyCouplingBeamsAndPiers)
{
    PlanModel m;
    // A coupling beam lying on the same line as the ordinary member b[0].
    CBeamInWall link(100, m.n[0], m.n[1]);
    CBeamList cand, hits;
    cand.AddTail(m.b[0]);
    cand.AddTail(&link);
    m.data.BCInWallPointSelect(cand, CPoint2D(30, 10), hits);
    EXPECT_EQ(Items(hits), (std::vector<CObject*>{&link}));
    hits.RemoveAll();
    m.data.BCInWallWindowSelect(cand, CRect2D(0, 0, 60, 20), hits);
    EXPECT_EQ(Items(hits), (std::vector<CObject*>{&link}));
    hits.RemoveAll();
    m.data.BCInWallCrossSelect(cand, CRect2D(0, 0, 30, 20), hits);
    EXPECT_EQ(Items(hits), (std::vector<CObject*>{&link}));
}
