#include <vyr/operators/OPSelectKinds.h>

#include <string>
#include <cstdint>
#include <vector>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/DlgPropBase.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/struct/ObjKind.h>
#include <vyr/model/struct/structure.h>

namespace {

template <class List>
CObList* NewList()
{
    return new List;
}

// The model's hit tests on the kind's own list classes.
template <class List, void (CGlobalData::*Hit)(List&, const CPoint2D&, List&)>
void PointHit(CGlobalData& d, CObList& shown, const CPoint2D& pt, CObList& hits)
{
    (d.*Hit)(static_cast<List&>(shown), pt, static_cast<List&>(hits));
}

template <class List, void (CGlobalData::*Hit)(List&, const CRect2D&, List&)>
void RectHit(CGlobalData& d, CObList& shown, const CRect2D& rc, CObList& hits)
{
    (d.*Hit)(static_cast<List&>(shown), rc, static_cast<List&>(hits));
}

CObList& BeamSelection(CGlobalData& d) { return d.SelectBeamList(); }
CObList& NodeSelection(CGlobalData& d) { return d.SelectNodeList(); }
CObList& PlaneSelection(CGlobalData& d) { return d.SelectPlaneList(); }
CObList& WallSelection(CGlobalData& d) { return d.SelectWallList(); }

CBeamBase* Beam(CObject* o) { return static_cast<CBeamBase*>(o); }
bool IsOrdinaryBeam(CObject* o) { return IsOrdinaryMember(Beam(o)); }
bool IsBCInWall(CObject* o) { return IsInWallMember(Beam(o)); }

void MarkBeam(CObject* o, bool on) { Beam(o)->SetSelect(on ? 1 : 0); }
bool BeamMarked(CObject* o) { return Beam(o)->GetSelect() != 0; }
void MarkBeams(CObList& l, bool on) { static_cast<CBeamList&>(l).SetSelect(on ? 1 : 0); }

void MarkNode(CObject* o, bool on) { static_cast<CPNode*>(o)->SetSelect(on ? 1 : 0); }
bool NodeMarked(CObject* o) { return static_cast<CPNode*>(o)->GetSelect() != 0; }
void MarkNodes(CObList& l, bool on) { static_cast<CPNodeList&>(l).SetSelect(on ? 1 : 0); }

void MarkPlane(CObject* o, bool on) { static_cast<CPlane*>(o)->m_nSelect = on ? 1 : 0; }
bool PlaneMarked(CObject* o) { return static_cast<CPlane*>(o)->m_nSelect != 0; }
void MarkPlanes(CObList& l, bool on) { static_cast<CPlaneList&>(l).SetSelect(on); }

void MarkWall(CObject* o, bool on) { static_cast<CWall*>(o)->SetSelect(on); }
bool WallMarked(CObject* o) { return static_cast<CWall*>(o)->GetSelect() != 0; }
void MarkWalls(CObList& l, bool on) { static_cast<CWallList&>(l).SetSelect(on); }

using PointFn = void (*)(CGlobalData&, CObList&, const CPoint2D&, CObList&);
using RectFn = void (*)(CGlobalData&, CObList&, const CRect2D&, CObList&);

constexpr PointFn kBeamPoint = &PointHit<CBeamList, &CGlobalData::BeamPointSelect>;
constexpr RectFn kBeamWindow = &RectHit<CBeamList, &CGlobalData::BeamWindowSelect>;
constexpr RectFn kBeamCross = &RectHit<CBeamList, &CGlobalData::BeamCrossSelect>;

} // namespace

namespace vyrselect {

const CSelectKindRow kBeamRow = {
    WM_UI_GETSHOWNLIST, OBJKIND_BEAM, &NewList<CBeamList>, kBeamPoint, kBeamWindow, kBeamCross, &BeamSelection,
    &IsOrdinaryBeam,    &MarkBeam, &BeamMarked, &MarkBeams, "View.PropBeam", OBJKIND_BEAM};

const CSelectKindRow kAnyBeamRow = {
    WM_UI_GETSHOWNLIST, OBJKIND_BEAM, &NewList<CBeamList>, kBeamPoint, kBeamWindow, kBeamCross, &BeamSelection,
    nullptr,            &MarkBeam, &BeamMarked,   &MarkBeams, "View.PropBeam", OBJKIND_BEAM};

const CSelectKindRow kNodeRow = {WM_UI_GETSNAPLIST,
                                 OBJKIND_NODE,
                                 &NewList<CPNodeList>,
                                 &PointHit<CPNodeList, &CGlobalData::NodePointSelect>,
                                 &RectHit<CPNodeList, &CGlobalData::NodeWindowSelect>,
                                 nullptr,
                                 &NodeSelection,
                                 nullptr,
                                 &MarkNode,
                                 &NodeMarked,
                                 &MarkNodes,
                                 "View.PropNode",
                                 OBJKIND_NODE};

const CSelectKindRow kPlaneRow = {WM_UI_GETSHOWNLIST,
                                  OBJKIND_PLANE,
                                  &NewList<CPlaneList>,
                                  &PointHit<CPlaneList, &CGlobalData::PlanePointSelect>,
                                  &RectHit<CPlaneList, &CGlobalData::PlaneWindowSelect>,
                                  &RectHit<CPlaneList, &CGlobalData::PlaneCrossSelect>,
                                  &PlaneSelection,
                                  nullptr,
                                  &MarkPlane,
                                  &PlaneMarked,
                                  &MarkPlanes,
                                  "View.PropPlane",
                                  OBJKIND_PLANE};

const CSelectKindRow kWallRow = {WM_UI_GETSHOWNLIST,
                                 OBJKIND_WALL,
                                 &NewList<CWallList>,
                                 &PointHit<CWallList, &CGlobalData::WallPointSelect>,
                                 &RectHit<CWallList, &CGlobalData::WallWindowSelect>,
                                 &RectHit<CWallList, &CGlobalData::WallCrossSelect>,
                                 &WallSelection,
                                 nullptr,
                                 &MarkWall,
                                 &WallMarked,
                                 &MarkWalls,
                                 "View.PropWall",
                                 OBJKIND_WALL};

const CSelectKindRow kBCInWallRow = {WM_UI_GETSHOWNLIST,
                                     OBJKIND_BEAM,
                                     &NewList<CBeamList>,
                                     &PointHit<CBeamList, &CGlobalData::BCInWallPointSelect>,
                                     &RectHit<CBeamList, &CGlobalData::BCInWallWindowSelect>,
                                     &RectHit<CBeamList, &CGlobalData::BCInWallCrossSelect>,
                                     &BeamSelection,
                                     &IsBCInWall,
                                     &MarkBeam,
                                     &BeamMarked,
                                     &MarkBeams,
                                     "View.PropBCInWall",
                                     OBJKIND_BCINWALL};

CObList& HostList(const CSelectKindRow& row)
{
    VYR_CHECK(VyrHostWnd() != nullptr, "selection operator: no main window to ask for its list");
    CObList* list = reinterpret_cast<CObList*>(VyrSendToHost(row.hostMessage, row.hostKind));
    VYR_CHECK(list != nullptr, "selection operator: the host gave no list of the kind");
    return *list;
}

CObject* FirstUnder(const CSelectKindRow& row, CGlobalData& data, const CPoint2D& point)
{
    CObList& shown = HostList(row);
    std::unique_ptr<CObList> found(row.newList());
    row.point(data, shown, point, *found);
    return found->IsEmpty() ? nullptr : found->GetHead();
}

void OpenProperties(const CSelectKindRow& row, CGlobalData& data, CObject* object)
{
    VYR_CHECK(VyrHostWnd() != nullptr, "selection operator: no main window to ask for its dialog");
    CDlgPropBase* dlg = reinterpret_cast<CDlgPropBase*>(VyrSendToHost(WM_UI_GETPROPDLG));
    VYR_CHECK(dlg != nullptr, "selection operator: the host gave no property dialog");
    dlg->SetParam(&data, object, row.dlgKind);
    dlg->DoModal();
    const std::string panel(row.panel);
    VyrSendToHost(WM_UI_SHOWPANEL, 0, (LPARAM)panel.c_str());
}

} // namespace vyrselect

// ---------------------------------------------------------------------------------------
// CListSide

namespace {

// A set of object pointers in one flat table (open addressing): a window over a large model
// asks it as many questions as it has candidates, and a node-based set would spend most of
// that time allocating.
class CPtrSet
{
public:
    explicit CPtrSet(size_t expected)
    {
        size_t cap = 16;
        while (cap < expected * 2)
            cap <<= 1;
        m_slots.assign(cap, nullptr);
    }
    // True when p was not in the set.
    bool Insert(CObject* p)
    {
        size_t i = Slot(p);
        while (m_slots[i] != nullptr) {
            if (m_slots[i] == p)
                return false;
            i = (i + 1) & (m_slots.size() - 1);
        }
        m_slots[i] = p;
        if (++m_count * 2 > m_slots.size())
            Grow();
        return true;
    }
    bool Contains(CObject* p) const
    {
        for (size_t i = Slot(p); m_slots[i] != nullptr; i = (i + 1) & (m_slots.size() - 1))
            if (m_slots[i] == p)
                return true;
        return false;
    }
    bool Empty() const { return m_count == 0; }

private:
    size_t Slot(CObject* p) const
    {
        const uint64_t h = (uint64_t)(uintptr_t)p * 0x9E3779B97F4A7C15ull;
        return (size_t)(h >> 17) & (m_slots.size() - 1);
    }
    void Grow()
    {
        std::vector<CObject*> old;
        old.swap(m_slots);
        m_slots.assign(old.size() * 2, nullptr);
        m_count = 0;
        for (CObject* p : old)
            if (p)
                Insert(p);
    }

    std::vector<CObject*> m_slots;
    size_t m_count = 0;
};

// Sized for as many objects as may come, so that a window over a large model grows the
// table at most once.
CPtrSet Members(const CObList& list, size_t coming = 0)
{
    const size_t listed = (size_t)list.GetCount();
    CPtrSet set(coming > listed ? coming : listed);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        set.Insert(list.GetNext(pos));
    return set;
}

// Removes one object from a list by identity; an empty list, or one without it, stays as is.
void Unlist(CObList& list, CObject* o)
{
    // The object was most likely appended last.
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;) {
        POSITION at = pos;
        if (list.GetPrev(pos) == o) {
            list.RemoveAt(at);
            return;
        }
    }
}

} // namespace

CObject* CListSide::At(int index) const
{
    POSITION pos = m_hits.FindIndex(index);
    VYR_CHECK(pos != nullptr, "selection operator: candidate position out of range");
    return m_hits.GetAt(pos);
}

void CListSide::HitPoint(CGlobalData& data, const CPoint2D& point)
{
    CObList& shown = vyrselect::HostList(m_row);
    m_hits.RemoveAll();
    m_row.point(data, shown, point, m_hits);
}

void CListSide::HitRect(CGlobalData& data, const CRect2D& normalised, bool window)
{
    CObList& shown = vyrselect::HostList(m_row);
    m_hits.RemoveAll();
    if (window || !m_row.cross)
        m_row.window(data, shown, normalised, m_hits);
    else
        m_row.cross(data, shown, normalised, m_hits);
}

void CListSide::KeepUnselectedCandidates(CGlobalData& data)
{
    const CPtrSet listed = Members(m_row.selection(data));
    for (POSITION pos = m_hits.GetHeadPosition(); pos != nullptr;) {
        POSITION at = pos;
        if (listed.Contains(m_hits.GetNext(pos)))
            m_hits.RemoveAt(at);
    }
}

// A window over a large model hands over many candidates: membership goes through a hash
// table, so applying them costs in proportion to the lists, not to their product.
bool CListSide::Apply(CGlobalData& data, bool exclude)
{
    if (m_hits.IsEmpty())
        return false;
    // Each candidate is marked in the same pass that lists it: one walk over the candidates.
    CObList& selection = m_row.selection(data);
    CPtrSet listed = Members(selection, exclude ? 0 : (size_t)m_hits.GetCount());
    bool changed = false;
    if (exclude) {
        CPtrSet drop((size_t)m_hits.GetCount());
        for (POSITION pos = m_hits.GetHeadPosition(); pos != nullptr;) {
            CObject* o = m_hits.GetNext(pos);
            m_row.mark(o, false);
            if (listed.Contains(o))
                drop.Insert(o);
        }
        for (POSITION pos = selection.GetHeadPosition(); pos != nullptr && !drop.Empty();) {
            POSITION at = pos;
            if (drop.Contains(selection.GetNext(pos))) {
                selection.RemoveAt(at);
                changed = true;
            }
        }
    } else {
        for (POSITION pos = m_hits.GetHeadPosition(); pos != nullptr;) {
            CObject* o = m_hits.GetNext(pos);
            m_row.mark(o, true);
            if (listed.Insert(o)) {
                selection.AddTail(o);
                changed = true;
            }
        }
    }
    return changed;
}

void CListSide::Select(CGlobalData& data, int index)
{
    CObject* o = At(index);
    m_row.mark(o, true);
    CObList& selection = m_row.selection(data);
    if (!selection.Find(o))
        selection.AddTail(o);
}

void CListSide::Deselect(CGlobalData& data, int index)
{
    CObject* o = At(index);
    m_row.mark(o, false);
    Unlist(m_row.selection(data), o);
}

// The mark and the list change together, so an unmarked object never stays selected.
void CListSide::Invert(CGlobalData& data, int index)
{
    if (m_row.isMarked(At(index)))
        Deselect(data, index);
    else
        Select(data, index);
}

bool CListSide::AnySelected(CGlobalData& data) const
{
    CObList& selection = m_row.selection(data);
    if (!m_row.isOwn)
        return !selection.IsEmpty();
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;)
        if (m_row.isOwn(selection.GetNext(pos)))
            return true;
    return false;
}

void CListSide::ClearSelection(CGlobalData& data)
{
    CObList& selection = m_row.selection(data);
    if (!m_row.isOwn) {
        m_row.markList(selection, false);
        selection.RemoveAll();
        return;
    }
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;) {
        POSITION at = pos;
        CObject* o = selection.GetNext(pos);
        if (m_row.isOwn(o)) {
            m_row.mark(o, false);
            selection.RemoveAt(at);
        }
    }
}

// ---------------------------------------------------------------------------------------
// COPSelectOneKind

COPSelectOneKind::COPSelectOneKind(const CSelectKindInfo& info)
    : m_info(info), m_listHit(info.row->newList()), m_pCycleCur(nullptr)
{
}

COPSelectOneKind::COPSelectOneKind(const COPSelectOneKind& o)
    : COPSelect(o), m_info(o.m_info), m_listHit(o.m_info.row->newList()), m_pCycleCur(nullptr)
{
}

// The candidates stay with the operator that found them.
COPSelectOneKind& COPSelectOneKind::operator=(const COPSelectOneKind& o)
{
    if (this == &o)
        return *this;
    VYR_CHECK(&m_info == &o.m_info, "selection operator assigned from another kind");
    COPSelect::operator=(o);
    m_listHit->RemoveAll();
    m_pCycleCur = nullptr;
    return *this;
}

COPSelectOneKind::~COPSelectOneKind() = default;

int COPSelectOneKind::CycleIndex() const
{
    int i = 0;
    for (POSITION pos = m_listHit->GetHeadPosition(); pos != nullptr; ++i)
        if (m_listHit->GetNext(pos) == m_pCycleCur)
            return i;
    return -1;
}

void COPSelectOneKind::PointSelect()
{
    CListSide side(*m_info.row, *m_listHit);
    SidesPointSelect({&side});
}

void COPSelectOneKind::RectSelect()
{
    CListSide side(*m_info.row, *m_listHit);
    SidesRectSelect({&side});
}

bool COPSelectOneKind::DealSelect(UINT flags)
{
    CListSide side(*m_info.row, *m_listHit);
    int cur = m_bCycle ? CycleIndex() : -1;
    const bool done = SidesDealSelect({&side}, cur, flags);
    m_pCycleCur = (m_bCycle && cur >= 0 && cur < side.Count()) ? side.At(cur) : nullptr;
    return done;
}

bool COPSelectOneKind::IsSuccess()
{
    CListSide side(*m_info.row, *m_listHit);
    return SidesIsSuccess({&side}, m_info.failMessage);
}

void COPSelectOneKind::EmptySelection()
{
    CListSide side(*m_info.row, *m_listHit);
    SidesEmptySelection({&side});
}

void COPSelectOneKind::CancelCtrl()
{
    CListSide side(*m_info.row, *m_listHit);
    SidesCancelCtrl({&side}, CycleIndex());
    m_pCycleCur = nullptr;
}

void COPSelectOneKind::ConfirmCtrl()
{
    CListSide side(*m_info.row, *m_listHit);
    SidesConfirmCtrl({&side});
    m_pCycleCur = nullptr;
}

bool COPSelectOneKind::DblClick()
{
    if (m_pCancelFun || m_pFinishFun)
        return false;
    VYR_CHECK(m_pGlobalData != nullptr, "selection operator without a model root");
    const CPoint2D corner(m_rcSelect.left, m_rcSelect.top);
    if (CObject* o = vyrselect::FirstUnder(*m_info.row, *m_pGlobalData, corner))
        vyrselect::OpenProperties(*m_info.row, *m_pGlobalData, o);
    return true;
}

// ---------------------------------------------------------------------------------------
// The five kinds

#define VYR_SELECT_ONE_KIND_BODY(cls, typeName, description, row)                           \
    const CSelectKindInfo& cls::Info()                                                     \
    {                                                                                      \
        static const CSelectKindInfo info = {typeName, description, "请" description "！", \
                                             "->" description "，右键确认，ESC退出操作", &(row)}; \
        return info;                                                                       \
    }                                                                                      \
    CObj* cls::cls##Create() { return new cls(); }                                         \
    cls::cls() : COPSelectOneKind(Info()) {}                                               \
    void cls::CopyFrom(const CObj& other)                                                  \
    {                                                                                      \
        const cls* o = dynamic_cast<const cls*>(&other);                                   \
        VYR_CHECK(o != nullptr, #cls "::CopyFrom: the source is of another type");         \
        *this = *o;                                                                        \
    }

VYR_SELECT_ONE_KIND_BODY(COPSelectBeam, "OP.SelectBeam", "选择杆件", vyrselect::kBeamRow)
VYR_SELECT_ONE_KIND_BODY(COPSelectNode, "OP.SelectNode", "选择结点", vyrselect::kNodeRow)
VYR_SELECT_ONE_KIND_BODY(COPSelectPlane, "OP.SelectPlane", "选择房间", vyrselect::kPlaneRow)
VYR_SELECT_ONE_KIND_BODY(COPSelectWall, "OP.SelectWall", "选择墙体", vyrselect::kWallRow)
VYR_SELECT_ONE_KIND_BODY(COPSelectBCInWall, "OP.SelectBCInWall", "选择墙肢连梁", vyrselect::kBCInWallRow)
