// The coordinate offset that snap-from adds to a snapped point, typed as "x, y, z".
#pragma once

#include <vyr/stdafx.h>

class CDlgSnapOffset : public CDialog
{
public:
    explicit CDlgSnapOffset(CWnd* pParent = nullptr);

    // "0, 0, 0" until the user types another; checked as a point when confirmed.
    CString m_strOffset;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
