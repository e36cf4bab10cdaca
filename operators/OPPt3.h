// Three-point input: a chain of three-point picks with a rubber preview of an arc (in the
// horizontal plane through the first point or in the plane of the three points) or of a
// two-segment line. The finish callback receives the three points; the third becomes the
// first of the next input.
#pragma once

#include <vyr/model/draw/draw.h>
#include <vyr/operators/OPPt.h>

class COPPt3 : public COPPtChain
{
    DECLARE_VYROP(COPPt3)
public:
    COPPt3();
    COPPt3(const COPPt3& o) : COPPt3() { *this = o; }
    COPPt3& operator=(const COPPt3& o);

    CObj* Clone() const override { return new COPPt3(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.Pt3"; }
    CString GetDesc() const override { return "三点操作"; }

    void DrawWhenMove() override;
    CString GetToolTipWhenMove() const override;

    // Preview types: 0, 1 centre p0 from p1 to the cursor; 2 through three points; 3 chord
    // and height; 4 centre p1 from p0; 5 centre p1 to p0; 6 tangent to p0-p1; 7 to 10 as
    // 0, 1, 2, 3 in the plane of the three points; 11 a rubber line from p1.
    int GetPt3Type() const { return m_nPt3Type; }
    void SetPt3Type(int type) { m_nPt3Type = type; }
    const CVector3D& GetPriVector3D() const { return m_vecPri; }
    void SetPriVector3D(const CVector3D& normal, bool use)
    {
        m_vecPri = normal;
        m_bUsePri = use;
    }
    bool GetUsePriVector3D() const { return m_bUsePri; }

    // The local frame (rows x axis, y axis, normal, origin p0) of an arc in the plane of the
    // three points; ok is false when no plane can be built (collinear points without a
    // preset normal), and the identity is returned.
    CMatrix3D GetMatrix3D(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, bool& ok) const;
    // The preview arc of the preview type from the plane points p0, p1 and the third point
    // m; false for a degenerate case or a type without an arc.
    bool SetPreviewArc(const CPoint2D& p0, const CPoint2D& p1, const CPoint2D& m, CArc& arc) const;
    // Brings an angle into (-pi, pi], tolerantly.
    static double NormalizeAngle(double a);

    bool IsMoveSnapValid() const { return m_bMoveSnap; }
    const CPoint3D& GetMoveSnapPt() const { return m_ptMoveSnap; }

protected:
    // Three points on one line span no plane: a spatial arc refuses such a third point.
    bool AcceptLastPoint() override;
    // Reads the point that the snap showed at the last move.
    void OnCursorMoved() override;
    // The cursor on the plane through p0 with the preset normal or (0, 0, 1); false when
    // the line of sight runs along that plane or meets it at p0.
    bool CursorOnPlane(const CPoint3D& p0, CPoint3D& out) const;
    bool IsSpatialType() const { return m_nPt3Type >= 7 && m_nPt3Type <= 10; }

    int m_nPt3Type;
    CVector3D m_vecPri;
    bool m_bUsePri;
    CPoint3D m_ptMoveSnap;
    bool m_bMoveSnap;
};
