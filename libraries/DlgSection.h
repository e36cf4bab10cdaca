// The project section library as a modal dialog: the section panel's list, tabs, sorts and
// library operations, without picking, returning one chosen section.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/libraries/SectionRows.h>

class CGlobalData;
class CSectionBase;

class CDlgSection : public CDialog
{
    DECLARE_DYNCREATE(CDlgSection)
public:
    // The parent is not used: the dialog has none.
    explicit CDlgSection(CWnd* pParent = nullptr);

    // Refills the list.
    void Update();

    // Set by the caller before DoModal.
    CGlobalData* m_pGlobalData = nullptr;
    // In: the section to preselect (may be null). After IDOK: the chosen section, never null.
    CSectionBase* m_pCurSection = nullptr;
    CTabCtrl m_tab;
    CListCtrlEx m_list;
    CSectionRows m_rows;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDelete() { Act(&CSectionRows::OnDelete); }
    afx_msg void OnEdit() { Act(&CSectionRows::OnEdit); }
    afx_msg void OnAxialType() { Act(&CSectionRows::OnAxialType); }
    afx_msg void OnStay() { Act(&CSectionRows::OnStay); }
    afx_msg void OnStandardLibrary() { Act(&CSectionRows::OnStandardLibrary); }
    afx_msg void OnDefineLibrary() { Act(&CSectionRows::OnDefineLibrary); }
    afx_msg void OnCombineLibrary() { Act(&CSectionRows::OnCombineLibrary); }
    afx_msg void OnTaperLibrary() { Act(&CSectionRows::OnTaperLibrary); }
    afx_msg void OnImport() { Act(&CSectionRows::OnImport); }
    afx_msg void OnExport() { Act(&CSectionRows::OnExport); }
    DECLARE_MESSAGE_MAP()

private:
    // Runs a shared operation with the dialog's model root and current section.
    void Act(void (CSectionRows::*operation)());
};
