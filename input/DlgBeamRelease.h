// Member-end release library (stand-in until its dialog is written): returns the release
// definition chosen for the members, or none.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CBeamList;
class CBeamBindRelease;

class CDlgBeamRelease : public CDlgStandIn
{
public:
    CDlgBeamRelease(CWnd* pParent, CBeamList* beams);

    CBeamList* m_pBeamList;                // the selected members
    CBeamBindRelease* m_pRelease = nullptr; // in: the current definition; out after IDOK: the chosen one (may be null)
    CGlobalData* m_pData = nullptr;
};
