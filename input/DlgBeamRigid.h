// Member-end rigid-arm library (stand-in until its dialog is written): returns the
// definition chosen for the ordinary members, or none.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CBeamList;
class CBeamRigid;

class CDlgBeamRigid : public CDlgStandIn
{
public:
    CDlgBeamRigid(CWnd* pParent, CBeamList* beams);

    CBeamRigid* m_pRigid = nullptr; // in: the current definition; out after IDOK: the chosen one (may be null)
    CGlobalData* m_pData = nullptr;
    CBeamList* m_pBeamList;         // the selected members
};
