// Openings of rooms (stand-in until its dialog is written): the caller appends the rooms
// to the dialog's list; the dialog defines their openings itself.
#pragma once

#include <vyr/protocol/DlgStandIn.h>
#include <vyr/model/struct/Plane.h>

class CGlobalData;

class CDlgPlaneHoleDefine : public CDlgStandIn
{
public:
    explicit CDlgPlaneHoleDefine(CWnd* pParent = nullptr);

    CPlaneList m_PlaneList; // the rooms to work on, appended by the caller
    CGlobalData* m_pData = nullptr;
};
