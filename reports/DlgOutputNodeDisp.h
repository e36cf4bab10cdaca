// Node displacement report (stand-in until its dialog is written): reports on the objects
// of its list; nothing in the model changes.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CPNodeList;

class CDlgOutputNodeDisp : public CDlgStandIn
{
public:
    explicit CDlgOutputNodeDisp(CWnd* pParent = nullptr);

    CPNodeList* m_pNodeList = nullptr; // the objects to report, not owned
    CGlobalData* m_pData = nullptr;
};
