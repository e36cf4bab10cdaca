// Member-end eccentricity library of members or walls: the structure's eccentricity
// definitions with a row 0 for none ("两端无偏心"), add, edit and delete, and the definition
// chosen for the selected objects. Each caller gives exactly one of the two lists. The
// add/edit dialog shows lengths in displayed units (model length × UnitLength()).
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/protocol/DlgWithObject.h>
#include <vyr/protocol/LibraryRows.h>

class CGlobalData;
class CBeamList;
class CWallList;
class CMemberOffset;
class CMemberOffsetList;

// One eccentricity definition: the mode (1 add, 2 edit) is the object DoModal stores first.
class CDlgOffsetAdd : public CDlgWithObject<INT_PTR>
{
public:
    explicit CDlgOffsetAdd(CWnd* pParent = nullptr);

    int GetMode() const { return (int)m_pObject; }

    // Displayed lengths.
    float m_fStart3 = 0.0f; // start node along axis 3
    float m_fEnd2 = 0.0f;   // end node along axis 2
    float m_fEnd3 = 0.0f;   // end node along axis 3
    float m_fStart2 = 0.0f; // start node along axis 2

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};

class CDlgBeamOffset : public CDialog
{
public:
    CDlgBeamOffset(CWnd* pParent, CBeamList* beams, CWallList* walls);

    CMemberOffset* m_pOffset = nullptr; // in: the current definition; out after IDOK: the chosen one (may be null)
    CGlobalData* m_pData = nullptr;
    CBeamList* m_pBeamList;             // the selected members, or null
    CWallList* m_pWallList;             // the selected walls, or null
    CListCtrlEx m_list;
    CLibraryRows<CMemberOffsetList, CMemberOffset> m_rows{m_list};

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
    bool EditDefinition(CMemberOffset* def);
    int CountUsers(const CMemberOffset* def) const;
};
