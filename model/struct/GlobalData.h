// The model root: the structure, the user's selection, the view transformations, unit
// factors, project identity and the program type. Copies share everything with the root
// they were copied from.
#pragma once

#include <cstdint>
#include <memory>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/Axises.h>
#include <vyr/model/struct/EditStack.h>
#include <vyr/model/struct/ObjKind.h>
#include <vyr/model/struct/Struct.h>
#include <vyr/model/struct/StructSketch.h>
#include <vyr/model/struct/ViewXform.h>

class CGridCtrl;
class CHitIndex;

// Project information shown in the project panel.
class CVyrProjectInfo
{
public:
    // Writes the information into a two-column grid below its header row (row 0, kept):
    // one row per item, the item's name in column 0 and its text in column 1, in this
    // order: "工程名称" (the record's project name, else the name given), "工程路径" (the
    // path given), "设计人", "校对人", "日期", "备注". Rows below them are removed. The
    // grid belongs to the common library (model/grid), where this is defined.
    void Output(CGridCtrl* pGrid, const CString& strPath, const CString& strName) const;

    CString m_strProject;  // "工程名称"
    CString m_strDesigner; // "设计人"
    CString m_strChecker;  // "校对人"
    CString m_strDate;     // "日期"
    CString m_strNote;     // "备注"
};

class CGlobalData
{
public:
    // Object kinds of the selection and edit operations, and every kind at once.
    enum
    {
        KIND_NODE = OBJKIND_NODE,
        KIND_BEAM = OBJKIND_BEAM,
        KIND_WALL = OBJKIND_WALL,
        KIND_PLANE = OBJKIND_PLANE,
        KIND_BCINWALL = OBJKIND_BCINWALL,
        KIND_ALL = 100
    };

    CGlobalData();
    CGlobalData(const CGlobalData& o) = default;
    CGlobalData& operator=(const CGlobalData& o) = default;
    ~CGlobalData() = default;

    CStruct* Struct() const { return m_pStruct; }
    int& ProgramType() { return *m_pProgramType; }
    CBeamList& SelectBeamList() { return *m_pSelectBeamList; }
    CPNodeList& SelectNodeList() { return *m_pSelectNodeList; }
    CWallList& SelectWallList() { return *m_pSelectWallList; }
    CPlaneList& SelectPlaneList() { return *m_pSelectPlaneList; }
    float& UnitLength() { return *m_pUnitLength; }
    float& UnitForce() { return *m_pUnitForce; }
    CMatrix2D& Matrix2D() { return *m_pMatrix2D; }
    CMatrix3D& Matrix3D() { return *m_pMatrix3D; }
    CAxisDisplay& AxisDisplay() { return *m_pAxisDisplay; }
    CStructSketch& StructSketch() { return *m_pStructSketch; }
    CString& ProjectPath() { return *m_pProjectPath; }
    CString& ProjectName() { return *m_pProjectName; }
    CVyrProjectInfo& ProjectInfo() { return *m_pProjectInfo; }
    int& CurrentFreID() { return *m_pCurrentFreID; }
    void SetCurrentFreID(int id) { *m_pCurrentFreID = id; }
    int& Gravity() { return *m_pGravity; }
    int& CurrentStructureType() { return *m_pStructureType; }
    int& FloorSeismAdjust() { return *m_pFloorSeismAdjust; }
    int& FrameSeismAdjust() { return *m_pFrameSeismAdjust; }
    int& SeismAdjustStartNo() { return *m_pSeismAdjustStartNo; }
    int& SeismAdjustEndNo() { return *m_pSeismAdjustEndNo; }

    CBasicLCList* GetCurBasicLCList() const { return m_pStruct->m_pBasicLCList; }
    // The combinations of each kind: fundamental, characteristic, quasi-permanent. Each
    // entry is also in the structure's list (m_pLCList), which owns it; these only forget.
    CLCList* GetSLCList() const { return m_pSLCList; }
    CLCList* GetSDispLCList() const { return m_pSDispLCList; }
    CLCList* GetSDeflateLCList() const { return m_pSDeflateLCList; }
    // The current combination: an object of the root holding a copy, never an entry of a
    // list, so that deleting entries cannot leave it dangling. Empty while none is chosen.
    CLoadCombination* GetCurrentLC() const { return m_pCurrentLC; }
    // Makes the current combination a copy of lc (empty for null).
    void SetCurrentLC(const CLoadCombination* lc) { m_pCurrentLC->Fill(lc); }
    // Generates the three kinds of combination from the basic cases and the structure list's
    // parameters (rules in the README). With true every combination is deleted first; with
    // false a generated combination that its kind's list already holds (IsEqual) is not
    // added again. Then the combinations are renumbered through the three kinds in turn and
    // the current combination becomes a copy of its equal in the lists, else of the first.
    void ReSetLoadCombination(bool deleteFirst);

    // Hit tests in client pixels of the view of Matrix3D and Matrix2D. The hits keep the
    // order of the candidates. An empty rectangle hits nothing. The member and node tests
    // over a long candidate list go through an index of the list kept between calls; it
    // follows the list's insertions and removals, node moves through SetPt and view changes
    // (not positions written straight into a node's m_pt).
    void BeamPointSelect(CBeamList& cand, const CPoint2D& pt, CBeamList& hits);
    void BeamWindowSelect(CBeamList& cand, const CRect2D& rc, CBeamList& hits);
    void BeamCrossSelect(CBeamList& cand, const CRect2D& rc, CBeamList& hits);
    void NodePointSelect(CPNodeList& cand, const CPoint2D& pt, CPNodeList& hits);
    void NodeWindowSelect(CPNodeList& cand, const CRect2D& rc, CPNodeList& hits);
    void WallPointSelect(CWallList& cand, const CPoint2D& pt, CWallList& hits);
    void WallWindowSelect(CWallList& cand, const CRect2D& rc, CWallList& hits);
    void WallCrossSelect(CWallList& cand, const CRect2D& rc, CWallList& hits);
    void PlanePointSelect(CPlaneList& cand, const CPoint2D& pt, CPlaneList& hits);
    void PlaneWindowSelect(CPlaneList& cand, const CRect2D& rc, CPlaneList& hits);
    void PlaneCrossSelect(CPlaneList& cand, const CRect2D& rc, CPlaneList& hits);
    void BCInWallPointSelect(CBeamList& cand, const CPoint2D& pt, CBeamList& hits);
    void BCInWallWindowSelect(CBeamList& cand, const CRect2D& rc, CBeamList& hits);
    void BCInWallCrossSelect(CBeamList& cand, const CRect2D& rc, CBeamList& hits);

    // Client-pixel rectangles enclosing the listed objects (zeros for an empty list).
    CRect2D GetBeamScreenRect(CBeamList& list);
    CRect2D GetNodeScreenRect(CPNodeList& list);
    CRect2D GetWallScreenRect(CWallList& list);
    CRect2D GetPlaneScreenRect(CPlaneList& list);
    CRect2D GetBCInWallScreenRect(CBeamList& list);

    // Fits the selected objects of a kind (or 100) into the client rectangle; nothing
    // changes when nothing of the kind is selected.
    void PositionSelected(int kind, CRect& client);
    // The selected objects' rectangle in the projection plane (zeros when none).
    CRect2D GetSelectedProjectRect(int kind);
    // Removes the selected objects of a kind (or 100) from the model with everything that
    // depends on them (members on a deleted node, rooms bounded by a deleted member, ...)
    // and records the change in the undo record, which then holds the removed objects.
    void DeleteSelected(int kind, CEditStackNode& undo);

    // Pick tolerance of the point hit tests, in pixels.
    static constexpr double kPickTolerance = 5.0;

    // How the member and node hit tests find their candidates: HIT_AUTO indexes a list of
    // kIndexFrom candidates or more and scans a shorter one. The plain scan, and the index on
    // every list, are there for tests that compare the two.
    enum HitPath
    {
        HIT_AUTO,
        HIT_SCAN,
        HIT_INDEX
    };
    static constexpr int kIndexFrom = 1024;
    void SetHitPath(HitPath path);

    // The view of the current matrices, with a stamp that changes when they change.
    const CViewXform& GetViewXform();
    // A model point in client pixels and in the projection plane under the current view.
    CPoint2D ToScreen(const CPoint3D& p) { return GetViewXform().ToScreen(p); }
    CPoint2D ToPlane(const CPoint3D& p) { return GetViewXform().ToPlane(p); }
    // A node's client-pixel point under the current view (also kept as its GetScreenPt()).
    const CPoint2D& GetNodeScreenPt(const CPNodeBase* n) { return n->GetScreenPt(GetViewXform()); }

private:
    // The index of a candidate list (kind: CHitIndex::Kind) brought up to date, or null when
    // the list is to be scanned.
    CHitIndex* HitIndexFor(const CObList& list, uint64_t serial, int kind);

    struct Shared;
    std::shared_ptr<Shared> m_pShared; // keeps the state alive while any copy refers to it

    CStruct* m_pStruct;
    int* m_pProgramType;
    CBeamList* m_pSelectBeamList;
    CPNodeList* m_pSelectNodeList;
    CWallList* m_pSelectWallList;
    CPlaneList* m_pSelectPlaneList;
    float* m_pUnitLength;
    float* m_pUnitForce;
    CMatrix2D* m_pMatrix2D;
    CMatrix3D* m_pMatrix3D;
    CAxisDisplay* m_pAxisDisplay;
    CStructSketch* m_pStructSketch;
    CString* m_pProjectPath;
    CString* m_pProjectName;
    CVyrProjectInfo* m_pProjectInfo;
    int* m_pCurrentFreID;
    int* m_pGravity;
    int* m_pStructureType;
    int* m_pFloorSeismAdjust;
    int* m_pFrameSeismAdjust;
    int* m_pSeismAdjustStartNo;
    int* m_pSeismAdjustEndNo;
    CLCList* m_pSLCList;
    CLCList* m_pSDispLCList;
    CLCList* m_pSDeflateLCList;
    CLoadCombination* m_pCurrentLC;
    CViewXform* m_pXform;
};
