// The stand-in of a dialog whose own issue is still open: it keeps the constructor and the
// members that its callers hand over and read back, runs modally on one shared placeholder
// template under the dialog's own caption, and does nothing else. What the real dialog
// would choose, a scripted user sets in its members before confirming. Each stand-in is
// replaced by its dialog.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/resources/dialogs/StandInRes.h>

class CDlgStandIn : public CDialog
{
public:
    CDlgStandIn(const char* caption, CWnd* pParent) : CDialog((UINT)IDD_STANDIN, pParent), m_strStandInCaption(caption)
    {
    }
    const CString& GetStandInCaption() const { return m_strStandInCaption; }

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetWindowText(m_strStandInCaption);
        return TRUE;
    }

private:
    CString m_strStandInCaption;
};
