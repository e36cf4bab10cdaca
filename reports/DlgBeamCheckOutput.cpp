#include <vyr/reports/DlgBeamCheckOutput.h>

CDlgBeamCheckOutput::CDlgBeamCheckOutput(CWnd* pParent) : CDlgWithObject("计算书输出", pParent) {}
