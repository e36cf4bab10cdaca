// The application object, the host's main window, the wait cursor and the module handles.
#pragma once

#include "thread.h"

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    HINSTANCE m_hInstance = nullptr;

    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();
};

// The application: the one constructed, else a built-in one.
CWinApp* AfxGetApp();
// The host's main window (AfxGetThread()->GetMainWnd()).
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);

// Shows the wait cursor for its lifetime (recorded: see vyr::WaitCursorShown).
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

namespace vyr {
// The test host's main frame.
void SetMainWnd(CWnd* pWnd);
// How many times a wait cursor was shown, and whether one shows now.
int WaitCursorCount();
bool WaitCursorShown();
} // namespace vyr
