// How result diagrams are drawn in the host's views. The host presets the members, runs
// the dialog and reads them after IDOK; the colour and the font are taken as soon as they
// are chosen.
#pragma once

#include <vyr/stdafx.h>

class CDlgResultOption : public CDialog
{
public:
    explicit CDlgResultOption(CWnd* pParent = nullptr);

    BOOL m_bShowStruct = 0;  // with the undeformed structure
    float m_fDispScale = 0;  // displacement scale
    float m_fForceScale = 0; // internal-force scale
    BOOL m_bAutoScale = 0;
    BOOL m_bShowEndValue = 0;
    COLORREF m_clrLabel = 0; // value labels; set by the caller
    LOGFONT m_lfLabel{};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnButtonColor();
    afx_msg void OnButtonFont();
    DECLARE_MESSAGE_MAP()
};
