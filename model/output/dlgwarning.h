// CDlgWarning: the common warning dialog: a message and an OK button. The library itself
// opens none; hosts may.
#pragma once

#include <vyr/dialog.h>
#include <vyr/stdafx.h>

class CDlgWarning : public CDialog
{
public:
    // Control id of the message text.
    static constexpr int IDC_WARNING_TEXT = 1000;

    CDlgWarning() : CDlgWarning(nullptr) {}
    explicit CDlgWarning(CWnd* pParent);
    ~CDlgWarning() override {}

    // Runs the dialog from its built-in layout.
    INT_PTR DoModal() override;

    CString m_strMessage;

protected:
    BOOL OnInitDialog() override;
};
