#include <vyr/reports/DlgOutputCheck.h>

CDlgOutputCheck::CDlgOutputCheck(CWnd* pParent) : CDlgStandIn("构件设计验算结果", pParent) {}
