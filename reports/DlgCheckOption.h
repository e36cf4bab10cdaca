// The design-check options: lower and upper bounds of the capacity, deformation and
// detailing utilisation ratios, and two switches of the design. The host sets the members
// before DoModal and reads them back after IDOK; what it does with them is its own.
#pragma once

#include <vyr/stdafx.h>

class CDlgCheckOption : public CDialog
{
public:
    explicit CDlgCheckOption(CWnd* pParent = nullptr);

    float m_fCapacityRatioUpper = 0; // edit 1012
    float m_fCapacityRatioLower = 0; // edit 1011
    float m_fDeformRatioUpper = 0;   // edit 1013
    float m_fDeformRatioLower = 0;   // edit 1014
    float m_fDetailRatioUpper = 0;   // edit 1015
    float m_fDetailRatioLower = 0;   // edit 1016
    int m_bPreCombine = 0;           // box 1154: pre-combination before the design
    int m_bShowEcho = 0;             // box 1155: explanation of the echoed results

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};
