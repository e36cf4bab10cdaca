#include <vyr/model/struct/Floor.h>

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include <vyr/model/struct/LoadCase.h>

IMPLEMENT_DYNAMIC(CFloor, CObject)

CFloor::CFloor(int no, int type)
    : m_nNo(no), m_pPlaneList(new CPlaneList), m_pRigidList(new CObList(10)), m_nType(type),
      m_pNodeList(new CPNodeList), m_pMainNodeList(new CMainNodeList), m_pBeamList(new CBeamList),
      m_pWallList(new CWallList), m_pDisplayBeamList(new CBeamList), m_pDisplayWallList(new CWallList)
{
}

CFloor::~CFloor()
{
    // The storey only refers to the structure's objects.
    delete m_pPlaneList;
    delete m_pRigidList;
    delete m_pNodeList;
    delete m_pMainNodeList;
    delete m_pBeamList;
    delete m_pWallList;
    delete m_pDisplayBeamList;
    delete m_pDisplayWallList;
}

CString CFloor::GetPropertyStr() const
{
    if (m_nType == 0)
        return "基础";
    return m_nKind == 1 || m_nKind == 2 ? "刚性楼面" : "弹性楼面";
}

void CFloor::ReSetDisplayList()
{
    m_pDisplayBeamList->RemoveAll();
    m_pDisplayBeamList->CopyPointer(m_pBeamList);
    for (POSITION pos = m_pPlaneList->GetHeadPosition(); pos != nullptr;)
        m_pDisplayBeamList->CopyPointer(m_pPlaneList->GetNextT(pos)->m_pSubBeamList);
    m_pDisplayWallList->RemoveAll();
    m_pDisplayWallList->CopyPointer(m_pWallList);
}

void CFloor::GetMembers(CPNodeList* nodes, CBeamList* members, CWallList* walls, CPlaneList* rooms) const
{
    if (nodes != nullptr) {
        std::unordered_set<const CObject*> seen;
        auto add = [&](CPNode* n) {
            if (n != nullptr && seen.insert(n).second)
                nodes->AddTail(n);
        };
        for (POSITION pos = m_pNodeList->GetHeadPosition(); pos != nullptr;)
            add(m_pNodeList->GetNextT(pos));
        for (POSITION pos = m_pPlaneList->GetHeadPosition(); pos != nullptr;) {
            CBeamList* subs = m_pPlaneList->GetNextT(pos)->m_pSubBeamList;
            for (POSITION b = subs->GetHeadPosition(); b != nullptr;) {
                CBeamBase* sb = subs->GetNextT(b);
                add(sb->GetNode1());
                add(sb->GetNode2());
            }
        }
    }
    if (members != nullptr) {
        std::unordered_set<const CObject*> seen;
        auto add = [&](CBeamBase* b) {
            if (b != nullptr && seen.insert(b).second)
                members->AddTail(b);
        };
        for (POSITION pos = m_pBeamList->GetHeadPosition(); pos != nullptr;)
            add(m_pBeamList->GetNextT(pos));
        for (POSITION pos = m_pPlaneList->GetHeadPosition(); pos != nullptr;) {
            CBeamList* subs = m_pPlaneList->GetNextT(pos)->m_pSubBeamList;
            for (POSITION b = subs->GetHeadPosition(); b != nullptr;)
                add(subs->GetNextT(b));
        }
        for (POSITION pos = m_pWallList->GetHeadPosition(); pos != nullptr;) {
            CBeamList* edges = m_pWallList->GetNextT(pos)->GetEdgeBeamList();
            for (POSITION b = edges->GetHeadPosition(); b != nullptr;)
                if (CBeamBase* e = edges->GetNextT(b); IsInWallMember(e))
                    add(e);
        }
    }
    if (walls != nullptr)
        walls->CopyPointer(m_pWallList);
    if (rooms != nullptr)
        rooms->CopyPointer(m_pPlaneList);
}

void CFloorList::TurnToFloorTree(std::vector<CFloorTreeItem>& tree) const
{
    tree.clear();
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = GetNextT(pos);
        if (f->m_nOwn != 0 || f->m_pLink == nullptr)
        {
            CFloorTreeItem item;
            item.pMainFloor = f;
            tree.push_back(item);
        }
    }
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = GetNextT(pos);
        if (f->m_nOwn != 0 || f->m_pLink == nullptr)
            continue;
        for (CFloorTreeItem& item : tree)
            if (item.pMainFloor == f->m_pLink)
                item.arrChild.push_back(f);
    }
}

int CFloorList::GetRealFloorNum() const
{
    int n = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        if (GetNextT(pos)->m_nType != 0)
            ++n;
    return n;
}

CFloor* CFloorList::GetRealFloor(int i) const
{
    int n = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = GetNextT(pos);
        if (f->m_nType != 0 && ++n == i)
            return f;
    }
    return nullptr;
}

CFloor* CFloorList::GetRealFloorByID(int no) const
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = GetNextT(pos);
        if (f->m_nType != 0 && f->m_nNo == no)
            return f;
    }
    return nullptr;
}

CFloor* CFloorList::GetRealFloorTail() const
{
    POSITION pos = GetRealFloorTailPosition();
    return pos == nullptr ? nullptr : static_cast<CFloor*>(GetAt(pos));
}

POSITION CFloorList::GetRealFloorHeadPosition() const
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        POSITION cur = pos;
        if (GetNextT(pos)->m_nType != 0)
            return cur;
    }
    return nullptr;
}

POSITION CFloorList::GetRealFloorTailPosition() const
{
    for (POSITION pos = GetTailPosition(); pos != nullptr;)
    {
        POSITION cur = pos;
        if (static_cast<CFloor*>(GetPrev(pos))->m_nType != 0)
            return cur;
    }
    return nullptr;
}

CFloor* CFloorList::GetRealFloorNext(POSITION& pos) const
{
    CFloor* f = GetNextT(pos);
    while (pos != nullptr && static_cast<CFloor*>(GetAt(pos))->m_nType == 0)
        GetNext(pos);
    return f;
}

CFloor* CFloorList::GetRealFloorPrev(POSITION& pos) const
{
    CFloor* f = static_cast<CFloor*>(GetPrev(pos));
    while (pos != nullptr && static_cast<CFloor*>(GetAt(pos))->m_nType == 0)
        GetPrev(pos);
    return f;
}

void CFloorList::Relink()
{
    CFloor* prev = nullptr;
    int level = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = GetNextT(pos);
        f->m_pDown = prev;
        f->m_pUp = nullptr;
        f->m_nLevel = level++;
        if (prev != nullptr)
        {
            prev->m_pUp = f;
            f->m_fH = (float)(f->m_dZ - prev->m_dZ);
        }
        prev = f;
    }
}

std::pair<float, float> CFloor::Stored(const std::map<int, std::pair<float, float>>& m, const CBasicLoadCase* lc)
{
    if (lc == nullptr)
        return {0.0f, 0.0f};
    auto it = m.find(lc->m_nNo);
    return it == m.end() ? std::pair<float, float>{0.0f, 0.0f} : it->second;
}

CFloor::CTowerData& CFloor::TowerData(double x, double y)
{
    for (CTowerData& t : m_arrTower)
        if (std::fabs(t.x - x) < 0.001 && std::fabs(t.y - y) < 0.001)
            return t;
    CTowerData& t = m_arrTower.emplace_back();
    t.x = x;
    t.y = y;
    return t;
}

const CFloor::CTowerData* CFloor::FindTowerData(double x, double y) const
{
    for (const CTowerData& t : m_arrTower)
        if (std::fabs(t.x - x) < 0.001 && std::fabs(t.y - y) < 0.001)
            return &t;
    return nullptr;
}

const CFloor::CTowerData* CFloor::FindTowerData(const CMainNode* tower) const
{
    return tower == nullptr ? nullptr : FindTowerData(tower->m_pt.x, tower->m_pt.y);
}

namespace {

// A stiffness of the whole storey (no tower) or of the tower; none for a tower that does not
// stand in the storey.
float TowerValue(const CFloor& f, const CMainNode* tower, float CFloor::CTowerData::*field, float storeyValue)
{
    if (tower == nullptr)
        return storeyValue;
    const CFloor::CTowerData* t = f.FindTowerData(tower);
    return t != nullptr ? t->*field : 0.0f;
}

} // namespace

float CFloor::GetTotalStiffX(CMaterialBase*, CMainNode* tower) const
{
    return TowerValue(*this, tower, &CTowerData::fStiffX, m_fStiffX);
}

float CFloor::GetTotalStiffY(CMaterialBase*, CMainNode* tower) const
{
    return TowerValue(*this, tower, &CTowerData::fStiffY, m_fStiffY);
}

float CFloor::GetTotalEIX(CMaterialBase*, CMainNode* tower) const
{
    return TowerValue(*this, tower, &CTowerData::fEIX, m_fEIX);
}

float CFloor::GetTotalEIY(CMaterialBase*, CMainNode* tower) const
{
    return TowerValue(*this, tower, &CTowerData::fEIY, m_fEIY);
}

namespace {

// A centre of the whole storey (position -1, -1), of the tower at (px, py) when its centres
// were stored, else the tower main node's position.
void TowerCentre(const CFloor& f, float& x, float& y, float px, float py, float CFloor::CTowerData::*tx,
                 float CFloor::CTowerData::*ty, float storeyX, float storeyY)
{
    if (px == -1.0f && py == -1.0f)
    {
        x = storeyX;
        y = storeyY;
        return;
    }
    if (const CFloor::CTowerData* t = f.FindTowerData(px, py); t != nullptr && t->bCentres)
    {
        x = t->*tx;
        y = t->*ty;
        return;
    }
    x = px;
    y = py;
}

} // namespace

void CFloor::GetMassCenter(float& x, float& y, float px, float py) const
{
    TowerCentre(*this, x, y, px, py, &CTowerData::fMassCx, &CTowerData::fMassCy, m_fMassCx, m_fMassCy);
}

void CFloor::GetMassCenter(double& x, double& y, double px, double py) const
{
    float fx = 0.0f, fy = 0.0f;
    GetMassCenter(fx, fy, (float)px, (float)py);
    x = fx;
    y = fy;
}

bool CFloor::GetNearNode(CPoint2D point, CPNodeList* list) const
{
    if (list == nullptr)
        return false;
    list->RemoveAll();
    // Nodes within this plan distance of the nearest one count as equally near (cm).
    constexpr double tie = 1e-3;
    double best = -1.0;
    for (POSITION pos = m_pNodeList->GetHeadPosition(); pos != nullptr;)
    {
        CPNode* node = m_pNodeList->GetNextT(pos);
        const double d = std::hypot(node->GetPt().x - point.x, node->GetPt().y - point.y);
        if (best < 0.0 || d < best - tie)
        {
            best = d;
            list->RemoveAll();
            list->AddTail(node);
        }
        else if (d <= best + tie)
            list->AddTail(node);
    }
    return !list->IsEmpty();
}

void CFloor::GetRigidCenter(float& x, float& y, CMaterialBase*, float px, float py) const
{
    TowerCentre(*this, x, y, px, py, &CTowerData::fRigidCx, &CTowerData::fRigidCy, m_fRigidCx, m_fRigidCy);
}

void CFloor::GetElasticRidus(float& rx, float& ry, CMaterialBase*, float px, float py) const
{
    const CTowerData* t = px == -1.0f && py == -1.0f ? nullptr : FindTowerData(px, py);
    if (t != nullptr && t->bCentres)
    {
        rx = t->fElasticRx;
        ry = t->fElasticRy;
        return;
    }
    rx = m_fElasticRx;
    ry = m_fElasticRy;
}

CFloor::CRelativeDisp CFloor::StoredDisp(DispMap CTowerData::*towerMap, const DispMap& storeyMap, int caseIndex,
                                         int direction, const CMainNode* tower) const
{
    const DispMap* m = &storeyMap;
    if (tower != nullptr)
    {
        const CTowerData* t = FindTowerData(tower);
        m = t != nullptr ? &(t->*towerMap) : nullptr;
    }
    if (m != nullptr)
        if (auto it = m->find({caseIndex, direction}); it != m->end())
            return it->second;
    return {};
}

CFloor::DispMap& CFloor::DispStore(DispMap CTowerData::*towerMap, DispMap& storeyMap, const CMainNode* tower)
{
    return tower != nullptr ? TowerData(tower->m_pt.x, tower->m_pt.y).*towerMap : storeyMap;
}

float CFloor::GetFloorRelativeDisp(bool, int, int caseIndex, int direction, int, CFloor*, const double*,
                                   CMainNode* tower, int* nodeNo) const
{
    const CRelativeDisp r = StoredDisp(&CTowerData::mapRelDisp, m_mapRelDisp, caseIndex, direction, tower);
    if (nodeNo != nullptr)
        *nodeNo = r.nNode;
    return r.fDisp;
}

void CFloor::SetFloorRelativeDisp(int caseIndex, int direction, float disp, int nodeNo, const CMainNode* tower)
{
    DispStore(&CTowerData::mapRelDisp, m_mapRelDisp, tower)[{caseIndex, direction}] = {disp, nodeNo};
}

float CFloor::GetFloorMaxRelativeDisp(bool, int, int caseIndex, int direction, int, CFloor*, const double*,
                                      CMainNode* tower)
{
    const CRelativeDisp r = StoredDisp(&CTowerData::mapMaxRelDisp, m_mapMaxRelDisp, caseIndex, direction, tower);
    m_nMaxRelDispNode = r.nNode;
    return r.fDisp;
}

float CFloor::GetFloorMaxDisp(bool, CBasicLoadCase* lc, int direction, CMainNode* tower)
{
    CRelativeDisp r;
    if (lc != nullptr)
        r = StoredDisp(&CTowerData::mapMaxDisp, m_mapMaxDisp, lc->m_nNo - 1, direction, tower);
    m_nMaxDispNode = r.nNode;
    return r.fDisp;
}

float CFloor::GetFloorDisp(bool flag, int, int caseIndex, int direction, int, const double*, CMainNode* tower) const
{
    return GetFloorDisp(caseIndex, direction, flag, tower);
}

float CFloor::GetFloorDisp(int caseIndex, int direction, bool, CMainNode* tower) const
{
    return StoredDisp(&CTowerData::mapDisp, m_mapDisp, caseIndex, direction, tower).fDisp;
}

void CFloor::SetFloorMaxRelativeDisp(int caseIndex, int direction, float disp, int nodeNo, const CMainNode* tower)
{
    DispStore(&CTowerData::mapMaxRelDisp, m_mapMaxRelDisp, tower)[{caseIndex, direction}] = {disp, nodeNo};
}

void CFloor::SetFloorMaxDisp(int caseIndex, int direction, float disp, int nodeNo, const CMainNode* tower)
{
    DispStore(&CTowerData::mapMaxDisp, m_mapMaxDisp, tower)[{caseIndex, direction}] = {disp, nodeNo};
}

void CFloor::SetFloorDisp(int caseIndex, int direction, float disp, const CMainNode* tower)
{
    DispStore(&CTowerData::mapDisp, m_mapDisp, tower)[{caseIndex, direction}] = {disp, 0};
}

float CFloor::GetArea() const
{
    double a = 0.0;
    for (POSITION pos = m_pPlaneList->GetHeadPosition(); pos != nullptr;)
        a += m_pPlaneList->GetNextT(pos)->GetArea();
    return (float)a;
}

float CFloor::GetWindB(CBasicLoadCase* lc) const
{
    const CRect2D rc = m_pNodeList->GetRealRect(0);
    // Wind cases 2 and 4 blow along x, 3 and 5 along y.
    const bool alongX = lc == nullptr || lc->GetType() == 2 || lc->GetType() == 4;
    return (float)(alongX ? rc.Height() : rc.Width());
}

bool CFloor::IsInFloorRect(CMainNode* node) const
{
    if (node == nullptr || m_pNodeList->IsEmpty())
        return false;
    const CRect2D rc = m_pNodeList->GetRealRect(0);
    return node->m_pt.x >= rc.left && node->m_pt.x <= rc.right && node->m_pt.y >= rc.bottom && node->m_pt.y <= rc.top;
}

float CFloor::StiffRatio3(bool x) const
{
    double sum = 0.0;
    int n = 0;
    for (const CFloor* f = m_pUp; f != nullptr && n < 3; f = f->m_pUp, ++n)
        sum += x ? f->m_fStiffX : f->m_fStiffY;
    if (n == 0)
        return RATIO_UNDEFINED;
    return Ratio(x ? m_fStiffX : m_fStiffY, (float)(sum / n));
}
