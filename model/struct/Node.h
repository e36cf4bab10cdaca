// Nodes of the structure model: the common node data, grid nodes, nodes on members, the
// structural nodes of the model lists and the master nodes of towers.
#pragma once

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/Load.h>
#include <vyr/model/struct/ModelList.h>
#include <vyr/model/struct/ViewXform.h>

class CBeamBase;
class CBeamList;
class CWallList;
class CDC;
class CSupportBase;
class CPNodeChecker;
struct CNodeCheckItem;
class CMainNode;
class CLoadCombination;
class CLCList;
class COutput;
struct IStream;

enum NODETYPE
{
    NODE_NORMAL = 0,
    NODE_GRID = 1,
    NODE_SUB = 2,
    NODE_MAIN = 3,
    NODE_TRUSS = 4, // a node of a truss, so labelled in the node drawings
};

class CPNodeBase : public CObject
{
    DECLARE_DYNAMIC(CPNodeBase)
public:
    CPNodeBase();
    explicit CPNodeBase(const CPoint3D& pt);
    ~CPNodeBase() override;

    virtual void Save(IStream*) {}
    virtual void Load(IStream*) {}
    virtual int GetMainNodeId() { return 0; }

    int GetType() const { return (int)m_nType; }
    void SetType(NODETYPE t) { m_nType = t; }
    int GetSelect() const { return m_nSelect; }
    const CPoint3D& GetPt() const { return m_pt; }
    void SetPt(const CPoint3D& p)
    {
        m_pt = p;
        NoteMove(this);
    }
    // Changes whenever any node is moved through SetPt, so that a reader that keeps node
    // positions (the object snap, the hit tests) knows at a glance that it must look again.
    // A position written straight into m_pt is not counted.
    static long GetMoveCount() { return s_nMoves.load(std::memory_order_acquire); }
    // The nodes moved through SetPt since the count was `since`, oldest first, a node once
    // per move. False when the record of the latest moves no longer reaches back that far
    // (the reader then looks at every node again). The pointers are only names: a node
    // moved and then deleted is still listed.
    static bool GetMovedSince(long since, std::vector<const CPNodeBase*>& moved);

    // The node in the projection plane and in client pixels under a view; cached per view
    // and per position, so a moved node or a changed view is never served stale.
    const CPoint2D& GetProjectPt(const CViewXform& v) const { Refresh(v); return m_ptProject; }
    const CPoint2D& GetScreenPt(const CViewXform& v) const { Refresh(v); return m_ptScreen; }
    // The screen point and plane point of the last projection (what snapping and drawing read).
    const CPoint2D& GetScreenPt() const { return m_ptScreen; }
    const CPoint2D& GetProjectPt() const { return m_ptProject; }

    NODETYPE m_nType = NODE_NORMAL;
    int m_nSelect = 0;
    CPoint3D m_pt;

private:
    void Refresh(const CViewXform& v) const
    {
        if (m_nStamp == v.stamp && m_dCached[0] == m_pt.x && m_dCached[1] == m_pt.y && m_dCached[2] == m_pt.z)
            return;
        m_ptProject = v.ToPlane(m_pt);
        m_ptScreen = v.PlaneToScreen(m_ptProject);
        m_dCached[0] = m_pt.x;
        m_dCached[1] = m_pt.y;
        m_dCached[2] = m_pt.z;
        m_nStamp = v.stamp;
    }
    // The cache check reads these right after the position, close together.
    mutable long m_nStamp = -1;
    mutable double m_dCached[3] = {0, 0, 0};
    mutable CPoint2D m_ptScreen;
    mutable CPoint2D m_ptProject;
    static void NoteMove(const CPNodeBase* node);
    inline static std::atomic<long> s_nMoves{0};
};

// Displacement of a grid node under one load case (dx, dy, dz, rx, ry, rz).
struct CPNodeDisp
{
    float d[6] = {0, 0, 0, 0, 0, 0};
};
class CPNodeDispArray : public std::vector<CPNodeDisp>
{
};

class CPGridNode : public CPNodeBase
{
    DECLARE_DYNAMIC(CPGridNode)
public:
    CPGridNode() { m_nType = NODE_GRID; }
    ~CPGridNode() override {}
    void SetMainNodeId(int id) { m_nMainNodeId = id; }
    int GetMainNodeId() override { return m_nMainNodeId; }

    int m_nMainNodeId = 0;
    CPNodeDispArray m_arrDisp;
    CPNodeDisp m_Disp;
};

class CPSubNode : public CPNodeBase
{
    DECLARE_DYNAMIC(CPSubNode)
public:
    CPSubNode() { m_nType = NODE_SUB; }
    explicit CPSubNode(CBeamBase* beam) : m_pBeam(beam) { m_nType = NODE_SUB; }
    ~CPSubNode() override {}
    CBeamBase* GetBeam() { return m_pBeam; }

    CBeamBase* m_pBeam = nullptr;
};

class CPNode : public CPNodeBase
{
    DECLARE_DYNAMIC(CPNode)
public:
    CPNode();
    CPNode(int no, const CPoint3D& pt);
    ~CPNode() override;
    CPNode(const CPNode&) = delete;
    CPNode& operator=(const CPNode&) = delete;

    void SetSelect(int s) { m_nSelect = s ? 1 : 0; }
    void SetSelect() { m_nSelect = m_nSelect ? 0 : 1; }
    // Gives the node a support of the project's support library (null: no support).
    void SetSupport(CSupportBase* s) { m_pSupport = s; }
    CSupportBase* GetSupport() const { return m_pSupport; }
    CMainNode* GetMainNode() { return m_pMainNode; }
    // The panel-zone type as the design property drawing writes it.
    CString GetNodeDomainTypeDescription() const { return m_nDomainType == 1 ? "加强节点域" : "普通节点域"; }
    int GetNo() const { return m_nNo; }

    int m_nNo = 0;             // node number
    int m_nCalNo = 0;          // number in the analysis numbering
    CMainNode* m_pMainNode = nullptr;
    CSupportBase* m_pSupport = nullptr;
    CPNodeChecker* m_pChecker = nullptr; // owned check record, null while none
    int m_nKind = 0;                     // kind code
    int m_nDomainType = 0;               // panel-zone type: 0 ordinary, 1 stiffened
    double m_dDeadFz = 0.0;              // dead-load vertical force (negative downwards)
    double m_dLiveFz = 0.0;              // live-load vertical force
    float m_fMass = 0.0f;                // mass weight
    float m_fAddMass = 0.0f;             // additional mass weight
    float m_fVSeismMass = 0.0f;          // vertical seismic mass
    float m_fVSeismCoef = 0.0f;          // vertical seismic action coefficient
    float m_fCurDisp[6] = {0, 0, 0, 0, 0, 0};
    COutput* m_pOutput = nullptr;        // report writer, set only while a report is written
    // Loads on the node (never null; the records belong to the structure): dead, live,
    // wind X, Y, -X, -Y, and one hoist-load list per hoist load.
    CLoadNodeList* m_pDeadLoadList;
    CLoadNodeList* m_pLiveLoadList;
    CLoadWindList* m_pWindLoadList[4];
    // One CLoadCraneList per crane case that loads the node, with the case's number; the
    // node owns the lists, the structure the load records they name.
    CObArray m_arrCraneLoad;

    // Displacements (Dx, Dy, Dz, rx, ry, rz) the analysis kept per basic load case type.
    std::map<int, std::array<float, 6>> m_mapCaseDisp;
    // Fills m_fCurDisp with the combination's factored sum of the case displacements: dead
    // (type 0), live (1), its wind case (type = wind case - 1), vertical seismic (6) and
    // horizontal seismic (7 plus the seismic variant).
    void FillCurDisp(CLoadCombination* lc);

    // Support reactions (Fx, Fy, Fz, Mx, My, Mz) the analysis kept per basic load case type.
    std::map<int, std::array<float, 6>> m_mapCaseReact;
    // The reaction under a combination: the factored sum of the case reactions, combined as
    // FillCurDisp combines displacements. A free node, or a support the analysis left no
    // reactions for, gets zeros and false.
    bool GetSupportForce(CLoadCombination* lc, float force[6]) const;
    // The reaction envelope over the combinations: per component, the largest reaction and
    // the combination that gives it (the first on a tie), in the order FxMax, FyMax, FzMax,
    // MxMax, MyMax, MzMax, F-xMax, F-yMax, F-zMax (the last three the most negative forces).
    // False, zeros and nulls, when GetSupportForce has nothing or the list is empty or null.
    bool GetSupportForceMax(CLCList* list, double values[9], CLoadCombination* combinations[9]) const;
    // The displacement envelope over the combinations: the largest displacement along +x, -x,
    // +y, -y, +z, -z (magnitudes; 0 where none moves that way) and the number of the
    // combination that gives it (the first on a tie, 0 for an empty or null list).
    void GetDispMax(CLCList* list, double values[6], int numbers[6]) const;
    // The position moved by the translation of m_fCurDisp (filled by FillCurDisp, which the
    // deflections of a member ending here fill) when `displaced` is 1, else the position.
    CPoint3D GetP3D(const CPoint3D& position, int displaced) const;

    // The node's shape in each mode (translations x, y, z; index from 0), as the modal
    // analysis left it; a mode beyond the list does not move the node.
    std::vector<std::array<float, 3>> m_arrFShape;
    // The position CStruct::GuideNodeFVector prepared last (the position itself before any).
    bool GetFShapeP3D(CPoint3D* p) const;
    // Prepares the deformed position: the position plus scale x factor x the mode's shape.
    void PrepareFShape(int mode, double scale, double factor);
    CPoint3D m_ptFShape;
    bool m_bFShape = false; // m_ptFShape was prepared

    // The node check results of the check record, as (ratio, text) pairs; each answers
    // whether the node has them (false, the pairs untouched, when it has not). Panel zones
    // in the order 2-axis elastic, 3-axis elastic, 2 and 3 detailing, 2 and 3 plastic.
    bool GetCapacityCheckResult(float& r1, CString& s1, float& r2, CString& s2, float& r3, CString& s3,
                                float& r4, CString& s4, float& r5, CString& s5, float& r6, CString& s6) const;
    // Doubler plates set about axes 2 and 3, then those to add about axes 2 and 3.
    bool GetAddPlateResult(float& v1, CString& s1, float& v2, CString& s2, float& v3, CString& s3, float& v4,
                           CString& s4) const;
    // Strong column weak beam about axes 2 and 3.
    bool GetPColCheckResult(float& r2, CString& s2, float& r3, CString& s3) const;
    // Sets the results on the check record, which is made when the node has none.
    void SetCapacityCheckResult(const std::array<CNodeCheckItem, 6>& items);
    void SetAddPlateResult(const std::array<CNodeCheckItem, 4>& items);
    void SetPColCheckResult(const std::array<CNodeCheckItem, 2>& items);

    // The node's design check. The code computation belongs to the analysis engine: a check
    // keeps a copy of the answer prepared for the node (SetCheckAnswer) as its record
    // m_pChecker, none when nothing was prepared, and counts that it ran.
    void Check();
    // Writes the node's calculation report through m_pOutput (nothing while that is null):
    // its check record, and with bDetail the record's remarks.
    void CheckOutput(bool bDetail);
    // What the node's checks answer from now on; the model builder or a test prepares it.
    void SetCheckAnswer(const CPNodeChecker& answer);
    // Checks run on this node (read safely while a worker checks).
    int GetCheckCount() const { return m_nCheckCount.load(); }

    std::unique_ptr<CPNodeChecker> m_pCheckAnswer; // what Check takes; null: nothing prepared
    std::atomic<int> m_nCheckCount{0};
};

// The master node of a tower (a storey may have one per tower).
class CMainNode : public CPNode
{
    DECLARE_DYNAMIC(CMainNode)
public:
    CMainNode() { m_nType = NODE_MAIN; }
    CMainNode(int no, const CPoint3D& pt) : CPNode(no, pt) { m_nType = NODE_MAIN; }
    ~CMainNode() override {}

    float m_fTransMass = 0.0f; // translational mass (x 0.001 gives t)
    float m_fRotMass = 0.0f;   // rotational mass (x 1e-7 gives t.m2)
    // Normalised shape (X, Y, rotation) per mode.
    std::vector<std::array<float, 3>> m_arrShape;
};

class CPNodeList : public CModelList<CPNode, false>
{
public:
    CPNodeList() = default;
    // Draws each listed node as a small square at its last projection mapped by the plane
    // transformation; selected nodes larger.
    virtual void OnDraw(CDC* pDC, CRect& clip, float scale, double size, int, int, int, CMatrix2D& m2, bool bSelectOnly);
    void SetSelect(int s);
    // Extent of the listed nodes in model units: kind 0 the plan (x, y), kind 1 with the
    // heights (x, z). Model axes point up, so top is the largest and bottom the smallest
    // y (or z) and top - bottom is the height. Zeros for an empty list.
    CRect2D GetRealRect(int kind) const;
    // Makes the list the end nodes of the members and the corner nodes of the walls, each
    // once, in the order first met (members first); either list may be null.
    void SetSelectPointer(CBeamList* members, CWallList* walls);

    int m_nExtra = 0;
};

class CMainNodeList : public CModelList<CMainNode, false>
{
};

class CPGridNodeList : public CModelList<CPGridNode, false>
{
public:
    ~CPGridNodeList() override { RemoveAll(); }
};

class CPSubNodeList : public CModelList<CPSubNode, false>
{
};

// An array of node pointers; destroying it deletes no node.
class CPNodeBaseArray : public CObArray
{
public:
    ~CPNodeBaseArray() override { SetSize(0); }
};
