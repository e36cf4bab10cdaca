// Support reinforcement of profiled-deck slabs (stand-in until its dialog is written): the
// caller reads back the support bars, the grade and the cover.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CPlaneList;

class CDlgBanDesignDeck : public CDlgStandIn
{
public:
    explicit CDlgBanDesignDeck(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    CPlaneList* m_pPlaneList = nullptr; // the rooms to design
    int m_nNegDiameter = 8;             // mm, control 1166
    int m_nNegSpace = 150;              // mm, control 1221
    int m_nCover = 15;                  // mm, control 1371
    int m_nGrade = 0;                   // steel grade index, combo 1550
    bool m_bDesigned = false;
    bool m_bDesignValid = true;
};
