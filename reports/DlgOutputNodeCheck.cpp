#include <vyr/reports/DlgOutputNodeCheck.h>

CDlgOutputNodeCheck::CDlgOutputNodeCheck(CWnd* pParent) : CDlgStandIn("节点相关验算结果", pParent) {}
