// The one way the library talks to its host: every WM_UI_* message goes through these two
// helpers to the main window of the calling thread (AfxGetThread()->GetMainWnd()).
//
// VyrSendToHost waits for the host's answer; a GET message answers with a pointer to an
// object the host owns (never deleted by the library) or with a number. With no main window
// the answer is 0, which every caller treats as "the host has nothing".
//
// VyrPostToHost queues the message and returns at once, so nothing it carries may live in
// the sender's stack frame: a pointer argument must name an object that outlives the
// sender's call (a descriptor's own storey heights, a heap record). A posted
// WM_UI_SHOWPANEL always carries lParam 0 ("refresh the shown panel"): a panel name is only
// ever handed over by a send. Breaking either rule stops the program with a message.
#pragma once

#include <cstdint>
#include <pthread.h>

#include <vyr/stdafx.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/vyrdiag.h>

namespace vyr_host_detail {

// Whether the value, read as an address, lies in the calling thread's stack.
inline bool PointsIntoOwnStack(std::uintptr_t value)
{
    thread_local std::uintptr_t low = 0, high = 0;
    if (high == 0) {
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) != 0)
            return false;
        void* base = nullptr;
        size_t size = 0;
        if (pthread_attr_getstack(&attr, &base, &size) == 0) {
            low = reinterpret_cast<std::uintptr_t>(base);
            high = low + size;
        }
        pthread_attr_destroy(&attr);
        if (high == 0)
            return false;
    }
    return value >= low && value < high;
}

} // namespace vyr_host_detail

// The host's main frame as the calling thread's thread object names it, or null.
inline CWnd* VyrHostWnd()
{
    CWinThread* thread = AfxGetThread();
    CWnd* wnd = thread ? thread->GetMainWnd() : nullptr;
    return wnd && wnd->GetSafeHwnd() ? wnd : nullptr;
}

// Sends a message to the host and returns its answer (0 when there is no host window).
inline LRESULT VyrSendToHost(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    CWnd* host = VyrHostWnd();
    return host ? host->SendMessage(message, wParam, lParam) : 0;
}

// Queues a message for the host; FALSE when there is no host window to take it.
inline BOOL VyrPostToHost(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    VYR_CHECK(!(message == WM_UI_SHOWPANEL && lParam != 0),
              "WM_UI_SHOWPANEL posted with a panel name: a name is handed over only by a send");
    VYR_CHECK(!vyr_host_detail::PointsIntoOwnStack(static_cast<std::uintptr_t>(wParam)) &&
                  !vyr_host_detail::PointsIntoOwnStack(static_cast<std::uintptr_t>(lParam)),
              "a message posted to the host points into the sender's stack");
    CWnd* host = VyrHostWnd();
    return host ? host->PostMessage(message, wParam, lParam) : FALSE;
}
