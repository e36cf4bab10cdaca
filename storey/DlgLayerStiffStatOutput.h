// Storey lateral stiffness ratio: for every storey above the basements a lateral stiffness
// by one of three methods, and its ratios to the storey above and to the mean of the three
// storeys above, per direction, coloured against the two limits (kept in the model); and the
// chapter "楼层抗侧刚度信息" with the tables of every method the load cases allow.
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

// One storey of the stiffness table. Number 0: the storey is not in the chosen tower.
struct CStoreyStiff
{
    int nNo = 0;
    float fStiffX = 1.0f, fRatioX = 1.0f, fRatio3X = 1.0f;
    float fStiffY = 1.0f, fRatioY = 1.0f, fRatio3Y = 1.0f;
};

class CDlgLayerStiffStatOutput : public CDialog
{
public:
    CDlgLayerStiffStatOutput(CGlobalData* pData, CWnd* pParent = nullptr);
    ~CDlgLayerStiffStatOutput() override;

    // The stiffness methods, in the order the method list offers them.
    enum
    {
        METHOD_MODEL = 0, // the model's storey lateral stiffness (kN/m)
        METHOD_DRIFT = 1, // seismic storey shear over storey drift (kN/m)
        METHOD_ANGLE = 2  // storey shear over drift angle, bending drift removed (kN/rad)
    };
    static const char* MethodText(int method);

    // The chapter; flag 0 stand-alone with the report head, 1 a section of the whole report.
    void Output(COutput* out, int flag);

    // Computes the table with the current method for the current tower; a method outside
    // 0 to 2 shows "请选中计算方法！" and leaves the table reset.
    void FillData();
    // Both ratios of every included storey from the stiffnesses of the table.
    void WriteRatioData();
    // Chooses the wind and seismic cases of each direction, the direction vote walking the
    // given number of storeys from the top.
    void ChooseCases(int voteStoreys);
    // The direction of a case (1 X, 2 Y) by the vote over that many storeys from the top.
    int CaseDirection(CBasicLoadCase* lc, int voteStoreys) const;

    const std::vector<CStoreyStiff>& GetTable() const { return m_arrStiff; }

    CGlobalData* m_pGlobalData;
    int m_nFloorNum = 0;
    int m_nBasementNum = 0;
    std::vector<CStoreyStiff> m_arrStiff; // index 0: the lowest storey of the range
    CMainNodeList m_MainNodeList;         // the towers' main nodes
    CMainNode* m_pCurMainNode = nullptr;  // the chosen tower; none for the whole structure
    int m_nLastTab = 0;                   // 0 X, 1 Y: the tab shown when last closed or reported
    int m_nMethod = METHOD_MODEL;
    float m_fLimitUp = 0.7f;              // ratio to the storey above
    float m_fLimitUp3 = 0.8f;             // ratio to the mean of the three storeys above
    CBasicLoadCase* m_pWindX = nullptr;
    CBasicLoadCase* m_pWindY = nullptr;
    CBasicLoadCase* m_pSeismX = nullptr;
    CBasicLoadCase* m_pSeismY = nullptr;
    bool m_bNoWind = false;
    bool m_bNoSeism = false;
    int m_nSeismFlag = 0;
    int m_nModeNum = 0;
    CGridCtrl m_GridStorey;
    CGridCtrl m_GridTower;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    void OnSelchangeMethod();
    void OnSelchangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTowerSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnChangeLimitUp();
    void OnChangeLimitUp3();
    void OnOutput();
    DECLARE_MESSAGE_MAP()

private:
    void ComputeModel();
    void ComputeDrift(bool x, const double* coupling);
    void ComputeAngle(bool x, const double* coupling);
    void FillItem();
    void Recolour();
    void OnChangeLimit(int ctrlId);
    // The direction tab shown: 0 X, 1 Y.
    int ShownTab() const;
    // Reads the fields, remembers the tab and ends with the result; stays open when a field
    // is refused.
    void Close(int result);
    // The method of a list entry: with an entry deleted the later ones move up.
    int EntryMethod(int index) const;
    void WriteTables(COutput& out, int method, int flag, int shownMethod);
    void WriteTable(COutput& out, const CString& heading, bool x, int method, COLORREF warn);

    int m_nComboIndex = 0;              // the method list's entry
    std::vector<int> m_arrEntryMethod;  // method of each entry of the list
    bool m_bOpened = false;             // the window is up and its fields loaded
};
