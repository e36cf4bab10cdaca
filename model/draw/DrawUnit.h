// Drawing units of the graphics library: the abstract unit and its kinds (plane line,
// space line, circle, arc, text, hatch). Angles are in radians, counter-clockwise from +x.
//
// A unit lives in its own plane coordinates. Change2DtoDp takes a plane matrix and keeps
// the unit's screen form (its "display" points) and the display scale; Display draws that
// screen form, the rectangle queries answer for it. Display3D instead draws the unit lying
// in the horizontal plane at an elevation through the two view matrices (model point times
// the space matrix, chgYZ, times the plane matrix). Units draw with the pen and brush
// selected into the device context, so that exclusive-or feedback works.
#pragma once

#include <vyr/stdafx.h>

#include <vyr/model/geometry/geometry.h>

class CDrawBlock;
class CDXFOutput;
class CVdraw;
struct IStream;

enum LINE_TYPE
{
    LT_SOLID = 0,
    LT_DASH = 1,
    LT_DOT = 2,
    LT_DASHDOT = 3,
    LT_DASHDOTDOT = 4
};

class CDrawUnit
{
public:
    CDrawUnit() = default;
    CDrawUnit(const CDrawUnit& u) = default;
    // Copies every data member.
    CDrawUnit& operator=(const CDrawUnit& u) = default;
    virtual ~CDrawUnit() {}

    virtual void Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const;
    virtual CRect2D GetProject2D(const CMatrix3D& m3, double z);
    virtual CRect2D GetRect();
    virtual void SetParent(CDrawBlock* parent) { m_pParent = parent; }
    virtual void SetSelect(int select) { m_nSelect = select; }
    // Takes over the values of a unit of the same kind (a unit of another kind only gives
    // the members every unit has).
    virtual CDrawUnit& Eqaul(const CDrawUnit& u);
    virtual bool IsEqaul(const CDrawUnit& u) const;
    virtual bool Display(CDC* pDC, CRect clip) const;
    virtual void DXF(CDXFOutput* out) const;
    virtual void GenVD(CVdraw& vd) const;
    virtual void Change2DtoDp(CMatrix2D* m);
    virtual CRect GetRealRect();
    virtual CRect GetLocalRect();
    virtual CRect2D GetRealRect2D();
    virtual CRect GetScreenRect();
    virtual bool IsInterSectRect(const CRect& r) const;
    // 1 when the pixel point is on the unit (within 3 pixels of its screen form), else 0.
    virtual int SelectPoint(CPoint p) const;
    virtual void MoveXY(double dx, double dy);
    virtual void Rotate(double x, double y, double angle);
    // Point reflection through (x, y).
    virtual void Mirror(double x, double y);
    // Reflection in the line through (x1, y1) and (x2, y2).
    virtual void Mirror(double x1, double y1, double x2, double y2);
    // Scaling about the origin.
    virtual void ReSize(double f);
    // Units are not persisted by this library: both hooks do nothing.
    virtual void Save(IStream* stream) const;
    virtual void Load(IStream* stream);

    void Rotate(const CPoint2D& c, double angle) { Rotate(c.x, c.y, angle); }
    void Mirror(const CPoint2D& p) { Mirror(p.x, p.y); }
    void Mirror(const CPoint2D& a, const CPoint2D& b) { Mirror(a.x, a.y, b.x, b.y); }

    int GetSelect() const { return m_nSelect; }
    int GetLineWidth() const { return m_nLineWidth; }
    void SetLineWidth(int w) { m_nLineWidth = w; }
    LINE_TYPE GetLineType() const { return m_LineType; }
    void SetLineType(LINE_TYPE t) { m_LineType = t; }
    double GetDisplayScale() const { return m_dScale; }
    CDrawBlock* GetParent() const { return m_pParent; }
    CLayer* GetLayer() const { return m_pLayer; }
    void SetLayer(CLayer* layer) { m_pLayer = layer; }

protected:
    // Layer of the unit in the DXF output (none: the writer's current layer).
    void DXFLayer(CDXFOutput* out) const;

    CDrawBlock* m_pParent = nullptr;
    CLayer* m_pLayer = nullptr;
    int m_nSelect = 0;
    double m_dScale = 1.0;
    int m_nLineWidth = 1;
    LINE_TYPE m_LineType = LT_SOLID;
};

class CLine : public CDrawUnit
{
public:
    CLine() = default;
    CLine(const CPoint2D& a, const CPoint2D& b) : m_pt1(a), m_pt2(b) {}
    CLine(const CLine&) = default;
    CLine& operator=(const CLine&) = default;
    ~CLine() override {}

    // The two integers are kept for the callers' sake; they do not change the line.
    void SetLine(const CPoint2D& a, const CPoint2D& b, int n1 = 1, int n2 = -1);
    void SetLine(double x1, double y1, double x2, double y2, int n1 = 1, int n2 = -1);
    const CPoint2D& GetPt1() const { return m_pt1; }
    const CPoint2D& GetPt2() const { return m_pt2; }

    double GetLength() const { return m_pt1.GetDist(m_pt2); }
    // Distance of p from the infinite line; signed: positive on the left of the direction
    // first -> second. A zero-length line measures from its point, without a sign.
    double GetDist(const CPoint2D& p, bool bSigned) const;
    CPoint2D GetMidPt() const { return (m_pt1 + m_pt2) / 2.0; }
    // The point at fraction f of the line from the first (second) end.
    CPoint2D GetPt1(double f) const { return m_pt1 + (m_pt2 - m_pt1) * f; }
    CPoint2D GetPt2(double f) const { return m_pt2 + (m_pt1 - m_pt2) * f; }
    // The foot of the perpendicular from p, moved by d at right angles to the line
    // (positive d to the left of first -> second).
    CPoint2D GetPerPt(const CPoint2D& p, double d = 0.0) const;
    // 1 when the two segments meet (ends included), with the crossing point in out; 0
    // otherwise. pKind, when given, receives 0 (parallel or degenerate), 1 (crossing on
    // both segments) or 2 (the lines cross outside a segment; out is still filled).
    int InterSect(const CLine& other, CPoint2D& out, int* pKind) const;

    CPoint2D GetPtwithRatio1(double r) const { return m_pt1 + (m_pt2 - m_pt1) * r; }
    CPoint2D GetPtwithRatio2(double r) const { return m_pt2 + (m_pt1 - m_pt2) * r; }
    CPoint2D GetPtwithLen1(double len) const
    {
        double l = GetLength();
        if (IsZeroLength(l)) return m_pt1;
        return GetPtwithRatio1(len / l);
    }
    CPoint2D GetPtwithLen2(double len) const
    {
        double l = GetLength();
        if (IsZeroLength(l)) return m_pt2;
        return GetPtwithRatio2(len / l);
    }
    bool IsPtOnLine(const CPoint2D& p) const { return IsZeroLength(GetDist(p, false)); }

    void Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const override;
    CRect2D GetProject2D(const CMatrix3D& m3, double z) override;
    CRect2D GetRect() override;
    CDrawUnit& Eqaul(const CDrawUnit& u) override;
    bool IsEqaul(const CDrawUnit& u) const override;
    bool Display(CDC* pDC, CRect clip) const override;
    void DXF(CDXFOutput* out) const override;
    void Change2DtoDp(CMatrix2D* m) override;
    CRect GetRealRect() override;
    CRect GetLocalRect() override;
    CRect2D GetRealRect2D() override;
    CRect GetScreenRect() override;
    bool IsInterSectRect(const CRect& r) const override;
    int SelectPoint(CPoint p) const override;
    void MoveXY(double dx, double dy) override;
    void Rotate(double x, double y, double angle) override;
    void Mirror(double x, double y) override;
    void Mirror(double x1, double y1, double x2, double y2) override;
    void ReSize(double f) override;
    using CDrawUnit::Mirror;
    using CDrawUnit::Rotate;

    // Zero under the tolerant comparison of real numbers.
    static bool IsZeroLength(double v) { return v < 0 ? -v <= VYR_GEO_EPS : v <= VYR_GEO_EPS; }

protected:
    CPoint2D m_pt1;
    CPoint2D m_pt2;
    CPoint2D m_dp1; // screen form
    CPoint2D m_dp2;
};

class CLine3D : public CDrawUnit
{
public:
    CLine3D() = default;
    CLine3D(const CLine3D&) = default;
    CLine3D& operator=(const CLine3D&) = default;
    ~CLine3D() override {}

    void SetLine3D(const CPoint3D& a, const CPoint3D& b);
    const CPoint3D& GetPt1() const { return m_pt1; }
    const CPoint3D& GetPt2() const { return m_pt2; }
    double GetLength() const { return m_pt1.GetDist(m_pt2); }
    // Foot of the perpendicular on the infinite line (the first point for a zero-length line).
    CPoint3D GetPerPt(const CPoint3D& p) const;
    // True when the foot of p lies between the end points (ends included).
    bool IsPtBetween(const CPoint3D& p) const;

    // The space line is drawn as it is; z is not used.
    void Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const override;
    CRect2D GetProject2D(const CMatrix3D& m3, double z) override;
    CRect2D GetRect() override;
    CDrawUnit& Eqaul(const CDrawUnit& u) override;
    bool IsEqaul(const CDrawUnit& u) const override;
    void DXF(CDXFOutput* out) const override;
    CRect2D GetRealRect2D() override;
    void MoveXY(double dx, double dy) override;

protected:
    int m_nFlag = 0;
    CPoint3D m_pt1;
    CPoint3D m_pt2;
};

class CCircle : public CDrawUnit
{
public:
    CCircle() = default;
    CCircle(const CCircle&) = default;
    CCircle& operator=(const CCircle&) = default;
    ~CCircle() override {}

    void SetCircle(CPoint2D centre, double r);
    CPoint2D Center() const { return m_center; }
    CPoint2D& Center() { return m_center; }
    double GetRadius() const { return m_radius; }
    void SetRadius(double r) { m_radius = r; }

    void Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const override;
    CRect2D GetProject2D(const CMatrix3D& m3, double z) override;
    CRect2D GetRect() override;
    CDrawUnit& Eqaul(const CDrawUnit& u) override;
    bool IsEqaul(const CDrawUnit& u) const override;
    bool Display(CDC* pDC, CRect clip) const override;
    void DXF(CDXFOutput* out) const override;
    void Change2DtoDp(CMatrix2D* m) override;
    CRect GetRealRect() override;
    CRect GetLocalRect() override;
    CRect2D GetRealRect2D() override;
    CRect GetScreenRect() override;
    bool IsInterSectRect(const CRect& r) const override;
    int SelectPoint(CPoint p) const override;
    void MoveXY(double dx, double dy) override;
    void Rotate(double x, double y, double angle) override;
    void Mirror(double x, double y) override;
    void Mirror(double x1, double y1, double x2, double y2) override;
    void ReSize(double f) override;
    using CDrawUnit::Mirror;
    using CDrawUnit::Rotate;

protected:
    // Points of the outline from angle a0 sweeping by sweep (a whole circle: 2 pi).
    std::vector<CPoint2D> Outline(double a0, double sweep) const;

    CPoint2D m_center;
    CPoint2D m_dpCenter; // screen form
    double m_radius = 0.0;
};

class CArc : public CCircle
{
public:
    CArc() = default;
    CArc(const CArc&) = default;
    CArc& operator=(const CArc&) = default;
    ~CArc() override {}

    // The arc runs counter-clockwise from start to end.
    void SetArc(CPoint2D centre, double r, double start, double end, int n1 = 1, int n2 = -1);
    // The arc from a through b to c; collinear or coinciding points leave it unchanged
    // (false).
    bool SetArc3Pt(const CPoint2D& a, const CPoint2D& b, const CPoint2D& c);
    // The arc over the chord a-b whose middle lies |h| from the chord: on the left of
    // a -> b for negative h, on the right for positive h (h is the negated signed distance
    // of a point the arc is to bulge towards). h = 0 or a = b leave it unchanged (false).
    bool SetArcLen(const CPoint2D& a, const CPoint2D& b, double h);
    // The arc from a to b that leaves a along the direction of the line (tangent there).
    // b on the line leaves it unchanged (false).
    bool SetArcTan(const CLine& line, const CPoint2D& a, const CPoint2D& b);

    double GetStAngle() const { return m_stAngle; }
    void SetStAngle(double a) { m_stAngle = a; }
    double GetEdAngle() const { return m_edAngle; }
    void SetEdAngle(double a) { m_edAngle = a; }
    // Counter-clockwise sweep from start to end, in (0, 2 pi].
    double GetSweep() const;
    CPoint2D GetStartPt() const;
    CPoint2D GetEndPt() const;

    void Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const override;
    // The arc in a local frame: local point times frame, times the view's space matrix,
    // chgYZ, times the plane matrix.
    void Display3D(CDC* pDC, const CMatrix3D& local, const CMatrix3D& m3, const CMatrix2D& m2) const;
    CRect2D GetProject2D(const CMatrix3D& m3, double z) override;
    CRect2D GetRect() override;
    CDrawUnit& Eqaul(const CDrawUnit& u) override;
    bool IsEqaul(const CDrawUnit& u) const override;
    bool Display(CDC* pDC, CRect clip) const override;
    void DXF(CDXFOutput* out) const override;
    void GenVD(CVdraw& vd) const override;
    void Change2DtoDp(CMatrix2D* m) override;
    CRect GetRealRect() override;
    CRect GetLocalRect() override;
    CRect2D GetRealRect2D() override;
    CRect GetScreenRect() override;
    bool IsInterSectRect(const CRect& r) const override;
    void Rotate(double x, double y, double angle) override;
    void Mirror(double x, double y) override;
    void Mirror(double x1, double y1, double x2, double y2) override;
    void Save(IStream* stream) const override;
    void Load(IStream* stream) override;
    using CDrawUnit::Mirror;
    using CDrawUnit::Rotate;

protected:
    double m_stAngle = 0.0;
    double m_edAngle = 0.0;
    CMatrix2D m_dpMatrix; // plane matrix of the screen form
};

class CText : public CDrawUnit
{
public:
    // Takes the class-wide alignment in force.
    CText();
    CText(const CText&) = default;
    CText& operator=(const CText&) = default;
    ~CText() override {}

    // Alignment (TA_ flags of the window system) of texts created afterwards.
    static void SetTextAlign(unsigned horizontal, unsigned vertical);
    static unsigned GetClassHAlign();
    static unsigned GetClassVAlign();

    CPoint2D Position() const { return m_pos; }
    CPoint2D& Position() { return m_pos; }
    double GetRotateAngle() const { return m_angle; }
    void SetRotateAngle(double a) { m_angle = a; }
    CString GetText() const { return m_text; }
    void SetText(const CString& s) { m_text = s; }
    float GetTextHeight() const { return m_height; }
    void SetTextHeight(float h) { m_height = h; }
    unsigned GetHAlign() const { return (unsigned)m_hAlign; }
    unsigned GetVAlign() const { return (unsigned)m_vAlign; }

    void Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const override;
    CDrawUnit& Eqaul(const CDrawUnit& u) override;
    bool IsEqaul(const CDrawUnit& u) const override;
    bool Display(CDC* pDC, CRect clip) const override;
    void DXF(CDXFOutput* out) const override;
    void GenVD(CVdraw& vd) const override;
    void Change2DtoDp(CMatrix2D* m) override;
    CRect GetRealRect() override;
    CRect GetLocalRect() override;
    CRect2D GetRealRect2D() override;
    CRect GetScreenRect() override;
    bool IsInterSectRect(const CRect& r) const override;
    void MoveXY(double dx, double dy) override;
    void Rotate(double x, double y, double angle) override;
    void Mirror(double x, double y) override;
    void Mirror(double x1, double y1, double x2, double y2) override;
    void ReSize(double f) override;
    void Save(IStream* stream) const override;
    void Load(IStream* stream) override;
    using CDrawUnit::Mirror;
    using CDrawUnit::Rotate;

protected:
    // Corners of the text box in plane coordinates (an estimate: a GBK byte is half the
    // height wide).
    void Corners(CPoint2D c[4]) const;

    CPoint2D m_pos;
    CPoint2D m_dpPos; // screen form
    double m_angle = 0.0;
    double m_dpAngle = 0.0; // baseline direction of the screen form, degrees
    CString m_text;
    float m_height = 2.5f;
    int m_hAlign = TA_LEFT;
    int m_vAlign = TA_TOP;
};

// A filled polygon.
class CHatch : public CDrawUnit
{
public:
    CHatch() = default;
    CHatch(const CPoint2D* pts, int n) { SetPoints(pts, n); }
    ~CHatch() override {}

    void SetPoints(const CPoint2D* pts, int n);
    const std::vector<CPoint2D>& GetPoints() const { return m_pts; }

    void Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const override;
    CRect2D GetRect() override;
    CDrawUnit& Eqaul(const CDrawUnit& u) override;
    bool IsEqaul(const CDrawUnit& u) const override;
    bool Display(CDC* pDC, CRect clip) const override;
    // The outline.
    void DXF(CDXFOutput* out) const override;
    void Change2DtoDp(CMatrix2D* m) override;
    CRect GetRealRect() override;
    CRect GetLocalRect() override;
    CRect2D GetRealRect2D() override;
    CRect GetScreenRect() override;
    bool IsInterSectRect(const CRect& r) const override;
    void MoveXY(double dx, double dy) override;
    void Rotate(double x, double y, double angle) override;
    void Mirror(double x, double y) override;
    void Mirror(double x1, double y1, double x2, double y2) override;
    void ReSize(double f) override;
    using CDrawUnit::Mirror;
    using CDrawUnit::Rotate;

protected:
    std::vector<CPoint2D> m_pts;
    std::vector<CPoint2D> m_dp; // screen form
};
