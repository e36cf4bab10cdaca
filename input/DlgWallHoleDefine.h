// The openings of one wall or of several walls of one size: a working copy of the first
// wall's openings is edited in a grid, four edits and two placement lists, drawn to scale
// in a preview and validated as a whole at every change. "确定" gives every selected wall
// the set, "关闭" drops it; Enter does nothing and Esc closes, so neither writes. The
// caller re-places the walls after IDOK.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/input/WallHoleInfo.h>
#include <vyr/model/grid/gridctrl.h>

class CGlobalData;
class CWallList;

class CDlgWallHoleDefine : public CDialog
{
public:
    explicit CDlgWallHoleDefine(CWallList* walls, CWnd* pParent = nullptr);

    CWallList* m_pWallList; // the selected walls
    CGlobalData* m_pData = nullptr;

    // The set being edited: H, L and the openings of the first wall at the start.
    WALL_HOLE_INFO m_HoleInfo;
    // The edits, display units.
    CString m_strWidth = "0";
    CString m_strHeight = "0";
    CString m_strDx = "0";
    CString m_strDy = "0";
    int m_nCurRow = -1;       // the grid row last clicked, added or kept after a deletion
    bool m_bSeveral = false;  // two or more rows selected at the last click

    // Shows the first rule the set breaks; false then.
    bool CheckHoles(const WALL_HOLE_INFO& info);
    // Draws the preview into a context over the preview frame's client area: a gray ground,
    // the wall to scale, the openings of the selected rows in pink.
    void DrawPreview(CDC* pDC);
    CGridCtrl& HoleGrid() { return m_HoleGrid; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter: the dialog has no default button and only "确定" writes.
    void OnOK() override {}
    afx_msg void OnPaint();
    afx_msg void OnClickHoleGrid(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAddHole();
    afx_msg void OnModifyHole();
    afx_msg void OnDeleteHole();
    afx_msg void OnSelchangeHorzAlign();
    afx_msg void OnSelchangeVertAlign();
    afx_msg void OnBtnOK();
    afx_msg void OnBtnClose();
    DECLARE_MESSAGE_MAP()

private:
    float Unit() const;
    CString Display(float value) const;
    float Read(const CString& text) const;
    void SetGridHeader();
    void FillHoleGrid();
    void SetHoleRow(int row);
    void ShowHole(int index);
    void ShowZeros();
    void EnableEditing(bool enable);
    void LayoutPreview();
    void DrawPreview();
    std::vector<int> SelectedRows() const;

    CGridCtrl m_HoleGrid;
    CRect m_rcPreview;      // the preview frame's client area
    double m_dScale = 1.0;  // model length per preview pixel
    double m_dWallX[4] = {};  // wall corners in preview pixels: bottom left, bottom right,
    double m_dWallY[4] = {};  // top right, top left
};
