// Frame seismic shear adjustment: per horizontal seismic case and real storey within the
// range the user sets, the amplification factor of the frame's seismic forces so that the
// frame takes at least min(a V0, b Vfmax) of the segment's shear, written into the storeys;
// and the chapter "框架地震内力调整信息".
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/coutput.h>
#include <vyr/storey/SeismicAdjust.h>

class CBasicLoadCase;
class CGlobalData;

// One real storey of a case.
struct CStoreyFrameVF
{
    int nNo = 0;          // storey number
    float fV = 0.0f;      // storey shear of all lateral members, a magnitude (kN)
    float fVf = 0.0f;     // shear the frame takes, a magnitude (kN)
    float fFactor = 0.0f; // the factor stored in the storey
};

class CDlgFrameSeismicAdjust : public CDlgSeismicAdjust
{
public:
    CDlgFrameSeismicAdjust(CGlobalData* pData, CWnd* pParent = nullptr);

    // The chapter; flag 0 stand-alone with the report head, 1 a section of the whole report
    // with the parameter block; 2 or more writes nothing.
    void Output(COutput* out, int flag);
    // Prepares the members for the chapter without a window.
    void beginforoutput();
    // The main direction of a case: 1 X, 2 Y (ties go to X).
    int getdirection(CBasicLoadCase* lc);

    // The text of a rule: 0 "0.2V0,1.5Vfmax", else "0.25V0,1.8Vfmax".
    static const char* RuleText(int rule);
    // The rule the model holds, a value neither 0 nor 1 read as 1 for structure type 2 and
    // as 0 otherwise.
    int StoredRule() const;

    int m_nAdjust = 0;     // check box 1653, mirrors FrameSeismAdjust()
    int m_nRule = 1;       // 0 "0.2V0,1.5Vfmax", 1 "0.25V0,1.8Vfmax"
    int m_nStart = 1;
    int m_nEnd = 1;
    int m_nSplit = -1;     // podium split storey; up to 0: none
    CGridCtrl m_GridStorey;
    int m_nRealNum = 0;
    std::vector<CStoreyFrameVF> m_arrStorey; // index 0: the lowest real storey

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void checkforreturn();
    void FillData(CBasicLoadCase* lc) override;
    void FillStoreyGrid() override { FillItemVF(); }
    void restart();
    bool FillItem();
    void FillItemVF();
    void InitGrid();
    void FillColumn();
    void FillColumnVF();

    void OnOutput();
    void OnRecal();
    void OnCheckChange();
    void OnGridEndSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // Factors of every horizontal seismic case from the storey range and rule held in the
    // model.
    void ComputeFactors();
    void LoadSettings();
};
