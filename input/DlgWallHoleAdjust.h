// Quick adjustment of the single opening of each wall (stand-in until its dialog is
// written): the dialog changes and re-places the walls itself.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CWallList;

class CDlgWallHoleAdjust : public CDlgStandIn
{
public:
    explicit CDlgWallHoleAdjust(CWallList* walls, CWnd* pParent = nullptr);

    CWallList* m_pWallList; // the selected walls
    CGlobalData* m_pData = nullptr;
};
