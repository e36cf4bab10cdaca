#include <vyr/reports/DlgOutputBeamForce.h>

CDlgOutputBeamForce::CDlgOutputBeamForce(CWnd* pParent) : CDlgStandIn("构件内力结果", pParent) {}
