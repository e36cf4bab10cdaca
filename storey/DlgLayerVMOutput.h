// Storey shear and overturning moment: for every horizontal basic load case (wind and the
// other horizontal non-seismic kinds, and the horizontal seismic cases) the storey height,
// storey shear and overturning moment of each storey in the case's main direction; a grid of
// the cases, a grid of the storeys of the chosen case, its diagram, and the chapter
// "楼层剪力与倾覆力矩信息". Nothing in the model changes.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/coutput.h>

class CBasicLoadCase;
class CGlobalData;

// One storey row: lengths in m, forces in kN.
struct CStoreyVM
{
    int nNo = 0;
    float fH = 0.0f;
    float fH2 = 0.0f; // the storey height again
    float fV = 0.0f;  // signed
    float fM = 0.0f;
};

class CDlgLayerVMOutput : public CDialog
{
public:
    CDlgLayerVMOutput(CGlobalData* pData, CWnd* pParent = nullptr);

    // A horizontal case: kinds 2 to 5 or a horizontal seismic case.
    static bool IsHorizontalCase(const CBasicLoadCase* lc);

    // The chapter; flag 0 stand-alone with the report head, any other a section of the
    // whole report.
    void Output(COutput* out, int flag);
    // Makes the members ready for the chapter without a window: the cases, the storeys
    // above the lowest max(basements, 1), the first case current.
    void beginforoutput();
    void FillColumn();
    void FillItem();
    void FillItemVM();
    void InitGrid();
    void OnDraw(CDC* pDC, CRect& rect, int flag);

    CGlobalData* m_pGlobalData;
    std::vector<CStoreyVM> m_arrVM; // index 0: the lowest tabulated storey
    float m_fTopZ = 0.0f;           // elevation of the highest tabulated storey, m
    float m_fMaxV = 0.0f;           // at least 0
    float m_fMaxM = 0.0f;           // at least 0
    int m_nFloorNum = 0;
    int m_nDirection = 2;           // of the current case: 1 X, 2 Y
    CString m_strDescription;       // of the current case
    CGridCtrl m_GridCase;
    CGridCtrl m_GridVM;
    std::vector<int> m_arrCaseNo;   // row r of the case grid shows case m_arrCaseNo[r - 1]
    int m_nCurRow = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The case of case-grid row `row`, or null.
    CBasicLoadCase* getgk(int row);
    // The rows, the maxima and the direction of the case; no case leaves no rows.
    void FillData(CBasicLoadCase* lc);
    int GetDirection(CBasicLoadCase* lc);
    void GetVM(CBasicLoadCase* lc);
    void restart();

    void OnViewOutput();
    void OnDocumentOutput();
    void OnGridClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The case current with its rows and description.
    void MakeCurrent(CBasicLoadCase* lc);
    void RefillCaseNumbers();
};
