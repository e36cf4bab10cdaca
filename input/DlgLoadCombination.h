// The project's load-combination library: the fundamental, characteristic and
// quasi-permanent combinations in three tabs. Adding, editing and deleting change the model
// at once; the lock box keeps the combinations from being regenerated; "刷新..." edits the
// generation parameters and regenerates; "输出..." writes the three lists to a file. The
// host constructs it, sets the model root and runs it.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/LibraryRows.h>
#include <vyr/model/grid/listctrlex.h>

class CGlobalData;
class CLCList;
class CLoadCombination;

class CDlgLoadCombination : public CDialog
{
public:
    explicit CDlgLoadCombination(CWnd* pParent = nullptr);
    ~CDlgLoadCombination() override;

    CGlobalData* m_pData = nullptr; // set by the host before DoModal
    CListCtrlEx m_list;
    CTabCtrl m_tab;
    int m_bLock = 0;

    // The list the tab shows: 0 fundamental, 1 characteristic, 2 quasi-permanent.
    CLCList* TabList() const;
    void FillLCColumns();
    void FillLCList();
    // Numbers the combinations 1, 2, ... through the fundamental, then the characteristic,
    // then the quasi-permanent list. The dialog's own operations do not call it.
    void ReDesignId();
    // Writes the three lists (number, description) as a report: RTF for a path ending in
    // ".rtf", plain text otherwise. False when the file cannot be written.
    bool WriteLists(const CString& path) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnChangeall();
    afx_msg void OnOutputall();
    afx_msg void OnLock();
    afx_msg void OnSelchangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblclkLclist(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CLibraryRows<CLCList, CLoadCombination> m_rows{m_list};
};
