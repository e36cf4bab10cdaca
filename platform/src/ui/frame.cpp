// Frame windows and form views (see frame.h).
#include <vyr/frame.h>

#include <vyr/controls.h>
#include <vyr/resources.h>
#include <vyr/vyrdiag.h>

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CFormView, CView)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR, DWORD dwExStyle, CCreateContext*)
{
    CRect r(rect);
    if (r.left == CW_USEDEFAULT)
        r.SetRect(0, 0, 1024, 768);
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, r.left, r.top, r.Width(), r.Height(),
                    pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

CView* CFrameWnd::GetActiveView() const
{
    if (!m_pViewActive || !::IsWindow(m_hWndViewActive) || CWnd::FromHandle(m_hWndViewActive) != m_pViewActive)
        return nullptr;
    return m_pViewActive;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    m_pViewActive = pViewNew;
    m_hWndViewActive = pViewNew ? pViewNew->GetSafeHwnd() : nullptr;
    if (bNotify && m_hWndViewActive)
        ::SetFocus(m_hWndViewActive);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    if (CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST))
        pane->MoveWindow(&client);
}

CFormView::CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

CFormView::CFormView(LPCTSTR lpszTemplateName) : m_strTemplateName(lpszTemplateName) {}

BOOL CFormView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, void*)
{
    const vyr::DialogTemplate* t = m_nIDTemplate ? vyr::FindDialogTemplate(m_nIDTemplate)
                                                 : vyr::FindDialogTemplate(m_strTemplateName.GetString());
    if (!t) {
        std::string what = "form view template " +
                           (m_nIDTemplate ? std::to_string(m_nIDTemplate) : m_strTemplateName.str()) +
                           " is not in the resource script";
        VYR_CHECK(false, what.c_str());
    }
    CRect r(rect);
    if (r.left == CW_USEDEFAULT)
        r.SetRect(0, 0, t->rect.Width(), t->rect.Height());
    DWORD style = (dwStyle | WS_CHILD) & ~(DWORD)WS_POPUP;
    if (!CreateEx(0, lpszClassName, lpszWindowName, style, r.left, r.top, r.Width(), r.Height(),
                  pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, (HMENU)(UINT_PTR)nID))
        return FALSE;
    if (HFONT font = vyr::DialogTemplateFont(*t))
        SendMessage(WM_SETFONT, (WPARAM)font, FALSE);
    for (const auto& c : t->controls) {
        vyr::CreateControlFromTemplate(c, this);
        if (!m_hWnd)
            return FALSE;
    }
    if (t->id)
        vyr::ApplyDialogInit(this, t->id);
    return TRUE;
}

void CFormView::ScrollToPosition(POINT pt)
{
    const int dx = m_ptScroll.x - pt.x, dy = m_ptScroll.y - pt.y;
    m_ptScroll = CPoint(pt.x, pt.y);
    if (!m_hWnd || (dx == 0 && dy == 0))
        return;
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        CRect rc;
        child->GetWindowRect(&rc);
        ScreenToClient(&rc);
        rc.OffsetRect(dx, dy);
        child->MoveWindow(&rc, FALSE);
    }
    Invalidate();
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}
