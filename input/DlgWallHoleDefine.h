// Openings of walls of one size (stand-in until its dialog is written): the dialog defines
// the walls' openings itself; the caller re-places the walls after IDOK.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CWallList;

class CDlgWallHoleDefine : public CDlgStandIn
{
public:
    explicit CDlgWallHoleDefine(CWallList* walls, CWnd* pParent = nullptr);

    CWallList* m_pWallList; // the selected walls
    CGlobalData* m_pData = nullptr;
};
