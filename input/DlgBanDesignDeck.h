// Support (negative-moment) bars of profiled-deck slabs: the one-group form of the slab
// reinforcement dialog. The caller reads back the bars, the grade and the cover.
#pragma once

#include <vyr/input/DlgBanDesignBase.h>

class CDlgBanDesignDeck : public CDlgBanDesignBase
{
public:
    explicit CDlgBanDesignDeck(CWnd* pParent = nullptr);

    int m_nNegDiameter = 8;  // mm, control 1166
    int m_nNegSpace = 150;   // mm, control 1221
    float m_fNegArea = 0.0f; // provided, mm2/m
    float m_fNegNeed = 0.0f; // required, mm2/m

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAutoDesign();
    void OnConditionalDesignNegative();
    void OnFreeChoice();

    DECLARE_MESSAGE_MAP()
};
