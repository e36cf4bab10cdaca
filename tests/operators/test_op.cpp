#include <gtest/gtest.h>

#include "OPTestKit.h"
#include <vyr/protocol/HostMessages.h>
#include <vyr/operators/OPRegistry.h>
#include <vyr/operators/OPView.h>
#include "support/TestHost.h"

using namespace optest;

namespace {
void Cancel1(COP*) {}
void Finish1(COP*) {}
void Finish2(COP*) {}
} // namespace

TEST(OperatorBase, CallbacksTurnOnlyADefaultOperatorIntoACommand)
{
    struct Case
    {
        int type;
        OPFUN cancel;
        OPFUN finish;
        int expected;
    } cases[] = {
        {OPTYPE_DEFAULT, nullptr, nullptr, OPTYPE_DEFAULT},   {OPTYPE_DEFAULT, &Cancel1, nullptr, OPTYPE_COMMAND},
        {OPTYPE_DEFAULT, nullptr, &Finish1, OPTYPE_COMMAND},  {OPTYPE_COMMAND, nullptr, nullptr, OPTYPE_COMMAND},
        {OPTYPE_TEMPORARY, &Cancel1, &Finish1, OPTYPE_TEMPORARY}, {OPTYPE_ONESHOT, nullptr, &Finish1, OPTYPE_ONESHOT},
    };
    for (const Case& c : cases) {
        COP op;
        op.SetOPType(c.type);
        op.SetFun(c.cancel, c.finish);
        EXPECT_EQ(op.GetOPType(), c.expected) << "type " << c.type;
        EXPECT_EQ(op.GetCancelFun(), c.cancel);
        EXPECT_EQ(op.GetFinishFun(), c.finish);
    }
}

TEST(OperatorBase, CloneEqualsItsSourceWithoutPromptOrParent)
{
    vyrtest::CTestHost host;
    {
        CCompositeOP src;
        src.SetOPDesc("布置");
        src.SetFun(&Cancel1, &Finish1);
        src.SetParam((DWORD)42);
        src.SetToolTip("请选择");
        src.MarchOPStep();
        std::unique_ptr<COP> clone(static_cast<COP*>(src.Clone()));
        EXPECT_TRUE(clone->Comp(src));
        EXPECT_TRUE(src.Comp(*clone));
        EXPECT_EQ(clone->GetToolTip(), CString());
        EXPECT_EQ(clone->GetParentOP(), nullptr);
        EXPECT_EQ(clone->GetParam(), 42u);
        EXPECT_EQ(clone->GetCurStep(), 1);
        ASSERT_EQ(clone->GetSubOPCount(), 2);
        for (int i = 0; i < 2; ++i) {
            EXPECT_NE(clone->GetSubOP(i), src.GetSubOP(i));          // deep copy
            EXPECT_EQ(clone->GetSubOP(i)->GetParentOP(), clone.get()); // owned by the clone
            EXPECT_EQ(src.GetSubOP(i)->GetParentOP(), &src);
        }
    }
    EXPECT_EQ(g_live, 0);
}

TEST(OperatorBase, EqualityIgnoresParameterAndPromptOnly)
{
    vyrtest::CTestHost host;
    struct Case
    {
        const char* what;
        void (*change)(COP&);
        bool equal;
    } cases[] = {
        {"user parameter", [](COP& o) { o.SetParam((DWORD)7); }, true},
        {"tool tip", [](COP& o) { o.SetToolTip("x"); }, true},
        {"id", [](COP& o) { o.SetID(9); }, true},
        {"description", [](COP& o) { o.SetOPDesc("x"); }, false},
        {"step", [](COP& o) { o.SetCurStep(2, nullptr); }, false},
        {"type", [](COP& o) { o.SetOPType(OPTYPE_ONESHOT); }, false},
        {"finish callback", [](COP& o) { o.SetFun(nullptr, &Finish2); }, false},
        {"cancel callback", [](COP& o) { o.SetFun(&Cancel1, nullptr); }, false},
    };
    for (const Case& c : cases) {
        COP a, b;
        c.change(b);
        EXPECT_EQ(a == b, c.equal) << c.what;
        EXPECT_EQ(a != b, !c.equal) << c.what;
        EXPECT_EQ(a.Comp(b), c.equal) << c.what;
    }
    // Different classes never compare equal, even with equal operator parts.
    COP plain;
    COPViewPan pan;
    pan.SetOPType(OPTYPE_COMMAND);
    EXPECT_FALSE(plain.Comp(pan));
}

TEST(OperatorBase, DescriptionFallsBackToTheClassDescription)
{
    struct Case
    {
        CObj* (*create)();
        const char* type;
        const char* desc;
        int opType;
    } cases[] = {
        {&COP::COPCreate, "OP", "一般操作", OPTYPE_COMMAND},
        {&COPViewPan::COPViewPanCreate, "OP.ViewPan", "视图平移", OPTYPE_TEMPORARY},
        {&COPViewZoom::COPViewZoomCreate, "OP.ViewZoom", "视图缩放", OPTYPE_TEMPORARY},
        {&COPViewFree::COPViewFreeCreate, "OP.ViewFree", "视图自由变换", OPTYPE_TEMPORARY},
        {&COPViewWindow::COPViewWindowCreate, "OP.ViewWindow", "视图窗口放大", OPTYPE_TEMPORARY},
    };
    for (const Case& c : cases) {
        std::unique_ptr<COP> op(static_cast<COP*>(c.create()));
        EXPECT_EQ(op->GetType(), CString(c.type));
        EXPECT_EQ(op->GetOPDesc(), CString(c.desc)) << c.type;
        EXPECT_EQ(op->GetOPType(), c.opType) << c.type;
        EXPECT_EQ(op->GetCurStep(), 0) << c.type;
        op->SetOPDesc("轴线布置");
        EXPECT_EQ(op->GetOPDesc(), CString("轴线布置"));
        op->SetOPDesc("");
        EXPECT_EQ(op->GetOPDesc(), CString(c.desc));
    }
}

TEST(OperatorBase, StepsRunThroughTheSubOperatorsAndBackToIdle)
{
    CCompositeOP op;
    std::vector<int> steps{op.GetCurStep()};
    for (int i = 0; i < 3; ++i) {
        op.MarchOPStep();
        steps.push_back(op.GetCurStep());
    }
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 0}));

    // Events go to the sub-operator at step + 1.
    EXPECT_TRUE(op.MouseAction(OPMOUSE_LDOWN, 0, CPoint(1, 1), 0));
    op.MarchOPStep();
    EXPECT_TRUE(op.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_EQ(op.Sub(0)->m_events, std::vector<int>{OPMOUSE_LDOWN});
    EXPECT_EQ(op.Sub(1)->m_events, std::vector<int>{1000 + VK_ESCAPE});
    EXPECT_EQ(op.GetCursor(), (HCURSOR)MAKEINTRESOURCE(77));

    CGlobalData root;
    op.SetCurStep(0, &root);
    EXPECT_EQ(op.GetCurStep(), 0);
    EXPECT_EQ(op.GetGlobalData(), &root);
    op.SetCurStep(2, &root);
    EXPECT_EQ(op.GetCurStep(), 2);
    // Past the last sub-operator nothing receives events.
    EXPECT_FALSE(op.MouseAction(OPMOUSE_LDOWN, 0, CPoint(1, 1), 0));
    EXPECT_EQ(op.GetCursor(), nullptr);
}

TEST(OperatorBase, PlainOperatorIgnoresEvents)
{
    COP op;
    for (int code : {0, 1, 2, 3, 6, 7, 8, 9})
        EXPECT_FALSE(op.MouseAction(code, MK_LBUTTON, CPoint(5, 5), 120)) << code;
    EXPECT_FALSE(op.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_FALSE(op.KeyUp(VK_ESCAPE, 1, 0));
    EXPECT_EQ(op.GetCursor(), nullptr);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    op.OnDraw(&dc);
    EXPECT_TRUE(dc.Records().empty());
}

TEST(OperatorBase, PointsPassThroughTheSubOperatorsInOrder)
{
    CCompositeOP op; // parts hold 1 and 2 points
    const std::vector<CPoint3D> pts{CPoint3D(1, 0, 0), CPoint3D(2, 0, 0), CPoint3D(3, 0, 0)};
    op.SetPts(1, pts); // the second part takes from the start
    std::vector<CPoint3D> got;
    op.GetPts(1, got);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].x, 1.0);
    EXPECT_EQ(got[1].x, 2.0);

    // Out of range: nothing happens.
    op.SetPts(2, pts);
    op.SetPts(-1, pts);
    got.clear();
    op.GetPts(5, got);
    EXPECT_TRUE(got.empty());
    op.SetFun(7, &Cancel1, &Finish1);
    EXPECT_EQ(op.Sub(0)->GetFinishFun(), nullptr);
    op.SetFun(0, &Cancel1, &Finish1);
    EXPECT_EQ(op.Sub(0)->GetFinishFun(), &Finish1);
    EXPECT_EQ(op.GetFinishFun(), nullptr);
}

TEST(OperatorBase, SetParamReachesEverySubOperator)
{
    vyrtest::CTestHost host;
    CCompositeOP op;
    op.SetParam(&host.View(), &host.GlobalData(), &host.OPManager());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(op.Sub(i)->GetView(), &host.View());
        EXPECT_EQ(op.Sub(i)->GetGlobalData(), &host.GlobalData());
        EXPECT_EQ(op.Sub(i)->GetOPManager(), &host.OPManager());
    }
}

TEST(OperatorBase, PromptIsAnnouncedToTheHostBeforeSetToolTipReturns)
{
    vyrtest::CTestHost host;
    COP op;
    op.SetToolTip("请选择第一点");
    ASSERT_EQ(host.Count(WM_UI_TOOLTIPCHANGED), 1);
    const vyrtest::HostMessage m = host.Messages(WM_UI_TOOLTIPCHANGED)[0];
    EXPECT_EQ(m.wParam, 0u);
    EXPECT_EQ(m.lParam, 0);
    EXPECT_EQ(op.GetToolTip(), CString("请选择第一点"));
}

TEST(OperatorRegistration, NineteenClassesInTheirFixedOrder)
{
    struct Row
    {
        const char* type;
        const char* desc;
        int opType;
    } expected[] = {
        {"OP", "一般操作", 1},
        {"OP.Pt", "选点操作", 3},
        {"OP.Pt2", "两点操作", 1},
        {"OP.Pt2StructSketch", "两点操作", 1},
        {"OP.Pt3", "三点操作", 1},
        {"OP.Select", "选择", 0},
        {"OP.SelectBeam", "选择杆件", 0},
        {"OP.SelectNode", "选择结点", 0},
        {"OP.SelectPlane", "选择房间", 0},
        {"OP.SelectWall", "选择墙体", 0},
        {"OP.SelectBeamAndWall", "选择杆件和墙体", 0},
        {"OP.SelectAxis", "选择轴线", 0},
        {"OP.SelectAxisSeq", "选择轴线段", 1},
        {"OP.SelectNodeAndAxisPt", "选择结点和轴线点", 1},
        {"OP.SelectBCInWall", "选择墙肢连梁", 0},
        {"OP.ViewPan", "视图平移", 2},
        {"OP.ViewZoom", "视图缩放", 2},
        {"OP.ViewFree", "视图自由变换", 2},
        {"OP.ViewWindow", "视图窗口放大", 2},
    };
    int n = 0;
    const COPClassEntry* table = GetOPClassTable(&n);
    ASSERT_EQ(n, 19);
    // The base and the view operators are part of the library from the start.
    for (int i : {0, 15, 16, 17, 18})
        EXPECT_NE(table[i].create, nullptr) << table[i].type;
    for (int i = 0; i < n; ++i) {
        const Row& row = expected[i];
        EXPECT_STREQ(table[i].type, row.type) << "row " << i + 1;
        if (!table[i].create)
            continue; // a class not yet in the library
        // Registered at load under its type string, default-constructed as the table says.
        std::unique_ptr<CObj> obj(CObjCreator::Inst().Create(row.type));
        ASSERT_NE(obj, nullptr) << row.type;
        const COP* op = dynamic_cast<const COP*>(obj.get());
        ASSERT_NE(op, nullptr) << row.type;
        EXPECT_EQ(op->GetType(), CString(row.type));
        EXPECT_EQ(op->GetDesc(), CString(row.desc)) << row.type;
        EXPECT_EQ(op->GetOPType(), row.opType) << row.type;
        EXPECT_EQ(op->GetCurStep(), 0) << row.type;
    }
}
