// Reinforcement of two-way slabs (stand-in until its dialog is written): the caller reads
// back four bar specifications, the grade and the cover.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CPlaneList;

class CDlgBanDesignTwoWay : public CDlgStandIn
{
public:
    explicit CDlgBanDesignTwoWay(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    CPlaneList* m_pPlaneList = nullptr; // the rooms to design, each a quadrilateral two-way slab
    int m_nXPosDiameter = 8, m_nXPosSpace = 150; // mm, controls 1362, 1364
    int m_nXNegDiameter = 8, m_nXNegSpace = 150; // mm, controls 1363, 1365
    int m_nYPosDiameter = 8, m_nYPosSpace = 150; // mm, controls 1220, 1232
    int m_nYNegDiameter = 8, m_nYNegSpace = 150; // mm, controls 1167, 1222
    int m_nCover = 15;                           // mm, control 1147
    int m_nGrade = 0;                            // steel grade index, combo 1550
    bool m_bDesigned = false;
    bool m_bDesignValid = true;
};
