#include <vyr/reports/DlgOutputNodeForce.h>

CDlgOutputNodeForce::CDlgOutputNodeForce(CWnd* pParent) : CDlgStandIn("节点反力结果", pParent) {}
