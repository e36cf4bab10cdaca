// Storey displacement and drift: for one wind or seismic case and one tower (or the whole
// structure) the largest and average storey and inter-storey displacements of every real
// storey in the case's main direction, their ratio and the drift angle, on two tabs coloured
// against the four limits the model keeps; the diagram (CDlgOutputDispView) and the chapter
// "层间位移与楼层位移信息".
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/coutput.h>
#include <vyr/model/struct/Node.h>

class CBasicLoadCase;
class CFloor;
class CGlobalData;

class CDlgLayerDispDifferOutput : public CDialog
{
public:
    CDlgLayerDispDifferOutput(CGlobalData* pData, CWnd* pParent = nullptr);
    ~CDlgLayerDispDifferOutput() override;

    // The chapter; flag 0 stand-alone with its title and the report head, 1 a section of the
    // whole report. Leaves the current case, tower and grid as it found them.
    void Output(COutput* out, int flag);

    // The case numbers of the wind and seismic cases, the storey count, then case row 1
    // computed (what the chapter starts from).
    void beginforoutput();
    // Makes the case of load-case row `row` (from 1) current; without such a row the last
    // case of the list.
    void getgk(int row);
    // The main direction of the current case by the vote of the storeys above the lowest.
    void GetDirection();
    // Computes the per-storey arrays for the current case, direction and tower.
    void FillData();
    // Validates the limits as the close does: the first failing check's message, false.
    bool CheckData();

    // A case the statistics take: a wind (type 2 to 5) or horizontal seismic case.
    static bool IsStatCase(const CBasicLoadCase* lc);
    // Denominator of a drift angle: 1 / r truncated toward zero, r below 1e-7 counted as 1e-7.
    static int DriftDenominator(double r);

    CGlobalData* m_pGlobalData;
    float m_fRatioLimit1 = 1.2f;          // advisory max/average ratio ("不宜")
    float m_fRatioLimit2 = 1.5f;          // mandatory max/average ratio ("不应")
    float m_fSeismDriftLimit = 250.0f;    // seismic drift limit denominator
    float m_fWindDriftLimit = 400.0f;     // wind drift limit denominator
    CMainNodeList m_MainNodeList;         // the towers' main nodes
    CMainNode* m_pCurMainNode = nullptr;  // the chosen tower; none for the whole structure
    std::vector<int> m_arrCaseNo;         // case number of each load-case row (row r: r - 1)
    // Per storey, index 0 the lowest real storey. Number 0: not in the chosen tower.
    std::vector<int> m_arrFloorNo;
    std::vector<int> m_arrJmax;           // node of the largest storey displacement
    std::vector<int> m_arrJmaxD;          // node of the largest inter-storey displacement
    std::vector<double> m_arrMaxDisp;     // mm
    std::vector<double> m_arrAveDisp;     // mm
    std::vector<double> m_arrElevH;       // elevation minus that of the storey below, m
    std::vector<double> m_arrFloorH;      // the storey's own height, m
    std::vector<double> m_arrMaxDelta;    // largest inter-storey displacement, mm
    std::vector<double> m_arrAveDelta;    // average inter-storey displacement, mm
    int m_nDriftLimit = 400;              // denominator of the current case's drift limit
    int m_nDirection = 1;                 // 1 X, 2 Y
    int m_nFloorNum = 0;
    float m_fTopZ = 0.0f;                 // elevation of the top real storey, m
    // The diagram's maxima, set when it opens: largest |average storey displacement|, largest
    // drift angle and the index of its storey.
    float m_fMaxAveDisp = 0.0f;
    float m_fMaxDrift = 0.0f;
    int m_nMaxDriftIndex = 0;
    CGridCtrl m_GridCase;
    CGridCtrl m_GridResult;
    CGridCtrl m_GridTower;
    CBasicLoadCase* m_pCurCase = nullptr;
    bool m_bSeismFlag = false;
    int m_nModeNum = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnSelchangeTab1(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGridEndSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGridTowerEndSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnChangeEditXz();
    void OnChangeEditQzxz();
    void OnChangeEditTanxincornerSeism();
    void OnChangeEditTanxincornerWind();
    void OnOutputView();
    void OnOutputDocument();
    DECLARE_MESSAGE_MAP()

private:
    void CopyLimits();
    void FillItem();
    void FillShownTab();
    void FillItemDelta();
    void FillItemTotal();
    void checkdata();
    void OnChangeRatio(float& member, float& stored);
    void OnChangeDrift(float& member, int& stored);
    bool RatioColumn() const;
    int ShownTab() const;
    // The coupling matrix of the structure's modes, for one computation.
    std::vector<double> Coupling() const;
    // The chapter's tables of the current case: from the dialog's arrays, or storey by storey
    // and tower by tower.
    void WriteFromArrays(COutput& out, int v);
    void WriteByTower(COutput& out, int v);

    bool m_bOpened = false; // the window is up and its edits loaded
};
