// Storey shear-to-weight ratio and the storey-wise seismic force adjustment: per horizontal
// seismic case and storey above the basements the gravity load G, G of the storey and all
// above, the seismic shear V and V/G, and the amplification factor max(1, λ × G above / V)
// written into the storey; the weak storeys with their factors; and the chapter
// "楼层剪压比统计信息".
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/coutput.h>
#include <vyr/storey/SeismicAdjust.h>

class CBasicLoadCase;
class CGlobalData;

// One tabulated storey of a case.
struct CStoreyVG
{
    double dG = 0.0;      // gravity load representative value (kN)
    int nNo = 0;          // storey number
    double dGAbove = 0.0; // G of this storey and all tabulated storeys above (kN)
    double dV = 0.0;      // seismic storey shear, a magnitude (kN)
};

class CDlgLayerVGRatio : public CDlgSeismicAdjust
{
public:
    CDlgLayerVGRatio(CGlobalData* pData, CWnd* pParent = nullptr);

    // The chapter; flag 0 stand-alone with the report head, 1 a section of the whole report,
    // 2 or more only the storeys and their factors. Stores the factors of every case.
    void Output(COutput* out, int flag);
    // Prepares the members for the chapter without a window.
    void beginforoutput();

    // The factor of a record under the coefficient: λ × G above / V (V at least 1e-7), at
    // least 1, and 9999 beyond 10000.
    static float Factor(float cof, const CStoreyVG& row);

    std::vector<CStoreyVG> m_arrStorey;  // index 0: the lowest tabulated storey
    std::vector<float> m_arrWeakFactor;  // weak storeys of the current case, highest first
    std::vector<int> m_arrWeakNo;        // their positions from 1 at the lowest tabulated storey
    int m_nAdjust = 0;                   // check box 1021, mirrors FloorSeismAdjust()
    float m_fCof = 0.0f;                 // λ of the current case
    CString m_strWeakNo;
    CString m_strWeakFactor;
    CGridCtrl m_GridStorey;
    int m_nDirection = 1;                // of the current case: 1 X, 2 Y
    int m_nFloorNum = 0;                 // tabulated storeys: real storeys above the basements

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void restart();
    void FillColumn();
    bool FillItem();
    void InitGrid();
    int GetDirection();
    void FillData(CBasicLoadCase* lc) override;
    void FillStoreyGrid() override { FillItem2(); }
    void FillItem2();

    void OnOutput();
    void OnCalShearCof();
    void OnCheckLayermin();
    void OnRecal();
    void OnGridEndSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    int SeismPos() const;
    // The weak storeys as the two comma-separated texts, lowest first.
    void WeakTexts(CString& numbers, CString& factors) const;
    void ShowMessage(const char* text);
};
