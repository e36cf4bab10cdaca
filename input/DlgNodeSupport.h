// Node support library (stand-in until its dialog is written): returns the support chosen
// for the nodes, or none.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CPNodeList;
class CSupportBase;

class CDlgNodeSupport : public CDlgStandIn
{
public:
    CDlgNodeSupport(CWnd* pParent, CPNodeList* nodes);

    CSupportBase* m_pSupport = nullptr; // in: the current support; out after IDOK: the chosen one (may be null)
    CGlobalData* m_pData = nullptr;
    CPNodeList* m_pNodeList;            // the selected nodes
};
