// Internal-force query of one member (stand-in until its dialog is written): shows the
// member it is run with and changes nothing.
#pragma once

#include <vyr/protocol/DlgStandIn.h>
#include <vyr/protocol/DlgWithObject.h>

class CGlobalData;
class CBeamBase;

class CDlgBeamQueryForce : public CDlgWithObject<CBeamBase*, CDlgStandIn>
{
public:
    explicit CDlgBeamQueryForce(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    // The member DoModal was run with.
    CBeamBase* GetBeam() const { return m_pObject; }
};
