#include <vyr/input/DlgPlaneHoleDefine.h>

CDlgPlaneHoleDefine::CDlgPlaneHoleDefine(CWnd* pParent) : CDlgStandIn("房间开洞设置", pParent) {}
