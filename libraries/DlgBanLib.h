// The project's slab library: composite slab types and one-way slab types on two tabs;
// adds, edits and deletes types and returns the one the user chose.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/protocol/LibraryRows.h>

class CBan;
class CBanList;
class CGlobalData;

class CDlgBanLib : public CDialog
{
public:
    explicit CDlgBanLib(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr; // set by the caller
    // May be set before DoModal to preselect a type; the chosen type after IDOK.
    CBan* m_pBan = nullptr;

protected:
    CTabCtrl m_tab;   // 1030: 0 composite slabs, 1 one-way slabs
    CListCtrl m_list; // 1115
    // Row r is position r + 1 of the tab's library.
    CLibraryRows<CBanList, CBan> m_rows{m_list};

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelChangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()

private:
    bool OneWayTab() const { return m_tab.GetCurSel() == 1; }
    CBanList* CurrentList() const;
    void BuildColumns();
    // The current tab's editor (mode 1: add, 2: edit the type).
    void RunEditor(int mode, CBan* type);
};
