// What the storey shear and moment tests share: a model without the round results whose
// storey shears and moments a test sets, the dialog with its computation steps opened up, and
// a click on a row of a grid.
#pragma once

#include <vector>

#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/structure.h>
#include <vyr/storey/DlgLayerVMOutput.h>
#include "storey/StoreyTest.h"
#include "support/StoreyModels.h"

namespace vmtest {

// n storeys of the given height (cm) above `basements` basements, wind and one seismic pair,
// every shear and moment zero.
inline vyrtest::CStoreyModelSpec Spec(int n, double storeyH = 300.0, int basements = 0)
{
    vyrtest::CStoreyModelSpec spec;
    spec.nStorey = n;
    spec.nBasement = basements;
    spec.dStoreyH = storeyH;
    spec.bResults = false;
    return spec;
}

// The shears of a non-seismic case, storey by storey from the lowest real one (basements
// first): x[i] along X and y[i] along Y.
inline void SetShears(vyrtest::CStoreyModel& model, CBasicLoadCase* lc, const std::vector<float>& x,
                      const std::vector<float>& y)
{
    for (size_t i = 0; i < x.size(); ++i)
        model.Struct().m_pFloorList->GetRealFloor((int)i + 1)->SetTotalShear(lc->m_nNo, x[i], y[i]);
}

// The stored seismic shears and moments (kN, kN*cm) of a seismic case, from the lowest real
// storey.
inline void SetSeism(vyrtest::CStoreyModel& model, CBasicLoadCase* lc, const std::vector<float>& vx,
                     const std::vector<float>& vy, const std::vector<float>& mx, const std::vector<float>& my)
{
    const int pos = model.Struct().m_pLoadSeismList->GetSeismPos(lc);
    for (size_t i = 0; i < vx.size(); ++i) {
        CFloor* f = model.Struct().m_pFloorList->GetRealFloor((int)i + 1);
        f->m_fSeismShearX[pos] = vx[i];
        f->m_fSeismShearY[pos] = vy[i];
        f->m_fMomentX[pos] = mx[i];
        f->m_fMomentY[pos] = my[i];
    }
}

// The dialog with its computation reachable without a window.
class CVMProbe : public CDlgLayerVMOutput
{
public:
    using CDlgLayerVMOutput::CDlgLayerVMOutput;
    using CDlgLayerVMOutput::FillData;
    using CDlgLayerVMOutput::GetDirection;

    // The rows of the case over every real storey, as the window computes them.
    void Fill(CBasicLoadCase* lc)
    {
        m_nFloorNum = m_pGlobalData->Struct()->m_pFloorList->GetRealFloorNum();
        FillData(lc);
    }
};

// A left click in the middle of a cell, as the user gives it.
inline void ClickCell(CGridCtrl* grid, int row, int col)
{
    CRect r;
    ASSERT_TRUE(grid->GetCellRect(row, col, &r));
    const CPoint p = r.CenterPoint();
    grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    grid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

} // namespace vmtest
