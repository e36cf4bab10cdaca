#include <vyr/model/struct/Node.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <unordered_set>

#include <vyr/gdi.h>
#include <vyr/model/struct/LoadCase.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Plane.h>
#include <vyr/model/struct/Support.h>

IMPLEMENT_DYNAMIC(CPNodeBase, CObject)
IMPLEMENT_DYNAMIC(CPGridNode, CPNodeBase)
IMPLEMENT_DYNAMIC(CPSubNode, CPNodeBase)
IMPLEMENT_DYNAMIC(CPNode, CPNodeBase)
IMPLEMENT_DYNAMIC(CMainNode, CPNode)

// The latest moves in a ring: move k (counted from 0) sits in slot k % kMoveRecord, stamped
// with k, so that a reader can tell a slot that a later move has taken over.
namespace
{
constexpr long kMoveRecord = 4096;
struct MoveSlot
{
    std::atomic<long> move{-1};
    std::atomic<const CPNodeBase*> node{nullptr};
};
MoveSlot g_moves[kMoveRecord];
} // namespace

void CPNodeBase::NoteMove(const CPNodeBase* node)
{
    const long k = s_nMoves.load(std::memory_order_relaxed);
    MoveSlot& slot = g_moves[k % kMoveRecord];
    // A sequence lock in sequentially consistent steps (no fences, which ThreadSanitizer
    // cannot follow): a reader that sees k before and after reading the node read this node.
    slot.move.store(-1);
    slot.node.store(node);
    slot.move.store(k);
    s_nMoves.fetch_add(1, std::memory_order_release);
}

bool CPNodeBase::GetMovedSince(long since, std::vector<const CPNodeBase*>& moved)
{
    const long now = GetMoveCount();
    if (since < 0 || since > now || now - since > kMoveRecord)
        return false;
    for (long k = since; k < now; ++k)
    {
        const MoveSlot& slot = g_moves[k % kMoveRecord];
        if (slot.move.load() != k)
            return false;
        const CPNodeBase* node = slot.node.load();
        if (slot.move.load() != k)
            return false;
        moved.push_back(node);
    }
    return true;
}

CPNodeBase::CPNodeBase() = default;
CPNodeBase::CPNodeBase(const CPoint3D& pt) : m_pt(pt) {}
CPNodeBase::~CPNodeBase() = default;

CPNode::CPNode()
    : m_pDeadLoadList(new CLoadNodeList), m_pLiveLoadList(new CLoadNodeList),
      m_pWindLoadList{new CLoadWindList, new CLoadWindList, new CLoadWindList, new CLoadWindList}
{
}

CPNode::CPNode(int no, const CPoint3D& pt) : CPNode()
{
    m_nNo = no;
    m_pt = pt;
}

CPNode::~CPNode()
{
    delete m_pChecker;
    delete m_pDeadLoadList;
    delete m_pLiveLoadList;
    for (CLoadWindList* l : m_pWindLoadList)
        delete l;
    for (INT_PTR i = 0; i < m_arrCraneLoad.GetSize(); ++i)
        delete m_arrCraneLoad.GetAt(i);
}

void CPNodeList::SetSelect(int s)
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        GetNextT(pos)->SetSelect(s);
}

CRect2D CPNodeList::GetRealRect(int kind) const
{
    CRect2D rc;
    bool first = true;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        const CPoint3D& p = GetNextT(pos)->m_pt;
        const double h = p.x;
        const double v = kind == 1 ? p.z : p.y;
        if (first)
        {
            rc = CRect2D(h, v, h, v);
            first = false;
            continue;
        }
        rc.left = std::min(rc.left, h);
        rc.right = std::max(rc.right, h);
        // Model coordinates point up: the top is the largest value.
        rc.top = std::max(rc.top, v);
        rc.bottom = std::min(rc.bottom, v);
    }
    return rc;
}

void CPNodeList::OnDraw(CDC* pDC, CRect& clip, float, double size, int, int, int, CMatrix2D& m2, bool bSelectOnly)
{
    if (pDC == nullptr)
        return;
    CMatrix3D id;
    const CViewXform v(id, m2);
    const int half = size > 0.0 ? (int)(size / 2) : 2;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        CPNode* n = GetNextT(pos);
        if (bSelectOnly && n->GetSelect() == 0)
            continue;
        const CPoint2D p = v.PlaneToScreen(n->GetProjectPt());
        const int x = (int)std::lround(p.x), y = (int)std::lround(p.y);
        if (!clip.IsRectEmpty() && (x < clip.left - half || x > clip.right + half || y < clip.top - half || y > clip.bottom + half))
            continue;
        const int h = n->GetSelect() ? half + 1 : half;
        pDC->Rectangle(x - h, y - h, x + h + 1, y + h + 1);
    }
}

namespace {

// The factored sum of per-case values under a combination (the combination's case factors);
// a case without values adds nothing.
void CombineCases(const std::map<int, std::array<float, 6>>& cases, const CLoadCombination* lc, float out[6])
{
    for (int i = 0; i < 6; ++i)
        out[i] = 0.0f;
    if (lc == nullptr)
        return;
    for (const auto& [type, factor] : lc->GetCaseFactors()) {
        auto it = cases.find(type);
        if (it == cases.end())
            continue;
        for (int i = 0; i < 6; ++i)
            out[i] += factor * it->second[(size_t)i];
    }
}

template <size_t N>
bool ReadItems(const CPNodeChecker* c, const std::array<CNodeCheckItem, N> CPNodeChecker::*items,
               bool CPNodeChecker::*has, float* const (&ratios)[N], CString* const (&texts)[N])
{
    if (c == nullptr || !(c->*has))
        return false;
    for (size_t i = 0; i < N; ++i) {
        *ratios[i] = (c->*items)[i].ratio;
        *texts[i] = (c->*items)[i].text;
    }
    return true;
}

// The node's check record, made empty when it has none.
CPNodeChecker& Record(CPNodeChecker*& checker)
{
    if (checker == nullptr)
        checker = new CPNodeChecker;
    return *checker;
}

} // namespace

void CPNode::FillCurDisp(CLoadCombination* lc) { CombineCases(m_mapCaseDisp, lc, m_fCurDisp); }

bool CPNode::GetSupportForce(CLoadCombination* lc, float force[6]) const
{
    if (m_pSupport == nullptr || m_mapCaseReact.empty()) {
        std::fill(force, force + 6, 0.0f);
        return false;
    }
    CombineCases(m_mapCaseReact, lc, force);
    return true;
}

bool CPNode::GetSupportForceMax(CLCList* list, double values[9], CLoadCombination* combinations[9]) const
{
    std::fill(values, values + 9, 0.0);
    std::fill(combinations, combinations + 9, nullptr);
    if (list == nullptr || list->IsEmpty() || m_pSupport == nullptr || m_mapCaseReact.empty())
        return false;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
        CLoadCombination* lc = list->GetNextT(pos);
        float f[6];
        GetSupportForce(lc, f);
        // Six maxima, then the three most negative forces (kept as they are, negative).
        for (int k = 0; k < 9; ++k) {
            const double v = k < 6 ? f[k] : f[k - 6];
            const bool better = k < 6 ? v > values[k] : v < values[k];
            if (combinations[k] == nullptr || better) {
                values[k] = v;
                combinations[k] = lc;
            }
        }
    }
    return true;
}

void CPNode::GetDispMax(CLCList* list, double values[6], int numbers[6]) const
{
    std::fill(values, values + 6, 0.0);
    std::fill(numbers, numbers + 6, 0);
    if (list == nullptr)
        return;
    bool first = true;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
        CLoadCombination* lc = list->GetNextT(pos);
        float d[6];
        CombineCases(m_mapCaseDisp, lc, d);
        for (int k = 0; k < 6; ++k) {
            // Along +axis the displacement itself, along -axis its opposite; none below 0.
            const double v = std::max(0.0, k % 2 == 0 ? (double)d[k / 2] : -(double)d[k / 2]);
            if (first || v > values[k]) {
                values[k] = v;
                numbers[k] = lc->m_nNo;
            }
        }
        first = false;
    }
}

CPoint3D CPNode::GetP3D(const CPoint3D& position, int displaced) const
{
    if (displaced != 1)
        return position;
    return CPoint3D(position.x + m_fCurDisp[0], position.y + m_fCurDisp[1], position.z + m_fCurDisp[2]);
}

bool CPNode::GetCapacityCheckResult(float& r1, CString& s1, float& r2, CString& s2, float& r3, CString& s3,
                                    float& r4, CString& s4, float& r5, CString& s5, float& r6, CString& s6) const
{
    return ReadItems<6>(m_pChecker, &CPNodeChecker::capacity, &CPNodeChecker::hasCapacity,
                        {&r1, &r2, &r3, &r4, &r5, &r6}, {&s1, &s2, &s3, &s4, &s5, &s6});
}

bool CPNode::GetAddPlateResult(float& v1, CString& s1, float& v2, CString& s2, float& v3, CString& s3, float& v4,
                               CString& s4) const
{
    return ReadItems<4>(m_pChecker, &CPNodeChecker::addPlate, &CPNodeChecker::hasAddPlate, {&v1, &v2, &v3, &v4},
                        {&s1, &s2, &s3, &s4});
}

bool CPNode::GetPColCheckResult(float& r2, CString& s2, float& r3, CString& s3) const
{
    return ReadItems<2>(m_pChecker, &CPNodeChecker::pcol, &CPNodeChecker::hasPCol, {&r2, &r3}, {&s2, &s3});
}

void CPNode::SetCapacityCheckResult(const std::array<CNodeCheckItem, 6>& items)
{
    CPNodeChecker& c = Record(m_pChecker);
    c.capacity = items;
    c.hasCapacity = true;
}

void CPNode::SetAddPlateResult(const std::array<CNodeCheckItem, 4>& items)
{
    CPNodeChecker& c = Record(m_pChecker);
    c.addPlate = items;
    c.hasAddPlate = true;
}

void CPNode::SetPColCheckResult(const std::array<CNodeCheckItem, 2>& items)
{
    CPNodeChecker& c = Record(m_pChecker);
    c.pcol = items;
    c.hasPCol = true;
}

void CPNodeList::SetSelectPointer(CBeamList* members, CWallList* walls)
{
    RemoveAll();
    std::unordered_set<const CPNode*> seen;
    auto add = [&](CPNode* n) {
        if (n != nullptr && seen.insert(n).second)
            AddTail(n);
    };
    if (members != nullptr)
        for (POSITION pos = members->GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = members->GetNextT(pos);
            add(b->GetNode1());
            add(b->GetNode2());
        }
    if (walls != nullptr)
        for (POSITION pos = walls->GetHeadPosition(); pos != nullptr;) {
            CPNodeList* corners = walls->GetNextT(pos)->GetVexNodeList();
            for (POSITION c = corners->GetHeadPosition(); c != nullptr;)
                add(corners->GetNextT(c));
        }
}

bool CPNode::GetFShapeP3D(CPoint3D* p) const
{
    if (p == nullptr)
        return false;
    *p = m_bFShape ? m_ptFShape : m_pt;
    return true;
}

void CPNode::PrepareFShape(int mode, double scale, double factor)
{
    m_ptFShape = m_pt;
    if (mode >= 0 && mode < (int)m_arrFShape.size()) {
        const std::array<float, 3>& v = m_arrFShape[(size_t)mode];
        m_ptFShape.x += scale * factor * v[0];
        m_ptFShape.y += scale * factor * v[1];
        m_ptFShape.z += scale * factor * v[2];
    }
    m_bFShape = true;
}
