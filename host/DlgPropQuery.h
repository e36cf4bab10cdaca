// The query by property values. Conditions typed into the property grid of one object
// kind find the objects that meet them (result set A); four operations combine A with the
// current selection (set B). The host keeps one and hands it out (WM_UI_GETQUERYDLG); the
// selection-property panels set the model root and their kind and run it.
//
// Which kinds it offers depends on the edition and the program type: nodes and members
// always; unless the program type is 2, rooms outside the 2-D edition and, in the customer
// edition (IsUl_BRX), walls (program type 0) or coupling beams (other types).
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/protocol/DlgRecordPos.h>
#include <vyr/host/PropsUI.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/structure.h>

class CDlgPropQuery : public CDlgRecordPos
{
public:
    enum
    {
        IDD = 9848
    };

    explicit CDlgPropQuery(CWnd* pParent = nullptr);
    ~CDlgPropQuery() override;

    // kind: the object kind (ObjKind) whose entry opens first; any other opens the first
    // entry.
    void SetParam(CGlobalData* data, int kind);

    // The entry of walls or coupling beams in the kind list: 3 in the customer 3-D edition,
    // 2 in its 2-D edition, -1 in the others.
    static int GetWallOrBCInWallIndex();
    // The object kinds of the kind list's entries, in order, and their names.
    std::vector<int> GetEntryKinds() const;
    static const char* KindName(int kind);

    // Refills the property grids with the objects to query: every offered grid, or only
    // the grid of the chosen entry. Their conditions start empty.
    void Reset(bool all);
    void FillColumn();
    void FillItemResult();
    void FillItemSel();
    void ResetResult();

    // The grid and the result list of a kind; null when the dialog has none of that kind.
    CPropsUI* GetPropsUI(int kind);
    CObList* GetResultList(int kind);
    // The kind of the chosen entry, -1 when none is chosen.
    int GetSelectedKind() const;

    afx_msg void OnSelchangeComboType();
    afx_msg void OnSelchangeQueryRange();
    afx_msg void OnQueryReset();
    afx_msg void OnQuery();
    afx_msg void OnQueryOp1(); // B = A
    afx_msg void OnQueryOp2(); // B = A + B
    afx_msg void OnQueryOp3(); // B = A - B
    afx_msg void OnQueryOp4(); // B = B - A
    afx_msg void OnPosition();

    CGridCtrl m_gridResult;
    CGridCtrl m_gridSel;
    CGlobalData* m_pGlobalData = nullptr;
    int m_nKind = 0;
    int m_nQueryRange = 0; // 0 the objects the host shows, 1 the whole structure
    CPropsUI m_PropsUINode;
    CPropsUI m_PropsUIBeam;
    CPropsUI m_PropsUIWall;
    CPropsUI m_PropsUIPlane;
    CPropsUI m_PropsUIBCInWall;
    // Set A.
    CPNodeList m_ResultNodeList;
    CBeamList m_ResultBeamList;
    CPlaneList m_ResultPlaneList;
    CWallList m_ResultWallList;
    CBeamList m_ResultBCInWallList;
    // The members and the coupling beams to query.
    CBeamList m_BeamList;
    CBeamList m_BCInWallList;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    void ShowPropUI();
    DECLARE_MESSAGE_MAP()

private:
    int ProgramType() const;
    bool Created(CPropsUI& ui) const { return ui.GetPropListHWND() != nullptr; }
    void* ObjectsToQuery(int kind);
    void FillCounts(CGridCtrl& grid, int nodes, int members, int rooms, int walls, int couplings);
    void Combine(int op);
    void RecordAndEmpty();
};
