// Overall stability check: the stiffness-to-gravity ratio of the structure, storey by storey
// as D/(ΣG/h) for a pure frame (against 20 and 10), else as a whole as EJd/(H²ΣG) from the
// top displacement under a wind case (against 2.7 and 1.4); the chapter "整体稳定信息".
// A class without a window: the constructor computes, Output only writes.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/output/coutput.h>

class CBasicLoadCase;
class CGlobalData;

// One storey of the frame method. Number: the storey's level - 1; D in kN/m, ΣG in kN,
// h in m.
struct CGStableFloor
{
    int nNo = 0;
    float fDX = 0.0f, fDY = 0.0f;
    float fSumG = 0.0f;
    float fH = 0.0f;
    float fRatioX = 0.0f, fRatioY = 0.0f;
};

class CDlgGStableCheck
{
public:
    explicit CDlgGStableCheck(CGlobalData* pData);
    ~CDlgGStableCheck();
    CDlgGStableCheck(const CDlgGStableCheck&) = delete;
    CDlgGStableCheck& operator=(const CDlgGStableCheck&) = delete;

    // The chapter; flag 0 stand-alone with the report head, 1 a section of the whole report.
    void Output(COutput& out, int flag);
    // Chooses the wind case of each direction and computes both ratios of the wind method.
    void FillData();

    CGlobalData* m_pGlobalData;
    CString m_strFormulaX, m_strFormulaY; // the numbers of EJd/(H²ΣG)
    float m_fQX = 0.0f, m_fQY = 0.0f;     // maximum of the inverted triangular load, kN/m
    float m_fUX = 0.0f, m_fUY = 0.0f;     // top displacement, m
    float m_fRatioX = 0.0f, m_fRatioY = 0.0f;
    float m_fWeight = 0.0f;               // ΣG, kN
    float m_fHeight = 0.0f;               // H, m
    std::vector<CGStableFloor> m_arrFloor; // frame method, the top storey first
    CBasicLoadCase* m_pSeismX = nullptr;
    CBasicLoadCase* m_pSeismY = nullptr;
    CBasicLoadCase* m_pWindX = nullptr;
    CBasicLoadCase* m_pWindY = nullptr;
    bool m_bFrame = false;
    bool m_bSeism = false;
    bool m_bNoWind = false;
    float m_fBestAngleX = 80.0f, m_fBestAngleY = 80.0f;
    int m_nSeismFlag = 0;
    int m_nModeNum = 0;
    std::vector<double> m_arrCoupling; // modes x modes

protected:
    // 1 when more storeys' shears of the case are dominated by X than by Y, else 2.
    int GetDirection(CBasicLoadCase* lc);
    // Takes a wind case as the case of the direction its wind load's plan angle is nearest,
    // the nearest yet of each direction winning.
    void GetWindDirection(CBasicLoadCase* lc);
    // EJd/(H²ΣG) of a direction (1 X, 2 Y) under the case.
    float CheckWind(CBasicLoadCase* lc, int direction);
    // No wall and no brace.
    bool checkFrame();
    void FillFrameData();
    // Chooses the seismic case of each direction; false when there is none.
    bool checkSeismicLoad();

private:
    void WriteFrame(COutput& out);
    void WriteWindBlock(COutput& out, int flag, bool x);
};
