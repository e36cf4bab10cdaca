// Storey shear capacity: per storey above the basements the shear capacity in X and Y that the
// model computes, and its ratio to the storey above against two limits kept in the model (the
// ratio should not be less than "不宜", must not be less than "不应"); and the chapter
// "楼层受剪承载力信息", per tower when the model has several.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/coutput.h>
#include <vyr/model/struct/Node.h>

class CGlobalData;

// One storey of the capacity table. Number 0: the storey is not in the chosen tower.
struct CStoreyCapacity
{
    int nNo = 0;
    float fCapX = 0.0f; // kN
    float fCapY = 0.0f;
};

class CDlgShearCapacity : public CDialog
{
public:
    explicit CDlgShearCapacity(CWnd* pParent = nullptr);
    ~CDlgShearCapacity() override;

    // The chapter; flag 0 stand-alone with the report head, 1 a section of the whole report.
    void Output(COutput* out, int flag);

    // Limits outside [0, 1] become their defaults, in the dialog and in the model.
    void CheckData();
    // Computes the table for the current tower: the storeys above the basements, lowest first.
    void FillData();
    const std::vector<CStoreyCapacity>& GetTable() const { return m_arrCapacity; }

    // The ratio of a capacity to the one above: 1.0 at the top or when the one above is
    // below 1e-5, the divisor at least 1e-7.
    static float Ratio(float capacity, float above, bool top);

    CGlobalData* m_pGlobalData = nullptr; // set by the user of the object before use
    CMainNodeList m_MainNodeList;         // the towers' main nodes
    CMainNode* m_pCurMainNode = nullptr;  // the chosen tower; none for the whole structure
    float m_fLimitMandatory = 0.0f;       // "不应", edit 1602
    float m_fLimitAdvisory = 0.0f;        // "不宜", edit 1601
    int m_nFloorNum = 0;
    std::vector<CStoreyCapacity> m_arrCapacity; // index 0: the lowest storey above the basements
    CGridCtrl m_GridStorey;
    CGridCtrl m_GridTower;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnTowerSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnChangeAdvisory();
    void OnChangeMandatory();
    void OnOutput();
    DECLARE_MESSAGE_MAP()

private:
    void LoadLimits();
    void FillItem();
    void Recolour();
    // The ratio of record i in one direction, as the grid and the single table show it.
    float RecordRatio(size_t i, bool x) const;
    void WriteTableHead(COutput& out, const CString& heading);
    void WriteRow(COutput& out, const CString& label, float capX, float ratioX, float capY, float ratioY);

    bool m_bOpened = false; // the window is up and its fields loaded
};
