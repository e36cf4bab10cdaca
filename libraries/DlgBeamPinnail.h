// The project's stud library: lists the stud groups, adds, edits, deletes and counts them,
// and returns the group the user chose.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/protocol/LibraryRows.h>

class CGlobalData;
class CPinNailGroup;
class CPinNailGroupList;

class CDlgBeamPinnail : public CDialog
{
public:
    explicit CDlgBeamPinnail(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    CPinNailGroup* m_pPinNailGroup = nullptr; // the chosen group after IDOK

protected:
    CListCtrl m_list;
    // Row r is group r + 1.
    CLibraryRows<CPinNailGroupList, CPinNailGroup> m_rows{m_list};

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnCount();
    DECLARE_MESSAGE_MAP()
};
