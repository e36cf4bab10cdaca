// The load-combination editor: the factor of each load type and, for wind, crane,
// temperature and the two horizontal seismic actions, the basic case it applies to. It works
// on a copy of the combination, refreshes the description after every change, and at OK
// refuses a combination the structure's list already holds; otherwise the result goes into
// the combination it was given.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/DlgWithObject.h>
#include <vyr/model/struct/LoadCase.h>

class CGlobalData;

class CDlgLCDefine : public CDlgWithObject<CLoadCombination*>
{
public:
    // DoModal(CLoadCombination*): the combination to edit (a new empty one to add), never null.
    explicit CDlgLCDefine(CWnd* pParent = nullptr);

    CLoadCombination m_lc;          // the working copy
    CGlobalData* m_pData = nullptr; // set by the caller before DoModal
    int m_nSeismVariant1 = -1;      // variant of the first and of the second seismic box
    int m_nSeismVariant2 = -1;
    CComboBox m_comboLive;
    CComboBox m_comboHSeism2;
    CComboBox m_comboWind;
    CComboBox m_comboHSeism;
    CComboBox m_comboCrane;
    CComboBox m_comboTemperature;
    float m_fDead = 0.0f;
    float m_fHSeism = 0.0f;
    float m_fWind = 0.0f;
    float m_fLive = 0.0f;
    float m_fVSeism = 0.0f;
    float m_fTemperature = 0.0f;
    float m_fCrane = 0.0f;
    // The texts the boxes open with, and the description.
    CString m_strSeism;
    CString m_strWind;
    CString m_strDescription;
    CString m_strTemperature;
    CString m_strCrane;
    CString m_strSeism2;
    float m_fHSeism2 = 0.0f;
    float m_fPreload = 0.0f;
    CString m_strLive;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnChangeDead();
    afx_msg void OnChangeLive();
    afx_msg void OnChangeHwind();
    afx_msg void OnChangeHseism();
    afx_msg void OnChangeHseism2();
    afx_msg void OnChangeVseism();
    afx_msg void OnChangeCrane();
    afx_msg void OnChangeTemperature();
    afx_msg void OnChangePreload();
    afx_msg void OnSelchangeComboHwind();
    afx_msg void OnSelchangeComboHseism();
    afx_msg void OnSelchangeComboHseism2();
    afx_msg void OnSelchangeComboCrane();
    afx_msg void OnSelchangeComboTemperature();
    DECLARE_MESSAGE_MAP()

private:
    enum Factor
    {
        F_DEAD,
        F_LIVE,
        F_WIND,
        F_HSEISM,
        F_HSEISM2,
        F_VSEISM,
        F_CRANE,
        F_TEMPERATURE,
        F_PRELOAD
    };
    float& FactorShown(Factor f);
    void OnChangeFactor(Factor f);
    // Each applies its box to the working copy; nothing while the box has no selection.
    void ApplyWind();
    void ApplyCrane();
    void ApplyTemperature();
    void ApplySeism1();
    void ApplySeism2();
    // The definition and variant of a seismic box position; false when the position lies
    // beyond the three blocks.
    bool SeismAt(int position, CLoadSeism*& pSeism, int& variant) const;
    // The description refreshed and the values shown; the boxes keep their selection.
    void Refresh();
    bool m_bOpened = false; // the change handlers act once the opening has shown the values
    bool m_bShowing = false;
};
