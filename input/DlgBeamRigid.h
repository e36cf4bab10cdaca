// Member-end rigid-arm library: the structure's rigid-arm definitions with a row 0 for none
// ("两端无刚臂"), add, edit and delete, and the definition chosen for the ordinary members.
// The add/edit dialog takes unsigned lengths in displayed units and a kind, extending
// ("外伸": the start is stored negative) or indented ("缩进": the end is stored negative),
// with a preview of the kind.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/protocol/DlgWithObject.h>
#include <vyr/protocol/LibraryRows.h>

class CGlobalData;
class CBeamList;
class CBeamRigid;
class CBeamRigidList;

// One rigid arm: the mode (1 add, 2 edit) is the object DoModal stores first.
class CDlgRigidAdd : public CDlgWithObject<INT_PTR>
{
public:
    explicit CDlgRigidAdd(CWnd* pParent = nullptr);

    int GetMode() const { return (int)m_pObject; }
    // The preview of a kind: 218 extending, 217 indented.
    static UINT PreviewBitmap(int kind);

    // In (edit): the stored, signed lengths in displayed units; shown unsigned with their
    // kind. Out after OK: signed again by the kind.
    float m_fStart = 0.0f;
    float m_fEnd = 0.0f;
    int m_nKind = 0; // 0 extending, 1 indented

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPaint();
    afx_msg void OnKind();
    DECLARE_MESSAGE_MAP()
};

class CDlgBeamRigid : public CDialog
{
public:
    CDlgBeamRigid(CWnd* pParent, CBeamList* beams);

    CBeamRigid* m_pRigid = nullptr; // in: the current definition; out after IDOK: the chosen one (may be null)
    CGlobalData* m_pData = nullptr;
    CBeamList* m_pBeamList;         // the selected members
    CListCtrlEx m_list;
    CLibraryRows<CBeamRigidList, CBeamRigid> m_rows{m_list};

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
    bool EditDefinition(CBeamRigid* def);
};
