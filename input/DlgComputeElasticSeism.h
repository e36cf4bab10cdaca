// The entry to the elastic time-history analysis: the model's wave records and
// time-history cases (added, edited and deleted through their own dialogs), the results of
// an earlier run, and the start of the analysis: the mass-point dialog writes the engine's
// input, the host is told, the engine VyrCal.exe is started and this process ends.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/input/DlgTHMassString.h>
#include <vyr/model/grid/listctrlex.h>

class CGlobalData;
class CStruct;

// Ends the process once the engine has started; std::exit by default. Tests and hosts that
// must survive the hand-off put their own in; returns the previous one.
using VyrProcessEndFn = void (*)(int exitCode);
VyrProcessEndFn VyrSetProcessEnd(VyrProcessEndFn fn);

class CDlgComputeElasticSeism : public CDialog
{
    DECLARE_DYNCREATE(CDlgComputeElasticSeism)
public:
    explicit CDlgComputeElasticSeism(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr; // set by the creator
    // Put after the application folder of the engine's "/c:" and "/r:" arguments.
    CString m_strEngineArg;
    CDlgTHMassString m_dlgMassString;
    CListCtrlEx m_listTH;
    CListCtrlEx m_list;

    void FillColumns();
    void FillItems();
    void FillListTHItems();
    // The engine's command line: five double-quoted pieces.
    static CString EngineCommandLine(const CString& appFolder, const CString& projectPath,
                                     const CString& projectName, const CString& engineArg);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnEdit();
    afx_msg void OnAddTh();
    afx_msg void OnDeleteTh();
    afx_msg void OnEditTh();
    afx_msg void OnCompute();
    afx_msg void OnResultFloor();
    afx_msg void OnDblclkListctrl(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblclkListctrlTh(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    CStruct* Struct() const;
    static int SelectedRow(const CListCtrlEx& list);
};
