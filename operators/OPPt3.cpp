#include <vyr/operators/OPPt3.h>

#include <cmath>

#include <vyr/model/output/creal.h>
#include <vyr/operators/OPView.h>
#include <vyr/operators/SnapManager.h>

namespace {
constexpr double kPi = 3.1415926;
constexpr double kTwoPi = 6.2831852;
} // namespace

CObj* COPPt3::COPPt3Create() { return new COPPt3(); }

COPPt3::COPPt3() : COPPtChain(3), m_nPt3Type(0), m_bUsePri(false), m_bMoveSnap(false) {}

COPPt3& COPPt3::operator=(const COPPt3& o)
{
    if (this == &o)
        return *this;
    COPPtChain::operator=(o);
    m_nPt3Type = o.m_nPt3Type;
    m_vecPri = o.m_vecPri;
    m_bUsePri = o.m_bUsePri;
    m_ptMoveSnap = o.m_ptMoveSnap;
    m_bMoveSnap = o.m_bMoveSnap;
    return *this;
}

void COPPt3::CopyFrom(const CObj& other)
{
    const COPPt3* o = dynamic_cast<const COPPt3*>(&other);
    VYR_CHECK(o != nullptr, "COPPt3::CopyFrom: the source is not a three-point input");
    *this = *o;
}

bool COPPt3::AcceptLastPoint()
{
    if (!IsSpatialType())
        return true;
    bool ok = false;
    GetMatrix3D(COPPt::GetOnePt(0, this), COPPt::GetOnePt(1, this), COPPt::GetOnePt(2, this), ok);
    return ok;
}

void COPPt3::OnCursorMoved()
{
    // The point shown by the last move, read without asking for a snap-from offset: the
    // offset belongs to a click, not to a preview.
    CSnapManager* snap = COPPt::GetSnapManager();
    m_bMoveSnap = snap && snap->HasSnapped();
    if (m_bMoveSnap)
        m_ptMoveSnap = snap->GetSnapPt();
}

CString COPPt3::GetToolTipWhenMove() const
{
    return GetOPDesc() + (m_nStep == -1 ? "->选择第一点" : "->选择下一点") +
           ((m_pCancelFun || m_pFinishFun) ? "，右键或ESC键可进行详细设置->" : "->") + vyr_oppt::SubToolTip(this);
}

double COPPt3::NormalizeAngle(double a)
{
    if (!std::isfinite(a))
        return a;
    while (CReal(a) <= -kPi)
        a += kTwoPi;
    while (CReal(a) > kPi)
        a -= kTwoPi;
    return a;
}

bool COPPt3::SetPreviewArc(const CPoint2D& p0, const CPoint2D& p1, const CPoint2D& m, CArc& arc) const
{
    const CLine chord(p0, p1);
    switch (m_nPt3Type) {
    case 0:
    case 1:
    case 4:
    case 5:
    case 7:
    case 8: {
        CPoint2D c = p0, s = p1, e = m;
        if (m_nPt3Type == 4) {
            c = p1;
            s = p0;
        } else if (m_nPt3Type == 5) {
            c = p1;
            s = m;
            e = p0;
        }
        const double r = chord.GetLength();
        if (CLine::IsZeroLength(r))
            return false;
        const double a1 = NormalizeAngle(std::atan2(s.y - c.y, s.x - c.x));
        double a2 = NormalizeAngle(std::atan2(e.y - c.y, e.x - c.x));
        if (CReal(a2) <= CReal(a1))
            a2 += kTwoPi;
        arc.SetArc(c, r, a1, a2, 1, -1);
        return true;
    }
    case 2:
    case 9:
        if (p0 == p1 || CLine::IsZeroLength(chord.GetDist(m, false)))
            return false;
        return arc.SetArc3Pt(p0, p1, m);
    case 3:
    case 10: {
        if (p0 == p1)
            return false;
        const double h = -chord.GetDist(m, true);
        if (CReal(h) == CReal(0.0))
            return false;
        return arc.SetArcLen(p0, p1, h);
    }
    case 6:
        if (p0 == m || CLine::IsZeroLength(chord.GetDist(m, false)))
            return false;
        return arc.SetArcTan(chord, p0, m);
    default:
        return false;
    }
}

CMatrix3D COPPt3::GetMatrix3D(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, bool& ok) const
{
    CVector3D u = p1 - p0, v = p2 - p0;
    u.Normalize();
    v.Normalize();
    CVector3D n = u & v;
    // A cross product this short has no direction worth a frame (and would give NaN).
    bool degenerate = !(n.GetLength() > 1e-9);
    n.Normalize();
    const CVector3D z(0.0, 0.0, 1.0);
    if (m_nPt3Type == 7 || m_nPt3Type == 10 || n == z || n == -z)
        n = CVector3D(std::fabs(n.x), std::fabs(n.y), std::fabs(n.z));
    if (m_bUsePri) {
        n = m_vecPri;
        degenerate = !(n.GetLength() > 1e-9);
        n.Normalize();
    }
    ok = !degenerate;
    CMatrix3D frame;
    if (!ok)
        return frame;
    CVector3D xa(1.0, 0.0, 0.0), ya(0.0, 1.0, 0.0);
    if (!(n == z)) {
        ya = n & z;
        ya.Normalize();
        xa = ya & n;
        xa.Normalize();
    }
    const double rows[4][3] = {{xa.x, xa.y, xa.z}, {ya.x, ya.y, ya.z}, {n.x, n.y, n.z}, {p0.x, p0.y, p0.z}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c)
            frame(r, c) = rows[r][c];
        frame(r, 3) = r == 3 ? 1.0 : 0.0;
    }
    return frame;
}

bool COPPt3::CursorOnPlane(const CPoint3D& p0, CPoint3D& out) const
{
    const CMatrix3D m3inv = m_pGlobalData->Matrix3D().Anti();
    const CMatrix2D m2inv = m_pGlobalData->Matrix2D().Anti();
    const CPoint2D q = m_ptMouse * m2inv;
    const CPoint3D a = CPoint3D(q.x, 0.0, q.y) * m3inv;
    const CPoint3D b = CPoint3D(q.x, 100.0, q.y) * m3inv;
    if (a == b)
        return false;
    const CVector3D n = m_bUsePri ? m_vecPri : CVector3D(0.0, 0.0, 1.0);
    const double denom = n | (b - a);
    if (CReal(denom) == CReal(0.0))
        return false;
    const double t = (n | (p0 - a)) / denom;
    out = a + (b - a) * t;
    return !(out == p0);
}

void COPPt3::DrawWhenMove()
{
    if (m_nStep < 0 || m_nStep > 1 || !m_pGlobalData || m_nPt3Type < 0 || m_nPt3Type > 11)
        return;
    vyr_oppt::CRubberDC rubber(m_pView);
    CDC* pDC = rubber.DC();
    if (!pDC)
        return;
    CMatrix3D& m3 = m_pGlobalData->Matrix3D();
    CMatrix2D& m2 = m_pGlobalData->Matrix2D();
    const CPoint3D p0 = COPPt::GetOnePt(0, this), p1 = COPPt::GetOnePt(1, this);
    CPoint3D view;
    CPoint2D s0, s1;
    COPPt::Cal3D(p0, view, s0, m3, m2);
    COPPt::Cal3D(p1, view, s1, m3, m2);
    if (m_nStep == 0 || m_nPt3Type == 11) {
        const CPoint2D& from = m_nStep == 0 ? s0 : s1;
        pDC->MoveTo((int)from.x, (int)from.y);
        pDC->LineTo((int)m_ptMouse.x, (int)m_ptMouse.y);
        return;
    }
    CArc arc;
    if (!IsSpatialType()) {
        CPoint3D m;
        if (!COPPt::Cal3DWithZ(m_ptMouse, m, m3.Anti(), m2.Anti(), p0.z))
            return;
        if (SetPreviewArc(p0.GetXY(), p1.GetXY(), m.GetXY(), arc))
            arc.Display3D(pDC, m3, m2, p0.z);
        return;
    }
    CPoint3D third = m_ptMoveSnap;
    if (!m_bMoveSnap && !CursorOnPlane(p0, third))
        return;
    bool ok = false;
    const CMatrix3D frame = GetMatrix3D(p0, p1, third, ok);
    if (!ok)
        return;
    const CMatrix3D toLocal = frame.Anti();
    const CPoint3D l0 = p0 * toLocal, l1 = p1 * toLocal, l2 = third * toLocal;
    if (SetPreviewArc(l0.GetXY(), l1.GetXY(), l2.GetXY(), arc))
        arc.Display3D(pDC, frame, m3, m2);
}
