// The editor that the grid puts over a cell while it is edited: a child window with the
// cell's text. Enter or leaving it takes the text, Escape drops it; either way it tells the
// grid and then closes itself (it deletes itself when its window is gone).
#pragma once

#include <vyr/stdafx.h>
#include <vyr/wnd.h>

class CGridCtrl;

class CInPlaceEdit : public CWnd
{
public:
    CInPlaceEdit(CGridCtrl* pGrid, CRect& rect, UINT nID, int nRow, int nColumn, const CString& sInitText,
                 UINT nFirstChar);
    ~CInPlaceEdit() override;

    // Ends the edit once; bCancel drops the typed text.
    void EndEdit(BOOL bCancel);

protected:
    void PostNcDestroy() override;

    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    CGridCtrl* m_pGrid;
    int m_nRow;
    int m_nColumn;
    BOOL m_bEnded = FALSE;
};
