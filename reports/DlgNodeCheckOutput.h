// Calculation report of one node (stand-in until its dialog is written): the object is
// handed over with DoModal; nothing in the model changes.
#pragma once

#include <vyr/protocol/DlgStandIn.h>
#include <vyr/protocol/DlgWithObject.h>

class CPNode;

class CDlgNodeCheckOutput : public CDlgWithObject<CPNode*, CDlgStandIn>
{
public:
    explicit CDlgNodeCheckOutput(CWnd* pParent = nullptr);

    // The object DoModal was run with.
    CPNode* GetObject() const { return m_pObject; }
};
