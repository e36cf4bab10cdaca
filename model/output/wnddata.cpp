#include <vyr/model/output/wnddata.h>

#include <vyr/msgbox.h>

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

bool CWndData::GetString(long id, CString& out, const CString& prompt) const
{
    CWnd* p = GetCtlWnd(id, prompt);
    if (!p) return false;
    p->GetWindowText(out);
    return true;
}

void CWndData::Prompt(const CString& prompt)
{
    if (!prompt.IsEmpty()) AfxMessageBox(prompt, MB_OK);
}
