// Calculation report of one member, coupling beam or wall pier (stand-in until its dialog
// is written): the object is handed over with DoModal; nothing in the model changes.
#pragma once

#include <vyr/protocol/DlgStandIn.h>
#include <vyr/protocol/DlgWithObject.h>

class CBeamBase;

class CDlgBeamCheckOutput : public CDlgWithObject<CBeamBase*, CDlgStandIn>
{
public:
    explicit CDlgBeamCheckOutput(CWnd* pParent = nullptr);

    // The object DoModal was run with.
    CBeamBase* GetObject() const { return m_pObject; }
};
