// Members of the structure model: ordinary members, secondary beams, coupling beams and wall
// piers, member groups and the member-end definition libraries.
#pragma once

#include <array>
#include <atomic>
#include <climits>
#include <map>
#include <memory>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/output/creal.h>
#include <vyr/model/struct/Load.h>
#include <vyr/model/struct/ModelList.h>
#include <vyr/model/struct/Node.h>

class CDC;
class CDXFOutput;
class CFloor;
class CAxial;
class CSectionBase;
class CPinNailGroup;
class CLoadCombination;
class CLCList;
class CMaterialBase;
class COptDiscreteSection;
class CNodeLink;
class CPlane;
class CWall;
class CBeamGroupList;
class CGlobalData;
class COutput;

class CMemberBase : public CObject
{
    DECLARE_DYNAMIC(CMemberBase)
public:
    CMemberBase() = default;
    ~CMemberBase() override = default;

    // The tag value is the drawing depth a view keeps for back-to-front drawing.
    double GetTagValue() const { return m_dTagValue; }
    void SetTagVaule(double v) { m_dTagValue = v; }
    // What a drawing list holds: 0 a member, 1 a wall.
    virtual int GetKindTag() const { return 0; }

    virtual void SetDrawPara() { m_dTagValue = 0; }
    virtual void OnDraw(CDC*, CRect&, CMatrix2D&, float, double, int, int, int, bool) {}
    virtual void OnDrawDXF(CDXFOutput*, int, int, int, CRect&, int, double, double, float, bool) {}

protected:
    double m_dTagValue = 0.0;
};

// Steel design check results of a member (plain values, copied member-wise).
struct CheckResult
{
    // Deformations as fractions of the span (0.0025 is 1/400); 0: none of that kind.
    float fDeform[3] = {0, 0, 0};
    float fRatio[2] = {0, 0};       // stored ratios
    float fDeformRatio[3] = {0, 0, 0};
    float fDetail[6] = {0, 0, 0, 0, 0, 0};
    // fOther[0..6]: shear about axes 2 and 3, combined stress, overall stability about
    // axis 3 (fRatio: strength, stability about axis 2), column-top drift X and Y, axial
    // compression ratio.
    float fOther[39] = {};

    // The n of deformation k shown as 1/n: the reciprocal of the fraction truncated toward
    // zero (in single precision, as the fraction is kept); 0 for a deformation of 0 or less,
    // which has no reciprocal.
    int GetDeformDenominator(int k) const
    {
        if (!(fDeform[k] > 0.0f))
            return 0;
        // A fraction too small for an int reads as the largest.
        const float w = 1.0f / fDeform[k];
        return w < 2147483520.0f ? (int)w : INT_MAX;
    }
    // The largest ratios of the groups the drawings and reports summarise. Strength: normal
    // stress and the two shears; stability: about axes 2 and 3; combined stress alone;
    // capacity: all six of these; deformation: the three deformation ratios, the two
    // column-top drifts and the axial compression ratio; detailing: the six detailing values.
    float GetMaxStrengthRatio() const;
    float GetMaxStableRatio() const;
    float GetMaxConStressRatio() const { return fOther[2]; }
    float GetMaxCapacityRatio() const;
    float GetMaxDispRatio() const;
    float GetMaxConstructRatio() const;
};
static_assert(sizeof(CheckResult) == 53 * 4, "CheckResult holds 53 four-byte values");

struct DESIGN_RESULT
{
    float v[12] = {};
};

// Concrete design result: five reinforcement groups of two areas.
struct CConcreteDesignResult
{
    float fArea[5][2] = {};
};

class CBeam;
class CSubBeam;
class CBeamInWall;
class CColumnInWall;
class CBeamBindRelease;
class CLoadTemperature;
class CMemberOffset;
class CBeamRigid;
class CBeamWebHole;

class CBeamBase : public CMemberBase
{
    DECLARE_DYNAMIC(CBeamBase)
public:
    CBeamBase() = default;
    CBeamBase(int no, CPNode* n1, CPNode* n2, int type);
    ~CBeamBase() override;
    CBeamBase(const CBeamBase&) = delete;
    CBeamBase& operator=(const CBeamBase&) = delete;

    virtual CString GetDescription() { return "杆件"; }
    virtual CBeam* toBeam() { return nullptr; }
    virtual CSubBeam* toSubBeam() { return nullptr; }
    virtual CBeamInWall* toBeamInWall() { return nullptr; }
    virtual CColumnInWall* toColumnInWall() { return nullptr; }

    virtual float GetBeamRealLength(CPNode*&, CPNode*&) { return (float)GetLength(); }
    virtual float GetEffectLength2() { return (float)GetLength(); }
    virtual float GetEffectLength3() { return (float)GetLength(); }
    virtual float GetMaxN(CLoadCombination*, float) { return 0; }
    virtual float GetMaxT(CLoadCombination*, float) { return 0; }
    virtual float GetMinN(CLoadCombination*, float) { return 0; }
    virtual void GetV2(CLoadCombination*, float&, float&, float&, float) {}
    virtual void GetV3(CLoadCombination*, float&, float&, float&, float) {}
    virtual void GetM2(CLoadCombination*, float&, float&, float&, float) {}
    virtual void GetM3(CLoadCombination*, float&, float&, float&, float) {}
    virtual bool IsAllRelease() { return false; }
    // The station arrays (GetF, GetF1) of the kinds that have them: ComputeCurrentForce(c,
    // combination, 0) fills the first with component c (0 N, 1 V2, 2 V3, 3 T, 4 M2, 5 M3)
    // under the combination; c = 8 fills the first with the deflection along local axis 2
    // and the second with that along axis 3. The float is not used. ComputeCoverForce(c)
    // fills the first with the station maxima and the second with the minima of component c
    // over the envelope's combinations (m_pCoverLCList).
    virtual void ComputeCoverForce(int) {}
    virtual void ComputeCurrentForce(int, CLoadCombination*, float) {}
    virtual float GetF(int) { return 0.0f; }
    virtual float GetF1(int) { return 0.0f; }

    // Analysis results along the member, stored as the analysis leaves them: per basic case
    // type (the keys of CPNode::m_mapCaseDisp) twelve stations of each component, station i
    // at i/11 of the member from its first node. Forces in model units (moments and torque
    // in force x length), deflections in model lengths.
    enum { STATION_N, STATION_V2, STATION_V3, STATION_T, STATION_M2, STATION_M3, STATION_D2, STATION_D3, STATION_COMPONENTS };
    static constexpr int kStations = 12;
    // The component that ComputeCurrentForce fills both arrays with.
    static constexpr int kDeflections = 8;
    using CStationValues = std::array<float, kStations>;
    void SetStationResult(int caseType, int component, const CStationValues& values);
    // Null when the analysis left nothing for the case type.
    const CStationValues* GetStationResult(int caseType, int component) const;
    // The component under a combination: the factored sum of the cases by the rule of
    // CLoadCombination::GetCaseFactors (zeros for a null combination).
    CStationValues CombineStations(int component, const CLoadCombination* lc) const;
    // Station maxima and minima of the component over the combinations (zeros for none).
    void CoverStations(int component, CLCList* combinations, CStationValues& maxima, CStationValues& minima) const;
    // The combinations the envelope runs over: the model root's fundamental combinations,
    // set by whoever stores the results; null: no envelope.
    CLCList* m_pCoverLCList = nullptr;
    // Text of the member's type ("柱", "主梁", ...), printed before its number.
    virtual CString GetTypeDescription();

    double GetLength() const;
    double GetXAngle() const;
    CVector3D GetVector1() const;
    // The local axes, unit vectors making a right-handed set with axis 1 (first node to
    // second, GetVector1): axis 2 is the part of the global z axis square to axis 1 (up), or
    // for a vertical member the global x axis; axis 3 = axis 1 x axis 2. Zero vectors for a
    // member without length.
    CVector3D GetVector2() const;
    CVector3D GetVector3() const;
    // The local-to-global matrix, row by row: a local vector (a1, a2, a3) has the global
    // components M x (a1, a2, a3); its columns are GetVector1..3.
    void GetLToGMatrix(double m[9]) const;
    void SetAliegn() {}

    void SetSelect(int s) { m_nSelect = s ? 1 : 0; }
    void SetSelect() { m_nSelect = m_nSelect ? 0 : 1; }
    int GetSelect() const { return m_nSelect; }

    CPNode* GetNode1() const { return m_pNode1; }
    CPNode* GetNode2() const { return m_pNode2; }
    int GetNo() const { return m_nNo; }
    int GetId() const { return m_nId; }
    CFloor* GetFloor() const { return m_pFloor; }
    CAxial* GetXAxail() const { return m_pXAxial; }
    CAxial* GetYAxail() const { return m_pYAxial; }
    int GetGroupId() const { return m_nGroupId; }
    void SetGroupId(int id) { m_nGroupId = id; }
    int GetCode() const { return m_nCode; }
    void SetCode(int v) { m_nCode = v; }
    int GetGrade() const { return m_nGrade; }
    void SetGrade(int v) { m_nGrade = v; }
    int GetSeismGrade() const { return m_nSeismGrade; }
    void SetSeismGrade(int v) { m_nSeismGrade = v; }
    int GetDesignType() const { return m_nDesignType; }
    void SetDesignType(int v) { m_nDesignType = v; }
    int GetBeamDesignType() const { return m_nBeamDesignType; }
    void SetBeamDesignType(int v) { m_nBeamDesignType = v; }
    int GetDLLimit() const { return m_nDLLimit; }
    void SetDLLimit(int v) { m_nDLLimit = v; }
    int GetLLimit() const { return m_nLLimit; }
    void SetLLimit(int v) { m_nLLimit = v; }
    float GetOtherLimit() const { return m_fOtherLimit; }
    void SetOtherLimit(float v) { m_fOtherLimit = v; }
    float GetSeismM() const { return m_fSeismM; }
    void SetSeismM(float v) { m_fSeismM = v; }
    float GetSeismV() const { return m_fSeismV; }
    void SetSeismV(float v) { m_fSeismV = v; }
    float GetSeismN() const { return m_fSeismN; }
    void SetSeismN(float v) { m_fSeismN = v; }
    void SetStiffLimit(float v) { m_nStiffLimit = (int)v; }
    float GetStiffLimit() const { return (float)m_nStiffLimit; }
    int GetType() const { return m_nType; }
    void SetType(int t) { m_nType = t; }
    CSectionBase* GetSection() const { return m_pSection; }
    // Gives the member a section: the one way the section key, the section panel and its
    // picking commands do it. The check object and every result are freed also when the
    // section stays the same, so the next check runs for it afresh. A member of one of the
    // groups whose section is another leaves that group. A frame member (not a secondary
    // beam) is aligned again and its cornice follows the plan view when one is given.
    void SetSection(CSectionBase* sec, CBeamGroupList* groups = nullptr, CMatrix2D* plan = nullptr);
    // The same with the model's member groups and plan view (none without a model root).
    void SetSection(CSectionBase* sec, CGlobalData* data);
    CBeamBindRelease* GetBeamBindRelease() const { return m_pRelease; }
    void SetBeamBindRelease(CBeamBindRelease* r) { m_pRelease = r; }
    // Shear-stud design of a composite beam with a stud group: the stud spacing (cm) that
    // carries the longitudinal shear of half the span. code 0 success, 1 studs shorter than
    // the sheet's rib height plus 30 mm (no reduction taken), 2 no slab laid, 3 the slab's
    // negative reinforcement missing; the spacing is 0 for 2 and 3.
    float VyrComBeamPinDesign(CLCList* combinations, CPinNailGroup* group, int& code, CMaterialBase* slabConcrete);
    // Fixes what the stud design answers for this member (spacing in cm, code as above), in
    // place of the design rule, as an analysis result is stored; ClearPinDesign returns to the rule.
    void SetPinDesign(float spacing, int code)
    {
        m_bPinDesignGiven = true;
        m_fPinDesignSpacing = spacing;
        m_nPinDesignCode = code;
    }
    void ClearPinDesign() { m_bPinDesignGiven = false; }
    // The room whose slab the member carries (its own room for a secondary beam, a room of
    // its storey that it bounds for an ordinary member), or null.
    CPlane* GetSlabPlane() const;
    // Moment releases about axes 2 and 3 at the two ends (0 restrained, 1 released).
    void GetBeamBindRelease(int& s2, int& s3, int& e2, int& e3) const;
    // The member's design: sections are not optimised here, so it is its check.
    void CheckOrDesign() { Check(); }
    // The member's design check. The code computation belongs to the analysis engine: a
    // check keeps a copy of the answer prepared for the member (SetCheckAnswer) as its
    // result m_pCheckResult, none when nothing was prepared, and counts that it ran.
    void Check();
    // Writes the member's calculation report through m_pOutput (nothing while that is
    // null): its check result, and with bDetail its deformations and detailing values.
    void CheckOutput(bool bDetail);
    // What the member's checks answer from now on; the model builder or a test prepares it.
    void SetCheckAnswer(const CheckResult& answer);
    // Checks run on this member (read safely while a worker checks).
    int GetCheckCount() const { return m_nCheckCount.load(); }

    // The stored check result as the member check report shows it: six ratios (computed
    // value over limit) and six texts, written into the first six entries (the vectors grow
    // to six when shorter); false, nothing written, while the member has no result.
    // Capacity: normal stress, shear about 2 and 3, combined stress, overall stability
    // about 2 and 3. Deformation: beam D+L, beam L, slope change, column-top drift X and Y,
    // axial compression ratio. Detailing: flange and web under static and seismic load,
    // slenderness about 2 and 3.
    bool GetCapacityCheckResult(std::vector<CReal>& ratios, std::vector<CString>& texts) const;
    bool GetDispCheckResult(std::vector<CReal>& ratios, std::vector<CString>& texts) const;
    bool GetConstructCheckResult(std::vector<CReal>& ratios, std::vector<CString>& texts) const;
    // A reinforced or steel-reinforced concrete member: a coupling beam, a wall pier or a
    // member of a steel-concrete hybrid section. Its design is the concrete design.
    bool IsConcreteBeam() const;
    // The axial compression ratio of the check result (0 while there is none).
    float GetAxialRatio() const { return m_pCheckResult != nullptr ? m_pCheckResult->fOther[6] : 0.0f; }
    // The description of design parameter k (0 to 12): code, special design method, design
    // type, grade, seismic force adjustment, effective lengths, own limits, wind factor of
    // envelope members, vertical force adjustment of beams, composite action with the slab,
    // studs, web stiffeners, web opening. Empty for another k.
    CString GetDParaDescripiton(int k) const;
    // Writes the stored reinforcement areas (cm2) on one line after the member's label;
    // nothing while none is stored.
    void TextOutConcreteResult(COutput& out);
    // The member's number as reports print it after GetTypeDescription().
    virtual CString GetNumberText() const;

    // End nodes first: the hit tests read little else of a member.
    CPNode* m_pNode1 = nullptr;
    CPNode* m_pNode2 = nullptr;
    int m_nSubNo = 0;                  // number of a secondary beam
    int m_nId = 0;
    CFloor* m_pFloor = nullptr;
    CAxial* m_pXAxial = nullptr;
    CAxial* m_pYAxial = nullptr;
    int m_nNo = 0;                     // member number
    CObject* m_pCheck = nullptr;       // owned design-check results
    CheckResult* m_pCheckResult = nullptr; // owned, null while none
    CConcreteDesignResult* m_pConcreteResult = nullptr; // owned, null while none
    int m_nGroupId = 0;
    int m_nCode = 0;
    int m_nGrade = 0;
    int m_nSeismGrade = 0;
    int m_nDesignType = 0;
    int m_nBeamDesignType = 0;
    CPinNailGroup* m_pPinNailGroup = nullptr;
    int m_nDLLimit = 0;
    int m_nLLimit = 0;
    float m_fOtherLimit = 0.0f;
    float m_fSeismM = 1.0f;
    float m_fSeismV = 1.0f;
    float m_fSeismN = 1.0f;
    int m_nStiffLimit = 0;
    int m_nType = 0;
    CSectionBase* m_pSection = nullptr;
    bool m_bTaper = false;
    CBeamBindRelease* m_pRelease = nullptr;
    CMemberOffset* m_pOffset = nullptr;
    CBeamWebHole* m_pWebHole = nullptr; // owned, null = none
    int m_nSelect = 0;
    float m_fInitStress = 0.0f;
    int m_nTempFlag[4] = {0, 0, 0, 0};
    COutput* m_pOutput = nullptr;       // report writer, set only while a report is written
    bool m_bPinDesignGiven = false;     // stud design answer fixed by SetPinDesign
    float m_fPinDesignSpacing = 0.0f;
    int m_nPinDesignCode = 0;
    std::unique_ptr<CheckResult> m_pCheckAnswer; // what Check takes; null: nothing prepared
    std::atomic<int> m_nCheckCount{0};
    std::map<int, std::array<CStationValues, STATION_COMPONENTS>> m_mapStation;

protected:
    // The work of ComputeCurrentForce and ComputeCoverForce on a kind's two arrays.
    void FillCurrentForce(int component, const CLoadCombination* lc, float* f, float* f1) const;
    void FillCoverForce(int component, float* f, float* f1) const;
};

// Member lists hold the ordinary members (beams, columns, braces, secondary beams) and the
// coupling beams and wall piers that belong to walls; panels, queries and selections tell
// them apart.
inline bool IsOrdinaryMember(CBeamBase* b) { return b->toBeam() != nullptr || b->toSubBeam() != nullptr; }
inline bool IsInWallMember(CBeamBase* b) { return b->toBeamInWall() != nullptr || b->toColumnInWall() != nullptr; }

// Member loads of ordinary members and secondary beams (never null; the records belong to
// the structure): dead, live, wind X, Y, -X, -Y.
struct CMemberLoads
{
    CMemberLoads();
    ~CMemberLoads();
    CMemberLoads(const CMemberLoads&) = delete;
    CMemberLoads& operator=(const CMemberLoads&) = delete;
    CLoadBeamList* m_pDeadLoadList;
    CLoadBeamList* m_pLiveLoadList;
    CLoadBeamList* m_pWindLoadList[4];
};

class CBeam : public CBeamBase, public CMemberLoads
{
    DECLARE_DYNAMIC(CBeam)
public:
    CBeam() = default;
    CBeam(int no, CPNode* n1, CPNode* n2, int type) : CBeamBase(no, n1, n2, type) {}
    ~CBeam() override;

    CString GetDescription() override;
    CBeam* toBeam() override { return this; }
    float GetF(int i) override { return m_fF[i]; }
    float GetF1(int i) override { return m_fF1[i]; }
    void ComputeCurrentForce(int c, CLoadCombination* lc, float) override { FillCurrentForce(c, lc, m_fF, m_fF1); }
    void ComputeCoverForce(int c) override { FillCoverForce(c, m_fF, m_fF1); }
    CPinNailGroup* GetPinNailGroup() { return m_pPinNailGroup; }
    void AdjustCornice(CMatrix2D&) {}
    // Axial force (kN) under a temperature change of t degrees, the member held at both
    // ends: -alpha E A t with the steel's alpha = 1.2e-5 per degree and the section's E and
    // area, so a rise compresses (negative); 0 without a section.
    float GetTemperatureN(float t) const;

    CBeamRigid* m_pRigid = nullptr;
    int m_nTurn = 0;                           // 1: turned around (ends swapped)
    int m_nFlip = 0;                           // 1: flipped about its axis
    float m_fTension = 0.0f;                   // initial tension
    CLoadTemperature* m_pTemperature[4] = {};  // temperature loads 1 to 4, null = none
    // One CLoadCraneBeamList per crane case that loads the member, with the case's number;
    // the member owns the lists, the structure the load records they name.
    CObArray m_arrCraneBeamLoad;
    float m_fF[12] = {};
    float m_fF1[12] = {};
};

class CSubBeam : public CBeamBase, public CMemberLoads
{
    DECLARE_DYNAMIC(CSubBeam)
public:
    CSubBeam() { m_nType = 5; }
    CSubBeam(int no, CPNode* n1, CPNode* n2) : CBeamBase(no, n1, n2, 5) {}
    ~CSubBeam() override = default;

    CString GetDescription() override;
    CSubBeam* toSubBeam() override { return this; }
    // Storey, room and index within the room: "楼层-房间-序号".
    CString GetNumberText() const override;
    bool IsAllRelease() override { return true; }
    float GetF(int i) override { return m_fF[i]; }
    float GetF1(int i) override { return m_fF1[i]; }
    void ComputeCurrentForce(int c, CLoadCombination* lc, float) override { FillCurrentForce(c, lc, m_fF, m_fF1); }
    void ComputeCoverForce(int c) override { FillCoverForce(c, m_fF, m_fF1); }
    CPinNailGroup* GetPinNailGroup() { return m_pPinNailGroup; }

    CPlane* m_pPlane = nullptr; // the room that holds the beam
    float m_fF[12] = {};
    float m_fF1[12] = {};
};

// The load lists of an ordinary member or a secondary beam; null for a member in a wall.
inline CMemberLoads* GetMemberLoads(CBeamBase* b)
{
    if (CBeam* beam = b->toBeam())
        return beam;
    if (CSubBeam* sub = b->toSubBeam())
        return sub;
    return nullptr;
}

// The outline of a member in a wall: its four corners in the wall's plane, bottom start,
// bottom end, top end, top start, and the width its plan shows (the wall's thickness).
// Until an outline is set the corners are the member's end nodes, start, end, end, start.
class CInWallOutline
{
public:
    void SetOutline(const CPoint3D& p1, const CPoint3D& p2, const CPoint3D& p3, const CPoint3D& p4, float planWidth);
    bool HasOutline() const { return m_bOutline; }

    CPoint3D m_ptCorner[4];
    float m_fPlanWidth = 0.0f;
    bool m_bOutline = false;

protected:
    // Corner i (1 to 4; another index stops the program) of a member with these end nodes.
    CPoint3D Corner(int i, const CPNode* n1, const CPNode* n2) const;
};

class CBeamInWall : public CBeamBase, public CInWallOutline
{
    DECLARE_DYNAMIC(CBeamInWall)
public:
    CBeamInWall() { m_nType = 11; }
    CBeamInWall(int no, CPNode* n1, CPNode* n2) : CBeamBase(no, n1, n2, 11) {}
    CString GetDescription() override;
    CBeamInWall* toBeamInWall() override { return this; }
    // Corner i, 1 to 4.
    CPoint3D GetPoint(int i) const { return Corner(i, m_pNode1, m_pNode2); }
    CWall* m_pWall = nullptr;
};

class CColumnInWall : public CBeamBase, public CInWallOutline
{
    DECLARE_DYNAMIC(CColumnInWall)
public:
    CColumnInWall() { m_nType = 12; }
    CColumnInWall(int no, CPNode* n1, CPNode* n2) : CBeamBase(no, n1, n2, 12) {}
    CString GetDescription() override;
    CColumnInWall* toColumnInWall() override { return this; }
    // Corner i, 1 to 4.
    CPoint3D GetPoint(int i) const { return Corner(i, m_pNode1, m_pNode2); }
    CWall* m_pWall = nullptr;
};

// A wall-model member holding its end nodes as node-base pointers.
class CWallBeam : public CMemberBase
{
    DECLARE_DYNAMIC(CWallBeam)
public:
    CWallBeam() = default;
    CWallBeam(CPNodeBase* a, CPNodeBase* b) : m_pN1(a), m_pN2(b) {}
    virtual CPNodeBase* GetNode1() { return m_pN1; }
    virtual CPNodeBase* GetNode2() { return m_pN2; }
    CPNodeBase* m_pN1 = nullptr;
    CPNodeBase* m_pN2 = nullptr;
};

class CBeamList : public CModelList<CBeamBase, false>
{
public:
    CBeamList() = default;
    void SetSelect(int s);
    void DetachBeam(CBeamBase* b) { Detach(b); }
    // The member if the list holds it, else null.
    CBeamBase* IsSameBeam(CBeamBase* b) const { return Contains(b) ? b : nullptr; }
    // The list holds a concrete member (CBeamBase::IsConcreteBeam).
    bool IsHaveConcreteMember() const;
};
class CSubBeamList : public CBeamList
{
};
class CMemberBaseList : public CModelList<CMemberBase, false>
{
};

enum BEAMTYPE
{
    BEAMTYPE_NONE = 0,
    BEAMTYPE_COLUMN = 1,
    BEAMTYPE_BEAM = 2,
    BEAMTYPE_BRACE = 3,
    BEAMTYPE_SUBBEAM = 5,
};

class CBeamGroup : public CObject
{
    DECLARE_DYNAMIC(CBeamGroup)
public:
    CBeamGroup();
    ~CBeamGroup() override;
    CBeamGroup(const CBeamGroup&) = delete;
    CBeamGroup& operator=(const CBeamGroup&) = delete;

    void GetDescription(CString* out) const { out->Format("%s", m_strName.GetString()); }
    BEAMTYPE GetType() const { return m_nType; }
    CSectionBase* GetOptimizeSection() const { return m_pOptSection; }
    int GetPos() const { return m_nPos; }
    void SetPos(int p) { m_nPos = p; }
    void ChangeSelect() { m_nSelectFlag = m_nSelectFlag == 0 ? 1 : 0; }
    int GetSelectFlag() const { return m_nSelectFlag; }
    int GetSelect() const { return m_nSelect; }
    float GetCurMaxRatio() const { return m_fCurMaxRatio; }
    void SetOptDiscreteSection(COptDiscreteSection* p) { m_pOptDiscrete = p; }
    int GetLinkStartGroupId() const { return m_nLinkStartGroupId; }
    void SetLinkStartGroupId(int id) { m_nLinkStartGroupId = id; }
    void SetLockB(int v) { m_nLock = v; }
    int GetIsOnFloorBeam() const { return m_nOnFloorBeam; }
    void SetIsOnFloorBeam(int v) { m_nOnFloorBeam = v; }
    CString GetTypeDescription() const;
    // Quantities of the group's members; with 1 only the selected members, with 0 all:
    // length (cm), steel weight (t), concrete volume (m3) and cost (unit prices of the
    // group's price entry: rolled steel per t, concrete per m3; none without an entry).
    float GetLength(int selected) const;
    float GetWeight(int selected) const;
    float GetConcreteVolume(int selected) const;
    float GetCost(int selected) const;
    float GetUniCost() const;
    float GetUniConcreteCost() const;
    // The section's type code and its material's type (0 without them).
    int GetSecType() const;
    int GetMType() const;
    void SetOptSection(CSectionBase* sec) { m_pOptSection = sec; }
    // A group starts as the head of its own link chain.
    void InitLinkGroup() { m_nLinkStartGroupId = m_nNo; }

    int m_nNo = 0;
    CString m_strName;
    CBeamList* m_pBeamList;  // owned list, pointers to the structure's members
    BEAMTYPE m_nType = BEAMTYPE_NONE;
    CSectionBase* m_pSection = nullptr;
    CSectionBase* m_pOptSection = nullptr;
    int m_nPos = 0;
    int m_nSelectFlag = 0;
    int m_nSelect = 0;
    float m_fCurMaxRatio = 0.0f;
    COptDiscreteSection* m_pOptDiscrete = nullptr;
    int m_nLinkStartGroupId = 0;
    int m_nLock = 0;
    int m_nOnFloorBeam = 0;
    float m_fSelLength = 0.0f;
};

class CBeamBind : public CObject
{
    DECLARE_DYNAMIC(CBeamBind)
public:
    void SetSelect() { m_bSelect = m_bSelect ? 0 : 1; }
    void SetSelect(bool b) { m_bSelect = b ? 1 : 0; }
    CNodeLink* GetNodeLink() { return m_pNodeLink; }
    unsigned char m_bSelect = 0;
    CNodeLink* m_pNodeLink = nullptr;
};

// End eccentricities: start along axes 2 and 3, end along axes 2 and 3 (model lengths).
class CMemberOffset : public CObject
{
    DECLARE_DYNAMIC(CMemberOffset)
public:
    CMemberOffset() = default;
    CMemberOffset(double s2, double s3, double e2, double e3) : m_dOffset{s2, s3, e2, e3} {}
    // The four offsets, start then end, in model lengths.
    void GetDescription(CString* text) const;
    int m_nNo = 0;
    double m_dOffset[4] = {0, 0, 0, 0};
};

// End releases: the four flags start 2, start 3, end 2, end 3 (1 released), and the type,
// 0 free sliding, 1 free rotation. Built in the order the release dialog reads its boxes:
// the flags, then the type.
class CBeamBindRelease : public CObject
{
    DECLARE_DYNAMIC(CBeamBindRelease)
public:
    CBeamBindRelease() = default;
    CBeamBindRelease(int s2, int s3, int e2, int e3, int type) : m_nType(type), m_nFlag{s2, s3, e2, e3} {}
    int GetType() const { return m_nType; }
    // The type and the released directions of each end.
    void GetDescription(CString* text) const;
    int m_nNo = 0;
    int m_nType = 0;
    int m_nFlag[4] = {0, 0, 0, 0};
};

// Rigid arm: start and end arm lengths (signed, model lengths). An extending arm has a
// negative start and a positive end, an indented one the reverse.
class CBeamRigid : public CObject
{
    DECLARE_DYNAMIC(CBeamRigid)
public:
    CBeamRigid() = default;
    CBeamRigid(double s, double e) : m_dStart(s), m_dEnd(e) {}
    // Extending ("外伸") or indented ("缩进"). A start of 0 says nothing: the end's sign decides.
    bool IsExtending() const { return m_dStart < 0.0 || (m_dStart == 0.0 && m_dEnd > 0.0); }
    // The kind and the two arm lengths, unsigned, in model lengths.
    void GetDescription(CString* text) const;
    int m_nNo = 0;
    double m_dStart = 0.0;
    double m_dEnd = 0.0;
};

// Web opening of an H member: type 1 rectangular, 2 circular; position and size in mm.
class CBeamWebHole : public CObject
{
    DECLARE_DYNAMIC(CBeamWebHole)
public:
    CBeamWebHole() = default;
    // type 1 rectangle, 2 circle (height the diameter); x along the member from its start,
    // y across the web from its edge at the start corner, to the opening's centre.
    CBeamWebHole(int type, float x, float y, float height, float width)
        : m_nType(type), m_fX(x), m_fY(y), m_fH(height), m_fB(width)
    {
    }
    int m_nType = 1;
    float m_fX = 0, m_fY = 0, m_fH = 0, m_fB = 0;
};

class CBeamFireGroup : public CObject
{
    DECLARE_DYNAMIC(CBeamFireGroup)
public:
    CString m_strName;
};

// The three member-end libraries number their definitions by position, from 1, after every
// add and delete. The release and rigid-arm libraries refuse a definition equal to one they
// hold: Add answers false and the definition stays the caller's, to be deleted by it.
class CBeamRigidList : public CModelList<CBeamRigid, true>
{
public:
    bool Add(CBeamRigid* p);
    // Deletes the definition at the position; the rest are numbered again.
    void Delete(int number);
};
class CBeamBindReleaseList : public CModelList<CBeamBindRelease, true>
{
public:
    bool Add(CBeamBindRelease*& p);
    void Delete(int number);
};
class CMemberOffsetList : public CModelList<CMemberOffset, true>
{
public:
    // Takes every definition, repeats included.
    void Add(CMemberOffset*& p);
    void Delete(int number);
};
class CBeamGroupList : public CModelList<CBeamGroup, true>
{
public:
    // Appends a group, which the list then owns, and numbers it with its position.
    void Add(CBeamGroup* g);
    // The existing group of the same type and section, or null; flag 0 when the candidate's
    // members belong to the group found, 1 when none is found.
    CBeamGroup* IsOldBeamGroup(CBeamGroup* g, int& flag) const;
};
class CBeamFireGroupList : public CModelList<CBeamFireGroup, true>
{
};
class CBeamBindList : public CModelList<CBeamBind, false>
{
};
