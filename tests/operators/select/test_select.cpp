#include "SelectWorld.h"

#include <vyr/operators/OPRegistry.h>

using namespace seltest;

namespace {

const char* const kIdle = "->请点选或者窗选, Shift键排除选择, Ctrl键开启循环选择";

TEST(SelectRegistry, EveryOperatorClassIsRegisteredInOrderAndBuildsItsKind)
{
    const char* const order[] = {"OP",
                                 "OP.Pt",
                                 "OP.Pt2",
                                 "OP.Pt2StructSketch",
                                 "OP.Pt3",
                                 "OP.Select",
                                 "OP.SelectBeam",
                                 "OP.SelectNode",
                                 "OP.SelectPlane",
                                 "OP.SelectWall",
                                 "OP.SelectBeamAndWall",
                                 "OP.SelectAxis",
                                 "OP.SelectAxisSeq",
                                 "OP.SelectNodeAndAxisPt",
                                 "OP.SelectBCInWall",
                                 "OP.ViewPan",
                                 "OP.ViewZoom",
                                 "OP.ViewFree",
                                 "OP.ViewWindow"};
    int count = 0;
    const COPClassEntry* rows = GetOPClassTable(&count);
    ASSERT_EQ(count, 19);
    for (int i = 0; i < count; ++i) {
        EXPECT_STREQ(rows[i].type, order[i]);
        ASSERT_NE(rows[i].create, nullptr) << order[i];
    }

    struct Case
    {
        const char* type;
        const char* desc;
        int opType;
    } cases[] = {
        {"OP.Select", "选择", 0},
        {"OP.SelectBeam", "选择杆件", 0},
        {"OP.SelectNode", "选择结点", 0},
        {"OP.SelectPlane", "选择房间", 0},
        {"OP.SelectWall", "选择墙体", 0},
        {"OP.SelectBCInWall", "选择墙肢连梁", 0},
        {"OP.SelectAxis", "选择轴线", 0},
        {"OP.SelectAxisSeq", "选择轴线段", 1},
        {"OP.SelectBeamAndWall", "选择杆件和墙体", 0},
        {"OP.SelectNodeAndAxisPt", "选择结点和轴线点", 1},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CObj> obj(CObjCreator::Inst().Create(c.type));
        COPSelect* op = dynamic_cast<COPSelect*>(obj.get());
        ASSERT_NE(op, nullptr) << c.type;
        EXPECT_EQ(op->GetType(), CString(c.type));
        EXPECT_EQ(op->GetDesc(), CString(c.desc));
        EXPECT_EQ(op->GetOPType(), c.opType) << c.type;
        std::unique_ptr<CObj> copy(op->Clone());
        EXPECT_EQ(copy->GetType(), CString(c.type));
    }
}

TEST(SelectFrame, ExclusiveOrFrameIsDottedForACrossingAndLeavesNoTrace)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dc, 60, 40));
    CBitmap* old = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 60, 40, RGB(10, 20, 30));
    const vyr::Image before = *bmp.GetImage();
    const int ropBefore = dc.GetROP2();

    for (bool solid : {true, false}) {
        // Corners as stored: right to left for the crossing.
        const CRect corners = solid ? CRect(5, 5, 40, 30) : CRect(40, 30, 5, 5);
        COPSelect::DrawFrame(&dc, corners, solid);
        const vyr::DrawRecord& r = dc.Records().back();
        EXPECT_EQ(r.kind, vyr::DrawKind::Rectangle);
        EXPECT_EQ(r.state.rop2, R2_XORPEN);
        EXPECT_EQ(r.state.pen.lopnColor, RGB(255, 255, 128));
        EXPECT_EQ(r.state.pen.lopnStyle, solid ? (UINT)PS_SOLID : (UINT)PS_DOT);
        EXPECT_EQ(r.state.brush.lbStyle, (UINT)BS_NULL);
        EXPECT_EQ(bmp.GetImage()->GetPixel(20, 20), RGB(10, 20, 30)); // never filled
        EXPECT_EQ(dc.GetROP2(), ropBefore);
        COPSelect::DrawFrame(&dc, corners, solid);
        EXPECT_TRUE(*bmp.GetImage() == before);
    }
    dc.SelectObject(old);
}

// ---------------------------------------------------------------------------------------
// Clicks, rectangles and the messages to the host

TEST_F(SelectWorld, DragDirectionChoosesWindowOrCrossingAndTheFrameStyle)
{
    CBeam* inside = Member(110, 110, 150, 110);
    CBeam* cut = Member(150, 150, 250, 150); // leaves the rectangle to the right
    Member(400, 400, 450, 400);              // far away

    struct Case
    {
        CPoint first, second;
        bool solid;
        Objects selected;
    } cases[] = {
        {CPoint(100, 100), CPoint(200, 200), true, {inside}},
        {CPoint(200, 200), CPoint(100, 100), false, {inside, cut}},
        {CPoint(200, 100), CPoint(100, 200), false, {inside, cut}}, // right to left, top to bottom
    };
    for (const Case& c : cases) {
        d.SelectBeamList().SetSelect(0);
        d.SelectBeamList().RemoveAll();
        host.ClearMessages();
        CFrameProbe<COPSelectBeam> op;
        Attach(op);
        EXPECT_FALSE(Click(op, c.first.x, c.first.y)); // empty space: a rectangle opens
        EXPECT_EQ(op.GetCurStep(), 1);
        EXPECT_NE(op.GetCursor(), nullptr);
        Move(op, (c.first.x + c.second.x) / 2, (c.first.y + c.second.y) / 2);
        Move(op, c.second.x, c.second.y);
        EXPECT_EQ(op.GetToolTip(), CString("选择杆件->请选择另一点，右键或者ESC键取消"));
        // Each move erases the frame drawn last and draws the new one.
        ASSERT_EQ(op.solid.size(), 4u);
        EXPECT_EQ(op.solid.back(), c.solid);
        EXPECT_TRUE(Click(op, c.second.x, c.second.y));
        EXPECT_EQ(op.GetCurStep(), 0);
        EXPECT_EQ(op.GetCursor(), nullptr);
        EXPECT_EQ(Items(d.SelectBeamList()), c.selected);
        for (void* b : c.selected)
            EXPECT_EQ(static_cast<CBeam*>(b)->GetSelect(), 1);
        EXPECT_EQ(Protocol(), (Strings{"SEL", "View.PropBeam"}));
    }
}

TEST_F(SelectWorld, NodesAreAlwaysTakenByWindowUnderASolidFrame)
{
    CPNode* a = Node(120, 120);
    Node(300, 300);
    CFrameProbe<COPSelectNode> op;
    Attach(op);
    Click(op, 200, 200);
    Move(op, 100, 100);
    EXPECT_TRUE(Click(op, 100, 100));
    EXPECT_EQ(op.solid.back(), true);
    EXPECT_EQ(Items(d.SelectNodeList()), (Objects{a}));
    EXPECT_EQ(Protocol(), (Strings{"SEL", "View.PropNode"}));
}

TEST_F(SelectWorld, ClickThatChangesNothingOpensARectangle)
{
    CBeam* b = Member(100, 100, 200, 100);
    COPSelectBeam op;
    Attach(op);
    struct Case
    {
        UINT keys;
        bool selectedBefore;
        bool used;     // the click changed the selection
        bool inListAfter;
    } cases[] = {
        {0, false, true, true},          // pick
        {0, true, false, true},          // already selected: a rectangle opens
        {MK_SHIFT, false, false, false}, // exclude what is not selected: a rectangle opens
        {MK_SHIFT, true, true, false},   // exclude
    };
    for (const Case& c : cases) {
        d.SelectBeamList().RemoveAll();
        b->SetSelect(c.selectedBefore ? 1 : 0);
        if (c.selectedBefore)
            d.SelectBeamList().AddTail(b);
        op.SetCurStep(0, &d);
        host.ClearMessages();
        EXPECT_EQ(Click(op, 150, 101, c.keys), c.used) << c.keys << c.selectedBefore;
        EXPECT_EQ(op.GetCurStep(), c.used ? 0 : 1);
        EXPECT_EQ(d.SelectBeamList().Find(b) != nullptr, c.inListAfter);
        EXPECT_EQ(b->GetSelect(), c.inListAfter ? 1 : 0);
        EXPECT_EQ(Protocol(), c.used ? (Strings{"SEL", "View.PropBeam"}) : Strings{});
    }
}

TEST_F(SelectWorld, ShiftRectangleOverUnselectedObjectsOnlyClosesTheRectangle)
{
    CBeam* a = Member(110, 110, 150, 110);
    CBeam* kept = Member(400, 400, 450, 400);
    kept->SetSelect(1);
    d.SelectBeamList().AddTail(kept);
    COPSelectBeam op;
    Attach(op);
    EXPECT_FALSE(Click(op, 100, 100, MK_SHIFT));
    Move(op, 200, 200, MK_SHIFT);
    const int before = Invalidations();
    host.ClearMessages();
    EXPECT_FALSE(Click(op, 200, 200, MK_SHIFT));
    EXPECT_EQ(op.GetCurStep(), 0);
    EXPECT_EQ(Protocol(), (Strings{"SEL"}));
    EXPECT_EQ(Invalidations(), before + 1);
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{kept}));
    EXPECT_EQ(a->GetSelect(), 0);

    // A Shift rectangle over the selected one takes it out.
    Click(op, 380, 380, MK_SHIFT);
    EXPECT_TRUE(Click(op, 470, 420, MK_SHIFT));
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_EQ(kept->GetSelect(), 0);
}

TEST_F(SelectWorld, RightButtonAndEscCancelAnOpenRectangleWithoutTouchingTheSelection)
{
    CBeam* b = Member(110, 110, 150, 110);
    for (int ending = 0; ending < 2; ++ending) {
        COPSelectBeam op;
        Attach(op);
        Click(op, 100, 100);
        Move(op, 200, 200);
        host.ClearMessages();
        const int before = Invalidations();
        if (ending == 0) {
            EXPECT_TRUE(op.MouseAction(OPMOUSE_RCLICK, 0, CPoint(200, 200), 0));
        } else {
            EXPECT_TRUE(op.KeyDown(VK_ESCAPE, 1, 0));
        }
        EXPECT_EQ(op.GetCurStep(), 0);
        EXPECT_EQ(op.GetSelectRect(), CRect(100, 100, 100, 100));
        EXPECT_TRUE(Protocol().empty());
        EXPECT_EQ(Invalidations(), before + 1);
        EXPECT_TRUE(d.SelectBeamList().IsEmpty());
        EXPECT_EQ(b->GetSelect(), 0);
        // The next click opens a new rectangle.
        EXPECT_FALSE(Click(op, 300, 300));
        EXPECT_EQ(op.GetSelectRect().TopLeft(), CPoint(300, 300));
    }
}

TEST_F(SelectWorld, GenericSelectorDrawsRectanglesAndSelectsNothing)
{
    Member(110, 110, 150, 110);
    COPSelect op;
    Attach(op);
    for (int round = 0; round < 2; ++round) {
        EXPECT_FALSE(Click(op, 100, 100));
        EXPECT_EQ(op.GetCurStep(), 1);
        EXPECT_FALSE(Click(op, 200, 200));
        EXPECT_EQ(op.GetCurStep(), 0); // closed: the next click starts again
    }
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_TRUE(Protocol().empty());
    EXPECT_EQ(op.GetToolTip(), CString());
}

// ---------------------------------------------------------------------------------------
// Tool tips

TEST_F(SelectWorld, ToolTipsFollowKeysRectangleAndCommand)
{
    Member(100, 100, 200, 100);
    for (bool command : {false, true}) {
        COPSelectBeam op;
        Attach(op);
        CString head = "选择杆件";
        if (command) {
            op.SetOPDesc("布置截面");
            op.SetFun(nullptr, [](COP*) {});
            head = "布置截面->选择杆件，右键确认，ESC退出操作";
        }
        Move(op, 10, 10);
        EXPECT_EQ(op.GetToolTip(), head + kIdle);
        EXPECT_TRUE(op.KeyDown(VK_SHIFT, 1, 0));
        EXPECT_EQ(op.GetToolTip(), head + "->已按Shift键，请点选或窗口，从当前选择集中排除");
        Move(op, 20, 20, MK_SHIFT);
        EXPECT_EQ(op.GetToolTip(), head + "->已按Shift键，请点选或窗口，从当前选择集中排除");
        EXPECT_FALSE(op.KeyUp(VK_SHIFT, 1, 0));
        EXPECT_TRUE(op.KeyDown(VK_CONTROL, 1, 0));
        EXPECT_EQ(op.GetToolTip(), head + "->已按Ctrl键，请点选开启选择循环");
        op.SetToolTip("");
        Move(op, 30, 30, MK_CONTROL); // the closing rule while Ctrl is held
        EXPECT_EQ(op.GetToolTip(), head + "->已按Ctrl键，请点选开启选择循环");
        EXPECT_FALSE(op.KeyUp(VK_CONTROL, 1, 0));
        Click(op, 50, 50);
        EXPECT_FALSE(op.KeyDown(VK_CONTROL, 1, 0)); // a rectangle is open
        EXPECT_FALSE(op.IsCtrlDown());
        Move(op, 60, 60);
        EXPECT_EQ(op.GetToolTip(), head + "->请选择另一点，右键或者ESC键取消");
        EXPECT_FALSE(op.KeyUp('A', 1, 0));
        EXPECT_FALSE(op.KeyDown('A', 1, 0));
    }
    EXPECT_GT(host.Count(WM_UI_TOOLTIPCHANGED), 0);
}

// ---------------------------------------------------------------------------------------
// Cycling

struct CycleWorld : SelectWorld
{
    CBeam* b[3] = {};
    CBeam* other = nullptr;
    COPSelectBeam op;

    void SetUp() override
    {
        SelectWorld::SetUp();
        // Three members through (150, 150).
        b[0] = Member(100, 150, 200, 150);
        b[1] = Member(150, 100, 150, 200);
        b[2] = Member(100, 100, 200, 200);
        other = Member(400, 400, 500, 400);
        Attach(op);
    }
    int Marked() const { return b[0]->GetSelect() * 1 + b[1]->GetSelect() * 2 + b[2]->GetSelect() * 4; }
};

TEST_F(CycleWorld, CtrlClicksStepThroughOverlappingMembersAndWrap)
{
    EXPECT_TRUE(op.KeyDown(VK_CONTROL, 1, 0));
    EXPECT_TRUE(Click(op, 150, 150, MK_CONTROL));
    EXPECT_TRUE(op.IsCycling());
    EXPECT_EQ(op.GetCurStep(), 0);
    EXPECT_EQ(op.GetToolTip(), CString("选择杆件->开启循环选择，右键确认，ESC键取消"));
    EXPECT_EQ(Protocol(), (Strings{"SEL", "View.PropBeam"}));

    const int expected[] = {1, 2, 4, 1, 2};
    for (size_t i = 0; i < 5; ++i) {
        if (i > 0) {
            EXPECT_TRUE(Click(op, 700, 10)); // wherever it falls
        }
        EXPECT_EQ(Marked(), expected[i]) << i;
        const int k = expected[i] == 1 ? 0 : expected[i] == 2 ? 1 : 2;
        EXPECT_EQ(Items(d.SelectBeamList()), (Objects{b[k]})) << i;
        EXPECT_EQ(op.GetCycleCur(), b[k]);
    }
    // A double click while cycling is not one; moves change no tool tip.
    EXPECT_FALSE(op.MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, CPoint(150, 150), 0));
    EXPECT_TRUE(dlg.opened.empty());
    op.SetToolTip("x");
    Move(op, 10, 10);
    EXPECT_EQ(op.GetToolTip(), CString("x"));
}

TEST_F(CycleWorld, RightButtonKeepsTheCurrentMemberAndEscRemovesIt)
{
    for (int ending = 0; ending < 2; ++ending) {
        d.SelectBeamList().SetSelect(0);
        d.SelectBeamList().RemoveAll();
        Click(op, 150, 150, MK_CONTROL);
        Click(op, 150, 150);
        ASSERT_EQ(op.GetCycleCur(), b[1]);
        host.ClearMessages();
        if (ending == 0) {
            EXPECT_TRUE(op.MouseAction(OPMOUSE_RCLICK, 0, CPoint(1, 1), 0));
        } else {
            EXPECT_TRUE(op.KeyDown(VK_ESCAPE, 1, 0));
        }
        EXPECT_FALSE(op.IsCycling());
        EXPECT_EQ(op.GetHitCount(), 0);
        EXPECT_EQ(Protocol(), (Strings{"SEL"})); // no panel
        if (ending == 0) {
            EXPECT_EQ(Items(d.SelectBeamList()), (Objects{b[1]}));
            EXPECT_EQ(Marked(), 2);
        } else {
            EXPECT_TRUE(d.SelectBeamList().IsEmpty());
            EXPECT_EQ(Marked(), 0);
        }
    }
}

TEST_F(CycleWorld, CtrlClickOnSelectedMembersOnlyStartsNoCycle)
{
    for (CBeam* x : b) {
        x->SetSelect(1);
        d.SelectBeamList().AddTail(x);
    }
    EXPECT_FALSE(Click(op, 150, 150, MK_CONTROL));
    EXPECT_FALSE(op.IsCycling());
    EXPECT_EQ(op.GetCurStep(), 1); // a rectangle opened at the click
    EXPECT_EQ(op.GetSelectRect().TopLeft(), CPoint(150, 150));
    EXPECT_TRUE(Protocol().empty());

    // Only the unselected ones take part.
    op.KeyDown(VK_ESCAPE, 1, 0);
    d.SelectBeamList().RemoveHead();
    b[0]->SetSelect(0);
    EXPECT_TRUE(Click(op, 150, 150, MK_CONTROL));
    EXPECT_EQ(op.GetHitCount(), 1);
    EXPECT_EQ(op.GetCycleCur(), b[0]);
}

TEST_F(CycleWorld, AdvancingTakesOutTheCurrentMemberOnlyWhateverElseWasListed)
{
    Click(op, 150, 150, MK_CONTROL);
    ASSERT_EQ(op.GetCycleCur(), b[0]);
    // The host's panel listed another member behind the current one meanwhile.
    other->SetSelect(1);
    d.SelectBeamList().AddTail(other);
    Click(op, 150, 150);
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{other, b[1]}));
    EXPECT_EQ(Marked(), 2);

    // An emptied list is left alone.
    d.SelectBeamList().RemoveAll();
    Click(op, 150, 150);
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{b[2]}));
    EXPECT_EQ(Marked(), 4);
    EXPECT_EQ(other->GetSelect(), 1);
}

TEST_F(SelectWorld, SingleCandidateCycleNeverLeavesAnUnmarkedMemberSelected)
{
    CBeam* only = Member(100, 100, 200, 100);
    COPSelectBeam op;
    Attach(op);
    EXPECT_TRUE(Click(op, 150, 100, MK_CONTROL));
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{only}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Click(op, 150, 100));
        const bool on = i % 2 == 1;
        EXPECT_EQ(only->GetSelect(), on ? 1 : 0) << i;
        EXPECT_EQ(d.SelectBeamList().Find(only) != nullptr, on) << i;
    }
    // Confirmed while unmarked: nothing selected, and nothing claims to be.
    Click(op, 150, 100);
    EXPECT_TRUE(op.MouseAction(OPMOUSE_RCLICK, 0, CPoint(0, 0), 0));
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_EQ(only->GetSelect(), 0);
}

TEST_F(CycleWorld, CopyMadeWhileCyclingStartsIdle)
{
    Click(op, 150, 150, MK_CONTROL);
    ASSERT_TRUE(op.IsCycling());
    COPSelectBeam copy(op);
    COPSelectBeam assigned;
    assigned = op;
    std::unique_ptr<CObj> clone(op.Clone());
    for (COPSelectBeam* c : {&copy, &assigned, static_cast<COPSelectBeam*>(clone.get())}) {
        EXPECT_FALSE(c->IsCycling());
        EXPECT_EQ(c->GetHitCount(), 0);
        EXPECT_TRUE(*c == op);
    }
    // The copy's click on empty space opens a rectangle; its ESC clears as an idle one does.
    Attach(copy);
    EXPECT_FALSE(Click(copy, 700, 10));
    EXPECT_EQ(copy.GetCurStep(), 1);
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{b[0]}));
    EXPECT_TRUE(copy.KeyDown(VK_ESCAPE, 1, 0)); // cancels the rectangle
    EXPECT_TRUE(copy.KeyDown(VK_ESCAPE, 1, 0)); // clears the member selection
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_EQ(Marked(), 0);
    // The original still cycles through its own candidates.
    EXPECT_TRUE(Click(op, 150, 150));
    EXPECT_EQ(op.GetCycleCur(), b[1]);
}

TEST_F(CycleWorld, ManagerKeepsACopyThatDoesNotCycle)
{
    m.SetOP(op);
    COPSelectBeam* held = dynamic_cast<COPSelectBeam*>(m.GetCurOP());
    ASSERT_NE(held, nullptr);
    m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON | MK_CONTROL, CPoint(150, 150), 0);
    ASSERT_TRUE(held->IsCycling());

    // A temporary operator parks the very object and gives it back, still cycling.
    m.SetOP(CString("OP.ViewPan"));
    EXPECT_EQ(m.GetTempOP(), held);
    m.KeyDown(VK_ESCAPE, 1, 0);
    ASSERT_EQ(m.GetCurOP(), held);
    EXPECT_TRUE(held->IsCycling());

    // A command replaces it: the manager remembers a copy as the last operator, and that
    // copy, which holds no candidates, does not cycle.
    m.SetOP(CString("OP.SelectAxisSeq"));
    COPSelectBeam* last = dynamic_cast<COPSelectBeam*>(m.GetLastOP());
    ASSERT_NE(last, nullptr);
    EXPECT_NE(last, held);
    EXPECT_FALSE(last->IsCycling());
    EXPECT_EQ(last->GetHitCount(), 0);

    // Resumed, a copy of it acts as an idle selection: a click on empty space opens a
    // rectangle, the right button cancels it, ESC clears the member selection.
    m.ResumeLastOP();
    COPSelectBeam* back = dynamic_cast<COPSelectBeam*>(m.GetCurOP());
    ASSERT_NE(back, nullptr);
    EXPECT_NE(back, held);
    EXPECT_FALSE(back->IsCycling());
    EXPECT_FALSE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(700, 10), 0));
    EXPECT_EQ(back->GetCurStep(), 1);
    EXPECT_TRUE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(700, 10), 0));
    EXPECT_EQ(back->GetCurStep(), 0);
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{b[0]}));
    EXPECT_TRUE(m.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_EQ(Marked(), 0);
}

// ---------------------------------------------------------------------------------------
// ESC and the right button

TEST_F(SelectWorld, EscWithNothingOfTheKindSelectedClearsEveryKind)
{
    CBeamInWall* coupling = Member<CBeamInWall>(100, 100, 200, 100);
    CPNode* n = Node(300, 300);
    CWall* w = Area<CWall>(400, 400, 450, 450);
    CPlane* p = Area<CPlane>(500, 400, 550, 450);
    Axises().AddAxis("A", CPoint2D(0, 50), CPoint2D(700, 50));
    Axises().AddAxis("1", CPoint2D(50, 0), CPoint2D(50, 500));
    coupling->SetSelect(1);
    d.SelectBeamList().AddTail(coupling);
    n->SetSelect(1);
    d.SelectNodeList().AddTail(n);
    w->SetSelect(true);
    d.SelectWallList().AddTail(w);
    p->m_nSelect = 1;
    d.SelectPlaneList().AddTail(p);
    Axises().SetIsSelect(true);
    Axises().SetIsSelectAxisPt(true);
    Axises().SetIsSelectAxisSeq(true);

    COPSelectBeam op; // finds no member of its own: only a coupling beam is listed
    Attach(op);
    const int before = Invalidations();
    EXPECT_TRUE(op.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_EQ(Protocol(), (Strings{"View.PropBeam", "View.PropBCInWall", "View.PropNode", "View.PropPlane",
                                   "View.PropWall", "View.Axis", "SEL"}));
    EXPECT_EQ(Invalidations(), before + 1);
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_TRUE(d.SelectNodeList().IsEmpty());
    EXPECT_TRUE(d.SelectWallList().IsEmpty());
    EXPECT_TRUE(d.SelectPlaneList().IsEmpty());
    EXPECT_EQ(coupling->GetSelect() + n->GetSelect() + w->GetSelect() + p->m_nSelect, 0);
    std::vector<CAxis*> axes;
    std::vector<CAxisSeq*> seqs;
    std::vector<CAxisPt*> pts;
    Axises().GetSelectedAxises(axes);
    Axises().GetSelectedAxisSeq(seqs);
    Axises().GetSelectedAxisPt(pts);
    EXPECT_TRUE(axes.empty() && seqs.empty() && pts.empty());
}

TEST_F(SelectWorld, EscClearsOnlyTheKindsOwnObjects)
{
    CBeam* beam = Member(100, 100, 200, 100);
    CBeamInWall* coupling = Member<CBeamInWall>(100, 200, 200, 200);
    struct Case
    {
        std::function<COPSelect*()> make;
        Objects left;
        const char* panel;
    } cases[] = {
        {[] { return new COPSelectBeam; }, {coupling}, "View.PropBeam"},
        {[] { return new COPSelectBCInWall; }, {beam}, "View.PropBCInWall"},
        {[] { return new COPSelectBeamAndWall; }, {}, "View.PropWall"},
    };
    for (const Case& c : cases) {
        d.SelectBeamList().RemoveAll();
        for (CBeamBase* x : {(CBeamBase*)beam, (CBeamBase*)coupling}) {
            x->SetSelect(1);
            d.SelectBeamList().AddTail(x);
        }
        std::unique_ptr<COPSelect> op(c.make());
        Attach(*op);
        host.ClearMessages();
        EXPECT_TRUE(op->KeyDown(VK_ESCAPE, 1, 0));
        EXPECT_EQ(Items(d.SelectBeamList()), c.left) << c.panel;
        EXPECT_EQ(Protocol()[0], "SEL");
        EXPECT_EQ(Protocol()[1], c.panel);
        for (void* x : c.left)
            EXPECT_EQ(static_cast<CBeamBase*>(x)->GetSelect(), 1);
    }
}

struct CommandRecord
{
    static inline int calls = 0;
    static inline std::vector<int> ownMembers;
    static inline CGlobalData* data = nullptr;
    static void Finish(COP*)
    {
        ++calls;
        int own = 0;
        CBeamList& l = data->SelectBeamList();
        for (POSITION pos = l.GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = l.GetNextT(pos);
            own += b->toBeam() || b->toSubBeam();
        }
        ownMembers.push_back(own);
    }
};

TEST_F(SelectWorld, MemberCommandCallsItsCallbackOnlyWithAMemberSelected)
{
    CommandRecord::calls = 0;
    CommandRecord::ownMembers.clear();
    CommandRecord::data = &d;
    CBeam* beam = Member(100, 100, 200, 100);
    CBeamInWall* coupling = Member<CBeamInWall>(100, 200, 200, 200);
    m.SetOP(CString("OP.SelectBeam")); // the view's default
    COPSelectBeam cmd;
    cmd.SetOPDesc("布置截面");
    cmd.SetFun(nullptr, &CommandRecord::Finish);
    EXPECT_EQ(cmd.GetOPType(), OPTYPE_COMMAND);
    m.SetOP(cmd);

    // Only a coupling beam selected: the message, and the command goes on.
    coupling->SetSelect(1);
    d.SelectBeamList().AddTail(coupling);
    vyr::ScriptedUser::AnswerMessageBox(IDOK, "请选择杆件！");
    EXPECT_FALSE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(5, 5), 0));
    EXPECT_EQ(CommandRecord::calls, 0);
    EXPECT_EQ(m.GetOPDesc(), CString("布置截面"));

    EXPECT_TRUE(m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(150, 100), 0));
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{coupling, beam}));
    EXPECT_TRUE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(5, 5), 0));
    EXPECT_EQ(CommandRecord::ownMembers, (std::vector<int>{1}));

    // Double clicks in a command open no dialog.
    m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(150, 100), 0);
    m.MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, CPoint(150, 100), 0);
    EXPECT_TRUE(dlg.opened.empty());
}

TEST_F(SelectWorld, EscOfACommandWithNothingSelectedEndsIt)
{
    m.SetOP(CString("OP.SelectNode"));
    COPSelectBeam cmd;
    cmd.SetOPDesc("布置截面");
    cmd.SetFun(nullptr, [](COP*) {});
    m.SetOP(cmd);
    vyr::ScriptedUser::AnswerMessageBox(IDOK);
    EXPECT_TRUE(m.KeyDown(VK_ESCAPE, 1, 0));
    ASSERT_EQ(vyr::ScriptedUser::MessageBoxes().size(), 1u);
    EXPECT_EQ(vyr::ScriptedUser::MessageBoxes()[0].text, CString("布置截面结束！"));
    EXPECT_EQ(vyr::ScriptedUser::MessageBoxes()[0].flags & 0xF, (UINT)MB_OK);
    EXPECT_EQ(m.GetOPType(), CString("OP.SelectNode")); // back to the default

    // With a cancel callback it is the callback's to end.
    static int cancels = 0;
    COPSelectBeam cmd2;
    cmd2.SetFun([](COP*) { ++cancels; }, nullptr);
    m.SetOP(cmd2);
    EXPECT_TRUE(m.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_EQ(cancels, 1);
}

TEST_F(SelectWorld, RightButtonOfADefaultOperatorDoesNothing)
{
    CBeam* b = Member(100, 100, 200, 100);
    COPSelectBeam op;
    Attach(op);
    Click(op, 150, 100);
    host.ClearMessages();
    EXPECT_FALSE(op.MouseAction(OPMOUSE_RCLICK, 0, CPoint(150, 100), 0));
    EXPECT_TRUE(Protocol().empty());
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{b}));
}

// ---------------------------------------------------------------------------------------
// Double click

TEST_F(SelectWorld, DoubleClickOpensThePropertiesOfTheObjectUnderTheFirstClick)
{
    CBeam* beam = Member(100, 100, 200, 100);
    CPNode* node = Node(300, 300);
    CWall* wall = Area<CWall>(400, 100, 500, 200);
    CPlane* plane = Area<CPlane>(600, 100, 700, 200);
    CBeamInWall* coupling = Member<CBeamInWall>(100, 400, 200, 400);
    struct Case
    {
        std::function<COPSelect*()> make;
        CPoint at;
        void* object;
        int kind;
        const char* panel;
    } cases[] = {
        {[] { return new COPSelectBeam; }, CPoint(150, 100), beam, 1, "View.PropBeam"},
        {[] { return new COPSelectNode; }, CPoint(301, 301), node, 0, "View.PropNode"},
        {[] { return new COPSelectWall; }, CPoint(450, 150), wall, 2, "View.PropWall"},
        {[] { return new COPSelectPlane; }, CPoint(650, 150), plane, 3, "View.PropPlane"},
        {[] { return new COPSelectBCInWall; }, CPoint(150, 400), coupling, 4, "View.PropBCInWall"},
    };
    for (const Case& c : cases) {
        dlg.opened.clear();
        std::unique_ptr<COPSelect> op(c.make());
        Attach(*op);
        Click(*op, c.at.x, c.at.y); // picks it
        host.ClearMessages();
        EXPECT_TRUE(op->MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, c.at, 0));
        ASSERT_EQ(dlg.opened.size(), 1u) << c.panel;
        EXPECT_EQ(dlg.opened[0].object, c.object);
        EXPECT_EQ(dlg.opened[0].kind, c.kind);
        EXPECT_EQ(dlg.m_pGlobalData, &d);
        EXPECT_EQ(Protocol(), (Strings{c.panel}));
        EXPECT_EQ(op->GetCurStep(), 0);
    }
}

TEST_F(SelectWorld, DoubleClickOnEmptySpaceClosesTheRectangleOfItsFirstClick)
{
    Member(100, 100, 200, 100);
    COPSelectBeam op;
    Attach(op);
    EXPECT_FALSE(Click(op, 600, 500));
    EXPECT_EQ(op.GetCurStep(), 1);
    EXPECT_TRUE(op.MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, CPoint(600, 500), 0));
    EXPECT_EQ(op.GetCurStep(), 0);
    EXPECT_EQ(op.GetSelectRect(), CRect(600, 500, 600, 500));
    EXPECT_TRUE(dlg.opened.empty());
}

} // namespace

namespace {

// A composite whose one step is a member selection, as a command made of steps builds it.
class CStepsOP : public COP
{
public:
    CStepsOP() { AddOP(COPSelectBeam()); }
    COPSelectBeam* Select() const { return static_cast<COPSelectBeam*>(GetSubOP(0)); }
};

TEST_F(SelectWorld, RightButtonOfAStepAdvancesItsParentOnlyWithAMemberSelected)
{
    CBeam* b = Member(100, 100, 200, 100);
    CStepsOP steps;
    steps.SetParam(&host.View(), &d, &m);
    ASSERT_EQ(steps.Select()->GetParentOP(), &steps);
    ASSERT_EQ(steps.GetCurStep(), 0);

    vyr::ScriptedUser::AnswerMessageBox(IDOK, "请选择杆件！");
    EXPECT_FALSE(steps.MouseAction(OPMOUSE_RCLICK, 0, CPoint(0, 0), 0));
    EXPECT_EQ(steps.GetCurStep(), 0);

    EXPECT_TRUE(steps.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(150, 100), 0));
    EXPECT_TRUE(steps.MouseAction(OPMOUSE_RCLICK, 0, CPoint(0, 0), 0));
    EXPECT_EQ(steps.GetCurStep(), 1);
    EXPECT_EQ(Items(d.SelectBeamList()), (Objects{b}));
}

TEST_F(SelectWorld, OperatorDestroyedWithARectangleOpenRepaintsItsFrame)
{
    for (bool open : {false, true}) {
        const int before = Invalidations();
        {
            COPSelectWall op;
            Attach(op);
            if (open) {
                Click(op, 600, 500);
                Move(op, 650, 550);
            }
        }
        EXPECT_EQ(Invalidations(), before + (open ? 1 : 0));
    }
}

} // namespace
