// The property dialog of one object: opened by a double click in the view through the
// host, edits reaching the model, its place and open groups kept across openings, and a
// grid for each object kind (none for a kind that is no kind).
#include <algorithm>
#include <cmath>
#include <vector>

#include "PropDlgWorld.h"
#include <vyr/host/DlgProp.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/operators/OPManager.h>
#include <vyr/resources/dialogs/PropRes.h>

using vyr::ScriptedUser;

namespace propdlgtest {
namespace {

struct DlgPropTest : HostWorld
{
    CDlgProp dlg{&host};

    void SetUp() override
    {
        HostWorld::SetUp();
        host.m_pPropDlg = &dlg;
    }
    static CBCGPPropList& List(CDialog* d) { return static_cast<CDlgProp*>(d)->m_PropsUI.GetPropList(); }

    // The middle of the first member that shows as a line of some length.
    CPoint MemberPoint()
    {
        const CViewXform& xf = d.GetViewXform();
        CBeamList& beams = *d.Struct()->m_pBeamList;
        for (int i = 1; i <= (int)beams.GetCount(); ++i) {
            CBeamBase* b = beams.Get(i);
            const CPoint2D p1 = xf.ToScreen(b->GetNode1()->GetPt()), p2 = xf.ToScreen(b->GetNode2()->GetPt());
            if (std::hypot(p2.x - p1.x, p2.y - p1.y) >= 40)
                return CPoint((int)std::lround((p1.x + p2.x) / 2), (int)std::lround((p1.y + p2.y) / 2));
        }
        ADD_FAILURE() << "no member shows as a line";
        return CPoint(0, 0);
    }
    void DoubleClick(CPoint at)
    {
        COPManager& m = host.OPManager();
        m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, at, 0);
        m.MouseAction(OPMOUSE_LUP, 0, at, 0);
        m.MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, at, 0);
    }
};

TEST_F(DlgPropTest, ADoubleClickOnAMemberOpensItsGridAndTheEditReachesTheModel)
{
    host.OPManager().SetOP(CString("OP.SelectBeam"));
    const CPoint at = MemberPoint();
    std::vector<int> limitsBefore;
    for (POSITION pos = d.Struct()->m_pBeamList->GetHeadPosition(); pos;)
        limitsBefore.push_back(d.Struct()->m_pBeamList->GetNextT(pos)->GetDLLimit());

    CRect grid, client;
    int shownNo = -1;
    ScriptedUser::Run(
        [&](CDialog* dd) {
            dd->GetClientRect(&client);
            CWnd* g = dd->GetDlgItem(IDC_DLGPROP_GRID);
            ASSERT_NE(g, nullptr);
            g->GetWindowRect(&grid);
            dd->ScreenToClient(&grid);
            CBCGPProp* no = FindRow(List(dd), "编号");
            ASSERT_NE(no, nullptr);
            shownNo = atoi(no->FormatProperty());
        },
        IDD_DLGPROP);
    ScriptedUser::PropExpand(IDC_DLGPROP_GRID, "设计参数", true, IDD_DLGPROP);
    ScriptedUser::PropSetValue(IDC_DLGPROP_GRID, "恒载挠度限值", "437", IDD_DLGPROP);
    ScriptedUser::PressOK(IDD_DLGPROP);
    host.ClearMessages();
    DoubleClick(at);

    ASSERT_EQ(host.Count(WM_UI_GETPROPDLG), 1);
    ASSERT_EQ(dlg.m_nKind, 1);
    auto* opened = static_cast<CBeamBase*>(dlg.m_pObject);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(shownNo, opened->GetNo());
    // The grid at (8, 8), 16 narrower and 48 lower than the client area.
    EXPECT_EQ(grid, CRect(8, 8, client.Width() - 8, client.Height() - 40));
    // Only the opened member took the value.
    int i = 0;
    for (POSITION pos = d.Struct()->m_pBeamList->GetHeadPosition(); pos; ++i) {
        CBeamBase* b = d.Struct()->m_pBeamList->GetNextT(pos);
        EXPECT_EQ(b->GetDLLimit(), b == opened ? 437 : limitsBefore[i]) << "member " << b->GetNo();
    }
    // The panel of members is asked for after the dialog.
    const auto& msgs = host.Messages();
    auto asked = std::find_if(msgs.begin(), msgs.end(),
                              [](const vyrhost::HostMessage& m) { return m.message == WM_UI_GETPROPDLG; });
    auto panel = std::find_if(asked, msgs.end(),
                              [](const vyrhost::HostMessage& m) { return m.message == WM_UI_SHOWPANEL; });
    ASSERT_NE(panel, msgs.end());
    EXPECT_EQ(panel->text, "View.PropBeam");
}

TEST_F(DlgPropTest, ReopenedItSitsWhereItWasClosedWithItsGroupsAsLeft)
{
    host.OPManager().SetOP(CString("OP.SelectBeam"));
    const CPoint at = MemberPoint();
    CRect first;
    ScriptedUser::Run([&](CDialog* dd) { dd->GetWindowRect(&first); }, IDD_DLGPROP);
    ScriptedUser::PropExpand(IDC_DLGPROP_GRID, "设计参数", true, IDD_DLGPROP);
    ScriptedUser::Run([&](CDialog* dd) { dd->MoveWindow(123, 45, first.Width(), first.Height()); }, IDD_DLGPROP);
    ScriptedUser::PressCancel(IDD_DLGPROP);
    CRect second;
    bool designOpen = false, baseOpen = true;
    ScriptedUser::Run(
        [&](CDialog* dd) {
            dd->GetWindowRect(&second);
            CBCGPProp* design = FindRow(List(dd), "设计参数");
            CBCGPProp* base = FindRow(List(dd), "基本信息");
            ASSERT_TRUE(design && base);
            designOpen = design->IsExpanded();
            baseOpen = base->IsExpanded();
        },
        IDD_DLGPROP);
    ScriptedUser::PressOK(IDD_DLGPROP);
    DoubleClick(at);
    DoubleClick(at);

    // First opened at the host's right edge, level with the view's top.
    CRect hostRc, viewRc;
    host.GetWindowRect(&hostRc);
    host.View().GetWindowRect(&viewRc);
    EXPECT_EQ(first.left, hostRc.right - first.Width() - 10);
    EXPECT_EQ(first.top, viewRc.top);
    EXPECT_EQ(second.TopLeft(), CPoint(123, 45));
    EXPECT_TRUE(designOpen);
    EXPECT_FALSE(baseOpen);
}

// Each kind opens a grid of that kind's rows showing the object; a kind outside 0 to 4
// opens an empty grid and touches no list.
TEST_F(DlgPropTest, EachKindShowsItsObjectAndAnyOtherKindAnEmptyGrid)
{
    CStruct* st = d.Struct();
    ASSERT_GT(st->m_pWallList->GetCount(), 0);
    ASSERT_GT(st->m_pPlaneList->GetCount(), 0);
    ASSERT_GT(st->m_pBCInWallList1->GetCount(), 0);
    struct Case
    {
        int kind;
        void* object;
        int no; // what "编号" shows; -1: an empty grid
    };
    CPNode* node = st->m_pNodeList->Get(2);
    CBeamBase* beam = st->m_pBeamList->Get(3);
    CWall* wall = st->m_pWallList->Get(1);
    CPlane* room = st->m_pPlaneList->Get(1);
    CBeamBase* coupling = st->m_pBCInWallList1->Get(1);
    const Case cases[] = {
        {0, node, node->GetNo()},       {1, beam, beam->GetNo()}, {2, wall, wall->GetNo()},
        {3, room, room->GetNo()},       {4, coupling, coupling->GetNo()},
        {5, beam, -1},                  {-1, node, -1},           {100, room, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        int rows = -1, shown = -1;
        ScriptedUser::Run(
            [&](CDialog* dd) {
                rows = List(dd).GetPropertyCount();
                if (CBCGPProp* no = FindRow(List(dd), "编号"))
                    shown = atoi(no->FormatProperty());
            },
            IDD_DLGPROP);
        ScriptedUser::PressOK(IDD_DLGPROP);
        dlg.SetParam(&d, c.object, c.kind);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        if (c.no < 0) {
            EXPECT_EQ(rows, 0);
        } else {
            EXPECT_GT(rows, 0);
            EXPECT_EQ(shown, c.no);
        }
    }
}

TEST_F(DlgPropTest, TheUnitLengthIsTheModelRoots)
{
    d.UnitLength() = 10.0f;
    dlg.SetParam(&d, nullptr, 1);
    EXPECT_EQ(dlg.GetUnitLength(), 10.0f);
}

} // namespace
} // namespace propdlgtest
