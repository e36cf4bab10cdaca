#include <vyr/input/DlgBeamOffset.h>

CDlgBeamOffset::CDlgBeamOffset(CWnd* pParent, CBeamList* beams, CWallList* walls)
    : CDlgStandIn("构件端部偏心设定", pParent), m_pBeamList(beams), m_pWallList(walls)
{
}
