// Modal dialogs under the scripted user: opening order, OK and Cancel, refused input that
// keeps the dialog open, notification rules, nested dialogs, failures of the script, and a
// worker thread that reports to its dialog and is cancelled.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/dialog.h>
#include <vyr/msgbox.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include <vyr/thread.h>

namespace {

using vyr::ScriptedUser;

constexpr UINT IDD_TEST = 9101;
constexpr UINT IDD_NESTED = 9102;
constexpr UINT IDD_PROGRESS = 9103;
constexpr int IDC_LEN = 1001, IDC_FLAG = 1002, IDC_KIND = 1003, IDC_RADIO_A = 1004, IDC_RADIO_B = 1005,
              IDC_LIST = 1006, IDC_OPEN = 1008, IDC_STATUS = 2071, IDC_STOP = 2072, IDC_BAR = 2073;
constexpr UINT WM_THREAD_CHECKCANCEL = WM_USER + 12;
constexpr UINT WM_EXPORT_CANCEL = WM_USER + 5;

void AddControl(vyr::DialogTemplate& t, const char* cls, int id, DWORD style, const char* text, int y)
{
    vyr::DialogControl c;
    c.className = cls;
    c.id = id;
    c.style = style | WS_CHILD | WS_VISIBLE;
    c.text = text;
    c.rect = CRect(10, y, 150, y + 20);
    t.controls.push_back(c);
}

vyr::DialogTemplate MakeTemplate(UINT id)
{
    vyr::DialogTemplate t;
    t.id = id;
    t.name = "test";
    t.caption = "测试";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.rect = CRect(20, 20, 320, 300);
    if (id == IDD_PROGRESS) {
        AddControl(t, "Static", IDC_STATUS, SS_LEFT, "", 10);
        AddControl(t, "msctls_progress32", IDC_BAR, 0, "", 40);
        AddControl(t, "Button", IDC_STOP, BS_PUSHBUTTON | WS_TABSTOP, "取消验算", 70);
        return t;
    }
    AddControl(t, "Edit", IDC_LEN, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, "", 10);
    AddControl(t, "Button", IDC_FLAG, BS_AUTOCHECKBOX | WS_TABSTOP, "标志", 35);
    AddControl(t, "ComboBox", IDC_KIND, CBS_DROPDOWNLIST | WS_TABSTOP, "", 60);
    AddControl(t, "Button", IDC_RADIO_A, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "甲", 85);
    AddControl(t, "Button", IDC_RADIO_B, BS_AUTORADIOBUTTON, "乙", 110);
    AddControl(t, "ListBox", IDC_LIST, LBS_NOTIFY | WS_GROUP | WS_TABSTOP, "", 135);
    AddControl(t, "Button", IDC_OPEN, BS_PUSHBUTTON | WS_TABSTOP, "打开", 160);
    AddControl(t, "Button", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, "确定", 185);
    AddControl(t, "Button", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, "取消", 210);
    return t;
}

const vyr::DialogTemplate& Template(UINT id)
{
    static const vyr::DialogTemplate test = MakeTemplate(IDD_TEST);
    static const vyr::DialogTemplate nested = MakeTemplate(IDD_NESTED);
    static const vyr::DialogTemplate progress = MakeTemplate(IDD_PROGRESS);
    return id == IDD_TEST ? test : id == IDD_NESTED ? nested : progress;
}

class CTestDlg : public CDialog
{
public:
    explicit CTestDlg(UINT id = IDD_TEST) : CDialog(id) {}
    INT_PTR Run() { return DoModalIndirect(&Template(m_id)); }

    double m_len = 60.0;
    int m_flag = 0;
    int m_kind = 0;
    int m_radio = 1;
    INT_PTR m_nestedResult = -5;
    std::vector<std::string> log;
    CComboBox m_combo;

    BOOL OnInitDialog() override
    {
        log.push_back("init");
        CDialog::OnInitDialog();
        for (const char* s : {"焊接", "热轧", "冷弯"})
            m_combo.AddString(s);
        m_combo.SetCurSel(m_kind); // by code: no CBN_SELCHANGE
        CListBox* list = static_cast<CListBox*>(GetDlgItem(IDC_LIST));
        list->AddString("一");
        list->AddString("二");
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_KIND, m_combo);
        DDX_Text(pDX, IDC_LEN, m_len);
        DDV_MinMaxDouble(pDX, m_len, 0.1, 100);
        DDX_Check(pDX, IDC_FLAG, m_flag);
        DDX_CBIndex(pDX, IDC_KIND, m_kind);
        DDX_Radio(pDX, IDC_RADIO_A, m_radio);
    }
    afx_msg void OnShowWindow(BOOL show, UINT) { log.push_back(show ? "show" : "hide"); }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        log.push_back("paint");
    }
    void OnLenChange() { log.push_back("en_change"); }
    void OnKindChange() { log.push_back("cbn_selchange " + std::to_string(m_combo.GetCurSel())); }
    void OnListChange() { log.push_back("lbn_selchange"); }
    void OnOpen()
    {
        CTestDlg nested(IDD_NESTED);
        m_nestedResult = nested.Run();
    }
    int Count(const std::string& what) const { return (int)std::count(log.begin(), log.end(), what); }

private:
    UINT m_id = m_nIDHelp;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_PAINT()
    ON_EN_CHANGE(IDC_LEN, &CTestDlg::OnLenChange)
    ON_CBN_SELCHANGE(IDC_KIND, &CTestDlg::OnKindChange)
    ON_LBN_SELCHANGE(IDC_LIST, &CTestDlg::OnListChange)
    ON_BN_CLICKED(IDC_OPEN, &CTestDlg::OnOpen)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ScriptedUser::Reset(); }
    void TearDown() override { EXPECT_EQ(ScriptedUser::PendingSteps(), 0u); }
};

TEST_F(DialogTest, OpensInOrderAndEndsWithCancelWhenNothingIsScripted)
{
    CTestDlg dlg;
    EXPECT_EQ(dlg.Run(), IDCANCEL);
    ASSERT_GE(dlg.log.size(), 3u);
    EXPECT_EQ(dlg.log[0], "init");
    // The edit was filled by UpdateData(FALSE) in between; then shown, then painted.
    std::vector<std::string> order;
    for (const auto& e : dlg.log)
        if (e == "init" || e == "show" || e == "paint")
            order.push_back(e);
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 3),
              (std::vector<std::string>{"init", "show", "paint"}));
    EXPECT_EQ(dlg.Count("cbn_selchange 0"), 0);
    auto recs = ScriptedUser::Dialogs();
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_EQ(recs[0].templateId, IDD_TEST);
    EXPECT_TRUE(recs[0].unscripted);
    EXPECT_EQ(recs[0].result, IDCANCEL);
    EXPECT_FALSE(recs[0].open);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.m_len, 60.0); // Cancel leaves the members alone
}

TEST_F(DialogTest, OkTakesTheUsersInputIntoTheMembers)
{
    ScriptedUser::SetText(IDC_LEN, "12.5");
    ScriptedUser::Check(IDC_FLAG);
    ScriptedUser::SelectRow(IDC_KIND, 2);
    ScriptedUser::SelectString(IDC_LIST, "二");
    ScriptedUser::Click(IDC_RADIO_B);
    ScriptedUser::Click(IDC_RADIO_A);
    ScriptedUser::PressOK(IDD_TEST);
    CTestDlg dlg;
    dlg.m_radio = 1;
    EXPECT_EQ(dlg.Run(), IDOK);
    EXPECT_EQ(dlg.m_len, 12.5);
    EXPECT_EQ(dlg.m_flag, 1);
    EXPECT_EQ(dlg.m_kind, 2);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(dlg.Count("cbn_selchange 2"), 1);
    EXPECT_EQ(dlg.Count("lbn_selchange"), 1);
    // Once when UpdateData(FALSE) wrote "60", once for the user's typing.
    EXPECT_EQ(dlg.Count("en_change"), 2);
    EXPECT_FALSE(ScriptedUser::Dialogs()[0].unscripted);
}

TEST_F(DialogTest, RefusedInputKeepsTheDialogOpenWithItsMessage)
{
    struct Case
    {
        const char* typed;
        const char* message;
    } cases[] = {
        {"abc", "请输入一个数字。"},
        {"1000", "请输入一个介于 0.1 和 100 之间的数字。"},
        {"", "请输入一个数字。"},
    };
    for (const Case& c : cases) {
        ScriptedUser::Reset();
        ScriptedUser::SetText(IDC_LEN, c.typed);
        ScriptedUser::PressOK();
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        int focusId = 0;
        DWORD selection = 0;
        bool open = false;
        ScriptedUser::Run([&](CDialog* d) {
            open = d->IsModalRunning();
            HWND focus = ::GetFocus();
            focusId = ::GetDlgCtrlID(focus);
            selection = (DWORD)::SendMessage(focus, EM_GETSEL, 0, 0);
        });
        ScriptedUser::SetText(IDC_LEN, "5");
        ScriptedUser::PressOK();
        CTestDlg dlg;
        EXPECT_EQ(dlg.Run(), IDOK) << c.typed;
        EXPECT_TRUE(open) << c.typed;
        EXPECT_EQ(dlg.m_len, 5.0) << c.typed;
        auto boxes = ScriptedUser::MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << c.typed;
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].flags & MB_ICONMASK, MB_ICONEXCLAMATION);
        // The refused edit has the focus and all its text selected.
        EXPECT_EQ(focusId, IDC_LEN) << c.typed;
        int len = (int)std::string(c.typed).size();
        EXPECT_EQ(LOWORD(selection), 0) << c.typed;
        EXPECT_EQ(HIWORD(selection), len) << c.typed;
    }
}

TEST_F(DialogTest, NotificationsAsWindowsSendsThem)
{
    int changesBefore = 0, changesAfter = 0, selBefore = 0, selAfter = 0;
    ScriptedUser::Run([&](CDialog* d) {
        auto* dlg = static_cast<CTestDlg*>(d);
        changesBefore = dlg->Count("en_change");
        selBefore = (int)dlg->log.size();
        dlg->GetDlgItem(IDC_LEN)->SetWindowText("7"); // by code: EN_CHANGE all the same
        dlg->m_combo.SetCurSel(1);                    // by code: no CBN_SELCHANGE
        static_cast<CComboBox*>(dlg->GetDlgItem(IDC_KIND))->SetCurSel(2);
        dlg->m_len = 8;
        dlg->UpdateData(FALSE); // "8" differs from "7": one more EN_CHANGE
        dlg->UpdateData(FALSE); // unchanged text is not written again
        changesAfter = dlg->Count("en_change");
        selAfter = 0;
        for (const auto& e : dlg->log)
            selAfter += e.rfind("cbn_selchange", 0) == 0;
    });
    ScriptedUser::PressCancel();
    CTestDlg dlg;
    EXPECT_EQ(dlg.Run(), IDCANCEL);
    EXPECT_EQ(changesAfter - changesBefore, 2);
    EXPECT_EQ(selAfter, 0);
    (void)selBefore;
}

TEST_F(DialogTest, NestedDialogsAreScriptedInTheOrderTheyOpen)
{
    ScriptedUser::Click(IDC_OPEN, IDD_TEST);
    ScriptedUser::SetText(IDC_LEN, "3", IDD_NESTED);
    ScriptedUser::PressOK(IDD_NESTED);
    ScriptedUser::Click(IDC_OPEN, IDD_TEST);
    // the second nested dialog has nothing scripted for it: Cancel
    CTestDlg dlg;
    EXPECT_EQ(dlg.Run(), IDCANCEL);
    EXPECT_EQ(dlg.m_nestedResult, IDCANCEL);
    auto recs = ScriptedUser::Dialogs();
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[0].templateId, IDD_TEST);
    EXPECT_EQ(recs[1].templateId, IDD_NESTED);
    EXPECT_EQ(recs[1].result, IDOK);
    EXPECT_FALSE(recs[1].unscripted);
    EXPECT_EQ(recs[2].templateId, IDD_NESTED);
    EXPECT_TRUE(recs[2].unscripted);
    EXPECT_TRUE(recs[0].unscripted); // the outer one was cancelled the same way
}

TEST_F(DialogTest, AStepForAnotherDialogFailsLoudly)
{
    std::vector<std::string> failures;
    ScriptedUser::SetFailureHandler([&](const std::string& m) { failures.push_back(m); });
    ScriptedUser::SetIdleTimeout(50);
    ScriptedUser::PressOK(IDD_NESTED);
    CTestDlg dlg;
    EXPECT_EQ(dlg.Run(), IDCANCEL);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("expects dialog 9102"), std::string::npos) << failures[0];
}

TEST_F(DialogTest, AnAnswerWhereTheDialogWaitsFailsLoudly)
{
    std::vector<std::string> failures;
    ScriptedUser::SetFailureHandler([&](const std::string& m) { failures.push_back(m); });
    ScriptedUser::SetIdleTimeout(50);
    ScriptedUser::AnswerMessageBox(IDYES);
    CTestDlg dlg;
    dlg.Run();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("message-box answer"), std::string::npos) << failures[0];
}

TEST_F(DialogTest, ADisabledControlCannotBeUsed)
{
    std::vector<std::string> failures;
    ScriptedUser::SetFailureHandler([&](const std::string& m) { failures.push_back(m); });
    ScriptedUser::Run([](CDialog* d) { d->GetDlgItem(IDC_FLAG)->EnableWindow(FALSE); });
    ScriptedUser::Check(IDC_FLAG);
    ScriptedUser::PressOK();
    CTestDlg dlg;
    EXPECT_EQ(dlg.Run(), IDOK);
    EXPECT_EQ(dlg.m_flag, 0);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("disabled"), std::string::npos) << failures[0];
}

TEST_F(DialogTest, TabMovesTheFocusAlongTheTabStops)
{
    std::vector<int> ids;
    auto record = [&](CDialog*) { ids.push_back(::GetDlgCtrlID(::GetFocus())); };
    ScriptedUser::Run(record); // the first tab stop has the focus after OnInitDialog
    ScriptedUser::PressKey(VK_TAB);
    ScriptedUser::Run(record);
    ScriptedUser::Run([](CDialog* d) { d->GetDlgItem(IDC_KIND)->EnableWindow(FALSE); });
    ScriptedUser::PressKey(VK_TAB); // a disabled control is passed over
    ScriptedUser::Run(record);
    ScriptedUser::PressCancel();
    CTestDlg dlg;
    dlg.Run();
    EXPECT_EQ(ids, (std::vector<int>{IDC_LEN, IDC_FLAG, IDC_RADIO_A}));
}

TEST_F(DialogTest, KeysGoThroughTheDialogsKeyboardHandling)
{
    ScriptedUser::SetText(IDC_LEN, "9");
    ScriptedUser::PressKey(VK_RETURN); // the default button: OK
    CTestDlg dlg;
    EXPECT_EQ(dlg.Run(), IDOK);
    EXPECT_EQ(dlg.m_len, 9.0);
    ScriptedUser::Reset();
    ScriptedUser::SetText(IDC_LEN, "9");
    ScriptedUser::PressKey(VK_ESCAPE);
    CTestDlg dlg2;
    EXPECT_EQ(dlg2.Run(), IDCANCEL);
    EXPECT_FALSE(ScriptedUser::Dialogs()[0].unscripted);
}

TEST_F(DialogTest, MessageBoxAnswersAndRecords)
{
    ScriptedUser::AnswerMessageBox(IDYES, "删除");
    ScriptedUser::AnswerMessageBox(IDOK);
    EXPECT_EQ(AfxMessageBox("确定要删除吗？", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(::MessageBox(nullptr, "完成", "标题", MB_OK), IDOK);
    auto boxes = ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "确定要删除吗？");
    EXPECT_EQ(boxes[0].flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(boxes[0].answer, IDYES);
    EXPECT_EQ(boxes[1].caption, "标题");
}

// A message box shown by a worker thread takes the next answer of the one queue, as one of
// the user-interface thread does: the answers go out in queue order, whichever thread asks.
UINT ShowTwoBoxesFromAWorker(LPVOID p)
{
    auto* answers = static_cast<std::vector<int>*>(p);
    answers->push_back(AfxMessageBox("工作线程一", MB_YESNO));
    answers->push_back(AfxMessageBox("工作线程二", MB_OKCANCEL));
    return 0;
}

TEST_F(DialogTest, MessageBoxesOfWorkerThreadsTakeTheNextAnswersInQueueOrder)
{
    ScriptedUser::AnswerMessageBox(IDNO, "界面线程");
    ScriptedUser::AnswerMessageBox(IDYES, "工作线程一");
    ScriptedUser::AnswerMessageBox(IDCANCEL, "工作线程二");
    ScriptedUser::AnswerMessageBox(IDOK, "另一线程");
    EXPECT_EQ(AfxMessageBox("界面线程", MB_YESNO), IDNO);
    std::vector<int> answers;
    CWinThread* worker = AfxBeginThread(&ShowTwoBoxesFromAWorker, &answers, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(worker, nullptr);
    worker->m_bAutoDelete = FALSE;
    worker->ResumeThread();
    ::WaitForSingleObject(worker->m_hThread, INFINITE);
    delete worker;
    int last = 0;
    std::thread([&] { last = AfxMessageBox("另一线程"); }).join();
    EXPECT_EQ(answers, (std::vector<int>{IDYES, IDCANCEL}));
    EXPECT_EQ(last, IDOK);
    std::vector<std::string> order;
    for (const vyr::MessageBoxRecord& r : ScriptedUser::MessageBoxes())
        order.push_back(r.text.str());
    EXPECT_EQ(order, (std::vector<std::string>{"界面线程", "工作线程一", "工作线程二", "另一线程"}));
}

TEST_F(DialogTest, AnAnswerTheBoxHasNoButtonForFails)
{
    std::vector<std::string> failures;
    ScriptedUser::SetFailureHandler([&](const std::string& m) { failures.push_back(m); });
    ScriptedUser::AnswerMessageBox(IDYES);
    EXPECT_EQ(AfxMessageBox("请选择要布置截面的杆件！"), IDOK);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("请选择要布置截面的杆件！"), std::string::npos);
}

TEST(DialogDeathTest, AnUnscriptedMessageBoxStopsTheProgramNamingItsText)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ScriptedUser::Reset();
    EXPECT_DEATH(AfxMessageBox("此截面正在被杆件3使用,无法删除!"), "此截面正在被杆件3使用,无法删除!");
}

// ---------------------------------------------------------------------------------------
// A worker that reports to its dialog.

class CProgressDlg : public CDialog
{
public:
    CProgressDlg() : CDialog(IDD_PROGRESS) {}
    INT_PTR Run() { return DoModalIndirect(&Template(IDD_PROGRESS)); }

    int m_units = 400;
    std::atomic<bool> m_running{false};
    std::atomic<int> m_done{0};
    std::atomic<bool> m_stopSeen{false};
    bool m_viaThreadMessage = false; // the cancel travels as a thread message
    CWinThread* m_pThread = nullptr;
    std::atomic<DWORD> m_workerId{0};
    bool m_stopDisabled = false;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SendDlgItemMessage(IDC_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, m_units));
        SendDlgItemMessage(IDC_BAR, PBM_SETSTEP, 1, 0);
        m_running = true;
        m_pThread = AfxBeginThread(&CProgressDlg::Work, this, THREAD_PRIORITY_ABOVE_NORMAL);
        return TRUE;
    }
    static UINT Work(LPVOID p)
    {
        auto* dlg = static_cast<CProgressDlg*>(p);
        dlg->m_workerId = GetCurrentThreadId();
        for (int i = 0; i < dlg->m_units; ++i) {
            if (dlg->m_viaThreadMessage) {
                MSG m;
                if (::PeekMessage(&m, nullptr, 0, 0, PM_REMOVE) && m.message == WM_EXPORT_CANCEL) {
                    dlg->m_stopSeen = true;
                    break;
                }
            }
            if (dlg->SendMessage(WM_THREAD_CHECKCANCEL) == 1) {
                dlg->m_stopSeen = true;
                break;
            }
            dlg->SetDlgItemText(IDC_STATUS, CString("正在验算节点") + std::to_string(i + 1).c_str());
            ++dlg->m_done;
            ::Sleep(1);
        }
        dlg->PostMessage(WM_COMMAND, IDOK);
        return 1;
    }
    LRESULT CheckProgress(WPARAM, LPARAM)
    {
        if (m_running) {
            SendDlgItemMessage(IDC_BAR, PBM_STEPIT);
            return 0;
        }
        GetDlgItem(IDC_STOP)->EnableWindow(FALSE);
        m_stopDisabled = true;
        return 1;
    }
    void OnStop()
    {
        if (m_viaThreadMessage)
            ::PostThreadMessage(m_workerId, WM_EXPORT_CANCEL, 0, 0);
        else
            m_running = false;
    }
    void OnOK() override { EndDialog(IDOK); }
    void OnCancel() override {} // Esc and the close box do nothing while it runs
    int BarPos() const { return (int)SendDlgItemMessage(IDC_BAR, PBM_GETPOS); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
    ON_BN_CLICKED(IDC_STOP, &CProgressDlg::OnStop)
    ON_MESSAGE(WM_THREAD_CHECKCANCEL, &CProgressDlg::CheckProgress)
END_MESSAGE_MAP()

TEST_F(DialogTest, AWorkerSendsToItsDialogAndIsCancelledByTheUser)
{
    for (bool viaThreadMessage : {false, true}) {
        ScriptedUser::Reset();
        int barAtStop = -1;
        CString status;
        // The worker polls (the bar steps), then writes the status: wait for both.
        ScriptedUser::WaitUntil([&](CDialog* d) {
            barAtStop = static_cast<CProgressDlg*>(d)->BarPos();
            d->GetDlgItemText(IDC_STATUS, status);
            return barAtStop >= 5 && status == CString("正在验算节点") + std::to_string(barAtStop).c_str();
        });
        ScriptedUser::Click(IDC_STOP);
        ScriptedUser::WaitForEnd();
        CProgressDlg dlg;
        dlg.m_viaThreadMessage = viaThreadMessage;
        EXPECT_EQ(dlg.Run(), IDOK);
        EXPECT_TRUE(dlg.m_stopSeen);
        EXPECT_GE(barAtStop, 5);
        EXPECT_LT(dlg.m_done.load(), dlg.m_units);
        EXPECT_EQ(status, CString("正在验算节点") + std::to_string(barAtStop).c_str());
        EXPECT_EQ(dlg.m_stopDisabled, !viaThreadMessage);
    }
}

TEST_F(DialogTest, AWorkerThatFinishesEndsItsDialog)
{
    ScriptedUser::WaitForEnd(IDD_PROGRESS);
    CProgressDlg dlg;
    dlg.m_units = 30;
    EXPECT_EQ(dlg.Run(), IDOK);
    EXPECT_EQ(dlg.m_done.load(), 30);
    EXPECT_FALSE(dlg.m_stopSeen);
}

} // namespace

namespace {

TEST_F(DialogTest, CommonDialogAnswersAreTakenInTheirTurn)
{
    LOGFONT lf{};
    lf.lfHeight = -12;
    ScriptedUser::AnswerFileDialog("/tmp/模型.dxf");
    ScriptedUser::AnswerColorDialog(RGB(1, 2, 3));
    ScriptedUser::CancelCommonDialog();
    ScriptedUser::AnswerFontDialog(lf, RGB(9, 9, 9));
    CString path;
    COLORREF color = 0;
    EXPECT_TRUE(ScriptedUser::TakeFileDialogAnswer(path));
    EXPECT_EQ(path, "/tmp/模型.dxf");
    EXPECT_TRUE(ScriptedUser::TakeColorDialogAnswer(color));
    EXPECT_EQ(color, RGB(1, 2, 3));
    EXPECT_FALSE(ScriptedUser::TakePrintDialogAnswer()); // the cancel step
    LOGFONT got{};
    EXPECT_TRUE(ScriptedUser::TakeFontDialogAnswer(got, color));
    EXPECT_EQ(got.lfHeight, -12);
    EXPECT_FALSE(ScriptedUser::TakeFileDialogAnswer(path)); // nothing left: Cancel
    auto recs = ScriptedUser::Dialogs();
    ASSERT_EQ(recs.size(), 5u);
    EXPECT_EQ(recs[0].name, "CFileDialog");
    EXPECT_EQ(recs[2].result, IDCANCEL);
    EXPECT_FALSE(recs[2].unscripted);
    EXPECT_TRUE(recs[4].unscripted);
    // A file dialog where a colour was scripted fails.
    std::vector<std::string> failures;
    ScriptedUser::SetFailureHandler([&](const std::string& m) { failures.push_back(m); });
    ScriptedUser::AnswerColorDialog(0);
    EXPECT_FALSE(ScriptedUser::TakeFileDialogAnswer(path));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("CFileDialog"), std::string::npos);
}

} // namespace

namespace {

TEST_F(DialogTest, TheOwnerIsDisabledWhileAModalDialogRuns)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "主窗口", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 800, 600, nullptr,
                               nullptr));
    vyr::SetMainWnd(&frame);
    bool ownerEnabled = true;
    CRect where;
    ScriptedUser::Run([&](CDialog* d) {
        ownerEnabled = frame.IsWindowEnabled();
        d->GetWindowRect(&where);
    });
    ScriptedUser::PressCancel();
    CTestDlg dlg; // no parent given: the main window owns it
    EXPECT_EQ(dlg.Run(), IDCANCEL);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(frame.IsWindowEnabled());
    EXPECT_EQ(where.TopLeft(), CPoint(320, 220)); // the template's place, from the owner's corner
    vyr::SetMainWnd(nullptr);
}

} // namespace

namespace {

class CSelfEnding : public CDialog
{
public:
    CSelfEnding() : CDialog(IDD_TEST) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        EndDialog(IDOK);
        return TRUE;
    }
};

TEST_F(DialogTest, WaitForEndIsDoneEvenWhenTheDialogNeverWaited)
{
    ScriptedUser::WaitForEnd(IDD_TEST);
    CSelfEnding dlg;
    EXPECT_EQ(dlg.DoModalIndirect(&Template(IDD_TEST)), IDOK);
    EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    EXPECT_FALSE(ScriptedUser::Dialogs()[0].unscripted);
}

} // namespace

namespace {

constexpr UINT IDD_LISTS = 9104;
constexpr int IDC_ROWS = 1201, IDC_COUNT = 1202, IDC_SPIN = 1203;

class CListDlg : public CDialog
{
public:
    CListDlg() : CDialog(IDD_LISTS)
    {
        m_tmpl.id = IDD_LISTS;
        m_tmpl.style = WS_POPUP | WS_CAPTION;
        m_tmpl.rect = CRect(0, 0, 300, 200);
        AddControl(m_tmpl, "SysListView32", IDC_ROWS, LVS_REPORT | LVS_EDITLABELS | WS_TABSTOP, "", 10);
        AddControl(m_tmpl, "Edit", IDC_COUNT, WS_TABSTOP, "", 100);
        AddControl(m_tmpl, "msctls_updown32", IDC_SPIN, UDS_SETBUDDYINT, "", 130);
        AddControl(m_tmpl, "Button", IDCANCEL, BS_PUSHBUTTON, "取消", 160);
    }
    INT_PTR Run() { return DoModalIndirect(&m_tmpl); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        auto* list = static_cast<CListCtrl*>(GetDlgItem(IDC_ROWS));
        list->InsertColumn(0, "名称", LVCFMT_LEFT, 80);
        list->InsertColumn(1, "长度", LVCFMT_LEFT, 80);
        list->InsertItem(0, "梁1");
        auto* spin = static_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_SPIN));
        spin->SetBuddy(GetDlgItem(IDC_COUNT));
        spin->SetRange(0, 10);
        spin->SetPos(3);
        return TRUE;
    }
    void OnColumn(NMHDR* n, LRESULT*) { columns.push_back(reinterpret_cast<NMLISTVIEW*>(n)->iSubItem); }
    void OnEndEdit(NMHDR*, LRESULT* r) { *r = TRUE; }
    afx_msg void OnVScroll(UINT, UINT pos, CScrollBar*) { positions.push_back((int)pos); }
    std::vector<int> columns, positions;
    CString label;
    vyr::DialogTemplate m_tmpl;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListDlg, CDialog)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_ROWS, &CListDlg::OnColumn)
    ON_NOTIFY(LVN_ENDLABELEDIT, IDC_ROWS, &CListDlg::OnEndEdit)
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

TEST_F(DialogTest, ListHeadingsLabelsAndSpinsAsAUserUsesThem)
{
    ScriptedUser::ClickColumn(IDC_ROWS, 1);
    ScriptedUser::Run([](CDialog* d) { static_cast<CListCtrl*>(d->GetDlgItem(IDC_ROWS))->EditLabel(0); });
    ScriptedUser::EndLabelEdit(IDC_ROWS, "梁2");
    ScriptedUser::Spin(IDC_SPIN, 1);
    ScriptedUser::Run([](CDialog* d) {
        auto* dlg = static_cast<CListDlg*>(d);
        dlg->label = static_cast<CListCtrl*>(d->GetDlgItem(IDC_ROWS))->GetItemText(0, 0);
    });
    ScriptedUser::PressCancel();
    CListDlg dlg;
    EXPECT_EQ(dlg.Run(), IDCANCEL);
    EXPECT_EQ(dlg.columns, std::vector<int>{1});
    EXPECT_EQ(dlg.label, "梁2");
    EXPECT_EQ(dlg.positions, std::vector<int>{4});
}

} // namespace

namespace {

// Records its owner window as it opens, and whether that owner was disabled; ends at once
// unless it stays open for the scripted user to open further dialogs from it.
class COwnerProbe : public CDialog
{
public:
    explicit COwnerProbe(CWnd* parent, bool staysOpen = false) : CDialog(IDD_TEST, parent), m_staysOpen(staysOpen) {}
    INT_PTR Run() { return DoModalIndirect(&Template(IDD_TEST)); }

    HWND m_owner = nullptr;
    bool m_ownerDisabled = false;
    bool m_staysOpen;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_owner = ::GetParent(m_hWnd);
        m_ownerDisabled = m_owner && !::IsWindowEnabled(m_owner);
        if (!m_staysOpen)
            EndDialog(IDOK);
        return TRUE;
    }
};

TEST_F(DialogTest, ANullParentDialogIsOwnedByTheInnermostRunningModalDialog)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "主窗口", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr));
    vyr::SetMainWnd(&frame);
    COwnerProbe innermost(nullptr);  // null parent, opened from the middle dialog
    COwnerProbe middle(nullptr, true);
    COwnerProbe outer(nullptr, true);
    COwnerProbe byParent(&outer);   // parent given: the opener itself, however deep
    HWND outerWnd = nullptr, middleWnd = nullptr;
    ScriptedUser::Run([&](CDialog* d) {
        outerWnd = d->GetSafeHwnd();
        ScriptedUser::Run([&](CDialog* m) {
            middleWnd = m->GetSafeHwnd();
            EXPECT_EQ(innermost.Run(), IDOK);
            m->EndDialog(IDOK);
        });
        EXPECT_EQ(middle.Run(), IDOK);
        EXPECT_EQ(byParent.Run(), IDOK);
        d->EndDialog(IDOK);
    });
    EXPECT_EQ(outer.Run(), IDOK);
    EXPECT_EQ(outer.m_owner, frame.GetSafeHwnd()) << "nothing runs: the main window owns it";
    EXPECT_EQ(middle.m_owner, outerWnd);
    EXPECT_EQ(innermost.m_owner, middleWnd);
    EXPECT_TRUE(middle.m_ownerDisabled);
    EXPECT_TRUE(innermost.m_ownerDisabled);
    EXPECT_EQ(byParent.m_owner, outerWnd);
    EXPECT_TRUE(byParent.m_ownerDisabled);
    // All have ended: the main window is its own last active popup again.
    EXPECT_EQ(::GetLastActivePopup(frame.GetSafeHwnd()), frame.GetSafeHwnd());
    EXPECT_TRUE(frame.IsWindowEnabled());
    COwnerProbe after(nullptr);
    EXPECT_EQ(after.Run(), IDOK);
    EXPECT_EQ(after.m_owner, frame.GetSafeHwnd());
    vyr::SetMainWnd(nullptr);
}

} // namespace
