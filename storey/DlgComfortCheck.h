// Wind comfort check: for every wind case the largest along-wind and across-wind
// accelerations at the top of the building (JGJ 99-98 5.5.1), against a limit chosen by the
// use of the building; the grid, and the chapter "建筑风载下舒适度验算信息" with its
// legend and the working of each case.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/coutput.h>

class CBasicLoadCase;
class CGlobalData;

class CDlgComfortCheck : public CDialog
{
public:
    CDlgComfortCheck(CGlobalData* pData, CWnd* pParent = nullptr);

    // The chapter; flag 0 stand-alone with the report head, 1 a section of the whole report.
    // It computes afresh from the model with the object's own settings.
    void Output(COutput* out, int flag);
    // Computes without a window: CalCoef, then FillData.
    void beginforoutput();
    // Windward area of a case (cm2): width facing the wind times storey height, summed over
    // the storeys above the basements but the lowest real storey.
    float GetA(CBasicLoadCase* lc);
    // The accelerations of every wind case, each at most 10.0.
    void FillData();
    void FillItem();
    void FillColumn();
    void InitGrid();
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

    CGlobalData* m_pGlobalData;
    float m_fZuni = 0.02f;    // across-wind critical damping ratio
    int m_nType = -1;         // use: 0 "住宅、公寓", 1 "办公、旅馆"
    float m_fJsdxz = 0.0f;    // acceleration limit, m/s2
    CGridCtrl m_Grid;
    double m_dXi = 0.0;       // fluctuation increase factor
    double m_dNu = 0.0;       // fluctuation influence factor
    double m_dMuZ = 0.0;      // height factor at the top
    float m_fGammaB = 0.0f;   // average gravity, kN/m3
    float m_fVnm = 0.0f;      // mean wind speed at the top, m/s
    float m_fMtot = 0.0f;     // total mass, t
    float m_fBL = 0.0f;       // mean plan area, m2
    float m_fMuS = 1.3f;      // shape factor
    int m_nFloorNum = 1;      // real storeys above the basements
    int m_nWindNum = 0;
    std::vector<CBasicLoadCase*> m_arrWind;
    std::vector<double> m_arrT;   // across-wind period per case, s
    std::vector<double> m_arrAw;  // along-wind acceleration per case, m/s2
    std::vector<double> m_arrAtr; // across-wind acceleration per case, m/s2

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Weight over volume of the storeys above the basements (kN/m3); keeps the mean plan
    // area B x L.
    float GetAverageGravity();
    // 1 when more storeys' shears of the case are dominated by X than by Y, else 2.
    int GetDirection(CBasicLoadCase* lc);
    // The period of the first mode translating across the wind, else of mode 1.
    float GetHengFengT(CBasicLoadCase* lc);
    void CalCoef();
    void checkData();
    void checkclr();
    // The main direction by the plan angle of the case's wind load: 2 (Y) when it lies as
    // near the Y axis as the X axis or nearer, else 1 (X); 0 for a case that is not a wind
    // case.
    int GetWindDirection(CBasicLoadCase* lc);
    void OnOutput();
    void OnChangeEditZuni();
    void OnChangeEditJsdxz();
    void OnSelchangeComboType();
    DECLARE_MESSAGE_MAP()

private:
    // What one wind case gives before the cap.
    struct CCaseWork
    {
        double dA = 0.0, dH = 0.0, dMuZ = 0.0, dXi = 0.0, dNu = 0.0;
        float fVnm = 0.0f, fAw = 0.0f, fBr = 0.0f, fAtr = 0.0f;
    };
    CCaseWork Work(size_t i);
    // Reads the controls; on a refusal the settings keep their values.
    bool ReadControls();
    void Close(int result);
    void WriteLegend(COutput& out);
    void WriteProcess(COutput& out, size_t i);

    bool m_bOpened = false; // the window is up and its fields loaded
};
