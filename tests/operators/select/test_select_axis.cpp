#include "SelectWorld.h"

using namespace seltest;

namespace {

// Axes A (y = 100) and B (y = 300) across, 1 (x = 100) and 2 (x = 300) up: four crossings.
struct AxisWorld : SelectWorld
{
    CAxis* a = nullptr;
    CAxis* bAxis = nullptr;
    CAxis* one = nullptr;
    CAxis* two = nullptr;

    void SetUp() override
    {
        SelectWorld::SetUp();
        a = Axises().AddAxis("A", CPoint2D(0, 100), CPoint2D(500, 100));
        bAxis = Axises().AddAxis("B", CPoint2D(0, 300), CPoint2D(500, 300));
        one = Axises().AddAxis("1", CPoint2D(100, 0), CPoint2D(100, 500));
        two = Axises().AddAxis("2", CPoint2D(300, 0), CPoint2D(300, 500));
    }
    std::vector<CAxis*> SelectedAxes()
    {
        std::vector<CAxis*> v;
        Axises().GetSelectedAxises(v);
        return v;
    }
    std::vector<CAxisPt*> SelectedPts()
    {
        std::vector<CAxisPt*> v;
        Axises().GetSelectedAxisPt(v);
        return v;
    }
};

TEST_F(AxisWorld, ClickOnAnAxisIsFinishedWhetherOrNotItChangedAnything)
{
    COPSelectAxis op;
    Attach(op);
    struct Case
    {
        UINT keys;
        bool before, after;
    } cases[] = {
        {0, false, true},
        {0, true, true},          // already selected: still finished, no rectangle
        {MK_SHIFT, false, false}, // Shift on an unselected axis: still finished
        {MK_SHIFT, true, false},
    };
    for (const Case& c : cases) {
        a->SetIsSelected(c.before);
        host.ClearMessages();
        EXPECT_TRUE(Click(op, 200, 100, c.keys));
        EXPECT_EQ(op.GetCurStep(), 0);
        EXPECT_EQ(a->GetIsSelected(), c.after);
        EXPECT_EQ(Protocol(), (Strings{"SEL", "View.Axis"}));
    }
    // Empty space opens a rectangle: a window takes the axes lying wholly inside, a
    // crossing also those that its frame cuts.
    struct Rect
    {
        CPoint first, second;
        std::vector<CAxis*> selected;
    } rects[] = {
        {CPoint(50, -10), CPoint(150, 510), {one}},
        {CPoint(150, 520), CPoint(50, 50), {a, bAxis, one}},
    };
    for (const Rect& r : rects) {
        Axises().SetIsSelect(false);
        EXPECT_FALSE(Click(op, r.first.x, r.first.y));
        EXPECT_EQ(op.GetCurStep(), 1);
        EXPECT_TRUE(Click(op, r.second.x, r.second.y));
        EXPECT_EQ(SelectedAxes(), r.selected);
    }
}

TEST_F(AxisWorld, CtrlClickAtACrossingAlternatesBetweenTheTwoAxes)
{
    COPSelectAxis op;
    Attach(op);
    EXPECT_TRUE(Click(op, 100, 100, MK_CONTROL));
    ASSERT_TRUE(op.IsCycling());
    CAxis* first = op.GetCycleCur();
    CAxis* second = first == a ? one : a;
    ASSERT_TRUE(first == a || first == one);
    EXPECT_EQ(SelectedAxes(), (std::vector<CAxis*>{first}));
    EXPECT_TRUE(Click(op, 400, 400));
    EXPECT_EQ(SelectedAxes(), (std::vector<CAxis*>{second}));
    EXPECT_TRUE(Click(op, 400, 400));
    EXPECT_EQ(SelectedAxes(), (std::vector<CAxis*>{first}));
    EXPECT_TRUE(op.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_TRUE(SelectedAxes().empty());
    EXPECT_FALSE(op.IsCycling());
}

TEST_F(AxisWorld, EscWithNoAxisSelectedClearsEveryKind)
{
    CPNode* n = Node(10, 10);
    n->SetSelect(1);
    d.SelectNodeList().AddTail(n);
    COPSelectAxis op;
    Attach(op);
    EXPECT_TRUE(op.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_TRUE(d.SelectNodeList().IsEmpty());
    EXPECT_EQ(Protocol().size(), 7u);
    EXPECT_EQ(Protocol()[5], "View.Axis");

    // With an axis selected only the axes are cleared.
    a->SetIsSelected(true);
    n->SetSelect(1);
    d.SelectNodeList().AddTail(n);
    host.ClearMessages();
    EXPECT_TRUE(op.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_TRUE(SelectedAxes().empty());
    EXPECT_EQ(Items(d.SelectNodeList()), (Objects{n}));
    EXPECT_EQ(Protocol(), (Strings{"SEL", "View.Axis"}));
}

TEST_F(AxisWorld, SegmentSelectionNeverShowsAPanelAndIsACommand)
{
    COPSelectAxisSeq op;
    Attach(op);
    EXPECT_EQ(op.GetOPType(), OPTYPE_COMMAND);
    EXPECT_TRUE(Click(op, 200, 100));
    std::vector<CAxisSeq*> seqs;
    Axises().GetSelectedAxisSeq(seqs);
    ASSERT_EQ(seqs.size(), 1u);
    EXPECT_FALSE(a->GetIsSelected()); // a segment, not the whole axis
    // Ctrl where segments meet adds one more; the right button keeps it.
    EXPECT_TRUE(Click(op, 100, 100, MK_CONTROL));
    EXPECT_TRUE(op.IsCycling());
    EXPECT_TRUE(op.MouseAction(OPMOUSE_RCLICK, 0, CPoint(0, 0), 0));
    EXPECT_FALSE(op.IsCycling());
    seqs.clear();
    Axises().GetSelectedAxisSeq(seqs);
    EXPECT_EQ(seqs.size(), 2u);
    EXPECT_TRUE(op.KeyDown(VK_ESCAPE, 1, 0));
    seqs.clear();
    Axises().GetSelectedAxisSeq(seqs);
    EXPECT_TRUE(seqs.empty());
    EXPECT_FALSE(op.MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, CPoint(200, 100), 0));
    EXPECT_TRUE(dlg.opened.empty());
    EXPECT_EQ(host.Count(WM_UI_SHOWPANEL), 0);
    EXPECT_GT(host.Count(WM_UI_SELCHANGED), 0);

    // The right button of a command with no segment selected names what is missing.
    static int finished = 0;
    op.SetFun(nullptr, [](COP*) { ++finished; });
    vyr::ScriptedUser::AnswerMessageBox(IDOK, "请选择轴线段！");
    EXPECT_FALSE(op.MouseAction(OPMOUSE_RCLICK, 0, CPoint(0, 0), 0));
    EXPECT_EQ(finished, 0);
}

// ---------------------------------------------------------------------------------------
// Two kinds

struct WallAndMemberWorld : SelectWorld
{
    CWall* wall = nullptr;
    CBeam* beam = nullptr;
    COPSelectBeamAndWall op;

    void SetUp() override
    {
        SelectWorld::SetUp();
        wall = Area<CWall>(100, 90, 300, 110);
        beam = Member(100, 100, 300, 100); // inside the wall's outline
        Attach(op);
    }
};

TEST_F(WallAndMemberWorld, OneClickSelectsBothWallFirst)
{
    EXPECT_TRUE(Click(op, 200, 100));
    EXPECT_EQ(Items(d.SelectWallList()), (Objects{wall}));
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{beam}));
    EXPECT_EQ(Protocol(), (Strings{"SEL", "View.PropWall", "View.PropBeam"}));
    // ESC clears both, coupling beams included.
    CBeamInWall* coupling = Member<CBeamInWall>(500, 500, 600, 500);
    coupling->SetSelect(1);
    d.SelectBeamList().AddTail(coupling);
    host.ClearMessages();
    EXPECT_TRUE(op.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_TRUE(d.SelectWallList().IsEmpty());
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_EQ(wall->GetSelect() + beam->GetSelect() + coupling->GetSelect(), 0);
    EXPECT_EQ(Protocol(), (Strings{"SEL", "View.PropWall", "View.PropBeam"}));
}

TEST_F(WallAndMemberWorld, CtrlCyclesWallThenMember)
{
    EXPECT_TRUE(Click(op, 200, 100, MK_CONTROL));
    EXPECT_EQ(op.GetCycleIndex(), 0);
    EXPECT_EQ(Items(d.SelectWallList()), (Objects{wall}));
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_TRUE(Click(op, 0, 0));
    EXPECT_TRUE(d.SelectWallList().IsEmpty());
    EXPECT_EQ(wall->GetSelect(), 0);
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{beam}));
    EXPECT_TRUE(Click(op, 0, 0));
    EXPECT_EQ(Items(d.SelectWallList()), (Objects{wall}));
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_EQ(beam->GetSelect(), 0);
    EXPECT_TRUE(op.MouseAction(OPMOUSE_RCLICK, 0, CPoint(0, 0), 0));
    EXPECT_FALSE(op.IsCycling());
    EXPECT_EQ(Items(d.SelectWallList()), (Objects{wall}));

    // Where only selected objects lie no cycle starts: a rectangle opens.
    beam->SetSelect(1);
    d.SelectBeamList().AddTail(beam);
    EXPECT_FALSE(Click(op, 200, 100, MK_CONTROL));
    EXPECT_EQ(op.GetCurStep(), 1);
}

TEST_F(WallAndMemberWorld, DoubleClickOpensTheWallOverTheMember)
{
    Click(op, 200, 100);
    host.ClearMessages();
    EXPECT_TRUE(op.MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, CPoint(200, 100), 0));
    ASSERT_EQ(dlg.opened.size(), 1u);
    EXPECT_EQ(dlg.opened[0].object, (void*)wall);
    EXPECT_EQ(dlg.opened[0].kind, 2);
    EXPECT_EQ(Protocol(), (Strings{"View.PropWall"}));

    // A member with no wall over it.
    CBeam* lone = Member(400, 400, 500, 400);
    Click(op, 450, 400);
    EXPECT_TRUE(op.MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, CPoint(450, 400), 0));
    ASSERT_EQ(dlg.opened.size(), 2u);
    EXPECT_EQ(dlg.opened[1].object, (void*)lone);
    EXPECT_EQ(dlg.opened[1].kind, 1);

    // On neither: not consumed, the rectangle of the first click stays open.
    EXPECT_FALSE(Click(op, 700, 550));
    EXPECT_FALSE(op.MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, CPoint(700, 550), 0));
    EXPECT_EQ(op.GetCurStep(), 1);
    EXPECT_EQ(dlg.opened.size(), 2u);
}

TEST_F(AxisWorld, NodesAndAxisPointsAreTakenByWindowInBothDirections)
{
    CPNode* n = Node(200, 200);
    CFrameProbe<COPSelectNodeAndAxisPt> op;
    Attach(op);
    EXPECT_EQ(op.GetOPType(), OPTYPE_COMMAND);
    // Right to left around the node and the crossing (300, 300); the dotted frame still
    // selects by window, so axis 2 and B that it cuts are not what it takes.
    EXPECT_FALSE(Click(op, 350, 350));
    Move(op, 150, 150);
    EXPECT_TRUE(Click(op, 150, 150));
    EXPECT_FALSE(op.solid.back());
    EXPECT_EQ(Items(d.SelectNodeList()), (Objects{n}));
    std::vector<CAxisPt*> pts = SelectedPts();
    ASSERT_EQ(pts.size(), 1u);
    EXPECT_EQ(pts[0]->GetPt(), CPoint2D(300, 300));
    EXPECT_TRUE(SelectedAxes().empty());
    EXPECT_EQ(Protocol(), (Strings{"SEL", "View.PropNode"}));

    // A click on the selected crossing counts as a change: finished, no rectangle.
    EXPECT_TRUE(Click(op, 300, 300));
    EXPECT_EQ(op.GetCurStep(), 0);

    // Ctrl where a node lies on a crossing: node first, then the point.
    pts[0]->SetIsSelected(false);
    CPNode* onCrossing = Node(100, 100);
    EXPECT_TRUE(Click(op, 100, 100, MK_CONTROL));
    EXPECT_EQ(onCrossing->GetSelect(), 1);
    EXPECT_TRUE(SelectedPts().empty());
    EXPECT_TRUE(Click(op, 0, 0));
    EXPECT_EQ(onCrossing->GetSelect(), 0);
    EXPECT_EQ(d.SelectNodeList().Find(onCrossing), nullptr);
    ASSERT_EQ(SelectedPts().size(), 1u);
    EXPECT_EQ(SelectedPts()[0]->GetPt(), CPoint2D(100, 100));
}

} // namespace
