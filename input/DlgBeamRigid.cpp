#include <vyr/input/DlgBeamRigid.h>

CDlgBeamRigid::CDlgBeamRigid(CWnd* pParent, CBeamList* beams) : CDlgStandIn("杆件杆端刚臂设定", pParent), m_pBeamList(beams)
{
}
