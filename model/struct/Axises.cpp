#include <vyr/model/struct/Axises.h>

#include <algorithm>
#include <cmath>
#include <string>

#include <vyr/model/struct/HitGeom.h>

CViewXform CAxisDisplay::GetXform() const
{
    CMatrix3D m3;
    CMatrix2D m2;
    return CViewXform(m_pMx3D != nullptr ? *m_pMx3D : m3, m_pMx2D != nullptr ? *m_pMx2D : m2);
}

CString CAxisSeq::GetAxisDesc() const
{
    const double dx = std::fabs(m_ptEd.x - m_ptSt.x), dy = std::fabs(m_ptEd.y - m_ptSt.y);
    const double tol = 1e-9 * std::max(1.0, std::hypot(dx, dy));
    if (dy <= tol)
        return "X向";
    if (dx <= tol)
        return "Y向";
    return "斜向";
}

int CAxis::LabelCategory(const CString& label)
{
    const std::string s = label.GetString();
    if (s.empty())
        return NOCAT_AUX;
    if (std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return NOCAT_NUMBER;
    if (std::all_of(s.begin(), s.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }))
        return NOCAT_LETTER;
    return NOCAT_AUX;
}

CAxis* CAxises::AddAxis(const CString& label, const CPoint2D& st, const CPoint2D& ed)
{
    m_axes.push_back(std::make_unique<CAxis>(label, st, ed));
    Rebuild();
    return m_axes.back().get();
}

void CAxises::Clear()
{
    ++m_nEdits;
    m_pts.clear();
    m_seqs.clear();
    m_axes.clear();
}

void CAxises::Rebuild()
{
    ++m_nEdits;
    m_pts.clear();
    m_seqs.clear();
    std::vector<std::vector<double>> cuts(m_axes.size());
    for (size_t i = 0; i < m_axes.size(); ++i)
    {
        cuts[i].push_back(0.0);
        cuts[i].push_back(1.0);
    }
    for (size_t i = 0; i < m_axes.size(); ++i)
        for (size_t j = i + 1; j < m_axes.size(); ++j)
        {
            const CPoint2D p = m_axes[i]->m_ptSt, r = m_axes[i]->m_ptEd - p;
            const CPoint2D q = m_axes[j]->m_ptSt, s = m_axes[j]->m_ptEd - q;
            const double den = r.x * s.y - r.y * s.x;
            if (std::fabs(den) < 1e-12)
                continue; // parallel axes never cross
            const CPoint2D qp = q - p;
            const double t = (qp.x * s.y - qp.y * s.x) / den;
            const double u = (qp.x * r.y - qp.y * r.x) / den;
            const double eps = 1e-9;
            if (t < -eps || t > 1 + eps || u < -eps || u > 1 + eps)
                continue;
            m_pts.push_back(std::make_unique<CAxisPt>(p + r * t, m_axes[i].get(), m_axes[j].get()));
            cuts[i].push_back(std::clamp(t, 0.0, 1.0));
            cuts[j].push_back(std::clamp(u, 0.0, 1.0));
        }
    for (size_t i = 0; i < m_axes.size(); ++i)
    {
        std::vector<double>& c = cuts[i];
        std::sort(c.begin(), c.end());
        const CPoint2D p = m_axes[i]->m_ptSt, r = m_axes[i]->m_ptEd - p;
        for (size_t k = 0; k + 1 < c.size(); ++k)
        {
            if (c[k + 1] - c[k] < 1e-9)
                continue;
            auto seq = std::make_unique<CAxisSeq>(p + r * c[k], p + r * c[k + 1]);
            seq->m_pAxis = m_axes[i].get();
            m_seqs.push_back(std::move(seq));
        }
    }
}

namespace
{
struct Projected
{
    CPoint2D a, b;
};

Projected Project(const CViewXform& v, const CAxisSeq& s, double z)
{
    return Projected{v.ToScreen(CPoint3D(s.m_ptSt.x, s.m_ptSt.y, z)), v.ToScreen(CPoint3D(s.m_ptEd.x, s.m_ptEd.y, z))};
}

// 0 point, 1 window, 2 crossing
template <class T, class Src>
bool SelectSeqs(CAxisDisplay& d, const Src& src, int mode, const CPoint2D& pt, const CRect2D& rc, std::list<T*>& hits)
{
    if (!d.GetIsShow())
        return false;
    const vyr_hit::Box box = vyr_hit::Normalized(rc);
    if (mode != 0 && vyr_hit::IsEmpty(box))
        return false;
    const CViewXform v = d.GetXform();
    bool any = false;
    for (const auto& p : src)
    {
        const Projected s = Project(v, *p, d.GetZ());
        bool hit = false;
        if (mode == 0)
            hit = vyr_hit::DistToSegment(pt.x, pt.y, s.a.x, s.a.y, s.b.x, s.b.y) <= CAxises::kTolerance;
        else if (mode == 1)
            hit = vyr_hit::Inside(box, s.a.x, s.a.y) && vyr_hit::Inside(box, s.b.x, s.b.y);
        else
            hit = vyr_hit::SegmentTouches(box, s.a.x, s.a.y, s.b.x, s.b.y);
        if (hit)
        {
            hits.push_back(p.get());
            any = true;
        }
    }
    return any;
}

bool SelectPts(CAxisDisplay& d, const std::vector<std::unique_ptr<CAxisPt>>& src, bool point, const CPoint2D& pt,
               const CRect2D& rc, std::list<CAxisPt*>& hits)
{
    if (!d.GetIsShow())
        return false;
    const vyr_hit::Box box = vyr_hit::Normalized(rc);
    if (!point && vyr_hit::IsEmpty(box))
        return false;
    const CViewXform v = d.GetXform();
    bool any = false;
    for (const auto& p : src)
    {
        const CPoint2D s = v.ToScreen(CPoint3D(p->m_pt.x, p->m_pt.y, d.GetZ()));
        const bool hit = point ? std::fabs(s.x - pt.x) <= CAxises::kTolerance && std::fabs(s.y - pt.y) <= CAxises::kTolerance
                               : vyr_hit::Inside(box, s.x, s.y);
        if (hit)
        {
            hits.push_back(p.get());
            any = true;
        }
    }
    return any;
}
} // namespace

bool CAxises::PointSelect(CAxisDisplay& d, const CPoint2D& pt, std::list<CAxis*>& hits)
{
    return SelectSeqs(d, m_axes, 0, pt, CRect2D(), hits);
}
bool CAxises::WindowSelect(CAxisDisplay& d, const CRect2D& rc, std::list<CAxis*>& hits)
{
    return SelectSeqs(d, m_axes, 1, CPoint2D(), rc, hits);
}
bool CAxises::CrossSelect(CAxisDisplay& d, const CRect2D& rc, std::list<CAxis*>& hits)
{
    return SelectSeqs(d, m_axes, 2, CPoint2D(), rc, hits);
}
bool CAxises::PointSelectAxisSeq(CAxisDisplay& d, const CPoint2D& pt, std::list<CAxisSeq*>& hits)
{
    return SelectSeqs(d, m_seqs, 0, pt, CRect2D(), hits);
}
bool CAxises::WindowSelectAxisSeq(CAxisDisplay& d, const CRect2D& rc, std::list<CAxisSeq*>& hits)
{
    return SelectSeqs(d, m_seqs, 1, CPoint2D(), rc, hits);
}
bool CAxises::CrossSelectAxisSeq(CAxisDisplay& d, const CRect2D& rc, std::list<CAxisSeq*>& hits)
{
    return SelectSeqs(d, m_seqs, 2, CPoint2D(), rc, hits);
}
bool CAxises::PointSelectAxisPt(CAxisDisplay& d, const CPoint2D& pt, std::list<CAxisPt*>& hits)
{
    return SelectPts(d, m_pts, true, pt, CRect2D(), hits);
}
bool CAxises::WindowSelectAxisPt(CAxisDisplay& d, const CRect2D& rc, std::list<CAxisPt*>& hits)
{
    return SelectPts(d, m_pts, false, CPoint2D(), rc, hits);
}

void CAxises::SetIsSelect(bool b)
{
    for (auto& a : m_axes)
        a->SetIsSelected(b);
}
void CAxises::SetIsSelectAxisSeq(bool b)
{
    for (auto& s : m_seqs)
        s->SetIsSelected(b);
}
void CAxises::SetIsSelectAxisPt(bool b)
{
    for (auto& p : m_pts)
        p->SetIsSelected(b);
}
void CAxises::GetSelectedAxises(std::vector<CAxis*>& out) const
{
    out.clear();
    for (const auto& a : m_axes)
        if (a->GetIsSelected())
            out.push_back(a.get());
}
void CAxises::GetSelectedAxisSeq(std::vector<CAxisSeq*>& out) const
{
    out.clear();
    for (const auto& s : m_seqs)
        if (s->GetIsSelected())
            out.push_back(s.get());
}
void CAxises::GetSelectedAxisPt(std::vector<CAxisPt*>& out) const
{
    out.clear();
    for (const auto& p : m_pts)
        if (p->GetIsSelected())
            out.push_back(p.get());
}
void CAxises::GetCurrentAxisSeqLine(std::vector<CAxisSeq*>& out) const
{
    out.clear();
    for (const auto& s : m_seqs)
        out.push_back(s.get());
}
