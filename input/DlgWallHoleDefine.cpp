#include <vyr/input/DlgWallHoleDefine.h>

CDlgWallHoleDefine::CDlgWallHoleDefine(CWallList* walls, CWnd* pParent)
    : CDlgStandIn("定义墙体洞口", pParent), m_pWallList(walls)
{
}
