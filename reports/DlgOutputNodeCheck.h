// Node check report (stand-in until its dialog is written): reports on the objects of its
// list; nothing in the model changes.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CPNodeList;

class CDlgOutputNodeCheck : public CDlgStandIn
{
public:
    explicit CDlgOutputNodeCheck(CWnd* pParent = nullptr);

    CPNodeList* m_pNodeList = nullptr; // the objects to report, not owned
};
