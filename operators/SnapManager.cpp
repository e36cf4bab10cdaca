#include <vyr/operators/SnapManager.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/draw/draw.h>
#include <vyr/model/struct/BoxGrid.h>
#include <vyr/model/struct/HitIndex.h>
#include <vyr/model/struct/ListWatch.h>
#include <vyr/model/struct/NodeEnds.h>
#include <vyr/operators/DlgSnapOffset.h>
#include <vyr/operators/XorFeedback.h>

// ---------------------------------------------------------------------------------------
// CSnapTarget

CSnapTarget::CSnapTarget(int kind)
    : m_nKind(kind), m_pGlobalData(nullptr), m_bHasReferPt(false), m_bOn(true), m_bSavedOn(false)
{
}

CSnapTarget::~CSnapTarget() = default;

CSnapTarget* CSnapTarget::Create(int kind)
{
    switch (kind) {
    case SNAP_ENDPT:
        return new CSnapEndPt();
    case SNAP_MIDPT:
        return new CSnapMidPt();
    case SNAP_PERPT:
        return new CSnapPerPt();
    default:
        return nullptr;
    }
}

CPoint2D CSnapTarget::ToScreen(const CPoint3D& pt) const
{
    return m_pGlobalData->GetViewXform().ToScreen(pt);
}

CRect CSnapTarget::CursorSquare(const CPoint& cursor)
{
    return CRect(cursor.x - kSnapBox, cursor.y - kSnapBox, cursor.x + kSnapBox, cursor.y + kSnapBox);
}

void CSnapTarget::Draw(CDC* pDC)
{
    if (!pDC || !m_pGlobalData)
        return;
    CXorDC marker(pDC, PS_SOLID, 2, RGB(255, 255, 0));
    DrawMark(pDC);
}

void CSnapTarget::DrawAt(CDC* pDC, const CPoint3D& at)
{
    const CPoint3D keep = m_ptSnap;
    m_ptSnap = at;
    Draw(pDC);
    m_ptSnap = keep;
}

bool CSnapEndPt::Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b)
{
    const CRect box = CursorSquare(cursor);
    if (box.PtInRect((CPoint)a.GetScreenPt())) {
        m_ptSnap = a.GetPt();
        return true;
    }
    if (box.PtInRect((CPoint)b.GetScreenPt())) {
        m_ptSnap = b.GetPt();
        return true;
    }
    return false;
}

void CSnapEndPt::DrawMark(CDC* pDC)
{
    const CPoint2D s = ToScreen(m_ptSnap);
    pDC->Rectangle((int)(s.x - kMarkSize), (int)(s.y - kMarkSize), (int)(s.x + kMarkSize), (int)(s.y + kMarkSize));
}

bool CSnapMidPt::Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b)
{
    const CPoint2D mid = CLine(a.GetScreenPt(), b.GetScreenPt()).GetMidPt();
    if (!CursorSquare(cursor).PtInRect((CPoint)mid))
        return false;
    // The model mid point: a foreshortened projection does not move it.
    m_ptSnap = (a.GetPt() + b.GetPt()) / 2.0;
    return true;
}

void CSnapMidPt::DrawMark(CDC* pDC)
{
    const CPoint2D s = ToScreen(m_ptSnap);
    const POINT pts[3] = {{(LONG)(s.x + 6), (LONG)(s.y + 3.464203233256351)},
                          {(LONG)s.x, (LONG)(s.y - 6.928406466512702)},
                          {(LONG)(s.x - 6), (LONG)(s.y + 3.464203233256351)}};
    pDC->Polygon(pts, 3);
}

bool CSnapPerPt::Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b)
{
    if (!m_bHasReferPt)
        return false;
    CLine3D line;
    line.SetLine3D(a.GetPt(), b.GetPt());
    const CPoint3D foot = line.GetPerPt(m_ptRefer);
    if (foot == m_ptRefer || !line.IsPtBetween(foot))
        return false;
    // The line only has to pass the cursor square; the foot itself may lie anywhere on it.
    const CRect box = CursorSquare(cursor);
    const CPoint2D c[4] = {CPoint2D(box.left, box.top), CPoint2D(box.right, box.top), CPoint2D(box.right, box.bottom),
                           CPoint2D(box.left, box.bottom)};
    const CLine seg(a.GetScreenPt(), b.GetScreenPt());
    for (int i = 0; i < 4; ++i) {
        CPoint2D cross;
        if (seg.InterSect(CLine(c[i], c[(i + 1) % 4]), cross, nullptr) == 1) {
            m_ptSnap = foot;
            return true;
        }
    }
    return false;
}

void CSnapPerPt::DrawMark(CDC* pDC)
{
    const CPoint2D s = ToScreen(m_ptSnap);
    const int x = (int)s.x, y = (int)s.y, d = kMarkSize;
    pDC->MoveTo(x - d, y + d);
    pDC->LineTo(x + d, y + d);
    pDC->MoveTo(x - d, y + d);
    pDC->LineTo(x - d, y - d);
    pDC->MoveTo(x, y);
    pDC->LineTo(x, y + d);
    pDC->MoveTo(x, y);
    pDC->LineTo(x - d, y);
}

// ---------------------------------------------------------------------------------------
// CSnapManager

namespace {

LRESULT AskHost(UINT message, WPARAM wParam)
{
    return VyrSendToHost(message, wParam);
}

// The pixel box of a candidate line; one without area grows by 5 pixels on every side.
CRect LineBox(const CPoint2D& a, const CPoint2D& b)
{
    const CPoint pa = a, pb = b;
    CRect rc(pa.x, pa.y, pb.x, pb.y);
    rc.NormalizeRect();
    if (rc.Width() == 0 || rc.Height() == 0)
        rc.InflateRect(5, 5);
    return rc;
}

bool Overlaps(const CRect& a, const CRect& b)
{
    CRect out;
    return out.IntersectRect(&a, &b) != FALSE;
}

} // namespace

// ---------------------------------------------------------------------------------------
// The candidate index. A mouse move must not walk 100,000 members: the candidates are
// copied into flat arrays, their points in the projection plane, under a uniform grid of
// cells there, and a move looks only at the cells under its cursor square mapped into the
// plane. Pans and zooms change only the step from the plane to the screen, which each move
// takes for its few candidates exactly as a node takes it for its own screen point, so they
// leave the index as it is; a turn of the space view builds it again. The host's lists as
// they are at each move are the truth: every move compares, in a few reads, what the index
// saw with what is there now, and follows what changed. Members or nodes added at the tail
// of a list, or taken out of it, and nodes moved through SetPt are followed one by one, so a
// drag costs what it changes; anything else about a list, a change of the walls or their
// edge lists, and switching the snap on for a new input, builds the index again. The index
// reads an object of the model only while the host lists it. The axes, a few hundred
// segments, are kept in client pixels and read again whenever the view changes.

namespace {

CBoxGrid::Box GridBox(const CRect& rc) { return CBoxGrid::Box{(double)rc.left, (double)rc.top, (double)rc.right, (double)rc.bottom}; }
const CBoxGrid::Box kNoBox{1.0, 1.0, 0.0, 0.0}; // holds nothing

// Exactly the same numbers (the points' own == allows a tolerance).
bool Same(const CPoint3D& p, const CPoint3D& q) { return p.x == q.x && p.y == q.y && p.z == q.z; }
bool Same(const CPoint2D& p, const CPoint2D& q) { return p.x == q.x && p.y == q.y; }

// A listed node: the model point and the point in the projection plane.
struct SnapNode
{
    CPoint3D pt;
    CPoint2D plane;
    bool operator==(const SnapNode& o) const { return Same(pt, o.pt) && Same(plane, o.plane); }
};

// A member: its end points in the model and in the projection plane.
struct SnapSeg
{
    CPoint3D a, b;
    CPoint2D pa, pb;
    bool operator==(const SnapSeg& o) const { return Same(a, o.a) && Same(b, o.b) && Same(pa, o.pa) && Same(pb, o.pb); }
};

// An axis segment, in client pixels.
struct AxisSeg
{
    CPoint3D a, b;
    CPoint2D sa, sb;
    CRect box;
    bool operator==(const AxisSeg& o) const
    {
        return Same(a, o.a) && Same(b, o.b) && Same(sa, o.sa) && Same(sb, o.sb) && box == o.box;
    }
};

// The value of a listed node or member; false when it has nothing to snap to.
bool MakeValue(CObject* o, const CViewXform& xf, SnapNode& v)
{
    const CPNode* node = static_cast<const CPNode*>(o);
    if (!node)
        return false;
    v.pt = node->GetPt();
    v.plane = node->GetProjectPt(xf);
    return true;
}
bool MakeValue(CObject* o, const CViewXform& xf, SnapSeg& v)
{
    const CBeamBase* beam = static_cast<const CBeamBase*>(o);
    const CPNode* n1 = beam ? beam->GetNode1() : nullptr;
    const CPNode* n2 = beam ? beam->GetNode2() : nullptr;
    if (!n1 || !n2)
        return false;
    v = SnapSeg{n1->GetPt(), n2->GetPt(), n1->GetProjectPt(xf), n2->GetProjectPt(xf)};
    return true;
}
CBoxGrid::Box BoxOf(const SnapNode& v) { return CBoxGrid::Box{v.plane.x, v.plane.y, v.plane.x, v.plane.y}; }
// A point that is not a finite number makes the box everything (the grid offers it to every
// question).
CBoxGrid::Box BoxOf(const SnapSeg& v)
{
    if (!std::isfinite(v.pa.x) || !std::isfinite(v.pa.y) || !std::isfinite(v.pb.x) || !std::isfinite(v.pb.y))
        return CBoxGrid::Box{-HUGE_VAL, -HUGE_VAL, HUGE_VAL, HUGE_VAL};
    return CBoxGrid::Box{std::min(v.pa.x, v.pb.x), std::min(v.pa.y, v.pb.y), std::max(v.pa.x, v.pb.x), std::max(v.pa.y, v.pb.y)};
}
// The nodes whose moves change a candidate.
template <class Value>
void Ends(CObject* o, const void*& n1, const void*& n2)
{
    if constexpr (std::is_same_v<Value, SnapNode>) {
        n1 = n2 = static_cast<const CPNodeBase*>(static_cast<const CPNode*>(o));
    } else {
        const CBeamBase* beam = static_cast<const CBeamBase*>(o);
        n1 = static_cast<const CPNodeBase*>(beam->GetNode1());
        n2 = static_cast<const CPNodeBase*>(beam->GetNode2());
    }
}

// The candidates of one list in list order, in a grid of cells over the projection plane. A
// candidate taken out of the list stays as a hole until the set is built again.
template <class Value>
class CSnapSet
{
public:
    void Build(const std::vector<CObject*>& items, const CViewXform& xf)
    {
        m_objs.clear();
        m_values.clear();
        m_order.clear();
        m_ends.Clear();
        // Room for what a few edits add before the next build (see Worn), so that adding
        // one never moves the lot.
        const size_t room = items.size() + Wear(items.size()) + 1;
        m_objs.reserve(room);
        m_values.reserve(room);
        m_order.reserve(room);
        m_ends.Reserve(room);
        std::vector<CBoxGrid::Box>& boxes = m_grid.Boxes();
        boxes.reserve(room);
        m_objs.assign(items.begin(), items.end());
        bool any = false;
        CBoxGrid::Box extent = kNoBox;
        for (size_t i = 0; i < items.size(); ++i) {
            Value v;
            const bool present = MakeValue(items[i], xf, v);
            m_values.push_back(v);
            boxes.push_back(present ? BoxOf(v) : kNoBox);
            m_order.push_back((int)i);
            AddEnds(items[i], present);
            const CBoxGrid::Box& b = boxes.back();
            if (!present || !std::isfinite(b.l + b.t + b.r + b.b))
                continue;
            extent = any ? CBoxGrid::Box{std::min(extent.l, b.l), std::min(extent.t, b.t), std::max(extent.r, b.r), std::max(extent.b, b.b)} : b;
            any = true;
        }
        // About one cell per member, or per two nodes, as in the model's hit tests.
        m_grid.Build(extent, std::is_same_v<Value, SnapNode> ? items.size() / 2 + 1 : items.size() + 1);
    }
    void Append(const std::vector<CObject*>& items, size_t from, const CViewXform& xf)
    {
        for (size_t p = from; p < items.size(); ++p) {
            m_objs.push_back(items[p]);
            m_values.emplace_back();
            const bool present = MakeValue(items[p], xf, m_values.back());
            const int id = m_grid.Add(present ? BoxOf(m_values.back()) : kNoBox);
            m_order.push_back(id);
            AddEnds(items[p], present);
        }
    }
    // positions: those the removed items had in the list, ascending.
    void Remove(const std::vector<size_t>& positions)
    {
        size_t next = 0, kept = 0;
        for (size_t p = 0; p < m_order.size(); ++p) {
            if (next < positions.size() && positions[next] == p) {
                m_grid.Remove(m_order[p]);
                ++next;
                continue;
            }
            m_order[kept++] = m_order[p];
        }
        m_order.resize(kept);
    }
    // Nodes moved (each once): the candidates on them take their values again. Only a
    // candidate still listed is read: its nodes are surely still there.
    void Moved(const std::vector<const void*>& nodes, const CViewXform& xf)
    {
        m_ends.ForEachOn(nodes, [&](int id) {
            if (m_grid.IsLive(id) && MakeValue(m_objs[(size_t)id], xf, m_values[(size_t)id]))
                m_grid.Update(id, BoxOf(m_values[(size_t)id]));
        });
    }
    // So many holes and changes that the side list of the grid grows long.
    bool Worn() const { return m_grid.Changed() + m_grid.Removed() > Wear(m_order.size()); }
    static size_t Wear(size_t count) { return std::max<size_t>(1024, count / 8); }

    // The live candidates, in list order, that may come within the client-pixel rectangle
    // under the view.
    void Query(const CViewXform& xf, const CRect& rc, std::vector<int>& out) const
    {
        m_grid.Query(CHitIndex::ScreenToPlane(xf, vyr_hit::Box{(double)rc.left, (double)rc.top, (double)rc.right, (double)rc.bottom}), out);
    }
    const Value& At(int id) const { return m_values[(size_t)id]; }

    // For tests: the live values in list order, and the list positions of candidates.
    std::vector<Value> LiveValues() const
    {
        std::vector<Value> out;
        for (int id : m_order)
            if (m_grid.IsLive(id))
                out.push_back(m_values[(size_t)id]);
        return out;
    }
    std::vector<int> Positions(const std::vector<int>& ids) const
    {
        std::vector<int> posOf(m_values.size(), -1);
        for (size_t p = 0; p < m_order.size(); ++p)
            posOf[(size_t)m_order[p]] = (int)p;
        std::vector<int> out;
        for (int id : ids)
            out.push_back(posOf[(size_t)id]);
        return out;
    }

private:
    void AddEnds(CObject* o, bool present)
    {
        const void *n1 = nullptr, *n2 = nullptr;
        if (present)
            Ends<Value>(o, n1, n2);
        m_ends.Add(n1, n2);
    }

    std::vector<CObject*> m_objs;
    std::vector<Value> m_values;
    std::vector<int> m_order; // the list's item p is the candidate m_order[p]
    CBoxGrid m_grid;
    CNodeEnds m_ends;
};

} // namespace

struct CSnapManager::Index
{
    // The space view, which builds the lists' candidates again.
    struct Key
    {
        double m3[16] = {};
        bool operator==(const Key& o) const { return std::memcmp(m3, o.m3, sizeof m3) == 0; }
    };
    // What reads the axes again: the view, its client area, the axes.
    struct AxisKey
    {
        long stamp = -1;
        const void* axises = nullptr;
        UINT_PTR axisEdits = 0;
        double axisZ = 0.0;
        CRect region;

        bool operator==(const AxisKey& o) const
        {
            return stamp == o.stamp && axises == o.axises && axisEdits == o.axisEdits && axisZ == o.axisZ &&
                   region == o.region;
        }
    };
    // What reads the walls' edge members again: the wall list and each wall's edge list.
    struct WallKey
    {
        const void* list = nullptr;
        uint64_t serial = 0;
        size_t count = 0;
        UINT_PTR edits = 0;
        size_t edgeHash = 0;

        bool operator==(const WallKey& o) const
        {
            return list == o.list && serial == o.serial && count == o.count && edits == o.edits && edgeHash == o.edgeHash;
        }
    };

    bool valid = false;
    Key key;
    AxisKey axisKey;
    WallKey wallKey;
    long moves = 0;
    CListWatch nodeWatch, beamWatch;
    CSnapSet<SnapNode> nodes;
    CSnapSet<SnapSeg> beams, edges; // the host's members, then the edge members of its walls
    std::vector<AxisSeg> axes;
    CBoxGrid axisGrid;
    std::vector<int> found;
};

CSnapManager::CSnapManager()
    : m_nUseType(0), m_pGlobalData(nullptr), m_bSwitchOn(false), m_pCurTarget(nullptr), m_bSnapFrom(false),
      m_bHasReferPt(false), m_bTempUse(false), m_pMarkTarget(nullptr)
{
    for (int k = 0; k < SNAP_KINDS; ++k)
        m_Targets[k] = CSnapTarget::Create(k);
}

CSnapManager::~CSnapManager()
{
    for (CSnapTarget* t : m_Targets)
        delete t;
}

void CSnapManager::Init(CGlobalData* data)
{
    m_pGlobalData = data;
    for (CSnapTarget* t : m_Targets)
        t->SetGlobalData(data);
}

CSnapTarget* CSnapManager::GetTarget(int kind) const
{
    return (kind >= 0 && kind < SNAP_KINDS) ? m_Targets[kind] : nullptr;
}

void CSnapManager::Switch(bool on)
{
    if (on && !m_bSwitchOn && m_pIndex)
        m_pIndex->valid = false; // a new input: the model may have changed meanwhile
    m_bSwitchOn = on;
    if (on)
        return;
    SetHasReferPt(false);
    // A snapped point left from before would be taken by a click that no move preceded.
    m_pCurTarget = nullptr;
    UpdateMark(nullptr, CPoint3D());
}

void CSnapManager::SetHasReferPt(bool b)
{
    m_bHasReferPt = b;
    for (CSnapTarget* t : m_Targets)
        t->SetHasReferPt(b);
}

void CSnapManager::SetReferPt(const CPoint3D& pt)
{
    for (CSnapTarget* t : m_Targets)
        t->SetReferPt(pt);
    m_bHasReferPt = true;
}

void CSnapManager::SetSnapOn(bool on)
{
    for (CSnapTarget* t : m_Targets)
        t->SetOn(on);
}

void CSnapManager::SetSnapOn(int kind, bool on)
{
    if (CSnapTarget* t = GetTarget(kind))
        t->SetOn(on);
}

bool CSnapManager::GetSnapOn(int kind) const
{
    const CSnapTarget* t = GetTarget(kind);
    return t && t->IsOn();
}

void CSnapManager::SetIsTempUse(bool b)
{
    if (b == m_bTempUse)
        return;
    m_bTempUse = b;
    for (CSnapTarget* t : m_Targets) {
        if (b) {
            t->SaveOn();
            t->SetOn(false);
        } else {
            t->RestoreOn();
        }
    }
}

CPoint3D CSnapManager::GetPt() const
{
    CPoint3D offset;
    if (m_bSnapFrom && m_nUseType == 0) {
        CDlgSnapOffset dlg;
        if (dlg.DoModal() == IDOK) {
            // The offset is typed in display units.
            const double unit = m_pGlobalData ? (double)m_pGlobalData->UnitLength() : 1.0;
            offset.Parse(dlg.m_strOffset, unit > 0.0 ? 1.0 / unit : 1.0);
        }
    }
    return m_ptSnap + offset;
}

CWnd* CSnapManager::ActiveView()
{
    return reinterpret_cast<CWnd*>(AskHost(WM_UI_GETACTIVEVIEW, 0));
}

namespace {

// Folds one more value into a running hash.
void Mix(size_t& hash, size_t value) { hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2); }

// Cells of about 32 pixels over the axes' region.
constexpr int kAxisCell = 32;

} // namespace

// The host's lists and what the index is keyed on, as they are now.
struct CSnapManager::Sources
{
    const CPNodeList* nodes = nullptr;
    const CBeamList* beams = nullptr;
    const CWallList* walls = nullptr;
    const CAxises* axises = nullptr;
    Index::Key key;
    Index::AxisKey axisKey;
    Index::WallKey wallKey;
};

CSnapManager::Sources CSnapManager::ReadSources(const CViewXform& xf) const
{
    Sources src;
    src.nodes = reinterpret_cast<CPNodeList*>(AskHost(WM_UI_GETSNAPLIST, 0));
    src.beams = reinterpret_cast<CBeamList*>(AskHost(WM_UI_GETSNAPLIST, 1));
    src.walls = reinterpret_cast<CWallList*>(AskHost(WM_UI_GETSNAPLIST, 2));
    src.axises = m_pGlobalData->Struct() ? &m_pGlobalData->Struct()->Axises() : nullptr;

    std::memcpy(src.key.m3, xf.m3, sizeof src.key.m3);
    Index::AxisKey& k = src.axisKey;
    k.stamp = xf.stamp;
    k.axises = src.axises;
    k.axisEdits = src.axises ? src.axises->GetEditCount() : 0;
    k.axisZ = m_pGlobalData->AxisDisplay().GetZ();
    if (CWnd* view = ActiveView(); view && view->m_hWnd) {
        view->GetClientRect(&k.region);
        k.region.InflateRect(2 * kAxisCell, 2 * kAxisCell);
    }
    Index::WallKey& w = src.wallKey;
    w.list = src.walls;
    if (src.walls) {
        w.serial = src.walls->GetSerial();
        w.count = (size_t)src.walls->GetCount();
        w.edits = src.walls->GetEditCount();
        // Walls are few: their edge lists are looked at one by one.
        for (POSITION pos = src.walls->GetHeadPosition(); pos != nullptr;) {
            CWall* wall = src.walls->GetNextT(pos);
            const CBeamList* edges = wall ? wall->GetEdgeBeamList() : nullptr;
            Mix(w.edgeHash, (size_t)edges);
            if (edges) {
                Mix(w.edgeHash, (size_t)edges->GetCount());
                Mix(w.edgeHash, (size_t)edges->GetEditCount());
            }
        }
    }
    return src;
}

namespace {

// The edge members of the walls, wall by wall in list order.
std::vector<CObject*> WallEdges(const CWallList* walls)
{
    std::vector<CObject*> out;
    if (walls)
        for (POSITION pos = walls->GetHeadPosition(); pos != nullptr;) {
            CWall* wall = walls->GetNextT(pos);
            const CBeamList* edges = wall ? wall->GetEdgeBeamList() : nullptr;
            if (edges)
                for (POSITION ep = edges->GetHeadPosition(); ep != nullptr;)
                    out.push_back(edges->GetNext(ep));
        }
    return out;
}

// Follows the edits of one list in its set.
template <class Value>
void Follow(CListWatch& watch, CSnapSet<Value>& set, const CObList* list, uint64_t serial, const CViewXform& xf)
{
    switch (watch.Look(list, serial)) {
    case CListWatch::SAME:
        break;
    case CListWatch::APPENDED:
        set.Append(watch.Items(), watch.FirstNew(), xf);
        break;
    case CListWatch::REMOVED:
        set.Remove(watch.Removed());
        break;
    default:
        set.Build(watch.Items(), xf);
        break;
    }
}

} // namespace

// The axis segments in client pixels, in a grid over the view's client area (with a margin);
// a cursor square reaching beyond it looks at every segment.
void CSnapManager::ReadAxes(Index& ix, const Sources& src, const CViewXform& xf)
{
    ix.axisKey = src.axisKey;
    ix.axes.clear();
    std::vector<CAxisSeq*> seqs;
    if (src.axises)
        src.axises->GetCurrentAxisSeqLine(seqs);
    std::vector<CBoxGrid::Box>& boxes = ix.axisGrid.Boxes();
    const double z = src.axisKey.axisZ;
    for (const CAxisSeq* seq : seqs) {
        const CPoint2D st = seq->GetStPt(), ed = seq->GetEdPt();
        AxisSeg g{CPoint3D(st.x, st.y, z), CPoint3D(ed.x, ed.y, z), CPoint2D(), CPoint2D(), CRect()};
        g.sa = xf.ToScreen(g.a);
        g.sb = xf.ToScreen(g.b);
        g.box = LineBox(g.sa, g.sb);
        ix.axes.push_back(g);
        boxes.push_back(GridBox(g.box));
    }
    const CRect& region = src.axisKey.region;
    const size_t cells = region.IsRectEmpty() ? 1
                                              : (size_t)((region.Width() + kAxisCell - 1) / kAxisCell) *
                                                    (size_t)((region.Height() + kAxisCell - 1) / kAxisCell);
    ix.axisGrid.Build(GridBox(region), cells, SIZE_MAX, CBoxGrid::CLIP);
}

void CSnapManager::BuildIndex(Index& ix, const Sources& src, const CViewXform& xf)
{
    ix.key = src.key;
    ix.wallKey = src.wallKey;
    // Counted before anything is read, so that a move made meanwhile is followed later.
    ix.moves = CPNodeBase::GetMoveCount();
    // A turned view reads the lists only where they changed; a new input reads them whole,
    // in case they were edited in ways that leave no trace.
    if (!ix.valid) {
        ix.nodeWatch.Reset();
        ix.beamWatch.Reset();
    }
    ix.valid = true;
    ix.nodeWatch.Look(src.nodes, src.nodes ? src.nodes->GetSerial() : 0);
    ix.beamWatch.Look(src.beams, src.beams ? src.beams->GetSerial() : 0);
    ix.nodes.Build(ix.nodeWatch.Items(), xf);
    ix.beams.Build(ix.beamWatch.Items(), xf);
    ix.edges.Build(WallEdges(src.walls), xf);
    ReadAxes(ix, src, xf);
}

CSnapManager::Index& CSnapManager::UpdateIndex(const CViewXform& xf)
{
    if (!m_pIndex)
        m_pIndex = std::make_unique<Index>();
    Index& ix = *m_pIndex;
    const Sources src = ReadSources(xf);
    if (!ix.valid || !(ix.key == src.key)) {
        BuildIndex(ix, src, xf);
        return ix;
    }
    if (!(ix.axisKey == src.axisKey))
        ReadAxes(ix, src, xf);

    // The lists first, so that the moves below are read only from what is still listed.
    Follow(ix.nodeWatch, ix.nodes, src.nodes, src.nodes ? src.nodes->GetSerial() : 0, xf);
    Follow(ix.beamWatch, ix.beams, src.beams, src.beams ? src.beams->GetSerial() : 0, xf);
    if (!(ix.wallKey == src.wallKey)) {
        ix.wallKey = src.wallKey;
        ix.edges.Build(WallEdges(src.walls), xf);
    }
    if (CPNodeBase::GetMoveCount() != ix.moves) {
        std::vector<const CPNodeBase*> moved;
        if (!CPNodeBase::GetMovedSince(ix.moves, moved)) {
            BuildIndex(ix, src, xf);
            return ix;
        }
        ix.moves += (long)moved.size();
        std::vector<const void*> nodes(moved.begin(), moved.end());
        std::sort(nodes.begin(), nodes.end());
        nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
        ix.nodes.Moved(nodes, xf);
        ix.beams.Moved(nodes, xf);
        ix.edges.Moved(nodes, xf);
    }
    if (ix.nodes.Worn())
        ix.nodes.Build(ix.nodeWatch.Items(), xf);
    if (ix.beams.Worn())
        ix.beams.Build(ix.beamWatch.Items(), xf);
    if (ix.edges.Worn())
        ix.edges.Build(WallEdges(src.walls), xf);
    return ix;
}

bool CSnapManager::IndexMatchesRebuilt()
{
    if (!m_pGlobalData)
        return false;
    const CViewXform& xf = m_pGlobalData->GetViewXform();
    Index& kept = UpdateIndex(xf);
    Index fresh;
    BuildIndex(fresh, ReadSources(xf), xf);
    if (kept.nodes.LiveValues() != fresh.nodes.LiveValues() || kept.beams.LiveValues() != fresh.beams.LiveValues() ||
        kept.edges.LiveValues() != fresh.edges.LiveValues() || kept.axes != fresh.axes)
        return false;
    // Every cursor square over the view (and around it) finds the same candidates, in the
    // same order.
    CRect area = fresh.axisKey.region;
    if (area.IsRectEmpty())
        area = CRect(-100, -100, 900, 700);
    std::vector<int> a, b;
    for (int y = area.top; y < area.bottom; y += 12)
        for (int x = area.left; x < area.right; x += 12) {
            const CRect square(x, y, x + 2 * CSnapTarget::kSnapBox, y + 2 * CSnapTarget::kSnapBox);
            kept.nodes.Query(xf, square, a);
            fresh.nodes.Query(xf, square, b);
            if (kept.nodes.Positions(a) != fresh.nodes.Positions(b))
                return false;
            kept.beams.Query(xf, square, a);
            fresh.beams.Query(xf, square, b);
            if (kept.beams.Positions(a) != fresh.beams.Positions(b))
                return false;
            kept.edges.Query(xf, square, a);
            fresh.edges.Query(xf, square, b);
            if (kept.edges.Positions(a) != fresh.edges.Positions(b))
                return false;
        }
    return true;
}

namespace {

// The cursor square widened by what rounding a point to a pixel moves it, and a little more:
// what a candidate must reach into to snap at all.
CRect Reach(const CPoint& cursor)
{
    const int d = CSnapTarget::kSnapBox + 2;
    return CRect(cursor.x - d, cursor.y - d, cursor.x + d, cursor.y + d);
}

} // namespace

bool CSnapManager::SearchNodes(const CPoint& cursor, Index& ix)
{
    if (!(m_nUseType == 1 || (m_nUseType == 0 && m_Targets[SNAP_ENDPT]->IsOn())))
        return false;
    const CViewXform& xf = m_pGlobalData->GetViewXform();
    const CRect box(cursor.x - CSnapTarget::kSnapBox, cursor.y - CSnapTarget::kSnapBox,
                    cursor.x + CSnapTarget::kSnapBox, cursor.y + CSnapTarget::kSnapBox);
    ix.nodes.Query(xf, Reach(cursor), ix.found);
    for (int i : ix.found) {
        const SnapNode& node = ix.nodes.At(i);
        // The node's own screen point, as CPNodeBase::GetScreenPt computes it.
        const CPoint scr = xf.PlaneToScreen(node.plane);
        if (box.PtInRect(scr)) {
            m_Targets[SNAP_ENDPT]->m_ptSnap = node.pt;
            m_pCurTarget = m_Targets[SNAP_ENDPT];
            return true;
        }
    }
    return false;
}

bool CSnapManager::SearchAxes(const CPoint& cursor, Index& ix)
{
    if (m_nUseType != 0 || !m_pGlobalData->AxisDisplay().GetIsShow())
        return false;
    const CRect pick(cursor.x - kPickBox, cursor.y - kPickBox, cursor.x + kPickBox, cursor.y + kPickBox);
    ix.axisGrid.Query(GridBox(pick), ix.found);
    for (int i : ix.found) {
        const AxisSeg& g = ix.axes[(size_t)i];
        if (!Overlaps(g.box, pick))
            continue;
        const CMeshNode a(g.a, g.sa), b(g.b, g.sb);
        for (CSnapTarget* t : m_Targets)
            if (t->IsOn() && t->Snap(cursor, a, b)) {
                m_pCurTarget = t;
                return true;
            }
    }
    return false;
}

// A member snaps only where it comes into the cursor square (its mid point, or its crossing
// of the square's sides for the foot), so the members found for the widened square hold
// every one that can; among them, as ever, only those whose box meets the pick box count.
bool CSnapManager::SearchMembers(const CPoint& cursor, Index& ix)
{
    if (m_nUseType != 0)
        return false;
    // Member ends are nodes, found before: only the mid point and the foot are asked here.
    CSnapTarget* targets[2] = {m_Targets[SNAP_MIDPT], m_Targets[SNAP_PERPT]};
    if (!targets[0]->IsOn() && !targets[1]->IsOn())
        return false;
    const CViewXform& xf = m_pGlobalData->GetViewXform();
    const CRect pick(cursor.x - kPickBox, cursor.y - kPickBox, cursor.x + kPickBox, cursor.y + kPickBox);
    // The host's members first, then the edge members of its walls, in list order.
    for (const CSnapSet<SnapSeg>* set : {&ix.beams, &ix.edges}) {
        set->Query(xf, Reach(cursor), ix.found);
        for (int i : ix.found) {
            const SnapSeg& g = set->At(i);
            const CPoint2D sa = xf.PlaneToScreen(g.pa), sb = xf.PlaneToScreen(g.pb);
            if (!Overlaps(LineBox(sa, sb), pick))
                continue;
            const CMeshNode a(g.a, sa), b(g.b, sb);
            for (CSnapTarget* t : targets)
                if (t->IsOn() && t->Snap(cursor, a, b)) {
                    m_pCurTarget = t;
                    return true;
                }
        }
    }
    return false;
}

void CSnapManager::MouseMove(const CPoint& cursor)
{
    if (!m_bSwitchOn)
        return;
    CSnapTarget* oldTarget = m_pCurTarget;
    const CPoint3D oldPt = m_ptSnap;
    m_pCurTarget = nullptr;
    if (m_pGlobalData) {
        Index& ix = UpdateIndex(m_pGlobalData->GetViewXform());
        if (!SearchNodes(cursor, ix) && !SearchAxes(cursor, ix))
            SearchMembers(cursor, ix);
    }
    if (m_pCurTarget)
        m_ptSnap = m_pCurTarget->GetSnapPt();
    if (m_pCurTarget != oldTarget || !(m_ptSnap == oldPt) || m_pMarkTarget != m_pCurTarget)
        UpdateMark(m_pCurTarget, m_ptSnap);
}

void CSnapManager::UpdateMark(CSnapTarget* target, const CPoint3D& pt)
{
    if (m_pMarkTarget == target && (!target || m_ptMark == pt))
        return;
    CWnd* view = ActiveView();
    if (!view || !view->m_hWnd)
        return;
    CDC* pDC = view->GetDC();
    if (!pDC)
        return;
    if (target)
        target->DrawAt(pDC, pt);
    if (m_pMarkTarget)
        m_pMarkTarget->DrawAt(pDC, m_ptMark);
    view->ReleaseDC(pDC);
    m_pMarkTarget = target;
    m_ptMark = pt;
}

void CSnapManager::OnDraw(CDC* pDC)
{
    // The view has just been repainted: no marker is on it any more.
    m_pMarkTarget = nullptr;
    if (!m_bSwitchOn || !m_pCurTarget || !pDC)
        return;
    m_pCurTarget->DrawAt(pDC, m_ptSnap);
    m_pMarkTarget = m_pCurTarget;
    m_ptMark = m_ptSnap;
}
