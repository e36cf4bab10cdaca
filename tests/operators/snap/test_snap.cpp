// The snap manager: which candidates snap to which target near the cursor, the switches
// and their temporary use, and the exclusive-or markers.
#include <gtest/gtest.h>

#include "SnapWorld.h"
#include "support/TestHelpers.h"

using snaptest::AtPixel;
using snaptest::SnapWorld;

namespace {
using vyrtest::ExpectPt;

int SnappedKind(const CSnapManager& snap)
{
    return snap.HasSnapped() ? snap.GetCurTarget()->GetKind() : -1;
}

} // namespace

TEST(SnapManager, NewManagerIsOffWithEveryTargetOn)
{
    CSnapManager snap;
    EXPECT_FALSE(snap.IsSwitchOn());
    EXPECT_EQ(snap.GetUseType(), 0);
    EXPECT_FALSE(snap.HasSnapped());
    EXPECT_FALSE(snap.GetSnapFrom());
    EXPECT_FALSE(snap.HasReferPt());
    EXPECT_FALSE(snap.GetIsTempUse());
    for (int k = 0; k < SNAP_KINDS; ++k) {
        EXPECT_TRUE(snap.GetSnapOn(k));
        EXPECT_EQ(snap.GetTarget(k)->GetKind(), k);
    }
    EXPECT_FALSE(snap.GetSnapOn(3));
    EXPECT_EQ(CSnapTarget::Create(3), nullptr);
    EXPECT_EQ(CSnapTarget::Create(-1), nullptr);
    // Switched off, a move finds nothing.
    SnapWorld w;
    w.AddNode(AtPixel(300, 300));
    w.snap.MouseMove(CPoint(300, 300));
    EXPECT_FALSE(w.snap.HasSnapped());
}

// The square around the cursor takes its left and top edges, not its right and bottom ones.
TEST(SnapManager, NodeSnapsInsideTheHalfOpenSquareOnly)
{
    struct Case
    {
        int dx, dy;
        bool snaps;
    } cases[] = {
        {0, 0, true},    {-12, 0, true},   {11, 0, true},   {12, 0, false}, {-13, 0, false}, {0, -12, true},
        {0, 11, true},   {0, 12, false},   {0, -13, false}, {-12, -12, true}, {11, 11, true}, {11, 12, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "node at cursor + (" << c.dx << ", " << c.dy << ")");
        SnapWorld w;
        CPNode* node = w.AddNode(AtPixel(300 + c.dx, 300 + c.dy, 7.0));
        w.snap.Switch(true);
        w.snap.MouseMove(CPoint(300, 300));
        EXPECT_EQ(w.snap.HasSnapped(), c.snaps);
        if (c.snaps) {
            EXPECT_EQ(SnappedKind(w.snap), SNAP_ENDPT);
            ExpectPt(w.snap.GetPt(), node->GetPt());
        }
    }
}

TEST(SnapManager, FirstListedNodeInTheSquareWins)
{
    SnapWorld w;
    w.AddNode(AtPixel(290, 300));
    CPNode* first = w.nodes.back().get();
    w.AddNode(AtPixel(300, 300)); // nearer, but listed later
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 300));
    ExpectPt(w.snap.GetSnapPt(), first->GetPt());
}

TEST(SnapManager, NodeInputSnapsOnlyNodesWhateverTheSwitches)
{
    SnapWorld w;
    w.AddBeam(AtPixel(200, 300), AtPixel(400, 300)); // mid point under the cursor
    w.Data().Struct()->Axises().AddAxis("A", AtPixel(300, 250).GetXY(), AtPixel(300, 350).GetXY());
    w.snap.SetSnapOn(false);
    w.snap.SetUseType(1);
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 300));
    EXPECT_FALSE(w.snap.HasSnapped()) << "members and axes never snap for a node input";

    CPNode* node = w.AddNode(AtPixel(305, 305));
    w.snap.MouseMove(CPoint(300, 300));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_ENDPT) << "a node snaps even with the end point target off";
    ExpectPt(w.snap.GetSnapPt(), node->GetPt());

    // A space-point input with the end point target off passes the node by.
    w.snap.SetUseType(0);
    w.snap.SetSnapOn(SNAP_MIDPT, true);
    w.snap.MouseMove(CPoint(301, 300));
    EXPECT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
}

TEST(SnapManager, MidPointIsTheModelMidPointOfAForeshortenedMember)
{
    SnapWorld w;
    // Rises 300 along the line of sight: on the screen it is 100 pixels long.
    w.AddBeam(AtPixel(200, 300, 0.0), AtPixel(300, 300, 300.0));
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(250, 300));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    ExpectPt(w.snap.GetPt(), AtPixel(250, 300, 150.0));
    // Member ends are nodes: the member itself never offers them.
    w.snap.MouseMove(CPoint(202, 300));
    EXPECT_FALSE(w.snap.HasSnapped());
}

TEST(SnapManager, PerpendicularFootNeedsAReferPointOffTheLine)
{
    struct Case
    {
        const char* what;
        bool hasRefer;
        CPoint3D refer;
        bool snaps;
    } cases[] = {
        {"no refer point yet", false, CPoint3D(), false},
        {"refer point above the member", true, AtPixel(250, 100), true},
        {"refer point on the member's line", true, AtPixel(250, 300), false},
        {"foot beyond the member's end", true, AtPixel(450, 100), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SnapWorld w;
        w.AddBeam(AtPixel(200, 300), AtPixel(400, 300));
        w.snap.Switch(true);
        if (c.hasRefer)
            w.snap.SetReferPt(c.refer);
        // Far from the foot and from the mid point: the line only has to pass the cursor.
        w.snap.MouseMove(CPoint(360, 300));
        EXPECT_EQ(w.snap.HasSnapped(), c.snaps);
        if (c.snaps) {
            EXPECT_EQ(SnappedKind(w.snap), SNAP_PERPT);
            ExpectPt(w.snap.GetPt(), AtPixel(250, 300));
        }
    }
}

TEST(SnapManager, SwitchingOffClearsTheReferPoint)
{
    SnapWorld w;
    w.snap.Switch(true);
    w.snap.SetReferPt(CPoint3D(1, 2, 3));
    EXPECT_TRUE(w.snap.HasReferPt());
    EXPECT_TRUE(w.snap.GetTarget(SNAP_PERPT)->HasReferPt());
    w.snap.Switch(false);
    EXPECT_FALSE(w.snap.HasReferPt());
    EXPECT_FALSE(w.snap.GetTarget(SNAP_PERPT)->HasReferPt());
}

TEST(SnapManager, SwitchingOffForgetsTheSnappedPoint)
{
    SnapWorld w;
    w.AddNode(AtPixel(300, 300));
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 300));
    ASSERT_TRUE(w.snap.HasSnapped());
    ASSERT_NE(w.snap.GetMarkTarget(), nullptr);
    w.snap.Switch(false);
    EXPECT_FALSE(w.snap.HasSnapped());
    EXPECT_EQ(w.snap.GetMarkTarget(), nullptr) << "the marker is erased with it";
    w.snap.Switch(true);
    EXPECT_FALSE(w.snap.HasSnapped()) << "only the next move snaps again";
}

TEST(SnapManager, AxisSegmentsSnapEndAndMidPointsAtTheAxisHeight)
{
    SnapWorld w;
    w.Data().AxisDisplay().SetZ(3.0);
    w.Data().Struct()->Axises().AddAxis("1", AtPixel(200, 300).GetXY(), AtPixel(400, 300).GetXY());
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(205, 296));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_ENDPT);
    ExpectPt(w.snap.GetSnapPt(), AtPixel(200, 300, 3.0));
    w.snap.MouseMove(CPoint(302, 303));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    ExpectPt(w.snap.GetSnapPt(), AtPixel(300, 300, 3.0));
    // The segment's box, grown to 10 pixels high, must meet the pick box of +-6.
    w.snap.MouseMove(CPoint(300, 312));
    EXPECT_FALSE(w.snap.HasSnapped());

    w.Data().AxisDisplay().SetIsShow(false);
    w.snap.MouseMove(CPoint(302, 303));
    EXPECT_FALSE(w.snap.HasSnapped()) << "hidden axes offer nothing";
}

TEST(SnapManager, EdgeMembersOfWallsSnapAfterTheMembers)
{
    SnapWorld w;
    CBeam* edge = w.AddBeam(AtPixel(200, 200), AtPixel(400, 200), false);
    w.walls.push_back(std::make_unique<CWall>());
    w.walls.back()->GetEdgeBeamList()->AddTail(edge);
    w.host.m_shownWalls.AddTail(w.walls.back().get());
    w.walls.push_back(std::make_unique<CWall>()); // a wall without edge members is passed by
    w.host.m_shownWalls.AddTail(w.walls.back().get());
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 200));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    ExpectPt(w.snap.GetSnapPt(), AtPixel(300, 200));
}

TEST(SnapManager, HostWithoutListsSnapsNothing)
{
    SnapWorld w;
    w.AddNode(AtPixel(300, 300));
    w.AddBeam(AtPixel(200, 300), AtPixel(400, 300));
    w.host.SetAnswer(WM_UI_GETSNAPLIST, 0);
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 300));
    EXPECT_FALSE(w.snap.HasSnapped());
}

TEST(SnapManager, TemporaryUseTwiceThenOffRestoresTheSwitches)
{
    CSnapManager snap;
    snap.SetSnapOn(SNAP_MIDPT, false);
    snap.SetIsTempUse(true);
    for (int k = 0; k < SNAP_KINDS; ++k)
        EXPECT_FALSE(snap.GetSnapOn(k));
    snap.SetSnapOn(SNAP_PERPT, true); // the menu's single target
    snap.SetIsTempUse(true);          // again: must not save the temporary switches
    EXPECT_TRUE(snap.GetSnapOn(SNAP_PERPT));
    snap.SetIsTempUse(false);
    EXPECT_FALSE(snap.GetIsTempUse());
    EXPECT_TRUE(snap.GetSnapOn(SNAP_ENDPT));
    EXPECT_FALSE(snap.GetSnapOn(SNAP_MIDPT));
    EXPECT_TRUE(snap.GetSnapOn(SNAP_PERPT));
    snap.SetIsTempUse(false); // ending it twice changes nothing
    EXPECT_FALSE(snap.GetSnapOn(SNAP_MIDPT));
    EXPECT_TRUE(snap.GetSnapOn(SNAP_ENDPT));
}

TEST(SnapManager, TemporaryUseSnapsOnlyToTheTargetSwitchedOn)
{
    SnapWorld w;
    w.AddNode(AtPixel(200, 300));
    w.AddBeam(AtPixel(200, 300), AtPixel(240, 300));
    w.snap.Switch(true);
    w.snap.SetIsTempUse(true);
    w.snap.SetSnapOn(SNAP_MIDPT, true);
    w.snap.MouseMove(CPoint(210, 300)); // the node and the mid point are both in the square
    EXPECT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
}

TEST(SnapManager, MarkerFollowsTheSnappedPointAndLeavesWithIt)
{
    SnapWorld w;
    CPNode* a = w.AddNode(AtPixel(200, 300));
    CPNode* b = w.AddNode(AtPixel(400, 300));
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(200, 300));
    ASSERT_EQ(w.snap.GetMarkTarget(), w.snap.GetTarget(SNAP_ENDPT));
    ExpectPt(w.snap.GetMarkPt(), a->GetPt());
    // The same target at another point: the old marker goes, the new one comes.
    w.snap.MouseMove(CPoint(402, 301));
    ASSERT_EQ(w.snap.GetMarkTarget(), w.snap.GetTarget(SNAP_ENDPT));
    ExpectPt(w.snap.GetMarkPt(), b->GetPt());
    w.snap.MouseMove(CPoint(600, 100));
    EXPECT_EQ(w.snap.GetMarkTarget(), nullptr);

    // Without an active view nothing is drawn, and so nothing is on the screen.
    w.host.SetAnswer(WM_UI_GETACTIVEVIEW, 0);
    w.snap.MouseMove(CPoint(200, 300));
    EXPECT_TRUE(w.snap.HasSnapped());
    EXPECT_EQ(w.snap.GetMarkTarget(), nullptr);
}

// Every marker is drawn in exclusive-or: twice leaves the pixels as they were.
TEST(SnapManager, MarkersDrawnTwiceLeaveTheRasterUnchanged)
{
    SnapWorld w;
    CDC screen;
    ASSERT_TRUE(screen.CreateCompatibleDC(nullptr));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(48, 48, 1, 32, nullptr));
    CBitmap* old = screen.SelectObject(&bmp);
    screen.FillSolidRect(0, 0, 48, 24, RGB(30, 60, 90));
    screen.FillSolidRect(0, 24, 48, 24, RGB(200, 10, 120));
    const vyr::Image before = *screen.GetTargetImage();
    const CPoint3D at = AtPixel(24, 24);
    for (int k = 0; k < SNAP_KINDS; ++k) {
        SCOPED_TRACE(k);
        CSnapTarget* t = w.snap.GetTarget(k);
        t->DrawAt(&screen, at);
        EXPECT_NE(*screen.GetTargetImage(), before) << "the marker shows";
        t->DrawAt(&screen, at);
        EXPECT_EQ(*screen.GetTargetImage(), before);
        EXPECT_EQ(screen.GetROP2(), R2_COPYPEN) << "the raster operation is restored";
    }
    screen.SelectObject(old);
}

TEST(SnapManager, MarkerShapesSitAtTheSnappedPoint)
{
    SnapWorld w;
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const CPoint3D at = AtPixel(50.7, 40.2);
    w.snap.GetTarget(SNAP_ENDPT)->DrawAt(&dc, at);
    w.snap.GetTarget(SNAP_MIDPT)->DrawAt(&dc, at);
    w.snap.GetTarget(SNAP_PERPT)->DrawAt(&dc, at);
    const auto& rec = dc.Records();
    ASSERT_EQ(rec.size(), 6u);
    EXPECT_EQ(rec[0].kind, vyr::DrawKind::Rectangle);
    EXPECT_EQ(rec[0].rect.left, 44);
    EXPECT_EQ(rec[0].rect.top, 34);
    EXPECT_EQ(rec[0].rect.right, 56);
    EXPECT_EQ(rec[0].rect.bottom, 46);
    EXPECT_EQ(rec[0].state.rop2, R2_XORPEN);
    EXPECT_EQ(rec[0].state.pen.lopnColor, RGB(255, 255, 0));
    EXPECT_EQ(rec[0].state.pen.lopnWidth.x, 2);
    ASSERT_EQ(rec[1].kind, vyr::DrawKind::Polygon);
    ASSERT_EQ(rec[1].points.size(), 3u);
    EXPECT_EQ(rec[1].points[0].x, 56);
    EXPECT_EQ(rec[1].points[0].y, 43);
    EXPECT_EQ(rec[1].points[1].x, 50);
    EXPECT_EQ(rec[1].points[1].y, 33);
    // The right-angle sign: its two long legs meet at the lower left corner.
    for (size_t i = 2; i < 6; ++i)
        EXPECT_EQ(rec[i].kind, vyr::DrawKind::Line);
    EXPECT_EQ(rec[2].points[0].x, 44);
    EXPECT_EQ(rec[2].points[0].y, 46);
    EXPECT_EQ(rec[2].points[1].x, 56);
    EXPECT_EQ(rec[5].points[1].x, 44);
    EXPECT_EQ(rec[5].points[1].y, 40);
}

// The candidates are looked up in a screen index; it must follow every change that a move
// can see: the view, the lists, a new input, and cursors beyond the view.
TEST(SnapManager, SearchFollowsTheViewTheListsAndANewInput)
{
    SnapWorld w;
    CPNode* a = w.AddNode(AtPixel(300, 300));
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 300));
    ASSERT_TRUE(w.snap.HasSnapped());

    // The view pans by 100 pixels: the node is found where it shows now.
    w.Data().Matrix2D()(2, 0) += 100.0;
    w.snap.MouseMove(CPoint(300, 300));
    EXPECT_FALSE(w.snap.HasSnapped());
    w.snap.MouseMove(CPoint(400, 300));
    ASSERT_TRUE(w.snap.HasSnapped());
    w.Data().Matrix2D()(2, 0) -= 100.0;

    // A node added to the list.
    CPNode* b = w.AddNode(AtPixel(500, 200));
    w.snap.MouseMove(CPoint(500, 200));
    ASSERT_TRUE(w.snap.HasSnapped());
    ExpectPt(w.snap.GetSnapPt(), b->GetPt());

    // The list refilled with other nodes of the same number (another storey shown).
    w.host.m_shownNodes.RemoveAll();
    CPNode* c = w.AddNode(AtPixel(200, 100));
    CPNode* d = w.AddNode(AtPixel(600, 400));
    w.snap.MouseMove(CPoint(500, 200));
    EXPECT_FALSE(w.snap.HasSnapped());
    w.snap.MouseMove(CPoint(600, 400));
    ASSERT_TRUE(w.snap.HasSnapped());
    ExpectPt(w.snap.GetSnapPt(), d->GetPt());

    // A node moved while no input ran is found at its new place by the next input.
    w.snap.Switch(false);
    c->SetPt(AtPixel(250, 150));
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(250, 150));
    ASSERT_TRUE(w.snap.HasSnapped());
    ExpectPt(w.snap.GetSnapPt(), c->GetPt());

    // Far beyond the view's client area.
    CPNode* far = w.AddNode(AtPixel(-700, 2500));
    w.snap.MouseMove(CPoint(-700, 2500));
    ASSERT_TRUE(w.snap.HasSnapped());
    ExpectPt(w.snap.GetSnapPt(), far->GetPt());
    (void)a;
}

// A member longer than the view, crossing it: its mid point lies outside, its foot inside.
TEST(SnapManager, LongMemberAcrossTheViewOffersItsFoot)
{
    SnapWorld w;
    w.AddBeam(AtPixel(-3000, 300), AtPixel(5000, 300));
    w.snap.Switch(true);
    w.snap.SetReferPt(AtPixel(420, 50));
    w.snap.MouseMove(CPoint(700, 302));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_PERPT);
    ExpectPt(w.snap.GetSnapPt(), AtPixel(420, 300));
    w.snap.MouseMove(CPoint(1000, 300));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    ExpectPt(w.snap.GetSnapPt(), AtPixel(1000, 300));
}

// The host's lists as they are at each move are the truth: whatever the host did to them
// between two moves, a node snaps where it is now and a node no longer listed never does.
TEST(SnapManager, EditsBetweenTwoMovesAreSeenByTheNextMove)
{
    struct Case
    {
        const char* name;
        // Changes the host's list [a, b, c]; d is an unlisted node at (500, 300). Answers
        // the node that must now snap at (500, 300), or null when none may.
        CPNode* (*edit)(SnapWorld& w, CPNode* b, CPNode* d);
    };
    const Case cases[] = {
        {"the middle node swapped for another",
         [](SnapWorld& w, CPNode* b, CPNode* d) -> CPNode* {
             w.host.m_shownNodes.SetAt(w.host.m_shownNodes.Find(b), d);
             return d;
         }},
        {"the middle node removed and another inserted in its place",
         [](SnapWorld& w, CPNode* b, CPNode* d) -> CPNode* {
             POSITION pos = w.host.m_shownNodes.Find(b);
             w.host.m_shownNodes.InsertBefore(pos, d);
             w.host.m_shownNodes.RemoveAt(pos);
             return d;
         }},
        {"the middle node moved in place",
         [](SnapWorld&, CPNode* b, CPNode*) -> CPNode* {
             b->SetPt(AtPixel(500, 300));
             return b;
         }},
        {"the middle node removed, then moved",
         [](SnapWorld& w, CPNode* b, CPNode*) -> CPNode* {
             w.host.m_shownNodes.RemoveAt(w.host.m_shownNodes.Find(b));
             b->SetPt(AtPixel(500, 300));
             return nullptr;
         }},
    };
    for (const Case& c : cases) {
        SnapWorld w;
        w.AddNode(AtPixel(100, 100));
        CPNode* b = w.AddNode(AtPixel(300, 100));
        w.AddNode(AtPixel(300, 400));
        CPNode* d = w.AddNode(AtPixel(500, 300), false);
        w.snap.Switch(true);
        w.snap.MouseMove(CPoint(300, 100));
        ASSERT_TRUE(w.snap.HasSnapped()) << c.name;
        w.snap.MouseMove(CPoint(500, 300));
        ASSERT_FALSE(w.snap.HasSnapped()) << c.name;

        CPNode* now = c.edit(w, b, d);
        w.snap.MouseMove(CPoint(300, 100));
        EXPECT_FALSE(w.snap.HasSnapped()) << c.name << ": nothing is left at the old place";
        w.snap.MouseMove(CPoint(500, 300));
        EXPECT_EQ(w.snap.HasSnapped(), now != nullptr) << c.name;
        if (now) {
            ExpectPt(w.snap.GetSnapPt(), now->GetPt());
        }
    }
}

// A member follows its moved end node: its mid point snaps at the new mid point.
TEST(SnapManager, MemberMidPointFollowsAMovedEndNode)
{
    SnapWorld w;
    CBeam* beam = w.AddBeam(AtPixel(200, 200), AtPixel(400, 200));
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 200));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    beam->GetNode2()->SetPt(AtPixel(400, 400));
    w.snap.MouseMove(CPoint(300, 200));
    EXPECT_FALSE(w.snap.HasSnapped());
    w.snap.MouseMove(CPoint(300, 300));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    ExpectPt(w.snap.GetSnapPt(), AtPixel(300, 300));
}

// An edge member swapped into a wall's edge list between two moves.
TEST(SnapManager, WallEdgeListEditsAreSeenByTheNextMove)
{
    SnapWorld w;
    CBeam* first = w.AddBeam(AtPixel(200, 200), AtPixel(400, 200), false);
    CBeam* other = w.AddBeam(AtPixel(200, 400), AtPixel(400, 400), false);
    w.walls.push_back(std::make_unique<CWall>());
    CBeamList* edges = w.walls.back()->GetEdgeBeamList();
    edges->AddTail(first);
    w.host.m_shownWalls.AddTail(w.walls.back().get());
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 200));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    edges->SetAt(edges->GetHeadPosition(), other);
    w.snap.MouseMove(CPoint(300, 200));
    EXPECT_FALSE(w.snap.HasSnapped());
    w.snap.MouseMove(CPoint(300, 400));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    ExpectPt(w.snap.GetSnapPt(), AtPixel(300, 400));
}

// Axes added or cleared between two moves: the segments are those of the axes now.
TEST(SnapManager, AxisEditsBetweenTwoMovesAreSeenByTheNextMove)
{
    SnapWorld w;
    CAxises& axises = w.Data().Struct()->Axises();
    axises.AddAxis("1", AtPixel(200, 300).GetXY(), AtPixel(400, 300).GetXY());
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(300, 300));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    w.snap.MouseMove(CPoint(300, 200));
    EXPECT_FALSE(w.snap.HasSnapped());

    // A crossing axis cuts the first one at (300, 300): that is now the end of two segments.
    axises.AddAxis("A", AtPixel(300, 100).GetXY(), AtPixel(300, 500).GetXY());
    w.snap.MouseMove(CPoint(300, 200));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_MIDPT);
    ExpectPt(w.snap.GetSnapPt(), AtPixel(300, 200));
    w.snap.MouseMove(CPoint(302, 302));
    ASSERT_EQ(SnappedKind(w.snap), SNAP_ENDPT);
    ExpectPt(w.snap.GetSnapPt(), AtPixel(300, 300));

    axises.Clear();
    w.snap.MouseMove(CPoint(300, 200));
    EXPECT_FALSE(w.snap.HasSnapped());
}
