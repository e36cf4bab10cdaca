// Member-end eccentricity library of members or walls (stand-in until its dialog is
// written): returns the definition chosen, or none. Each caller gives exactly one of the
// two lists.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CBeamList;
class CWallList;
class CMemberOffset;

class CDlgBeamOffset : public CDlgStandIn
{
public:
    CDlgBeamOffset(CWnd* pParent, CBeamList* beams, CWallList* walls);

    CMemberOffset* m_pOffset = nullptr; // in: the current definition; out after IDOK: the chosen one (may be null)
    CGlobalData* m_pData = nullptr;
    CBeamList* m_pBeamList;             // the selected members, or null
    CWallList* m_pWallList;             // the selected walls, or null
};
