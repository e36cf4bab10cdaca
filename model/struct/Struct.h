// The structure model: project libraries, object lists, storeys, load data and results.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/record/record.h>
#include <vyr/model/struct/Axises.h>
#include <vyr/model/struct/Crane.h>
#include <vyr/model/struct/Floor.h>
#include <vyr/model/struct/LoadCase.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>
#include <vyr/model/struct/Plane.h>
#include <vyr/model/struct/Support.h>

class CStayList;
class CMaterialBase;
class CMaterialList;
class CSectionList;
class CBanList;
class CPlateSteelBarGroupList;
class CPinNailGroupList;
class CEditStackNode;

class CStruct
{
public:
    CStruct();
    ~CStruct();
    CStruct(const CStruct&) = delete;
    CStruct& operator=(const CStruct&) = delete;

    CAxises& Axises() { return m_Axises; }
    // Marks every section of the library that at least one member uses.
    void SetUsedSection(bool bAll);
    int GetUsedSectionNum(bool bAll);
    int GetCurFrequentNum() const { return m_nFreNum; }
    int GetFirstFloorNo() const { return m_nFirstFloorNo; }
    int GetWindCode() const { return m_nWindCode; }
    // Sum of the storeys' gravity load representative values.
    float GetTotalWeight() const;
    // Fills the shear-capacity parts of all storeys (or of one): of the whole storey (no
    // tower) from the capacities of the members standing in it; of a tower from what the
    // analysis kept for the tower in the storey (none when it kept nothing).
    void ComputeCapacity(CMainNode* pTower);
    void ComputeFloorCapacity(CFloor* pFloor, CMainNode* pTower);
    void GetMultiTowerMainNode(CMainNodeList* out) const;
    // The modal results: period of mode i from 0, frequency 1 / period (0 when the period is 0).
    float GetPeriod(int i) const;
    float GetFrequency(int i) const;
    void SetModalResult(const std::vector<float>& periods);
    // Prepares every node's position deformed in a mode (GetFShapeP3D): the position plus
    // scale x factor x the node's shape in that mode. False for a mode not computed, which
    // leaves every node at its position.
    bool GuideNodeFVector(int mode, int scale, double factor);

    // What the modal analysis keeps per mode (index from 0).
    struct CModeResult
    {
        float fAngle = 0.0f;          // main direction, degrees
        float fPingX = 0.0f;          // translation factors
        float fPingY = 0.0f;
        float fTwin = 0.0f;           // torsion factor
        float fMassX = 0.0f;          // effective mass ratios
        float fMassY = 0.0f;
        float fMassZ = 0.0f;
    };
    std::vector<CModeResult> m_arrMode;
    float GetTwinRatio(int mode) const;
    float GetPingRatio(int mode, float& x, float& y) const;
    CString GetFrequentAngleStr(int mode) const;
    float GetFMassTotalRatio(int mode, float& x, float& y, float& z) const;
    // One line per mode: its number, period and whether it translates or twists.
    CString GetFrequentDirectionDecription() const;
    // Fills the modes x modes matrix (owned by the caller) with the CQC coupling
    // coefficients of the modes' periods at the seismic damping ratio.
    void GetOuheRatio(double* matrix) const;
    // Minimum seismic shear coefficient of the fortification intensity and the design
    // acceleration; 0 without seismic data.
    float CalShearCof() const;
    // Every real storey has a rigid floor (kind 1 or 2).
    bool IsRigid() const;

    // Every member of the structure: the member list, the in-wall lists (second list first)
    // and the secondary beams of the rooms.
    void GetAllBeams(CBeamList& out) const;
    // The members and walls of the candidate lists that stand on the axis line: a member whose
    // two end nodes, a wall whose two bottom corners lie in plan within kOnAxisTolerance of
    // the axis' line (its whole length, also beyond its drawn ends), appended in list order.
    // Any list may be null.
    static void GetAxisBeamsAndWalls(const CAxis& axis, CBeamList* members, CWallList* walls, CBeamList* foundMembers,
                                     CWallList* foundWalls);
    static constexpr double kOnAxisTolerance = 0.1; // model length units
    // The node or ordinary member with that number, or null.
    CPNode* FindNode(int no) const;
    CBeamBase* FindBeam(int no) const;

    CIDss m_SelectSets; // the project's named selection sets
    int m_nWindCode = 0;
    CStayList* m_pStayList = nullptr;
    CMaterialBase* m_pDefaultFloorMaterial = nullptr;
    CMaterialBase* m_pDefaultWallMaterial = nullptr;
    CMaterialList* m_pMaterialSteelList = nullptr;
    CMaterialList* m_pMaterialConcreteList = nullptr;
    CSectionList* m_pSectionList = nullptr;
    CPNodeList* m_pNodeList;
    CWallList* m_pWallList;
    CPlaneList* m_pPlaneList;
    CBeamList* m_pBeamList;
    CBeamList* m_pBCInWallList1; // coupling beams
    CBeamList* m_pBCInWallList2; // wall piers
    CFloorList* m_pFloorList;
    CBeamGroupList* m_pBeamGroupList;
    // The unit prices of the member groups, one entry per member type, section type and
    // material type; the groups point at their entry, so the table is rebuilt only with
    // their links (the statistics does both).
    std::vector<COptDiscreteSection> m_arrUnitPrice;
    float m_fWallConcretePrice = 500.0f; // reinforced concrete of the walls, per m3
    CBanList* m_pBanSteelList = nullptr;
    CBanList* m_pBanConcreteList = nullptr;
    CPlateSteelBarGroupList* m_pPlateSteelBarGroupList = nullptr;
    CPinNailGroupList* m_pPinNailGroupList = nullptr;
    int m_nFirstFloorNo = 1;
    static const int kMaxModes = 60;
    float m_fPeriod[kMaxModes] = {};
    int m_nFreNum = 0;

    CBeamBindReleaseList* m_pReleaseList;
    CMemberOffsetList* m_pOffsetList;
    CBeamRigidList* m_pRigidList;
    CSupportList* m_pSupportList;
    CMainNodeList* m_pMainNodeList;
    CBasicLCList* m_pBasicLCList;
    // Every load combination, with the lock flag and the generation parameters; the model
    // root keeps the lists of the three kinds (CGlobalData::GetSLCList ...).
    CLCList* m_pLCList;
    CLoadSeismList* m_pLoadSeismList;
    CWaveFunList* m_pWaveFunList;                 // seismic wave records
    CTHCaseList* m_pTHCaseList;                   // time-history load cases
    CTimeAnalyResultList* m_pTimeAnalyResultList; // time-history results
    CPortalList* m_pPortalList;                   // standard portal frames
    CPortal m_Portal;                             // the structure's own portal record
    // Load definitions; the structure deletes their records.
    CLoadNodeList* m_pLoadNodeDeadList;
    CLoadNodeList* m_pLoadNodeLiveList;
    CLoadBeamList* m_pLoadBeamDeadList;
    CLoadBeamList* m_pLoadBeamLiveList;
    CLoadAreaList* m_pLoadAreaDeadList;
    CLoadAreaList* m_pLoadAreaLiveList;
    CLoadWindList* m_pLoadWindNodeList[4];  // X, Y, -X, -Y
    CLoadBeamList* m_pLoadWindBeamList[4];
    CLoadTemperature* m_pTemperature[4];     // temperature cases 1 to 4
    CObArray m_arrCraneNodeLoad;             // CLoadCraneList* per hoist load case, owned
    CObArray m_arrCraneBeamLoad;             // CLoadCraneBeamList* per hoist load case, owned
    int m_nBasementNum = 0;
    CCraneList* m_pCraneList;           // the project's cranes
    CCraneGroupList* m_pCraneGroupList; // the crane runs they are laid out on

    // Limits of the storey checks.
    float m_fDispRatioLimit1 = 1.2f, m_fDispRatioLimit2 = 1.5f;
    int m_nWindDriftLimit = 400, m_nSeismDriftLimit = 250;
    float m_fCapacityLimit1 = 0.6f, m_fCapacityLimit2 = 0.85f;
    float m_fEccentricLimit = 0.15f;
    float m_fStiffRatioUp = 0.7f, m_fStiffRatioUp3 = 0.8f;
    float m_fMinShearCof[12] = {};
    int m_nFrameAdjustRule = 0;
    int m_nPodiumFloor = -1;
    float m_fComfortDamp = 0.02f;
    int m_nBuildingUse = 0;
    float m_fAccLimit = 0.15f;
    float m_fGroundZ = 0.0f, m_fW0 = 0.45f;
    int m_nRoughness = 1;
    float m_fTg = 0.35f, m_fAlphaMax = 0.08f, m_fGamma = 0.9f, m_fTEnd = 5.0f;
    float m_fLiveFactor = 0.5f;

private:
    CAxises m_Axises;
};
