// A time-history load case: which wave records act in X and Y, scaled to which peaks, over
// which cut length, at which step and output interval. Creates a case in the structure's
// case list or changes the one given; nothing reaches the model before OK, except what the
// record editor ("...") changes in a record.
#pragma once

#include <vyr/stdafx.h>

class CGlobalData;
class CTHCase;
class CWaveFun;
class CWaveFunList;

class CDlgTHCase : public CDialog
{
public:
    explicit CDlgTHCase(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr; // set by the caller
    CComboBox m_cbWaveY;
    CComboBox m_cbWaveX;
    int m_bX = 1;
    int m_bY = 1;
    float m_fDist = 10.0f; // cut length, s, 0 to 100
    float m_fMaxX = 35.0f; // peaks, gal, 0 to 2000
    float m_fMaxY = 35.0f;
    int m_nSpan = 1; // output interval, samples, 1 to 100
    CString m_strName = "TH1";
    float m_fStep = 0.02f;  // s, 0 to 1
    float m_fRatio = 0.05f; // damping, shown only: from the seismic settings or the case
    // The case to edit; null for a new one.
    CTHCase* m_pTHCase = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnEditWaveX();
    afx_msg void OnEditWaveY();
    DECLARE_MESSAGE_MAP()

private:
    CWaveFunList* Records() const;
    // The record a box has chosen; null when none is chosen or the list has none there.
    CWaveFun* Chosen(CComboBox& box) const;
    void EditWave(CComboBox& box);
};
