#include <vyr/input/DlgWallHoleAdjust.h>

CDlgWallHoleAdjust::CDlgWallHoleAdjust(CWallList* walls, CWnd* pParent)
    : CDlgStandIn("墙体洞口修改", pParent), m_pWallList(walls)
{
}
