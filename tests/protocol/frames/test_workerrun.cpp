// The worker-run frame in a small dialog of its own: the controls it disables while busy,
// the end taken only from its own worker, a worker that ends at once, and a dialog ended
// under a busy worker, which the frame stops and waits for.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <vyr/controls.h>
#include <vyr/protocol/WorkerRun.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

constexpr UINT IDD_TESTRUN = 9802;
constexpr int IDC_RUN_START = 3001, IDC_RUN_STOP = 3002, IDC_RUN_OTHER = 3003, IDC_RUN_GREY = 3004,
              IDC_RUN_BAR = 3005;

const char* const kWorkerScript = R"rc(#pragma code_page(65001)
9802 DIALOGEX 0, 0, 200, 80
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "测试运行"
FONT 9, "宋体", 400, 0, 0x86
BEGIN
    PUSHBUTTON      "开始",3001,7,7,40,14
    PUSHBUTTON      "停止",3002,50,7,40,14
    PUSHBUTTON      "其他",3003,93,7,40,14
    PUSHBUTTON      "灰",3004,136,7,40,14,WS_DISABLED
    CONTROL         "",3005,"msctls_progress32",WS_BORDER,7,26,186,10
    DEFPUSHBUTTON   "确定",1,143,60,50,14
END
)rc";

// What the worker does, set by the test before the run.
struct Work
{
    int polls = -1;                     // stop after this many polls that go on; -1: until stopped
    std::atomic<bool> hold{false};      // wait after the first poll until released
    std::atomic<bool> held{false};
    std::atomic<int> answered0{0};
    std::atomic<bool> returned{false};
};

class CRunDlg : public CDialog
{
public:
    explicit CRunDlg(Work& work) : CDialog(IDD_TESTRUN, nullptr), m_work(work), m_run(this, IDC_RUN_BAR, IDC_RUN_STOP)
    {
        m_run.DisableControlsWhileBusy({IDC_RUN_STOP, IDC_RUN_BAR});
    }

    Work& m_work;
    bool m_bEndWithRun = false; // the dialog closes itself when the run ends
    int m_nEnds = 0;
    bool m_bSecondRefused = false;

    bool Busy() const { return m_run.IsBusy(); }
    void Start()
    {
        m_run.Start(&CRunDlg::Proc, this);
        m_bSecondRefused = m_run.Start(&CRunDlg::Proc, this) == nullptr;
    }

    static UINT Proc(LPVOID p)
    {
        auto* d = static_cast<CRunDlg*>(p);
        Work& w = d->m_work;
        for (int i = 0; w.polls < 0 || i < w.polls; ++i) {
            if (d->m_run.Cancelled())
                break;
            w.answered0.fetch_add(1);
            if (i == 0 && w.hold) {
                w.held = true;
                while (w.hold)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        d->m_run.Finish();
        w.returned = true;
        return 0;
    }

protected:
    void OnOK() override
    {
        if (!m_run.IsBusy())
            CDialog::OnOK();
    }
    void OnCancel() override
    {
        if (!m_run.IsBusy())
            CDialog::OnCancel();
    }
    void OnStop() { m_run.Stop(); }
    LRESULT OnCheckCancel(WPARAM, LPARAM) { return m_run.OnCheckCancel(); }
    LRESULT OnRunEnd(WPARAM w, LPARAM)
    {
        if (m_run.OnRunEnd(w)) {
            ++m_nEnds;
            if (m_bEndWithRun)
                OnOK();
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    // Last: destroyed first, while what the worker reads still stands.
    CWorkerRun m_run;
};

BEGIN_MESSAGE_MAP(CRunDlg, CDialog)
    ON_BN_CLICKED(IDC_RUN_START, &CRunDlg::Start)
    ON_BN_CLICKED(IDC_RUN_STOP, &CRunDlg::OnStop)
    ON_MESSAGE(WM_THREAD_CHECKCANCEL, &CRunDlg::OnCheckCancel)
    ON_MESSAGE(WM_THREAD_RUNEND, &CRunDlg::OnRunEnd)
END_MESSAGE_MAP()

bool Enabled(CDialog* d, int id) { return ::IsWindowEnabled(::GetDlgItem(d->GetSafeHwnd(), id)) != FALSE; }

class WorkerRunTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        std::string error;
        ASSERT_TRUE(vyr::AddResourceScriptText(kWorkerScript, "test_workerrun.rc", &error)) << error;
    }
    void SetUp() override { ScriptedUser::Reset(); }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
};

TEST_F(WorkerRunTest, ControlsAreDisabledWhileBusyAndOnlyItsOwnWorkerEndsTheRun)
{
    Work work;
    work.polls = 5;
    work.hold = true;
    CRunDlg dlg(work);
    struct State
    {
        bool start, stop, other, grey, busy;
    } during{}, after{};
    auto read = [](CDialog* d) {
        return State{Enabled(d, IDC_RUN_START), Enabled(d, IDC_RUN_STOP), Enabled(d, IDC_RUN_OTHER),
                     Enabled(d, IDC_RUN_GREY), static_cast<CRunDlg*>(d)->Busy()};
    };
    ScriptedUser::Click(IDC_RUN_START);
    ScriptedUser::WaitUntil([&](CDialog*) { return work.held.load(); });
    ScriptedUser::Run([&](CDialog* d) {
        during = read(d);
        // An end that is not this run's worker's changes nothing.
        d->SendMessage(WM_THREAD_RUNEND, 0, 0);
        EXPECT_TRUE(static_cast<CRunDlg*>(d)->Busy());
        work.hold = false;
    });
    ScriptedUser::WaitUntil([&](CDialog* d) { return !static_cast<CRunDlg*>(d)->Busy(); });
    ScriptedUser::Run([&](CDialog* d) { after = read(d); });
    ScriptedUser::PressOK();
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_TRUE(dlg.m_bSecondRefused) << "one run at a time";
    EXPECT_TRUE(during.busy);
    EXPECT_FALSE(during.start);
    EXPECT_TRUE(during.stop);
    EXPECT_FALSE(during.other);
    EXPECT_FALSE(during.grey);
    EXPECT_FALSE(after.busy);
    EXPECT_TRUE(after.start);
    EXPECT_TRUE(after.other);
    EXPECT_FALSE(after.grey) << "a control disabled before the run stays disabled";
    EXPECT_EQ(dlg.m_nEnds, 1);
    EXPECT_EQ(work.answered0.load(), 5);
}

TEST_F(WorkerRunTest, AWorkerThatEndsAtOnceStillEndsItsDialog)
{
    for (int i = 0; i < 20; ++i) {
        ScriptedUser::Reset();
        Work work;
        work.polls = 0;
        CRunDlg dlg(work);
        dlg.m_bEndWithRun = true;
        ScriptedUser::Click(IDC_RUN_START);
        ScriptedUser::WaitForEnd();
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_nEnds, 1);
        EXPECT_TRUE(work.returned);
    }
}

TEST_F(WorkerRunTest, AStopIsAnsweredAtTheNextPollAndGreysTheStopButton)
{
    Work work; // polls until stopped
    CRunDlg dlg(work);
    bool stopEnabled = true;
    ScriptedUser::Click(IDC_RUN_START);
    ScriptedUser::WaitUntil([&](CDialog*) { return work.answered0.load() >= 3; });
    ScriptedUser::Click(IDC_RUN_STOP);
    ScriptedUser::WaitUntil([&](CDialog* d) { return !static_cast<CRunDlg*>(d)->Busy(); });
    ScriptedUser::Run([&](CDialog* d) { stopEnabled = Enabled(d, IDC_RUN_STOP); });
    ScriptedUser::PressOK();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(stopEnabled);
    EXPECT_TRUE(work.returned);
}

TEST_F(WorkerRunTest, ADialogEndedUnderABusyWorkerStopsItAndWaitsForIt)
{
    Work work; // polls until stopped
    {
        CRunDlg dlg(work);
        ScriptedUser::Click(IDC_RUN_START);
        ScriptedUser::WaitUntil([&](CDialog*) { return work.answered0.load() >= 3; });
        // Ended past its guard, as a failing script does.
        ScriptedUser::Run([](CDialog* d) { d->EndDialog(IDCANCEL); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_TRUE(dlg.Busy());
    }
    EXPECT_TRUE(work.returned) << "the frame waited for the worker before the dialog went";
}

} // namespace
