// Message queues: sent versus posted order, PeekMessage, thread messages, sending from
// worker threads, timers on the virtual clock, painting, and the synchronisation objects.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include <vyr/app.h>
#include <vyr/thread.h>
#include <vyr/wnd.h>

namespace {

constexpr UINT WM_END_EDIT = WM_USER + 1;
constexpr UINT WM_PROBE = WM_USER + 2;
constexpr UINT WM_EXPORT_CANCEL = WM_USER + 5;

class CRecorder : public CWnd
{
public:
    std::vector<std::string> log;
    DWORD setTextThread = 0;
    std::vector<DWORD> stateThreads;
    int probes = 0;

    void OnEdit()
    {
        log.push_back("edit begins");
        PostMessage(WM_END_EDIT, 1);
        PostMessage(WM_END_EDIT, 2);
        SendMessage(WM_PROBE);
        log.push_back("edit ends");
    }
    LRESULT OnEndEdit(WPARAM w, LPARAM) { log.push_back("end edit " + std::to_string(w)); return 0; }
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        ++probes;
        log.push_back("probe");
        return (LRESULT)GetCurrentThreadId();
    }
    afx_msg void OnTimer(UINT_PTR id) { log.push_back("timer " + std::to_string(id)); }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        log.push_back("paint");
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT)
            setTextThread = GetCurrentThreadId();
        if (message == WM_ENABLE || message == WM_SHOWWINDOW)
            stateThreads.push_back(GetCurrentThreadId());
        return CWnd::WindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecorder, CWnd)
    ON_COMMAND(100, &CRecorder::OnEdit)
    ON_MESSAGE(WM_END_EDIT, &CRecorder::OnEndEdit)
    ON_MESSAGE(WM_PROBE, &CRecorder::OnProbe)
    ON_WM_TIMER()
    ON_WM_PAINT()
END_MESSAGE_MAP()

class MessagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 80, nullptr, nullptr));
        vyr::PumpMessages();
        wnd.log.clear();
    }
    CRecorder wnd;
};

TEST_F(MessagesTest, PostedMessagesRunAfterTheHandlerThatPostedThemInOrder)
{
    wnd.SendMessage(WM_COMMAND, 100);
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"edit begins", "probe", "edit ends"}));
    vyr::PumpMessages();
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"edit begins", "probe", "edit ends", "end edit 1", "end edit 2"}));
}

TEST_F(MessagesTest, PeekMessageTakesOneAndNoRemoveLeavesIt)
{
    ::PostMessage(wnd, WM_END_EDIT, 7, 0);
    ::PostMessage(nullptr, WM_EXPORT_CANCEL, 0, 0); // a thread message
    MSG m;
    ASSERT_TRUE(::PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, (UINT)WM_END_EDIT);
    ASSERT_TRUE(::PeekMessage(&m, (HWND)-1, 0, 0, PM_REMOVE)); // thread messages only
    EXPECT_EQ(m.message, (UINT)WM_EXPORT_CANCEL);
    EXPECT_EQ(m.hwnd, nullptr);
    ASSERT_TRUE(::PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, (UINT)WM_END_EDIT);
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_FALSE(::PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    ::PostMessage(nullptr, WM_EXPORT_CANCEL, 1, 0);
    ASSERT_TRUE(::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)); // the ANSI name a worker calls
    EXPECT_EQ(m.wParam, 1u);
    EXPECT_TRUE(wnd.log.empty()); // peeked, never dispatched
}

TEST_F(MessagesTest, AThreadMessagePostedRightAfterStartIsNotLost)
{
    struct Shared
    {
        std::atomic<int> polls{0};
        std::atomic<bool> cancelled{false};
    } shared;
    auto proc = [](LPVOID p) -> UINT {
        auto* s = static_cast<Shared*>(p);
        for (int i = 0; i < 2000 && !s->cancelled; ++i) {
            MSG m;
            ++s->polls;
            if (::PeekMessage(&m, nullptr, 0, 0, PM_REMOVE) && m.message == WM_EXPORT_CANCEL)
                s->cancelled = true;
            else
                ::Sleep(1);
        }
        return s->cancelled ? 1 : 0;
    };
    CWinThread* t = AfxBeginThread(proc, &shared, THREAD_PRIORITY_ABOVE_NORMAL, 0, CREATE_SUSPENDED);
    t->m_bAutoDelete = FALSE;
    EXPECT_EQ(t->GetThreadPriority(), THREAD_PRIORITY_ABOVE_NORMAL);
    EXPECT_TRUE(t->PostThreadMessage(WM_EXPORT_CANCEL, 0, 0)); // before the thread even runs
    t->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(t->m_hThread, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeThread(t->m_hThread, &code));
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(shared.polls.load(), 1);
    HANDLE h = t->m_hThread;
    delete t;
    EXPECT_EQ(::WaitForSingleObject(h, 0), WAIT_FAILED); // closed with its object
}

TEST_F(MessagesTest, SendingFromAWorkerRunsOnTheWindowsThread)
{
    struct Shared
    {
        HWND target;
        std::atomic<bool> done{false};
        std::vector<DWORD> answers;
    } shared;
    shared.target = wnd.GetSafeHwnd();
    auto proc = [](LPVOID p) -> UINT {
        auto* s = static_cast<Shared*>(p);
        for (int i = 0; i < 20; ++i)
            s->answers.push_back((DWORD)::SendMessage(s->target, WM_PROBE, 0, 0));
        ::SetWindowText(s->target, "from the worker");
        ::EnableWindow(s->target, FALSE);
        ::ShowWindow(s->target, SW_HIDE);
        s->done = true;
        return 0;
    };
    DWORD me = GetCurrentThreadId();
    CWinThread* t = AfxBeginThread(proc, &shared);
    HANDLE h = nullptr;
    (void)h;
    // The user-interface thread pumps; each send waits until it is answered here.
    for (int i = 0; i < 100000 && !shared.done; ++i) {
        vyr::PumpMessages();
        ::WaitMessage();
    }
    ASSERT_TRUE(shared.done);
    EXPECT_EQ(wnd.probes, 20);
    ASSERT_EQ(shared.answers.size(), 20u);
    for (DWORD a : shared.answers)
        EXPECT_EQ(a, me);
    EXPECT_EQ(wnd.setTextThread, me);
    EXPECT_EQ(wnd.stateThreads, (std::vector<DWORD>{me, me}));
    EXPECT_FALSE(wnd.IsWindowEnabled());
    EXPECT_FALSE(wnd.IsWindowVisible());
    CString s;
    wnd.GetWindowText(s);
    EXPECT_EQ(s, "from the worker");
    (void)t; // deleted by itself
}

TEST_F(MessagesTest, TimersFireFromTheLoopOnTheVirtualClock)
{
    wnd.SetTimer(3, 100);
    vyr::PumpMessages();
    EXPECT_TRUE(wnd.log.empty());
    vyr::AdvanceClock(99);
    vyr::PumpMessages();
    EXPECT_TRUE(wnd.log.empty());
    vyr::AdvanceClock(1);
    wnd.Invalidate();
    vyr::PumpMessages();
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"paint", "timer 3"})); // paints come first
    vyr::AdvanceClock(350); // periods missed while busy come as one message
    vyr::PumpMessages();
    EXPECT_EQ(wnd.log.size(), 3u);
    EXPECT_TRUE(wnd.KillTimer(3));
    vyr::AdvanceClock(1000);
    vyr::PumpMessages();
    EXPECT_EQ(wnd.log.size(), 3u);
}

TEST_F(MessagesTest, InvalidationIsAnsweredByOnePaintWhenTheQueueIsEmpty)
{
    auto before = vyr::GetWindowCounters(wnd);
    wnd.Invalidate();
    wnd.InvalidateRect(CRect(0, 0, 5, 5));
    ::PostMessage(wnd, WM_END_EDIT, 9, 0);
    vyr::PumpMessages();
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"end edit 9", "paint"}));
    auto after = vyr::GetWindowCounters(wnd);
    EXPECT_EQ(after.invalidations - before.invalidations, 2);
    EXPECT_EQ(after.paints - before.paints, 1);
    wnd.Invalidate();
    wnd.UpdateWindow(); // at once
    EXPECT_EQ(wnd.log.back(), "paint");
    EXPECT_EQ(wnd.log.size(), 3u);
    vyr::PumpMessages();
    EXPECT_EQ(wnd.log.size(), 3u); // nothing left to paint
}

TEST_F(MessagesTest, FocusCaptureCursorAndWaitCursorAreRecorded)
{
    CWnd a, b;
    ASSERT_TRUE(a.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 1));
    ASSERT_TRUE(b.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 2));
    a.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &a);
    EXPECT_EQ(b.SetFocus(), &a);
    EXPECT_EQ(CWnd::GetFocus(), &b);
    b.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &b);
    ::ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    HCURSOR cross = AfxGetApp()->LoadStandardCursor(IDC_CROSS);
    ::SetCursor(cross);
    EXPECT_EQ(vyr::CurrentCursor(), cross);
    int n = vyr::WaitCursorCount();
    {
        CWaitCursor wait;
        EXPECT_TRUE(vyr::WaitCursorShown());
    }
    EXPECT_FALSE(vyr::WaitCursorShown());
    EXPECT_EQ(vyr::WaitCursorCount(), n + 1);
    b.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), nullptr); // the focus went with its window
}

TEST(SyncObjects, CriticalSectionAndEventsBetweenThreads)
{
    struct Shared
    {
        CCriticalSection cs;
        CEvent go{FALSE, TRUE};
        long counter = 0;
    } shared;
    auto proc = [](LPVOID p) -> UINT {
        auto* s = static_cast<Shared*>(p);
        ::WaitForSingleObject(s->go, INFINITE);
        for (int i = 0; i < 1000; ++i) {
            CSingleLock lock(&s->cs, TRUE);
            ++s->counter;
        }
        return 0;
    };
    CWinThread* t1 = AfxBeginThread(proc, &shared, 0, 0, CREATE_SUSPENDED);
    CWinThread* t2 = AfxBeginThread(proc, &shared, 0, 0, CREATE_SUSPENDED);
    t1->m_bAutoDelete = t2->m_bAutoDelete = FALSE;
    t1->ResumeThread();
    t2->ResumeThread();
    EXPECT_EQ(::WaitForSingleObject(t1->m_hThread, 20), WAIT_TIMEOUT); // still waiting for go
    shared.go.SetEvent();
    EXPECT_EQ(::WaitForSingleObject(t1->m_hThread, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(t2->m_hThread, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(shared.counter, 2000);
    delete t1;
    delete t2;
    CEvent autoReset;
    autoReset.SetEvent();
    EXPECT_EQ(::WaitForSingleObject(autoReset, 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(autoReset, 0), WAIT_TIMEOUT); // consumed
}

TEST(MainWindow, TheHostSetsTheMainWindowThatEveryThreadSees)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr));
    vyr::SetMainWnd(&frame);
    EXPECT_EQ(AfxGetMainWnd(), &frame);
    EXPECT_EQ(AfxGetThread()->GetMainWnd(), &frame);
    std::atomic<CWnd*> seen{nullptr};
    CWinThread* t = AfxBeginThread(
        [](LPVOID p) -> UINT {
            static_cast<std::atomic<CWnd*>*>(p)->store(AfxGetMainWnd());
            return 0;
        },
        &seen, 0, 0, CREATE_SUSPENDED);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    ::WaitForSingleObject(t->m_hThread, INFINITE);
    delete t;
    EXPECT_EQ(seen.load(), &frame);
    vyr::SetMainWnd(nullptr);
}

} // namespace

namespace {

TEST(MessagesDeathTest, WaitingForAWorkerThatSendsToThisThreadStopsInsteadOfHanging)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            CWnd w;
            w.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
            HWND h = w.GetSafeHwnd();
            CWinThread* t = AfxBeginThread(
                [](LPVOID p) -> UINT { return (UINT)::SendMessage((HWND)p, WM_USER, 0, 0); }, h, 0, 0,
                CREATE_SUSPENDED);
            t->m_bAutoDelete = FALSE;
            t->ResumeThread();
            ::WaitForSingleObject(t->m_hThread, INFINITE);
        },
        "deadlock");
}

} // namespace
