// The program options: automatic saving of the project. The dialog edits its own option
// record; the host presets it before DoModal and reads it after IDOK.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/output/commonfuncs.h>

class CDlgOption : public CDialog
{
public:
    explicit CDlgOption(CWnd* pParent = nullptr);

    CVyrOption m_option;

    // Dialog data (check box 1140, edits 1384 and 1383).
    int m_bAutoSave = 0;
    int m_nFiles = 0;
    int m_nMinutes = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnCheckAutosave();
    DECLARE_MESSAGE_MAP()
};
