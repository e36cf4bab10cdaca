// Internals shared by the window, thread and dialog layers.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include <vyr/thread.h>
#include <vyr/wnd.h>

namespace vyr::ui {

struct SentItem;

// The message queue of one thread.
struct ThreadQueue
{
    DWORD id = 0;
    std::mutex m;
    std::condition_variable cv;
    std::deque<MSG> posted;
    std::deque<std::shared_ptr<SentItem>> sent;
    unsigned epoch = 0;   // bumped (under m) on anything that may wake the thread
    bool quit = false;
    int quitCode = 0;
    bool dead = false;    // the thread has ended
    CWinThread* thread = nullptr;

    void Wake()
    {
        {
            std::lock_guard<std::mutex> lk(m);
            ++epoch;
        }
        cv.notify_all();
    }
};

struct SentItem
{
    std::function<LRESULT()> fn;
    LRESULT result = 0;
    bool done = false;
    std::shared_ptr<ThreadQueue> sender;
};

struct TimerEntry
{
    UINT_PTR id;
    UINT elapse;
    DWORD due;
    TIMERPROC proc;
};

// The lock over every window record and the registries.
std::recursive_mutex& Lock();

std::shared_ptr<ThreadQueue> CurrentQueue();
// The queue made for a thread before it starts (AfxBeginThread).
std::shared_ptr<ThreadQueue> NewQueue();
void BindCurrentThread(const std::shared_ptr<ThreadQueue>& q);
void EndCurrentThread();
std::shared_ptr<ThreadQueue> QueueOfThread(DWORD id);

// Runs the cross-thread sends waiting for the calling thread; true when there were any.
bool RunPendingSends();
// Waits until something arrives for the calling thread or the time is up.
void WaitForEvent(DWORD milliseconds);
// Sends the message to a window of the calling thread.
LRESULT CallWindow(HWND h, UINT message, WPARAM wParam, LPARAM lParam);
// Passes a message through PreTranslateMessage of the window and its ancestors; true when
// one of them took it.
bool WalkPreTranslate(MSG* pMsg);
// One turn of a message loop: sends, then one posted/timer/paint message translated and
// dispatched. False when nothing was there. *quit is set when WM_QUIT came.
bool PumpOne(bool* quit);

HWND CreateWindowFor(CWnd* wnd, const CREATESTRUCT& cs);

// Appends to a window's text as WM_SETTEXT would store the whole, without copying what is
// there; false for a window that is gone.
bool AppendWindowText(HWND h, const std::string& s);

} // namespace vyr::ui

// The window record behind an HWND.
struct HWND__
{
    bool alive = true;
    bool destroying = false;
    CString className;
    CWnd* wnd = nullptr;              // the attached object
    std::unique_ptr<CWnd> ownWnd;     // made by the window layer when nothing else is attached
    std::vector<CWnd*> displaced;     // objects attached before the current one (DDX_Control over a
                                      // control's own object); they get the window back in turn
    std::unique_ptr<vyr::WindowClassProc> proc;
    HWND parent = nullptr;
    std::vector<HWND> children;       // creation order: the tab order
    int id = 0;
    CString text;
    DWORD style = 0;
    DWORD exStyle = 0;
    CRect rect;                       // in the parent's client coordinates (screen for top level)
    std::shared_ptr<vyr::ui::ThreadQueue> thread;
    bool dirty = false;
    bool erase = false;
    vyr::WindowCounters counters;
    std::vector<vyr::ui::TimerEntry> timers;
    HFONT font = nullptr;
    vyr::Image* renderTarget = nullptr;  // set while RenderWindow paints it
    POINT renderOrigin{0, 0};
};
