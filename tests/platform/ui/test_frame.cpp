#include <gtest/gtest.h>

#include <vyr/windc.h>
#include <vyr/resources/resource.h>
#include <vyr/stdafx.h>

namespace {

int g_formsAlive = 0;

class CTestForm : public CFormView
{
public:
    CTestForm() : CFormView(IDD_VYR_TESTDIALOG) { ++g_formsAlive; }
    ~CTestForm() override { --g_formsAlive; }
    CString m_name = "梁1";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_VYR_TEST_EDIT, m_name); }
};

} // namespace

TEST(FrameAndFormView, FormsComeFromTheirTemplateAndTheActiveOneFillsTheFrame)
{
    vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
    const vyr::DialogTemplate* t = vyr::FindDialogTemplate(IDD_VYR_TESTDIALOG);
    ASSERT_NE(t, nullptr);
    g_formsAlive = 0;

    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "主框架"));
    CRect fr;
    frame->GetWindowRect(&fr);
    EXPECT_EQ(fr.Size(), CSize(1024, 768));

    CCreateContext ctx;
    ctx.m_pCurrentFrame = frame;
    CTestForm* a = new CTestForm;
    CTestForm* b = new CTestForm;
    ASSERT_TRUE(a->Create(nullptr, nullptr, WS_CHILD, CFrameWnd::rectDefault, frame, 1, &ctx));
    ASSERT_TRUE(b->Create(nullptr, nullptr, WS_CHILD, CFrameWnd::rectDefault, frame, 2, &ctx));
    EXPECT_TRUE(a->IsKindOf(RUNTIME_CLASS(CFormView)));
    EXPECT_TRUE(a->IsKindOf(RUNTIME_CLASS(CView)));
    EXPECT_FALSE(a->IsWindowVisible());
    EXPECT_TRUE(a->GetStyle() & WS_CHILD);
    EXPECT_FALSE(a->GetStyle() & WS_POPUP); // the template's popup style does not apply
    EXPECT_EQ(a->GetParent(), frame);
    EXPECT_EQ(a->GetDlgCtrlID(), 1);
    CRect ar;
    a->GetWindowRect(&ar);
    EXPECT_EQ(ar.Size(), t->rect.Size());

    // The template's controls, with their DLGINIT contents; members go in on the initial update.
    auto* combo = (CComboBox*)a->GetDlgItem(IDC_VYR_TEST_COMBO);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 4);
    a->m_name = "柱2";
    a->OnInitialUpdate();
    CString shown;
    a->GetDlgItemText(IDC_VYR_TEST_EDIT, shown);
    EXPECT_EQ(shown, "柱2");

    EXPECT_EQ(frame->GetActiveView(), nullptr);
    frame->SetActiveView(b);
    EXPECT_EQ(frame->GetActiveView(), b);
    EXPECT_EQ(CWnd::GetFocus(), b);
    b->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    b->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    CRect client, br;
    frame->GetClientRect(&client);
    b->GetClientRect(&br);
    EXPECT_EQ(br.Size(), client.Size());

    // A view goes with its window; the frame no longer names it.
    b->DestroyWindow();
    EXPECT_EQ(g_formsAlive, 1);
    EXPECT_EQ(frame->GetActiveView(), nullptr);
    frame->DestroyWindow(); // takes its children and itself
    EXPECT_EQ(g_formsAlive, 0);
}

// Drawing through GetDC outside a paint is seen by the observer at ReleaseDC, once, with
// the window it was drawn in; without an observer nothing is reported.
TEST(FrameAndFormView, ReleasedWindowContextsShowWhatWasDrawnThroughThem)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr));
    std::vector<std::pair<HWND, std::vector<vyr::DrawRecord>>> seen;
    vyr::WatchReleasedDCs([&](HWND h, CDC& released) { seen.emplace_back(h, released.Records()); });
    CDC* dc = wnd.GetDC();
    CBrush brush(RGB(10, 20, 30));
    CBrush* old = dc->SelectObject(&brush);
    dc->Rectangle(2, 3, 12, 13);
    dc->SelectObject(old);
    wnd.ReleaseDC(dc);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, wnd.GetSafeHwnd());
    ASSERT_EQ(seen[0].second.size(), 1u);
    EXPECT_EQ(seen[0].second[0].kind, vyr::DrawKind::Rectangle);
    EXPECT_EQ(seen[0].second[0].state.brush.lbColor, RGB(10, 20, 30));

    vyr::WatchReleasedDCs(nullptr);
    dc = wnd.GetDC();
    dc->Rectangle(0, 0, 5, 5);
    wnd.ReleaseDC(dc);
    EXPECT_EQ(seen.size(), 1u);
    wnd.DestroyWindow();
}
