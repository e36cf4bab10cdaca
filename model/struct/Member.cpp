#include <vyr/model/struct/Member.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/material/material.h>
#include <vyr/model/record/Code.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/Floor.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/LoadCase.h>
#include <vyr/model/struct/Plane.h>


IMPLEMENT_DYNAMIC(CMemberBase, CObject)
IMPLEMENT_DYNAMIC(CBeamBase, CMemberBase)
IMPLEMENT_DYNAMIC(CBeam, CBeamBase)
IMPLEMENT_DYNAMIC(CSubBeam, CBeamBase)
IMPLEMENT_DYNAMIC(CBeamInWall, CBeamBase)
IMPLEMENT_DYNAMIC(CColumnInWall, CBeamBase)
IMPLEMENT_DYNAMIC(CWallBeam, CMemberBase)
IMPLEMENT_DYNAMIC(CBeamGroup, CObject)
IMPLEMENT_DYNAMIC(CBeamBind, CObject)
IMPLEMENT_DYNAMIC(CMemberOffset, CObject)
IMPLEMENT_DYNAMIC(CBeamBindRelease, CObject)
IMPLEMENT_DYNAMIC(CBeamRigid, CObject)
IMPLEMENT_DYNAMIC(CBeamWebHole, CObject)
IMPLEMENT_DYNAMIC(CBeamFireGroup, CObject)

CMemberLoads::CMemberLoads()
    : m_pDeadLoadList(new CLoadBeamList), m_pLiveLoadList(new CLoadBeamList),
      m_pWindLoadList{new CLoadBeamList, new CLoadBeamList, new CLoadBeamList, new CLoadBeamList}
{
}

CMemberLoads::~CMemberLoads()
{
    delete m_pDeadLoadList;
    delete m_pLiveLoadList;
    for (CLoadBeamList* l : m_pWindLoadList)
        delete l;
}

CBeamBase::CBeamBase(int no, CPNode* n1, CPNode* n2, int type) : m_pNode1(n1), m_pNode2(n2), m_nNo(no), m_nType(type)
{
    m_nId = no;
}

CBeamBase::~CBeamBase()
{
    delete m_pCheck;
    delete m_pCheckResult;
    delete m_pConcreteResult;
    delete m_pWebHole;
}

double CBeamBase::GetLength() const
{
    if (m_pNode1 == nullptr || m_pNode2 == nullptr)
        return 0.0;
    return m_pNode1->m_pt.GetDist(m_pNode2->m_pt);
}

double CBeamBase::GetXAngle() const
{
    if (m_pNode1 == nullptr || m_pNode2 == nullptr)
        return 0.0;
    return m_pNode1->m_pt.GetXY().GetAngle(m_pNode2->m_pt.GetXY());
}

CVector3D CBeamBase::GetVector1() const
{
    if (m_pNode1 == nullptr || m_pNode2 == nullptr)
        return CVector3D();
    CVector3D v = m_pNode2->m_pt - m_pNode1->m_pt;
    v.Normalize();
    return v;
}

CVector3D CBeamBase::GetVector2() const
{
    const CVector3D a1 = GetVector1();
    if (a1.GetLength() == 0.0)
        return CVector3D();
    const CVector3D z(0.0, 0.0, 1.0);
    CVector3D a2 = z - a1 * (z | a1);
    if (a2.GetLength() < 1e-6)
        return CVector3D(1.0, 0.0, 0.0);
    a2.Normalize();
    return a2;
}

CVector3D CBeamBase::GetVector3() const
{
    CVector3D a3 = GetVector1() & GetVector2();
    a3.Normalize();
    return a3;
}

void CBeamBase::GetLToGMatrix(double m[9]) const
{
    // Columns are the local axes, so M x (a1, a2, a3) = a1 e1 + a2 e2 + a3 e3.
    const CVector3D e[3] = {GetVector1(), GetVector2(), GetVector3()};
    for (int c = 0; c < 3; ++c) {
        m[0 * 3 + c] = e[c].x;
        m[1 * 3 + c] = e[c].y;
        m[2 * 3 + c] = e[c].z;
    }
}

void CBeamBase::SetStationResult(int caseType, int component, const CStationValues& values)
{
    if (component < 0 || component >= STATION_COMPONENTS)
        return;
    m_mapStation[caseType][(size_t)component] = values;
}

const CBeamBase::CStationValues* CBeamBase::GetStationResult(int caseType, int component) const
{
    if (component < 0 || component >= STATION_COMPONENTS)
        return nullptr;
    auto it = m_mapStation.find(caseType);
    return it == m_mapStation.end() ? nullptr : &it->second[(size_t)component];
}

CBeamBase::CStationValues CBeamBase::CombineStations(int component, const CLoadCombination* lc) const
{
    CStationValues sum{};
    if (lc == nullptr)
        return sum;
    for (const auto& [type, factor] : lc->GetCaseFactors())
        if (const CStationValues* v = GetStationResult(type, component))
            for (int i = 0; i < kStations; ++i)
                sum[(size_t)i] += factor * (*v)[(size_t)i];
    return sum;
}

void CBeamBase::CoverStations(int component, CLCList* combinations, CStationValues& maxima, CStationValues& minima) const
{
    maxima.fill(0.0f);
    minima.fill(0.0f);
    bool first = true;
    if (combinations == nullptr)
        return;
    for (POSITION pos = combinations->GetHeadPosition(); pos != nullptr;) {
        const CStationValues v = CombineStations(component, combinations->GetNextT(pos));
        for (size_t i = 0; i < (size_t)kStations; ++i) {
            maxima[i] = first ? v[i] : std::max(maxima[i], v[i]);
            minima[i] = first ? v[i] : std::min(minima[i], v[i]);
        }
        first = false;
    }
}

void CBeamBase::FillCurrentForce(int component, const CLoadCombination* lc, float* f, float* f1) const
{
    if (component == kDeflections) {
        // The displaced shape stands on the end nodes' displacements under the same combination.
        for (CPNode* n : {m_pNode1, m_pNode2})
            if (n != nullptr)
                n->FillCurDisp(const_cast<CLoadCombination*>(lc));
        const CStationValues d2 = CombineStations(STATION_D2, lc), d3 = CombineStations(STATION_D3, lc);
        std::copy(d2.begin(), d2.end(), f);
        std::copy(d3.begin(), d3.end(), f1);
        return;
    }
    const CStationValues v = component >= STATION_N && component <= STATION_M3 ? CombineStations(component, lc) : CStationValues{};
    std::copy(v.begin(), v.end(), f);
}

void CBeamBase::FillCoverForce(int component, float* f, float* f1) const
{
    CStationValues maxima{}, minima{};
    if (component >= STATION_N && component <= STATION_M3)
        CoverStations(component, m_pCoverLCList, maxima, minima);
    std::copy(maxima.begin(), maxima.end(), f);
    std::copy(minima.begin(), minima.end(), f1);
}

void CBeamBase::SetSection(CSectionBase* sec, CBeamGroupList* groups, CMatrix2D* plan)
{
    m_pSection = sec;
    delete m_pCheck;
    m_pCheck = nullptr;
    delete m_pCheckResult;
    m_pCheckResult = nullptr;
    delete m_pConcreteResult;
    m_pConcreteResult = nullptr;
    if (CBeam* beam = toBeam()) {
        beam->SetAliegn();
        if (plan != nullptr)
            beam->AdjustCornice(*plan);
    }
    // A group's members share its section.
    if (groups != nullptr && m_nGroupId >= 1 && m_nGroupId <= (int)groups->GetCount())
    {
        CBeamGroup* g = groups->Get(m_nGroupId);
        if (g->m_pSection != sec)
        {
            g->m_pBeamList->DetachBeam(this);
            m_nGroupId = 0;
        }
    }
}

void CBeamBase::SetSection(CSectionBase* sec, CGlobalData* data)
{
    CStruct* st = data != nullptr ? data->Struct() : nullptr;
    SetSection(sec, st != nullptr ? st->m_pBeamGroupList : nullptr, data != nullptr ? &data->Matrix2D() : nullptr);
}

void CBeamBase::GetBeamBindRelease(int& s2, int& s3, int& e2, int& e3) const
{
    s2 = s3 = e2 = e3 = 0;
    if (m_pRelease == nullptr)
        return;
    s2 = m_pRelease->m_nFlag[0] ? 1 : 0;
    s3 = m_pRelease->m_nFlag[1] ? 1 : 0;
    e2 = m_pRelease->m_nFlag[2] ? 1 : 0;
    e3 = m_pRelease->m_nFlag[3] ? 1 : 0;
}

CString CBeamBase::GetTypeDescription()
{
    switch (m_nType)
    {
    case 1: return "柱";
    case 2: return "主梁";
    case 3: return "支撑";
    case 5: return "次梁";
    case 6: return "虚杆";
    case 9: return "斜柱";
    case 10: return "拉杆";
    case 11: return "连梁";
    case 12: return "墙肢";
    case 13: return "檩条";
    case 14: return "墙梁";
    case 15: return "系杆";
    case 16: return "隅撑";
    default: return "杆件";
    }
}

CBeam::~CBeam()
{
    for (INT_PTR i = 0; i < m_arrCraneBeamLoad.GetSize(); ++i)
        delete m_arrCraneBeamLoad.GetAt(i);
}

float CBeam::GetTemperatureN(float t) const
{
    constexpr float kSteelExpansion = 1.2e-5f; // per degree
    CSectionBase* sec = m_pSection;
    return sec != nullptr ? -kSteelExpansion * sec->GetE() * sec->GetA1() * t : 0.0f;
}

CString CBeam::GetDescription()
{
    CString s;
    s.Format("杆件%d", m_nNo);
    return s;
}

CString CSubBeam::GetDescription()
{
    CString s;
    s.Format("次梁%d", m_nSubNo);
    return s;
}

void CInWallOutline::SetOutline(const CPoint3D& p1, const CPoint3D& p2, const CPoint3D& p3, const CPoint3D& p4, float planWidth)
{
    m_ptCorner[0] = p1;
    m_ptCorner[1] = p2;
    m_ptCorner[2] = p3;
    m_ptCorner[3] = p4;
    m_fPlanWidth = planWidth;
    m_bOutline = true;
}

CPoint3D CInWallOutline::Corner(int i, const CPNode* n1, const CPNode* n2) const
{
    VYR_CHECK(i >= 1 && i <= 4, "corner of a member in a wall: index out of 1 to 4");
    if (m_bOutline)
        return m_ptCorner[i - 1];
    const CPNode* n = (i == 1 || i == 4) ? n1 : n2;
    return n != nullptr ? n->m_pt : CPoint3D();
}

CString CBeamInWall::GetDescription()
{
    CString s;
    s.Format("连梁%d", m_nNo);
    return s;
}

CString CColumnInWall::GetDescription()
{
    CString s;
    s.Format("墙肢%d", m_nNo);
    return s;
}

void CBeamList::SetSelect(int s)
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        GetNextT(pos)->SetSelect(s);
}

CBeamGroup::CBeamGroup() : m_pBeamList(new CBeamList) {}

CBeamGroup::~CBeamGroup()
{
    delete m_pBeamList;
}

CString CBeamGroup::GetTypeDescription() const
{
    switch (m_nType)
    {
    case BEAMTYPE_COLUMN: return "柱";
    case BEAMTYPE_BEAM: return "主梁";
    case BEAMTYPE_BRACE: return "支撑";
    case BEAMTYPE_SUBBEAM: return "次梁";
    default: return "杆件";
    }
}

float CBeamGroup::GetLength(int selected) const
{
    double total = 0.0;
    for (POSITION pos = m_pBeamList->GetHeadPosition(); pos != nullptr;)
    {
        CBeamBase* b = m_pBeamList->GetNextT(pos);
        if (selected == 0 || b->GetSelect() != 0)
            total += b->GetLength();
    }
    return (float)total;
}

float CBeamGroup::GetWeight(int selected) const
{
    if (m_pSection == nullptr)
        return 0.0f;
    // The section answers kg per cm: times 100 gives kg/m, times the length in metres
    // gives kg, in tonnes.
    const float kgPerMetre = m_pSection->GetSteelMass() * 100.0f;
    return kgPerMetre * (GetLength(selected) * 0.01f) * 0.001f;
}

float CBeamGroup::GetConcreteVolume(int selected) const
{
    if (m_pSection == nullptr)
        return 0.0f;
    // cm2 times cm, in m3.
    return m_pSection->GetConcreteA() * GetLength(selected) * 1e-6f;
}

float CBeamGroup::GetUniCost() const
{
    return m_pOptDiscrete != nullptr ? m_pOptDiscrete->GetCost() : 0.0f;
}

float CBeamGroup::GetUniConcreteCost() const
{
    return m_pOptDiscrete != nullptr ? m_pOptDiscrete->GetConcreteCost() : 0.0f;
}

int CBeamGroup::GetSecType() const
{
    return m_pSection != nullptr ? m_pSection->GetType() : 0;
}

int CBeamGroup::GetMType() const
{
    return m_pSection != nullptr && m_pSection->m_pMaterial != nullptr ? m_pSection->m_pMaterial->GetType() : 0;
}

float CBeamGroup::GetCost(int selected) const
{
    return GetWeight(selected) * GetUniCost() + GetConcreteVolume(selected) * GetUniConcreteCost();
}

void CBeamGroupList::Add(CBeamGroup* g)
{
    AddTail(g);
    g->m_nNo = (int)GetCount();
}

CBeamGroup* CBeamGroupList::IsOldBeamGroup(CBeamGroup* g, int& flag) const
{
    flag = 1;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        CBeamGroup* e = GetNextT(pos);
        if (e != g && e->m_nType == g->m_nType && e->m_pSection == g->m_pSection)
        {
            flag = 0;
            return e;
        }
    }
    return nullptr;
}

CPlane* CBeamBase::GetSlabPlane() const
{
    if (const CSubBeam* sub = dynamic_cast<const CSubBeam*>(this); sub != nullptr)
        return sub->m_pPlane;
    if (m_pFloor == nullptr)
        return nullptr;
    CPlane* bare = nullptr;
    for (POSITION pos = m_pFloor->m_pPlaneList->GetHeadPosition(); pos != nullptr;)
    {
        CPlane* p = m_pFloor->m_pPlaneList->GetNextT(pos);
        if (!p->m_pBeamList->Contains(this))
            continue;
        if (p->m_pBan != nullptr)
            return p;
        bare = bare != nullptr ? bare : p;
    }
    return bare;
}

float CBeamBase::VyrComBeamPinDesign(CLCList*, CPinNailGroup* group, int& code, CMaterialBase* concrete)
{
    if (m_bPinDesignGiven) {
        code = m_nPinDesignCode;
        return m_fPinDesignSpacing;
    }
    code = 0;
    CPlane* plane = GetSlabPlane();
    if (plane == nullptr || plane->m_pBan == nullptr)
    {
        code = 2;
        return 0.0f;
    }
    if (plane->m_pBarGroup[1] == nullptr)
    {
        code = 3;
        return 0.0f;
    }
    if (group == nullptr || group->m_nDiameter <= 0 || m_pSection == nullptr || GetLength() <= 0.0)
        return 0.0f;

    // Strengths in N/mm2; the material keeps them in kN/cm2.
    const double fc = concrete != nullptr && concrete->Get_fc() > 0.0f ? concrete->Get_fc() * 10.0 : 14.3;
    const double ec = concrete != nullptr && concrete->GetE() > 0.0f ? concrete->GetE() * 10.0 : 30000.0;
    const double as = 3.14159265358979323846 * group->m_nDiameter * group->m_nDiameter / 4.0; // mm2
    double nv = 0.0;                                                                         // kN per stud
    if (group->m_nCapacityMode == 1)
        nv = group->m_fCapacity;
    else
        nv = std::min(0.43 * as * std::sqrt(ec * fc), 0.7 * as * 1.67 * 215.0) * 1e-3;
    if (nv <= 0.0)
        return 0.0f;

    // Longitudinal shear over half the span: the smaller of the steel's and the slab's
    // capacity (effective width a third of the span).
    const double length = GetLength();                                       // cm
    const double steel = m_pSection->GetArea() * 21.5;                       // kN
    const double slab = (length / 3.0) * (plane->m_pBan->m_fThick * 0.1) * fc * 0.1; // kN
    const double vs = std::min(steel, slab);
    const int rows = std::max(group->m_nRows, 1);
    const double studs = std::ceil(vs / (nv * rows));
    const float spacing = studs > 0.0 ? (float)(length * 0.5 / studs) : (float)(length * 0.5);

    if (const CBanSteel* deck = dynamic_cast<const CBanSteel*>(plane->m_pBan); deck != nullptr)
        if (group->m_nHeight < deck->m_nRibH + 30)
            code = 1;
    return spacing;
}

// ---- member-end definitions and their libraries

namespace {

template <class List>
void RenumberEndDefinitions(List& list)
{
    int no = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        list.GetNextT(pos)->m_nNo = ++no;
}

template <class List>
void DeleteEndDefinition(List& list, int number)
{
    if (number < 1 || number > (int)list.GetCount())
        return;
    POSITION pos = list.FindIndex(number - 1);
    delete list.GetAt(pos);
    list.RemoveAt(pos);
    RenumberEndDefinitions(list);
}

CString ReleasedAxesText(int axis2, int axis3)
{
    if (axis2 == 0 && axis3 == 0)
        return "刚接";
    CString s;
    if (axis2 != 0)
        s += "2轴";
    if (axis3 != 0)
        s += axis2 != 0 ? "、3轴" : "3轴";
    return s;
}

} // namespace

void CBeamBindRelease::GetDescription(CString* text) const
{
    text->Format("%s 起点:%s 终点:%s", m_nType == 0 ? "自由滑动连接" : "自由转动连接",
                 ReleasedAxesText(m_nFlag[0], m_nFlag[1]).GetString(), ReleasedAxesText(m_nFlag[2], m_nFlag[3]).GetString());
}

void CMemberOffset::GetDescription(CString* text) const
{
    text->Format("首结点(2轴%g,3轴%g) 尾结点(2轴%g,3轴%g)", m_dOffset[0], m_dOffset[1], m_dOffset[2], m_dOffset[3]);
}

void CBeamRigid::GetDescription(CString* text) const
{
    text->Format("%s ei1=%g ej1=%g", IsExtending() ? "外伸" : "缩进", std::fabs(m_dStart), std::fabs(m_dEnd));
}

bool CBeamBindReleaseList::Add(CBeamBindRelease*& p)
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
        const CBeamBindRelease* e = GetNextT(pos);
        if (e->m_nType == p->m_nType && std::equal(e->m_nFlag, e->m_nFlag + 4, p->m_nFlag))
            return false;
    }
    AddTail(p);
    p->m_nNo = (int)GetCount();
    return true;
}

void CBeamBindReleaseList::Delete(int number) { DeleteEndDefinition(*this, number); }

void CMemberOffsetList::Add(CMemberOffset*& p)
{
    AddTail(p);
    p->m_nNo = (int)GetCount();
}

void CMemberOffsetList::Delete(int number) { DeleteEndDefinition(*this, number); }

bool CBeamRigidList::Add(CBeamRigid* p)
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
        const CBeamRigid* e = GetNextT(pos);
        if (e->m_dStart == p->m_dStart && e->m_dEnd == p->m_dEnd)
            return false;
    }
    AddTail(p);
    p->m_nNo = (int)GetCount();
    return true;
}

void CBeamRigidList::Delete(int number) { DeleteEndDefinition(*this, number); }
