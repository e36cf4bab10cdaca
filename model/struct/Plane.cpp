#include <vyr/model/struct/Plane.h>

#include <vyr/model/material/MaterialBase.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Load.h>

#include <algorithm>
#include <cmath>
#include <unordered_set>

IMPLEMENT_DYNAMIC(CHole, CObject)
IMPLEMENT_DYNAMIC(CHoleRect, CHole)
IMPLEMENT_DYNAMIC(CHoleCircle, CHole)
IMPLEMENT_DYNAMIC(CPlane, CObject)
IMPLEMENT_DYNAMIC(CWall, CMemberBase)

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

CPoint3D CHoleRect::GetVexPt(int i) const
{
    bool placed = false;
    for (int k = 0; k < (int)m_arrCorner.GetSize(); ++k)
        placed = placed || m_arrCorner[k].x != 0.0 || m_arrCorner[k].y != 0.0 || m_arrCorner[k].z != 0.0;
    if (!placed || i < 1 || i > (int)m_arrCorner.GetSize())
        return CHole::GetVexPt(i);
    return m_arrCorner[i - 1];
}

CHoleRect::CHoleRect(double X, double Y, double height, double width, double angle, int edge, CPlane* room)
    : CHoleRect()
{
    m_dX = X;
    m_dY = Y;
    m_dV = height;
    m_dH = width;
    m_dAngle = angle;
    m_nRefEdge = edge;
    const CPNode* first = room != nullptr ? room->m_pVexNodeList->GetHeadT() : nullptr;
    if (first == nullptr)
        return;
    const double c = std::cos(angle), s = std::sin(angle);
    const CPoint3D p0(first->m_pt.x + X, first->m_pt.y + Y, first->m_pt.z);
    const CPoint3D p1(p0.x + width * c, p0.y + width * s, p0.z);
    m_arrCorner[0] = p0;
    m_arrCorner[1] = p1;
    m_arrCorner[2] = CPoint3D(p1.x - height * s, p1.y + height * c, p0.z);
    m_arrCorner[3] = CPoint3D(p0.x - height * s, p0.y + height * c, p0.z);
}

CHoleCircle::CHoleCircle(const CPoint3D& base, double X, double Y, double r) : CHoleCircle()
{
    m_dX = X;
    m_dY = Y;
    m_dR = r;
    m_ptCenter = CPoint3D(base.x + X, base.y + Y, base.z);
}

CHoleCircle& CHoleCircle::operator=(const CHole& o)
{
    CHole::operator=(o);
    if (const CHoleCircle* c = dynamic_cast<const CHoleCircle*>(&o); c != nullptr && c != this)
    {
        m_ptCenter.x = c->m_ptCenter.x;
        m_ptCenter.y = c->m_ptCenter.y;
        m_ptCenter.z = c->m_ptCenter.z;
        m_dR = c->m_dR;
        m_fSeg = c->m_fSeg;
        m_fRes = c->m_fRes;
    }
    return *this;
}

double CHoleCircle::GetArea()
{
    return 3.14159265358979323846 * m_dR * m_dR;
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

namespace {

// Loads in kN/m2, lengths in mm unless named, strengths in N/mm2.
constexpr double kDeadFactor = 1.3;
constexpr double kLiveFactor = 1.5;
constexpr double kConstructionLoad = 1.5; // workers and equipment on the bare sheet
constexpr double kSteelUnitWeight = 78.5; // kN/m3

// Unit weight of the concrete (kN/m3) from its stored density (kg/cm3 x 1e-6 as stored, i.e.
// kg/cm3); 25 without a material.
double ConcreteUnitWeight(CMaterialBase* concrete)
{
    const double rho = concrete != nullptr ? concrete->GetDensity() : 0.0; // kg/cm3
    return rho > 0.0 ? rho * 1e6 * 0.01 : 25.0;
}

double ConcreteStrength(CMaterialBase* concrete)
{
    return concrete != nullptr && concrete->Get_fc() > 0.0f ? concrete->Get_fc() * 10.0 : 14.3;
}

// The slab's design span (m): its longest span, 3 m for a slab type without spans (the
// diagram editor's default).
double DesignSpan(CBan* ban)
{
    double l = 0.0;
    for (INT_PTR i = 0; i < ban->m_SpanArray.GetSize(); ++i)
        l = std::max(l, ban->m_SpanArray[i]);
    return l > 0.0 ? l * 0.01 : 3.0;
}

// Yield strength of the slab bar grades 0 to 2 ("一级钢", "二级钢", "三级钢").
double BarYield(int grade)
{
    switch (grade) {
    case 1: return 300.0;
    case 2: return 360.0;
    default: return 270.0;
    }
}

// Moment resistance (kN.m per metre width) of a bar group in a slab of depth h with the
// given cover: rectangular stress block, As fy = fc b x.
double BarMoment(const CPlateSteelBarGroup& g, double h, double cover, double fc)
{
    if (g.m_nDiameter <= 0 || g.m_nSpace <= 0)
        return 0.0;
    const double fy = BarYield(g.m_nGrade);
    const double as = M_PI * g.m_nDiameter * g.m_nDiameter / 4.0 * 1000.0 / g.m_nSpace;
    const double h0 = h - cover - g.m_nDiameter / 2.0;
    const double x = fy * as / (fc * 1000.0);
    if (h0 <= 0.0 || x >= h0)
        return 0.0;
    return fy * as * (h0 - x / 2.0) * 1e-6;
}

} // namespace

// One metre wide strip over the longest span, simply supported: M = q L^2 / 8 with
// q = 1.3 (slab weight + dead load) + 1.5 live load. a = M, b and c = the resistance of the
// positive (slot 1) and negative (slot 2) bars, d = M / b, e = M / c. A two-way slab is
// checked as its strip too, with its first two groups.
bool CPlane::Check(float& a, float& b, float& c, float& d, float& e, CMaterialBase* concrete)
{
    a = b = c = d = e = 0.0f;
    if (m_pBan == nullptr || IsAllHole())
        return false;
    // A two-way slab needs its four bar groups, a one-way or deck slab the first two.
    const int need = m_nSubBeamDir == 0 ? 4 : 2;
    for (int i = 0; i < need; ++i)
        if (m_pBarGroup[i] == nullptr)
            return false;
    const double h = m_pBan->m_fThick;
    const double dead = ConcreteUnitWeight(concrete) * h * 1e-3 + (m_pDeadLoad != nullptr ? m_pDeadLoad->m_fValue : 0.0);
    const double live = m_pLiveLoad != nullptr ? m_pLiveLoad->m_fValue : 0.0;
    const double l = DesignSpan(m_pBan);
    const double m = (kDeadFactor * dead + kLiveFactor * live) * l * l / 8.0;
    const double fc = ConcreteStrength(concrete);
    const double mPos = BarMoment(*m_pBarGroup[0], h, m_fCover, fc);
    const double mNeg = BarMoment(*m_pBarGroup[1], h, m_fCover, fc);
    a = (float)m;
    b = (float)mPos;
    c = (float)mNeg;
    if (mPos <= 0.0 || mNeg <= 0.0)
        return false;
    d = (float)(m / mPos);
    e = (float)(m / mNeg);
    return m <= mPos && m <= mNeg;
}

float CPlane::ComputeForce(float& m1, float& m2, CMaterialBase*)
{
    m1 = m_fMoment[2];
    m2 = m_fMoment[0];
    return std::max(std::fabs(m1), std::fabs(m2));
}

float CPlane::ComputeForce(float& a1, float& a2, float& a3, float& a4)
{
    a1 = m_fMoment[0];
    a2 = m_fMoment[1];
    a3 = m_fMoment[2];
    a4 = m_fMoment[3];
    return std::max(std::max(std::fabs(a1), std::fabs(a2)), std::max(std::fabs(a3), std::fabs(a4)));
}

// Each moment on a metre-wide strip: As = |M| / (0.9 fy h0) with h0 = h - cover - 5 (half a
// 10 mm bar). The strip carries at most 0.35 fc b h0^2; beyond that the slab is too thin.
bool CPlane::Design(int grade, float& xPositive, float& xNegative, float& yPositive, float& yNegative,
                    CMaterialBase* concrete)
{
    float* areas[4] = {&xPositive, &xNegative, &yPositive, &yNegative};
    for (float* a : areas)
        *a = 0.0f;
    if (m_pBan == nullptr)
        return false;
    const double h0 = m_pBan->m_fThick - m_fCover - 5.0;
    if (!(h0 > 0.0))
        return false;
    const double fy = BarYield(grade);
    const double limit = 0.35 * ConcreteStrength(concrete) * 1000.0 * h0 * h0 * 1e-6; // kN.m/m
    const float moments[4] = {m_fMoment[0], m_fMoment[2], m_fMoment[1], m_fMoment[3]};
    double need[4];
    for (int i = 0; i < 4; ++i) {
        const double m = std::fabs((double)moments[i]);
        if (!(m <= limit))
            return false;
        need[i] = m * 1e6 / (0.9 * fy * h0);
    }
    for (int i = 0; i < 4; ++i)
        *areas[i] = (float)need[i];
    return true;
}

int CPlane::SetCondition()
{
    if (m_nTwoWayBound < 0 || m_nTwoWayBound > 8)
        m_nTwoWayBound = 0;
    return m_nTwoWayBound;
}

// The bare sheet over the longest span carries the wet concrete (Hc plus the rib height),
// its own weight and the construction load: ratio = (q L^2 / 8) / (f Wef), with f of the
// sheet's steel (Q235's 215 N/mm2 without one). A slab without a sheet has nothing to check.
bool CPlane::ConstructCheck(float& ratio, CMaterialBase* concrete)
{
    ratio = 0.0f;
    if (m_pBan == nullptr)
        return false;
    CBanSteel* deck = dynamic_cast<CBanSteel*>(m_pBan);
    if (deck == nullptr)
        return true;
    if (!(deck->m_fWef > 0.0f))
        return false;
    const double wet = ConcreteUnitWeight(concrete) * (deck->m_fThick + deck->m_nRibH) * 1e-3;
    const double sheet = kSteelUnitWeight * deck->m_fSheetT * 1e-3;
    const double q = kDeadFactor * (wet + sheet) + kLiveFactor * kConstructionLoad;
    const double l = DesignSpan(deck);
    const double m = q * l * l / 8.0; // kN.m per metre
    const double f = deck->m_pSheetMaterial != nullptr && deck->m_pSheetMaterial->Get_f() > 0.0f
                         ? deck->m_pSheetMaterial->Get_f() * 10.0
                         : 215.0;
    const double resist = f * deck->m_fWef * 1e-3; // N/mm2 x cm3 = 1e-3 kN.m
    ratio = (float)(m / resist);
    return m <= resist;
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

CString CPlane::GetBanText() const
{
    if (m_pBan == nullptr)
        return CString();
    CString text;
    if (m_pBan->m_strName.IsEmpty())
        text.Format("B%d(%.0fmm)", m_pBan->m_nNo, (double)m_pBan->m_fThick);
    else
        text.Format("%s(%.0fmm)", m_pBan->m_strName.GetString(), (double)m_pBan->m_fThick);
    return text;
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

void CPlane::GetVertexList(CPNodeList* list) const
{
    if (list == nullptr)
        return;
    list->RemoveAll();
    for (POSITION pos = m_pVexNodeList->GetHeadPosition(); pos != nullptr;)
        list->AddTail(m_pVexNodeList->GetNextT(pos));
}

// ---- secondary beams

namespace {

// The placement sides of a layout: reference and far corner of each (indices from 0) and
// the boundary side each lies on.
struct SubBeamSides
{
    int ref1, far1, side1, ref2, far2, side2;
};

SubBeamSides SubBeamPlacement(int corners, int direction)
{
    if (corners == 3)
    {
        switch (direction)
        {
        case 0: return {1, 2, 1, 0, 2, 2};
        case 1: return {2, 0, 2, 1, 0, 0};
        default: return {0, 1, 0, 2, 1, 1};
        }
    }
    return direction == 1 ? SubBeamSides{0, 1, 0, 3, 2, 2} : SubBeamSides{1, 2, 1, 0, 3, 3};
}

// Two layouts of neighbouring rooms meet in one node when their points lie this close
// (model units).
constexpr double kSubBeamNodeTol = 1e-3;

CPNode* SubBeamNodeAt(const CPNodeList* list, const CPoint3D& p)
{
    if (list == nullptr)
        return nullptr;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
    {
        CPNode* n = list->GetNextT(pos);
        if (std::fabs(n->m_pt.x - p.x) < kSubBeamNodeTol && std::fabs(n->m_pt.y - p.y) < kSubBeamNodeTol &&
            std::fabs(n->m_pt.z - p.z) < kSubBeamNodeTol)
            return n;
    }
    return nullptr;
}

// The height of a plan point on a side: along the side's member nearest to it, so a sloped
// room gets its beams in its own plane; the reference corner's height without members.
double SubBeamHeight(const CPlane& room, const CPoint2D& p, int firstMember, int members, int refCorner)
{
    double z = 0.0;
    if (const CPNode* v = room.m_pVexNodeList->Get(refCorner + 1); v != nullptr)
        z = v->m_pt.z;
    double best = 1e300;
    for (int m = firstMember; m < firstMember + members; ++m)
    {
        const CBeamBase* b = room.m_pBeamList->Get(m + 1);
        if (b == nullptr || b->GetNode1() == nullptr || b->GetNode2() == nullptr)
            continue;
        const CPoint3D a = b->GetNode1()->m_pt, e = b->GetNode2()->m_pt;
        const double dx = e.x - a.x, dy = e.y - a.y, len2 = dx * dx + dy * dy;
        double t = len2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double d = DPP(p, CPoint2D(a.x + t * dx, a.y + t * dy));
        if (d < best)
        {
            best = d;
            z = a.z + t * (e.z - a.z);
        }
    }
    return z;
}

} // namespace

void CPlane::DivideSubBeam(double* pos1, double* pos2, int n, CPoint2D* corners, int direction, int* sideBeams,
                           CStruct* pStruct)
{
    const int nCorners = GetEdgeNum() == 3 ? 3 : 4;
    m_nSubBeamDir = 0;
    if (n <= 0 || pStruct == nullptr)
        return;
    const SubBeamSides ps = SubBeamPlacement(nCorners, direction);
    int firstMember[4] = {0, 0, 0, 0};
    for (int k = 1; k < nCorners; ++k)
        firstMember[k] = firstMember[k - 1] + sideBeams[k - 1];

    int nodeNo = 0;
    for (POSITION pos = pStruct->m_pNodeList->GetHeadPosition(); pos != nullptr;)
        nodeNo = std::max(nodeNo, pStruct->m_pNodeList->GetNextT(pos)->m_nNo);
    int beamNo = 0, subNo = 0;
    {
        CBeamList all;
        pStruct->GetAllBeams(all);
        for (POSITION pos = all.GetHeadPosition(); pos != nullptr;)
        {
            const CBeamBase* b = all.GetNextT(pos);
            beamNo = std::max(beamNo, b->GetNo());
            subNo = std::max(subNo, b->m_nSubNo);
        }
    }

    auto nodeOn = [&](int ref, int far, int side, double along) {
        const CPoint2D a = corners[ref], e = corners[far];
        const double len = DPP(a, e);
        const CPoint2D p = len > 0.0 ? a + (e - a) * (along / len) : a;
        const CPoint3D at(p.x, p.y, SubBeamHeight(*this, p, firstMember[side], sideBeams[side], ref));
        CPNode* node = SubBeamNodeAt(m_pFloor != nullptr ? m_pFloor->m_pNodeList : nullptr, at);
        if (node == nullptr)
            node = SubBeamNodeAt(pStruct->m_pNodeList, at);
        if (node == nullptr)
        {
            node = new CPNode(++nodeNo, at);
            pStruct->m_pNodeList->AddTail(node);
            if (m_pFloor != nullptr)
                m_pFloor->m_pNodeList->AddTail(node);
        }
        if (!m_pNodeList->Contains(node))
            m_pNodeList->AddTail(node);
        return node;
    };

    int laid = 0;
    for (int i = 0; i < n; ++i)
    {
        CPNode* a = nodeOn(ps.ref1, ps.far1, ps.side1, pos1[i]);
        CPNode* b = nodeOn(ps.ref2, ps.far2, ps.side2, pos2[i]);
        if (a == b)
            continue;
        CSubBeam* sub = new CSubBeam(++beamNo, a, b);
        sub->m_nSubNo = ++subNo;
        sub->m_pFloor = m_pFloor;
        sub->m_pPlane = this;
        m_pSubBeamList->AddTail(sub);
        if (m_pFloor != nullptr)
            m_pFloor->m_pDisplayBeamList->AddTail(sub);
        ++laid;
    }
    if (laid > 0)
        m_nSubBeamDir = nCorners == 3 ? direction + 1 : (direction == 1 ? 2 : 1);
}

void CPlane::DeleteSubBeams(CGlobalData& data)
{
    if (m_pSubBeamList->IsEmpty())
        return;
    CStruct& s = *data.Struct();
    std::unordered_set<const CObject*> gone;
    std::vector<CPNode*> ends;
    for (POSITION pos = m_pSubBeamList->GetHeadPosition(); pos != nullptr;)
    {
        CBeamBase* b = m_pSubBeamList->GetNextT(pos);
        gone.insert(b);
        for (CPNode* n : {b->GetNode1(), b->GetNode2()})
            if (n != nullptr && std::find(ends.begin(), ends.end(), n) == ends.end())
                ends.push_back(n);
    }
    auto dropFrom = [](CObList* list, const std::unordered_set<const CObject*>& objects) {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
        {
            const POSITION at = pos;
            if (objects.count(list->GetNext(pos)) != 0)
                list->RemoveAt(at);
        }
    };
    dropFrom(&data.SelectBeamList(), gone);
    for (POSITION pos = s.m_pFloorList->GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = s.m_pFloorList->GetNextT(pos);
        dropFrom(f->m_pBeamList, gone);
        dropFrom(f->m_pDisplayBeamList, gone);
    }
    for (POSITION pos = s.m_pBeamGroupList->GetHeadPosition(); pos != nullptr;)
        dropFrom(s.m_pBeamGroupList->GetNextT(pos)->m_pBeamList, gone);

    // A node stays while anything else stands on it, holds it as a corner or gives it a
    // support or a load.
    std::unordered_set<const CObject*> used;
    auto useEnds = [&](const CBeamList* list) {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
            if (const CBeamBase* b = list->GetNextT(pos); gone.count(b) == 0)
            {
                used.insert(b->GetNode1());
                used.insert(b->GetNode2());
            }
    };
    auto useAll = [&](const CPNodeList* list) {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
            used.insert(list->GetNextT(pos));
    };
    useEnds(s.m_pBeamList);
    useEnds(s.m_pBCInWallList1);
    useEnds(s.m_pBCInWallList2);
    for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;)
    {
        const CPlane* p = s.m_pPlaneList->GetNextT(pos);
        useEnds(p->m_pSubBeamList);
        useAll(p->m_pVexNodeList);
    }
    for (POSITION pos = s.m_pWallList->GetHeadPosition(); pos != nullptr;)
        useAll(s.m_pWallList->GetNextT(pos)->GetVexNodeList());
    std::unordered_set<const CObject*> freed;
    for (CPNode* n : ends)
    {
        const bool loaded = !n->m_pDeadLoadList->IsEmpty() || !n->m_pLiveLoadList->IsEmpty() ||
                            !n->m_pWindLoadList[0]->IsEmpty() || !n->m_pWindLoadList[1]->IsEmpty() ||
                            !n->m_pWindLoadList[2]->IsEmpty() || !n->m_pWindLoadList[3]->IsEmpty() ||
                            n->m_arrCraneLoad.GetSize() > 0;
        if (used.count(n) == 0 && n->GetSupport() == nullptr && !loaded)
            freed.insert(n);
    }
    if (!freed.empty())
    {
        dropFrom(&data.SelectNodeList(), freed);
        dropFrom(s.m_pNodeList, freed);
        for (POSITION pos = s.m_pFloorList->GetHeadPosition(); pos != nullptr;)
            dropFrom(s.m_pFloorList->GetNextT(pos)->m_pNodeList, freed);
        for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;)
            dropFrom(s.m_pPlaneList->GetNextT(pos)->m_pNodeList, freed);
        dropFrom(m_pNodeList, freed);
    }
    m_pSubBeamList->DeleteAll();
    for (CPNode* n : ends)
        if (freed.count(n) != 0)
            delete n;
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

// ---- wall openings

int CHoleRect::ChangHolePara(double dx, double dy, double h, double w, CWall* wall)
{
    m_dX = dx;
    m_dY = dy;
    m_dV = h;
    m_dH = w;
    if (wall == nullptr || wall->GetVexNodeList()->GetCount() < 2)
        return 0;
    // Along the wall's bottom edge in plan, up its height.
    const CPoint3D a = wall->GetNode(1)->m_pt, b = wall->GetNode(2)->m_pt;
    const double len = a.GetXY().GetDist(b.GetXY());
    const double ux = len > 0 ? (b.x - a.x) / len : 1.0, uy = len > 0 ? (b.y - a.y) / len : 0.0;
    const double along[4] = {dx, dx + w, dx + w, dx};
    const double up[4] = {dy, dy, dy + h, dy + h};
    m_arrCorner.SetSize(4);
    for (int c = 0; c < 4; ++c)
        m_arrCorner[c] = CPoint3D(a.x + ux * along[c], a.y + uy * along[c], a.z + up[c]);
    return 1;
}

int CWall::AddHole(CHoleRect* hole)
{
    if (hole != nullptr)
        m_pHoleList->AddTail(hole);
    return (int)m_pHoleList->GetCount();
}
