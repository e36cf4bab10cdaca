#include <vyr/model/struct/Plane.h>

#include <cmath>

IMPLEMENT_DYNAMIC(CHole, CObject)
IMPLEMENT_DYNAMIC(CHoleRect, CHole)
IMPLEMENT_DYNAMIC(CHoleCircle, CHole)
IMPLEMENT_DYNAMIC(CPlane, CObject)
IMPLEMENT_DYNAMIC(CWall, CObject)

CPoint3D CHole::GetVexPt(int i) const
{
    // Corners counter-clockwise from the reference corner (x, y) of the opening's plane.
    switch (i)
    {
    case 2: return CPoint3D(m_dX + m_dH, m_dY, 0.0);
    case 3: return CPoint3D(m_dX + m_dH, m_dY + m_dV, 0.0);
    case 4: return CPoint3D(m_dX, m_dY + m_dV, 0.0);
    default: return CPoint3D(m_dX, m_dY, 0.0);
    }
}

CHole& CHole::operator=(const CHole& o)
{
    if (this != &o)
    {
        m_nKind = o.m_nKind;
        m_dV = o.m_dV;
        m_dH = o.m_dH;
        m_dAngle = o.m_dAngle;
        m_dX = o.m_dX;
        m_dY = o.m_dY;
        m_nRefEdge = o.m_nRefEdge;
    }
    return *this;
}

bool CHole::IsSame(CHole* o) const
{
    return o != nullptr && o->m_nKind == m_nKind && o->m_dV == m_dV && o->m_dH == m_dH && o->m_dX == m_dX &&
           o->m_dY == m_dY && o->m_dAngle == m_dAngle;
}

CHoleRect& CHoleRect::operator=(const CHole& o)
{
    CHole::operator=(o);
    if (const CHoleRect* r = dynamic_cast<const CHoleRect*>(&o); r != nullptr && r != this)
    {
        m_arrPt3D.Copy(r->m_arrPt3D);
        m_arrPt2D.Copy(r->m_arrPt2D);
        m_arrCorner.Copy(r->m_arrCorner);
    }
    return *this;
}

CHoleCircle& CHoleCircle::operator=(const CHole& o)
{
    CHole::operator=(o);
    if (const CHoleCircle* c = dynamic_cast<const CHoleCircle*>(&o); c != nullptr && c != this)
    {
        m_ptCenter.x = c->m_ptCenter.x;
        m_ptCenter.y = c->m_ptCenter.y;
        m_ptCenter.z = c->m_ptCenter.z;
        m_fR = c->m_fR;
        m_fSeg = c->m_fSeg;
        m_fRes = c->m_fRes;
    }
    return *this;
}

double CHoleCircle::GetArea()
{
    return 3.14159265358979323846 * (double)m_fR * (double)m_fR;
}

CPlane::CPlane()
    : m_pBeamList(new CBeamList), m_pVexNodeList(new CPNodeList), m_pNodeList(new CPNodeList),
      m_pSubBeamList(new CSubBeamList)
{
}

CPlane::~CPlane()
{
    m_pSubBeamList->DeleteAll();
    delete m_pSubBeamList;
    delete m_pBeamList;
    delete m_pVexNodeList;
    delete m_pNodeList;
    delete m_pHole;
}

bool CPlane::Check(float& a, float& b, float& c, float& d, float& e, CMaterialBase*)
{
    a = b = c = d = e = 0.0f;
    if (m_pBan == nullptr || IsAllHole())
        return false;
    // A two-way slab needs its four bar groups, a one-way or deck slab the first two.
    const int need = m_nSubBeamDir == 0 ? 4 : 2;
    for (int i = 0; i < need; ++i)
        if (m_pBarGroup[i] == nullptr)
            return false;
    return true;
}

bool CPlane::ConstructCheck(float& ratio, CMaterialBase*)
{
    ratio = 0.0f;
    return m_pBan != nullptr;
}

double CPlane::GetArea() const
{
    double a = 0.0;
    const int n = (int)m_pVexNodeList->GetCount();
    if (n < 3)
        return 0.0;
    POSITION pos = m_pVexNodeList->GetHeadPosition();
    const CPoint3D p0 = m_pVexNodeList->GetNextT(pos)->m_pt;
    CPoint3D prev = p0;
    while (pos != nullptr)
    {
        const CPoint3D cur = m_pVexNodeList->GetNextT(pos)->m_pt;
        a += prev.x * cur.y - cur.x * prev.y;
        prev = cur;
    }
    a += prev.x * p0.y - p0.x * prev.y;
    return std::fabs(a) * 0.5;
}

CPoint2D CPlane::GetCenter() const
{
    const int n = (int)m_pVexNodeList->GetCount();
    if (n == 0)
        return CPoint2D();
    double x = 0.0, y = 0.0;
    for (POSITION pos = m_pVexNodeList->GetHeadPosition(); pos != nullptr;)
    {
        const CPoint3D& p = m_pVexNodeList->GetNextT(pos)->m_pt;
        x += p.x;
        y += p.y;
    }
    return CPoint2D(x / n, y / n);
}

void CPlaneList::SetSelect(bool b)
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        GetNextT(pos)->SetSelect(b);
}

int CPlaneList::GetEdgeNum() const
{
    int n = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        const int e = GetNextT(pos)->GetEdgeNum();
        if (n == 0)
            n = e;
        else if (e != n)
            return 0;
    }
    return n;
}

CWall::CWall() : m_pVexNodeList(new CPNodeList), m_pHoleList(new CHoleList), m_pEdgeBeamList(new CBeamList) {}

CWall::~CWall()
{
    delete m_pVexNodeList;
    delete m_pHoleList;
    delete m_pEdgeBeamList;
}

void CWall::UpdateSize()
{
    if (m_pVexNodeList->GetCount() < 4)
        return;
    const CPoint3D a = GetNode(1)->m_pt, b = GetNode(2)->m_pt, d = GetNode(4)->m_pt;
    m_fB = (float)a.GetXY().GetDist(b.GetXY());
    m_fH = (float)std::fabs(d.z - a.z);
}

void CWall::Change3D(CMatrix3D& m3)
{
    CMatrix2D id;
    CViewXform v(m3, id);
    int i = 0;
    for (POSITION pos = m_pVexNodeList->GetHeadPosition(); pos != nullptr && i < 4; ++i)
        m_ptProject[i] = v.ToPlane(m_pVexNodeList->GetNextT(pos)->m_pt);
}

void CWall::Change2DtoDP(CMatrix2D& m2)
{
    CMatrix3D id;
    CViewXform v(id, m2);
    for (int i = 0; i < 4; ++i)
        m_ptScreen[i] = v.PlaneToScreen(m_ptProject[i]);
}

void CWallList::SetSelect(bool b)
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        GetNextT(pos)->SetSelect(b);
}

float CWallList::GetTotalWallVolume() const
{
    double v = 0.0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        v += GetNextT(pos)->GetVolume();
    return (float)v;
}
