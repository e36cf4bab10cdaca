#include <vyr/model/struct/HitIndex.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>

namespace
{
// Entries changed since the build beyond this share of the live ones: build again, so the
// grid's side list stays short.
size_t RebuildAfter(size_t live)
{
    return std::max<size_t>(1024, live / 8);
}

// An entry's nodes: a member's ends, or the node itself.
void NodesOf(CHitIndex::Kind kind, CObject* o, const CPNodeBase*& n1, const CPNodeBase*& n2)
{
    n1 = n2 = nullptr;
    if (o == nullptr)
        return;
    if (kind == CHitIndex::MEMBERS)
    {
        const CBeamBase* b = static_cast<const CBeamBase*>(o);
        n1 = b->GetNode1();
        n2 = b->GetNode2();
    }
    else
        n1 = n2 = static_cast<const CPNodeBase*>(static_cast<const CPNode*>(o));
    if (n1 == nullptr || n2 == nullptr)
        n1 = n2 = nullptr;
}
} // namespace

bool CHitIndex::AddEntry(CObject* o, const CViewXform& v)
{
    const CPNodeBase* n1 = nullptr;
    const CPNodeBase* n2 = nullptr;
    NodesOf(m_kind, o, n1, n2);
    m_items.push_back(o);
    m_ends.Add(n1, n2);
    m_p1.push_back(n1 ? n1->GetProjectPt(v) : CPoint2D());
    m_p2.push_back(n2 ? n2->GetProjectPt(v) : CPoint2D());
    return n1 != nullptr;
}

void CHitIndex::ReadPoints(int id, const CViewXform& v)
{
    const CPNodeBase* n1 = nullptr;
    const CPNodeBase* n2 = nullptr;
    NodesOf(m_kind, m_items[(size_t)id], n1, n2);
    if (n1 == nullptr)
        return;
    m_p1[(size_t)id] = n1->GetProjectPt(v);
    m_p2[(size_t)id] = n2->GetProjectPt(v);
}

// A point that is not a finite number makes the box everything, so that the grid offers the
// entry to every question, as the scan asks it every question.
CBoxGrid::Box CHitIndex::EntryBox(int id) const
{
    const CPoint2D& a = m_p1[(size_t)id];
    const CPoint2D& c = m_p2[(size_t)id];
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(c.x) || !std::isfinite(c.y))
    {
        constexpr double inf = std::numeric_limits<double>::infinity();
        return CBoxGrid::Box{-inf, -inf, inf, inf};
    }
    return CBoxGrid::Box{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
}

void CHitIndex::Rebuild(const CViewXform& v)
{
    std::memcpy(m_m3, v.m3, sizeof m_m3);
    m_nMoves = CPNodeBase::GetMoveCount();
    m_items.clear();
    m_p1.clear();
    m_p2.clear();
    m_order.clear();
    m_ends.Clear();

    // Room for the entries that edits add before the next build, so that adding one never
    // moves (and faults in again) arrays of a million.
    const std::vector<CObject*>& items = m_watch.Items();
    const size_t room = items.size() + RebuildAfter(items.size()) + 1;
    m_items.reserve(room);
    m_p1.reserve(room);
    m_p2.reserve(room);
    m_order.reserve(room);
    m_ends.Reserve(room);
    std::vector<CBoxGrid::Box>& boxes = m_grid.Boxes();
    boxes.reserve(room);
    CBoxGrid::Box extent{0, 0, 0, 0};
    bool any = false;
    for (size_t i = 0; i < items.size(); ++i)
    {
        m_order.push_back((int)i);
        if (!AddEntry(items[i], v))
        {
            boxes.push_back(CBoxGrid::Box{1.0, 1.0, 0.0, 0.0}); // holds nothing
            continue;
        }
        boxes.push_back(EntryBox((int)i));
        const CBoxGrid::Box& b = boxes.back();
        if (!std::isfinite(b.l + b.t + b.r + b.b))
            continue;
        extent = any ? CBoxGrid::Box{std::min(extent.l, b.l), std::min(extent.t, b.t), std::max(extent.r, b.r), std::max(extent.b, b.b)} : b;
        any = true;
    }
    // About one cell per member, or per two nodes.
    m_grid.Build(extent, m_kind == MEMBERS ? items.size() + 1 : items.size() / 2 + 1);
    m_bBuilt = true;
}

void CHitIndex::Update(const CObList& list, uint64_t serial, const CViewXform& v)
{
    const CListWatch::Change change = m_watch.Look(&list, serial);
    if (!m_bBuilt || change == CListWatch::OTHER || serial != m_nSerial || std::memcmp(m_m3, v.m3, sizeof m_m3) != 0)
    {
        m_nSerial = serial;
        Rebuild(v);
        return;
    }
    if (change == CListWatch::REMOVED)
    {
        const std::vector<size_t>& removed = m_watch.Removed();
        size_t next = 0, kept = 0;
        for (size_t p = 0; p < m_order.size(); ++p)
        {
            if (next < removed.size() && removed[next] == p)
            {
                m_grid.Remove(m_order[p]);
                ++next;
                continue;
            }
            m_order[kept++] = m_order[p];
        }
        m_order.resize(kept);
    }
    else if (change == CListWatch::APPENDED)
    {
        const std::vector<CObject*>& items = m_watch.Items();
        for (size_t p = m_watch.FirstNew(); p < items.size(); ++p)
        {
            const int id = (int)m_items.size();
            const bool points = AddEntry(items[p], v);
            m_grid.Add(points ? EntryBox(id) : CBoxGrid::Box{1.0, 1.0, 0.0, 0.0});
            m_order.push_back(id);
        }
    }
    FollowMoves(v);
    if (m_grid.Changed() + m_grid.Removed() > RebuildAfter(m_order.size()))
        Rebuild(v);
}

// Only the entries still listed are read again: their nodes are surely still there, while a
// moved node that no listed entry rests on may since have been deleted.
void CHitIndex::FollowMoves(const CViewXform& v)
{
    if (CPNodeBase::GetMoveCount() == m_nMoves)
        return;
    std::vector<const CPNodeBase*> moved;
    if (!CPNodeBase::GetMovedSince(m_nMoves, moved))
    {
        Rebuild(v);
        return;
    }
    m_nMoves += (long)moved.size();
    std::vector<const void*> nodes(moved.begin(), moved.end());
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    m_ends.ForEachOn(nodes, [&](int id) {
        if (!m_grid.IsLive(id))
            return;
        ReadPoints(id, v);
        m_grid.Update(id, EntryBox(id));
    });
}

// The screen box mapped back into the projection plane, widened far beyond what rounding in
// either direction can move a point, so no member the screen-space test would take is left
// out; the few extra ones the test turns down.
CBoxGrid::Box CHitIndex::ScreenToPlane(const CViewXform& v, const vyr_hit::Box& box)
{
    const double a = v.m2[0], b = v.m2[1], c = v.m2[3], d = v.m2[4], e = v.m2[6], f = v.m2[7];
    const double det = a * d - b * c;
    constexpr double inf = std::numeric_limits<double>::infinity();
    const CBoxGrid::Box all{-inf, -inf, inf, inf};
    if (!std::isfinite(det) || det == 0.0 || !std::isfinite(box.l + box.t + box.r + box.b))
        return all;
    auto toPlane = [&](double sx, double sy) {
        const double x = sx - e, y = sy - f;
        return CPoint2D((d * x - c * y) / det, (a * y - b * x) / det);
    };
    auto bound = [&](double grow) {
        const CPoint2D p[4] = {toPlane(box.l - grow, box.t - grow), toPlane(box.r + grow, box.t - grow),
                               toPlane(box.l - grow, box.b + grow), toPlane(box.r + grow, box.b + grow)};
        CBoxGrid::Box r{p[0].x, p[0].y, p[0].x, p[0].y};
        for (const CPoint2D& pt : p)
            r = CBoxGrid::Box{std::min(r.l, pt.x), std::min(r.t, pt.y), std::max(r.r, pt.x), std::max(r.b, pt.y)};
        return r;
    };
    const CBoxGrid::Box rough = bound(0.0);
    const double size = 1.0 + std::max({std::fabs(rough.l), std::fabs(rough.t), std::fabs(rough.r), std::fabs(rough.b)});
    const double scale = std::fabs(a) + std::fabs(b) + std::fabs(c) + std::fabs(d);
    const double screen = 1.0 + std::max({std::fabs(box.l), std::fabs(box.t), std::fabs(box.r), std::fabs(box.b)});
    const double grow = 1e-9 * (screen + 2.0 * size * scale + std::fabs(e) + std::fabs(f));
    CBoxGrid::Box q = bound(grow);
    const double margin = 1e-9 * 2.0 * size;
    q = CBoxGrid::Box{q.l - margin, q.t - margin, q.r + margin, q.b + margin};
    return std::isfinite(q.l + q.t + q.r + q.b) ? q : all;
}

const std::vector<int>& CHitIndex::Candidates(const CViewXform& v, const vyr_hit::Box& box)
{
    m_grid.Query(ScreenToPlane(v, box), m_found);
    return m_found;
}
