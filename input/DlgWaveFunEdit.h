// The wave function editor: the name, step and length of one record of the model, with the
// record's plot and, opened from a time-history case, the case's cut length marked on it.
// The record's samples are never touched.
#pragma once

#include <vyr/stdafx.h>

class CWaveFun;

class CDlgWaveFunEdit : public CDialog
{
public:
    explicit CDlgWaveFunEdit(CWnd* pParent = nullptr);

    // Draws the record's plot as the library dialog does.
    void DrawAxis(CDC* pDC, CRect rect, CWaveFun* wave);
    void DrawPicture(CDC* pDC, CRect rect, CWaveFun* wave);

    CString m_strName;
    float m_fDist = 0.0f; // s, 0 to 100
    float m_fStep = 0.0f; // s, 0 to 1
    // The record of the model's list to edit; set by the caller before DoModal.
    CWaveFun* m_pWaveFun = nullptr;
    // The cut length marked on the plot (s); -1: none.
    float m_fMark = -1.0f;
    LOGFONT m_logFont;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
