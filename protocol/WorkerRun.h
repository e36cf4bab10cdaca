// The worker-run frame: a dialog's long job (the check run, the member check report, the
// whole report, the drawing exports) on a worker thread, with the one handshake all of
// them follow. A dialog holds one CWorkerRun and routes two messages to it:
//
//   WM_THREAD_CHECKCANCEL -> OnCheckCancel(): the worker asks before each unit of work;
//       the answer is 0 (go on, the progress bar steps) or 1 once the user stopped the run.
//   WM_THREAD_RUNEND      -> OnRunEnd(wParam): the worker's last act; the run is ended on
//       the user-interface thread, after the worker has returned.
//
// The state of a run is read and written on the user-interface thread only, so the worker
// and the dialog share nothing but the messages. While IsBusy(), from Start until the end
// has been taken, the dialog must not end: its OnOK and OnCancel return at once, so Enter,
// Esc, the close box and a stop still waiting for the worker's next poll cannot free the
// dialog under the worker.
#pragma once

#include <atomic>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/protocol/ThreadMessages.h>

class CWorkerRun
{
public:
    // owner: the dialog the worker reports to. progressId: its progress bar, stepped by each
    // poll that goes on (0: none). stopId: the button that stops the run, disabled when a
    // poll answers stop (0: none).
    explicit CWorkerRun(CWnd* owner, int progressId = 0, int stopId = 0);
    // A worker still busy (the dialog was ended some other way) is told to stop and waited for.
    ~CWorkerRun();
    CWorkerRun(const CWorkerRun&) = delete;
    CWorkerRun& operator=(const CWorkerRun&) = delete;

    // From the next Start on, every enabled control of the owner but these is disabled while
    // the worker runs and enabled again when the run ends.
    void DisableControlsWhileBusy(std::vector<int> keepEnabled);

    // Starts proc(param) on a worker at the priority. The worker is created suspended and
    // kept before it may run, so one that ends at once still finds its run recorded. The
    // thread object belongs to the frame. Null when a run is on already.
    CWinThread* Start(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_ABOVE_NORMAL);
    // A worker was started and its end has not been taken yet.
    bool IsBusy() const { return m_pWorker != nullptr; }
    // The user's stop: the worker's next poll is answered 1.
    void Stop();
    bool IsStopped() const { return m_bStopped; }

    // The dialog's handler of WM_THREAD_CHECKCANCEL.
    LRESULT OnCheckCancel();
    // The dialog's handler of WM_THREAD_RUNEND: waits until the worker has returned, releases
    // it and enables the controls again. False for an end that is not this run's worker.
    bool OnRunEnd(WPARAM wParam);

    // ---- called on the worker
    // Asks the dialog whether to stop: true on the answer 1, and once the dialog is gone.
    bool Cancelled() const;
    // The worker's last act: tells the dialog that the run is over.
    void Finish() const;
    // The dialog's window, for what else the worker sends it (a status text).
    HWND GetOwnerWnd() const { return m_hOwner; }

private:
    CWnd* m_pOwner;
    int m_nProgressId;
    int m_nStopId;
    HWND m_hOwner = nullptr;        // set before the worker runs, read by it
    CWinThread* m_pWorker = nullptr; // owned while busy
    bool m_bStopped = false;
    std::atomic<bool> m_bAbandoned{false}; // the frame is going: the worker stops at its next poll
    bool m_bDisable = false;
    std::vector<int> m_keepEnabled;
    std::vector<HWND> m_disabled; // what Start disabled, to enable again
};
