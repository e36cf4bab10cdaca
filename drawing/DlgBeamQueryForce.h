// The internal-force query of one member ("杆件内力查询"): the six components over the
// member's twelve stations as small diagrams and as a grid, under a fundamental combination
// or a basic case picked from a list, or as the envelope; a double click on a combination
// opens the combination editor on it. Every paint recomputes the member's stations.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/LoadCase.h>
#include <vyr/protocol/DlgWithObject.h>

class CGlobalData;
class CBeamBase;

// One component's diagram in rect (a diagram control's client area): the cleared frame,
// the filled curve of `first` (and of `second` in envelope mode, lighter, both at one
// scale), labels at the ends and at the inner extremes when labelFont is given, and the
// baseline. Values are in model units, labels times unitFactor.
void VyrDrawQueryDiagram(CDC* pDC, const CRect& rect, int component, const float* first, const float* second,
                         double unitFactor, CFont* labelFont);

class CDlgBeamQueryForce : public CDlgWithObject<CBeamBase*>
{
public:
    explicit CDlgBeamQueryForce(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    CGridCtrl m_Grid{0, 0, 0, 0};
    CTabCtrl m_tab;
    CListBox m_list;
    // Rows 0 to 5 the components at the twelve stations (the envelope's first line in
    // envelope mode), rows 6 to 11 the envelope's second line.
    float m_fForce[12][12] = {};
    int m_bShowValue = 0;
    int m_nMode = -1;     // 0 by combination, 1 envelope
    int m_nReselect = 0;  // the list position the next filling works on; -1: the first
    CLoadCombination m_lc; // the working combination
    int m_nListKind = 0;  // 0 fundamental combinations, 1 basic cases

    // The member DoModal was run with.
    CBeamBase* GetBeam() const { return m_pObject; }

    void FillList();
    void Redraw();
    void FillGrid();
    // The factor from model units to shown units of a component.
    double UnitFactor(int component) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    // The grid follows as well, so it never shows the other mode's values.
    afx_msg void OnClickRedraw()
    {
        Redraw();
        FillGrid();
    }
    afx_msg void OnSelchangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelchangeList();
    afx_msg void OnDblclkList();
    DECLARE_MESSAGE_MAP()
};
