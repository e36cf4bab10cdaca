// Dialogs: created from the templates of the library's resource scripts (resources.h),
// modal (DoModal) or modeless (Create).
//
// DoModal: the dialog window and its controls are created from the template (hidden), the
// DLGINIT texts go into their combo and list boxes, WM_INITDIALOG runs OnInitDialog (whose
// base fills the controls by UpdateData(FALSE)), the dialog is shown (WM_SHOWWINDOW) and a
// modal loop pumps messages; its first idle turn paints (WM_PAINT), later idle turns let
// the scripted user act (scripteduser.h). The loop ends at EndDialog; the window is
// destroyed before DoModal returns. The owner window is disabled meanwhile.
#pragma once

#include <atomic>

#include <vyr/wnd.h>

namespace vyr {
struct DialogTemplate;
}

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Modeless: creates the window (visible when the template says WS_VISIBLE).
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    // Runs a dialog from a template object (tests, and templates built in code).
    INT_PTR DoModalIndirect(const vyr::DialogTemplate* pTemplate);
    BOOL CreateIndirect(const vyr::DialogTemplate* pTemplate, CWnd* pParentWnd = nullptr);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);

    DWORD GetDefID() const;
    void SetDefID(UINT nID);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void MapDialogRect(LPRECT lpRect) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDHelp = 0;
    LPCTSTR m_lpszTemplateName = nullptr; // MAKEINTRESOURCE(id) or a name
    CWnd* m_pParentWnd = nullptr;

    // True while DoModal's loop runs.
    bool IsModalRunning() const { return m_bModal && !m_bEnded; }
    int GetModalResult() const { return m_nModalResult; }

protected:
    CDialog();
    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;
    LRESULT HandleInitDialog(WPARAM, LPARAM);

private:
    const vyr::DialogTemplate* FindTemplate() const;
    BOOL CreateFromTemplate(const vyr::DialogTemplate* t, CWnd* pParentWnd, bool modal);
    INT_PTR RunModal(const vyr::DialogTemplate* t);

    UINT m_nIDTemplate = 0;
    CString m_strTemplateName;
    const vyr::DialogTemplate* m_pTemplate = nullptr;
    std::atomic<int> m_nModalResult{-1};
    bool m_bModal = false;
    std::atomic<bool> m_bEnded{false};
    UINT m_nDefID = IDOK;
};
