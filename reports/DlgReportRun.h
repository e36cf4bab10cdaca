// A report dialog whose report is written on a worker thread from its show button, which
// stops the run while it is on ("显示>>", "中止显示"), with a progress bar stepped by the
// worker's polls. The member check report and the whole calculation report share it.
//
// The run: the show button starts it (the dialog's boxes read back, the bar reset, the
// report control hidden and emptied, the dialog's controls disabled), the worker writes
// OutputIt(DEVICE_RICHEDIT, "") and its end is taken on the user-interface thread. A stop
// answers the worker's next poll 1 and turns the dialog idle at once; the dialog does not
// end, and no new run starts, before the stopped worker has returned (a show press in
// between starts the next run when it has). Saves and prints wait for the run's end.
#pragma once

#include <atomic>

#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/protocol/WorkerRun.h>

class CDlgReportRun : public CDlgReportChapter
{
public:
    // showId: the show and stop button; progressId: the bar the polls step.
    CDlgReportRun(UINT templateId, CWnd* pParent, int showId, int progressId);

    // The running worker; null when none runs or once the user has stopped it. Read and
    // written on the user-interface thread only, as is the running flag.
    CWinThread* m_pThread = nullptr;
    bool m_bRunning = false;

    // Writes the report once: device 4 into the report control, another device into the
    // file at path. False when the file cannot be opened.
    virtual bool OutputIt(int device, const CString& path) = 0;

    // A worker was started and has not returned yet (also after a stop, until it has).
    bool IsRunBusy() const { return m_run.IsBusy(); }

protected:
    // Neither ends the dialog while a worker is busy.
    void OnOK() override;
    void OnCancel() override;
    // The show button; the print and save buttons are ignored while a worker is busy.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool WriteDocument(DEVICE_TYPE device, const CString& path) override { return OutputIt(device, path); }

    // Starts a run, or stops the one that is on.
    void OnOutput();
    afx_msg LRESULT CheckProgress(WPARAM, LPARAM);
    afx_msg LRESULT OnRunEnd(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    // The dialog back to idle: the show button's text, the controls enabled, the bar
    // hidden, the report shown, no worker.
    void EndOutput();

    // The controls a run disables and its end enables again.
    virtual void Enable(bool enable) = 0;
    // Readies a run on the user-interface thread (reads the boxes back); false: no run.
    virtual bool BeginRun() { return true; }
    // The bar's upper end for the run about to start.
    virtual int RunRange() const = 0;

    // The worker's function (the dialog as argument): writes OutputIt(DEVICE_RICHEDIT, "")
    // and hands the end to the dialog; returns 1.
    static UINT RunWorker(void* dialog);
    // The calling thread is this dialog's worker writing its run.
    bool OnWorker() const { return m_nWorkerThread.load() == ::GetCurrentThreadId(); }
    // The poll of the report: true once the user stopped the run. Only the dialog's own
    // worker asks; what is written elsewhere (a save) is never stopped.
    bool Stopped() const { return OnWorker() && m_run.Cancelled(); }

private:
    void StartRun();

    int m_nShowId;
    int m_nProgressId;
    bool m_bStartPending = false; // "显示>>" pressed while a stopped worker still returned
    bool m_bStopShown = false;    // the show button reads "中止显示"
    std::atomic<DWORD> m_nWorkerThread{0}; // the thread writing the report on this dialog's run
    // Last, so it is destroyed first and waits for a worker that is still busy while the
    // members the worker reads still stand.
    CWorkerRun m_run;
};
