#include <vyr/host/MenuViewBase.h>

#include <vyr/gbk.h>

IMPLEMENT_DYNAMIC(CMenuViewBase, CFormView)

// No handler of its own: in particular no IDOK, so Enter in a panel does nothing.
BEGIN_MESSAGE_MAP(CMenuViewBase, CFormView)
END_MESSAGE_MAP()

CMenuViewBase::CMenuViewBase(unsigned long nIDTemplate) : CFormView((UINT)nIDTemplate) {}

BOOL CMenuViewBase::Create(CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CFormView::Create(nullptr, nullptr, WS_CHILD, CFrameWnd::rectDefault, pParentWnd, nID, pContext);
}

bool CFrameViews::NameLess::operator()(const CString& a, const CString& b) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(a.GetString()),
                   reinterpret_cast<const unsigned char*>(b.GetString())) < 0;
}

void CFrameViews::Discard(CMenuViewBase* panel)
{
    auto it = m_windows.find(panel);
    const HWND hWnd = it != m_windows.end() ? it->second : nullptr;
    m_windows.erase(panel);
    if (!hWnd)
        delete panel;
    else if (::IsWindow(hWnd) && CWnd::FromHandle(hWnd) == panel)
        panel->DestroyWindow(); // the view deletes itself with its window
}

CFrameViews::~CFrameViews()
{
    // Panels with windows belong to the frame and go with it (they may be gone already);
    // a panel that never got a window has no other owner.
    for (auto& [panel, hWnd] : m_windows)
        if (!hWnd)
            delete panel;
    m_windows.clear();
    m_views.clear();
}

CMenuViewBase* CFrameViews::Add(CRuntimeClass* pClass)
{
    CObject* object = pClass ? pClass->CreateObject() : nullptr;
    CMenuViewBase* panel = object && object->IsKindOf(RUNTIME_CLASS(CMenuViewBase)) ? (CMenuViewBase*)object : nullptr;
    if (!panel) {
        delete object;
        return nullptr;
    }
    CMenuViewBase*& slot = m_views[panel->GetType()];
    if (slot && slot != panel)
        Discard(slot);
    slot = panel;
    m_windows[panel] = nullptr;
    return panel;
}

void CFrameViews::Create(CCreateContext* pContext)
{
    UINT id = 1;
    for (auto& [name, panel] : m_views)
        if (panel->Create(m_pFrameWnd, id++, pContext))
            m_windows[panel] = panel->GetSafeHwnd();
}

void CFrameViews::SetParam(CGlobalData* pGlobalData)
{
    for (auto& [name, panel] : m_views)
        panel->SetParam(pGlobalData);
}

CMenuViewBase* CFrameViews::GetDlg(const CString& strType)
{
    auto it = m_views.find(strType.IsEmpty() ? m_strCurrent : strType);
    return it != m_views.end() ? it->second : nullptr;
}

void CFrameViews::Update(const CString& strType)
{
    if (strType.IsEmpty()) {
        for (auto& [name, panel] : m_views)
            panel->Update();
        return;
    }
    auto it = m_views.find(strType);
    if (it != m_views.end())
        it->second->Update();
}

CMenuViewBase* CFrameViews::FindVisible() const
{
    CWnd* wnd = m_pFrameWnd ? m_pFrameWnd->GetActiveView() : nullptr;
    while (wnd && !wnd->IsKindOf(RUNTIME_CLASS(CMenuViewBase)))
        wnd = wnd->GetParent();
    return (CMenuViewBase*)wnd;
}

void CFrameViews::SwitchToView(const CString& strType)
{
    // An empty name would make the current panel both the new and the old one, showing it
    // and hiding it again: it keeps the panel shown instead.
    if (strType.IsEmpty())
        return;
    auto it = m_views.find(strType);
    if (it == m_views.end())
        return;
    if (_mbscmp(reinterpret_cast<const unsigned char*>(strType.GetString()),
                reinterpret_cast<const unsigned char*>(m_strCurrent.GetString())) == 0)
        return;
    VYR_CHECK(m_pFrameWnd != nullptr, "CFrameViews::SwitchToView before SetFrameWnd");
    m_strCurrent = strType;
    CMenuViewBase* shown = it->second;
    CMenuViewBase* old = FindVisible();
    m_pFrameWnd->SetActiveView(shown, TRUE);
    shown->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    shown->DoShow();
    shown->ShowWindow(SW_SHOW);
    if (old && old != shown) {
        old->SetDlgCtrlID(0);
        old->DoHide();
        old->ShowWindow(SW_HIDE);
    }
    m_pFrameWnd->RecalcLayout(TRUE);
    shown->Resize();
}

int CFrameViews::OnCmdMsg(unsigned nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMenuViewBase* shown = FindVisible();
    return shown ? shown->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) : 0;
}
