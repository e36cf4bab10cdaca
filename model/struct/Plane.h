// Rooms (floor areas bounded by members), their openings, and walls with openings.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/ModelList.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>

class CBan;
class CPlateSteelBarGroup;
class CMaterialBase;
class CLoadArea;
class CFloor;
class CGlobalData;
class CStruct;
struct IStream;

// An opening of a wall or a room; kind 1 rectangle, 2 circle.
class CHole : public CObject
{
    DECLARE_DYNAMIC(CHole)
public:
    CHole() = default;
    explicit CHole(int kind) : m_nKind(kind) {}
    ~CHole() override = default;

    int GetKind() const { return m_nKind; }
    // Corner i (from 1) of the opening in its plane's coordinates.
    virtual CPoint3D GetVexPt(int i) const;

    virtual void Save(IStream*) {}
    virtual void Load(IStream*) {}
    virtual void SaveInfo(IStream*) {}
    virtual CHole& operator=(const CHole& o);
    virtual bool IsSame(CHole* o) const;
    virtual void Change3D() {}
    virtual void Change3D(CMatrix3D&) {}
    virtual void Change2DtoDP() {}
    virtual void Change2DtoDP(CMatrix2D&) {}
    virtual void OnDraw(CDC*, CRect&, bool, int) {}
    virtual void OnDrawDXF(CDXFOutput*, CRect&) {}
    virtual double GetArea() { return 0.0; }
    virtual void ChangeFloorElevation(float) {}

    int m_nKind = 0;
    double m_dV = 0.0;     // vertical size (height)
    double m_dH = 0.0;     // horizontal size (width)
    double m_dAngle = 0.0; // angle of the reference edge, radians
    // Wall opening: horizontal and vertical distance; room opening: offsets X and Y.
    double m_dX = 0.0;
    double m_dY = 0.0;
    int m_nRefEdge = 0;    // room opening: reference edge index
};

class CHoleRect : public CHole
{
    DECLARE_DYNAMIC(CHoleRect)
public:
    CHoleRect() : CHole(1) { m_arrCorner.SetSize(4); }
    // A room's opening: the rectangle from the room's first vertex + (X, Y), width along the
    // direction angle (radians, of the reference edge), height square to it, towards the
    // left of that direction. Its corners lie in the plane of the first vertex; a room
    // without vertices leaves them unplaced.
    CHoleRect(double X, double Y, double height, double width, double angle, int edge, CPlane* room);
    double GetAngle() const { return m_dAngle; }
    CHoleRect& operator=(const CHole& o) override;
    double GetArea() override { return m_dV * m_dH; }
    // Corner i (from 1) in model coordinates once the opening is placed (its four corners
    // set); until then the corner in its plane's coordinates.
    CPoint3D GetVexPt(int i) const override;

    CArray<CPoint3D> m_arrPt3D;
    CArray<CPoint2D> m_arrPt2D;
    CArray<CPoint3D> m_arrCorner; // the four corners

    // ---- wall openings
    // Stores the opening's distances (from the wall's bottom start corner along and up the
    // wall) and size, and places its four corners on the wall: bottom left, bottom right,
    // top right, top left. 0 when the wall has no corners to place it by (the corners are
    // then left as they were).
    int ChangHolePara(double dx, double dy, double h, double w, CWall* wall);
};

class CHoleCircle : public CHole
{
    DECLARE_DYNAMIC(CHoleCircle)
public:
    CHoleCircle() : CHole(2) {}
    // A room's opening: the circle of radius r about base + (X, Y).
    CHoleCircle(const CPoint3D& base, double X, double Y, double r);
    CHoleCircle& operator=(const CHole& o) override;
    double GetArea() override;

    CPoint3D m_ptCenter;
    double m_dR = 0.0;      // radius
    float m_fSeg = 0.0f;
    float m_fRes = 0.0f;
};

class CHoleList : public CModelList<CHole, false>
{
public:
    CHoleList() = default;
    ~CHoleList() override { DeleteAll(); }
};

class CPlane : public CObject
{
    DECLARE_DYNAMIC(CPlane)
public:
    CPlane();
    ~CPlane() override;
    CPlane(const CPlane&) = delete;
    CPlane& operator=(const CPlane&) = delete;

    bool IsAllHole() const { return m_nShapeKind == 4; }
    void SetSelect(bool b) { m_nSelect = b ? 1 : 0; }
    int GetNo() const { return m_nNo; }
    // Number of boundary corners.
    int GetEdgeNum() const { return m_pVexNodeList->GetCount(); }
    // Slab check of the room with its reinforcement as assigned; false when it fails.
    bool Check(float&, float&, float&, float&, float&, CMaterialBase* concrete);
    bool ConstructCheck(float&, CMaterialBase* concrete);
    // Plan area of the room (model units squared).
    double GetArea() const;
    // Plan centre of the room's corners (the origin for a room without corners).
    CPoint2D GetCenter() const;
    // The text of the room's slab: its name, or its number, and its thickness in mm;
    // empty without a slab.
    CString GetBanText() const;
    // Replaces the list's contents by the room's corners in order around the room.
    void GetVertexList(CPNodeList* list) const;

    int m_nNo = 0;
    int m_nShapeKind = 0;    // 4: the whole room is an opening
    int m_nSubBeamDir = 0;   // secondary-beam direction code, 0 none
    int m_nShapeCode = 2;    // 1 triangle, 2 quadrilateral, 3 other
    int m_nSelect = 0;
    CBeamList* m_pBeamList;      // edge members: member k runs from vertex k to k + 1
    CPNodeList* m_pVexNodeList;  // boundary corners
    CPNodeList* m_pNodeList;     // all nodes on the boundary
    CSubBeamList* m_pSubBeamList; // owned secondary beams
    CLoadArea* m_pDeadLoad = nullptr;
    CLoadArea* m_pLiveLoad = nullptr;
    float m_fCover = 15.0f;      // reinforcement cover, mm
    int m_nTwoWayBound = 0;
    CBan* m_pBan = nullptr;
    CPlateSteelBarGroup* m_pBarGroup[4] = {nullptr, nullptr, nullptr, nullptr};
    CHole* m_pHole = nullptr;    // owned, none or one
    CFloor* m_pFloor = nullptr;
    // The slab's design moments per metre width (kN.m/m), as the analysis leaves them:
    // X positive, Y positive, X negative, Y negative (a one-way slab uses the X pair).
    float m_fMoment[4] = {0.0f, 0.0f, 0.0f, 0.0f};

    // ---- slab design
    // One-way slab: m1 the support (negative) moment, m2 the span (positive) moment; answers
    // the larger absolute value.
    float ComputeForce(float& m1, float& m2, CMaterialBase* concrete);
    // Two-way slab: a1 X positive, a2 Y positive, a3 X negative, a4 Y negative.
    float ComputeForce(float& a1, float& a2, float& a3, float& a4);
    // Required bar areas (mm2/m) of the four moments for the bar grade (0 to 2): X positive,
    // X negative, Y positive, Y negative; a one-way slab reads the first two. False (areas 0)
    // when the room has no slab or its depth cannot carry one of the moments.
    bool Design(int grade, float& xPositive, float& xNegative, float& yPositive, float& yNegative,
                CMaterialBase* concrete);
    // The two-way boundary condition index (0 to 8); an index out of that range becomes 0.
    int SetCondition();

    // ---- secondary beams
    // Lays out n secondary beams, beam i from the point pos1[i] along placement side 1 to
    // the point pos2[i] along placement side 2 (model lengths from each side's reference
    // corner). The corners (three for a triangular room, four otherwise) and the direction
    // choose the sides: a quadrilateral's direction 0 joins C2->C3 to C1->C4, direction 1
    // C1->C2 to C4->C3; a triangle's direction 0 joins C2->C3 to C1->C3, direction 1
    // C3->C1 to C2->C1, direction 2 C1->C2 to C3->C2. sideBeams gives how many boundary
    // members make up each side, in boundary order. An end point reuses a node of the
    // storey (or of the structure) lying there; otherwise a new node goes into the
    // structure's and the storey's node lists. The direction code becomes 1 or 2 after a
    // quadrilateral's direction 0 or 1 and 1, 2 or 3 after a triangle's 0, 1 or 2; 0 when
    // no beam was laid.
    void DivideSubBeam(double* pos1, double* pos2, int n, CPoint2D* corners, int direction, int* sideBeams,
                       CStruct* pStruct);
    // Deletes the room's secondary beams with every reference the model keeps to them
    // (the selection, member groups, the storeys' lists) and the nodes that only they used.
    void DeleteSubBeams(CGlobalData& data);
};

class CPlaneList : public CModelList<CPlane, false>
{
public:
    CPlaneList() = default;
    void SetSelect(bool b);
    // The common number of edges of the listed rooms, 0 when they differ or the list is empty.
    int GetEdgeNum() const;
};

class CWall : public CMemberBase
{
    DECLARE_DYNAMIC(CWall)
public:
    CWall();
    ~CWall() override;
    CWall(const CWall&) = delete;
    CWall& operator=(const CWall&) = delete;

    void SetSelect(bool b) { m_nSelect = b ? 1 : 0; }
    int GetSelect() const { return m_nSelect; }
    int GetKindTag() const override { return 1; }
    float GetWallH() const { return m_fH; }
    float GetWallB() const { return m_fB; }
    float GetB() const { return m_fB; }
    float GetWallT() const { return m_fT; }
    void SetT(float t) { m_fT = t; }
    CPNodeList* GetVexNodeList() { return m_pVexNodeList; }
    // Corner node i (1 to 4).
    CPNode* GetNode(int i) const { return m_pVexNodeList->Get(i); }
    // The members along the wall's edges (used by object snapping).
    CBeamList* GetEdgeBeamList() { return m_pEdgeBeamList; }
    int GetNo() const { return m_nNo; }
    // Recomputes height and length from the corners.
    void UpdateSize();
    void Change3D(CMatrix3D&);
    void Change2DtoDP(CMatrix2D&);
    double GetVolume() const { return (double)m_fH * m_fB * m_fT; }

    int m_nNo = 0;
    int m_nSelect = 0;
    float m_fH = 0.0f;
    float m_fB = 0.0f;
    float m_fT = 0.0f;
    CPNodeList* m_pVexNodeList;   // bottom start, bottom end, top end, top start
    int m_nKind = 0;
    CHoleList* m_pHoleList;       // owned openings
    CMemberOffset* m_pOffset = nullptr;
    CBeamList* m_pEdgeBeamList;   // not owned
    CFloor* m_pFloor = nullptr;
    CMaterialBase* m_pMaterial = nullptr;
    // Corners under the last view transformations (Change3D, then Change2DtoDP).
    CPoint2D m_ptProject[4];
    CPoint2D m_ptScreen[4];

    // ---- openings
    // The wall takes the opening and owns it from now on; answers the number of openings.
    int AddHole(CHoleRect* hole);

    // Gives the wall its end-eccentricity definition (null: none), also again after the
    // definition's values changed.
    void SetMemberoffset(CMemberOffset* p) { m_pOffset = p; }
};

class CWallList : public CModelList<CWall, false>
{
public:
    CWallList() = default;
    void SetSelect(bool b);
    float GetTotalWallVolume() const;
};
