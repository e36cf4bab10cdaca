// The vibration characteristics of the computed modes: period, frequency, torsion and
// translation factors, direction and effective masses, as a list and as the chapter
// "动力特性信息". The dialog reads the model only.
#pragma once

#include <vyr/dialog.h>
#include <vyr/model/grid/listctrlex.h>

class CGlobalData;
class COutput;
class CStruct;

class CDlgOutputFrequent : public CDialog
{
public:
    explicit CDlgOutputFrequent(CWnd* pParent = nullptr);

    CGlobalData* m_pGlobalData = nullptr; // set by the opener, not owned
    CListCtrlEx m_List;

    // The chapter; flag 0 stand-alone (with the report head), 1 a section of the whole report.
    void Output(COutput& out, int flag);
    void FillColumn();
    void FillItem();

    // Shared with the mode-shape report. The first `columns` cells of one list row per mode
    // (the list emptied first); the overall table of the chapter, closed.
    static void FillModeRows(CListCtrlEx& list, const CStruct* s, int columns);
    static void OutputModeTable(COutput& out, const CStruct* s);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnOutput();
    DECLARE_MESSAGE_MAP()
};
