#include <vyr/model/draw/DrawBlock.h>

#include <algorithm>

#include <vyr/model/dxf/DXFOutput.h>

namespace {

CRect Union(const CRect& a, const CRect& b)
{
    if (a.IsRectNull()) return b;
    if (b.IsRectNull()) return a;
    return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

CRect2D Union(const CRect2D& a, const CRect2D& b)
{
    CRect2D r = a;
    r |= b;
    return r;
}

} // namespace

void CDrawUnitList::GenVD(CVdraw& vd) const
{
    for (POSITION pos = GetHeadPosition(); pos;) GetNext(pos)->GenVD(vd);
}

CRect CDrawUnitList::GetLocalRect()
{
    CRect r(0, 0, 0, 0);
    for (POSITION pos = GetHeadPosition(); pos;) r = Union(r, GetNext(pos)->GetLocalRect());
    return r;
}

bool CDrawUnitList::IsInterSectRect(const CRect& rect) const
{
    for (POSITION pos = GetHeadPosition(); pos;)
        if (GetNext(pos)->IsInterSectRect(rect)) return true;
    return false;
}

CDrawBlock::CDrawBlock() : m_list(this) {}

CDrawBlock::~CDrawBlock() { RemoveAll(); }

void CDrawBlock::RemoveAll()
{
    while (!m_list.IsEmpty()) delete m_list.RemoveHead();
}

void CDrawBlock::AddDrawUnit(CDrawUnit* unit)
{
    VYR_CHECK(unit != nullptr && unit != this, "CDrawBlock::AddDrawUnit: no unit");
    VYR_CHECK(m_list.Find(unit) == nullptr, "CDrawBlock::AddDrawUnit: unit added twice");
    unit->SetParent(this);
    m_list.AddTail(unit);
}

CLine* CDrawBlock::CreateLine(CPoint2D a, CPoint2D b, CLayer* layer, int n1, int n2)
{
    CLine* l = new CLine;
    l->SetLine(a, b, n1, n2);
    l->SetLayer(layer);
    AddDrawUnit(l);
    return l;
}

CText* CDrawBlock::CreateText(double x, double y, const CString& text, float height, double angle, CLayer* layer)
{
    CText* t = new CText;
    t->Position() = CPoint2D(x, y);
    t->SetText(text);
    t->SetTextHeight(height);
    t->SetRotateAngle(angle);
    t->SetLayer(layer);
    AddDrawUnit(t);
    return t;
}

CHatch* CDrawBlock::CreateHatch(CPoint2D* pts, int n, CLayer* layer)
{
    CHatch* h = new CHatch(pts, n);
    h->SetLayer(layer);
    AddDrawUnit(h);
    return h;
}

void CDrawBlock::Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos;) m_list.GetNext(pos)->Display3D(pDC, m3, m2, z);
}

CRect2D CDrawBlock::GetProject2D(const CMatrix3D& m3, double z)
{
    CRect2D r;
    for (POSITION pos = m_list.GetHeadPosition(); pos;) r = Union(r, m_list.GetNext(pos)->GetProject2D(m3, z));
    return r;
}

CRect2D CDrawBlock::GetRect() { return GetRealRect2D(); }

bool CDrawBlock::Display(CDC* pDC, CRect clip) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos;) {
        CDrawUnit* u = m_list.GetNext(pos);
        if (clip.IsRectNull() || u->IsInterSectRect(clip)) u->Display(pDC, clip);
    }
    return true;
}

void CDrawBlock::DXF(CDXFOutput* out) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos;) m_list.GetNext(pos)->DXF(out);
}

void CDrawBlock::GenVD(CVdraw& vd) const { m_list.GenVD(vd); }

void CDrawBlock::Change2DtoDp(CMatrix2D* m)
{
    if (!m) return;
    CDrawUnit::Change2DtoDp(m);
    CMatrix2D combined = m_matrixL * *m;
    for (POSITION pos = m_list.GetHeadPosition(); pos;) m_list.GetNext(pos)->Change2DtoDp(&combined);
}

CRect CDrawBlock::GetRealRect() { return GetScreenRect(); }

CRect CDrawBlock::GetLocalRect() { return m_list.GetLocalRect(); }

CRect2D CDrawBlock::GetRealRect2D()
{
    CRect2D r;
    for (POSITION pos = m_list.GetHeadPosition(); pos;) r = Union(r, m_list.GetNext(pos)->GetRealRect2D());
    return r;
}

CRect CDrawBlock::GetScreenRect()
{
    CRect r(0, 0, 0, 0);
    for (POSITION pos = m_list.GetHeadPosition(); pos;) r = Union(r, m_list.GetNext(pos)->GetScreenRect());
    return r;
}

bool CDrawBlock::IsInterSectRect(const CRect& r) const { return m_list.IsInterSectRect(r); }

void CDrawBlock::MoveXY(double dx, double dy)
{
    for (POSITION pos = m_list.GetHeadPosition(); pos;) m_list.GetNext(pos)->MoveXY(dx, dy);
}

void CDrawBlock::Rotate(double x, double y, double angle)
{
    for (POSITION pos = m_list.GetHeadPosition(); pos;) m_list.GetNext(pos)->Rotate(x, y, angle);
}

void CDrawBlock::Mirror(double x, double y)
{
    for (POSITION pos = m_list.GetHeadPosition(); pos;) m_list.GetNext(pos)->Mirror(x, y);
}

void CDrawBlock::Mirror(double x1, double y1, double x2, double y2)
{
    for (POSITION pos = m_list.GetHeadPosition(); pos;) m_list.GetNext(pos)->Mirror(x1, y1, x2, y2);
}

void CDrawBlock::ReSize(double f)
{
    for (POSITION pos = m_list.GetHeadPosition(); pos;) m_list.GetNext(pos)->ReSize(f);
}

CDraw::~CDraw()
{
    RemoveAll();
    while (!m_layers.IsEmpty()) delete m_layers.RemoveHead();
}
