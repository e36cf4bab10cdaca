// Flags of the member types that the current view shows as selected. The host may preset
// the flags, runs the dialog and reads them after IDOK.
#pragma once

#include <vyr/stdafx.h>

class CDlgSelectType : public CDialog
{
public:
    explicit CDlgSelectType(CWnd* pParent = nullptr);

    // 0 unticked, 1 ticked.
    int m_bBeam = 0;
    int m_bBrace = 0;
    int m_bTensionOnly = 0;
    int m_bColumn = 0;
    int m_bSubBeam = 0;
    int m_bBottomChord = 0;
    int m_bDiagonal = 0;
    int m_bTopChord = 0;
    int m_bVertical = 0;
    int m_bWindColumn = 0;
    int m_bCraneBeam = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Ticks or clears every box; the flags follow only when OK exchanges the data.
    void Sel(bool flag);
    afx_msg void OnSelAll();
    afx_msg void OnNotSelAll();
    DECLARE_MESSAGE_MAP()
};
