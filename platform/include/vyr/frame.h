// Frame windows and form views: the host's main frame holds views; a form view is a view
// whose contents come from a dialog template of the resource script.
#pragma once

#include <vyr/view.h>

#ifndef CW_USEDEFAULT
#define CW_USEDEFAULT ((int)0x80000000)
#endif
// The child id of the view that fills a frame's client area.
#define AFX_IDW_PANE_FIRST 0xE900

class CFrameWnd;

// What a frame hands the views it creates.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CFrameWnd)
public:
    // CW_USEDEFAULT corners: the frame gets 1024 x 768 pixels at the origin.
    static const CRect rectDefault;

    CFrameWnd() = default;
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);

    // Null when none was set or its window is gone.
    CView* GetActiveView() const;
    // With bNotify the new view takes the focus, as an activated view does.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    // The child whose id is AFX_IDW_PANE_FIRST fills the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);

protected:
    // A frame lives on the heap and goes with its window, as views do.
    void PostNcDestroy() override { delete this; }

    CView* m_pViewActive = nullptr;
    HWND m_hWndViewActive = nullptr;
};

class CFormView : public CView
{
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCTSTR lpszTemplateName);

    // Creates the view as a child from its template: the template's controls and DLGINIT
    // contents; the style requested (a view is never a popup). With rectDefault the view
    // takes the template's size.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, void* pContext = nullptr) override;
    // Fills the controls from the members (UpdateData(FALSE)).
    void OnInitialUpdate() override;
    // The point of the form at the client area's top left: (0, 0) until scrolled.
    CPoint GetScrollPosition() const { return m_ptScroll; }
    // Scrolls the form so that pt comes to the top left: the controls move by the change.
    void ScrollToPosition(POINT pt);
    void OnDraw(CDC*) override {}

    UINT m_nIDTemplate = 0;
    CString m_strTemplateName;

protected:
    CPoint m_ptScroll;
    // A view lives on the heap and goes with its window.
    void PostNcDestroy() override { delete this; }
};
