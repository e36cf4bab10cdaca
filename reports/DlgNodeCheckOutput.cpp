#include <vyr/reports/DlgNodeCheckOutput.h>

CDlgNodeCheckOutput::CDlgNodeCheckOutput(CWnd* pParent) : CDlgWithObject("计算书输出", pParent) {}
