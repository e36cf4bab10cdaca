// Member design and check report (stand-in until its dialog is written): reports on the
// objects of its list; nothing in the model changes.
#pragma once

#include <vyr/protocol/DlgStandIn.h>

class CGlobalData;
class CBeamList;

class CDlgOutputCheck : public CDlgStandIn
{
public:
    explicit CDlgOutputCheck(CWnd* pParent = nullptr);

    CBeamList* m_pBeamList = nullptr; // the objects to report, not owned
    CGlobalData* m_pData = nullptr;
};
