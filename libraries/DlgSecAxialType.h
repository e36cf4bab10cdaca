// The section classes a to d of one section about its axes 2 and 3 for the stability of
// axially compressed members. Welded I and H sections offer the classification rules of
// rolled or sheared and of flame-cut flange edges. Every choice is stored in the section
// at once; neither OK nor Cancel undoes it.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/DlgWithObject.h>
#include <vyr/libraries/SectionMap.h>

class CSectionBase;

using CDlgSecAxialTypeBase = CDlgWithObject<CSectionBase*>;

class CDlgSecAxialType : public CDlgSecAxialTypeBase
{
public:
    explicit CDlgSecAxialType(CWnd* pParent = nullptr);

    // True for the codes whose flange edges may be rolled, sheared or flame-cut: welded
    // I (105), welded H (111, 112) and user-defined welded I (501).
    static bool HasEdgeRule(int nType);
    // Stores the classes of an edge kind (0 rolled or sheared, 1 flame-cut) in the section.
    static void ApplyEdgeRule(CSectionBase* pSec, int nEdge);

    CComboBox m_comboClass2;
    CComboBox m_comboClass3;
    // -1 none, 0 rolled or sheared edges, 1 flame-cut edges.
    int m_nEdge = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelClass2();
    afx_msg void OnSelClass3();
    afx_msg void OnRolledEdge();
    afx_msg void OnFlameCutEdge();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void OnEdge(int nEdge);
    void ShowClasses();

    CSectionMapFrame m_map;
};
