// The model's axis lines (straight and arc) and the mesh nodes that carry a model point
// together with its screen point.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/ModelList.h>

class CDC;
struct IStream;

// A model point with its point in client pixels.
class CMeshNode : public CObject
{
    DECLARE_DYNAMIC(CMeshNode)
public:
    CMeshNode() = default;
    CMeshNode(const CPoint3D& pt, const CPoint2D& scr) : m_pt(pt), m_ptScreen(scr) {}
    CMeshNode(const CMeshNode& o) : CObject(), m_pt(o.m_pt), m_ptScreen(o.m_ptScreen) {}
    CMeshNode& operator=(const CMeshNode& o)
    {
        m_pt = o.m_pt;
        m_ptScreen = o.m_ptScreen;
        return *this;
    }
    const CPoint3D& GetPt() const { return m_pt; }
    const CPoint2D& GetScreenPt() const { return m_ptScreen; }

    CPoint3D m_pt;
    CPoint2D m_ptScreen;
};

class CMeshNodeList : public CModelList<CMeshNode, true>
{
};

// Base of the model's axis lines; a base axis is never hit and has no extent.
class CAxial : public CObject
{
    DECLARE_DYNAMIC(CAxial)
public:
    CAxial() = default;
    ~CAxial() override = default;

    virtual void Save(IStream*, int, int) {}
    virtual void Load(IStream*, int, int) {}
    virtual void AddEnd(CPoint3D*, int) {}
    virtual void SetSelect(bool b) { m_bSelect = b ? 1 : 0; }
    virtual bool SetCrossRectSelectAxial(CRect&) { return false; }
    virtual void AddEndPoint() {}
    virtual void SetHeight(double) {}
    virtual void Serialize(CArchive&, int, int) {}
    virtual bool IsSame(CAxial*) { return false; }
    virtual bool IsDataValid() { return false; }
    virtual void Change3D() {}
    virtual void Change3D(CMatrix3D&) {}
    virtual void Change2DtoDP() {}
    virtual void Change2DtoDP(CMatrix2D&) {}
    virtual void GetScreenRect(CRect& rc) { rc = CRect(0, 0, 0, 0); }
    virtual CRect2D GetRealRect() { return CRect2D(); }
    virtual CRect2D GetProjectRect() { return CRect2D(); }
    virtual double GetProjectAngle() { return 0.0; }
    virtual CPoint3D* IsNodeOnAxis(CPoint3D, bool) { return nullptr; }
    virtual bool SetPointSelectASxis(CPoint&) { return false; }
    virtual void GetVexNode(CPoint3D*&, int&, bool) {}
    virtual void OnDraw(CDC*, CRect&, double) {}
    virtual void SetInitialUnused() {}

    int GetSelect() const { return m_bSelect; }

    CString m_strName;
    CString m_strLabel;
    int m_nValue = 0;
    unsigned char m_bSelect = 0;
};

// A straight axis between two plan points at a height.
class CAxialLine : public CAxial
{
    DECLARE_DYNAMIC(CAxialLine)
public:
    CAxialLine() = default;
    CAxialLine(const CPoint2D& a, const CPoint2D& b, double z = 0.0);

    void Save(IStream*, int, int) override {}
    void Load(IStream*, int, int) override {}
    bool SetCrossRectSelectAxial(CRect& rc) override;
    void AddEndPoint() override {}
    void SetHeight(double z) override;
    void Serialize(CArchive&, int, int) override {}
    bool IsSame(CAxial* o) override;
    bool IsDataValid() override { return !(m_pt1.x == m_pt2.x && m_pt1.y == m_pt2.y); }
    void Change3D() override {}
    void Change3D(CMatrix3D& m) override;
    void Change2DtoDP() override {}
    void Change2DtoDP(CMatrix2D& m) override;
    void GetScreenRect(CRect& rc) override;
    CRect2D GetRealRect() override;
    CRect2D GetProjectRect() override;
    double GetProjectAngle() override;
    CPoint3D* IsNodeOnAxis(CPoint3D p, bool) override;
    bool SetPointSelectASxis(CPoint& pt) override;
    void GetVexNode(CPoint3D*& pts, int& n, bool) override;
    void OnDraw(CDC*, CRect&, double) override {}

    CMeshNode m_node1, m_node2;
    CPoint2D m_pt1, m_pt2;
    double m_dZ = 0.0;
    CPoint2D m_ptProject1, m_ptProject2;
    CPoint3D m_ptOn; // the foot returned by IsNodeOnAxis
    CPoint3D m_vex[2];
};

// An arc axis: centre, radius and the angles (radians, counter-clockwise) it runs between.
class CAxialArc : public CAxial
{
    DECLARE_DYNAMIC(CAxialArc)
public:
    CAxialArc() = default;
    CAxialArc(const CPoint2D& c, double r, double a0, double a1, double z = 0.0);

    void Save(IStream*, int, int) override {}
    void Load(IStream*, int, int) override {}
    bool SetCrossRectSelectAxial(CRect& rc) override;
    void AddEndPoint() override {}
    void SetHeight(double z) override { m_dZ = z; }
    void Serialize(CArchive&, int, int) override {}
    bool IsSame(CAxial* o) override;
    bool IsDataValid() override { return m_dR > 0.0 && m_dA1 != m_dA0; }
    void Change3D() override {}
    void Change3D(CMatrix3D& m) override;
    void Change2DtoDP() override {}
    void Change2DtoDP(CMatrix2D& m) override;
    void GetScreenRect(CRect& rc) override;
    CRect2D GetRealRect() override;
    CRect2D GetProjectRect() override;
    double GetProjectAngle() override { return 0.0; }
    CPoint3D* IsNodeOnAxis(CPoint3D p, bool) override;
    bool SetPointSelectASxis(CPoint& pt) override;
    void GetVexNode(CPoint3D*& pts, int& n, bool) override;
    void OnDraw(CDC*, CRect&, double) override {}

    CMeshNode m_node;
    CPoint2D m_ptCenter;
    double m_dR = 0.0, m_dA0 = 0.0, m_dA1 = 0.0, m_dZ = 0.0;
    static const int kSamples = 33;
    CPoint3D m_ptModel[kSamples];
    CPoint2D m_ptProject[kSamples];
    CPoint2D m_ptScreen[kSamples];
    CPoint3D m_ptOn;
};

// Lines of a snapping mesh between mesh nodes.
class CMeshLineArray
{
public:
    struct Line
    {
        CMeshNode a, b;
    };
    void Add(const CMeshNode& a, const CMeshNode& b) { m_arrLine.push_back(Line{a, b}); }
    int GetSize() const { return (int)m_arrLine.size(); }
    // The pixel rectangle enclosing the lines' screen points; empty without lines.
    void GetScreenRect(CRect& rc) const;

    std::vector<Line> m_arrLine;
};

class CSnapMeshPara
{
public:
    void GetScreenRect(CRect& rc) const { m_arrLine.GetScreenRect(rc); }
    CMeshLineArray m_arrLine;
};

class CAxialList : public CModelList<CAxial, true>
{
public:
    CAxialList() : CAxialList(false) {}
    explicit CAxialList(bool flag) : m_bFlag(flag) {}
    bool m_bFlag;
};

class CAxialListList : public CModelList<CAxialList, true>
{
};

// Small records copied member-wise.
struct CAxisIt
{
    float v[6] = {};
};
struct CScrVector3D
{
    float v[6] = {};
};
struct FigureCoef
{
    float v[7] = {};
};
