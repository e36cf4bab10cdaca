#include <vyr/input/DlgPlaneSubBeamDefine.h>

CDlgPlaneSubBeamDefine::CDlgPlaneSubBeamDefine(CWnd* pParent) : CDlgStandIn("次梁布置", pParent) {}
