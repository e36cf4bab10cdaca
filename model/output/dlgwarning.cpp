#include <vyr/model/output/dlgwarning.h>

#include <vyr/resources.h>

CDlgWarning::CDlgWarning(CWnd* pParent) : CDialog((UINT)0, pParent) {}

INT_PTR CDlgWarning::DoModal()
{
    // The layout lives here rather than in a resource script: a message over an OK button.
    vyr::DialogTemplate t;
    t.caption = "警告";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.rect = CRect(0, 0, 320, 140);
    vyr::DialogControl text;
    text.className = "Static";
    text.id = IDC_WARNING_TEXT;
    text.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
    text.rect = CRect(12, 12, 308, 88);
    vyr::DialogControl ok;
    ok.className = "Button";
    ok.text = "确定";
    ok.id = IDOK;
    ok.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
    ok.rect = CRect(120, 100, 200, 126);
    t.controls = {text, ok};
    return DoModalIndirect(&t);
}

BOOL CDlgWarning::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_WARNING_TEXT, m_strMessage);
    return TRUE;
}
