#include <vyr/model/draw/DrawUnit.h>

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include <vyr/model/dxf/DXFOutput.h>

namespace {

const double kPi = 3.14159265358979323846;
const double kTwoPi = 2.0 * kPi;
const double kDeg = 180.0 / kPi;

// A model point lying at (x, y, z) as the view shows it.
CPoint2D Project(double x, double y, double z, const CMatrix3D& m3, const CMatrix2D& m2)
{
    CPoint3D p = CPoint3D(x, y, z) * m3;
    p.chgYZ();
    p = p * m2;
    return CPoint2D(p.x, p.y);
}

POINT Pix(const CPoint2D& p) { return POINT{longTransfer(p.x), longTransfer(p.y)}; }

CRect2D Extent(const CPoint2D* p, size_t n)
{
    if (n == 0) return CRect2D();
    CRect2D r(p[0].x, p[0].y, p[0].x, p[0].y);
    for (size_t i = 1; i < n; ++i) {
        r.left = std::min(r.left, p[i].x);
        r.right = std::max(r.right, p[i].x);
        r.top = std::min(r.top, p[i].y);
        r.bottom = std::max(r.bottom, p[i].y);
    }
    return r;
}

CRect2D Extent(const std::vector<CPoint2D>& p) { return Extent(p.data(), p.size()); }

// Pixels covered by the points, ends included.
CRect PixelRect(const CPoint2D* p, size_t n)
{
    if (n == 0) return CRect();
    CRect2D e = Extent(p, n);
    return CRect((int)std::floor(e.left), (int)std::floor(e.top), (int)std::ceil(e.right) + 1,
                 (int)std::ceil(e.bottom) + 1);
}

bool Overlap(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The segment a-b meets the (closed) rectangle.
bool SegmentMeetsRect(const CPoint2D& a, const CPoint2D& b, const CRect& r)
{
    double l = r.left, t = r.top, rr = r.right, bb = r.bottom;
    if (std::max(a.x, b.x) < l || std::min(a.x, b.x) > rr || std::max(a.y, b.y) < t || std::min(a.y, b.y) > bb)
        return false;
    double dx = b.x - a.x, dy = b.y - a.y;
    const double cx[4] = {l, rr, rr, l}, cy[4] = {t, t, bb, bb};
    int pos = 0, neg = 0;
    for (int i = 0; i < 4; ++i) {
        double s = dx * (cy[i] - a.y) - dy * (cx[i] - a.x);
        if (s > 0) ++pos;
        else if (s < 0) ++neg;
    }
    return !(pos == 4 || neg == 4);
}

double DistToSegment(const CPoint2D& p, const CPoint2D& a, const CPoint2D& b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double l2 = dx * dx + dy * dy;
    if (l2 == 0.0) return p.GetDist(a);
    double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0);
    return p.GetDist(CPoint2D(a.x + t * dx, a.y + t * dy));
}

CPoint2D RotatePt(const CPoint2D& p, double x, double y, double a)
{
    double c = std::cos(a), s = std::sin(a);
    double dx = p.x - x, dy = p.y - y;
    return CPoint2D(x + dx * c - dy * s, y + dx * s + dy * c);
}

CPoint2D PointMirror(const CPoint2D& p, double x, double y) { return CPoint2D(2 * x - p.x, 2 * y - p.y); }

// Reflection in the line through (x1, y1) and (x2, y2); a degenerate line reflects nothing.
CPoint2D LineMirror(const CPoint2D& p, double x1, double y1, double x2, double y2)
{
    double dx = x2 - x1, dy = y2 - y1;
    double l2 = dx * dx + dy * dy;
    if (l2 == 0.0) return p;
    double t = ((p.x - x1) * dx + (p.y - y1) * dy) / l2;
    double fx = x1 + t * dx, fy = y1 + t * dy;
    return CPoint2D(2 * fx - p.x, 2 * fy - p.y);
}

// Angle a brought into [0, 2 pi).
double Norm2Pi(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a < 0) a += kTwoPi;
    return a;
}

bool Polyline(CDC* pDC, const std::vector<CPoint2D>& pts)
{
    if (!pDC || pts.size() < 2) return false;
    std::vector<POINT> p(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) p[i] = Pix(pts[i]);
    return pDC->Polyline(p.data(), (int)p.size()) != FALSE;
}

// Corners of a text box: origin, width and height, the angle of its baseline, the
// alignment flags; yDown for screen coordinates.
void BoxCorners(const CPoint2D& o, double w, double h, double a, int ha, int va, bool yDown, CPoint2D c[4])
{
    double x0 = 0.0;
    if ((ha & TA_CENTER) == TA_CENTER) x0 = -w / 2;
    else if (ha & TA_RIGHT) x0 = -w;
    double y0 = -h; // the point is the top
    if ((va & TA_BASELINE) == TA_BASELINE) y0 = -0.2 * h;
    else if (va & TA_BOTTOM) y0 = 0.0;
    double ux = std::cos(a), uy = std::sin(a), vx = -std::sin(a), vy = std::cos(a);
    if (yDown) {
        uy = -uy;
        vy = -vy;
    }
    const double xs[4] = {x0, x0 + w, x0 + w, x0}, ys[4] = {y0, y0, y0 + h, y0 + h};
    for (int i = 0; i < 4; ++i) c[i] = CPoint2D(o.x + ux * xs[i] + vx * ys[i], o.y + uy * xs[i] + vy * ys[i]);
}

} // namespace

// ---------------------------------------------------------------------------------------
// CDrawUnit

void CDrawUnit::Display3D(CDC*, const CMatrix3D&, const CMatrix2D&, double) const {}

CRect2D CDrawUnit::GetProject2D(const CMatrix3D& m3, double z)
{
    CRect2D r = GetRect();
    if (r.IsRectNull()) return CRect2D();
    CPoint2D c[4];
    const double xs[4] = {r.left, r.right, r.right, r.left}, ys[4] = {r.top, r.top, r.bottom, r.bottom};
    for (int i = 0; i < 4; ++i) {
        CPoint3D p = CPoint3D(xs[i], ys[i], z) * m3;
        p.chgYZ();
        c[i] = CPoint2D(p.x, p.y);
    }
    return Extent(c, 4);
}

CRect2D CDrawUnit::GetRect() { return GetRealRect2D(); }

CDrawUnit& CDrawUnit::Eqaul(const CDrawUnit& u)
{
    CDrawBlock* parent = m_pParent;
    CDrawUnit::operator=(u);
    m_pParent = parent;
    return *this;
}

bool CDrawUnit::IsEqaul(const CDrawUnit& u) const
{
    return typeid(*this) == typeid(u) && m_pLayer == u.m_pLayer && m_nLineWidth == u.m_nLineWidth &&
           m_LineType == u.m_LineType;
}

bool CDrawUnit::Display(CDC*, CRect) const { return true; }

void CDrawUnit::DXF(CDXFOutput*) const {}

void CDrawUnit::GenVD(CVdraw&) const {}

void CDrawUnit::Change2DtoDp(CMatrix2D* m)
{
    if (m) m_dScale = m->m[0];
}

CRect CDrawUnit::GetRealRect() { return CRect(0, 0, 0, 0); }

CRect CDrawUnit::GetLocalRect() { return CRect(0, 0, 0, 0); }

CRect2D CDrawUnit::GetRealRect2D() { return CRect2D(0, 0, 0, 0); }

CRect CDrawUnit::GetScreenRect() { return CRect(0, 0, 0, 0); }

bool CDrawUnit::IsInterSectRect(const CRect&) const { return true; }

int CDrawUnit::SelectPoint(CPoint p) const
{
    CRect r = const_cast<CDrawUnit*>(this)->GetScreenRect();
    if (r.IsRectNull()) return 0;
    r.InflateRect(3, 3);
    return r.PtInRect(p) ? 1 : 0;
}

void CDrawUnit::MoveXY(double, double) {}

void CDrawUnit::Rotate(double, double, double) {}

void CDrawUnit::Mirror(double, double) {}

void CDrawUnit::Mirror(double, double, double, double) {}

void CDrawUnit::ReSize(double) {}

void CDrawUnit::Save(IStream*) const {}

void CDrawUnit::Load(IStream*) {}

void CDrawUnit::DXFLayer(CDXFOutput* out) const
{
    if (out && m_pLayer) out->SetCurrentLayer(m_pLayer->GetName());
}

// ---------------------------------------------------------------------------------------
// CLine

void CLine::SetLine(const CPoint2D& a, const CPoint2D& b, int, int)
{
    m_pt1 = a;
    m_pt2 = b;
}

void CLine::SetLine(double x1, double y1, double x2, double y2, int n1, int n2)
{
    SetLine(CPoint2D(x1, y1), CPoint2D(x2, y2), n1, n2);
}

double CLine::GetDist(const CPoint2D& p, bool bSigned) const
{
    double dx = m_pt2.x - m_pt1.x, dy = m_pt2.y - m_pt1.y;
    double len = std::hypot(dx, dy);
    if (len == 0.0) return p.GetDist(m_pt1);
    double s = (dx * (p.y - m_pt1.y) - dy * (p.x - m_pt1.x)) / len;
    return bSigned ? s : std::fabs(s);
}

CPoint2D CLine::GetPerPt(const CPoint2D& p, double d) const
{
    double dx = m_pt2.x - m_pt1.x, dy = m_pt2.y - m_pt1.y;
    double len = std::hypot(dx, dy);
    if (len == 0.0) return m_pt1;
    double ux = dx / len, uy = dy / len;
    double t = (p.x - m_pt1.x) * ux + (p.y - m_pt1.y) * uy;
    return CPoint2D(m_pt1.x + t * ux - uy * d, m_pt1.y + t * uy + ux * d);
}

int CLine::InterSect(const CLine& o, CPoint2D& out, int* pKind) const
{
    double rx = m_pt2.x - m_pt1.x, ry = m_pt2.y - m_pt1.y;
    double sx = o.m_pt2.x - o.m_pt1.x, sy = o.m_pt2.y - o.m_pt1.y;
    double den = rx * sy - ry * sx;
    double scale = std::hypot(rx, ry) * std::hypot(sx, sy);
    if (scale == 0.0 || std::fabs(den) <= scale * 1e-12) {
        if (pKind) *pKind = 0;
        return 0;
    }
    double qx = o.m_pt1.x - m_pt1.x, qy = o.m_pt1.y - m_pt1.y;
    double t = (qx * sy - qy * sx) / den;
    double u = (qx * ry - qy * rx) / den;
    out = CPoint2D(m_pt1.x + t * rx, m_pt1.y + t * ry);
    const double eps = 1e-9;
    bool within = t >= -eps && t <= 1 + eps && u >= -eps && u <= 1 + eps;
    if (pKind) *pKind = within ? 1 : 2;
    return within ? 1 : 0;
}

void CLine::Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const
{
    if (!pDC) return;
    pDC->MoveTo(Pix(Project(m_pt1.x, m_pt1.y, z, m3, m2)));
    pDC->LineTo(Pix(Project(m_pt2.x, m_pt2.y, z, m3, m2)));
}

CRect2D CLine::GetProject2D(const CMatrix3D& m3, double z)
{
    CPoint2D c[2];
    const CPoint2D* p[2] = {&m_pt1, &m_pt2};
    for (int i = 0; i < 2; ++i) {
        CPoint3D q = CPoint3D(p[i]->x, p[i]->y, z) * m3;
        q.chgYZ();
        c[i] = CPoint2D(q.x, q.y);
    }
    return Extent(c, 2);
}

CRect2D CLine::GetRect() { return GetRealRect2D(); }

CDrawUnit& CLine::Eqaul(const CDrawUnit& u)
{
    if (const CLine* l = dynamic_cast<const CLine*>(&u)) {
        CDrawBlock* parent = m_pParent;
        *this = *l;
        m_pParent = parent;
        return *this;
    }
    return CDrawUnit::Eqaul(u);
}

bool CLine::IsEqaul(const CDrawUnit& u) const
{
    if (!CDrawUnit::IsEqaul(u)) return false;
    const CLine& l = static_cast<const CLine&>(u);
    return m_pt1 == l.m_pt1 && m_pt2 == l.m_pt2;
}

bool CLine::Display(CDC* pDC, CRect) const
{
    if (!pDC) return false;
    pDC->MoveTo(Pix(m_dp1));
    pDC->LineTo(Pix(m_dp2));
    return true;
}

void CLine::DXF(CDXFOutput* out) const
{
    if (!out) return;
    DXFLayer(out);
    out->Line(m_pt1, m_pt2);
}

void CLine::Change2DtoDp(CMatrix2D* m)
{
    if (!m) return;
    CDrawUnit::Change2DtoDp(m);
    m_dp1 = m_pt1 * *m;
    m_dp2 = m_pt2 * *m;
}

CRect CLine::GetRealRect() { return GetScreenRect(); }

CRect CLine::GetLocalRect() { return GetScreenRect(); }

CRect2D CLine::GetRealRect2D()
{
    CPoint2D c[2] = {m_pt1, m_pt2};
    return Extent(c, 2);
}

CRect CLine::GetScreenRect()
{
    CPoint2D c[2] = {m_dp1, m_dp2};
    return PixelRect(c, 2);
}

bool CLine::IsInterSectRect(const CRect& r) const { return SegmentMeetsRect(m_dp1, m_dp2, r); }

int CLine::SelectPoint(CPoint p) const { return DistToSegment(CPoint2D(p), m_dp1, m_dp2) <= 3.0 ? 1 : 0; }

void CLine::MoveXY(double dx, double dy)
{
    m_pt1 += CPoint2D(dx, dy);
    m_pt2 += CPoint2D(dx, dy);
}

void CLine::Rotate(double x, double y, double angle)
{
    m_pt1 = RotatePt(m_pt1, x, y, angle);
    m_pt2 = RotatePt(m_pt2, x, y, angle);
}

void CLine::Mirror(double x, double y)
{
    m_pt1 = PointMirror(m_pt1, x, y);
    m_pt2 = PointMirror(m_pt2, x, y);
}

void CLine::Mirror(double x1, double y1, double x2, double y2)
{
    m_pt1 = LineMirror(m_pt1, x1, y1, x2, y2);
    m_pt2 = LineMirror(m_pt2, x1, y1, x2, y2);
}

void CLine::ReSize(double f)
{
    m_pt1 = m_pt1 * f;
    m_pt2 = m_pt2 * f;
}

// ---------------------------------------------------------------------------------------
// CLine3D

void CLine3D::SetLine3D(const CPoint3D& a, const CPoint3D& b)
{
    m_pt1 = a;
    m_pt2 = b;
}

CPoint3D CLine3D::GetPerPt(const CPoint3D& p) const
{
    CVector3D d = m_pt2 - m_pt1;
    double l2 = d | d;
    if (l2 == 0.0) return m_pt1;
    double t = ((p - m_pt1) | d) / l2;
    return m_pt1 + d * t;
}

bool CLine3D::IsPtBetween(const CPoint3D& p) const
{
    CVector3D d = m_pt2 - m_pt1;
    double l2 = d | d;
    if (l2 == 0.0) return p == m_pt1;
    double t = ((p - m_pt1) | d) / l2;
    double eps = VYR_GEO_EPS / std::sqrt(l2);
    return t >= -eps && t <= 1.0 + eps;
}

void CLine3D::Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double) const
{
    if (!pDC) return;
    pDC->MoveTo(Pix(Project(m_pt1.x, m_pt1.y, m_pt1.z, m3, m2)));
    pDC->LineTo(Pix(Project(m_pt2.x, m_pt2.y, m_pt2.z, m3, m2)));
}

CRect2D CLine3D::GetProject2D(const CMatrix3D& m3, double)
{
    CPoint3D a = m_pt1 * m3, b = m_pt2 * m3;
    a.chgYZ();
    b.chgYZ();
    CPoint2D c[2] = {CPoint2D(a.x, a.y), CPoint2D(b.x, b.y)};
    return Extent(c, 2);
}

CRect2D CLine3D::GetRect() { return GetRealRect2D(); }

CDrawUnit& CLine3D::Eqaul(const CDrawUnit& u)
{
    if (const CLine3D* l = dynamic_cast<const CLine3D*>(&u)) {
        CDrawBlock* parent = m_pParent;
        *this = *l;
        m_pParent = parent;
        return *this;
    }
    return CDrawUnit::Eqaul(u);
}

bool CLine3D::IsEqaul(const CDrawUnit& u) const
{
    if (!CDrawUnit::IsEqaul(u)) return false;
    const CLine3D& l = static_cast<const CLine3D&>(u);
    return m_pt1 == l.m_pt1 && m_pt2 == l.m_pt2;
}

void CLine3D::DXF(CDXFOutput* out) const
{
    if (!out) return;
    DXFLayer(out);
    out->Line3D(m_pt1, m_pt2);
}

CRect2D CLine3D::GetRealRect2D()
{
    CPoint2D c[2] = {m_pt1.GetXY(), m_pt2.GetXY()};
    return Extent(c, 2);
}

void CLine3D::MoveXY(double dx, double dy)
{
    m_pt1.x += dx;
    m_pt1.y += dy;
    m_pt2.x += dx;
    m_pt2.y += dy;
}

// ---------------------------------------------------------------------------------------
// CCircle

void CCircle::SetCircle(CPoint2D centre, double r)
{
    m_center = centre;
    m_radius = r;
}

std::vector<CPoint2D> CCircle::Outline(double a0, double sweep) const
{
    int n = std::max(2, (int)std::ceil(72.0 * std::fabs(sweep) / kTwoPi));
    std::vector<CPoint2D> p((size_t)n + 1);
    for (int i = 0; i <= n; ++i) {
        double a = a0 + sweep * i / n;
        p[(size_t)i] = CPoint2D(m_center.x + m_radius * std::cos(a), m_center.y + m_radius * std::sin(a));
    }
    return p;
}

void CCircle::Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const
{
    std::vector<CPoint2D> p = Outline(0.0, kTwoPi);
    for (CPoint2D& q : p) q = Project(q.x, q.y, z, m3, m2);
    Polyline(pDC, p);
}

CRect2D CCircle::GetProject2D(const CMatrix3D& m3, double z)
{
    std::vector<CPoint2D> p = Outline(0.0, kTwoPi);
    for (CPoint2D& q : p) {
        CPoint3D s = CPoint3D(q.x, q.y, z) * m3;
        s.chgYZ();
        q = CPoint2D(s.x, s.y);
    }
    return Extent(p);
}

CRect2D CCircle::GetRect() { return GetRealRect2D(); }

CDrawUnit& CCircle::Eqaul(const CDrawUnit& u)
{
    if (typeid(u) == typeid(CCircle)) {
        CDrawBlock* parent = m_pParent;
        CCircle::operator=(static_cast<const CCircle&>(u));
        m_pParent = parent;
        return *this;
    }
    return CDrawUnit::Eqaul(u);
}

bool CCircle::IsEqaul(const CDrawUnit& u) const
{
    if (!CDrawUnit::IsEqaul(u)) return false;
    const CCircle& c = static_cast<const CCircle&>(u);
    return m_center == c.m_center && std::fabs(m_radius - c.m_radius) <= VYR_GEO_EPS;
}

bool CCircle::Display(CDC* pDC, CRect) const
{
    if (!pDC) return false;
    double r = m_radius * std::fabs(m_dScale);
    std::vector<CPoint2D> p(73);
    for (int i = 0; i <= 72; ++i) {
        double a = kTwoPi * i / 72;
        p[(size_t)i] = CPoint2D(m_dpCenter.x + r * std::cos(a), m_dpCenter.y + r * std::sin(a));
    }
    Polyline(pDC, p);
    return true;
}

void CCircle::DXF(CDXFOutput* out) const
{
    if (!out) return;
    DXFLayer(out);
    std::vector<CPoint2D> p = Outline(0.0, kTwoPi);
    for (size_t i = 0; i + 1 < p.size(); ++i) out->Line(p[i], p[i + 1]);
}

void CCircle::Change2DtoDp(CMatrix2D* m)
{
    if (!m) return;
    CDrawUnit::Change2DtoDp(m);
    m_dpCenter = m_center * *m;
}

CRect CCircle::GetRealRect() { return GetScreenRect(); }

CRect CCircle::GetLocalRect() { return GetScreenRect(); }

CRect2D CCircle::GetRealRect2D()
{
    return CRect2D(m_center.x - m_radius, m_center.y - m_radius, m_center.x + m_radius, m_center.y + m_radius);
}

CRect CCircle::GetScreenRect()
{
    double r = m_radius * std::fabs(m_dScale);
    CPoint2D c[2] = {CPoint2D(m_dpCenter.x - r, m_dpCenter.y - r), CPoint2D(m_dpCenter.x + r, m_dpCenter.y + r)};
    return PixelRect(c, 2);
}

bool CCircle::IsInterSectRect(const CRect& r) const
{
    // The outline meets the rectangle: the nearest point of the rectangle is inside the
    // circle and the farthest corner outside it.
    double rad = m_radius * std::fabs(m_dScale);
    double nx = std::clamp(m_dpCenter.x, (double)r.left, (double)r.right);
    double ny = std::clamp(m_dpCenter.y, (double)r.top, (double)r.bottom);
    if (std::hypot(nx - m_dpCenter.x, ny - m_dpCenter.y) > rad) return false;
    double fx = std::max(std::fabs(r.left - m_dpCenter.x), std::fabs(r.right - m_dpCenter.x));
    double fy = std::max(std::fabs(r.top - m_dpCenter.y), std::fabs(r.bottom - m_dpCenter.y));
    return std::hypot(fx, fy) >= rad;
}

int CCircle::SelectPoint(CPoint p) const
{
    double rad = m_radius * std::fabs(m_dScale);
    return std::fabs(CPoint2D(p).GetDist(m_dpCenter) - rad) <= 3.0 ? 1 : 0;
}

void CCircle::MoveXY(double dx, double dy) { m_center += CPoint2D(dx, dy); }

void CCircle::Rotate(double x, double y, double angle) { m_center = RotatePt(m_center, x, y, angle); }

void CCircle::Mirror(double x, double y) { m_center = PointMirror(m_center, x, y); }

void CCircle::Mirror(double x1, double y1, double x2, double y2) { m_center = LineMirror(m_center, x1, y1, x2, y2); }

void CCircle::ReSize(double f)
{
    m_center = m_center * f;
    m_radius *= std::fabs(f);
}

// ---------------------------------------------------------------------------------------
// CArc

void CArc::SetArc(CPoint2D centre, double r, double start, double end, int, int)
{
    m_center = centre;
    m_radius = r;
    m_stAngle = start;
    m_edAngle = end;
}

double CArc::GetSweep() const
{
    double s = Norm2Pi(m_edAngle - m_stAngle);
    return s == 0.0 ? kTwoPi : s;
}

CPoint2D CArc::GetStartPt() const
{
    return CPoint2D(m_center.x + m_radius * std::cos(m_stAngle), m_center.y + m_radius * std::sin(m_stAngle));
}

CPoint2D CArc::GetEndPt() const
{
    return CPoint2D(m_center.x + m_radius * std::cos(m_edAngle), m_center.y + m_radius * std::sin(m_edAngle));
}

bool CArc::SetArc3Pt(const CPoint2D& a, const CPoint2D& b, const CPoint2D& c)
{
    double bx = b.x - a.x, by = b.y - a.y, cx = c.x - a.x, cy = c.y - a.y;
    double d = 2.0 * (bx * cy - by * cx);
    double scale = (bx * bx + by * by) + (cx * cx + cy * cy);
    if (scale == 0.0 || std::fabs(d) <= scale * 1e-12) return false;
    double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    CPoint2D centre(a.x + (cy * b2 - by * c2) / d, a.y + (bx * c2 - cx * b2) / d);
    double r = centre.GetDist(a);
    double aa = centre.GetAngle(a), ac = centre.GetAngle(c);
    // a, b, c counter-clockwise: the arc runs from a to c; otherwise from c to a.
    double start = d > 0 ? aa : ac, end = d > 0 ? ac : aa;
    if (end <= start) end += kTwoPi;
    SetArc(centre, r, start, end, 1, -1);
    return true;
}

bool CArc::SetArcLen(const CPoint2D& a, const CPoint2D& b, double h)
{
    double len = a.GetDist(b);
    if (len == 0.0 || h == 0.0 || !std::isfinite(h)) return false;
    double nx = -(b.y - a.y) / len, ny = (b.x - a.x) / len; // left normal
    CPoint2D mid = (a + b) / 2.0;
    CPoint2D apex(mid.x - nx * h, mid.y - ny * h);
    return SetArc3Pt(a, apex, b);
}

bool CArc::SetArcTan(const CLine& line, const CPoint2D& a, const CPoint2D& b)
{
    double dx = line.GetPt2().x - line.GetPt1().x, dy = line.GetPt2().y - line.GetPt1().y;
    double len = std::hypot(dx, dy);
    if (len == 0.0) return false;
    double nx = -dy / len, ny = dx / len; // left normal
    double wx = b.x - a.x, wy = b.y - a.y;
    double den = 2.0 * (nx * wx + ny * wy);
    double w2 = wx * wx + wy * wy;
    if (w2 == 0.0 || std::fabs(den) <= std::sqrt(w2) * 1e-12) return false;
    double t = w2 / den; // signed distance of the centre from a along the left normal
    CPoint2D centre(a.x + nx * t, a.y + ny * t);
    double aa = centre.GetAngle(a), ab = centre.GetAngle(b);
    // Centre on the left: the arc turns counter-clockwise from a; on the right clockwise,
    // which is the counter-clockwise arc from b to a.
    double start = t > 0 ? aa : ab, end = t > 0 ? ab : aa;
    if (end <= start) end += kTwoPi;
    SetArc(centre, std::fabs(t), start, end, 1, -1);
    return true;
}

void CArc::Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const
{
    std::vector<CPoint2D> p = Outline(m_stAngle, GetSweep());
    for (CPoint2D& q : p) q = Project(q.x, q.y, z, m3, m2);
    Polyline(pDC, p);
}

void CArc::Display3D(CDC* pDC, const CMatrix3D& local, const CMatrix3D& m3, const CMatrix2D& m2) const
{
    CMatrix3D m = local * m3;
    std::vector<CPoint2D> p = Outline(m_stAngle, GetSweep());
    for (CPoint2D& q : p) q = Project(q.x, q.y, 0.0, m, m2);
    Polyline(pDC, p);
}

CRect2D CArc::GetProject2D(const CMatrix3D& m3, double z)
{
    std::vector<CPoint2D> p = Outline(m_stAngle, GetSweep());
    for (CPoint2D& q : p) {
        CPoint3D s = CPoint3D(q.x, q.y, z) * m3;
        s.chgYZ();
        q = CPoint2D(s.x, s.y);
    }
    return Extent(p);
}

CRect2D CArc::GetRect() { return GetRealRect2D(); }

CDrawUnit& CArc::Eqaul(const CDrawUnit& u)
{
    if (const CArc* a = dynamic_cast<const CArc*>(&u)) {
        CDrawBlock* parent = m_pParent;
        *this = *a;
        m_pParent = parent;
        return *this;
    }
    return CDrawUnit::Eqaul(u);
}

bool CArc::IsEqaul(const CDrawUnit& u) const
{
    if (!CCircle::IsEqaul(u)) return false;
    const CArc& a = static_cast<const CArc&>(u);
    return std::fabs(Norm2Pi(m_stAngle) - Norm2Pi(a.m_stAngle)) <= VYR_GEO_EPS &&
           std::fabs(GetSweep() - a.GetSweep()) <= VYR_GEO_EPS;
}

bool CArc::Display(CDC* pDC, CRect) const
{
    if (!pDC) return false;
    std::vector<CPoint2D> p = Outline(m_stAngle, GetSweep());
    for (CPoint2D& q : p) q = q * m_dpMatrix;
    Polyline(pDC, p);
    return true;
}

void CArc::DXF(CDXFOutput* out) const
{
    if (!out) return;
    DXFLayer(out);
    std::vector<CPoint2D> p = Outline(m_stAngle, GetSweep());
    for (size_t i = 0; i + 1 < p.size(); ++i) out->Line(p[i], p[i + 1]);
}

void CArc::GenVD(CVdraw&) const {}

void CArc::Change2DtoDp(CMatrix2D* m)
{
    if (!m) return;
    CCircle::Change2DtoDp(m);
    m_dpMatrix = *m;
}

CRect CArc::GetRealRect() { return GetScreenRect(); }

CRect CArc::GetLocalRect() { return GetScreenRect(); }

CRect2D CArc::GetRealRect2D()
{
    // The end points and every axis extreme the sweep passes.
    std::vector<CPoint2D> p = {GetStartPt(), GetEndPt()};
    double st = Norm2Pi(m_stAngle), sw = GetSweep();
    for (int k = 0; k < 4; ++k) {
        double a = k * kPi / 2;
        if (Norm2Pi(a - st) <= sw)
            p.push_back(CPoint2D(m_center.x + m_radius * std::cos(a), m_center.y + m_radius * std::sin(a)));
    }
    return Extent(p);
}

CRect CArc::GetScreenRect()
{
    std::vector<CPoint2D> p = Outline(m_stAngle, GetSweep());
    for (CPoint2D& q : p) q = q * m_dpMatrix;
    return PixelRect(p.data(), p.size());
}

bool CArc::IsInterSectRect(const CRect& r) const
{
    std::vector<CPoint2D> p = Outline(m_stAngle, GetSweep());
    for (size_t i = 0; i + 1 < p.size(); ++i)
        if (SegmentMeetsRect(p[i] * m_dpMatrix, p[i + 1] * m_dpMatrix, r)) return true;
    return false;
}

void CArc::Rotate(double x, double y, double angle)
{
    CCircle::Rotate(x, y, angle);
    m_stAngle += angle;
    m_edAngle += angle;
}

void CArc::Mirror(double x, double y)
{
    CCircle::Mirror(x, y);
    m_stAngle += kPi;
    m_edAngle += kPi;
}

void CArc::Mirror(double x1, double y1, double x2, double y2)
{
    if (x1 == x2 && y1 == y2) return;
    double sweep = GetSweep();
    double th = std::atan2(y2 - y1, x2 - x1);
    CCircle::Mirror(x1, y1, x2, y2);
    // A reflection reverses the direction of travel: the old end becomes the start.
    m_stAngle = 2 * th - m_edAngle;
    m_edAngle = m_stAngle + sweep;
}

void CArc::Save(IStream*) const {}

void CArc::Load(IStream*) {}

// ---------------------------------------------------------------------------------------
// CText

namespace {
unsigned s_textHAlign = TA_LEFT;
unsigned s_textVAlign = TA_TOP;
} // namespace

CText::CText() : m_hAlign((int)s_textHAlign), m_vAlign((int)s_textVAlign) {}

void CText::SetTextAlign(unsigned horizontal, unsigned vertical)
{
    s_textHAlign = horizontal;
    s_textVAlign = vertical;
}

unsigned CText::GetClassHAlign() { return s_textHAlign; }

unsigned CText::GetClassVAlign() { return s_textVAlign; }

void CText::Corners(CPoint2D c[4]) const
{
    double h = m_height;
    double w = vyr::GbkWidth(m_text.str()) * h * 0.5;
    BoxCorners(m_pos, w, h, m_angle, m_hAlign, m_vAlign, false, c);
}

void CText::Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const
{
    if (!pDC) return;
    CPoint2D p = Project(m_pos.x, m_pos.y, z, m3, m2);
    UINT old = pDC->SetTextAlign((UINT)(m_hAlign | m_vAlign));
    pDC->TextOut((int)longTransfer(p.x), (int)longTransfer(p.y), m_text);
    pDC->SetTextAlign(old);
}

CDrawUnit& CText::Eqaul(const CDrawUnit& u)
{
    if (const CText* t = dynamic_cast<const CText*>(&u)) {
        CDrawBlock* parent = m_pParent;
        *this = *t;
        m_pParent = parent;
        return *this;
    }
    return CDrawUnit::Eqaul(u);
}

bool CText::IsEqaul(const CDrawUnit& u) const
{
    if (!CDrawUnit::IsEqaul(u)) return false;
    const CText& t = static_cast<const CText&>(u);
    return m_pos == t.m_pos && std::fabs(m_angle - t.m_angle) <= VYR_GEO_EPS && m_text == t.m_text &&
           m_height == t.m_height && m_hAlign == t.m_hAlign && m_vAlign == t.m_vAlign;
}

bool CText::Display(CDC* pDC, CRect) const
{
    if (!pDC) return false;
    int px = std::max(1, (int)longTransfer(m_height * std::fabs(m_dScale)));
    int esc = (int)longTransfer(m_dpAngle * 10.0);
    CFont font;
    font.CreateFont(-px, 0, esc, esc, 400, 0, 0, 0, 134, 0, 0, 0, 0, "宋体");
    CFont* oldFont = pDC->SelectObject(&font);
    UINT oldAlign = pDC->SetTextAlign((UINT)(m_hAlign | m_vAlign));
    pDC->TextOut((int)longTransfer(m_dpPos.x), (int)longTransfer(m_dpPos.y), m_text);
    pDC->SetTextAlign(oldAlign);
    pDC->SelectObject(oldFont);
    return true;
}

void CText::DXF(CDXFOutput* out) const
{
    if (!out) return;
    DXFLayer(out);
    out->SetText(m_height, m_angle * kDeg);
    out->SetTextAlign((UINT)m_hAlign, (UINT)m_vAlign);
    out->TextOut3D(m_pos.x, m_pos.y, 0.0, m_text.GetString());
}

void CText::GenVD(CVdraw&) const {}

void CText::Change2DtoDp(CMatrix2D* m)
{
    if (!m) return;
    CDrawUnit::Change2DtoDp(m);
    m_dpPos = m_pos * *m;
    // Direction of the baseline on the screen (y down), in degrees counter-clockwise as
    // the font escapement counts it.
    CPoint2D dir = CPoint2D(m_pos.x + std::cos(m_angle), m_pos.y + std::sin(m_angle)) * *m - m_dpPos;
    m_dpAngle = std::atan2(-dir.y, dir.x) * kDeg;
}

CRect CText::GetRealRect() { return GetScreenRect(); }

CRect CText::GetLocalRect() { return GetScreenRect(); }

CRect2D CText::GetRealRect2D()
{
    CPoint2D c[4];
    Corners(c);
    return Extent(c, 4);
}

CRect CText::GetScreenRect()
{
    double h = m_height * std::fabs(m_dScale);
    double w = vyr::GbkWidth(m_text.str()) * h * 0.5;
    CPoint2D c[4];
    BoxCorners(m_dpPos, w, h, m_dpAngle / kDeg, m_hAlign, m_vAlign, true, c);
    return PixelRect(c, 4);
}

bool CText::IsInterSectRect(const CRect& r) const { return Overlap(const_cast<CText*>(this)->GetScreenRect(), r); }

void CText::MoveXY(double dx, double dy) { m_pos += CPoint2D(dx, dy); }

void CText::Rotate(double x, double y, double angle)
{
    m_pos = RotatePt(m_pos, x, y, angle);
    m_angle += angle;
}

void CText::Mirror(double x, double y)
{
    m_pos = PointMirror(m_pos, x, y);
    m_angle += kPi;
}

// The text keeps its direction so that it stays readable.
void CText::Mirror(double x1, double y1, double x2, double y2) { m_pos = LineMirror(m_pos, x1, y1, x2, y2); }

void CText::ReSize(double f)
{
    m_pos = m_pos * f;
    m_height = (float)(m_height * std::fabs(f));
}

void CText::Save(IStream*) const {}

void CText::Load(IStream*) {}

// ---------------------------------------------------------------------------------------
// CHatch

void CHatch::SetPoints(const CPoint2D* pts, int n)
{
    m_pts.clear();
    if (pts && n > 0) m_pts.assign(pts, pts + n);
    m_dp = m_pts;
}

void CHatch::Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const
{
    if (!pDC || m_pts.size() < 3) return;
    std::vector<POINT> p;
    for (const CPoint2D& q : m_pts) p.push_back(Pix(Project(q.x, q.y, z, m3, m2)));
    pDC->Polygon(p.data(), (int)p.size());
}

CRect2D CHatch::GetRect() { return GetRealRect2D(); }

CDrawUnit& CHatch::Eqaul(const CDrawUnit& u)
{
    if (const CHatch* h = dynamic_cast<const CHatch*>(&u)) {
        CDrawBlock* parent = m_pParent;
        *this = *h;
        m_pParent = parent;
        return *this;
    }
    return CDrawUnit::Eqaul(u);
}

bool CHatch::IsEqaul(const CDrawUnit& u) const
{
    if (!CDrawUnit::IsEqaul(u)) return false;
    const CHatch& h = static_cast<const CHatch&>(u);
    return m_pts.size() == h.m_pts.size() && std::equal(m_pts.begin(), m_pts.end(), h.m_pts.begin());
}

bool CHatch::Display(CDC* pDC, CRect) const
{
    if (!pDC || m_dp.size() < 3) return false;
    std::vector<POINT> p;
    for (const CPoint2D& q : m_dp) p.push_back(Pix(q));
    pDC->Polygon(p.data(), (int)p.size());
    return true;
}

void CHatch::DXF(CDXFOutput* out) const
{
    if (!out || m_pts.size() < 2) return;
    DXFLayer(out);
    for (size_t i = 0; i < m_pts.size(); ++i) out->Line(m_pts[i], m_pts[(i + 1) % m_pts.size()]);
}

void CHatch::Change2DtoDp(CMatrix2D* m)
{
    if (!m) return;
    CDrawUnit::Change2DtoDp(m);
    m_dp.resize(m_pts.size());
    for (size_t i = 0; i < m_pts.size(); ++i) m_dp[i] = m_pts[i] * *m;
}

CRect CHatch::GetRealRect() { return GetScreenRect(); }

CRect CHatch::GetLocalRect() { return GetScreenRect(); }

CRect2D CHatch::GetRealRect2D() { return Extent(m_pts); }

CRect CHatch::GetScreenRect() { return PixelRect(m_dp.data(), m_dp.size()); }

bool CHatch::IsInterSectRect(const CRect& r) const
{
    if (m_dp.empty()) return false;
    for (size_t i = 0; i < m_dp.size(); ++i)
        if (SegmentMeetsRect(m_dp[i], m_dp[(i + 1) % m_dp.size()], r)) return true;
    // The rectangle wholly inside the polygon.
    std::vector<CPoint2D> poly = m_dp;
    return IsPtInRegion1(poly.data(), (int)poly.size(), CPoint2D(r.left, r.top));
}

void CHatch::MoveXY(double dx, double dy)
{
    for (CPoint2D& p : m_pts) p += CPoint2D(dx, dy);
}

void CHatch::Rotate(double x, double y, double angle)
{
    for (CPoint2D& p : m_pts) p = RotatePt(p, x, y, angle);
}

void CHatch::Mirror(double x, double y)
{
    for (CPoint2D& p : m_pts) p = PointMirror(p, x, y);
}

void CHatch::Mirror(double x1, double y1, double x2, double y2)
{
    for (CPoint2D& p : m_pts) p = LineMirror(p, x1, y1, x2, y2);
}

void CHatch::ReSize(double f)
{
    for (CPoint2D& p : m_pts) p = p * f;
}
