#include <vyr/reports/DlgOutputNodeDisp.h>

CDlgOutputNodeDisp::CDlgOutputNodeDisp(CWnd* pParent) : CDlgStandIn("节点位移结果", pParent) {}
