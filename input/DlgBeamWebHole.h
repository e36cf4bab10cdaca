// Web opening of H members (stand-in until its dialog is written): the caller fills the
// member list with members of one I section and one length; the dialog lays out their
// openings itself.
#pragma once

#include <vyr/protocol/DlgStandIn.h>
#include <vyr/model/struct/Member.h>

class CDlgBeamWebHole : public CDlgStandIn
{
public:
    explicit CDlgBeamWebHole(CWnd* pParent = nullptr);

    CBeamList m_BeamList; // the members to work on; the first is the one drawn
};
