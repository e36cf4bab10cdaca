// Storeys and the storey list.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/struct/ModelList.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>
#include <vyr/model/struct/Plane.h>

class CMaterialBase;
class CBasicLoadCase;

class CFloor : public CObject
{
    DECLARE_DYNAMIC(CFloor)
public:
    CFloor() : CFloor(0, 4) {}
    CFloor(int no, int type);
    ~CFloor() override;
    CFloor(const CFloor&) = delete;
    CFloor& operator=(const CFloor&) = delete;

    // A ratio whose denominator is zero has no meaning; the storey ratios then answer this
    // value (capacities are never negative, so no real ratio equals it).
    static constexpr float RATIO_UNDEFINED = -1.0f;

    float GetCapacityX() const { return m_fX3 + m_fX2 + m_fX1; }
    float GetCapacityY() const { return m_fY3 + m_fY2 + m_fY1; }
    float GetKsiX() const { return Ratio(m_fX3 + m_fX2 + m_fX1, m_fDX); }
    float GetKsiY() const { return Ratio(m_fY3 + m_fY2 + m_fY1, m_fDY); }
    float GetFrameRsX() const { return Ratio(m_fX3, m_fX2); }
    float GetFrameRsY() const { return Ratio(m_fY3, m_fY2); }
    float GetStructureRsX() const { return Ratio(m_fX3 + m_fX2, m_fX1); }
    float GetStructureRsY() const { return Ratio(m_fY3 + m_fY2, m_fY1); }

    CString GetDescription() const { return m_strDescription; }
    CString GetPropertyStr() const;
    double GetZ() const { return m_dZ; }
    float GetH() const { return m_fH; }
    int GetNo() const { return m_nNo; }
    CFloor* GetDownFloor() const { return m_pDown; }
    CFloor* GetUpFloor() const { return m_pUp; }
    float GetWeight() const { return m_fWeight; }
    int GetTowerNum() const { return m_pMainNodeList->GetCount() > 0 ? (int)m_pMainNodeList->GetCount() : 1; }
    // The members and walls displayed for the storey (rebuilt by ReSetDisplayList).
    CBeamList* GetDisplayBeamList() { return m_pDisplayBeamList; }
    CWallList* GetDisplayWallList() { return m_pDisplayWallList; }
    void ReSetDisplayList();
    // Appends what the storey holds to the lists given (any may be null), each object once:
    // its nodes and then the end nodes of its rooms' secondary beams; its members, its rooms'
    // secondary beams, then the coupling beams and wall piers of its walls; its walls; its
    // rooms.
    void GetMembers(CPNodeList* nodes, CBeamList* members, CWallList* walls, CPlaneList* rooms) const;
    // Lateral stiffness against the storey above, and against the mean of the (up to) three
    // storeys above; RATIO_UNDEFINED at the top or when the storeys above have no stiffness.
    float GetStiffRatioX() const { return m_pUp != nullptr ? Ratio(m_fStiffX, m_pUp->m_fStiffX) : RATIO_UNDEFINED; }
    float GetStiffRatioY() const { return m_pUp != nullptr ? Ratio(m_fStiffY, m_pUp->m_fStiffY) : RATIO_UNDEFINED; }
    float GetStiffRatio3X() const { return StiffRatio3(true); }
    float GetStiffRatio3Y() const { return StiffRatio3(false); }
    // Storey drift of a displacement pair: relative displacement over the storey height, or
    // RATIO_UNDEFINED for a storey of no height.
    float GetDriftRatio(float relativeDisp) const { return Ratio(relativeDisp, m_fH); }

    // Analysis results kept with the storey; the queries answer what the analysis stored
    // (0 for what it did not store).
    float GetTotalShearX(CBasicLoadCase* lc) const { return Stored(m_mapShear, lc).first; }
    float GetTotalShearY(CBasicLoadCase* lc) const { return Stored(m_mapShear, lc).second; }
    float GetTotalFrameShearX(CBasicLoadCase* lc) const { return Stored(m_mapFrameShear, lc).first; }
    float GetTotalFrameShearY(CBasicLoadCase* lc) const { return Stored(m_mapFrameShear, lc).second; }
    void SetTotalShear(int caseNo, float x, float y) { m_mapShear[caseNo] = {x, y}; }
    void SetTotalFrameShear(int caseNo, float x, float y) { m_mapFrameShear[caseNo] = {x, y}; }
    // Stiffnesses of the whole storey (no tower main node) or of one tower: lateral (kN/cm)
    // and bending (kN*cm2). A tower that does not stand in the storey has none.
    float GetTotalStiffX(CMaterialBase*, CMainNode* tower) const;
    float GetTotalStiffY(CMaterialBase*, CMainNode* tower) const;
    float GetTotalEIX(CMaterialBase*, CMainNode* tower = nullptr) const;
    float GetTotalEIY(CMaterialBase*, CMainNode* tower = nullptr) const;
    // Centres for the whole storey (position -1, -1) or for the tower whose master node is at
    // (px, py); a tower without stored centres answers its master node's position (the
    // elastic radii: the storey's).
    void GetMassCenter(float& x, float& y, float px, float py) const;
    void GetMassCenter(double& x, double& y, double px, double py) const;
    // Empties the list and puts in it the storey's nodes nearest the point in plan (several
    // when they lie equally near); false when the storey has no node.
    bool GetNearNode(CPoint2D point, CPNodeList* list) const;
    void GetRigidCenter(float& x, float& y, CMaterialBase*, float px, float py) const;
    void GetElasticRidus(float& rx, float& ry, CMaterialBase*, float px, float py) const;
    // Inter-storey displacement (cm) against the lower storey for case index (case number - 1)
    // and direction (1 X, 2 Y), of the whole storey or of a tower; nodeNo, when given, gets
    // the node of the largest one (0 when none was stored). The seismic flag and position,
    // the modes, the lower storey and the coupling matrix are what the analysis combined the
    // modal results with; the stored result already holds them.
    float GetFloorRelativeDisp(bool flag, int seismPos, int caseIndex, int direction, int modes, CFloor* lower,
                               const double* coupling, CMainNode* tower, int* nodeNo = nullptr) const;
    void SetFloorRelativeDisp(int caseIndex, int direction, float disp, int nodeNo, const CMainNode* tower = nullptr);
    // Largest inter-storey displacement of a node of the storey (cm), of the whole storey or
    // of a tower, with the arguments of GetFloorRelativeDisp; sets m_nMaxRelDispNode to its node.
    float GetFloorMaxRelativeDisp(bool flag, int seismPos, int caseIndex, int direction, int modes, CFloor* lower,
                                  const double* coupling, CMainNode* tower);
    // Largest storey displacement of a node of the storey (cm) for the case; sets
    // m_nMaxDispNode to its node.
    float GetFloorMaxDisp(bool flag, CBasicLoadCase* lc, int direction, CMainNode* tower);
    // Average storey displacement (cm) for case index (case number - 1) and direction; the
    // first form with the modal arguments of GetFloorRelativeDisp.
    float GetFloorDisp(bool flag, int seismPos, int caseIndex, int direction, int modes, const double* coupling,
                       CMainNode* tower) const;
    float GetFloorDisp(int caseIndex, int direction, bool flag, CMainNode* tower) const;
    void SetFloorMaxRelativeDisp(int caseIndex, int direction, float disp, int nodeNo,
                                 const CMainNode* tower = nullptr);
    void SetFloorMaxDisp(int caseIndex, int direction, float disp, int nodeNo, const CMainNode* tower = nullptr);
    void SetFloorDisp(int caseIndex, int direction, float disp, const CMainNode* tower = nullptr);

    // What the analysis keeps per tower, the tower known by its main node's plan position.
    struct CRelativeDisp
    {
        float fDisp = 0.0f;
        int nNode = 0;
    };
    struct CTowerData
    {
        double x = 0.0, y = 0.0;
        float fStiffX = 0, fStiffY = 0, fEIX = 0, fEIY = 0;
        float fMassCx = 0, fMassCy = 0, fRigidCx = 0, fRigidCy = 0;
        float fElasticRx = 0, fElasticRy = 0;
        bool bCentres = false; // the centres and radii above were stored
        // Shear capacity parts (kN) of the tower in the storey, as the storey's own: columns,
        // braces, wall piers; X and Y.
        float fCapacityX[3] = {}, fCapacityY[3] = {};
        std::map<std::pair<int, int>, CRelativeDisp> mapRelDisp; // by (case index, direction)
        std::map<std::pair<int, int>, CRelativeDisp> mapMaxRelDisp, mapMaxDisp, mapDisp;
    };
    // The tower's record, made on first use.
    CTowerData& TowerData(double x, double y);
    // The record of the tower whose main node lies at (x, y) within 0.001, or null.
    const CTowerData* FindTowerData(double x, double y) const;
    const CTowerData* FindTowerData(const CMainNode* tower) const;
    // Plan area of the storey's rooms.
    float GetArea() const;
    // Height of the storey above (0 at the top).
    float GetUpH() const { return m_pUp != nullptr ? m_pUp->m_fH : 0.0f; }
    // Width of the storey facing the wind of a case: the plan extent across the wind.
    float GetWindB(CBasicLoadCase* lc) const;
    // The master node lies within the plan extent of the storey's nodes.
    bool IsInFloorRect(CMainNode* node) const;

    static float Ratio(float num, float den)
    {
        return den == 0.0f ? RATIO_UNDEFINED : num / den;
    }

    int m_nUserDefined = 0;
    int m_nNo = 0;
    int m_nKind = 1;      // 1 one master node, 2 one per tower, others none
    CString m_strDescription;
    CPlaneList* m_pPlaneList;      // rooms of the storey (owned by the structure)
    CObList* m_pRigidList;         // rigidity centres
    // Slab and wall concrete of the storey, shown by name; null: the project default ("缺省").
    CMaterialBase* m_pSlabMaterial = nullptr;
    CMaterialBase* m_pWallMaterial = nullptr;
    float m_fX1 = 0, m_fY1 = 0, m_fX2 = 0, m_fY2 = 0, m_fX3 = 0, m_fY3 = 0;
    float m_fDX = 0, m_fDY = 0;

    int m_nType = 4;
    int m_nLevel = 0;
    int m_nOwn = 1;               // 0: shares the data of the linked storey
    CFloor* m_pLink = nullptr;
    double m_dZ = 0.0;            // elevation (model units)
    float m_fH = 0.0f;            // storey height
    float m_fWeight = 0.0f;
    CFloor* m_pDown = nullptr;
    CFloor* m_pUp = nullptr;
    CPNodeList* m_pNodeList;      // nodes of the storey
    CMainNodeList* m_pMainNodeList; // one master node per tower
    CBeamList* m_pBeamList;       // members of the storey
    CWallList* m_pWallList;       // walls of the storey
    CBeamList* m_pDisplayBeamList;
    CWallList* m_pDisplayWallList;
    float m_fSeismShearX[12] = {}, m_fSeismShearY[12] = {};
    float m_fMomentX[12] = {}, m_fMomentY[12] = {};
    float m_fFrameAmplify[12] = {}, m_fMinShearAmplify[12] = {}, m_fWeakAmplify[12] = {};
    float m_fStiffX = 0, m_fStiffY = 0, m_fEIX = 0, m_fEIY = 0;
    float m_fMassCx = 0, m_fMassCy = 0, m_fRigidCx = 0, m_fRigidCy = 0;
    float m_fElasticRx = 0, m_fElasticRy = 0;
    std::map<int, std::pair<float, float>> m_mapShear;      // by case number
    std::map<int, std::pair<float, float>> m_mapFrameShear; // by case number
    std::map<std::pair<int, int>, CRelativeDisp> m_mapRelDisp; // whole storey, by (case index, direction)
    // Largest inter-storey and storey displacements with their nodes, average storey
    // displacements (no node); whole storey, by (case index, direction).
    std::map<std::pair<int, int>, CRelativeDisp> m_mapMaxRelDisp, m_mapMaxDisp, m_mapDisp;
    // Nodes of the largest inter-storey and storey displacement of the last such query (0: none).
    int m_nMaxRelDispNode = 0;
    int m_nMaxDispNode = 0;
    std::vector<CTowerData> m_arrTower;

private:
    using DispMap = std::map<std::pair<int, int>, CRelativeDisp>;
    CRelativeDisp StoredDisp(DispMap CTowerData::*towerMap, const DispMap& storeyMap, int caseIndex, int direction,
                             const CMainNode* tower) const;
    DispMap& DispStore(DispMap CTowerData::*towerMap, DispMap& storeyMap, const CMainNode* tower);
    float StiffRatio3(bool x) const;
    static std::pair<float, float> Stored(const std::map<int, std::pair<float, float>>& m, const CBasicLoadCase* lc);
};

struct CFloorTreeItem
{
    CFloor* pMainFloor = nullptr;
    std::vector<CFloor*> arrChild;
};

// The storeys, lowest first; the structure deletes them.
class CFloorList : public CModelList<CFloor, false>
{
public:
    // Main storeys with the storeys linked to them as children.
    void TurnToFloorTree(std::vector<CFloorTreeItem>& tree) const;
    int GetRealFloorNum() const;
    CFloor* GetRealFloor(int i) const;
    CFloor* GetRealFloorByID(int n) const;
    CFloor* GetRealFloorTail() const;
    POSITION GetRealFloorHeadPosition() const;
    POSITION GetRealFloorTailPosition() const;
    CFloor* GetRealFloorNext(POSITION& pos) const;
    CFloor* GetRealFloorPrev(POSITION& pos) const;
    // Links the storeys to their neighbours and numbers them from the first storey number.
    void Relink();
};
