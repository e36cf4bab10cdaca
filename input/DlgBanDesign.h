// Reinforcement of one-way, concrete and some profiled-deck slabs: bottom bars for the
// positive and top bars for the negative moment, proposed from the rooms' required areas and
// adjustable one group at a time. The caller reads back the bars, the grade and the cover;
// the dialog itself writes only the cover into the rooms.
#pragma once

#include <vyr/input/DlgBanDesignBase.h>

class CDlgBanDesign : public CDlgBanDesignBase
{
public:
    explicit CDlgBanDesign(CWnd* pParent = nullptr);

    int m_nPosDiameter = 8;   // mm, control 1218
    int m_nPosSpace = 150;    // mm, control 1219
    float m_fPosArea = 8.0f;  // provided, mm2/m
    float m_fPosNeed = 0.0f;  // required, mm2/m
    int m_nNegDiameter = 8;   // mm, control 1166
    int m_nNegSpace = 150;    // mm, control 1221
    float m_fNegArea = 0.0f;
    float m_fNegNeed = 0.0f;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAutoDesign();
    void DesignSlab();
    void OnConditionalDesignPositive();
    void OnConditionalDesignNegative();
    void OnFreeChoice();

    DECLARE_MESSAGE_MAP()
};
