// Adds composite slab types on profiled steel sheets chosen from the sheet database to the
// project's composite library, or edits one; the calculation diagram of a type is edited
// through the diagram editor.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/libraries/ProfiledSheet.h>

class CBan;
class CBanSteel;
class CGlobalData;

class CDlgBanSteelAdd : public CDialog
{
public:
    explicit CDlgBanSteelAdd(CWnd* pParent = nullptr);

    // mode 1: new types added to the library (several in one run); mode 2: the given
    // type, edited in place.
    using CDialog::DoModal;
    INT_PTR DoModal(int mode, CBan* slab);

    CGlobalData* m_pData = nullptr; // set by the caller
    int m_nMode = 1;
    CBan* m_pBan = nullptr;  // the edited type (mode 2)
    float m_fHc = 50.0f;     // concrete depth above the ribs, mm, edit 1147, 50 to 300
    int m_nTension = 0;      // combo 1152: 0 "组合受拉" (-1), 1 "钢板承拉", 2 "钢筋承拉"
    int m_nMaterial = 0;     // combo 1148: steel material index + 1
    float m_fValues[9] = {}; // t, H, S, Be, B, Ief, Wef, b1, b2 of the current record

protected:
    CProfiledSheetDB m_sheets;
    CListCtrl m_listSheets; // 1145
    CListCtrl m_listTypes;  // 1146

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnPaint();
    afx_msg void OnSheetChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTypeChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnEditDiagram();
    DECLARE_MESSAGE_MAP()

private:
    void FillTable();
    // The type of the selected table row, or null.
    CBanSteel* SelectedType() const;
    void ShowRecord(int pos);
    void Redraw();
    std::vector<CBanSteel*> m_rows; // the type of each table row
};
