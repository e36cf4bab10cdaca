// Homogeneous transformations: CMatrix2D (3 x 3) for the plane and CMatrix3D (4 x 4) for
// space, stored row by row. Points are row vectors: (x, y, 1) * M, (x, y, z, 1) * M; the
// translation is the last row.
#pragma once

#include <vyr/model/geometry/GeoPoint.h>

class CRect2D;

class CMatrix2D
{
public:
    double m[9];

    CMatrix2D() { Identity(); }
    CMatrix2D(const CMatrix2D& a) { *this = a; }
    explicit CMatrix2D(double d) { *this = d; }
    virtual ~CMatrix2D() {}

    CMatrix2D& Identity();
    CMatrix2D& operator=(const CMatrix2D& a);
    // Every element set to d.
    CMatrix2D& operator=(double d);
    double& operator()(int row, int col);
    double operator()(int row, int col) const;

    // The inverse; a singular matrix gives the identity.
    CMatrix2D Anti() const;
    CMatrix2D operator*(const CMatrix2D& a) const;
    // this = this * a: a is applied after the present transformation.
    CMatrix2D& operator*=(const CMatrix2D& a);

    // Replace the whole matrix by a translation / a uniform scaling about the origin.
    void SetMove(double dx, double dy);
    void SetScale(double s);
    // The whole world extent fitted into the screen rectangle, centred, with one scale for
    // both axes and the screen's y axis pointing down (world y up). A world extent of zero
    // width and height keeps the scale 1.
    void SetZoomMatrix(const CRect& screen, const CRect2D& world);
};

class CMatrix3D
{
public:
    double m[16];

    CMatrix3D() { Identity(); }
    CMatrix3D(const CMatrix3D& a) { *this = a; }
    explicit CMatrix3D(double d) { *this = d; }
    virtual ~CMatrix3D() {}

    CMatrix3D& Identity();
    CMatrix3D& operator=(const CMatrix3D& a);
    // Every element set to d.
    CMatrix3D& operator=(double d);
    double& operator[](int i);
    double operator[](int i) const;
    double& operator()(int row, int col) { return (*this)[row * 4 + col]; }
    double operator()(int row, int col) const { return (*this)[row * 4 + col]; }

    // The inverse; a singular matrix gives the identity.
    CMatrix3D Anti() const;
    CMatrix3D operator*(const CMatrix3D& a) const;
    CMatrix3D& operator*=(const CMatrix3D& a);

    // Replace the whole matrix by a rotation (radians, counter-clockwise seen from the
    // positive axis) or a translation.
    void SetXRotate(double a);
    void SetYRotate(double a);
    void SetZRotate(double a);
    void SetMove(double dx, double dy, double dz);
};

// The matrix-stack family of the library; kept for its layout, nothing here uses it.
class CMatrix3Dcontrol
{
public:
    int m_n1 = 0, m_n2 = 0, m_n3 = 0, m_n4 = 0;
    CMatrix3D m_m1, m_m2, m_m3;
    int m_n5 = 0, m_n6 = 0;
    CPoint3D m_pt;

    CMatrix3Dcontrol() = default;
    CMatrix3Dcontrol(const CMatrix3Dcontrol&) = default;
    CMatrix3Dcontrol& operator=(const CMatrix3Dcontrol&) = default;
};

class CMatrix3DSign
{
public:
    int m_n0 = 0;
    CPoint3D m_pt[4];
    int m_n[11] = {};

    CMatrix3DSign() = default;
    CMatrix3DSign(const CMatrix3DSign&) = default;
    CMatrix3DSign& operator=(const CMatrix3DSign&) = default;
};

class CMatrixNode : public CObject
{
public:
    CMatrix2D m_Matrix2D;
    CMatrix3D m_Matrix3D;
    CString m_Name;
};

class CMatrixStack : public CObList
{
public:
    CMatrixStack() : CObList(10) {}
};
