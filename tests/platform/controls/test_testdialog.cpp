// The platform's test dialog from the resource script, run modally under the scripted
// user with every kind of control; a worker thread reports to it and steps its progress
// bar until the user stops it, and its drawing is saved as BMP and PNG.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <vyr/resources/resource.h>
#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/dialog.h>
#include <vyr/raster.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include <vyr/thread.h>
#include <vyr/windc.h>

namespace {

using vyr::ScriptedUser;

constexpr UINT WM_TEST_CHECKCANCEL = WM_USER + 12;
constexpr UINT WM_TEST_DONE = WM_USER + 13;

class CVyrTestDlg : public CDialog
{
public:
    CVyrTestDlg() : CDialog(IDD_VYR_TESTDIALOG) {}

    CEdit m_edit;
    CComboBox m_combo;
    CListBox m_listBox;
    CListCtrl m_list;
    CTabCtrl m_tab;
    CProgressCtrl m_progress;
    CSpinButtonCtrl m_spin;
    CRichEditCtrl m_rich;
    CButton m_check;
    CStatic m_picture;
    CBitmap m_bitmap;

    CString m_name;
    int m_kind = -1;
    int m_grid = FALSE;
    int m_radio = 0;
    int m_scale = 0;

    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_done{false};
    std::atomic<int> m_checks{0};
    CWinThread* m_pThread = nullptr;
    std::vector<std::string> m_events;
    int m_selectedRow = -1;

    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_VYR_TEST_EDIT, m_edit);
        DDX_Control(pDX, IDC_VYR_TEST_COMBO, m_combo);
        DDX_Control(pDX, IDC_VYR_TEST_LISTBOX, m_listBox);
        DDX_Control(pDX, IDC_VYR_TEST_LIST, m_list);
        DDX_Control(pDX, IDC_VYR_TEST_TAB, m_tab);
        DDX_Control(pDX, IDC_VYR_TEST_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_VYR_TEST_SPIN, m_spin);
        DDX_Control(pDX, IDC_VYR_TEST_RICHEDIT, m_rich);
        DDX_Control(pDX, IDC_VYR_TEST_CHECK, m_check);
        DDX_Control(pDX, IDC_VYR_TEST_PICTURE, m_picture);
        DDX_Text(pDX, IDC_VYR_TEST_EDIT, m_name);
        DDX_CBIndex(pDX, IDC_VYR_TEST_COMBO, m_kind);
        DDX_Check(pDX, IDC_VYR_TEST_CHECK, m_grid);
        DDX_Radio(pDX, IDC_VYR_TEST_RADIO1, m_radio);
        DDX_Text(pDX, IDC_VYR_TEST_SPINEDIT, m_scale);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_events.push_back("init");
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_list.InsertColumn(0, "截面", LVCFMT_LEFT, 120);
        m_list.InsertColumn(1, "面积", LVCFMT_RIGHT, 100);
        const char* rows[][2] = {{"H300x150", "46.78"}, {"C20a", "28.83"}, {"L100x10", "19.26"}};
        for (int i = 0; i < 3; ++i) {
            m_list.InsertItem(i, rows[i][0]);
            m_list.SetItemText(i, 1, rows[i][1]);
        }
        m_tab.InsertItem(0, "X 向(m)");
        m_tab.InsertItem(1, "Y 向(m)");
        for (const char* s : {"第一层", "第二层", "第三层"}) m_listBox.AddString(s);
        m_spin.SetRange(1, 2000);
        m_spin.SetPos(200);
        m_progress.SetRange(0, 1000);
        m_progress.SetPos(0);
        m_progress.SetStep(1);
        m_rich.SetWindowText("");
        m_rich.SetSel(-1, 0);
        m_rich.ReplaceSel("计算书\r\n");
        if (m_bitmap.LoadBitmap(IDB_VYR_TEST)) m_picture.SetBitmap((HBITMAP)m_bitmap.GetSafeHandle());
        return TRUE;
    }

    static UINT Work(LPVOID p)
    {
        auto* d = static_cast<CVyrTestDlg*>(p);
        for (int i = 0; i < 1000; ++i) {
            CString s;
            s.Format("第%d项", i + 1);
            d->SetDlgItemText(IDC_VYR_TEST_LABEL, s); // carried to the dialog's thread
            if (d->SendMessage(WM_TEST_CHECKCANCEL)) break;
            ::Sleep(1);
        }
        d->PostMessage(WM_TEST_DONE);
        return 0;
    }

    void OnStart()
    {
        m_events.push_back("start");
        m_pThread = AfxBeginThread(&CVyrTestDlg::Work, this, THREAD_PRIORITY_ABOVE_NORMAL);
    }
    void OnStop() { m_cancel = true; }
    LRESULT OnCheckCancel(WPARAM, LPARAM)
    {
        if (m_cancel) return 1;
        m_progress.StepIt();
        ++m_checks;
        return 0;
    }
    LRESULT OnDone(WPARAM, LPARAM)
    {
        m_events.push_back("done");
        m_pThread = nullptr;
        m_done = true;
        return 0;
    }
    void OnKind() { m_events.push_back("kind"); }
    void OnListSel() { m_events.push_back("floor"); }
    void OnTab(NMHDR*, LRESULT*) { m_events.push_back("tab"); }
    void OnItemChanged(NMHDR* h, LRESULT*)
    {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(h);
        if (nm->uNewState & LVIS_SELECTED) m_selectedRow = nm->iItem;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CVyrTestDlg, CDialog)
    ON_BN_CLICKED(IDC_VYR_TEST_START, &CVyrTestDlg::OnStart)
    ON_BN_CLICKED(IDC_VYR_TEST_CANCELRUN, &CVyrTestDlg::OnStop)
    ON_MESSAGE(WM_TEST_CHECKCANCEL, &CVyrTestDlg::OnCheckCancel)
    ON_MESSAGE(WM_TEST_DONE, &CVyrTestDlg::OnDone)
    ON_CBN_SELCHANGE(IDC_VYR_TEST_COMBO, &CVyrTestDlg::OnKind)
    ON_LBN_SELCHANGE(IDC_VYR_TEST_LISTBOX, &CVyrTestDlg::OnListSel)
    ON_NOTIFY(TCN_SELCHANGE, IDC_VYR_TEST_TAB, &CVyrTestDlg::OnTab)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_VYR_TEST_LIST, &CVyrTestDlg::OnItemChanged)
END_MESSAGE_MAP()

// Whether any pixel of the rectangle has the colour.
bool HasColour(const vyr::Image& img, const CRect& r, COLORREF c)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (img.GetPixel(x, y) == c) return true;
    return false;
}

} // namespace

TEST(TestDialog, RunsModallyWithEveryControlAndAWorkerThatIsStopped)
{
    ScriptedUser::Reset();
    vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
    const vyr::DialogTemplate* t = vyr::FindDialogTemplate(IDD_VYR_TESTDIALOG);
    ASSERT_NE(t, nullptr);

    auto dir = std::filesystem::temp_directory_path() / ("vyr_testdialog_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string bmpPath = (dir / "testdialog.bmp").string();
    const std::string pngPath = (dir / "testdialog.png").string();

    CVyrTestDlg dlg;
    int comboCountAtOpen = -1;
    CString firstCombo;
    ScriptedUser::Run([&](CDialog*) {
        comboCountAtOpen = dlg.m_combo.GetCount();
        if (comboCountAtOpen > 0) dlg.m_combo.GetLBText(0, firstCombo);
    });
    ScriptedUser::SetText(IDC_VYR_TEST_EDIT, "梁1");
    ScriptedUser::SelectString(IDC_VYR_TEST_COMBO, "角钢");
    ScriptedUser::Check(IDC_VYR_TEST_CHECK, BST_CHECKED);
    ScriptedUser::Click(IDC_VYR_TEST_RADIO2);
    ScriptedUser::SelectRow(IDC_VYR_TEST_LIST, 1);
    ScriptedUser::SelectRow(IDC_VYR_TEST_TAB, 1);
    ScriptedUser::SelectRow(IDC_VYR_TEST_LISTBOX, 2);
    ScriptedUser::Click(IDC_VYR_TEST_START);
    ScriptedUser::WaitUntil([&](CDialog*) { return dlg.m_checks >= 40; });
    ScriptedUser::Click(IDC_VYR_TEST_CANCELRUN);
    ScriptedUser::WaitUntil([&](CDialog*) { return dlg.m_done.load(); });
    ScriptedUser::Run([&](CDialog* d) {
        std::shared_ptr<vyr::Image> img = vyr::RenderWindow(d->GetSafeHwnd());
        ASSERT_TRUE(img);
        EXPECT_TRUE(vyr::WriteBmp(bmpPath, *img));
        EXPECT_TRUE(vyr::WritePng(pngPath, *img));
    });
    ScriptedUser::PressOK();

    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);

    // DLGINIT filled the sorted combo before OnInitDialog.
    EXPECT_EQ(comboCountAtOpen, 4);
    EXPECT_EQ(firstCombo, "H型钢");
    // What the user entered came back through data exchange.
    EXPECT_EQ(dlg.m_name, "梁1");
    EXPECT_EQ(dlg.m_kind, 3); // H型钢, 槽钢, 工字钢, 角钢
    EXPECT_EQ(dlg.m_grid, BST_CHECKED);
    EXPECT_EQ(dlg.m_radio, 1);
    EXPECT_EQ(dlg.m_scale, 200);
    EXPECT_EQ(dlg.m_selectedRow, 1);
    EXPECT_EQ(dlg.m_events, (std::vector<std::string>{"init", "kind", "tab", "floor", "start", "done"}));

    // The worker ran on until stopped, and each of its reports stepped the bar once.
    int checks = dlg.m_checks;
    EXPECT_GE(checks, 40);
    EXPECT_LT(checks, 1000);

    // The drawing, read back from both files.
    vyr::Image bmp, png;
    std::string err;
    ASSERT_TRUE(vyr::ReadBmp(bmpPath, bmp, &err)) << err;
    ASSERT_TRUE(vyr::ReadPng(pngPath, png));
    EXPECT_EQ(bmp, png);
    EXPECT_EQ(bmp.Width(), t->rect.Width());
    EXPECT_EQ(bmp.Height(), t->rect.Height());
    const vyr::DialogControl* bar = t->FindControl(IDC_VYR_TEST_PROGRESS);
    const vyr::DialogControl* pic = t->FindControl(IDC_VYR_TEST_PICTURE);
    ASSERT_TRUE(bar && pic);
    EXPECT_TRUE(HasColour(bmp, bar->rect, RGB(6, 176, 37)));  // the filled part of the bar
    EXPECT_TRUE(HasColour(bmp, pic->rect, RGB(255, 0, 0)));   // the resource bitmap
    EXPECT_TRUE(HasColour(bmp, pic->rect, RGB(0, 0, 255)));
    if (!std::getenv("VYR_KEEP_TEST_IMAGES")) std::filesystem::remove_all(dir);
}

TEST(TestDialog, ControlsTakeTheTemplateFontAndDrawTheirTextsInIt)
{
    // FONT 9, "宋体": the dialog and every control get the same 12-pixel 宋体, and a button
    // draws its caption in it rather than in the system font of a bare context.
    ScriptedUser::Reset();
    vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
    CVyrTestDlg dlg;
    HFONT dialogFont = nullptr, editFont = nullptr, buttonFont = nullptr;
    LOGFONT lf{};
    std::vector<LOGFONT> captionFonts;
    ScriptedUser::Run([&](CDialog* d) {
        dialogFont = (HFONT)d->SendMessage(WM_GETFONT);
        editFont = (HFONT)d->GetDlgItem(IDC_VYR_TEST_EDIT)->SendMessage(WM_GETFONT);
        CWnd* button = d->GetDlgItem(IDC_VYR_TEST_START);
        buttonFont = (HFONT)button->SendMessage(WM_GETFONT);
        if (dialogFont) CFont::FromHandle(dialogFont)->GetLogFont(&lf);
        vyr::WatchReleasedDCs([&](HWND h, CDC& dc) {
            if (h != button->GetSafeHwnd()) return;
            for (const vyr::DrawRecord& rec : dc.Records())
                if (rec.kind == vyr::DrawKind::DrawText && rec.text == "开始") captionFonts.push_back(rec.state.font);
        });
        vyr::RenderWindow(d->GetSafeHwnd());
        vyr::WatchReleasedDCs(nullptr);
    });
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);

    ASSERT_NE(dialogFont, nullptr);
    EXPECT_STREQ(lf.lfFaceName, "宋体");
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(editFont, dialogFont);
    EXPECT_EQ(buttonFont, dialogFont);
    ASSERT_EQ(captionFonts.size(), 1u);
    EXPECT_STREQ(captionFonts[0].lfFaceName, "宋体");
    EXPECT_EQ(captionFonts[0].lfHeight, -12);
    EXPECT_EQ(captionFonts[0].lfWeight, FW_NORMAL);
}
