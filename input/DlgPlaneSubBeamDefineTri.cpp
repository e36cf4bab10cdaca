#include <vyr/input/DlgPlaneSubBeamDefineTri.h>

CDlgPlaneSubBeamDefineTri::CDlgPlaneSubBeamDefineTri(CWnd* pParent) : CDlgStandIn("三角形房间次梁布置", pParent) {}
