// The panel container in the host kit's side area: registry order, switching, refilling,
// command routing, with panels that log what is done to them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/PanelTestKit.h"
#include "hostkit/HostKit.h"
#include <vyr/host/MenuViewBase.h>
#include <vyr/resources.h>

namespace paneltest {

constexpr UINT kPanelTemplate = 30591;
constexpr UINT kCmdRefresh = 40591;

std::vector<std::string> g_log;

void AddPanelTemplate()
{
    ASSERT_TRUE(vyrhosttest::AddResourceOnce(R"(
30591 DIALOGEX 0, 0, 120, 200
STYLE DS_CONTROL | WS_CHILD
FONT 9, "宋体"
BEGIN
    EDITTEXT 1001, 4, 4, 100, 14, ES_AUTOHSCROLL
END
)",
                                             "panels-test.rc"));
}

// A panel that logs its virtual operations as "operation:type".
class CLogPanel : public CMenuViewBase
{
    DECLARE_DYNAMIC(CLogPanel)
public:
    CLogPanel() : CMenuViewBase(kPanelTemplate) {}
    void Resize() override { g_log.push_back("Resize:" + std::string(GetType().GetString())); }
    void Update() override { g_log.push_back("Update:" + std::string(GetType().GetString())); }
    void DoShow() override { g_log.push_back("DoShow:" + std::string(GetType().GetString())); }
    void DoHide() override { g_log.push_back("DoHide:" + std::string(GetType().GetString())); }
    void OnRefresh() { g_log.push_back("Command:" + std::string(GetType().GetString())); }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLogPanel, CMenuViewBase)
    ON_COMMAND(kCmdRefresh, &CLogPanel::OnRefresh)
END_MESSAGE_MAP()

#define LOG_PANEL(cls, name)                                \
    class cls : public CLogPanel                            \
    {                                                       \
        DECLARE_DYNCREATE(cls)                              \
    public:                                                 \
        CString GetType() const override { return name; }   \
    };                                                      \
    IMPLEMENT_DYNCREATE(cls, CLogPanel)

LOG_PANEL(CPanelFloor, "View.Floor")
LOG_PANEL(CPanelFrequent, "View.Frequent")
LOG_PANEL(CPanelProject, "View.Project")
LOG_PANEL(CPanelSection, "View.Section")
LOG_PANEL(CPanelNode, "View.PropNode")
LOG_PANEL(CPanelBeam, "View.PropBeam")
LOG_PANEL(CPanelWall, "View.PropWall")
LOG_PANEL(CPanelPlane, "View.PropPlane")
LOG_PANEL(CPanelBCInWall, "View.PropBCInWall")
LOG_PANEL(CPanelFloorAgain, "View.Floor")

IMPLEMENT_DYNAMIC(CLogPanel, CMenuViewBase)

} // namespace paneltest

namespace {

using namespace paneltest;

// The side frame logs its layouts, so the order of layout and Resize shows.
class CLogFrame : public CFrameWnd
{
public:
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        g_log.push_back("RecalcLayout");
        CFrameWnd::RecalcLayout(bNotify);
    }

protected:
    void PostNcDestroy() override {}
};

class FrameViewsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddPanelTemplate();
        g_log.clear();
        ASSERT_TRUE(m_frame.Create(nullptr, "panels", WS_CHILD | WS_VISIBLE, CRect(800, 0, 1000, 600), &m_host.SideFrame()));
        m_views.SetFrameWnd(&m_frame);
    }
    void TearDown() override
    {
        if (m_frame.m_hWnd)
            m_frame.DestroyWindow();
    }
    // Registers the nine library names, out of order, and creates their windows.
    void AddNine()
    {
        for (CRuntimeClass* c : {RUNTIME_CLASS(CPanelSection), RUNTIME_CLASS(CPanelBeam), RUNTIME_CLASS(CPanelFloor),
                                 RUNTIME_CLASS(CPanelWall), RUNTIME_CLASS(CPanelProject), RUNTIME_CLASS(CPanelNode),
                                 RUNTIME_CLASS(CPanelFrequent), RUNTIME_CLASS(CPanelBCInWall),
                                 RUNTIME_CLASS(CPanelPlane)})
            ASSERT_NE(m_views.Add(c), nullptr);
        m_views.Create(nullptr);
        m_views.SetParam(&m_host.GlobalData());
    }
    CMenuViewBase* Panel(const char* name) { return m_views.GetDlg(CString(name)); }

    vyrhost::CHostKit m_host;
    CLogFrame m_frame;
    CFrameViews m_views;
};

TEST_F(FrameViewsTest, PanelsGetTheirIdsInTheByteOrderOfTheirNames)
{
    AddNine();
    const char* order[] = {"View.Floor",    "View.Frequent", "View.Project",   "View.PropBCInWall", "View.PropBeam",
                           "View.PropNode", "View.PropPlane", "View.PropWall", "View.Section"};
    for (int i = 0; i < 9; ++i) {
        CMenuViewBase* p = Panel(order[i]);
        ASSERT_NE(p, nullptr) << order[i];
        EXPECT_EQ(p->GetDlgCtrlID(), i + 1) << order[i];
        EXPECT_FALSE(p->IsWindowVisible()) << order[i];
        EXPECT_EQ(p->GetParent(), &m_frame);
        EXPECT_EQ(p->GetStyle() & (WS_CHILD | WS_VISIBLE), (DWORD)WS_CHILD);
        EXPECT_EQ(p->m_pGlobalData, &m_host.GlobalData());
    }
    EXPECT_TRUE(g_log.empty());
}

TEST_F(FrameViewsTest, SwitchingShowsTheNewPanelHidesTheOldAndResizesAfterTheLayout)
{
    AddNine();
    m_views.SwitchToView("View.Floor");
    g_log.clear();
    m_views.SwitchToView("View.PropBeam");
    const std::vector<std::string> want = {"DoShow:View.PropBeam", "DoHide:View.Floor", "RecalcLayout",
                                           "Resize:View.PropBeam"};
    EXPECT_EQ(g_log, want);
    CMenuViewBase* beam = Panel("View.PropBeam");
    CMenuViewBase* floor = Panel("View.Floor");
    EXPECT_EQ(beam->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_TRUE(beam->IsWindowVisible());
    EXPECT_EQ(floor->GetDlgCtrlID(), 0);
    EXPECT_FALSE(floor->IsWindowVisible());
    EXPECT_EQ(m_frame.GetActiveView(), beam);
    EXPECT_EQ(m_views.GetCurrentType(), CString("View.PropBeam"));
    // The shown panel fills the frame.
    CRect client, panel;
    m_frame.GetClientRect(&client);
    beam->GetClientRect(&panel);
    EXPECT_EQ(panel.Size(), client.Size());
}

TEST_F(FrameViewsTest, SwitchingToTheCurrentNameDoesNothing)
{
    AddNine();
    m_views.SwitchToView("View.Section");
    g_log.clear();
    m_views.SwitchToView("View.Section");
    EXPECT_TRUE(g_log.empty());
}

TEST_F(FrameViewsTest, FromADrawingViewNothingIsHidden)
{
    AddNine();
    vyrhost::CHostView drawing;
    ASSERT_TRUE(drawing.Create(nullptr, "drawing", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &m_frame, 77));
    m_frame.SetActiveView(&drawing, FALSE);
    m_views.SwitchToView("View.Project");
    const std::vector<std::string> want = {"DoShow:View.Project", "RecalcLayout", "Resize:View.Project"};
    EXPECT_EQ(g_log, want);
    EXPECT_TRUE(drawing.IsWindowVisible());
    drawing.DestroyWindow();
}

// An empty name keeps the shown panel shown (the text's steps would show it and then hide
// it again as the old panel).
TEST_F(FrameViewsTest, AnEmptyNameKeepsTheShownPanel)
{
    AddNine();
    m_views.SwitchToView("View.PropNode");
    g_log.clear();
    m_views.SwitchToView("");
    EXPECT_TRUE(g_log.empty());
    CMenuViewBase* node = Panel("View.PropNode");
    EXPECT_TRUE(node->IsWindowVisible());
    EXPECT_EQ(node->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(m_views.GetCurrentType(), CString("View.PropNode"));
}

TEST_F(FrameViewsTest, UnknownNamesAreIgnored)
{
    AddNine();
    m_views.SwitchToView("View.Axis");
    m_views.Update("View.Axis");
    EXPECT_TRUE(g_log.empty());
    EXPECT_EQ(m_views.GetDlg("View.Axis"), nullptr);
    EXPECT_EQ(m_views.GetCurrentType(), CString());
}

TEST_F(FrameViewsTest, UpdateOfOneOrEveryPanelAndTheCurrentPanelByAnEmptyName)
{
    AddNine();
    EXPECT_EQ(m_views.GetDlg(""), nullptr) << "no panel before the first switch";
    m_views.Update("View.PropWall");
    EXPECT_EQ(g_log, std::vector<std::string>{"Update:View.PropWall"});
    g_log.clear();
    m_views.Update("");
    ASSERT_EQ(g_log.size(), 9u);
    EXPECT_EQ(g_log.front(), "Update:View.Floor");
    EXPECT_EQ(g_log.back(), "Update:View.Section");
    m_views.SwitchToView("View.PropPlane");
    EXPECT_EQ(m_views.GetDlg(""), Panel("View.PropPlane"));
}

// A name added again takes the newer panel; the older one is destroyed, with its window
// when it has one (the sanitizer build shows a leak otherwise).
TEST_F(FrameViewsTest, ANameAddedAgainTakesTheNewerPanelAndFreesTheOlder)
{
    CMenuViewBase* first = m_views.Add(RUNTIME_CLASS(CPanelFloor));
    CMenuViewBase* second = m_views.Add(RUNTIME_CLASS(CPanelFloorAgain));
    EXPECT_NE(first, second);
    EXPECT_EQ(m_views.GetDlg("View.Floor"), second);
    m_views.Create(nullptr);
    HWND secondWindow = second->GetSafeHwnd();
    ASSERT_NE(secondWindow, nullptr);
    EXPECT_EQ(second->GetDlgCtrlID(), 1);

    CMenuViewBase* third = m_views.Add(RUNTIME_CLASS(CPanelFloor));
    EXPECT_EQ(m_views.GetDlg("View.Floor"), third);
    EXPECT_FALSE(::IsWindow(secondWindow)) << "the older panel's window goes with it";
}

TEST_F(FrameViewsTest, CommandsGoToTheShownPanelOnly)
{
    AddNine();
    EXPECT_EQ(m_views.OnCmdMsg(kCmdRefresh, 0, nullptr, nullptr), 0) << "no panel is shown yet";
    m_views.SwitchToView("View.Floor");
    m_views.SwitchToView("View.PropBeam");
    g_log.clear();
    EXPECT_NE(m_views.OnCmdMsg(kCmdRefresh, 0, nullptr, nullptr), 0);
    EXPECT_EQ(g_log, std::vector<std::string>{"Command:View.PropBeam"});
    // Asked only whether it is handled: who would handle it, without running it.
    g_log.clear();
    AFX_CMDHANDLERINFO info;
    EXPECT_NE(m_views.OnCmdMsg(kCmdRefresh, 0, nullptr, &info), 0);
    EXPECT_EQ(info.pTarget, Panel("View.PropBeam"));
    EXPECT_TRUE(g_log.empty());
    // A panel has no OK handler: Enter does nothing.
    EXPECT_EQ(m_views.OnCmdMsg(IDOK, 0, nullptr, nullptr), 0);
    // The walk goes up from the active view: a view inside the panel still finds it.
    vyrhost::CHostView inner;
    ASSERT_TRUE(inner.Create(nullptr, "inner", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), Panel("View.PropBeam"), 78));
    m_frame.SetActiveView(&inner, FALSE);
    g_log.clear();
    EXPECT_NE(m_views.OnCmdMsg(kCmdRefresh, 0, nullptr, nullptr), 0);
    EXPECT_EQ(g_log, std::vector<std::string>{"Command:View.PropBeam"});
    inner.DestroyWindow();
}

} // namespace
