// A minimal host for benchmarks of dialogs that ask the host for its window and view.
#pragma once

#include <vyr/host/HostMessages.h>
#include <vyr/view.h>
#include <vyr/wnd.h>

namespace vyrbench {

class CBenchView : public CView
{
public:
    void OnDraw(CDC*) override {}
};

// The host's main window: answers with its window and view, swallows the rest.
class CBenchHost : public CWnd
{
public:
    CWnd* m_pView = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_UI_GETHOSTWND)
            return (LRESULT)this;
        if (message == WM_UI_GETACTIVEVIEW)
            return (LRESULT)m_pView;
        if (message >= WM_USER + 100 && message <= WM_USER + 201)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace vyrbench
