// Quick modification of the single opening of each of several walls, which may differ in
// size: the edits show what the openings share, and OK gives every wall one opening of the
// typed size, with its own distances where they differed or placed by alignment on that
// wall's own length and height; or, with "取消洞口", removes every opening. The dialog
// re-places the walls it changed.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/input/WallHoleInfo.h>

class CGlobalData;
class CWallList;

class CDlgWallHoleAdjust : public CDialog
{
public:
    explicit CDlgWallHoleAdjust(CWallList* walls, CWnd* pParent = nullptr);

    CWallList* m_pWallList; // the selected walls
    CGlobalData* m_pData = nullptr;

    // One record per selected wall, in the selection's order: its size and its opening.
    std::vector<WALL_HOLE_INFO> m_WallInfos;
    // The edits, display units.
    CString m_strWidth = "0";
    CString m_strHeight = "0";
    CString m_strDx = "0";
    CString m_strDy = "0";
    int m_nMode = 0; // 0 "修改洞口", 1 "取消洞口"
    int m_nHorzAlign = 0;
    int m_nVertAlign = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelchangeHorzAlign();
    afx_msg void OnSelchangeVertAlign();
    afx_msg void OnRadioModify();
    afx_msg void OnRadioRemove();
    DECLARE_MESSAGE_MAP()

private:
    float Unit() const;
    void FillEdits();
    void EnableEdits(bool enable);
    // The edits and placement lists applied to a wall's record, on that wall's own size.
    void ApplyEdits(WALL_HOLE_INFO& info) const;
    void Replace(CWall* wall);
};
