// Switches the three snap targets and the snap-from option of the host's snap manager.
#pragma once

#include <vyr/stdafx.h>

class CDlgSnapSetting : public CDialog
{
public:
    explicit CDlgSnapSetting(CWnd* pParent = nullptr);

    // Ticks or clears all four boxes, snap-from included.
    void SetAll(bool check);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSetAll();
    afx_msg void OnUnSetAll();
    DECLARE_MESSAGE_MAP()
};
