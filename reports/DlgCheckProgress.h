// The design-check run: every node, then every member of the lists the host hands over is
// checked on a worker thread, with a progress bar (one step per node and per member), the
// object being checked named in the status line, and a cancel button. The dialog ends
// itself with IDOK when the run is over, cancelled or not; the nodes and members checked
// before a cancel keep their new results.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/WorkerRun.h>

class CBeamList;
class CPNodeList;

class CDlgCheckProgress : public CDialog
{
public:
    CDlgCheckProgress(CBeamList* members, CPNodeList* nodes, CWnd* pParent = nullptr);

    CBeamList* m_pBeamList;  // the members to check, not owned
    CPNodeList* m_pNodeList; // the nodes to check, not owned
    // The running worker; null when none runs or once the user has cancelled. Read and
    // written on the user-interface thread only.
    CWinThread* m_pThread = nullptr;

    // The work: the checks in list order, stopping when a poll answers 1; members of type
    // code 6 are passed over (the bar has stepped for them all the same).
    void CheckIt();
    // The worker's function (the dialog as argument); returns 1.
    static UINT Check(void* dialog);

protected:
    BOOL OnInitDialog() override;
    // Neither ends the dialog while a worker runs or winds down after a cancel.
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnCancelCheck();
    afx_msg LRESULT CheckProgress(WPARAM, LPARAM);
    afx_msg LRESULT OnRunEnd(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void SetStatus(const char* format, int number);

    // Last, so it is destroyed first and waits for a worker that is still busy while the
    // members the worker reads still stand.
    CWorkerRun m_run;
};
