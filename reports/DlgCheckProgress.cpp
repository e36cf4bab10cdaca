#include <vyr/reports/DlgCheckProgress.h>

#include <vyr/controls.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>
#include <vyr/resources/dialogs/CheckRes.h>

BEGIN_MESSAGE_MAP(CDlgCheckProgress, CDialog)
    ON_BN_CLICKED(IDC_CHECK_CANCEL, &CDlgCheckProgress::OnCancelCheck)
    ON_MESSAGE(WM_THREAD_CHECKCANCEL, &CDlgCheckProgress::CheckProgress)
    ON_MESSAGE(WM_THREAD_RUNEND, &CDlgCheckProgress::OnRunEnd)
END_MESSAGE_MAP()

CDlgCheckProgress::CDlgCheckProgress(CBeamList* members, CPNodeList* nodes, CWnd* pParent)
    : CDialog(IDD_CHECKPROGRESS, pParent), m_pBeamList(members), m_pNodeList(nodes),
      m_run(this, IDC_CHECK_PROGRESS, IDC_CHECK_CANCEL)
{
}

BOOL CDlgCheckProgress::OnInitDialog()
{
    CDialog::OnInitDialog();
    const int total = (m_pNodeList ? (int)m_pNodeList->GetCount() : 0) + (m_pBeamList ? (int)m_pBeamList->GetCount() : 0);
    if (auto* bar = dynamic_cast<CProgressCtrl*>(GetDlgItem(IDC_CHECK_PROGRESS))) {
        // The 32-bit range: the 16-bit one would stop the bar short of its end beyond 65,535 objects.
        bar->SetRange32(0, total);
        bar->SetPos(0);
        bar->SetStep(1);
        bar->ShowWindow(SW_SHOW);
    }
    m_pThread = m_run.Start(&CDlgCheckProgress::Check, this, THREAD_PRIORITY_ABOVE_NORMAL);
    if (!m_pThread)
        EndDialog(IDOK); // no worker: there is no run to wait for
    return TRUE;
}

void CDlgCheckProgress::SetStatus(const char* format, int number)
{
    CString text;
    text.Format(format, number);
    // Carried to the dialog's thread, like every window call of the worker.
    ::SetWindowText(::GetDlgItem(m_run.GetOwnerWnd(), IDC_CHECK_STATUS), text);
}

void CDlgCheckProgress::CheckIt()
{
    if (m_pNodeList) {
        for (POSITION pos = m_pNodeList->GetHeadPosition(); pos != nullptr;) {
            CPNode* node = m_pNodeList->GetNextT(pos);
            if (m_run.Cancelled())
                return;
            SetStatus("正在验算节点%d", node->GetNo());
            node->Check();
        }
    }
    if (m_pBeamList) {
        for (POSITION pos = m_pBeamList->GetHeadPosition(); pos != nullptr;) {
            CBeamBase* member = m_pBeamList->GetNextT(pos);
            if (m_run.Cancelled())
                return;
            if (member->GetType() == 6)
                continue;
            SetStatus("正在验算杆件%d", member->GetNo());
            member->CheckOrDesign();
        }
    }
}

UINT CDlgCheckProgress::Check(void* dialog)
{
    auto* dlg = static_cast<CDlgCheckProgress*>(dialog);
    dlg->CheckIt();
    dlg->m_run.Finish();
    return 1;
}

// Steps the bar and answers 0 while the run is on; after a cancel disables the cancel
// button and answers 1.
LRESULT CDlgCheckProgress::CheckProgress(WPARAM, LPARAM) { return m_run.OnCheckCancel(); }

void CDlgCheckProgress::OnCancelCheck()
{
    m_pThread = nullptr;
    m_run.Stop();
}

LRESULT CDlgCheckProgress::OnRunEnd(WPARAM wParam, LPARAM)
{
    if (!m_run.OnRunEnd(wParam))
        return 0;
    m_pThread = nullptr;
    OnOK();
    return 0;
}

void CDlgCheckProgress::OnOK()
{
    if (m_run.IsBusy())
        return;
    CDialog::OnOK();
}

void CDlgCheckProgress::OnCancel()
{
    if (m_run.IsBusy())
        return;
    CDialog::OnCancel();
}
