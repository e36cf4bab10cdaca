#include <vyr/protocol/WorkerRun.h>

#include <algorithm>

#include <vyr/controls.h>

CWorkerRun::CWorkerRun(CWnd* owner, int progressId, int stopId)
    : m_pOwner(owner), m_nProgressId(progressId), m_nStopId(stopId)
{
}

CWorkerRun::~CWorkerRun()
{
    if (!m_pWorker)
        return;
    m_bAbandoned = true;
    // A send the worker made before the dialog went may still wait for this thread: it is
    // answered while waiting, so the worker gets to its next poll and stops.
    while (::WaitForSingleObject(m_pWorker->m_hThread, 10) == WAIT_TIMEOUT) {
        MSG msg;
        ::PeekMessage(&msg, (HWND)-1, 0, 0, PM_NOREMOVE);
    }
    delete m_pWorker;
}

void CWorkerRun::DisableControlsWhileBusy(std::vector<int> keepEnabled)
{
    m_bDisable = true;
    m_keepEnabled = std::move(keepEnabled);
}

CWinThread* CWorkerRun::Start(AFX_THREADPROC proc, LPVOID param, int priority)
{
    if (m_pWorker)
        return nullptr;
    m_hOwner = m_pOwner->GetSafeHwnd();
    m_bStopped = false;
    m_bAbandoned = false;
    CWinThread* worker = AfxBeginThread(proc, param, priority, 0, CREATE_SUSPENDED);
    if (!worker)
        return nullptr;
    // The frame deletes it after waiting for it: a thread that deleted itself would leave
    // nothing to wait on.
    worker->m_bAutoDelete = FALSE;
    m_pWorker = worker;
    m_disabled.clear();
    if (m_bDisable) {
        for (CWnd* c = m_pOwner->GetWindow(GW_CHILD); c != nullptr; c = c->GetWindow(GW_HWNDNEXT)) {
            const int id = c->GetDlgCtrlID();
            if (c->IsWindowEnabled() &&
                std::find(m_keepEnabled.begin(), m_keepEnabled.end(), id) == m_keepEnabled.end()) {
                c->EnableWindow(FALSE);
                m_disabled.push_back(c->GetSafeHwnd());
            }
        }
    }
    worker->ResumeThread();
    return worker;
}

void CWorkerRun::Stop()
{
    if (m_pWorker)
        m_bStopped = true;
}

LRESULT CWorkerRun::OnCheckCancel()
{
    if (!m_pWorker || m_bStopped) {
        if (CWnd* stop = m_nStopId ? m_pOwner->GetDlgItem(m_nStopId) : nullptr)
            stop->EnableWindow(FALSE);
        return 1;
    }
    if (auto* bar = dynamic_cast<CProgressCtrl*>(m_nProgressId ? m_pOwner->GetDlgItem(m_nProgressId) : nullptr))
        bar->StepIt();
    return 0;
}

bool CWorkerRun::OnRunEnd(WPARAM wParam)
{
    if (!m_pWorker || (DWORD)wParam != m_pWorker->m_nThreadID)
        return false;
    // The worker posted the end as its last act: it is returning and sends nothing more.
    ::WaitForSingleObject(m_pWorker->m_hThread, INFINITE);
    delete m_pWorker;
    m_pWorker = nullptr;
    m_bStopped = false;
    for (HWND h : m_disabled)
        if (::IsWindow(h))
            ::EnableWindow(h, TRUE);
    m_disabled.clear();
    return true;
}

bool CWorkerRun::Cancelled() const
{
    if (m_bAbandoned || !::IsWindow(m_hOwner))
        return true;
    return ::SendMessage(m_hOwner, WM_THREAD_CHECKCANCEL, 0, 0) == 1;
}

void CWorkerRun::Finish() const { ::PostMessage(m_hOwner, WM_THREAD_RUNEND, (WPARAM)::GetCurrentThreadId(), 0); }
