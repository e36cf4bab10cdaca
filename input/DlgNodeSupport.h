// Node support library: the structure's supports, the default ones first and then the
// springs, each row with the icon of its kind and a row 0 for none ("取消结点约束"); add,
// edit and delete of springs (the default supports are neither edited nor deleted) and the
// support chosen for the selected nodes. A spring is entered in the dialog of the edition:
// six directions in the 3-D edition, the three in-plane ones (FX, FZ, MY) in the 2-D one.
// The spring dialogs show translational stiffnesses × UnitForce / UnitLength and rotational
// ones × UnitForce × UnitLength.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/protocol/LibraryRows.h>

class CGlobalData;
class CPNodeList;
class CSupportBase;
class CSupportList;

// Six directions: releases FX FY FZ MX MY MZ (1 released) and their stiffnesses in
// displayed units. A released direction's stiffness box is disabled and holds 0.
class CDlgSupportspring : public CDialog
{
public:
    explicit CDlgSupportspring(CWnd* pParent = nullptr);

    int m_nRelease[6] = {0, 0, 0, 0, 0, 0};
    float m_fStiff[6] = {1e9f, 1e9f, 1e9f, 1e9f, 1e9f, 1e9f};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnRelease(UINT id);
    DECLARE_MESSAGE_MAP()
};

// The three in-plane directions of the 2-D edition.
class CDlgSupportspring2D : public CDialog
{
public:
    explicit CDlgSupportspring2D(CWnd* pParent = nullptr);

    int m_nReleaseFX = 0;
    int m_nReleaseFZ = 0;
    float m_fKFX = 1e9f;
    float m_fKFZ = 1e9f;
    int m_nReleaseMY = 0;
    float m_fKMY = 1e9f;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnRelease(UINT id);
    DECLARE_MESSAGE_MAP()
};

class CDlgNodeSupport : public CDialog
{
public:
    CDlgNodeSupport(CWnd* pParent, CPNodeList* nodes);

    // The row a support shows in the list of the edition: none row 0; 3-D: fixed 1, pinned
    // 2, kinds 6, 7, 4, 5 rows 3 to 6, spring n row n + 6; 2-D: fixed 1, pinned 2, spring n
    // row n + 2. -1 for a kind the edition does not list.
    static int RowOfSupport(const CSupportBase* support, bool threeD);

    CSupportBase* m_pSupport = nullptr; // in: the current support; out after IDOK: the chosen one (may be null)
    CGlobalData* m_pData = nullptr;
    CImageList m_ImageList;             // 16 x 16, one icon per kind (index = kind, 0 none)
    CListCtrlEx m_list;
    CPNodeList* m_pNodeList;            // the selected nodes
    CLibraryRows<CSupportList, CSupportBase> m_rows{m_list};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnRowChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    bool AddSpring();
    bool EditSpring(CSupportBase* support);
    // Between the model's stiffness of a direction (0 to 5) and the displayed one.
    float Shown(int direction, float stored) const;
    float Stored(int direction, float shown) const;
};
