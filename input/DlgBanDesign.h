// Reinforcement of one-way and composite slabs (stand-in until its dialog is written): the
// caller reads back the positive- and negative-moment bars, the grade and the cover.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CPlaneList;

class CDlgBanDesign : public CDlgStandIn
{
public:
    explicit CDlgBanDesign(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    CPlaneList* m_pPlaneList = nullptr; // the rooms to design, each with a slab
    int m_nPosDiameter = 8;             // mm, control 1218
    int m_nPosSpace = 150;              // mm, control 1219
    int m_nNegDiameter = 8;             // mm, control 1166
    int m_nNegSpace = 150;              // mm, control 1221
    int m_nCover = 15;                  // mm, control 1371
    int m_nGrade = 0;                   // steel grade index, combo 1550
    bool m_bDesigned = false;           // an automatic design has run
    bool m_bDesignValid = true;         // the last automatic design succeeded
};
