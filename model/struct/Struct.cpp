#include <vyr/model/struct/Struct.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>

CStruct::CStruct()
    : m_pStayList(new CStayList), m_pMaterialSteelList(new CMaterialList), m_pMaterialConcreteList(new CMaterialList),
      m_pSectionList(new CSectionList), m_pNodeList(new CPNodeList),
      m_pWallList(new CWallList), m_pPlaneList(new CPlaneList), m_pBeamList(new CBeamList),
      m_pBCInWallList1(new CBeamList), m_pBCInWallList2(new CBeamList), m_pFloorList(new CFloorList),
      m_pBeamGroupList(new CBeamGroupList), m_pBanSteelList(new CBanList), m_pBanConcreteList(new CBanList),
      m_pPlateSteelBarGroupList(new CPlateSteelBarGroupList), m_pPinNailGroupList(new CPinNailGroupList),
      m_pReleaseList(new CBeamBindReleaseList), m_pOffsetList(new CMemberOffsetList), m_pRigidList(new CBeamRigidList),
      m_pSupportList(new CSupportList), m_pMainNodeList(new CMainNodeList), m_pBasicLCList(new CBasicLCList),
      m_pLCList(new CLCList),
      m_pLoadSeismList(new CLoadSeismList), m_pWaveFunList(new CWaveFunList), m_pTHCaseList(new CTHCaseList),
      m_pTimeAnalyResultList(new CTimeAnalyResultList), m_pPortalList(new CPortalList),
      m_pLoadNodeDeadList(new CLoadNodeList), m_pLoadNodeLiveList(new CLoadNodeList),
      m_pLoadBeamDeadList(new CLoadBeamList), m_pLoadBeamLiveList(new CLoadBeamList),
      m_pLoadAreaDeadList(new CLoadAreaList), m_pLoadAreaLiveList(new CLoadAreaList),
      m_pLoadWindNodeList{new CLoadWindList, new CLoadWindList, new CLoadWindList, new CLoadWindList},
      m_pLoadWindBeamList{new CLoadBeamList, new CLoadBeamList, new CLoadBeamList, new CLoadBeamList},
      m_pTemperature{new CLoadTemperature, new CLoadTemperature, new CLoadTemperature, new CLoadTemperature},
      m_pCraneList(new CCraneList), m_pCraneGroupList(new CCraneGroupList)
{
    m_pSupportList->AddDefaults(CVyrProduct::Inst().Is3D() != 0);
}

CStruct::~CStruct()
{
    // Rooms first (they delete their secondary beams), then what refers to nodes, then the
    // nodes and the libraries the objects referred to.
    m_pPlaneList->DeleteAll();
    m_pBCInWallList1->DeleteAll();
    m_pBCInWallList2->DeleteAll();
    m_pBeamList->DeleteAll();
    m_pWallList->DeleteAll();
    m_pMainNodeList->DeleteAll();
    m_pNodeList->DeleteAll();
    m_pFloorList->DeleteAll();
    m_pSupportList->DeleteAll();
    m_pBasicLCList->DeleteAll();
    m_pLCList->DeleteAll();
    m_pLoadSeismList->DeleteAll();
    for (POSITION pos = m_pStayList->GetHeadPosition(); pos != nullptr;)
        delete m_pStayList->GetNext(pos);
    m_pStayList->RemoveAll();

    // Load records, after the objects that referred to them.
    for (auto* list : std::initializer_list<CObList*>{m_pLoadNodeDeadList, m_pLoadNodeLiveList, m_pLoadBeamDeadList,
                                                      m_pLoadBeamLiveList, m_pLoadAreaDeadList, m_pLoadAreaLiveList})
    {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
            delete list->GetNext(pos);
        delete list;
    }
    for (int i = 0; i < 4; ++i)
    {
        m_pLoadWindNodeList[i]->DeleteAll();
        delete m_pLoadWindNodeList[i];
        m_pLoadWindBeamList[i]->DeleteAll();
        delete m_pLoadWindBeamList[i];
        delete m_pTemperature[i];
    }
    for (CObArray* arr : {&m_arrCraneNodeLoad, &m_arrCraneBeamLoad})
    {
        // A hoist case's list holds its own load records.
        for (INT_PTR i = 0; i < arr->GetSize(); ++i)
        {
            CObList* list = static_cast<CObList*>(arr->GetAt(i));
            for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
                delete list->GetNext(pos);
            delete list;
        }
        arr->RemoveAll();
    }

    delete m_pPlaneList;
    delete m_pBCInWallList1;
    delete m_pBCInWallList2;
    delete m_pBeamList;
    delete m_pWallList;
    delete m_pMainNodeList;
    delete m_pNodeList;
    delete m_pFloorList;
    delete m_pBeamGroupList;
    delete m_pReleaseList;
    delete m_pOffsetList;
    delete m_pRigidList;
    delete m_pSupportList;
    delete m_pBasicLCList;
    delete m_pLCList;
    delete m_pLoadSeismList;
    delete m_pTimeAnalyResultList;
    delete m_pTHCaseList; // the cases refer to the wave records
    delete m_pWaveFunList;
    delete m_pPortalList;
    delete m_pCraneList;
    delete m_pCraneGroupList;
    delete m_pPinNailGroupList;
    delete m_pPlateSteelBarGroupList;
    delete m_pBanSteelList;
    delete m_pBanConcreteList;
    delete m_pSectionList;
    delete m_pStayList;
    // The default materials are elements of the concrete list.
    m_pDefaultFloorMaterial = m_pDefaultWallMaterial = nullptr;
    delete m_pMaterialSteelList;
    delete m_pMaterialConcreteList;
}

void CStruct::GetAllBeams(CBeamList& out) const
{
    out.CopyPointer(m_pBeamList);
    out.CopyPointer(m_pBCInWallList2);
    out.CopyPointer(m_pBCInWallList1);
    for (POSITION pos = m_pPlaneList->GetHeadPosition(); pos != nullptr;)
        out.CopyPointer(m_pPlaneList->GetNextT(pos)->m_pSubBeamList);
}

namespace
{
bool StructPlanPointOnAxis(const CAxis& axis, const CPoint3D& p)
{
    const CPoint2D a = axis.GetStPt(), b = axis.GetEdPt();
    const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    const double d = len == 0.0 ? std::hypot(p.x - a.x, p.y - a.y) : std::fabs(dx * (p.y - a.y) - dy * (p.x - a.x)) / len;
    return d <= CStruct::kOnAxisTolerance;
}
} // namespace

void CStruct::GetAxisBeamsAndWalls(const CAxis& axis, CBeamList* members, CWallList* walls, CBeamList* foundMembers,
                                   CWallList* foundWalls)
{
    if (members != nullptr && foundMembers != nullptr)
        for (POSITION pos = members->GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = members->GetNextT(pos);
            if (b->GetNode1() != nullptr && b->GetNode2() != nullptr && StructPlanPointOnAxis(axis, b->GetNode1()->m_pt) &&
                StructPlanPointOnAxis(axis, b->GetNode2()->m_pt))
                foundMembers->AddTail(b);
        }
    if (walls != nullptr && foundWalls != nullptr)
        for (POSITION pos = walls->GetHeadPosition(); pos != nullptr;) {
            CWall* w = walls->GetNextT(pos);
            CPNode* c1 = w->GetNode(1);
            CPNode* c2 = w->GetNode(2);
            if (c1 != nullptr && c2 != nullptr && StructPlanPointOnAxis(axis, c1->m_pt) && StructPlanPointOnAxis(axis, c2->m_pt))
                foundWalls->AddTail(w);
        }
}

void CStruct::SetUsedSection(bool bAll)
{
    for (POSITION pos = m_pSectionList->GetHeadPosition(); pos != nullptr;)
        static_cast<CSectionBase*>(m_pSectionList->GetNext(pos))->m_nUsed = 0;
    CBeamList all;
    if (bAll)
        GetAllBeams(all);
    else
        all.CopyPointer(m_pBeamList);
    for (POSITION pos = all.GetHeadPosition(); pos != nullptr;)
        if (CSectionBase* sec = all.GetNextT(pos)->GetSection(); sec != nullptr)
            sec->m_nUsed = 1;
}

int CStruct::GetUsedSectionNum(bool bAll)
{
    SetUsedSection(bAll);
    int n = 0;
    for (POSITION pos = m_pSectionList->GetHeadPosition(); pos != nullptr;)
        if (static_cast<CSectionBase*>(m_pSectionList->GetNext(pos))->m_nUsed != 0)
            ++n;
    return n;
}

float CStruct::GetTotalWeight() const
{
    double w = 0.0;
    for (POSITION pos = m_pFloorList->GetHeadPosition(); pos != nullptr;)
        w += m_pFloorList->GetNextT(pos)->GetWeight();
    return (float)w;
}

void CStruct::ComputeFloorCapacity(CFloor* f, CMainNode* pTower)
{
    if (f == nullptr)
        return;
    f->m_fX1 = f->m_fY1 = f->m_fX2 = f->m_fY2 = f->m_fX3 = f->m_fY3 = 0.0f;
    if (pTower != nullptr)
    {
        if (const CFloor::CTowerData* t = f->FindTowerData(pTower))
        {
            f->m_fX1 = t->fCapacityX[0];
            f->m_fX2 = t->fCapacityX[1];
            f->m_fX3 = t->fCapacityX[2];
            f->m_fY1 = t->fCapacityY[0];
            f->m_fY2 = t->fCapacityY[1];
            f->m_fY3 = t->fCapacityY[2];
        }
        return;
    }
    CBeamList all;
    GetAllBeams(all);
    for (POSITION pos = all.GetHeadPosition(); pos != nullptr;)
    {
        CBeamBase* b = all.GetNextT(pos);
        if (b->GetFloor() != f || b->GetSection() == nullptr)
            continue;
        float v2 = 0.0f, v3 = 0.0f;
        b->GetSection()->GetSteelSecShearCapacity(0, v2, v3);
        // Columns, braces and wall piers carry the storey shear.
        if (b->GetType() == 1)
        {
            f->m_fX1 += v2;
            f->m_fY1 += v3;
        }
        else if (b->GetType() == 3)
        {
            f->m_fX2 += v2;
            f->m_fY2 += v3;
        }
        else if (b->toColumnInWall() != nullptr)
        {
            f->m_fX3 += v2;
            f->m_fY3 += v3;
        }
    }
}

void CStruct::ComputeCapacity(CMainNode* pTower)
{
    for (POSITION pos = m_pFloorList->GetHeadPosition(); pos != nullptr;)
        ComputeFloorCapacity(m_pFloorList->GetNextT(pos), pTower);
}

void CStruct::GetMultiTowerMainNode(CMainNodeList* out) const
{
    if (out == nullptr)
        return;
    out->RemoveAll();
    for (POSITION pos = m_pMainNodeList->GetHeadPosition(); pos != nullptr;)
        out->AddTail(m_pMainNodeList->GetNext(pos));
}

float CStruct::GetPeriod(int i) const
{
    return i >= 0 && i < m_nFreNum ? m_fPeriod[i] : 0.0f;
}

float CStruct::GetFrequency(int i) const
{
    const float t = GetPeriod(i);
    return t > 0.0f ? 1.0f / t : 0.0f;
}

void CStruct::SetModalResult(const std::vector<float>& periods)
{
    m_nFreNum = (int)std::min<size_t>(periods.size(), kMaxModes);
    for (int i = 0; i < m_nFreNum; ++i)
        m_fPeriod[i] = periods[i];
}

CPNode* CStruct::FindNode(int no) const
{
    for (POSITION pos = m_pNodeList->GetHeadPosition(); pos != nullptr;)
    {
        CPNode* n = m_pNodeList->GetNextT(pos);
        if (n->m_nNo == no)
            return n;
    }
    return nullptr;
}

CBeamBase* CStruct::FindBeam(int no) const
{
    for (POSITION pos = m_pBeamList->GetHeadPosition(); pos != nullptr;)
    {
        CBeamBase* b = m_pBeamList->GetNextT(pos);
        if (b->m_nNo == no)
            return b;
    }
    return nullptr;
}

namespace
{
const CStruct::CModeResult* ModeAt(const std::vector<CStruct::CModeResult>& v, int mode, int count)
{
    return mode >= 0 && mode < count && mode < (int)v.size() ? &v[(size_t)mode] : nullptr;
}
} // namespace

float CStruct::GetTwinRatio(int mode) const
{
    const CModeResult* m = ModeAt(m_arrMode, mode, m_nFreNum);
    return m != nullptr ? m->fTwin : 0.0f;
}

float CStruct::GetPingRatio(int mode, float& x, float& y) const
{
    const CModeResult* m = ModeAt(m_arrMode, mode, m_nFreNum);
    x = m != nullptr ? m->fPingX : 0.0f;
    y = m != nullptr ? m->fPingY : 0.0f;
    return x + y;
}

CString CStruct::GetFrequentAngleStr(int mode) const
{
    const CModeResult* m = ModeAt(m_arrMode, mode, m_nFreNum);
    CString s;
    s.Format("%.2f", m != nullptr ? m->fAngle : 0.0f);
    return s;
}

float CStruct::GetFMassTotalRatio(int mode, float& x, float& y, float& z) const
{
    const CModeResult* m = ModeAt(m_arrMode, mode, m_nFreNum);
    x = m != nullptr ? m->fMassX : 0.0f;
    y = m != nullptr ? m->fMassY : 0.0f;
    z = m != nullptr ? m->fMassZ : 0.0f;
    return x + y + z;
}

CString CStruct::GetFrequentDirectionDecription() const
{
    CString out;
    for (int i = 0; i < m_nFreNum; ++i)
    {
        const CModeResult* m = ModeAt(m_arrMode, i, m_nFreNum);
        const char* kind = "平动";
        if (m != nullptr && m->fTwin > m->fPingX + m->fPingY)
            kind = "扭转";
        CString line;
        line.Format("第%d振型: 周期 %.4f, %s\n", i + 1, m_fPeriod[i], kind);
        out += line;
    }
    return out;
}

void CStruct::GetOuheRatio(double* matrix) const
{
    if (matrix == nullptr)
        return;
    const int n = m_nFreNum;
    const double z = m_pLoadSeismList->m_fDamp > 0.0f ? m_pLoadSeismList->m_fDamp : 0.05;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
        {
            const double ti = m_fPeriod[i], tj = m_fPeriod[j];
            double rho = i == j ? 1.0 : 0.0;
            if (i != j && ti > 0.0 && tj > 0.0)
            {
                // lambda is the ratio of the circular frequencies, i.e. of the periods' inverses.
                const double l = ti / tj;
                const double den = (1 - l * l) * (1 - l * l) + 4 * z * z * l * (1 + l) * (1 + l);
                rho = den > 0.0 ? 8 * z * z * (1 + l) * std::pow(l, 1.5) / den : 1.0;
            }
            matrix[i * n + j] = rho;
        }
}

float CStruct::CalShearCof() const
{
    // Minimum shear-to-weight ratios of the seismic code for a structure with a basic
    // period below 3.5 s, by design acceleration.
    const double a = m_pLoadSeismList->GetAcceleration();
    if (a <= 0.0)
        return 0.0f;
    if (a < 0.075)
        return 0.008f;
    if (a < 0.125)
        return 0.016f;
    if (a < 0.175)
        return 0.024f;
    if (a < 0.25)
        return 0.032f;
    if (a < 0.35)
        return 0.048f;
    return 0.064f;
}

bool CStruct::IsRigid() const
{
    for (POSITION pos = m_pFloorList->GetHeadPosition(); pos != nullptr;)
    {
        const CFloor* f = m_pFloorList->GetNextT(pos);
        if (f->m_nType != 0 && f->m_nKind != 1 && f->m_nKind != 2)
            return false;
    }
    return true;
}

bool CStruct::GuideNodeFVector(int mode, int scale, double factor)
{
    const bool computed = mode >= 0 && mode < m_nFreNum;
    for (POSITION pos = m_pNodeList->GetHeadPosition(); pos != nullptr;)
        m_pNodeList->GetNextT(pos)->PrepareFShape(computed ? mode : -1, scale, factor);
    return computed;
}
