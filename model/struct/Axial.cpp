#include <vyr/model/struct/Axial.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/struct/HitGeom.h>
#include <vyr/model/struct/ViewXform.h>

IMPLEMENT_DYNAMIC(CMeshNode, CObject)
IMPLEMENT_DYNAMIC(CAxial, CObject)
IMPLEMENT_DYNAMIC(CAxialLine, CAxial)
IMPLEMENT_DYNAMIC(CAxialArc, CAxial)

namespace
{
const double kPick = 5.0;     // pixels
const double kOnAxis = 1e-3;  // model units

CRect2D Bounds(const CPoint2D* pts, int n)
{
    CRect2D rc(pts[0].x, pts[0].y, pts[0].x, pts[0].y);
    for (int i = 1; i < n; ++i)
    {
        rc.left = std::min(rc.left, pts[i].x);
        rc.right = std::max(rc.right, pts[i].x);
        rc.top = std::min(rc.top, pts[i].y);
        rc.bottom = std::max(rc.bottom, pts[i].y);
    }
    return rc;
}

CRect ToCRect(const CRect2D& rc)
{
    return CRect((int)std::floor(rc.left), (int)std::floor(rc.top), (int)std::ceil(rc.right), (int)std::ceil(rc.bottom));
}

vyr_hit::Box BoxOf(const CRect& rc)
{
    return vyr_hit::Box{(double)std::min(rc.left, rc.right), (double)std::min(rc.top, rc.bottom),
                        (double)std::max(rc.left, rc.right), (double)std::max(rc.top, rc.bottom)};
}
} // namespace

CAxialLine::CAxialLine(const CPoint2D& a, const CPoint2D& b, double z) : m_pt1(a), m_pt2(b), m_dZ(z)
{
    SetHeight(z);
}

void CAxialLine::SetHeight(double z)
{
    m_dZ = z;
    m_node1.m_pt = CPoint3D(m_pt1.x, m_pt1.y, z);
    m_node2.m_pt = CPoint3D(m_pt2.x, m_pt2.y, z);
    m_vex[0] = m_node1.m_pt;
    m_vex[1] = m_node2.m_pt;
}

bool CAxialLine::IsSame(CAxial* o)
{
    CAxialLine* l = dynamic_cast<CAxialLine*>(o);
    if (l == nullptr)
        return false;
    return (l->m_pt1 == m_pt1 && l->m_pt2 == m_pt2) || (l->m_pt1 == m_pt2 && l->m_pt2 == m_pt1);
}

void CAxialLine::Change3D(CMatrix3D& m3)
{
    CMatrix2D id;
    CViewXform v(m3, id);
    m_ptProject1 = v.ToPlane(m_node1.m_pt);
    m_ptProject2 = v.ToPlane(m_node2.m_pt);
}

void CAxialLine::Change2DtoDP(CMatrix2D& m2)
{
    CMatrix3D id;
    CViewXform v(id, m2);
    m_node1.m_ptScreen = v.PlaneToScreen(m_ptProject1);
    m_node2.m_ptScreen = v.PlaneToScreen(m_ptProject2);
}

void CAxialLine::GetScreenRect(CRect& rc)
{
    const CPoint2D pts[2] = {m_node1.m_ptScreen, m_node2.m_ptScreen};
    rc = ToCRect(Bounds(pts, 2));
}

CRect2D CAxialLine::GetRealRect()
{
    const CPoint2D pts[2] = {m_pt1, m_pt2};
    return Bounds(pts, 2);
}

CRect2D CAxialLine::GetProjectRect()
{
    const CPoint2D pts[2] = {m_ptProject1, m_ptProject2};
    return Bounds(pts, 2);
}

double CAxialLine::GetProjectAngle()
{
    return m_ptProject1.GetAngle(m_ptProject2);
}

CPoint3D* CAxialLine::IsNodeOnAxis(CPoint3D p, bool)
{
    const double dx = m_pt2.x - m_pt1.x, dy = m_pt2.y - m_pt1.y;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0.0)
        return nullptr;
    if (vyr_hit::DistToSegment(p.x, p.y, m_pt1.x, m_pt1.y, m_pt2.x, m_pt2.y) > kOnAxis)
        return nullptr;
    const double t = ((p.x - m_pt1.x) * dx + (p.y - m_pt1.y) * dy) / len2;
    m_ptOn = CPoint3D(m_pt1.x + t * dx, m_pt1.y + t * dy, p.z);
    return &m_ptOn;
}

bool CAxialLine::SetPointSelectASxis(CPoint& pt)
{
    const CPoint2D& a = m_node1.m_ptScreen;
    const CPoint2D& b = m_node2.m_ptScreen;
    if (vyr_hit::DistToSegment(pt.x, pt.y, a.x, a.y, b.x, b.y) > kPick)
        return false;
    SetSelect(true);
    return true;
}

bool CAxialLine::SetCrossRectSelectAxial(CRect& rc)
{
    const vyr_hit::Box b = BoxOf(rc);
    const CPoint2D& p = m_node1.m_ptScreen;
    const CPoint2D& q = m_node2.m_ptScreen;
    if (!vyr_hit::SegmentTouches(b, p.x, p.y, q.x, q.y))
        return false;
    SetSelect(true);
    return true;
}

void CAxialLine::GetVexNode(CPoint3D*& pts, int& n, bool)
{
    pts = m_vex;
    n = 2;
}

CAxialArc::CAxialArc(const CPoint2D& c, double r, double a0, double a1, double z)
    : m_ptCenter(c), m_dR(r), m_dA0(a0), m_dA1(a1), m_dZ(z)
{
    for (int i = 0; i < kSamples; ++i)
    {
        const double a = a0 + (a1 - a0) * i / (kSamples - 1);
        m_ptModel[i] = CPoint3D(c.x + r * std::cos(a), c.y + r * std::sin(a), z);
    }
    m_node.m_pt = CPoint3D(c.x, c.y, z);
}

bool CAxialArc::IsSame(CAxial* o)
{
    CAxialArc* a = dynamic_cast<CAxialArc*>(o);
    return a != nullptr && a->m_ptCenter == m_ptCenter && a->m_dR == m_dR && a->m_dA0 == m_dA0 && a->m_dA1 == m_dA1;
}

void CAxialArc::Change3D(CMatrix3D& m3)
{
    CMatrix2D id;
    CViewXform v(m3, id);
    for (int i = 0; i < kSamples; ++i)
    {
        m_ptModel[i].z = m_dZ;
        m_ptProject[i] = v.ToPlane(m_ptModel[i]);
    }
}

void CAxialArc::Change2DtoDP(CMatrix2D& m2)
{
    CMatrix3D id;
    CViewXform v(id, m2);
    for (int i = 0; i < kSamples; ++i)
        m_ptScreen[i] = v.PlaneToScreen(m_ptProject[i]);
    m_node.m_ptScreen = m_ptScreen[kSamples / 2];
}

void CAxialArc::GetScreenRect(CRect& rc)
{
    rc = ToCRect(Bounds(m_ptScreen, kSamples));
}

CRect2D CAxialArc::GetRealRect()
{
    CPoint2D pts[kSamples];
    for (int i = 0; i < kSamples; ++i)
        pts[i] = m_ptModel[i].GetXY();
    return Bounds(pts, kSamples);
}

CRect2D CAxialArc::GetProjectRect()
{
    return Bounds(m_ptProject, kSamples);
}

CPoint3D* CAxialArc::IsNodeOnAxis(CPoint3D p, bool)
{
    const double dx = p.x - m_ptCenter.x, dy = p.y - m_ptCenter.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0.0 || std::fabs(d - m_dR) > kOnAxis)
        return nullptr;
    double a = std::atan2(dy, dx);
    const double lo = std::min(m_dA0, m_dA1), hi = std::max(m_dA0, m_dA1);
    while (a < lo)
        a += 2 * M_PI;
    if (a > hi + 1e-12)
        return nullptr;
    m_ptOn = CPoint3D(m_ptCenter.x + m_dR * std::cos(a), m_ptCenter.y + m_dR * std::sin(a), p.z);
    return &m_ptOn;
}

bool CAxialArc::SetPointSelectASxis(CPoint& pt)
{
    if (!vyr_hit::PointNearPolyline(m_ptScreen, kSamples, false, pt.x, pt.y, kPick))
        return false;
    SetSelect(true);
    return true;
}

bool CAxialArc::SetCrossRectSelectAxial(CRect& rc)
{
    if (!vyr_hit::PolygonTouches(BoxOf(rc), m_ptScreen, kSamples, false))
        return false;
    SetSelect(true);
    return true;
}

void CAxialArc::GetVexNode(CPoint3D*& pts, int& n, bool)
{
    pts = m_ptModel;
    n = kSamples;
}

void CMeshLineArray::GetScreenRect(CRect& rc) const
{
    if (m_arrLine.empty())
    {
        rc = CRect(0, 0, 0, 0);
        return;
    }
    std::vector<CPoint2D> pts;
    for (const Line& l : m_arrLine)
    {
        pts.push_back(l.a.m_ptScreen);
        pts.push_back(l.b.m_ptScreen);
    }
    rc = ToCRect(Bounds(pts.data(), (int)pts.size()));
}
