// The drawing view of a document/view frame, as far as the library uses it: a window that
// paints itself through OnDraw.
#pragma once

#include <vyr/wnd.h>

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override = default;

    // Called once by the host after the view is created and given its data.
    virtual void OnInitialUpdate() { Invalidate(); }

    // Draws the view's contents; the paint handler calls it with the paint context.
    virtual void OnDraw(CDC* pDC) = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            CPaintDC dc(this);
            OnDraw(&dc);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
