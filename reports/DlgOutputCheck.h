// Member design and check report: the design and check results of a set of members, chosen
// in four groups of tables, written on a worker thread from the show button, which stops
// the run while it is on. The whole calculation report writes the same chapter through
// OutputUnite with flag 1, without opening the window.
#pragma once

#include <vyr/reports/DlgReportRun.h>

class CGlobalData;
class CBeamList;

class CDlgOutputCheck : public CDlgReportRun
{
public:
    explicit CDlgOutputCheck(CWnd* pParent = nullptr);

    // The section flags (0/1), exchanged with the boxes; a run reads the values the boxes
    // had when it started.
    int m_bCapacityList = 0;     // 1633, every member
    int m_bCapacitySection = 0;  // 1635, the worst per section
    int m_bCapacityAll = 1;      // 1124, the worst of all
    int m_bDeformList = 0;       // 1654
    int m_bDeformSection = 0;    // 1636
    int m_bDeformAll = 1;        // 1125
    int m_bStabilityList = 0;    // 1122
    int m_bStabilitySection = 0; // 1637
    int m_bStabilityAll = 1;     // 1126
    int m_bReinforceList = 0;    // 1634, the reinforcement of the concrete members
    CGlobalData* m_pData = nullptr;     // set by the opener
    CBeamList* m_pBeamList = nullptr;   // the members to report, set by the opener; not owned

    // The chapter "构件设计与验算结果" (flag 0 stand-alone, 1 a section of the whole report).
    // Written on this dialog's worker with flag 0, it asks the dialog before each member
    // checked and each table whether to go on; nothing without a member list.
    void OutputUnite(COutput& out, int flag);
    void Output(COutput* out, int flag) override { OutputUnite(*out, flag); }
    // Writes the chapter once with flag 0: device 4 into the report control, another device
    // into the file at path. False when the file cannot be opened; nothing without a list.
    bool OutputIt(int device, const CString& path) override;
    // The polls the ticked tables cost: one per table.
    int GetItemNum() const;
    // All ten flags to the value, shown in the boxes.
    void SetCheck(bool check);

    // The worker's function (the dialog as argument); returns 1.
    static UINT Output(void* dialog) { return RunWorker(dialog); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSel();
    afx_msg void OnUnSel();
    DECLARE_MESSAGE_MAP()

    // The print, save, close and select buttons (the boxes stay enabled).
    void Enable(bool enable) override;
    // Reads the boxes back.
    bool BeginRun() override { return UpdateData(TRUE) != FALSE; }
    // One step per ticked table and per member.
    int RunRange() const override;

private:
    // The poll of the chapter: only the dialog's own worker asks, and only with flag 0.
    bool Stopped(int flag) const { return flag == 0 && CDlgReportRun::Stopped(); }
};
