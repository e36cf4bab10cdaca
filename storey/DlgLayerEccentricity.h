// Storey eccentricity: per storey and direction the centres of rigidity and of mass, their
// distance, the storey's elastic radius and the eccentricity ratio (distance over radius),
// marked above the limit kept in the model; and the chapter "楼层偏心率统计信息", with a row
// per tower of the storeys that hold several.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/coutput.h>
#include <vyr/model/struct/Node.h>

class CFloor;
class CGlobalData;

// One row of the eccentricity table: the lower storey of a pair of successive storeys with
// the upper one's mass centre (m). Label 0: the row is not shown.
struct CStoreyEccentricity
{
    int nLabel = 0;
    double dRigidX = 0.0, dRigidY = 0.0;
    double dMassX = 0.0, dMassY = 0.0;
    double dRadiusX = 0.0, dRadiusY = 0.0;
};

class CDlgLayerEccentricity : public CDialog
{
public:
    explicit CDlgLayerEccentricity(CWnd* pParent = nullptr);
    ~CDlgLayerEccentricity() override;

    // The chapter; flag 0 stand-alone with the report head (the table the window shows),
    // 1 a section of a larger report (the table computed afresh).
    void Output(COutput* out, int flag);

    // The limit as the model keeps it: greater than 1e-7 and less than 1e4, else 0.15.
    void LoadLimit();
    // Computes the table for the current tower.
    void FillData();
    const std::vector<CStoreyEccentricity>& GetTable() const { return m_arrTable; }

    // The eccentricity of a direction: |rigidity centre - mass centre| / radius, the radius
    // at least 1e-7.
    static double Ratio(double rigid, double mass, double radius);

    CGlobalData* m_pGlobalData = nullptr; // set by the user of the object before use
    CMainNodeList m_MainNodeList;         // the towers' main nodes
    CMainNode* m_pCurMainNode = nullptr;  // the chosen tower; none for the whole structure
    float m_fLimit = 0.15f;
    int m_nFloorNum = 0;
    std::vector<CStoreyEccentricity> m_arrTable; // index 0: the lowest entry
    CGridCtrl m_GridStorey;
    CGridCtrl m_GridTower;

protected:
    BOOL OnInitDialog() override;

    void OnSelchangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTowerSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnOutput();
    DECLARE_MESSAGE_MAP()

private:
    void Recompute();
    void FillItem();
    bool ShowsX() const;
    // One pair's row, labelled with the lower storey's level: the mass centre of the upper
    // storey, the rigidity centre and the radii of the lower one, at the tower's plan
    // position ((-1, -1) for the whole storey), scaled to m.
    CStoreyEccentricity PairRow(CFloor* upper, CFloor* lower, float px, float py) const;
    void WriteTable(COutput& out, bool x);
    void WriteRow(COutput& out, const CString& label, const CStoreyEccentricity& r, bool x);
    // The number (from 1) of the tower of the list whose main node lies nearest in plan; the
    // first of equally near ones.
    int NearestTower(const CMainNode* node) const;

    bool m_bComputed = false; // the table was computed since the model became known
};
