// The side panel "View.Section": the project section library as a filtered list from which
// the user assigns a section, or a tapered section spread along member chains, to members
// picked in the active drawing view, selects the members carrying a section, deletes unused
// sections, opens the section editors, and imports and exports section files.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/host/MenuViewBase.h>
#include <vyr/libraries/SectionRows.h>

class COP;
class CBeamBase;
class CBeamList;
class CSDefineIbeam;
class CSectionBase;

class CViewSection : public CMenuViewBase
{
    DECLARE_DYNCREATE(CViewSection)
public:
    CViewSection();
    ~CViewSection() override;

    CString GetType() const override { return "View.Section"; }
    void Resize() override;
    void Update() override;
    void OnInitialUpdate() override;

    // The finish callbacks of the two picking commands: the operator's parameter names the
    // panel, whose selected row is the section to assign.
    static void AssignSection(COP* pOP);
    static void AssignSectionTaper(COP* pOP);
    // One member gets the section (null: none). Only ordinary members and secondary beams.
    static void SetSection(CBeamBase* pBeam, CSectionBase* pSec, CGlobalData* pData);
    // The members of a chain, walked from its first member (from its last with bReverse),
    // get tapered sections interpolated between the start and end plate sets of pSec.
    // Answers how many members got a section.
    static int SetSection(CBeamList& chain, CSectionBase* pSec, CGlobalData* pData, bool bReverse);
    // The properties and texts of a welded-I plate set from its dimensions in centimetres.
    static void ComputeIbeamFactors(float H, float T, float B, float Tf, float B1, float Tf1, CSDefineIbeam* pPlates);
    // b + (d - c) / d x (a - b): a at c = 0, b at c = d.
    static double GetVal(double a, double b, double c, double d);

    // The number an operator carries for this panel (its parameter is 32 bits wide), and the
    // panel a number names (null when that panel is gone).
    DWORD GetOPParam() const { return m_dwParam; }
    static CViewSection* FromOPParam(DWORD dwParam);

    CTabCtrl m_tab;
    CListCtrlEx m_list;
    CSectionRows m_rows;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAssign();
    afx_msg void OnAssignTaper();
    afx_msg void OnSelectMembers();
    afx_msg void OnDelete() { Rows().OnDelete(); }
    afx_msg void OnEdit() { Rows().OnEdit(); }
    afx_msg void OnAxialType() { Rows().OnAxialType(); }
    afx_msg void OnStay() { Rows().OnStay(); }
    afx_msg void OnStandardLibrary() { Rows().OnStandardLibrary(); }
    afx_msg void OnDefineLibrary() { Rows().OnDefineLibrary(); }
    afx_msg void OnCombineLibrary() { Rows().OnCombineLibrary(); }
    afx_msg void OnTaperLibrary() { Rows().OnTaperLibrary(); }
    afx_msg void OnImport() { Rows().OnImport(); }
    afx_msg void OnExport() { Rows().OnExport(); }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    // The shared rows with the panel's model root.
    CSectionRows& Rows()
    {
        m_rows.m_pGlobalData = m_pGlobalData;
        return m_rows;
    }
    void StartPicking(const char* message, void (*finish)(COP*));
    // What a finished pick assigns: the operator's panel and its chosen row (row 0: none);
    // false, after the refusal's message, when there is nothing to assign.
    static bool PickedAssignment(COP* pOP, const char* noRowMessage, CViewSection*& panel, CSectionBase*& s);
    // Host settings block 6, element 11: whether the panel is shown.
    void SetShownFlag(int shown);

    DWORD m_dwParam;
};
