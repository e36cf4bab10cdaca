#include <vyr/model/struct/GlobalData.h>

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

#include <vyr/model/struct/HitGeom.h>
#include <vyr/model/struct/HitIndex.h>

using vyr_hit::Box;

struct CGlobalData::Shared
{
    CStruct structure;
    int programType = 0;
    CBeamList selBeams;
    CPNodeList selNodes;
    CWallList selWalls;
    CPlaneList selPlanes;
    float unitLength = 1.0f;
    float unitForce = 1.0f;
    CMatrix2D mx2D;
    CMatrix3D mx3D;
    CAxisDisplay axisDisplay;
    CStructSketch sketch;
    CString projectPath;
    CString projectName;
    CVyrProjectInfo projectInfo;
    int currentFreID = 0;
    int gravity = 1;
    int structureType = 0;
    int floorSeismAdjust = 0;
    int frameSeismAdjust = 0;
    int seismAdjustStartNo = 0;
    int seismAdjustEndNo = 0;
    CLCList basicLCs;   // pointer lists of the kinds: the structure's list owns the entries
    CLCList dispLCs;
    CLCList deflateLCs;
    CLoadCombination currentLC;
    CViewXform xform;
    HitPath hitPath = HIT_AUTO;
    // The indexes of the latest long candidate lists, the latest used first.
    std::vector<std::unique_ptr<CHitIndex>> hitIndexes;
};

CGlobalData::CGlobalData() : m_pShared(std::make_shared<Shared>())
{
    Shared& s = *m_pShared;
    m_pStruct = &s.structure;
    m_pProgramType = &s.programType;
    m_pSelectBeamList = &s.selBeams;
    m_pSelectNodeList = &s.selNodes;
    m_pSelectWallList = &s.selWalls;
    m_pSelectPlaneList = &s.selPlanes;
    m_pUnitLength = &s.unitLength;
    m_pUnitForce = &s.unitForce;
    m_pMatrix2D = &s.mx2D;
    m_pMatrix3D = &s.mx3D;
    m_pAxisDisplay = &s.axisDisplay;
    m_pStructSketch = &s.sketch;
    m_pProjectPath = &s.projectPath;
    m_pProjectName = &s.projectName;
    m_pProjectInfo = &s.projectInfo;
    m_pCurrentFreID = &s.currentFreID;
    m_pGravity = &s.gravity;
    m_pStructureType = &s.structureType;
    m_pFloorSeismAdjust = &s.floorSeismAdjust;
    m_pFrameSeismAdjust = &s.frameSeismAdjust;
    m_pSeismAdjustStartNo = &s.seismAdjustStartNo;
    m_pSeismAdjustEndNo = &s.seismAdjustEndNo;
    m_pSLCList = &s.basicLCs;
    m_pSDispLCList = &s.dispLCs;
    m_pSDeflateLCList = &s.deflateLCs;
    m_pCurrentLC = &s.currentLC;
    m_pXform = &s.xform;
    s.axisDisplay.SetView(m_pMatrix3D, m_pMatrix2D);
}

// ---------------------------------------------------------------------------------------
// Generation of the load combinations

namespace
{
// A variable action a combination can take one case of.
enum LCGenKind
{
    LCGEN_LIVE,
    LCGEN_WIND,
    LCGEN_CRANE,
    LCGEN_TEMPERATURE,
    LCGEN_KINDS
};

struct LCGenCase
{
    int kind;
    int caseNo;  // wind 3 to 6, crane and temperature from 1; 0 for live
    float sign;  // -1: the wind case taken the other way
};

struct LCGenBasics
{
    bool dead = false, live = false, vseism = false, prestress = false;
    std::vector<LCGenCase> alternatives[LCGEN_KINDS];
    std::vector<const CBasicLoadCase*> hseism;
};

LCGenBasics LCGenReadBasics(const CBasicLCList& cases, bool windBothDir)
{
    LCGenBasics b;
    for (POSITION pos = cases.GetHeadPosition(); pos != nullptr;)
    {
        const CBasicLoadCase* lc = cases.GetNextT(pos);
        const int t = lc->m_nType;
        if (t == 0)
            b.dead = true;
        else if (t == 1)
        {
            if (!b.live)
                b.alternatives[LCGEN_LIVE].push_back({LCGEN_LIVE, 0, 1.0f});
            b.live = true;
        }
        else if (t >= 2 && t <= 5)
        {
            b.alternatives[LCGEN_WIND].push_back({LCGEN_WIND, t + 1, 1.0f});
            if (windBothDir)
                b.alternatives[LCGEN_WIND].push_back({LCGEN_WIND, t + 1, -1.0f});
        }
        else if (t == 6)
            b.vseism = true;
        else if (lc->IsSeismLoadCase())
            b.hseism.push_back(lc);
        else if (t >= 11 && t <= 14)
            b.alternatives[LCGEN_TEMPERATURE].push_back({LCGEN_TEMPERATURE, t - 10, 1.0f});
        else if (t == 15)
            b.prestress = true;
        else if (t > 20)
            b.alternatives[LCGEN_CRANE].push_back({LCGEN_CRANE, t - 20, 1.0f});
    }
    return b;
}

void LCGenApply(CLoadCombination& c, const LCGenCase& v, float factor)
{
    switch (v.kind)
    {
    case LCGEN_LIVE: c.m_fLive = factor; break;
    case LCGEN_WIND:
        c.m_fWind = factor * v.sign;
        c.m_nWindCase = v.caseNo;
        break;
    case LCGEN_CRANE:
        c.m_fCrane = factor;
        c.m_nCraneCase = v.caseNo;
        break;
    default:
        c.m_fTemperature = factor;
        c.m_nTemperatureCase = v.caseNo;
        break;
    }
}

// Partial and combination factors of the variable actions.
struct LCGenFactors
{
    float partial[LCGEN_KINDS];
    float comb[LCGEN_KINDS];
};

// Adds c unless an equal one is there already.
void LCGenKeep(std::vector<CLoadCombination>& out, const CLoadCombination& c)
{
    for (const CLoadCombination& o : out)
        if (o.IsEqual(&c))
            return;
    out.push_back(c);
}

// Every choice of one case per kind listed in kinds, each applied with its factor.
void LCGenEachChoice(const LCGenBasics& b, const std::vector<int>& kinds, size_t at, const float* factors,
                     CLoadCombination c, std::vector<CLoadCombination>& out)
{
    if (at == kinds.size())
    {
        LCGenKeep(out, c);
        return;
    }
    const int k = kinds[at];
    for (const LCGenCase& v : b.alternatives[k])
    {
        CLoadCombination next = c;
        LCGenApply(next, v, factors[k]);
        LCGenEachChoice(b, kinds, at + 1, factors, next, out);
    }
}

// The variable-action combinations on top of base. Standard rule: each case in turn leads
// with its partial factor, one case of every other kind accompanies it with partial times
// combination factor. Simplified rule: each case alone with its partial factor, then, with
// two kinds or more, one case of every kind at 0.9 times its partial factor.
void LCGenVariable(const LCGenBasics& b, int rule, const LCGenFactors& f, const CLoadCombination& base,
                   std::vector<CLoadCombination>& out)
{
    std::vector<int> kinds;
    for (int k = 0; k < LCGEN_KINDS; ++k)
        if (!b.alternatives[k].empty())
            kinds.push_back(k);
    if (kinds.empty())
    {
        if (b.dead || b.prestress)
            LCGenKeep(out, base);
        return;
    }
    if (rule == 1)
    {
        for (int k : kinds)
            LCGenEachChoice(b, {k}, 0, f.partial, base, out);
        if (kinds.size() >= 2)
        {
            float reduced[LCGEN_KINDS];
            for (int k = 0; k < LCGEN_KINDS; ++k)
                reduced[k] = 0.9f * f.partial[k];
            LCGenEachChoice(b, kinds, 0, reduced, base, out);
        }
        return;
    }
    float accompanying[LCGEN_KINDS];
    for (int k = 0; k < LCGEN_KINDS; ++k)
        accompanying[k] = f.partial[k] * f.comb[k];
    for (int lead : kinds)
    {
        std::vector<int> others;
        for (int k : kinds)
            if (k != lead)
                others.push_back(k);
        for (const LCGenCase& v : b.alternatives[lead])
        {
            CLoadCombination c = base;
            LCGenApply(c, v, f.partial[lead]);
            LCGenEachChoice(b, others, 0, accompanying, c, out);
        }
    }
}

CLoadSeism* LCGenDefinition(const CLoadSeismList& seisms, int no)
{
    for (POSITION pos = seisms.GetHeadPosition(); pos != nullptr;)
    {
        CLoadSeism* s = seisms.GetNextT(pos);
        if (s->m_nNo == no)
            return s;
    }
    return nullptr;
}

void LCGenFundamental(const CBasicLCList& cases, const CLoadSeismList& seisms, const CLCList& p,
                      std::vector<CLoadCombination>& out)
{
    const LCGenBasics b = LCGenReadBasics(cases, p.m_bWindBothDir != 0);
    const LCGenFactors f = {{p.m_fLiveFactor, p.m_fWindFactor, p.m_fCraneFactor, p.m_fTemperatureFactor},
                            {p.m_fLiveCombFactor, p.m_fWindCombFactor, p.m_fCraneCombFactor, p.m_fTemperatureCombFactor}};
    CLoadCombination base;
    base.m_fDead = b.dead ? p.m_fDeadFactor : 0.0f;
    base.m_fPrestress = b.prestress ? p.m_fPrestressFactor : 0.0f;
    LCGenVariable(b, p.m_nBasicRule, f, base, out);

    // Seismic: the gravity load (dead and half the live) with one horizontal seismic case,
    // the vertical one when the model has it, and with wind at 0.2 when asked.
    for (const CBasicLoadCase* e : b.hseism)
    {
        for (float sign : {1.0f, -1.0f})
        {
            if (sign < 0.0f && p.m_bSeismBothDir == 0)
                break;
            CLoadCombination c;
            c.m_fDead = b.dead ? p.m_fGravityFactor : 0.0f;
            c.m_fLive = b.live ? 0.5f * p.m_fGravityFactor : 0.0f;
            c.m_fPrestress = base.m_fPrestress;
            c.m_fHSeism = sign * p.m_fHSeismFactor;
            c.m_pSeism1 = LCGenDefinition(seisms, e->m_nSeismCaseNo);
            c.m_nSeismVariant = e->m_nSeismVariant;
            c.m_fVSeism = b.vseism ? p.m_fVSeismFactor : 0.0f;
            LCGenKeep(out, c);
            if (p.m_bSeismWithWind != 0)
                for (const LCGenCase& w : b.alternatives[LCGEN_WIND])
                {
                    CLoadCombination cw = c;
                    LCGenApply(cw, w, 0.2f * p.m_fWindFactor);
                    LCGenKeep(out, cw);
                }
        }
    }

    // Dead load acting favourably: every combination with a lateral action again with the
    // dead load at 1.0 and no live load.
    if (p.m_bFavourableDead != 0 && b.dead)
    {
        const size_t n = out.size();
        for (size_t i = 0; i < n; ++i)
        {
            if (out[i].m_fWind == 0.0f && out[i].m_fHSeism == 0.0f)
                continue;
            CLoadCombination c = out[i];
            c.m_fDead = 1.0f;
            c.m_fLive = 0.0f;
            LCGenKeep(out, c);
        }
    }
}

// Characteristic: the fundamental rules with every partial factor 1 and no seismic action.
void LCGenCharacteristic(const CBasicLCList& cases, const CLCList& p, std::vector<CLoadCombination>& out)
{
    const LCGenBasics b = LCGenReadBasics(cases, false);
    const LCGenFactors f = {{1.0f, 1.0f, 1.0f, 1.0f},
                            {p.m_fLiveCombFactor, p.m_fWindCombFactor, p.m_fCraneCombFactor, p.m_fTemperatureCombFactor}};
    CLoadCombination base;
    base.m_fDead = b.dead ? 1.0f : 0.0f;
    base.m_fPrestress = b.prestress ? 1.0f : 0.0f;
    LCGenVariable(b, p.m_nStandardRule, f, base, out);
}

// Quasi-permanent: the dead load with the live load at its quasi-permanent value 0.5.
void LCGenQuasiPermanent(const CBasicLCList& cases, std::vector<CLoadCombination>& out)
{
    const LCGenBasics b = LCGenReadBasics(cases, false);
    if (!b.dead && !b.live && !b.prestress)
        return;
    CLoadCombination c;
    c.m_fDead = b.dead ? 1.0f : 0.0f;
    c.m_fLive = b.live ? 0.5f : 0.0f;
    c.m_fPrestress = b.prestress ? 1.0f : 0.0f;
    LCGenKeep(out, c);
}
} // namespace

void CGlobalData::ReSetLoadCombination(bool deleteFirst)
{
    CLCList* all = m_pStruct->m_pLCList;
    CLCList* kinds[3] = {m_pSLCList, m_pSDispLCList, m_pSDeflateLCList};
    if (deleteFirst)
    {
        for (CLCList* k : kinds)
            k->RemoveAll();
        all->DeleteAll();
    }

    std::vector<CLoadCombination> generated[3];
    LCGenFundamental(*m_pStruct->m_pBasicLCList, *m_pStruct->m_pLoadSeismList, *all, generated[0]);
    LCGenCharacteristic(*m_pStruct->m_pBasicLCList, *all, generated[1]);
    LCGenQuasiPermanent(*m_pStruct->m_pBasicLCList, generated[2]);
    for (int k = 0; k < 3; ++k)
        for (const CLoadCombination& g : generated[k])
        {
            bool present = false;
            for (POSITION pos = kinds[k]->GetHeadPosition(); pos != nullptr && !present;)
                present = kinds[k]->GetNextT(pos)->IsEqual(&g);
            if (present)
                continue;
            CLoadCombination* c = new CLoadCombination(g);
            all->AddTail(c);
            kinds[k]->AddTail(c);
        }

    // The structure's list in the order of the kinds (entries of no kind last), numbered.
    std::vector<CObject*> order;
    for (CLCList* k : kinds)
        for (POSITION pos = k->GetHeadPosition(); pos != nullptr;)
            order.push_back(k->GetNext(pos));
    for (POSITION pos = all->GetHeadPosition(); pos != nullptr;)
    {
        CObject* c = all->GetNext(pos);
        if (std::find(order.begin(), order.end(), c) == order.end())
            order.push_back(c);
    }
    all->RemoveAll();
    for (CObject* c : order)
        all->AddTail(c);
    all->ReAssignId();

    const CLoadCombination* current = nullptr;
    for (POSITION pos = all->GetHeadPosition(); pos != nullptr && current == nullptr;)
    {
        const CLoadCombination* c = all->GetNextT(pos);
        if (c->IsEqual(m_pCurrentLC))
            current = c;
    }
    if (current == nullptr)
        current = !m_pSLCList->IsEmpty() ? m_pSLCList->GetHeadT() : all->GetHeadT();
    m_pCurrentLC->Fill(current);
}

const CViewXform& CGlobalData::GetViewXform()
{
    CViewXform now(*m_pMatrix3D, *m_pMatrix2D);
    if (now != *m_pXform)
        *m_pXform = now;
    return *m_pXform;
}

// ---------------------------------------------------------------------------------------
// Hit tests. The view is folded once per call; node projections are cached in the nodes.

namespace
{
enum Mode
{
    POINT,
    WINDOW,
    CROSS
};

struct Query
{
    Mode mode;
    CPoint2D pt;
    Box box;
    double tol;
};

// The decision on a member whose ends are at a and c on the screen.
bool BeamHitAt(const CPoint2D& a, const CPoint2D& c, const Query& q)
{
    switch (q.mode)
    {
    case POINT:
        if (std::min(a.x, c.x) - q.tol > q.pt.x || std::max(a.x, c.x) + q.tol < q.pt.x ||
            std::min(a.y, c.y) - q.tol > q.pt.y || std::max(a.y, c.y) + q.tol < q.pt.y)
            return false;
        return vyr_hit::DistToSegment(q.pt.x, q.pt.y, a.x, a.y, c.x, c.y) <= q.tol;
    case WINDOW:
        return vyr_hit::Inside(q.box, a.x, a.y) && vyr_hit::Inside(q.box, c.x, c.y);
    default:
        return vyr_hit::SegmentTouches(q.box, a.x, a.y, c.x, c.y);
    }
}

bool BeamHit(const CViewXform& v, CBeamBase* b, const Query& q)
{
    CPNode* n1 = b->GetNode1();
    CPNode* n2 = b->GetNode2();
    if (n1 == nullptr || n2 == nullptr)
        return false;
    return BeamHitAt(n1->GetScreenPt(v), n2->GetScreenPt(v), q);
}

// The decision on a node at s on the screen.
bool NodeHitAt(const CPoint2D& s, const Query& q)
{
    if (q.mode == POINT)
        return std::abs(s.x - q.pt.x) <= q.tol && std::abs(s.y - q.pt.y) <= q.tol;
    return vyr_hit::Inside(q.box, s.x, s.y);
}

// Screen corners of a node list (walls and rooms); false when fewer than one.
bool Corners(const CViewXform& v, CPNodeList* nodes, std::vector<CPoint2D>& pts)
{
    pts.clear();
    for (POSITION pos = nodes->GetHeadPosition(); pos != nullptr;)
        pts.push_back(nodes->GetNextT(pos)->GetScreenPt(v));
    return !pts.empty();
}

bool AreaHit(const std::vector<CPoint2D>& pts, const Query& q, bool pickInside)
{
    const int n = (int)pts.size();
    switch (q.mode)
    {
    case POINT:
        if (pickInside && n >= 3 && vyr_hit::PointInPolygon(pts.data(), n, q.pt.x, q.pt.y))
            return true;
        return vyr_hit::PointNearPolyline(pts.data(), n, true, q.pt.x, q.pt.y, q.tol);
    case WINDOW:
        return vyr_hit::PolygonInside(q.box, pts.data(), n);
    default:
        return vyr_hit::PolygonTouches(q.box, pts.data(), n, true);
    }
}

Query MakePoint(const CPoint2D& pt)
{
    return Query{POINT, pt, Box{0, 0, 0, 0}, CGlobalData::kPickTolerance};
}

Query MakeRect(Mode m, const CRect2D& rc)
{
    return Query{m, CPoint2D(), vyr_hit::Normalized(rc), CGlobalData::kPickTolerance};
}

template <class List, class Test>
void Collect(List& cand, List& hits, const Query& q, Test test)
{
    if (q.mode != POINT && vyr_hit::IsEmpty(q.box))
        return;
    for (POSITION pos = cand.GetHeadPosition(); pos != nullptr;)
    {
        auto* o = cand.GetNextT(pos);
        if (o != nullptr && test(o, q))
            hits.AddTail(o);
    }
}

// The same decisions over the candidates the index names. The screen points are computed
// from the kept plane points exactly as a node computes its own (CPNodeBase::GetScreenPt).
template <class List>
void IndexedCollect(CHitIndex& index, const CViewXform& v, List& hits, const Query& q, bool inWallOnly)
{
    if (q.mode != POINT && vyr_hit::IsEmpty(q.box))
        return;
    const vyr_hit::Box area = q.mode == POINT ? Box{q.pt.x - q.tol, q.pt.y - q.tol, q.pt.x + q.tol, q.pt.y + q.tol} : q.box;
    const std::vector<int>& ids = index.Candidates(v, area);
    const bool members = index.GetKind() == CHitIndex::MEMBERS;
    for (int id : ids)
    {
        CObject* o = index.Item(id);
        if (o == nullptr || !index.HasPoints(id) || (inWallOnly && !IsInWallMember(static_cast<CBeamBase*>(o))))
            continue;
        const CPoint2D a = v.PlaneToScreen(index.Plane1(id));
        if (members ? BeamHitAt(a, v.PlaneToScreen(index.Plane2(id)), q) : NodeHitAt(a, q))
            hits.AddTail(o);
    }
}
} // namespace

void CGlobalData::SetHitPath(HitPath path)
{
    m_pShared->hitPath = path;
    if (path == HIT_SCAN)
        m_pShared->hitIndexes.clear();
}

CHitIndex* CGlobalData::HitIndexFor(const CObList& list, uint64_t serial, int kind)
{
    Shared& s = *m_pShared;
    if (s.hitPath == HIT_SCAN || (s.hitPath == HIT_AUTO && list.GetCount() < kIndexFrom))
        return nullptr;
    // A few lists are in use at a time (the members shown, the nodes); the oldest goes.
    constexpr size_t kKept = 4;
    auto it = std::find_if(s.hitIndexes.begin(), s.hitIndexes.end(), [&](const std::unique_ptr<CHitIndex>& x) {
        return x->GetSerial() == serial && x->GetKind() == kind;
    });
    std::unique_ptr<CHitIndex> index;
    if (it != s.hitIndexes.end())
    {
        index = std::move(*it);
        s.hitIndexes.erase(it);
    }
    else if (s.hitIndexes.size() >= kKept)
    {
        // The oldest index serves the new list: its storage is reused rather than handed back
        // to the system and faulted in again.
        index = std::move(s.hitIndexes.back());
        s.hitIndexes.pop_back();
        index->Reset((CHitIndex::Kind)kind);
    }
    else
        index = std::make_unique<CHitIndex>((CHitIndex::Kind)kind);
    index->Update(list, serial, GetViewXform());
    s.hitIndexes.insert(s.hitIndexes.begin(), std::move(index));
    return s.hitIndexes.front().get();
}

void CGlobalData::BeamPointSelect(CBeamList& cand, const CPoint2D& pt, CBeamList& hits)
{
    const CViewXform& v = GetViewXform();
    if (CHitIndex* index = HitIndexFor(cand, cand.GetSerial(), CHitIndex::MEMBERS))
        return IndexedCollect(*index, v, hits, MakePoint(pt), false);
    Collect(cand, hits, MakePoint(pt), [&](CBeamBase* b, const Query& q) { return BeamHit(v, b, q); });
}
void CGlobalData::BeamWindowSelect(CBeamList& cand, const CRect2D& rc, CBeamList& hits)
{
    const CViewXform& v = GetViewXform();
    if (CHitIndex* index = HitIndexFor(cand, cand.GetSerial(), CHitIndex::MEMBERS))
        return IndexedCollect(*index, v, hits, MakeRect(WINDOW, rc), false);
    Collect(cand, hits, MakeRect(WINDOW, rc), [&](CBeamBase* b, const Query& q) { return BeamHit(v, b, q); });
}
void CGlobalData::BeamCrossSelect(CBeamList& cand, const CRect2D& rc, CBeamList& hits)
{
    const CViewXform& v = GetViewXform();
    if (CHitIndex* index = HitIndexFor(cand, cand.GetSerial(), CHitIndex::MEMBERS))
        return IndexedCollect(*index, v, hits, MakeRect(CROSS, rc), false);
    Collect(cand, hits, MakeRect(CROSS, rc), [&](CBeamBase* b, const Query& q) { return BeamHit(v, b, q); });
}
// The displayed member list holds ordinary members too; only coupling beams and piers count.

void CGlobalData::BCInWallPointSelect(CBeamList& cand, const CPoint2D& pt, CBeamList& hits)
{
    const CViewXform& v = GetViewXform();
    if (CHitIndex* index = HitIndexFor(cand, cand.GetSerial(), CHitIndex::MEMBERS))
        return IndexedCollect(*index, v, hits, MakePoint(pt), true);
    Collect(cand, hits, MakePoint(pt), [&](CBeamBase* b, const Query& q) { return IsInWallMember(b) && BeamHit(v, b, q); });
}
void CGlobalData::BCInWallWindowSelect(CBeamList& cand, const CRect2D& rc, CBeamList& hits)
{
    const CViewXform& v = GetViewXform();
    if (CHitIndex* index = HitIndexFor(cand, cand.GetSerial(), CHitIndex::MEMBERS))
        return IndexedCollect(*index, v, hits, MakeRect(WINDOW, rc), true);
    Collect(cand, hits, MakeRect(WINDOW, rc), [&](CBeamBase* b, const Query& q) { return IsInWallMember(b) && BeamHit(v, b, q); });
}
void CGlobalData::BCInWallCrossSelect(CBeamList& cand, const CRect2D& rc, CBeamList& hits)
{
    const CViewXform& v = GetViewXform();
    if (CHitIndex* index = HitIndexFor(cand, cand.GetSerial(), CHitIndex::MEMBERS))
        return IndexedCollect(*index, v, hits, MakeRect(CROSS, rc), true);
    Collect(cand, hits, MakeRect(CROSS, rc), [&](CBeamBase* b, const Query& q) { return IsInWallMember(b) && BeamHit(v, b, q); });
}

void CGlobalData::NodePointSelect(CPNodeList& cand, const CPoint2D& pt, CPNodeList& hits)
{
    const CViewXform& v = GetViewXform();
    if (CHitIndex* index = HitIndexFor(cand, cand.GetSerial(), CHitIndex::NODES))
        return IndexedCollect(*index, v, hits, MakePoint(pt), false);
    Collect(cand, hits, MakePoint(pt), [&](CPNode* n, const Query& q) { return NodeHitAt(n->GetScreenPt(v), q); });
}
void CGlobalData::NodeWindowSelect(CPNodeList& cand, const CRect2D& rc, CPNodeList& hits)
{
    const CViewXform& v = GetViewXform();
    if (CHitIndex* index = HitIndexFor(cand, cand.GetSerial(), CHitIndex::NODES))
        return IndexedCollect(*index, v, hits, MakeRect(WINDOW, rc), false);
    Collect(cand, hits, MakeRect(WINDOW, rc), [&](CPNode* n, const Query& q) { return NodeHitAt(n->GetScreenPt(v), q); });
}

namespace
{
template <class List, class Obj>
void AreaSelect(CGlobalData& d, List& cand, List& hits, const Query& q, bool pickInside, CPNodeList* (*corners)(Obj*))
{
    const CViewXform& v = d.GetViewXform();
    std::vector<CPoint2D> pts;
    Collect(cand, hits, q, [&](Obj* o, const Query& qq) { return Corners(v, corners(o), pts) && AreaHit(pts, qq, pickInside); });
}
CPNodeList* WallCorners(CWall* w) { return w->GetVexNodeList(); }
CPNodeList* PlaneCorners(CPlane* p) { return p->m_pVexNodeList; }
} // namespace

void CGlobalData::WallPointSelect(CWallList& cand, const CPoint2D& pt, CWallList& hits)
{
    AreaSelect(*this, cand, hits, MakePoint(pt), true, &WallCorners);
}
void CGlobalData::WallWindowSelect(CWallList& cand, const CRect2D& rc, CWallList& hits)
{
    AreaSelect(*this, cand, hits, MakeRect(WINDOW, rc), true, &WallCorners);
}
void CGlobalData::WallCrossSelect(CWallList& cand, const CRect2D& rc, CWallList& hits)
{
    AreaSelect(*this, cand, hits, MakeRect(CROSS, rc), true, &WallCorners);
}
void CGlobalData::PlanePointSelect(CPlaneList& cand, const CPoint2D& pt, CPlaneList& hits)
{
    AreaSelect(*this, cand, hits, MakePoint(pt), true, &PlaneCorners);
}
void CGlobalData::PlaneWindowSelect(CPlaneList& cand, const CRect2D& rc, CPlaneList& hits)
{
    AreaSelect(*this, cand, hits, MakeRect(WINDOW, rc), true, &PlaneCorners);
}
void CGlobalData::PlaneCrossSelect(CPlaneList& cand, const CRect2D& rc, CPlaneList& hits)
{
    AreaSelect(*this, cand, hits, MakeRect(CROSS, rc), true, &PlaneCorners);
}

// ---------------------------------------------------------------------------------------
// Extents.

namespace
{
struct Extent
{
    bool any = false;
    CRect2D rc;
    void Add(const CPoint2D& p)
    {
        if (!any)
        {
            rc = CRect2D(p.x, p.y, p.x, p.y);
            any = true;
            return;
        }
        rc.left = std::min(rc.left, p.x);
        rc.right = std::max(rc.right, p.x);
        rc.top = std::min(rc.top, p.y);
        rc.bottom = std::max(rc.bottom, p.y);
    }
};

// screen: client pixels, else the projection plane.
void AddBeam(Extent& e, const CViewXform& v, CBeamBase* b, bool screen)
{
    for (CPNode* n : {b->GetNode1(), b->GetNode2()})
        if (n != nullptr)
            e.Add(screen ? n->GetScreenPt(v) : n->GetProjectPt(v));
}
void AddNodes(Extent& e, const CViewXform& v, CPNodeList* nodes, bool screen)
{
    for (POSITION pos = nodes->GetHeadPosition(); pos != nullptr;)
    {
        CPNode* n = nodes->GetNextT(pos);
        e.Add(screen ? n->GetScreenPt(v) : n->GetProjectPt(v));
    }
}
} // namespace

CRect2D CGlobalData::GetBeamScreenRect(CBeamList& list)
{
    const CViewXform& v = GetViewXform();
    Extent e;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        AddBeam(e, v, list.GetNextT(pos), true);
    return e.rc;
}
CRect2D CGlobalData::GetBCInWallScreenRect(CBeamList& list)
{
    return GetBeamScreenRect(list);
}
CRect2D CGlobalData::GetNodeScreenRect(CPNodeList& list)
{
    const CViewXform& v = GetViewXform();
    Extent e;
    AddNodes(e, v, &list, true);
    return e.rc;
}
CRect2D CGlobalData::GetWallScreenRect(CWallList& list)
{
    const CViewXform& v = GetViewXform();
    Extent e;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        AddNodes(e, v, list.GetNextT(pos)->GetVexNodeList(), true);
    return e.rc;
}
CRect2D CGlobalData::GetPlaneScreenRect(CPlaneList& list)
{
    const CViewXform& v = GetViewXform();
    Extent e;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        AddNodes(e, v, list.GetNextT(pos)->m_pVexNodeList, true);
    return e.rc;
}

namespace
{
bool KindMatches(int kind, int want)
{
    return kind == want || kind == CGlobalData::KIND_ALL;
}
} // namespace

CRect2D CGlobalData::GetSelectedProjectRect(int kind)
{
    const CViewXform& v = GetViewXform();
    Extent e;
    if (KindMatches(kind, KIND_NODE))
        AddNodes(e, v, m_pSelectNodeList, false);
    for (POSITION pos = m_pSelectBeamList->GetHeadPosition(); pos != nullptr;)
    {
        CBeamBase* b = m_pSelectBeamList->GetNextT(pos);
        if ((KindMatches(kind, KIND_BEAM) && IsOrdinaryMember(b)) || (KindMatches(kind, KIND_BCINWALL) && IsInWallMember(b)))
            AddBeam(e, v, b, false);
    }
    if (KindMatches(kind, KIND_WALL))
        for (POSITION pos = m_pSelectWallList->GetHeadPosition(); pos != nullptr;)
            AddNodes(e, v, m_pSelectWallList->GetNextT(pos)->GetVexNodeList(), false);
    if (KindMatches(kind, KIND_PLANE))
        for (POSITION pos = m_pSelectPlaneList->GetHeadPosition(); pos != nullptr;)
            AddNodes(e, v, m_pSelectPlaneList->GetNextT(pos)->m_pVexNodeList, false);
    return e.rc;
}

void CGlobalData::PositionSelected(int kind, CRect& client)
{
    bool any = false;
    if (KindMatches(kind, KIND_NODE))
        any = any || !m_pSelectNodeList->IsEmpty();
    for (POSITION pos = m_pSelectBeamList->GetHeadPosition(); pos != nullptr && !any;)
    {
        CBeamBase* b = m_pSelectBeamList->GetNextT(pos);
        any = (KindMatches(kind, KIND_BEAM) && IsOrdinaryMember(b)) || (KindMatches(kind, KIND_BCINWALL) && IsInWallMember(b));
    }
    if (KindMatches(kind, KIND_WALL))
        any = any || !m_pSelectWallList->IsEmpty();
    if (KindMatches(kind, KIND_PLANE))
        any = any || !m_pSelectPlaneList->IsEmpty();
    if (!any || client.Width() <= 0 || client.Height() <= 0)
        return;
    CRect2D rc = GetSelectedProjectRect(kind);
    // A single node or a line seen end-on has no area; give it a small one to fit.
    if (rc.IsRectEmpty())
        rc.InflateRect(5, 5);
    m_pMatrix2D->SetZoomMatrix(client, rc);
}

// ---------------------------------------------------------------------------------------
// Deleting the selection.

void CGlobalData::DeleteSelected(int kind, CEditStackNode& undo)
{
    CStruct& s = *m_pStruct;
    using Set = std::unordered_set<CObject*>;
    Set nodes, walls, beams, inWall, planes, subBeams;

    if (KindMatches(kind, KIND_NODE))
        for (POSITION pos = m_pSelectNodeList->GetHeadPosition(); pos != nullptr;)
            nodes.insert(m_pSelectNodeList->GetNext(pos));
    for (POSITION pos = m_pSelectBeamList->GetHeadPosition(); pos != nullptr;)
    {
        CBeamBase* b = m_pSelectBeamList->GetNextT(pos);
        if (KindMatches(kind, KIND_BEAM) && b->toBeam() != nullptr)
            beams.insert(b);
        else if (KindMatches(kind, KIND_BEAM) && b->toSubBeam() != nullptr)
            subBeams.insert(b);
        else if (KindMatches(kind, KIND_BCINWALL) && IsInWallMember(b))
            inWall.insert(b);
    }
    if (KindMatches(kind, KIND_WALL))
        for (POSITION pos = m_pSelectWallList->GetHeadPosition(); pos != nullptr;)
            walls.insert(m_pSelectWallList->GetNext(pos));
    if (KindMatches(kind, KIND_PLANE))
        for (POSITION pos = m_pSelectPlaneList->GetHeadPosition(); pos != nullptr;)
            planes.insert(m_pSelectPlaneList->GetNext(pos));

    // Only objects of the model count (a stale selection entry is simply dropped from it).
    auto keepListed = [](Set& set, CObList* list) {
        Set listed;
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
            if (CObject* o = list->GetNext(pos); set.count(o) != 0)
                listed.insert(o);
        set.swap(listed);
    };
    keepListed(nodes, s.m_pNodeList);
    keepListed(beams, s.m_pBeamList);
    keepListed(walls, s.m_pWallList);
    keepListed(planes, s.m_pPlaneList);

    // What depends on a deleted object goes with it, so no remaining object refers to one.
    auto endGone = [&](CBeamBase* b) { return nodes.count(b->GetNode1()) != 0 || nodes.count(b->GetNode2()) != 0; };
    auto anyNodeGone = [&](CPNodeList* list) {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
            if (nodes.count(list->GetNext(pos)) != 0)
                return true;
        return false;
    };
    if (!nodes.empty())
    {
        for (POSITION pos = s.m_pWallList->GetHeadPosition(); pos != nullptr;)
            if (CWall* w = s.m_pWallList->GetNextT(pos); anyNodeGone(w->GetVexNodeList()))
                walls.insert(w);
        for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr;)
            if (CBeamBase* b = s.m_pBeamList->GetNextT(pos); endGone(b))
                beams.insert(b);
    }
    for (CBeamList* list : {s.m_pBCInWallList1, s.m_pBCInWallList2})
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
        {
            CBeamBase* b = list->GetNextT(pos);
            CWall* owner = nullptr;
            if (b->toBeamInWall() != nullptr)
                owner = b->toBeamInWall()->m_pWall;
            else if (b->toColumnInWall() != nullptr)
                owner = b->toColumnInWall()->m_pWall;
            if (endGone(b) || (owner != nullptr && walls.count(owner) != 0))
                inWall.insert(b);
        }
    {
        Set listed;
        for (CBeamList* list : {s.m_pBCInWallList1, s.m_pBCInWallList2})
            for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
                if (CObject* o = list->GetNext(pos); inWall.count(o) != 0)
                    listed.insert(o);
        inWall.swap(listed);
    }
    for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;)
    {
        CPlane* p = s.m_pPlaneList->GetNextT(pos);
        bool gone = anyNodeGone(p->m_pVexNodeList) || anyNodeGone(p->m_pNodeList);
        for (POSITION e = p->m_pBeamList->GetHeadPosition(); e != nullptr && !gone;)
            gone = beams.count(p->m_pBeamList->GetNext(e)) != 0;
        if (gone)
            planes.insert(p);
    }
    // Secondary beams leave with their room; otherwise they go when selected or unsupported.
    std::vector<std::pair<CPlane*, Set>> subByPlane;
    for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;)
    {
        CPlane* p = s.m_pPlaneList->GetNextT(pos);
        if (planes.count(p) != 0)
            continue;
        Set gone;
        for (POSITION e = p->m_pSubBeamList->GetHeadPosition(); e != nullptr;)
        {
            CBeamBase* b = p->m_pSubBeamList->GetNextT(e);
            if (subBeams.count(b) != 0 || endGone(b))
                gone.insert(b);
        }
        if (!gone.empty())
            subByPlane.emplace_back(p, std::move(gone));
    }
    Set allSub;
    for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;)
    {
        CPlane* p = s.m_pPlaneList->GetNextT(pos);
        if (planes.count(p) != 0)
            for (POSITION e = p->m_pSubBeamList->GetHeadPosition(); e != nullptr;)
                allSub.insert(p->m_pSubBeamList->GetNext(e));
    }
    for (auto& ps : subByPlane)
        allSub.insert(ps.second.begin(), ps.second.end());

    // Every object leaving the model, for the lists that only refer to objects.
    Set members(beams);
    members.insert(inWall.begin(), inWall.end());
    members.insert(allSub.begin(), allSub.end());
    Set everything(members);
    everything.insert(nodes.begin(), nodes.end());
    everything.insert(walls.begin(), walls.end());
    everything.insert(planes.begin(), planes.end());
    if (everything.empty())
        return;

    // Reference lists first, owning lists last, so undo restores owners before referrers.
    undo.RemoveFromList(m_pSelectNodeList, nodes, false);
    undo.RemoveFromList(m_pSelectBeamList, members, false);
    undo.RemoveFromList(m_pSelectWallList, walls, false);
    undo.RemoveFromList(m_pSelectPlaneList, planes, false);
    for (POSITION pos = s.m_pFloorList->GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = s.m_pFloorList->GetNextT(pos);
        undo.RemoveFromList(f->m_pNodeList, nodes, false);
        undo.RemoveFromList(f->m_pBeamList, members, false);
        undo.RemoveFromList(f->m_pDisplayBeamList, members, false);
        undo.RemoveFromList(f->m_pWallList, walls, false);
        undo.RemoveFromList(f->m_pDisplayWallList, walls, false);
        undo.RemoveFromList(f->m_pPlaneList, planes, false);
    }
    for (POSITION pos = s.m_pBeamGroupList->GetHeadPosition(); pos != nullptr;)
        undo.RemoveFromList(s.m_pBeamGroupList->GetNextT(pos)->m_pBeamList, members, false);
    for (POSITION pos = s.m_pWallList->GetHeadPosition(); pos != nullptr;)
        if (CWall* w = s.m_pWallList->GetNextT(pos); walls.count(w) == 0)
            undo.RemoveFromList(w->GetEdgeBeamList(), members, false);
    for (auto& ps : subByPlane)
        undo.RemoveFromList(ps.first->m_pSubBeamList, ps.second, true);
    undo.RemoveFromList(s.m_pPlaneList, planes, true);
    undo.RemoveFromList(s.m_pBCInWallList1, inWall, true);
    undo.RemoveFromList(s.m_pBCInWallList2, inWall, true);
    undo.RemoveFromList(s.m_pBeamList, beams, true);
    undo.RemoveFromList(s.m_pWallList, walls, true);
    undo.RemoveFromList(s.m_pNodeList, nodes, true);
}
