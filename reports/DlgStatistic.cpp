#include <vyr/reports/DlgStatistic.h>

CDlgStatistic::CDlgStatistic(CWnd* pParent) : CDlgStandIn("算量与概算统计", pParent) {}
