#include <vyr/model/struct/Load.h>

IMPLEMENT_DYNAMIC(CLoadNode, CObject)
IMPLEMENT_DYNAMIC(CLoadBeam, CObject)
IMPLEMENT_DYNAMIC(CLoadArea, CObject)
IMPLEMENT_DYNAMIC(CLoadWind, CObject)

void CLoadNode::GetDescription(CString* out) const
{
    out->Format("%d: Fx=%.2f Fy=%.2f Fz=%.2f Mx=%.2f My=%.2f Mz=%.2f", m_nNo, m_dF[0], m_dF[1], m_dF[2], m_dF[3],
                m_dF[4], m_dF[5]);
}

void CLoadBeam::GetDescription(CString* out) const
{
    out->Format("%d: 类型%d 方向%d Q1=%.2f Q2=%.2f X1=%.2f X2=%.2f", m_nNo, m_nType, m_nDir, m_dQ1, m_dQ2, m_dX1, m_dX2);
}

void CLoadArea::GetDescription(CString* out) const
{
    out->Format("%d: %.4f", m_nNo, m_fValue);
}

void CLoadWind::GetDescription(CString* out) const
{
    out->Format("%d: X=%.2f Y=%.2f Z=%.2f", m_nNo, m_fX, m_fY, m_fZ);
}
