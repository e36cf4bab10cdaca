#include <vyr/input/DlgBanDesign.h>

CDlgBanDesign::CDlgBanDesign(CWnd* pParent) : CDlgStandIn("楼板配筋计算", pParent) {}
