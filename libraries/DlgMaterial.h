// The project's material library: steel and concrete materials on tabs, added, edited
// and deleted through their own dialogs; OK returns the material selected in the list.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/LibraryRows.h>
#include <vyr/model/grid/listctrlex.h>

class CGlobalData;
class CMaterialBase;
class CMaterialList;

class CDlgMaterial : public CDialog
{
public:
    enum Mode
    {
        MODE_STEEL = 0,
        MODE_CONCRETE = 1,
        MODE_BOTH = 2,
    };

    explicit CDlgMaterial(CWnd* pParent = nullptr);

    // The plain DoModal runs in the mode set so far (both kinds from construction).
    using CDialog::DoModal;
    INT_PTR DoModal(int mode);

    CGlobalData* m_pData = nullptr;
    // After IDOK: the selected material, or null when no row was selected.
    CMaterialBase* m_pMaterial = nullptr;
    int m_nMode = MODE_BOTH;

    CTabCtrl m_tab;
    CListCtrlEx m_list;
    // Row r is position r + 1 of the shown kind's list.
    CLibraryRows<CMaterialList, CMaterialBase> m_rows{m_list};

    // The kind the list shows: 0 steel, 1 concrete.
    int GetKind() const { return m_nKind; }
    // Why the material cannot be deleted (the message shown), or empty when nothing of
    // the model refers to it.
    CString UsedBy(CMaterialBase* pMat, int kind) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CMaterialList* CurrentList() const;
    void BuildColumns();
    // The editors: true when the library changed.
    bool AddMaterial();
    bool EditMaterial(CMaterialBase* m);

    int m_nKind = 0;
};
