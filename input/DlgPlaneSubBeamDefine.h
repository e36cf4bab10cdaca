// Secondary beams of quadrilateral rooms (stand-in until its dialog is written): the caller
// appends the rooms to the dialog's list; the dialog lays out the beams itself.
#pragma once

#include <vyr/protocol/DlgStandIn.h>
#include <vyr/model/struct/Plane.h>

class CGlobalData;

class CDlgPlaneSubBeamDefine : public CDlgStandIn
{
public:
    explicit CDlgPlaneSubBeamDefine(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    CPlaneList m_PlaneList; // the rooms to work on, appended by the caller
};
