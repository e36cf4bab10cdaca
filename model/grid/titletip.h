// The tip window that shows a cell's text in full when the cell cuts it.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/wnd.h>

class CTitleTip : public CWnd
{
    DECLARE_DYNAMIC(CTitleTip)
public:
    CTitleTip();
    ~CTitleTip() override;

    // Creates the (hidden) tip window as a child of the given window.
    BOOL Create(CWnd* pParentWnd);

    void SetParentWnd(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
    CWnd* GetParentWnd() { return m_pParentWnd; }

    // Shows text over rectTitle when it is wider than rectTitle; otherwise hides the tip.
    // Returns TRUE when the tip is shown.
    BOOL Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset = 0, COLORREF crTextClr = CLR_DEFAULT,
              COLORREF crBackClr = CLR_DEFAULT);
    void Hide();

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CWnd* m_pParentWnd = nullptr;
    CString m_strText;
    COLORREF m_crText = CLR_DEFAULT;
    COLORREF m_crBack = CLR_DEFAULT;
};
