#include <vyr/input/DlgBeamWebHole.h>

CDlgBeamWebHole::CDlgBeamWebHole(CWnd* pParent) : CDlgStandIn("H型构件腹板洞口设置", pParent) {}
