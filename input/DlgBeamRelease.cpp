#include <vyr/input/DlgBeamRelease.h>

CDlgBeamRelease::CDlgBeamRelease(CWnd* pParent, CBeamList* beams)
    : CDlgStandIn("杆件杆端约束设定", pParent), m_pBeamList(beams)
{
}
