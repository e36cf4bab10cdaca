// What the two seismic force adjustment dialogs (minimum storey shear and frame shear) share:
// the horizontal seismic cases of the current case list and their grid, the main direction
// vote of a case, and the copy of the factors they write to the storeys that share another
// storey's data.
#pragma once

#include <initializer_list>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/grid/gridctrl.h>

class CBasicLCList;
class CBasicLoadCase;
class CFloor;
class CGlobalData;
class CLoadSeismList;
class CWnd;

namespace storey {

// How the adjustment grids align their cells, and their numbers ("%.3f").
inline constexpr UINT kCellCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
CString Fixed3(double v);

// The numbers of the horizontal seismic cases of the list, in list order.
std::vector<int> SeismicCaseNumbers(const CBasicLCList* list);
// The case of that number, or null.
CBasicLoadCase* CaseByNumber(const CBasicLCList* list, int no);
// The case of a case grid row (from 1): entry row-1 of the numbers; null past them.
CBasicLoadCase* CaseOfRow(const CBasicLCList* list, const std::vector<int>& numbers, int row);

// The case grid: a read-only list of whole rows under the heading "水平地震工况".
void CreateSeismicCaseGrid(CGridCtrl& grid, CWnd* parent, const RECT& rect, UINT id);
// One row per horizontal seismic case ("BLC%d " and the case's description), the first row
// selected; answers the case numbers, row r holding entry r-1.
std::vector<int> FillSeismicCaseGrid(CGridCtrl& grid, const CBasicLCList* list);
// Fills the case grid into numbers; without a horizontal seismic case says so
// ("对不起，您没有施加水平地震荷载！") and answers false. noData tells which.
bool FillSeismicCases(CGridCtrl& grid, const CBasicLCList* list, std::vector<int>& numbers, bool& noData);

// The storeys of a main-direction vote, from a walk from the top: those whose level is at
// least the larger of the basement count and 1, never the last storey of the walk.
std::vector<CFloor*> DirectionVoteStoreys(const std::vector<CFloor*>& fromTop, int basements);
// The main direction of a case over those storeys: 2 (Y) only when more storeys are
// dominated by Y than by X, else 1 (X).
int MainDirection(const std::vector<CFloor*>& storeys, CBasicLoadCase* lc, const CLoadSeismList* seism);

// A factor array of the storeys, one float per seismic position.
using StoreyFactors = float (CFloor::*)[12];
// For every horizontal seismic case of the current list, a storey that shares the data of a
// linked storey takes over the linked storey's factors of the case's position.
void CopyFactorsToLinked(CGlobalData* data, std::initializer_list<StoreyFactors> factors);

} // namespace storey

// The frame of the two adjustment dialogs: the model, the case grid and the current case, the
// choice of a case in the grid, and closing that keeps what the boxes show.
class CDlgSeismicAdjust : public CDialog
{
public:
    CDlgSeismicAdjust(UINT templateId, CGlobalData* pData, CWnd* pParent, bool noData)
        : CDialog(templateId, pParent), m_pGlobalData(pData), m_bNoData(noData)
    {
    }

    CGlobalData* m_pGlobalData;
    CGridCtrl m_GridCase;
    CBasicLoadCase* m_pCurCase = nullptr;
    std::vector<int> m_arrSeismNo; // the horizontal seismic cases' numbers; row r is entry r-1
    bool m_bNoData;                // no horizontal seismic case to adjust
    int m_nCurRow = 1;             // case grid row of the current case

protected:
    void OnCancel() override;
    // The case of a case grid row made current.
    void getgk(int row);
    // Fills the case grid; without a horizontal seismic case says so and answers false.
    bool FillCaseGrid();
    // The current case's storeys computed and shown.
    virtual void FillData(CBasicLoadCase* lc) = 0;
    virtual void FillStoreyGrid() = 0;
    // The case of the grid row the notification names becomes current and is shown; nothing
    // for the head row or without cases.
    void ChooseCase(NMHDR* pNMHDR, LRESULT* pResult);
};

