// The unit prices of the member group kinds, edited in a grid where every accepted cell
// edit changes the model at once, and the unit price of the walls' reinforced concrete,
// written back by "确定" only.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/grid/gridctrl.h>

class CGlobalData;

class CDlgUnitPrice : public CDialog
{
public:
    explicit CDlgUnitPrice(CWnd* pParent = nullptr);

    // One finite number and nothing else (blanks around it allowed).
    static bool ParsePrice(const CString& text, double& value);

    CGlobalData* m_pData = nullptr; // the model, not owned
    CGridCtrl m_Grid;               // the prices, control 1003
    int m_nWallPrice = 0;           // edit 1629, 0 to 10000

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnEndEditGrid(NMHDR* pNotify, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void FillGrid();
};
