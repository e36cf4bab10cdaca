// Support reaction report of nodes (stand-in until its dialog is written): reports on the
// objects of its list; nothing in the model changes.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CPNodeList;

class CDlgOutputNodeForce : public CDlgStandIn
{
public:
    explicit CDlgOutputNodeForce(CWnd* pParent = nullptr);

    CPNodeList* m_pNodeList = nullptr; // the objects to report, not owned
    CGlobalData* m_pData = nullptr;
};
