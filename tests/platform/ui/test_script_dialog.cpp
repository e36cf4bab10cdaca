// A dialog defined in a resource script runs modally and modelessly; its combo contents
// come from DLGINIT, its message from the string table; and a window's paint renders.
#include <gtest/gtest.h>

#include <string>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/dialog.h>
#include <vyr/msgbox.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>

namespace {

using vyr::ScriptedUser;

constexpr UINT IDD_GRADE = 9301;
constexpr UINT IDS_NAME_EMPTY = 9302;
constexpr int IDC_NAME = 1101, IDC_GRADE = 1102;

const char* kScript = R"(#pragma code_page(65001)
#define IDD_GRADE 9301
#define IDS_NAME_EMPTY 9302
#define IDC_NAME 1101
#define IDC_GRADE 1102
IDD_GRADE DIALOGEX 0, 0, 200, 120
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "钢材"
FONT 9, "宋体"
BEGIN
    EDITTEXT        IDC_NAME, 10, 10, 100, 14, ES_AUTOHSCROLL
    COMBOBOX        IDC_GRADE, 10, 30, 100, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
    DEFPUSHBUTTON   "确定", IDOK, 40, 100, 50, 14
    PUSHBUTTON      "取消", IDCANCEL, 100, 100, 50, 14
END
IDD_GRADE DLGINIT
BEGIN
    IDC_GRADE, 0x403, 5, 0, "Q235"
    IDC_GRADE, 0x403, 5, 0, "Q345"
    0
END
STRINGTABLE
BEGIN
    IDS_NAME_EMPTY "请输入截面名称！"
END
)";

void LoadScript()
{
    static bool loaded = [] {
        std::string error;
        bool ok = vyr::AddResourceScriptText(kScript, "test_script_dialog.rc", &error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }();
    ASSERT_TRUE(loaded);
}

class CGradeDlg : public CDialog
{
public:
    CGradeDlg() : CDialog(IDD_GRADE) {}
    CString m_name = "H型钢";
    CString m_grade;
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_CBString(pDX, IDC_GRADE, m_grade);
    }
    void OnOK() override
    {
        UpdateData(TRUE);
        if (m_name.IsEmpty()) {
            AfxMessageBox(IDS_NAME_EMPTY);
            return;
        }
        CDialog::OnOK();
    }
};

TEST(ScriptDialog, RunsModallyFromTheResourceScript)
{
    LoadScript();
    ScriptedUser::Reset();
    ScriptedUser::Run([](CDialog* d) {
        // An empty text selects the first row, as the combo box's prefix search does.
        EXPECT_EQ(static_cast<CComboBox*>(d->GetDlgItem(IDC_GRADE))->GetCurSel(), 0);
    });
    ScriptedUser::SetText(IDC_NAME, "");
    ScriptedUser::PressOK(IDD_GRADE);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入截面名称！");
    ScriptedUser::SelectString(IDC_GRADE, "Q345", IDD_GRADE);
    ScriptedUser::SetText(IDC_NAME, "箱形");
    ScriptedUser::Run([](CDialog* d) {
        CString caption;
        d->GetWindowText(caption);
        EXPECT_EQ(caption, "钢材");
        CRect rc;
        d->GetClientRect(&rc);
        EXPECT_EQ(rc.Width(), vyr::DialogUnitsToPixelsX(200));
        EXPECT_EQ(static_cast<CComboBox*>(d->GetDlgItem(IDC_GRADE))->GetCount(), 2);
    });
    ScriptedUser::PressOK(IDD_GRADE);
    CGradeDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_grade, "Q345");
    EXPECT_EQ(dlg.m_name, "箱形");
    EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    ASSERT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
}

TEST(ScriptDialog, ModelessPanelLivesUntilDestroyed)
{
    LoadScript();
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 800, 600, nullptr,
                               nullptr));
    CGradeDlg panel;
    ASSERT_TRUE(panel.Create(IDD_GRADE, &frame));
    EXPECT_FALSE(panel.IsWindowVisible()); // the template has no WS_VISIBLE
    panel.ShowWindow(SW_SHOW);
    EXPECT_TRUE(panel.IsWindowVisible());
    EXPECT_EQ(panel.GetDlgItem(IDC_NAME)->GetParent(), &panel);
    CString name;
    panel.GetDlgItemText(IDC_NAME, name);
    EXPECT_EQ(name, "H型钢"); // filled by OnInitDialog's UpdateData(FALSE)
    CRect rc;
    panel.GetWindowRect(&rc);
    EXPECT_EQ(rc.TopLeft(), CPoint(100, 50)); // placed against its owner
    panel.SendMessage(WM_COMMAND, IDOK);       // Enter: OnOK hides a modeless dialog
    EXPECT_FALSE(panel.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(panel.GetSafeHwnd()));
    panel.DestroyWindow();
    EXPECT_EQ(panel.GetSafeHwnd(), nullptr);
}

class CPainted : public CWnd
{
public:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CBrush red(RGB(255, 0, 0));
        CRect rc;
        GetClientRect(&rc);
        dc.FillRect(CRect(0, 0, rc.Width() / 2, rc.Height()), &red);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPainted, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(RenderWindow, PaintsTheWindowAndItsChildrenIntoAnImage)
{
    CPainted top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 20, nullptr, nullptr));
    CPainted child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(30, 10, 40, 20), &top, 5));
    auto img = vyr::RenderWindow(top);
    ASSERT_TRUE(img);
    ASSERT_EQ(img->Width(), 40);
    ASSERT_EQ(img->Height(), 20);
    EXPECT_EQ(img->GetPixel(5, 5), RGB(255, 0, 0));    // left half of the top window
    EXPECT_NE(img->GetPixel(25, 5), RGB(255, 0, 0));   // its right half
    EXPECT_EQ(img->GetPixel(32, 15), RGB(255, 0, 0));  // the child's left half, at its place
    EXPECT_NE(img->GetPixel(37, 15), RGB(255, 0, 0));  // the child's right half
}

} // namespace
