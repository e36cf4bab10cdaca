// Message-map dispatch: which handler a (message, code, id) reaches, through the base
// class's map and id ranges, and what an unhandled message answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/wnd.h>

namespace {

constexpr UINT WM_TEST_PRIVATE = WM_USER + 12;
UINT g_registered = RegisterWindowMessage("VyrTestRegistered");

class CBaseWnd : public CWnd
{
public:
    std::vector<std::string> calls;
    void OnBaseOk() { calls.push_back("base ok"); }
    void OnBaseShared() { calls.push_back("base shared"); }
    void OnBaseNotify(NMHDR*, LRESULT* r) { calls.push_back("base notify"); *r = 7; }
    LRESULT OnBasePrivate(WPARAM w, LPARAM) { calls.push_back("base private"); return (LRESULT)w + 1; }
    afx_msg void OnTimer(UINT_PTR id) { calls.push_back("base timer " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_COMMAND(1, &CBaseWnd::OnBaseOk)
    ON_BN_CLICKED(300, &CBaseWnd::OnBaseShared)
    ON_NOTIFY(NM_DBLCLK, 400, &CBaseWnd::OnBaseNotify)
    ON_MESSAGE(WM_TEST_PRIVATE, &CBaseWnd::OnBasePrivate)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd
{
public:
    void OnShared() { calls.push_back("derived shared"); }
    void OnRange(UINT id) { calls.push_back("range " + std::to_string(id)); }
    void OnEditChange() { calls.push_back("edit change"); }
    void OnEditKill() { calls.push_back("edit kill"); }
    void OnComboSel() { calls.push_back("combo sel"); }
    void OnListClick(NMHDR* n, LRESULT*) { calls.push_back("list click " + std::to_string(n->idFrom)); }
    void OnNotifyRange(UINT id, NMHDR*, LRESULT*) { calls.push_back("notify range " + std::to_string(id)); }
    void OnCmdRange(UINT id) { calls.push_back("cmd range " + std::to_string(id)); }
    LRESULT OnRegistered(WPARAM, LPARAM) { calls.push_back("registered"); return 42; }
    afx_msg void OnSize(UINT, int cx, int cy) { calls.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    afx_msg void OnLButtonDown(UINT flags, CPoint p)
    {
        calls.push_back("ldown " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    afx_msg BOOL OnMouseWheel(UINT, short delta, CPoint) { calls.push_back("wheel " + std::to_string(delta)); return TRUE; }
    afx_msg void OnKeyDown(UINT ch, UINT, UINT) { calls.push_back("key " + std::to_string(ch)); }
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        calls.push_back("hscroll " + std::to_string(code) + " " + std::to_string(pos) + (bar ? " bar" : " none"));
    }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT kind)
    {
        calls.push_back("ctlcolor " + std::to_string(kind));
        return (HBRUSH)(UINT_PTR)0x77;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_WM_HSCROLL()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(300, &CDerivedWnd::OnShared)
    ON_CONTROL_RANGE(BN_CLICKED, 310, 319, &CDerivedWnd::OnRange)
    ON_EN_CHANGE(320, &CDerivedWnd::OnEditChange)
    ON_EN_KILLFOCUS(320, &CDerivedWnd::OnEditKill)
    ON_CBN_SELCHANGE(330, &CDerivedWnd::OnComboSel)
    ON_NOTIFY(NM_CLICK, 400, &CDerivedWnd::OnListClick)
    ON_NOTIFY_RANGE(LVN_ITEMCHANGED, 410, 420, &CDerivedWnd::OnNotifyRange)
    ON_COMMAND_RANGE(500, 502, &CDerivedWnd::OnCmdRange)
    ON_REGISTERED_MESSAGE(g_registered, &CDerivedWnd::OnRegistered)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

struct Case
{
    const char* what;
    UINT message;
    UINT code;
    UINT id;
    const char* expected; // null: nothing handles it
    LRESULT result;
};

class MessageMapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
        wnd.calls.clear();
    }
    LRESULT Deliver(const Case& c)
    {
        if (c.message == WM_COMMAND)
            return wnd.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, c.code), 0);
        if (c.message == WM_NOTIFY) {
            NMHDR n{nullptr, c.id, c.code};
            return wnd.SendMessage(WM_NOTIFY, c.id, (LPARAM)&n);
        }
        return wnd.SendMessage(c.message, c.code, c.id);
    }
    CDerivedWnd wnd;
};

TEST_F(MessageMapTest, EachMessageReachesItsHandler)
{
    const Case cases[] = {
        {"command of the base map", WM_COMMAND, 0, 1, "base ok", 1},
        {"derived entry wins over the base's for the same id", WM_COMMAND, BN_CLICKED, 300, "derived shared", 1},
        {"range, first id", WM_COMMAND, BN_CLICKED, 310, "range 310", 1},
        {"range, last id", WM_COMMAND, BN_CLICKED, 319, "range 319", 1},
        {"just past the range", WM_COMMAND, BN_CLICKED, 320, nullptr, 0},
        {"edit change", WM_COMMAND, EN_CHANGE, 320, "edit change", 1},
        {"edit kill focus, same id other code", WM_COMMAND, EN_KILLFOCUS, 320, "edit kill", 1},
        {"combo code on an id with no such entry", WM_COMMAND, CBN_SELCHANGE, 320, nullptr, 0},
        {"combo selection", WM_COMMAND, CBN_SELCHANGE, 330, "combo sel", 1},
        {"command range", WM_COMMAND, 0, 501, "cmd range 501", 1},
        {"notify, derived code", WM_NOTIFY, NM_CLICK, 400, "list click 400", 0},
        {"notify, base code falls through", WM_NOTIFY, NM_DBLCLK, 400, "base notify", 7},
        {"notify range", WM_NOTIFY, LVN_ITEMCHANGED, 415, "notify range 415", 0},
        {"notify of another control", WM_NOTIFY, NM_CLICK, 401, nullptr, 0},
        {"private message of the base", WM_TEST_PRIVATE, 41, 0, "base private", 42},
        {"registered message", g_registered, 0, 0, "registered", 42},
        {"timer through the base", WM_TIMER, 9, 0, "base timer 9", 0},
        {"size cracked", WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480), "size 640x480", 0},
        {"mouse cracked", WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(12, 34), "ldown 8 12,34", 0},
        {"wheel cracked", WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), 0, "wheel -120", 1},
        {"key", WM_KEYDOWN, VK_ESCAPE, 1, "key 27", 0},
        {"scroll without a scroll bar", WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 17), 0, "hscroll 4 17 none", 0},
        {"control colour of a static", WM_CTLCOLORSTATIC, 0, 0, "ctlcolor 6", 0x77},
        {"control colour of an edit", WM_CTLCOLOREDIT, 0, 0, "ctlcolor 1", 0x77},
        {"unhandled private message answers 0", WM_USER + 99, 5, 5, nullptr, 0},
    };
    for (const Case& c : cases) {
        wnd.calls.clear();
        LRESULT r = Deliver(c);
        if (c.expected) {
            ASSERT_EQ(wnd.calls.size(), 1u) << c.what;
            EXPECT_EQ(wnd.calls[0], c.expected) << c.what;
        } else {
            EXPECT_TRUE(wnd.calls.empty()) << c.what;
        }
        EXPECT_EQ(r, c.result) << c.what;
    }
}

TEST_F(MessageMapTest, ControlsNotifyTheirParentAsWindowsDoes)
{
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 330));
    wnd.calls.clear();
    vyr::NotifyParent(child.GetSafeHwnd(), CBN_SELCHANGE);
    NMHDR hdr{};
    child.SetDlgCtrlID(400);
    vyr::NotifyParent(child.GetSafeHwnd(), &hdr, NM_CLICK);
    EXPECT_EQ(hdr.hwndFrom, child.GetSafeHwnd());
    EXPECT_EQ(hdr.idFrom, 400u);
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD, CRect(0, 0, 10, 100), &wnd, 9));
    wnd.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), (LPARAM)bar.GetSafeHwnd());
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"combo sel", "list click 400", "hscroll 1 0 bar"}));
}

TEST_F(MessageMapTest, WindowTextAndStateDefaults)
{
    wnd.SetWindowText("标题");
    CString s;
    wnd.GetWindowText(s);
    EXPECT_EQ(s, "标题");
    EXPECT_EQ(wnd.GetWindowTextLength(), (int)std::string("标题").size());
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "x", WS_CHILD, CRect(10, 20, 60, 50), &wnd, 77));
    EXPECT_EQ(wnd.GetDlgItem(77), &child);
    EXPECT_EQ(CWnd::FromHandle(child.GetSafeHwnd()), &child);
    EXPECT_EQ(child.GetParent(), &wnd);
    EXPECT_FALSE(child.IsWindowVisible());
    child.ShowWindow(SW_SHOW);
    EXPECT_TRUE(child.IsWindowVisible());
    EXPECT_TRUE(child.IsWindowEnabled());
    child.EnableWindow(FALSE);
    EXPECT_FALSE(child.IsWindowEnabled());
    CRect rc;
    child.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 50, 30));
    CPoint p(1, 2);
    child.ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(11, 22));
    wnd.SetDlgItemInt(77, (UINT)-15);
    BOOL ok = FALSE;
    EXPECT_EQ((int)wnd.GetDlgItemInt(77, &ok), -15);
    EXPECT_TRUE(ok);
    wnd.SetDlgItemText(77, "12x");
    wnd.GetDlgItemInt(77, &ok);
    EXPECT_FALSE(ok);
    HWND h = child.GetSafeHwnd();
    child.DestroyWindow();
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(child.GetSafeHwnd(), nullptr);
    EXPECT_EQ(wnd.GetDlgItem(77), nullptr);
    EXPECT_EQ(::SendMessage(h, WM_TEST_PRIVATE, 0, 0), 0);
}

} // namespace

namespace {

class CRefusing : public CWnd
{
public:
    int created = 0, destroyed = 0;
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        ++created;
        return cs->cx > 0 ? 0 : -1;
    }
    afx_msg void OnDestroy() { ++destroyed; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusing, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST(WindowCreation, OnCreateMayRefuseTheWindow)
{
    CRefusing refused;
    EXPECT_FALSE(refused.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 0, 10, nullptr, nullptr));
    EXPECT_EQ(refused.GetSafeHwnd(), nullptr);
    EXPECT_EQ(refused.created, 1);
    EXPECT_EQ(refused.destroyed, 1); // destroyed like any window, without leaving a handle
    CRefusing ok;
    EXPECT_TRUE(ok.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND h = ok.GetSafeHwnd();
    EXPECT_TRUE(::IsWindow(h));
    {
        // A child goes with its parent; the parent hears of its own end first.
        CRefusing child;
        ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &ok, 3));
        ok.DestroyWindow();
        EXPECT_EQ(child.destroyed, 1);
        EXPECT_EQ(child.GetSafeHwnd(), nullptr);
    }
    EXPECT_EQ(ok.destroyed, 1);
    EXPECT_FALSE(::IsWindow(h));
}

} // namespace
