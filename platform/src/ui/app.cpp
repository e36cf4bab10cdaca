// The application object, the main window and the wait cursor.
#include <atomic>

#include <vyr/app.h>
#include "uiimpl.h"
#include <vyr/vyrdiag.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
std::atomic<CWinApp*> g_app{nullptr};
std::atomic<int> g_waitCount{0};
std::atomic<int> g_waitDepth{0};
HINSTANCE g_resource = nullptr;
} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    m_bAutoDelete = FALSE;
    CWinApp* none = nullptr;
    g_app.compare_exchange_strong(none, this);
}

CWinApp::~CWinApp()
{
    CWinApp* me = this;
    g_app.compare_exchange_strong(me, nullptr);
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(nullptr, lpszCursorName); }

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return ::LoadCursor(m_hInstance, MAKEINTRESOURCE(nIDResource)); }

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const { return ::LoadCursor(m_hInstance, lpszResourceName); }

HICON CWinApp::LoadIcon(UINT nIDResource) const { return ::LoadIcon(m_hInstance, MAKEINTRESOURCE(nIDResource)); }

void CWinApp::BeginWaitCursor()
{
    ++g_waitCount;
    ++g_waitDepth;
    ::SetCursor(LoadStandardCursor(IDC_WAIT));
}

void CWinApp::EndWaitCursor()
{
    if (g_waitDepth > 0 && --g_waitDepth == 0)
        ::SetCursor(LoadStandardCursor(IDC_ARROW));
}

void CWinApp::RestoreWaitCursor()
{
    if (g_waitDepth > 0)
        ::SetCursor(LoadStandardCursor(IDC_WAIT));
}

CWinApp* AfxGetApp()
{
    if (CWinApp* a = g_app.load())
        return a;
    static CWinApp builtIn;
    return g_app.load() ? g_app.load() : &builtIn;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* t = AfxGetThread();
    return t ? t->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetApp()->m_hInstance; }

HINSTANCE AfxGetResourceHandle()
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    return g_resource ? g_resource : AfxGetApp()->m_hInstance;
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    g_resource = hInstResource;
}

CWaitCursor::CWaitCursor() { AfxGetApp()->BeginWaitCursor(); }
CWaitCursor::~CWaitCursor() { AfxGetApp()->EndWaitCursor(); }
void CWaitCursor::Restore() { AfxGetApp()->RestoreWaitCursor(); }

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

namespace {
CDynLinkLibrary* g_firstDLL = nullptr;
char g_libraryModule; // its address is the library's module handle
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    if (state.bInitialized)
        return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    std::vector<CDynLinkLibrary*> doomed;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        if (!state.bInitialized)
            return;
        for (CDynLinkLibrary* p = g_firstDLL; p; p = p->m_pNextDLL)
            if (bAll || p->m_hModule == state.hModule)
                doomed.push_back(p);
        state.bInitialized = FALSE;
    }
    for (CDynLinkLibrary* p : doomed)
        delete p; // unlinks itself
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem)
{
    VYR_CHECK(state.bInitialized, "CDynLinkLibrary on an extension module that was not initialised");
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    m_pNextDLL = g_firstDLL;
    g_firstDLL = this;
    if (m_hModule == vyr::LibraryModuleHandle())
        vyr::LinkLibraryClasses(1);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    for (CDynLinkLibrary** pp = &g_firstDLL; *pp; pp = &(*pp)->m_pNextDLL)
        if (*pp == this) {
            *pp = m_pNextDLL;
            if (m_hModule == vyr::LibraryModuleHandle())
                vyr::LinkLibraryClasses(-1);
            break;
        }
}

namespace vyr {
std::vector<CDynLinkLibrary*> DynLinkLibraries()
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    std::vector<CDynLinkLibrary*> v;
    for (CDynLinkLibrary* p = g_firstDLL; p; p = p->m_pNextDLL)
        v.push_back(p);
    return v;
}

HINSTANCE LibraryModuleHandle() { return reinterpret_cast<HINSTANCE>(&g_libraryModule); }

bool LibraryResourcesReachable()
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    if (g_resource == LibraryModuleHandle())
        return true;
    for (CDynLinkLibrary* p = g_firstDLL; p; p = p->m_pNextDLL)
        if (p->m_hResource == LibraryModuleHandle())
            return true;
    return false;
}

void SetMainWnd(CWnd* pWnd) { AfxGetApp()->m_pMainWnd = pWnd; }
int WaitCursorCount() { return g_waitCount.load(); }
bool WaitCursorShown() { return g_waitDepth.load() > 0; }
} // namespace vyr
