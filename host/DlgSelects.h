// The project's named member selection sets. The set chosen in the list (A) is combined
// with the current member selection of the screen (B) by eight set operations: four change
// the screen selection, four change the stored set. The host sets m_pData and runs it.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/DlgRecordPos.h>
#include <vyr/model/grid/gridctrl.h>

class CGlobalData;
class CBeamList;
class CIDs;

class CDlgSelects : public CDlgRecordPos
{
public:
    explicit CDlgSelects(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;

    // The members of a set, in the model's order: members of the member list first, then
    // secondary beams storey by storey and room by room. Pairs whose member is gone, and
    // coupling beams and wall piers, give nothing.
    void GenBeamList(CBeamList& list, const CIDs& ids);

    afx_msg void OnNewSelects();
    afx_msg void OnModSelects();
    afx_msg void OnDelSelects();
    afx_msg void OnOP1(); // B = A
    afx_msg void OnOP2(); // B = A + B
    afx_msg void OnOP3(); // B = A - B
    afx_msg void OnOP4(); // B = B - A
    afx_msg void OnOP5(); // A = B
    afx_msg void OnOP6(); // A = A + B
    afx_msg void OnOP7(); // A = A - B
    afx_msg void OnOP8(); // A = B - A

protected:
    CGridCtrl m_gridSets;

    BOOL OnInitDialog() override;
    void FillColumn();
    void FillItem();
    void SetText(int row, const CIDs& ids);
    void UpdateComment();
    afx_msg void OnGridDClick(NMHDR* pNotifyStruct, LRESULT* pResult);
    afx_msg void OnGridSelChange(NMHDR* pNotifyStruct, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The set of the first selected row, or null (then the message is shown).
    CIDs* TakeA(const char* messageWhenNone);
    int SelectedRow() const;
    void ChangeScreen(int op);
    void ChangeSet(int op);
};

// Asks for the name of a set; an empty name is refused.
class CDlgSelectsOne : public CDialog
{
public:
    explicit CDlgSelectsOne(CWnd* pParent = nullptr);

    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
