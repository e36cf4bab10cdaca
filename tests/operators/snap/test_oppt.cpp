// Point input through the snap: one point, chains of two-point segments, the dragged
// sketch, three-point input with its previews, and the maps between model and screen.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "SnapWorld.h"
#include <vyr/operators/OPPt.h>
#include <vyr/operators/OPPt3.h>
#include "support/TestHelpers.h"

using snaptest::AtPixel;
using snaptest::SnapWorld;

namespace {
using vyrtest::ExpectPt;

constexpr double kPi = 3.14159265358979;


// The operator that runs when no command does.
class CIdleOP : public COP
{
public:
    CIdleOP() { m_nOPType = OPTYPE_DEFAULT; }
    CObj* Clone() const override { return new CIdleOP(*this); }
    CString GetType() const override { return "OP.TestIdle"; }
};

// What the callbacks saw.
struct Calls
{
    std::vector<std::vector<CPoint3D>> finished;
    int cancelled = 0;
    int key = -1;
};
Calls g_calls;

void OnFinish(COP* op)
{
    std::vector<CPoint3D> pts;
    for (int i = 0; i < op->GetSubOPCount(); ++i)
        pts.push_back(COPPt::GetOnePt(i, op));
    if (op->GetSubOPCount() == 0)
        pts.push_back(COPPt::GetOnePt(0, op));
    g_calls.finished.push_back(pts);
}
void OnCancel(COP* op)
{
    ++g_calls.cancelled;
    if (COPPt2* two = dynamic_cast<COPPt2*>(op))
        g_calls.key = two->GetKey();
}

struct PointFixture : ::testing::Test
{
    SnapWorld w;
    COPManager& m = w.host.OPManager();

    void SetUp() override
    {
        g_calls = Calls();
        m.SetOP(CIdleOP());
    }
    bool Move(int x, int y, UINT flags = 0) { return m.MouseAction(OPMOUSE_MOVE, flags, CPoint(x, y), 0); }
    bool Click(int x, int y) { return m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(x, y), 0); }
    bool Pick(int x, int y)
    {
        Move(x, y);
        return Click(x, y);
    }
};

} // namespace

TEST(PointOperators, RegisteredUnderTheirTypeStrings)
{
    struct Row
    {
        const char* type;
        const char* desc;
        int opType;
        int subs;
    } rows[] = {
        {"OP.Pt", "选点操作", OPTYPE_ONESHOT, 0},
        {"OP.Pt2", "两点操作", OPTYPE_COMMAND, 2},
        {"OP.Pt2StructSketch", "两点操作", OPTYPE_COMMAND, 2},
        {"OP.Pt3", "三点操作", OPTYPE_COMMAND, 3},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.type);
        std::unique_ptr<CObj> obj(CObjCreator::Inst().Create(r.type));
        COP* op = dynamic_cast<COP*>(obj.get());
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->GetType(), CString(r.type));
        EXPECT_EQ(op->GetOPDesc(), CString(r.desc));
        EXPECT_EQ(op->GetOPType(), r.opType);
        EXPECT_EQ(op->GetSubOPCount(), r.subs);
        EXPECT_EQ(op->GetCurStep(), 0);
    }
}

TEST(PointOperators, OnePointComparesItsPointAndUseType)
{
    COPPt a;
    COPPt b(a);
    EXPECT_TRUE(a.Comp(b));
    b.SetUseType(1);
    EXPECT_FALSE(a.Comp(b));
    COPPt c;
    COPPt::SetOnePt(0, CPoint3D(1, 2, 3), &c);
    EXPECT_FALSE(a.Comp(c));
    std::unique_ptr<CObj> clone(c.Clone());
    EXPECT_TRUE(clone->Comp(c));
    ExpectPt(COPPt::GetOnePt(0, static_cast<COP*>(clone.get())), CPoint3D(1, 2, 3));
}

TEST(PointOperators, ScreenMapsRoundTripInATiltedViewAndFailAlongThePlane)
{
    CMatrix3D rz, rx;
    rz.SetZRotate(0.5);
    rx.SetXRotate(-0.7);
    const CMatrix3D m3 = rz * rx;
    CMatrix2D m2;
    m2(0, 0) = 2.0;
    m2(1, 1) = -2.0;
    m2(2, 0) = 400.0;
    m2(2, 1) = 300.0;
    const CPoint3D model(12.5, -40.0, 7.0);
    CPoint3D view;
    CPoint2D screen;
    COPPt::Cal3D(model, view, screen, m3, m2);
    CPoint3D back;
    ASSERT_TRUE(COPPt::Cal3DWithZ(screen, back, m3.Anti(), m2.Anti(), 7.0));
    ExpectPt(back, model, 1e-6);

    // Plan view: any height works; the screen point is the one the test world uses.
    SnapWorld w;
    COPPt::Cal3D(AtPixel(123, 456, 9.0), view, screen, w.Data().Matrix3D(), w.Data().Matrix2D());
    EXPECT_NEAR(screen.x, 123.0, 1e-9);
    EXPECT_NEAR(screen.y, 456.0, 1e-9);
    ASSERT_TRUE(COPPt::Cal3DWithZ(screen, back, w.Data().Matrix3D().Anti(), w.Data().Matrix2D().Anti(), -4.0));
    ExpectPt(back, AtPixel(123, 456, -4.0));

    // An elevation looks along every horizontal plane.
    CMatrix3D elevation;
    back = CPoint3D(5, 5, 5);
    EXPECT_FALSE(COPPt::Cal3DWithZ(screen, back, elevation, m2.Anti(), 0.0));
    ExpectPt(back, CPoint3D(5, 5, 5));
}

TEST_F(PointFixture, OnePointTakesTheSnappedPointAndCallsBack)
{
    CPNode* node = w.AddNode(AtPixel(300, 300, 2.0));
    COPPt pt;
    pt.SetUseType(1);
    pt.SetFun(nullptr, OnFinish);
    m.SetOP(pt);
    EXPECT_FALSE(w.snap.IsSwitchOn());
    EXPECT_TRUE(Move(305, 298));
    EXPECT_TRUE(w.snap.IsSwitchOn());
    EXPECT_EQ(w.snap.GetUseType(), 1) << "the snap takes the operator's use type";
    EXPECT_EQ(m.GetToolTip(), CString("选点操作->请选择结点"));
    EXPECT_TRUE(Click(305, 298));
    ASSERT_EQ(g_calls.finished.size(), 1u);
    ExpectPt(g_calls.finished[0][0], node->GetPt());
    EXPECT_TRUE(static_cast<COPPt*>(m.GetCurOP())->HasPoint());
}

TEST_F(PointFixture, ClickWithoutSnapTakesNoPointAndCallsNothing)
{
    w.AddNode(AtPixel(300, 300));
    COPPt2 two;
    two.SetFun(nullptr, OnFinish);
    m.SetOP(two);
    // No move yet: nothing has snapped although the node is under the cursor.
    EXPECT_FALSE(Click(300, 300));
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 0);
    Move(500, 100); // away from everything
    EXPECT_FALSE(Click(500, 100));
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 0);
    EXPECT_TRUE(g_calls.finished.empty());
}

TEST_F(PointFixture, SnapSwitchedOffBetweenMoveAndClickTakesNothing)
{
    w.AddNode(AtPixel(300, 300));
    COPPt2 two;
    two.SetFun(nullptr, OnFinish);
    m.SetOP(two);
    Move(300, 300);
    ASSERT_TRUE(w.snap.HasSnapped());
    {
        COPPt passing; // a point input that ends switches the snap off
    }
    EXPECT_FALSE(Click(300, 300));
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 0);
    EXPECT_TRUE(Pick(300, 300)) << "the next move snaps again";
}

TEST_F(PointFixture, TwoPointChainCallsBackPerSegment)
{
    const CPoint3D p1 = w.AddNode(AtPixel(100, 100))->GetPt();
    const CPoint3D p2 = w.AddNode(AtPixel(300, 100))->GetPt();
    const CPoint3D p3 = w.AddNode(AtPixel(300, 400, 5.0))->GetPt();
    COPPt2 two;
    two.SetFun(nullptr, OnFinish);
    m.SetOP(two);
    Move(100, 100);
    EXPECT_EQ(m.GetToolTip(), CString("两点操作->选择第一点，右键或ESC键取消操作->"));
    EXPECT_TRUE(Click(100, 100));
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 1);
    EXPECT_TRUE(w.snap.HasReferPt());
    ExpectPt(COPPt::GetOnePt(1, m.GetCurOP()), p1);
    Move(280, 110);
    Move(290, 110); // the running point input's prompt is the one of its previous move
    EXPECT_EQ(m.GetToolTip(), CString("两点操作->选择下一点，右键或ESC键取消操作->选点操作->请选择空间点，Shift+"
                                      "右键可弹出捕捉菜单"));
    EXPECT_TRUE(Pick(300, 100));
    EXPECT_TRUE(Pick(300, 400));
    ASSERT_EQ(g_calls.finished.size(), 2u);
    ExpectPt(g_calls.finished[0][0], p1);
    ExpectPt(g_calls.finished[0][1], p2);
    ExpectPt(g_calls.finished[1][0], p2);
    ExpectPt(g_calls.finished[1][1], p3);
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 1) << "the chain waits for the next point";
    ExpectPt(COPPt::GetOnePt(0, m.GetCurOP()), p3);
}

// A move or copy command moves what it picked from its finish callback while the chain
// goes on: the next segment snaps the node where it is now, never where it was.
CPNode* g_movedNode = nullptr;
void MoveNodeOnFirstFinish(COP* op)
{
    OnFinish(op);
    if (g_calls.finished.size() == 1)
        g_movedNode->SetPt(AtPixel(500, 300));
}

TEST_F(PointFixture, ChainSnapsANodeThatTheFirstCallbackMovedAtItsNewPlace)
{
    const CPoint3D p1 = w.AddNode(AtPixel(100, 100))->GetPt();
    g_movedNode = w.AddNode(AtPixel(300, 100));
    const CPoint3D p2 = g_movedNode->GetPt();
    w.AddNode(AtPixel(300, 400));
    COPPt2 two;
    two.SetFun(nullptr, MoveNodeOnFirstFinish);
    m.SetOP(two);
    EXPECT_TRUE(Pick(100, 100));
    EXPECT_TRUE(Pick(300, 100));
    ASSERT_EQ(g_calls.finished.size(), 1u);

    Move(300, 100);
    EXPECT_FALSE(w.snap.HasSnapped()) << "the node has left this place";
    EXPECT_FALSE(Click(300, 100));
    EXPECT_TRUE(Pick(500, 300));
    ASSERT_EQ(g_calls.finished.size(), 2u);
    ExpectPt(g_calls.finished[0][0], p1);
    ExpectPt(g_calls.finished[0][1], p2);
    ExpectPt(g_calls.finished[1][0], p2);
    ExpectPt(g_calls.finished[1][1], AtPixel(500, 300));
    g_movedNode = nullptr;
}

TEST_F(PointFixture, RubberFigureStartsAtTheFirstPoint)
{
    w.AddNode(AtPixel(100, 100));
    COPPt2 two;
    two.SetPt2Type(1);
    m.SetOP(two);
    Pick(100, 100);
    COPPt2* running = static_cast<COPPt2*>(m.GetCurOP());
    EXPECT_NEAR(running->GetMousePt().x, 100.0, 1e-9);
    EXPECT_NEAR(running->GetMousePt().y, 100.0, 1e-9);
    Move(150, 120);
    EXPECT_NEAR(running->GetMousePt().x, 150.0, 1e-9);
    EXPECT_NEAR(running->GetMousePt().y, 120.0, 1e-9);
}

TEST_F(PointFixture, CancelSetsTheKeyOrReturnsToTheDefault)
{
    struct Case
    {
        const char* what;
        bool withCancel;
        bool byEsc;
        int key;
    } cases[] = {
        {"right button with a cancel callback", true, false, 1},
        {"ESC with a cancel callback", true, true, 0},
        {"right button without one", false, false, -1},
        {"ESC without one", false, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_calls = Calls();
        COPPt2 two;
        two.SetFun(c.withCancel ? OnCancel : nullptr, OnFinish);
        m.SetOP(two);
        Move(10, 10);
        w.snap.SetIsTempUse(true);
        w.snap.SetSnapOn(SNAP_MIDPT, true);
        if (c.byEsc)
            EXPECT_FALSE(m.KeyDown(VK_ESCAPE, 1, 0));
        else
            EXPECT_TRUE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(10, 10), 0));
        EXPECT_FALSE(w.snap.GetIsTempUse()) << "cancelling ends the temporary use";
        EXPECT_TRUE(w.snap.GetSnapOn(SNAP_ENDPT));
        if (c.withCancel) {
            EXPECT_EQ(g_calls.cancelled, 1);
            EXPECT_EQ(g_calls.key, c.key);
            EXPECT_FALSE(m.IsDefault());
            m.ResumeDefaultOP();
        } else {
            EXPECT_EQ(g_calls.cancelled, 0);
            EXPECT_TRUE(m.IsDefault());
        }
    }
}

TEST_F(PointFixture, SnapMenuOffersTheFootOnlyAfterAFirstPoint)
{
    w.AddNode(AtPixel(100, 100));
    COPPt2 two;
    m.SetOP(two);
    vyr::ClearTrackedMenus();
    Move(200, 200);
    EXPECT_FALSE(m.MouseAction(OPMOUSE_RCLICK, MK_SHIFT, CPoint(200, 200), 0));
    ASSERT_EQ(vyr::TrackedMenus().size(), 1u);
    vyr::TrackedMenu menu = vyr::TrackedMenus()[0];
    EXPECT_EQ(menu.ids, (std::vector<UINT>{923, 922, 0, 920, 0, 924}));
    EXPECT_EQ(menu.items[0], CString("端点"));
    EXPECT_EQ(menu.items[1], CString("中点"));
    EXPECT_EQ(menu.items[3], CString("从"));
    EXPECT_EQ(menu.items[5], CString("对象捕捉设置..."));
    EXPECT_TRUE(menu.flags & TPM_RIGHTBUTTON);
    EXPECT_FALSE(m.IsDefault()) << "Shift with the right button does not cancel";

    Pick(100, 100);
    m.MouseAction(OPMOUSE_RCLICK, MK_SHIFT, CPoint(200, 200), 0);
    ASSERT_EQ(vyr::TrackedMenus().size(), 2u);
    menu = vyr::TrackedMenus()[1];
    EXPECT_EQ(menu.ids, (std::vector<UINT>{923, 922, 921, 0, 920, 0, 924}));
    EXPECT_EQ(menu.items[2], CString("垂足"));

    // A node input has no snap menu.
    COPPt2 nodes;
    nodes.SetUseType(1);
    m.SetOP(nodes);
    Move(200, 200);
    EXPECT_FALSE(m.MouseAction(OPMOUSE_RCLICK, MK_SHIFT, CPoint(200, 200), 0));
    EXPECT_EQ(vyr::TrackedMenus().size(), 2u);
    vyr::ClearTrackedMenus();
}

TEST_F(PointFixture, DraggedSketchFollowsTheCursorAndCopiesStartEmpty)
{
    CBeam* beam = w.AddBeam(AtPixel(200, 300), AtPixel(260, 300));
    w.AddNode(AtPixel(200, 300));
    w.Data().SelectBeamList().AddTail(beam);
    COPPt2StructSketch drag;
    m.SetOP(drag);
    Pick(200, 300);
    Move(390, 340);
    Move(400, 350);
    auto* running = static_cast<COPPt2StructSketch*>(m.GetCurOP());
    ASSERT_EQ(running->GetSketch().GetLines().size(), 1u);
    const CStructSketch::Line& line = running->GetSketch().GetLines()[0];
    // The base point sits under the cursor.
    EXPECT_NEAR(line.sa.x, 400.0, 1e-6);
    EXPECT_NEAR(line.sa.y, 350.0, 1e-6);
    EXPECT_NEAR(line.sb.x, 460.0, 1e-6);
    // Without callbacks there is no exit hint.
    EXPECT_EQ(m.GetToolTip().Find("两点操作->选择下一点->选点操作->"), 0);

    // The selection changes; a copy shows the new one, not its source's sketch.
    w.Data().SelectBeamList().RemoveAll();
    w.Data().SelectBeamList().AddTail(w.AddBeam(AtPixel(200, 300), AtPixel(200, 200), false));
    w.Data().SelectBeamList().AddTail(w.AddBeam(AtPixel(200, 300), AtPixel(100, 300), false));
    std::unique_ptr<COPPt2StructSketch> copy(static_cast<COPPt2StructSketch*>(running->Clone()));
    EXPECT_TRUE(copy->GetSketch().IsEmpty());
    EXPECT_TRUE(copy->Comp(*running));
    copy->SetParam(&w.host.View(), &w.Data(), &m);
    copy->DrawWhenMove();
    EXPECT_EQ(copy->GetSketch().GetLines().size(), 2u);
    EXPECT_EQ(running->GetSketch().GetLines().size(), 1u);
}

TEST_F(PointFixture, ThreePointChainCallsBackOncePerThreePoints)
{
    const CPoint3D a = w.AddNode(AtPixel(100, 100))->GetPt();
    const CPoint3D b = w.AddNode(AtPixel(300, 100))->GetPt();
    const CPoint3D c = w.AddNode(AtPixel(300, 300))->GetPt();
    const CPoint3D d = w.AddNode(AtPixel(500, 300))->GetPt();
    const CPoint3D e = w.AddNode(AtPixel(500, 500))->GetPt();
    COPPt3 three;
    three.SetPt3Type(2);
    three.SetFun(nullptr, OnFinish);
    m.SetOP(three);
    EXPECT_TRUE(Pick(100, 100));
    EXPECT_TRUE(Pick(300, 100));
    EXPECT_TRUE(g_calls.finished.empty());
    EXPECT_TRUE(Pick(300, 300));
    ASSERT_EQ(g_calls.finished.size(), 1u);
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 1);
    EXPECT_TRUE(Pick(500, 300));
    EXPECT_TRUE(Pick(500, 500));
    ASSERT_EQ(g_calls.finished.size(), 2u);
    const std::vector<CPoint3D> want[2] = {{a, b, c}, {c, d, e}};
    for (int i = 0; i < 2; ++i)
        for (int k = 0; k < 3; ++k)
            ExpectPt(g_calls.finished[(size_t)i][(size_t)k], want[i][(size_t)k]);
    EXPECT_EQ(m.GetToolTip().Find("三点操作->选择下一点，右键或ESC键可进行详细设置->"), 0);
}

TEST_F(PointFixture, SpatialArcRefusesACollinearThirdPoint)
{
    w.AddNode(AtPixel(100, 100));
    w.AddNode(AtPixel(200, 100));
    w.AddNode(AtPixel(300, 100));
    const CPoint3D off = w.AddNode(AtPixel(200, 200, 40.0))->GetPt();
    COPPt3 three;
    three.SetPt3Type(9);
    three.SetFun(nullptr, OnFinish);
    m.SetOP(three);
    Pick(100, 100);
    Pick(200, 100);
    EXPECT_FALSE(Pick(300, 100)) << "three points on a line span no plane";
    EXPECT_TRUE(g_calls.finished.empty());
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 2);
    EXPECT_TRUE(Pick(200, 200));
    ASSERT_EQ(g_calls.finished.size(), 1u);
    ExpectPt(g_calls.finished[0][2], off);

    // With a preset normal the same points make a plane.
    g_calls = Calls();
    COPPt3 preset;
    preset.SetPt3Type(9);
    preset.SetPriVector3D(CVector3D(0, 1, 0), true);
    preset.SetFun(nullptr, OnFinish);
    m.SetOP(preset);
    Pick(100, 100);
    Pick(200, 100);
    EXPECT_TRUE(Pick(300, 100));
    EXPECT_EQ(g_calls.finished.size(), 1u);
}

TEST_F(PointFixture, ThreePointMovesReadTheSnapWithoutAskingForAnOffset)
{
    const CPoint3D node = w.AddNode(AtPixel(300, 300))->GetPt();
    w.AddNode(AtPixel(100, 100));
    COPPt3 three;
    three.SetPt3Type(9);
    m.SetOP(three);
    Pick(100, 100); // snap-from is off: no dialog
    w.snap.SetSnapFrom(true);
    vyr::ScriptedUser::Reset();
    Move(300, 300);
    Move(301, 300); // reads what the previous move snapped
    Move(302, 301);
    auto* running = static_cast<COPPt3*>(m.GetCurOP());
    EXPECT_TRUE(running->IsMoveSnapValid());
    ExpectPt(running->GetMoveSnapPt(), node);
    EXPECT_TRUE(vyr::ScriptedUser::Dialogs().empty()) << "a move never opens the offset dialog";
    w.snap.SetSnapFrom(false);
}

TEST(ThreePointPreview, ArcsOfTheFlatTypes)
{
    struct Case
    {
        const char* what;
        int type;
        CPoint2D m;
        bool draws;
        double start, end;
    } cases[] = {
        {"centre p0, quarter", 0, CPoint2D(0, 1), true, 0.0, kPi / 2},
        {"centre p0, three quarters", 0, CPoint2D(0, -1), true, 0.0, 3 * kPi / 2},
        {"centre p0, type 1 alike", 1, CPoint2D(-1, 0), true, 0.0, kPi},
        {"centre p1 from p0", 4, CPoint2D(1, 1), true, kPi, 2 * kPi + kPi / 2},
        {"centre p1 to p0", 5, CPoint2D(1, 1), true, kPi / 2, kPi},
        {"cursor on the chord's line", 2, CPoint2D(3, 0), false, 0, 0},
        {"height zero", 3, CPoint2D(0.5, 0), false, 0, 0},
        {"tangent, cursor on the line", 6, CPoint2D(2, 0), false, 0, 0},
        {"rubber line only", 11, CPoint2D(0, 1), false, 0, 0},
        {"unknown type", 12, CPoint2D(0, 1), false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        COPPt3 op;
        op.SetPt3Type(c.type);
        CArc arc;
        EXPECT_EQ(op.SetPreviewArc(CPoint2D(0, 0), CPoint2D(1, 0), c.m, arc), c.draws);
        if (!c.draws)
            continue;
        EXPECT_NEAR(arc.GetRadius(), 1.0, 1e-9);
        EXPECT_NEAR(arc.GetStAngle(), c.start, 1e-6);
        EXPECT_NEAR(arc.GetEdAngle(), c.end, 1e-6);
    }
}

TEST(ThreePointPreview, ArcsThroughPointsAndByHeight)
{
    COPPt3 op;
    CArc arc;
    op.SetPt3Type(2);
    ASSERT_TRUE(op.SetPreviewArc(CPoint2D(-1, 0), CPoint2D(1, 0), CPoint2D(0, 1), arc));
    EXPECT_NEAR(arc.GetRadius(), 1.0, 1e-9);
    EXPECT_NEAR(arc.Center().x, 0.0, 1e-9);
    EXPECT_FALSE(op.SetPreviewArc(CPoint2D(1, 1), CPoint2D(1, 1), CPoint2D(0, 1), arc)) << "p0 = p1";

    op.SetPt3Type(3);
    ASSERT_TRUE(op.SetPreviewArc(CPoint2D(-1, 0), CPoint2D(1, 0), CPoint2D(0, 1), arc));
    EXPECT_NEAR(arc.GetRadius(), 1.0, 1e-9);
    EXPECT_NEAR(arc.Center().y, 0.0, 1e-9);

    op.SetPt3Type(6);
    ASSERT_TRUE(op.SetPreviewArc(CPoint2D(0, 0), CPoint2D(1, 0), CPoint2D(0, 2), arc));
    EXPECT_NEAR(arc.GetRadius(), 1.0, 1e-9);
    EXPECT_NEAR(arc.Center().y, 1.0, 1e-9);
}

TEST(ThreePointPreview, AnglesAreBroughtIntoTheHalfOpenRange)
{
    const std::pair<double, double> cases[] = {
        {0.0, 0.0}, {-kPi, kPi}, {kPi, kPi}, {3 * kPi, kPi}, {-3 * kPi / 2, kPi / 2}, {5.0, 5.0 - 6.2831852},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(COPPt3::NormalizeAngle(c.first), c.second, 1e-6) << c.first;
}

TEST(ThreePointPreview, FrameOfThePlaneThroughThreePoints)
{
    COPPt3 op;
    op.SetPt3Type(9);
    bool ok = false;
    // Points in a horizontal plane: the model axes.
    CMatrix3D f = op.GetMatrix3D(CPoint3D(5, 6, 7), CPoint3D(8, 6, 7), CPoint3D(5, 9, 7), ok);
    ASSERT_TRUE(ok);
    const double flat[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(f[i], flat[i], 1e-9) << i;
    // Clockwise points give the normal (0, 0, -1), which counts as upwards too.
    f = op.GetMatrix3D(CPoint3D(5, 6, 7), CPoint3D(5, 9, 7), CPoint3D(8, 6, 7), ok);
    ASSERT_TRUE(ok);
    EXPECT_NEAR(f(2, 2), 1.0, 1e-9);

    // A tilted plane: the three points lie in the frame's x-y plane.
    const CPoint3D p0(1, 2, 3), p1(4, 2, 3), p2(1, 5, 6);
    f = op.GetMatrix3D(p0, p1, p2, ok);
    ASSERT_TRUE(ok);
    const CMatrix3D inv = f.Anti();
    EXPECT_NEAR((p1 * inv).z, 0.0, 1e-9);
    EXPECT_NEAR((p2 * inv).z, 0.0, 1e-9);
    ExpectPt(CPoint3D(0, 0, 0) * f, p0);

    // Collinear points: refused, and no NaN leaks out.
    f = op.GetMatrix3D(CPoint3D(0, 0, 0), CPoint3D(1, 1, 1), CPoint3D(2, 2, 2), ok);
    EXPECT_FALSE(ok);
    for (int i = 0; i < 16; ++i)
        EXPECT_FALSE(std::isnan(f[i]));
    EXPECT_FALSE((op.GetMatrix3D(CPoint3D(1, 1, 1), CPoint3D(1, 1, 1), CPoint3D(2, 3, 4), ok), ok));

    // A preset normal makes a frame of any three points.
    op.SetPriVector3D(CVector3D(0, 2, 0), true);
    f = op.GetMatrix3D(CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), CPoint3D(2, 0, 0), ok);
    ASSERT_TRUE(ok);
    EXPECT_NEAR(f(2, 1), 1.0, 1e-9);
    op.SetPriVector3D(CVector3D(0, 0, 0), true);
    op.GetMatrix3D(CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), CPoint3D(0, 1, 0), ok);
    EXPECT_FALSE(ok) << "a zero preset normal has no direction";
}
