#include <vyr/protocol/DlgRecordPos.h>

#include <vyr/protocol/HostProtocol.h>

IMPLEMENT_DYNAMIC(CDlgRecordPos, CDialog)

CDlgRecordPos::CDlgRecordPos(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

BOOL CDlgRecordPos::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect rc;
    GetWindowRect(&rc);
    if (m_nLeft == 0 && m_nTop == 0) {
        CWnd* host = reinterpret_cast<CWnd*>(VyrSendToHost(WM_UI_GETHOSTWND));
        CWnd* view = reinterpret_cast<CWnd*>(VyrSendToHost(WM_UI_GETACTIVEVIEW));
        // A host without a window or a view to place by: the dialog stays where its
        // template put it and is placed again next time.
        if (!host || !view || !host->GetSafeHwnd() || !view->GetSafeHwnd())
            return FALSE;
        CRect hostRect, viewRect;
        host->GetWindowRect(&hostRect);
        view->GetWindowRect(&viewRect);
        m_nLeft = hostRect.right - rc.Width() - 10;
        m_nTop = viewRect.top;
    }
    MoveWindow(m_nLeft, m_nTop, rc.Width(), rc.Height(), TRUE);
    return FALSE;
}

void CDlgRecordPos::RecordPlace()
{
    CRect rc;
    GetWindowRect(&rc);
    m_nLeft = rc.left;
    m_nTop = rc.top;
}

void CDlgRecordPos::OnOK()
{
    RecordPlace();
    CDialog::OnOK();
}

void CDlgRecordPos::OnCancel()
{
    RecordPlace();
    CDialog::OnCancel();
}

void CDlgRecordPos::SelEdit(UINT nID) { VyrSelEdit(this, nID); }

void VyrSelEdit(CWnd* dlg, UINT nID)
{
    CWnd* edit = dlg->GetDlgItem((int)nID);
    if (!edit)
        return;
    edit->SendMessage(EM_SETSEL, 0, -1);
    edit->SendMessage(EM_SCROLLCARET, 0, 0);
    edit->SetFocus();
}
