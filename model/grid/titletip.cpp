#include <vyr/model/grid/titletip.h>

IMPLEMENT_DYNAMIC(CTitleTip, CWnd)

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CTitleTip::CTitleTip() = default;

CTitleTip::~CTitleTip() = default;

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, 0);
}

BOOL CTitleTip::Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset, COLORREF crTextClr, COLORREF crBackClr)
{
    if (!GetSafeHwnd() || !m_pParentWnd) return FALSE;
    CDC* pDC = m_pParentWnd->GetDC();
    if (!pDC) return FALSE;
    const CSize size = pDC->GetTextExtent(lpszTitleText, -1);
    m_pParentWnd->ReleaseDC(pDC);
    // Only a text that the cell cuts needs the tip.
    if (size.cx + xoffset <= rectTitle.Width()) {
        Hide();
        return FALSE;
    }
    m_strText = lpszTitleText;
    m_crText = crTextClr;
    m_crBack = crBackClr;
    SetWindowText(lpszTitleText);
    MoveWindow(rectTitle.left, rectTitle.top, size.cx + xoffset + 6, rectTitle.Height());
    ShowWindow(SW_SHOW);
    Invalidate();
    return TRUE;
}

void CTitleTip::Hide()
{
    if (GetSafeHwnd() && IsWindowVisible()) ShowWindow(SW_HIDE);
}

void CTitleTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, m_crBack == CLR_DEFAULT ? RGB(255, 255, 225) : m_crBack);
    dc.Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_crText == CLR_DEFAULT ? RGB(0, 0, 0) : m_crText);
    rc.DeflateRect(3, 0);
    dc.DrawText(m_strText, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
