#include <vyr/reports/DlgReportRun.h>

#include <vyr/controls.h>

BEGIN_MESSAGE_MAP(CDlgReportRun, CDlgReportChapter)
    ON_MESSAGE(WM_THREAD_CHECKCANCEL, &CDlgReportRun::CheckProgress)
    ON_MESSAGE(WM_THREAD_RUNEND, &CDlgReportRun::OnRunEnd)
END_MESSAGE_MAP()

CDlgReportRun::CDlgReportRun(UINT templateId, CWnd* pParent, int showId, int progressId)
    : CDlgReportChapter(templateId, pParent), m_nShowId(showId), m_nProgressId(progressId), m_run(this, progressId)
{
}

BOOL CDlgReportRun::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        if (id == m_nShowId) {
            OnOutput();
            return TRUE;
        }
        // Between a stop and the worker's return the buttons are enabled again already; the
        // report control is still being written then.
        if (m_run.IsBusy() && (id == kReportFrameIds.print || id == kReportFrameIds.rtf ||
                               id == kReportFrameIds.txt || id == kReportFrameIds.word))
            return TRUE;
    }
    return CDlgReportChapter::OnCommand(wParam, lParam);
}

void CDlgReportRun::OnOutput()
{
    if (m_pThread) {
        // The worker stops at its next poll, which gives the dialog back.
        m_bRunning = false;
        m_pThread = nullptr;
        m_run.Stop();
        return;
    }
    if (m_run.IsBusy()) {
        // A stopped worker has not returned yet: the new run starts when it has, so two
        // workers never write into the control. A second press of "中止显示" is no start.
        if (!m_bStopShown)
            m_bStartPending = true;
        return;
    }
    StartRun();
}

void CDlgReportRun::StartRun()
{
    m_bStartPending = false;
    if (!BeginRun())
        return;
    m_bRunning = true;
    if (auto* bar = dynamic_cast<CProgressCtrl*>(GetDlgItem(m_nProgressId))) {
        bar->SetRange32(0, RunRange());
        bar->SetPos(0);
        bar->SetStep(1);
        bar->ShowWindow(SW_SHOW);
    }
    Enable(false);
    SetDlgItemText(m_nShowId, "中止显示");
    m_bStopShown = true;
    if (CRichEditCtrl* ctrl = GetReportCtrl()) {
        ctrl->ShowWindow(SW_HIDE);
        ctrl->SetWindowText("");
    }
    m_pThread = m_run.Start(&CDlgReportRun::RunWorker, this, THREAD_PRIORITY_ABOVE_NORMAL);
    if (!m_pThread)
        EndOutput();
}

UINT CDlgReportRun::RunWorker(void* dialog)
{
    auto* dlg = static_cast<CDlgReportRun*>(dialog);
    dlg->m_nWorkerThread = ::GetCurrentThreadId();
    dlg->OutputIt(DEVICE_RICHEDIT, "");
    dlg->m_nWorkerThread = 0;
    // The dialog shows the report and turns idle on its own thread (OnRunEnd).
    dlg->m_run.Finish();
    return 1;
}

void CDlgReportRun::EndOutput()
{
    SetDlgItemText(m_nShowId, "显示>>");
    m_bStopShown = false;
    Enable(true);
    if (CWnd* bar = GetDlgItem(m_nProgressId))
        bar->ShowWindow(SW_HIDE);
    if (CRichEditCtrl* ctrl = GetReportCtrl())
        ctrl->ShowWindow(SW_SHOW);
    m_pThread = nullptr;
    m_bRunning = false;
}

LRESULT CDlgReportRun::CheckProgress(WPARAM, LPARAM)
{
    if (m_bRunning)
        return m_run.OnCheckCancel();
    EndOutput();
    return 1;
}

LRESULT CDlgReportRun::OnRunEnd(WPARAM wParam, LPARAM)
{
    // Only the end of the run's own worker; the worker has returned when it is taken.
    if (!m_run.OnRunEnd(wParam))
        return 0;
    if (m_bStartPending)
        StartRun();
    else
        EndOutput();
    return 0;
}

void CDlgReportRun::OnOK()
{
    if (m_pThread || m_run.IsBusy())
        return;
    CDialog::OnOK();
}

void CDlgReportRun::OnCancel()
{
    if (m_pThread || m_run.IsBusy())
        return;
    CDialog::OnCancel();
}
