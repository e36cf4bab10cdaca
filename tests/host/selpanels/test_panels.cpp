// The five selection-property panels as a user meets them: the drop-down list over the
// selection, the choice written into the host's slot, the grid refilled for the choice,
// the buttons' messages to the host and the layout for the panel's size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/protocol/HostMessages.h>
#include <vyr/host/ViewPropPanels.h>
#include <vyr/model/struct/structure.h>
#include <vyr/scripteduser.h>
#include "SelPanelWorld.h"
#include "host/PanelTestKit.h"
#include "support/TestHost.h"

namespace {

CString ComboText(CComboBox& combo, int i)
{
    CString s;
    combo.GetLBText(i, s);
    return s;
}

CString RowText(CPropsUI& ui, const char* caption)
{
    CBCGPProp* row = vyrhosttest::FindRow(ui.GetPropList(), caption);
    return row ? row->FormatProperty() : CString("(no row)");
}

class PanelTest : public SelPanelWorld
{
protected:
    void SetUp() override
    {
        vyr::ScriptedUser::Reset();
        m_host.View().SetFocus();
    }
};

// ---- the drop-down list and the slot

// A selection of (member, coupling beam, member, member).
class MixedSelectionTest : public PanelTest
{
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        CStruct& s = *m_host.GlobalData().Struct();
        CPNode* a = Node(1, 0, 0, 0);
        CPNode* b = Node(2, 600, 0, 0);
        CPNode* c = Node(3, 600, 0, 360);
        m_members[0] = new CBeam(11, a, b, 2);
        m_coupling = new CBeamInWall(12, a, c);
        m_members[1] = new CBeam(13, b, c, 1);
        m_members[2] = new CSubBeam(14, a, c);
        s.m_pBeamList->AddTail(m_members[0]);
        s.m_pBCInWallList1->AddTail(m_coupling);
        s.m_pBeamList->AddTail(m_members[1]);
        s.m_pBeamList->AddTail(m_members[2]);
        CBeamList& sel = m_host.GlobalData().SelectBeamList();
        sel.AddTail(m_members[0]);
        sel.AddTail(m_coupling);
        sel.AddTail(m_members[1]);
        sel.AddTail(m_members[2]);
    }
    CBeamBase* m_members[3];
    CBeamBase* m_coupling;
    CBeamBase* m_slot = reinterpret_cast<CBeamBase*>(1);
};

TEST_F(MixedSelectionTest, TheMemberPanelOffersTheMembersAndWritesTheChoiceIntoTheSlot)
{
    auto* panel = Make<CViewPropBeam>(&m_slot);
    EXPECT_EQ(m_slot, nullptr);
    ASSERT_EQ(panel->m_wndCombo.GetCount(), 4);
    EXPECT_EQ(ComboText(panel->m_wndCombo, 0), CString("选中杆件 (3 个)-下拉可选择单个查看"));
    EXPECT_EQ(panel->m_wndCombo.GetCurSel(), 0);
    EXPECT_EQ(panel->m_BeamList.GetCount(), 3);

    ASSERT_TRUE(vyr::WindowUser::SelectRow(panel, kCombo, 2));
    EXPECT_EQ(m_slot, m_members[1]);
    ASSERT_EQ(panel->m_BeamList.GetCount(), 1);
    EXPECT_EQ(panel->m_BeamList.Get(1), m_members[1]);
    EXPECT_EQ(panel->m_PropsUI.GetProps()->GetObjects(), &panel->m_BeamList);
    EXPECT_EQ(panel->m_PropsUI.GetProps()->GetKind(), 1);
    EXPECT_EQ(m_host.Count(WM_UI_PROPCHANGED), 1);
    EXPECT_EQ(CWnd::GetFocus(), &m_host.View());

    // Entry 0 again: all of them, and the slot holds null.
    m_host.ClearMessages();
    ASSERT_TRUE(vyr::WindowUser::SelectRow(panel, kCombo, 0));
    EXPECT_EQ(m_slot, nullptr);
    ASSERT_EQ(panel->m_BeamList.GetCount(), 3);
    EXPECT_EQ(panel->m_BeamList.Get(1), m_members[0]);
    EXPECT_EQ(panel->m_BeamList.Get(2), m_members[1]);
    EXPECT_EQ(panel->m_BeamList.Get(3), m_members[2]);
    EXPECT_EQ(m_host.Count(WM_UI_PROPCHANGED), 1);
}

TEST_F(MixedSelectionTest, TheCouplingBeamPanelOffersOnlyTheCouplingBeam)
{
    auto* panel = Make<CViewPropBCInWall>(&m_slot);
    ASSERT_EQ(panel->m_wndCombo.GetCount(), 2);
    EXPECT_EQ(ComboText(panel->m_wndCombo, 0), CString("选中墙肢连梁 (1 个)-下拉可选择单个查看"));
    ASSERT_TRUE(vyr::WindowUser::SelectRow(panel, kCombo, 1));
    EXPECT_EQ(m_slot, m_coupling);
    EXPECT_EQ(panel->m_PropsUI.GetProps()->GetKind(), 4);
}

TEST_F(MixedSelectionTest, ADialogKeepsTheChoiceAndRefillsTheGridForTheSameMember)
{
    static std::vector<void*> seen;
    seen.clear();
    auto* panel = Make<CViewPropBeam>(&m_slot);
    panel->m_PropsUI.GetCallbacks()["Prop.BeamSec"] = [](void* objects, CGlobalData*) {
        seen.push_back(objects);
        return 1;
    };
    ASSERT_TRUE(vyr::WindowUser::SelectRow(panel, kCombo, 2));
    ASSERT_TRUE(vyr::UserPropExpand(panel->m_PropsUI.GetPropListHWND(), "基本信息", true));
    m_members[1]->m_nNo = 99; // what the dialog changes, the refilled grid shows
    m_host.ClearMessages();
    m_host.View().SetFocus();
    ASSERT_TRUE(vyr::UserPropDblClickName(panel->m_PropsUI.GetPropListHWND(), "截面"));
    vyr::PumpMessages();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], &panel->m_BeamList);
    EXPECT_EQ(panel->m_wndCombo.GetCurSel(), 2);
    EXPECT_EQ(m_slot, m_members[1]);
    ASSERT_EQ(panel->m_BeamList.GetCount(), 1);
    EXPECT_EQ(panel->m_BeamList.Get(1), m_members[1]);
    EXPECT_EQ(RowText(panel->m_PropsUI, "编号"), CString("99"));
    EXPECT_EQ(m_host.Count(WM_UI_PROPCHANGED), 1);
    EXPECT_EQ(CWnd::GetFocus(), &m_host.View());
}

TEST_F(PanelTest, EntriesShowLengthsTimesTheUnitWithThreeDecimalsPaddedByGbkWidth)
{
    CGlobalData& data = m_host.GlobalData();
    data.UnitLength() = 10.0f;
    CPNode* a = Node(7, 1.5, -2.0, 300.25);
    CPNode* b = Node(8, 1.5, -2.0, 660.25);
    data.SelectNodeList().AddTail(a);
    auto* column = new CBeam(7, a, b, 1);
    data.Struct()->m_pBeamList->AddTail(column);
    data.SelectBeamList().AddTail(column);

    CPNode* node = nullptr;
    auto* nodes = Make<CViewPropNode>(&node);
    ASSERT_EQ(nodes->m_wndCombo.GetCount(), 2);
    EXPECT_EQ(ComboText(nodes->m_wndCombo, 0), CString("选中结点 (1 个)-下拉可选择单个查看"));
    // Texts longer than their fields are not cut.
    EXPECT_EQ(ComboText(nodes->m_wndCombo, 1), CString("结点编号: 7, 坐标: 15.000,-20.000,3002.500"));

    CBeamBase* beam = nullptr;
    auto* beams = Make<CViewPropBeam>(&beam);
    ASSERT_EQ(beams->m_wndCombo.GetCount(), 2);
    // "柱编号: " fills its 8 columns; "7," is padded to 4 and "长度:" (5 GBK columns) to 6.
    EXPECT_EQ(ComboText(beams->m_wndCombo, 1), CString("柱编号:   7, 长度:3600.000"));
}

TEST_F(PanelTest, WallAndRoomEntriesShowTheirNumbers)
{
    CGlobalData& data = m_host.GlobalData();
    auto* wall = new CWall;
    wall->m_nNo = 5;
    data.Struct()->m_pWallList->AddTail(wall);
    data.SelectWallList().AddTail(wall);
    auto* room = new CPlane;
    room->m_nNo = 12;
    data.Struct()->m_pPlaneList->AddTail(room);
    data.SelectPlaneList().AddTail(room);
    CWall* currentWall = nullptr;
    CPlane* currentRoom = nullptr;
    auto* walls = Make<CViewPropWall>(&currentWall);
    auto* rooms = Make<CViewPropPlane>(&currentRoom);
    EXPECT_EQ(ComboText(walls->m_wndCombo, 0), CString("选中墙体 (1 个)-下拉可选择单个查看"));
    EXPECT_EQ(ComboText(walls->m_wndCombo, 1), CString("墙体编号:   5"));
    EXPECT_EQ(ComboText(rooms->m_wndCombo, 0), CString("选中房间 (1 个)-下拉可选择单个查看"));
    EXPECT_EQ(ComboText(rooms->m_wndCombo, 1), CString("房间编号:  12"));
    ASSERT_TRUE(vyr::WindowUser::SelectRow(rooms, kCombo, 1));
    EXPECT_EQ(currentRoom, room);
    EXPECT_EQ(rooms->pCurrentPlane(), room);
    ASSERT_TRUE(vyr::WindowUser::SelectRow(walls, kCombo, 1));
    EXPECT_EQ(walls->pCurrentWall(), wall);
}

TEST_F(PanelTest, AnEmptySelectionGivesEntryZeroWithNoObjects)
{
    CPNode* node = reinterpret_cast<CPNode*>(1);
    auto* panel = Make<CViewPropNode>(&node);
    ASSERT_EQ(panel->m_wndCombo.GetCount(), 1);
    EXPECT_EQ(ComboText(panel->m_wndCombo, 0), CString("选中结点 (0 个)-下拉可选择单个查看"));
    EXPECT_EQ(node, nullptr);
    EXPECT_EQ(panel->m_pNodeList->GetCount(), 0);
    EXPECT_EQ(panel->m_PropsUI.GetProps()->GetObjects(), panel->m_pNodeList);
}

TEST_F(PanelTest, APanelWithoutItsListOnlyStoresTheSlot)
{
    CViewPropBeam panel;
    CBeamBase* slot = reinterpret_cast<CBeamBase*>(1);
    panel.SetParam(&m_host.GlobalData());
    panel.SetParam(&slot);
    EXPECT_EQ(panel.m_ppCurrentBeam, &slot);
    EXPECT_EQ(slot, reinterpret_cast<CBeamBase*>(1));
    panel.Update();
    EXPECT_EQ(slot, reinterpret_cast<CBeamBase*>(1));
}

TEST_F(PanelTest, HostRefreshChoosesEntryZeroAgain)
{
    CGlobalData& data = m_host.GlobalData();
    CPNode* a = Node(1, 0, 0, 0);
    CPNode* b = Node(2, 100, 0, 0);
    data.SelectNodeList().AddTail(a);
    data.SelectNodeList().AddTail(b);
    CPNode* node = nullptr;
    auto* panel = Make<CViewPropNode>(&node);
    ASSERT_TRUE(vyr::WindowUser::SelectRow(panel, kCombo, 2));
    EXPECT_EQ(node, b);
    data.SelectNodeList().RemoveAll();
    data.SelectNodeList().AddTail(a);
    panel->Update();
    EXPECT_EQ(panel->m_wndCombo.GetCount(), 2);
    EXPECT_EQ(panel->m_wndCombo.GetCurSel(), 0);
    EXPECT_EQ(node, nullptr);
    EXPECT_EQ(panel->m_pNodeList->GetCount(), 1);
}

// ---- type names, kinds and buttons

struct ButtonCase
{
    const char* className;
    const char* type;
    int kind;
    int locate, screen, query;
};

const ButtonCase kButtons[] = {
    {"CViewPropNode", "View.PropNode", 0, 2003, 2004, 2005},
    {"CViewPropBeam", "View.PropBeam", 1, 2000, 2001, 2002},
    {"CViewPropWall", "View.PropWall", 2, 2006, 2007, 2008},
    {"CViewPropPlane", "View.PropPlane", 3, 2009, 2010, 2011},
    {"CViewPropBCInWall", "View.PropBCInWall", 4, 2048, 2049, 2050},
};

TEST_F(PanelTest, EachPanelsButtonsAskTheHostForItsKind)
{
    CGlobalData& data = m_host.GlobalData();
    CFrameViews views;
    views.SetFrameWnd(&m_host.SideFrame());
    for (const ButtonCase& c : kButtons) {
        SCOPED_TRACE(c.type);
        CRuntimeClass* cls = CRuntimeClass::FromName(c.className);
        ASSERT_NE(cls, nullptr);
        ASSERT_NE(views.Add(cls), nullptr);
    }
    views.Create(nullptr);
    views.SetParam(&data);
    for (const ButtonCase& c : kButtons) {
        SCOPED_TRACE(c.type);
        auto* panel = dynamic_cast<CViewProp*>(views.GetDlg(c.type));
        ASSERT_NE(panel, nullptr);
        m_panels.push_back(panel);
        EXPECT_EQ(panel->GetType(), CString(c.type));
        EXPECT_EQ(panel->GetObjType(), c.kind);
        views.SwitchToView(c.type);
        CWnd* locate = panel->GetDlgItem(c.locate);
        CWnd* screen = panel->GetDlgItem(c.screen);
        CWnd* query = panel->GetDlgItem(c.query);
        ASSERT_TRUE(locate && screen && query);
        CString text;
        locate->GetWindowText(text);
        EXPECT_EQ(text, CString("<< 定位"));
        screen->GetWindowText(text);
        EXPECT_EQ(text, CString("屏幕选择"));
        query->GetWindowText(text);
        EXPECT_EQ(text, CString("查询..."));
        EXPECT_EQ(panel->GetDlgItem(1127) != nullptr, c.kind == 2 || c.kind == 3);

        m_host.ClearMessages();
        ASSERT_TRUE(vyr::WindowUser::Click(panel, c.screen));
        ASSERT_EQ(m_host.Count(WM_UI_SCREENSELECT), 1);
        EXPECT_EQ(m_host.Messages(WM_UI_SCREENSELECT)[0].wParam, 0u);
        EXPECT_EQ(m_host.Messages(WM_UI_SCREENSELECT)[0].lParam, (LPARAM)c.kind);

        m_host.ClearMessages();
        ASSERT_TRUE(vyr::WindowUser::Click(panel, c.locate));
        EXPECT_EQ(m_host.Count(WM_UI_GETACTIVEVIEW), 1);
        EXPECT_EQ(m_host.Count(WM_UI_VIEWCHANGED), 1);

        // No query dialog from the host: nothing beyond the question.
        m_host.ClearMessages();
        ASSERT_TRUE(vyr::WindowUser::Click(panel, c.query));
        ASSERT_EQ(m_host.Messages().size(), 1u);
        EXPECT_EQ(m_host.Messages()[0].message, (UINT)WM_UI_GETQUERYDLG);
    }
    m_panels.clear(); // they go with the side frame
}

// ---- layout

struct LayoutCase
{
    int scroll;
    bool sketch;
    CRect combo, locate, screen, query, grid, frame;
};

// A 240 x 600 client; the combo's client is its 20-pixel field: C = 20 - S, w = 218 / 3 = 72.
const LayoutCase kLayouts[] = {
    {0, false, {10, 10, 230, 610}, {10, 38, 82, 60}, {83, 38, 155, 60}, {156, 38, 228, 60}, {10, 68, 230, 590}, {}},
    {30, false, {10, -20, 230, 580}, {10, 8, 82, 30}, {83, 8, 155, 30}, {156, 8, 228, 30}, {10, 38, 230, 590}, {}},
    {0, true, {10, 10, 230, 610}, {10, 38, 82, 60}, {83, 38, 155, 60}, {156, 38, 228, 60}, {10, 68, 230, 454},
     {10, 462, 230, 590}},
    {30, true, {10, -20, 230, 580}, {10, 8, 82, 30}, {83, 8, 155, 30}, {156, 8, 228, 30}, {10, 38, 230, 454},
     {10, 462, 230, 590}},
};

CRect ChildRect(CWnd* parent, HWND child)
{
    CRect r;
    ::GetWindowRect(child, &r);
    parent->ScreenToClient(&r);
    return r;
}

TEST_F(PanelTest, LayoutFollowsTheClientSizeAndTheScrollPosition)
{
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(testing::Message() << "scroll " << c.scroll << (c.sketch ? " wall" : " member"));
        CWall* wall = nullptr;
        CBeamBase* beam = nullptr;
        CViewProp* panel = c.sketch ? (CViewProp*)Make<CViewPropWall>(&wall) : (CViewProp*)Make<CViewPropBeam>(&beam);
        CComboBox& combo = c.sketch ? static_cast<CViewPropWall*>(panel)->m_wndCombo
                                    : static_cast<CViewPropBeam*>(panel)->m_wndCombo;
        panel->ScrollToPosition(CPoint(0, c.scroll));
        panel->Resize();
        const int locate = c.sketch ? 2006 : 2000;
        EXPECT_EQ(ChildRect(panel, combo.GetSafeHwnd()), c.combo);
        EXPECT_EQ(ChildRect(panel, panel->GetDlgItem(locate)->GetSafeHwnd()), c.locate);
        EXPECT_EQ(ChildRect(panel, panel->GetDlgItem(locate + 1)->GetSafeHwnd()), c.screen);
        EXPECT_EQ(ChildRect(panel, panel->GetDlgItem(locate + 2)->GetSafeHwnd()), c.query);
        EXPECT_EQ(ChildRect(panel, panel->m_PropsUI.GetPropListHWND()), c.grid);
        if (c.sketch) {
            EXPECT_EQ(ChildRect(panel, panel->GetDlgItem(1127)->GetSafeHwnd()), c.frame);
        }
    }
}

// ---- the host kit

TEST_F(MixedSelectionTest, TheKitRegistersThePanelsAndShowsTheOneASelectionNames)
{
    CFrameViews& views = m_host.CreatePanels();
    for (const ButtonCase& c : kButtons)
        EXPECT_NE(dynamic_cast<CViewProp*>(views.GetDlg(c.type)), nullptr) << c.type;
    auto* beams = dynamic_cast<CViewPropBeam*>(views.GetDlg("View.PropBeam"));
    ASSERT_NE(beams, nullptr);
    EXPECT_EQ(beams->m_ppCurrentBeam, &m_host.m_pCurrentBeam);
    m_host.SendMessage(WM_UI_SHOWPANEL, 0, (LPARAM) "View.PropBeam");
    EXPECT_EQ(views.GetCurrentType(), CString("View.PropBeam"));
    EXPECT_EQ(beams->m_wndCombo.GetCount(), 4);
    ASSERT_TRUE(vyr::WindowUser::SelectRow(beams, kCombo, 1));
    EXPECT_EQ(m_host.m_pCurrentBeam, m_members[0]);
    // A new selection: the shown panel refills and lets go of its choice.
    m_host.GlobalData().SelectBeamList().RemoveHead();
    m_host.SendMessage(WM_UI_SHOWPANEL, 0, 0);
    EXPECT_EQ(beams->m_wndCombo.GetCount(), 3);
    EXPECT_EQ(m_host.m_pCurrentBeam, nullptr);
}

} // namespace
