// The frame of the storey displacement tests: storey models without the round results, whose
// displacements and shears a test sets storey by storey, the grids read as texts and colours,
// and grid rows clicked as a user does.
#pragma once

#include <string>
#include <vector>

#include <vyr/model/grid/gridctrl.h>
#include <vyr/resources/dialogs/StoreyDispRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerDispDifferOutput.h>
#include "storey/StoreyTest.h"
#include "support/StoreyModels.h"
#include "support/TestHelpers.h"

namespace disptest {

// What a storey keeps for one case and direction (cm, nodes).
struct CStoreyDisp
{
    float maxRel = 0.0f;
    int relNode = 0;
    float rel = 0.0f;
    float maxDisp = 0.0f;
    int dispNode = 0;
    float disp = 0.0f;
};

inline void SetDisp(CFloor* f, const CBasicLoadCase* lc, int direction, const CStoreyDisp& d,
                    const CMainNode* tower = nullptr)
{
    const int c = lc->m_nNo - 1;
    f->SetFloorMaxRelativeDisp(c, direction, d.maxRel, d.relNode, tower);
    f->SetFloorRelativeDisp(c, direction, d.rel, d.relNode + 50, tower);
    f->SetFloorMaxDisp(c, direction, d.maxDisp, d.dispNode, tower);
    f->SetFloorDisp(c, direction, d.disp, tower);
}

// The storey shears the main direction is voted on: the stored seismic shears of a seismic
// case, else the case's storey shears.
inline void SetShear(CStruct& s, CFloor* f, CBasicLoadCase* lc, float vx, float vy)
{
    if (lc->IsSeismLoadCase()) {
        const int p = s.m_pLoadSeismList->GetSeismPos(lc);
        f->m_fSeismShearX[p] = vx;
        f->m_fSeismShearY[p] = vy;
    } else {
        f->SetTotalShear(lc->m_nNo, vx, vy);
    }
}

// A node of the storey at (x, y), kept by the structure: the storey's plan reaches it.
inline void AddNode(CStruct& s, CFloor* f, double x, double y)
{
    auto* n = new CPNode(f->GetNo() * 100 + (int)f->m_pNodeList->GetCount() + 1, CPoint3D(x, y, f->GetZ()));
    s.m_pNodeList->AddTail(n);
    f->m_pNodeList->AddTail(n);
}

class DispTest : public storeytest::StoreyTest
{
protected:
    static vyrtest::CStoreyModelSpec Spec(int storeys, bool wind, int seismPairs)
    {
        vyrtest::CStoreyModelSpec s;
        s.nStorey = storeys;
        s.bWind = wind;
        s.nSeismPairs = seismPairs;
        s.bResults = false;
        return s;
    }

    static CDlgLayerDispDifferOutput* Dlg(CDialog* d) { return static_cast<CDlgLayerDispDifferOutput*>(d); }
    static CGridCtrl* Grid(CDialog* d, int id) { return dynamic_cast<CGridCtrl*>(d->GetDlgItem(id)); }

    // The rows below the heading row, each as its texts.
    static std::vector<std::vector<std::string>> Rows(CDialog* d, int id = IDC_DISP_RESULTGRID)
    {
        return storeytest::GridRows(Grid(d, id));
    }
    static std::vector<std::string> Heads(CDialog* d)
    {
        std::vector<std::string> heads;
        CGridCtrl* g = Grid(d, IDC_DISP_RESULTGRID);
        for (int c = 0; c < g->GetColumnCount(); ++c)
            heads.push_back(g->GetItemText(0, c).str());
        return heads;
    }
    // The text colour of one column in every row.
    static std::vector<COLORREF> Colours(CDialog* d, int column)
    {
        std::vector<COLORREF> out;
        CGridCtrl* g = Grid(d, IDC_DISP_RESULTGRID);
        for (int r = 1; r < g->GetRowCount(); ++r)
            out.push_back(g->GetItemFgColour(r, column));
        return out;
    }
    static void ClickGridRow(int gridId, int row)
    {
        vyr::ScriptedUser::Run(
            [gridId, row](CDialog* d) {
                CGridCtrl* g = Grid(d, gridId);
                CRect r;
                ASSERT_TRUE(g->GetCellRect(row, 0, &r));
                const CPoint p = r.CenterPoint();
                g->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
                g->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            },
            IDD_LAYERDISPDIFFER);
    }

    outtest::TempDir m_tmp;
};

inline constexpr COLORREF kNone = CLR_DEFAULT;
inline constexpr COLORREF kMagenta = 0x00FF00FF;
inline constexpr COLORREF kRed = 0x000000FF;

} // namespace disptest
