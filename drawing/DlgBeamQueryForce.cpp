#include <vyr/drawing/DlgBeamQueryForce.h>

CDlgBeamQueryForce::CDlgBeamQueryForce(CWnd* pParent) : CDlgWithObject("杆件内力查询", pParent) {}
