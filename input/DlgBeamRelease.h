// Member-end release library: the structure's release definitions as a list with a row 0
// for none ("全部刚接约束"), add, edit and delete (a definition in use is taken from its
// members after a Yes/No question), and the definition chosen for the selected members.
// The add/edit dialog of one definition runs in mode 1 (add) or 2 (edit).
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/protocol/DlgWithObject.h>
#include <vyr/protocol/LibraryRows.h>

class CGlobalData;
class CBeamList;
class CBeamBindRelease;
class CBeamBindReleaseList;

// One release definition: the mode (1 add, 2 edit) is the object DoModal stores first.
class CDlgReleaseAdd : public CDlgWithObject<INT_PTR>
{
public:
    explicit CDlgReleaseAdd(CWnd* pParent = nullptr);

    int GetMode() const { return (int)m_pObject; }

    // The boxes as data exchange sees them: 1042 start axis 3, 1043 start axis 2, 1044 end
    // axis 3, 1045 end axis 2.
    int m_nBoxStart3 = 0;
    int m_nBoxStart2 = 0;
    int m_nBoxEnd3 = 0;
    int m_nBoxEnd2 = 0;
    int m_nType = 1; // 0 free sliding, 1 free rotation
    // The definition's flags (0/1): the caller's before an edit, the boxes' after OK.
    int m_nStart2 = 0;
    int m_nStart3 = 0;
    int m_nEnd2 = 0;
    int m_nEnd3 = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};

class CDlgBeamRelease : public CDialog
{
public:
    CDlgBeamRelease(CWnd* pParent, CBeamList* beams);

    CListCtrlEx m_list;
    CLibraryRows<CBeamBindReleaseList, CBeamBindRelease> m_rows{m_list};
    CBeamList* m_pBeamList;                 // the selected members
    CBeamBindRelease* m_pRelease = nullptr; // in: the current definition; out after IDOK: the chosen one (may be null)
    CGlobalData* m_pData = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()

private:
    bool AddDefinition();
    bool EditDefinition(CBeamBindRelease* def);
    int CountUsers(const CBeamBindRelease* def) const;
};
