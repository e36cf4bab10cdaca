#include <vyr/operators/SnapManager.h>

#include <algorithm>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/draw/draw.h>
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
// The candidate index. A mouse move must not walk 100,000 members: the candidates' screen
// geometry is copied once into flat arrays and a uniform grid of cells over the view, and
// a move looks only at the cells under its pick box. The index holds values, never
// pointers into the model, so a list that changed behind it can at worst be out of date,
// never dangling. The host's lists as they are at each move are the truth: every move
// compares, in a few reads, what the index was built from with what is there now (each
// list's identity, length and edit count, the edge lists of the walls, the count of node
// moves, the axes and the view) and builds the index again when anything differs, and
// whenever the snap is switched on for a new input.

struct CSnapManager::Index
{
    struct Key
    {
        long stamp = -1;
        long nodeMoves = -1;
        const void* lists[3] = {nullptr, nullptr, nullptr};
        size_t counts[3] = {0, 0, 0};
        UINT_PTR edits[3] = {0, 0, 0};
        size_t edgeHash = 0;
        const void* axises = nullptr;
        UINT_PTR axisEdits = 0;
        double axisZ = 0.0;
        CRect region;

        bool operator==(const Key& o) const
        {
            for (int i = 0; i < 3; ++i)
                if (lists[i] != o.lists[i] || counts[i] != o.counts[i] || edits[i] != o.edits[i])
                    return false;
            return stamp == o.stamp && nodeMoves == o.nodeMoves && edgeHash == o.edgeHash && axises == o.axises &&
                   axisEdits == o.axisEdits && axisZ == o.axisZ && region == o.region;
        }
    };
    struct Node
    {
        CPoint3D pt;
        CPoint scr;
    };
    struct Seg
    {
        CPoint3D a, b;
        CPoint2D sa, sb;
        CRect box;
    };

    // Cells of kCell pixels over the region; each lists, in list order, the candidates whose
    // box touches it. Candidates outside the region are left out: a pick box that is not
    // wholly inside it makes the caller look at every candidate.
    class Grid
    {
    public:
        static constexpr int kCell = 32;
        void Reset(const CRect& region)
        {
            m_region = region;
            m_nx = region.IsRectEmpty() ? 0 : (region.Width() + kCell - 1) / kCell;
            m_ny = region.IsRectEmpty() ? 0 : (region.Height() + kCell - 1) / kCell;
            m_cells.assign((size_t)m_nx * (size_t)m_ny, std::vector<int>());
        }
        void Insert(const CRect& box, int idx)
        {
            int x0, y0, x1, y1;
            if (Cells(box, x0, y0, x1, y1))
                for (int y = y0; y <= y1; ++y)
                    for (int x = x0; x <= x1; ++x)
                        m_cells[(size_t)y * (size_t)m_nx + (size_t)x].push_back(idx);
        }
        // False when rc is not wholly inside the region.
        bool Query(const CRect& rc, std::vector<int>& out) const
        {
            out.clear();
            if (m_nx == 0 || rc.left < m_region.left || rc.top < m_region.top || rc.right > m_region.right ||
                rc.bottom > m_region.bottom)
                return false;
            int x0, y0, x1, y1;
            if (!Cells(rc, x0, y0, x1, y1))
                return true;
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    const std::vector<int>& c = m_cells[(size_t)y * (size_t)m_nx + (size_t)x];
                    out.insert(out.end(), c.begin(), c.end());
                }
            std::sort(out.begin(), out.end());
            out.erase(std::unique(out.begin(), out.end()), out.end());
            return true;
        }

    private:
        // The cells that the closed box [left, right] x [top, bottom] touches.
        bool Cells(const CRect& box, int& x0, int& y0, int& x1, int& y1) const
        {
            if (m_nx == 0 || box.right < m_region.left || box.left >= m_region.right || box.bottom < m_region.top ||
                box.top >= m_region.bottom)
                return false;
            x0 = (std::max(box.left, m_region.left) - m_region.left) / kCell;
            y0 = (std::max(box.top, m_region.top) - m_region.top) / kCell;
            x1 = (std::min(box.right, m_region.right - 1) - m_region.left) / kCell;
            y1 = (std::min(box.bottom, m_region.bottom - 1) - m_region.top) / kCell;
            return true;
        }
        CRect m_region;
        int m_nx = 0, m_ny = 0;
        std::vector<std::vector<int>> m_cells;
    };

    bool valid = false;
    Key key;
    std::vector<Node> nodes;
    std::vector<Seg> axes, members;
    Grid nodeGrid, axisGrid, memberGrid;
    std::vector<int> found;

    // The candidates to test for a box, in list order: from the grid, or all of them.
    const std::vector<int>& Candidates(const Grid& grid, const CRect& rc, size_t count)
    {
        if (!grid.Query(rc, found)) {
            found.resize(count);
            for (size_t i = 0; i < count; ++i)
                found[i] = (int)i;
        }
        return found;
    }
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

template <class LIST>
void ListKey(const LIST* list, const void*& id, size_t& count, UINT_PTR& edits)
{
    id = list;
    count = list ? (size_t)list->GetCount() : 0;
    edits = list ? list->GetEditCount() : 0;
}

// Folds one more value into a running hash.
void Mix(size_t& hash, size_t value) { hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2); }

} // namespace

CSnapManager::Index& CSnapManager::UpdateIndex(const CViewXform& xf)
{
    if (!m_pIndex)
        m_pIndex = std::make_unique<Index>();
    Index& ix = *m_pIndex;

    const CPNodeList* nodes = reinterpret_cast<CPNodeList*>(AskHost(WM_UI_GETSNAPLIST, 0));
    const CBeamList* beams = reinterpret_cast<CBeamList*>(AskHost(WM_UI_GETSNAPLIST, 1));
    const CWallList* walls = reinterpret_cast<CWallList*>(AskHost(WM_UI_GETSNAPLIST, 2));
    const CAxises* axises = m_pGlobalData->Struct() ? &m_pGlobalData->Struct()->Axises() : nullptr;

    Index::Key k;
    k.stamp = xf.stamp;
    k.nodeMoves = CPNodeBase::GetMoveCount();
    ListKey(nodes, k.lists[0], k.counts[0], k.edits[0]);
    ListKey(beams, k.lists[1], k.counts[1], k.edits[1]);
    ListKey(walls, k.lists[2], k.counts[2], k.edits[2]);
    // Walls are few: their edge lists are looked at one by one.
    if (walls)
        for (POSITION pos = walls->GetHeadPosition(); pos != nullptr;) {
            CWall* wall = walls->GetNextT(pos);
            const CBeamList* edges = wall ? wall->GetEdgeBeamList() : nullptr;
            Mix(k.edgeHash, (size_t)edges);
            if (edges) {
                Mix(k.edgeHash, (size_t)edges->GetCount());
                Mix(k.edgeHash, (size_t)edges->GetEditCount());
            }
        }
    k.axises = axises;
    k.axisEdits = axises ? axises->GetEditCount() : 0;
    k.axisZ = m_pGlobalData->AxisDisplay().GetZ();
    if (CWnd* view = ActiveView(); view && view->m_hWnd) {
        view->GetClientRect(&k.region);
        k.region.InflateRect(2 * Index::Grid::kCell, 2 * Index::Grid::kCell);
    }
    if (ix.valid && ix.key == k)
        return ix;

    ix.key = k;
    ix.valid = true;
    ix.nodes.clear();
    ix.axes.clear();
    ix.members.clear();
    ix.nodeGrid.Reset(k.region);
    ix.axisGrid.Reset(k.region);
    ix.memberGrid.Reset(k.region);

    if (nodes)
        for (POSITION pos = nodes->GetHeadPosition(); pos != nullptr;) {
            const CPNode* node = nodes->GetNextT(pos);
            if (!node)
                continue;
            const CPoint scr = node->GetScreenPt(xf);
            ix.nodeGrid.Insert(CRect(scr.x, scr.y, scr.x, scr.y), (int)ix.nodes.size());
            ix.nodes.push_back(Index::Node{node->GetPt(), scr});
        }
    std::vector<CAxisSeq*> seqs;
    if (axises)
        axises->GetCurrentAxisSeqLine(seqs);
    for (const CAxisSeq* seq : seqs) {
        const CPoint2D st = seq->GetStPt(), ed = seq->GetEdPt();
        Index::Seg g{CPoint3D(st.x, st.y, k.axisZ), CPoint3D(ed.x, ed.y, k.axisZ), CPoint2D(), CPoint2D(), CRect()};
        g.sa = xf.ToScreen(g.a);
        g.sb = xf.ToScreen(g.b);
        g.box = LineBox(g.sa, g.sb);
        ix.axisGrid.Insert(g.box, (int)ix.axes.size());
        ix.axes.push_back(g);
    }
    // The host's members first, then the edge members of its walls, in list order.
    auto addMember = [&](const CBeamBase* beam) {
        const CPNode* n1 = beam ? beam->GetNode1() : nullptr;
        const CPNode* n2 = beam ? beam->GetNode2() : nullptr;
        if (!n1 || !n2)
            return;
        Index::Seg g{n1->GetPt(), n2->GetPt(), n1->GetScreenPt(xf), n2->GetScreenPt(xf), CRect()};
        g.box = LineBox(g.sa, g.sb);
        ix.memberGrid.Insert(g.box, (int)ix.members.size());
        ix.members.push_back(g);
    };
    if (beams)
        for (POSITION pos = beams->GetHeadPosition(); pos != nullptr;)
            addMember(beams->GetNextT(pos));
    if (walls)
        for (POSITION pos = walls->GetHeadPosition(); pos != nullptr;) {
            CWall* wall = walls->GetNextT(pos);
            const CBeamList* edges = wall ? wall->GetEdgeBeamList() : nullptr;
            if (edges)
                for (POSITION ep = edges->GetHeadPosition(); ep != nullptr;)
                    addMember(edges->GetNextT(ep));
        }
    return ix;
}

bool CSnapManager::SearchNodes(const CPoint& cursor, Index& ix)
{
    if (!(m_nUseType == 1 || (m_nUseType == 0 && m_Targets[SNAP_ENDPT]->IsOn())))
        return false;
    const CRect box(cursor.x - CSnapTarget::kSnapBox, cursor.y - CSnapTarget::kSnapBox,
                    cursor.x + CSnapTarget::kSnapBox, cursor.y + CSnapTarget::kSnapBox);
    for (int i : ix.Candidates(ix.nodeGrid, box, ix.nodes.size())) {
        const Index::Node& node = ix.nodes[(size_t)i];
        if (box.PtInRect(node.scr)) {
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
    for (int i : ix.Candidates(ix.axisGrid, pick, ix.axes.size())) {
        const Index::Seg& g = ix.axes[(size_t)i];
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

bool CSnapManager::SearchMembers(const CPoint& cursor, Index& ix)
{
    if (m_nUseType != 0)
        return false;
    // Member ends are nodes, found before: only the mid point and the foot are asked here.
    CSnapTarget* targets[2] = {m_Targets[SNAP_MIDPT], m_Targets[SNAP_PERPT]};
    if (!targets[0]->IsOn() && !targets[1]->IsOn())
        return false;
    const CRect pick(cursor.x - kPickBox, cursor.y - kPickBox, cursor.x + kPickBox, cursor.y + kPickBox);
    for (int i : ix.Candidates(ix.memberGrid, pick, ix.members.size())) {
        const Index::Seg& g = ix.members[(size_t)i];
        if (!Overlaps(g.box, pick))
            continue;
        const CMeshNode a(g.a, g.sa), b(g.b, g.sb);
        for (CSnapTarget* t : targets)
            if (t->IsOn() && t->Snap(cursor, a, b)) {
                m_pCurTarget = t;
                return true;
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
