// The application object, the host's main window, the wait cursor and the module handles.
#pragma once

#include <vector>

#include <vyr/thread.h>

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

// Extension-module support. A library that extends the host's class library keeps one
// module record, initialises it when the process attaches and links a CDynLinkLibrary on
// it into the process-wide chain through which the host's resource and class lookups
// reach the library. The host's own resources (scripts added with AddResourceScriptText)
// are searched first, then the modules of the chain.
struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HINSTANCE hResource = nullptr;
};

// Fills the record for the module (idempotent); TRUE when the module may be used.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Unlinks and deletes the CDynLinkLibrary objects of the module (of every module when
// bAll), then marks the record uninitialised.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);
// No ActiveX controls run here; nothing to prepare.
inline void AfxEnableControlContainer() {}

class CDynLinkLibrary : public CCmdTarget
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    // Links itself at the head of the chain (the newest is searched first). The record must
    // have been initialised.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    ~CDynLinkLibrary() override;
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule;
    HINSTANCE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL = nullptr;
};

namespace vyr {
// The chain of CDynLinkLibrary objects, newest first.
std::vector<CDynLinkLibrary*> DynLinkLibraries();
// The module handle of the library: its entry hands it to AfxInitExtensionModule. The
// resource scripts of the resource folder and the classes compiled into the library belong
// to it, so they are found only while a CDynLinkLibrary of it is in the chain, or while it
// is the current resource handle (AfxSetResourceHandle).
HINSTANCE LibraryModuleHandle();
// Whether a lookup now reaches the library's resources.
bool LibraryResourcesReachable();
// The test host's main frame.
void SetMainWnd(CWnd* pWnd);
// How many times a wait cursor was shown, and whether one shows now.
int WaitCursorCount();
bool WaitCursorShown();
} // namespace vyr
