// The parameters of one shear-stud group. The caller presets the members, runs the dialog
// and reads them after IDOK. The diameter combo offers 13, 16 and 19 mm; a group of 22 or
// 25 mm shows no diameter.
#pragma once

#include <vyr/libraries/DlgPinnailBase.h>

class CDlgPinnailGroup : public CDlgPinnailBase
{
public:
    explicit CDlgPinnailGroup(CWnd* pParent = nullptr);

    int m_nSpace = 200; // mm

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
