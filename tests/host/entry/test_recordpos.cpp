// The dialog base that remembers its place, opened by the scripted user in the host kit.
#include <gtest/gtest.h>

#include <string>

#include "hostkit/HostKit.h"
#include <vyr/protocol/DlgRecordPos.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>

namespace {

constexpr UINT kDlg = 30571;
constexpr UINT kOtherDlg = 30572;
constexpr int kEdit = 1001;

// 200 x 96 dialog units: 300 x 156 pixels (6 / 4 and 13 / 8 pixels per unit).
constexpr int kWidth = 300;
constexpr int kHeight = 156;

void AddTemplates()
{
    static bool added = false;
    if (added)
        return;
    const char* script = R"(
30571 DIALOGEX 0, 0, 200, 96
STYLE DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION
CAPTION "记住位置"
FONT 9, "宋体"
BEGIN
    EDITTEXT 1001, 10, 10, 100, 14, ES_AUTOHSCROLL
    EDITTEXT 1002, 10, 30, 100, 14, ES_AUTOHSCROLL
    DEFPUSHBUTTON "确定", 1, 10, 70, 50, 14
    PUSHBUTTON "取消", 2, 70, 70, 50, 14
END
30572 DIALOGEX 0, 0, 200, 96
STYLE DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION
CAPTION "另一个"
FONT 9, "宋体"
BEGIN
    DEFPUSHBUTTON "确定", 1, 10, 70, 50, 14
    PUSHBUTTON "取消", 2, 70, 70, 50, 14
END
)";
    std::string error;
    ASSERT_TRUE(vyr::AddResourceScriptText(script, "recordpos-test.rc", &error)) << error;
    added = true;
}

class CDlgPlaced : public CDlgRecordPos
{
public:
    explicit CDlgPlaced(UINT id = kDlg) : CDlgRecordPos(id, nullptr) {}
    CRect m_rcOpened; // where the window was once placed
    BOOL OnInitDialog() override
    {
        BOOL r = CDlgRecordPos::OnInitDialog();
        GetWindowRect(&m_rcOpened);
        return r;
    }
};

// What a user does once the dialog shows: nothing, or drag it to a place, then close.
struct Visit
{
    bool move;
    CPoint to;
    bool ok; // OK, else Cancel
};

struct PlaceCase
{
    const char* name;
    std::vector<Visit> visits;
    // Where the dialog opens on the visit after the listed ones; (-1, -1) is the first place.
    CPoint expectOpen;
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class RecordPosTest : public ::testing::TestWithParam<PlaceCase>
{
protected:
    void SetUp() override
    {
        AddTemplates();
        vyr::ScriptedUser::Reset();
        // The host frame at (100, 40), 1000 pixels wide: its right edge is at 1100.
        m_host = std::make_unique<vyrhost::CHostKit>(800, 600, 200);
        m_host->MoveWindow(100, 40, 1000, 700);
        CRect view;
        m_host->View().GetWindowRect(&view);
        m_viewTop = view.top;
    }
    void TearDown() override { vyr::ScriptedUser::Reset(); }

    std::unique_ptr<vyrhost::CHostKit> m_host;
    int m_viewTop = 0;
};

void Script(const Visit& v)
{
    if (v.move)
        vyr::ScriptedUser::Run([p = v.to](CDialog* d) {
            CRect rc;
            d->GetWindowRect(&rc);
            d->MoveWindow(p.x, p.y, rc.Width(), rc.Height());
        });
    if (v.ok)
        vyr::ScriptedUser::PressOK();
    else
        vyr::ScriptedUser::PressCancel();
}

TEST_P(RecordPosTest, OpensWhereItWasLastClosed)
{
    const PlaceCase& c = GetParam();
    CDlgPlaced dlg;
    for (const Visit& v : c.visits) {
        Script(v);
        dlg.DoModal();
    }
    vyr::ScriptedUser::PressCancel();
    dlg.DoModal();
    // First place: host right 1100 - width 300 - 10 = 790, level with the view's top.
    const CPoint expected = c.expectOpen.x < 0 ? CPoint(790, m_viewTop) : c.expectOpen;
    EXPECT_EQ(dlg.m_rcOpened.TopLeft(), expected);
    EXPECT_EQ(dlg.m_rcOpened.Width(), kWidth);
    EXPECT_EQ(dlg.m_rcOpened.Height(), kHeight);
    EXPECT_EQ(vyr::ScriptedUser::PendingSteps(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Places, RecordPosTest,
    ::testing::Values(PlaceCase{"NeverClosed", {}, CPoint(-1, -1)},
                      PlaceCase{"ClosedWhereItOpened", {{false, CPoint(), true}}, CPoint(-1, -1)},
                      PlaceCase{"ClosedAtOriginIsPlacedAfresh", {{true, CPoint(0, 0), true}}, CPoint(-1, -1)},
                      PlaceCase{"ClosedWithTopZeroKeepsItsPlace", {{true, CPoint(0, 50), false}}, CPoint(0, 50)},
                      PlaceCase{"ClosedWithLeftZeroKeepsItsPlace", {{true, CPoint(50, 0), true}}, CPoint(50, 0)},
                      PlaceCase{"CancelRecordsToo", {{true, CPoint(333, 222), false}}, CPoint(333, 222)},
                      PlaceCase{"TheLastCloseCounts",
                                {{true, CPoint(333, 222), true}, {true, CPoint(10, 20), true}},
                                CPoint(10, 20)}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

TEST_F(RecordPosTest, TheFirstPlaceIsStoredAtOnce)
{
    CDlgPlaced dlg;
    vyr::ScriptedUser::Run([](CDialog* d) { d->DestroyWindow(); }); // closed by its owner
    dlg.DoModal();
    EXPECT_EQ(dlg.m_nLeft, 790);
    EXPECT_EQ(dlg.m_nTop, m_viewTop);
    // The host is asked once, for the first place only.
    EXPECT_EQ(m_host->Count(WM_UI_GETHOSTWND), 1);
    EXPECT_EQ(m_host->Count(WM_UI_GETACTIVEVIEW), 1);
}

TEST_F(RecordPosTest, TwoObjectsOfOneClassRememberTheirOwnPlaces)
{
    CDlgPlaced a, b;
    Script({true, CPoint(100, 200), true});
    a.DoModal();
    Script({true, CPoint(400, 300), true});
    b.DoModal();
    vyr::ScriptedUser::PressCancel();
    vyr::ScriptedUser::PressCancel();
    a.DoModal();
    b.DoModal();
    EXPECT_EQ(a.m_rcOpened.TopLeft(), CPoint(100, 200));
    EXPECT_EQ(b.m_rcOpened.TopLeft(), CPoint(400, 300));
    CDlgPlaced fresh(kOtherDlg);
    vyr::ScriptedUser::PressCancel();
    fresh.DoModal();
    EXPECT_EQ(fresh.m_rcOpened.TopLeft(), CPoint(790, m_viewTop));
}

// A host without a window or a view to place by: the dialog keeps the centred place of its
// template, over its owner the main frame at (100, 40) of 1000 x 700 pixels:
// (100 + (1000 - 300) / 2, 40 + (700 - 156) / 2), and is not placed.
TEST_F(RecordPosTest, AHostAnsweringZeroLeavesTheDialogCentred)
{
    for (UINT zero : {(UINT)WM_UI_GETHOSTWND, (UINT)WM_UI_GETACTIVEVIEW}) {
        m_host->SetAnswer(zero, 0);
        CDlgPlaced dlg;
        vyr::ScriptedUser::Run([](CDialog* d) { d->DestroyWindow(); });
        dlg.DoModal();
        EXPECT_EQ(dlg.m_rcOpened.TopLeft(), CPoint(450, 312)) << zero;
        EXPECT_EQ(dlg.m_nLeft, 0);
        EXPECT_EQ(dlg.m_nTop, 0);
        m_host->ClearAnswer(zero);
    }
}

TEST_F(RecordPosTest, SelEditSelectsTheWholeTextAndTakesTheFocus)
{
    CDlgPlaced dlg;
    int start = -1, end = -1;
    bool focused = false;
    vyr::ScriptedUser::SetText(kEdit, "12a.5");
    vyr::ScriptedUser::Run([&](CDialog* d) {
        d->GetDlgItem(1002)->SetFocus();
        static_cast<CDlgRecordPos*>(d)->SelEdit(kEdit);
        auto* edit = static_cast<CEdit*>(d->GetDlgItem(kEdit));
        edit->GetSel(start, end);
        focused = CWnd::GetFocus() == edit;
    });
    vyr::ScriptedUser::PressCancel();
    dlg.DoModal();
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    EXPECT_TRUE(focused);
}

} // namespace
