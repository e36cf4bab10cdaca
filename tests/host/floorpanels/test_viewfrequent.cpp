// The vibration-mode panel: the list of modes, showing a mode with the settings written
// back to the host, the refusals, hiding and showing, the colour and its swatch, layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostkit/HostKit.h"
#include <vyr/protocol/HostMessages.h>
#include <vyr/windc.h>
#include <vyr/host/ViewFrequent.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/FrequentRes.h>
#include <vyr/scripteduser.h>

namespace {

using vyr::ScriptedUser;
using vyr::WindowUser;

class ViewFrequentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ScriptedUser::Reset();
        ScriptedUser::SetFailureHandler([this](const std::string& m) { m_failures.push_back(m); });
        m_host.GlobalData().Struct()->SetModalResult({0.8f, 0.5f, 0.25f});
    }
    void TearDown() override
    {
        vyr::WatchReleasedDCs(nullptr);
        ScriptedUser::Reset();
        EXPECT_TRUE(m_failures.empty()) << m_failures.front();
    }
    CViewFrequent* Panel()
    {
        m_host.CreatePanels();
        return (CViewFrequent*)m_host.ShowPanel("View.Frequent");
    }
    CString Text(CViewFrequent* p, int id)
    {
        CString s;
        p->GetDlgItemText(id, s);
        return s;
    }

    vyrhost::CHostKit m_host;
    std::vector<std::string> m_failures;
};

TEST_F(ViewFrequentTest, ModesAreListedWithPeriodAndFrequency)
{
    CViewFrequent* p = Panel();
    ASSERT_NE(p, nullptr);
    CListCtrlEx& list = p->ModeList();
    ASSERT_EQ(list.GetColumnCount(), 3);
    const char* headers[] = {"振型号", " 周期（秒）", " 频率（HZ）"};
    const int widths[] = {52, 82, 82};
    for (int c = 0; c < 3; ++c) {
        char buf[64] = {};
        LVCOLUMN col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.pszText = buf;
        col.cchTextMax = sizeof buf;
        ASSERT_TRUE(list.GetColumn(c, &col));
        EXPECT_STREQ(buf, headers[c]);
        EXPECT_EQ(col.cx, widths[c]);
        EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(1, 0), CString("  振型2"));
    EXPECT_EQ(list.GetItemText(1, 1), CString(" 0.50000"));
    EXPECT_EQ(list.GetItemText(1, 2), CString(" 2.00000"));
    EXPECT_EQ(list.GetItemText(2, 2), CString(" 4.00000"));
    // The list follows the model at the next update.
    m_host.GlobalData().Struct()->SetModalResult({0.4f});
    p->Update();
    ASSERT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(0, 2), CString(" 2.50000"));
}

TEST_F(ViewFrequentTest, TheControlsShowTheHostsSettingsAndTheStopPicture)
{
    CShowTextFrequentPara& host = m_host.m_frequentPara;
    host.m_nScale = 120;
    host.m_nAnimate = 4;
    host.m_nModelKind = 0;
    host.m_nDisplayKind = 0;
    host.SetState(true);
    CViewFrequent* p = Panel();
    EXPECT_EQ(Text(p, IDC_FREQ_SCALE), CString("120"));
    EXPECT_EQ(Text(p, IDC_FREQ_TIME), CString("4"));
    EXPECT_EQ(p->IsDlgButtonChecked(IDC_FREQ_SHOWORIGIN), BST_CHECKED);
    EXPECT_EQ(p->IsDlgButtonChecked(IDC_FREQ_AXISPLANE), BST_CHECKED);
    EXPECT_EQ(p->IsDlgButtonChecked(IDC_FREQ_STATIC), BST_CHECKED);
    int lo = 0, hi = 0;
    auto* spinT = (CSpinButtonCtrl*)p->GetDlgItem(IDC_FREQ_TIME_SPIN);
    spinT->GetRange(lo, hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 10);
    auto* spinS = (CSpinButtonCtrl*)p->GetDlgItem(IDC_FREQ_SCALE_SPIN);
    spinS->GetRange(lo, hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 1000);
    EXPECT_EQ(spinS->GetPos() & 0xFFFF, 120);
    EXPECT_NE(p->SendDlgItemMessage(IDC_FREQ_STOP, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(ViewFrequentTest, ShowingAModeWritesTheSettingsBackAndSendsTheRowIndex)
{
    CViewFrequent* p = Panel();
    m_host.m_frequentPara.SetFlag(2, 7);
    ASSERT_TRUE(WindowUser::SelectRow(p, IDC_FREQ_LIST, 2));
    ASSERT_TRUE(WindowUser::Type(p, IDC_FREQ_SCALE, "80"));
    ASSERT_TRUE(WindowUser::Type(p, IDC_FREQ_TIME, "3"));
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_ANIMATE));
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_SHOWORIGIN));
    m_host.ClearMessages();
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_DISPLAY));
    ASSERT_EQ(m_host.Count(WM_UI_SHOWMODE), 1);
    EXPECT_EQ(m_host.Messages(WM_UI_SHOWMODE)[0].wParam, 2u);
    EXPECT_EQ(m_host.Messages(WM_UI_SHOWMODE)[0].lParam, 0);
    const CShowTextFrequentPara& host = m_host.m_frequentPara;
    EXPECT_EQ(host.m_nScale, 80);
    EXPECT_EQ(host.m_nAnimate, 3);
    EXPECT_EQ(host.m_nDisplayKind, 1);
    EXPECT_EQ(host.m_nModelKind, 1);
    EXPECT_EQ(host.GetFlag(1), 1);
    EXPECT_EQ(host.GetFlag(2), 0);

    // Static display on the axis-plane model is allowed.
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_STATIC));
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_AXISPLANE));
    ASSERT_TRUE(WindowUser::SelectRow(p, IDC_FREQ_LIST, 0));
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_DISPLAY));
    ASSERT_EQ(m_host.Count(WM_UI_SHOWMODE), 2);
    EXPECT_EQ(m_host.Messages(WM_UI_SHOWMODE)[1].wParam, 0u);
    EXPECT_EQ(host.m_nModelKind, 0);
}

TEST_F(ViewFrequentTest, RefusalsSendNothingAndLeaveTheSettings)
{
    CViewFrequent* p = Panel();
    const CShowTextFrequentPara before = m_host.m_frequentPara;
    auto unchanged = [&] {
        const CShowTextFrequentPara& h = m_host.m_frequentPara;
        return h.m_nScale == before.m_nScale && h.m_nAnimate == before.m_nAnimate &&
               h.m_nModelKind == before.m_nModelKind && h.m_nDisplayKind == before.m_nDisplayKind;
    };
    m_host.ClearMessages();
    struct Case
    {
        int id;
        const char* text;
        const char* message;
    };
    const Case cases[] = {{IDC_FREQ_TIME, "0", "请输入一个介于 1 和 10 之间的整数。"},
                          {IDC_FREQ_TIME, "11", "请输入一个介于 1 和 10 之间的整数。"},
                          {IDC_FREQ_SCALE, "1001", "请输入一个介于 1 和 1000 之间的整数。"},
                          {IDC_FREQ_SCALE, "abc", "请输入一个整数。"}};
    ASSERT_TRUE(WindowUser::SelectRow(p, IDC_FREQ_LIST, 0));
    for (const Case& c : cases) {
        ASSERT_TRUE(WindowUser::Type(p, IDC_FREQ_TIME, "2"));
        ASSERT_TRUE(WindowUser::Type(p, IDC_FREQ_SCALE, "50"));
        ASSERT_TRUE(WindowUser::Type(p, c.id, c.text));
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_DISPLAY));
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u) << c.text;
        EXPECT_EQ(m_host.Count(WM_UI_SHOWMODE), 0) << c.text;
        EXPECT_TRUE(unchanged()) << c.text;
    }
    ASSERT_TRUE(WindowUser::Type(p, IDC_FREQ_SCALE, "50"));

    // Animation on the axis-plane model is refused before the missing row is noticed.
    m_host.GlobalData().Struct()->SetModalResult({});
    p->Update();
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_ANIMATE));
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_AXISPLANE));
    ScriptedUser::AnswerMessageBox(IDOK, "不支持对平面振型的动态显示！");
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_DISPLAY));
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_SPACE));
    ScriptedUser::AnswerMessageBox(IDOK, "请先选择要显示振型");
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_DISPLAY));
    EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    EXPECT_EQ(m_host.Count(WM_UI_SHOWMODE), 0);
    EXPECT_TRUE(unchanged());
}

TEST_F(ViewFrequentTest, HidingSwitchesTheModeDisplayOffAndShowingReloadsTheSettings)
{
    CViewFrequent* p = Panel();
    m_host.m_settings[4][6] = 1;
    m_host.ClearMessages();
    m_host.ShowPanel("View.Floor");
    EXPECT_FALSE(p->IsWindowVisible());
    EXPECT_EQ(m_host.m_settings[4][6], 0);
    EXPECT_GE(m_host.Count(WM_UI_REDRAW), 1);

    m_host.m_frequentPara.m_nScale = 77;
    m_host.GlobalData().Struct()->SetModalResult({0.3f, 0.2f});
    m_host.ClearMessages();
    m_host.ShowPanel("View.Frequent");
    EXPECT_EQ(Text(p, IDC_FREQ_SCALE), CString("77"));
    EXPECT_EQ(p->Settings().m_nScale, 77);
    EXPECT_EQ(p->ModeList().GetItemCount(), 2);
    EXPECT_GE(m_host.Count(WM_UI_REDRAW), 1);
}

TEST_F(ViewFrequentTest, TheColourIsTakenOnlyFromAnAcceptedDialogAndTheSwatchIsRepaintedEitherWay)
{
    CViewFrequent* p = Panel();
    const HWND swatch = p->GetDlgItem(IDC_FREQ_SWATCH)->GetSafeHwnd();
    std::vector<COLORREF> painted;
    vyr::WatchReleasedDCs([&](HWND h, CDC& dc) {
        const std::vector<vyr::DrawRecord>& records = dc.Records();
        if (h != swatch)
            return;
        for (const vyr::DrawRecord& r : records)
            if (r.kind == vyr::DrawKind::Rectangle)
                painted.push_back(r.state.brush.lbColor);
    });
    const COLORREF before = m_host.m_frequentPara.m_crColor;
    m_host.ClearMessages();
    ScriptedUser::CancelCommonDialog();
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_COLOR));
    EXPECT_EQ(m_host.m_frequentPara.m_crColor, before);
    EXPECT_EQ(m_host.Count(WM_UI_REDRAW), 0);
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], before);

    ScriptedUser::AnswerColorDialog(RGB(0, 128, 255));
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_COLOR));
    EXPECT_EQ(m_host.m_frequentPara.m_crColor, RGB(0, 128, 255));
    EXPECT_EQ(p->Settings().m_crColor, RGB(0, 128, 255));
    EXPECT_EQ(m_host.Count(WM_UI_REDRAW), 1);
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(painted[1], RGB(0, 128, 255));
}

TEST_F(ViewFrequentTest, TheStopButtonAsksTheHostToStop)
{
    CViewFrequent* p = Panel();
    m_host.ClearMessages();
    ASSERT_TRUE(WindowUser::Click(p, IDC_FREQ_STOP));
    EXPECT_EQ(m_host.Count(WM_UI_STOPMODE), 1);
}

TEST_F(ViewFrequentTest, TheLayoutFollowsTheWidthAndTheScrollPosition)
{
    CViewFrequent* p = Panel();
    auto rectOf = [&](int id) {
        CRect r;
        p->GetDlgItem(id)->GetWindowRect(&r);
        p->ScreenToClient(&r);
        return r;
    };
    const CRect colourBefore = rectOf(IDC_FREQ_COLOR);
    for (int width : {200, 320}) {
        for (int scroll : {0, 25}) {
            p->MoveWindow(0, 0, width, 600);
            p->ScrollToPosition(CPoint(0, scroll));
            p->Resize();
            EXPECT_EQ(rectOf(IDC_FREQ_LIST), CRect(10, 10 - scroll, width - 10, 310 - scroll)) << width << "/" << scroll;
            EXPECT_EQ(rectOf(IDC_FREQ_OPTIONS), CRect(10, 315 - scroll, width - 10, 450 - scroll));
            EXPECT_EQ(rectOf(IDC_FREQ_MODEBOX), CRect(10, 455 - scroll, width - 10, 535 - scroll));
            // The other controls keep their template places (moved only by the scroll).
            CRect colour = colourBefore;
            colour.OffsetRect(0, -scroll);
            EXPECT_EQ(rectOf(IDC_FREQ_COLOR), colour);
        }
    }
    p->ScrollToPosition(CPoint(0, 0));
    std::shared_ptr<vyr::Image> img = vyr::RenderWindow(p->GetSafeHwnd());
    ASSERT_TRUE(img);
    EXPECT_TRUE(vyr::WritePng(std::string(VYR_BINARY_DIR) + "/tests/host/floorpanels/panel-mode-test.png", *img));
}

} // namespace
