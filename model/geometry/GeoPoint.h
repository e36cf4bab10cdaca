// Plane and space points and space vectors of the graphics library. Points are row vectors
// multiplied on the left of a matrix.
#pragma once

#include <cmath>

#include <vyr/stdafx.h>

class CMatrix2D;
class CMatrix3D;
class CPoint3D;
class CVector3D;

// Tolerance of the point and vector equality tests.
constexpr double VYR_GEO_EPS = 1e-6;

class CPoint2D
{
public:
    double x;
    double y;

    CPoint2D() : x(0.0), y(0.0) {}
    CPoint2D(double ax, double ay) : x(ax), y(ay) {}
    CPoint2D(const CPoint& p) : x((double)p.x), y((double)p.y) {}
    CPoint2D(const CPoint2D& p) : x(p.x), y(p.y) {}
    virtual ~CPoint2D() {}

    CPoint2D& operator=(const CPoint2D& p) { x = p.x; y = p.y; return *this; }
    CPoint2D& operator=(const CPoint& p) { x = (double)p.x; y = (double)p.y; return *this; }
    CPoint2D& operator=(const CPoint3D& p);

    // Direction to p, counter-clockwise from +x, in (-pi, pi]. Adding 0.0 turns a negative
    // zero difference into +0, so a point straight to the left gives +pi and never -pi.
    double GetAngle(const CPoint2D& p) const { return std::atan2((p.y - y) + 0.0, (p.x - x) + 0.0); }

    CPoint2D operator*(const CMatrix2D& m) const;
    CPoint2D& operator*=(const CMatrix2D& m);
    CPoint2D operator+(const CPoint2D& p) const { return CPoint2D(x + p.x, y + p.y); }
    CPoint2D operator-(const CPoint2D& p) const { return CPoint2D(x - p.x, y - p.y); }
    CPoint2D operator*(double f) const { return CPoint2D(x * f, y * f); }
    CPoint2D operator/(double f) const { return CPoint2D(x / f, y / f); }
    CPoint2D& operator+=(const CPoint2D& p) { x += p.x; y += p.y; return *this; }
    CPoint2D& operator-=(const CPoint2D& p) { x -= p.x; y -= p.y; return *this; }

    // Same point within VYR_GEO_EPS per coordinate.
    bool operator==(const CPoint2D& p) const;
    bool operator!=(const CPoint2D& p) const { return !(*this == p); }
    // Strict lexicographic order on (x, y); exact, so that sorting stays well defined.
    bool operator<(const CPoint2D& p) const { return x < p.x || (x == p.x && y < p.y); }

    double GetDist(const CPoint2D& p) const;
    // Nearest integer pixel.
    operator CPoint() const;
};

class CVector3D
{
public:
    double x;
    double y;
    double z;

    CVector3D() : x(0.0), y(0.0), z(0.0) {}
    CVector3D(double ax, double ay, double az) : x(ax), y(ay), z(az) {}
    CVector3D(const CVector3D& v) : x(v.x), y(v.y), z(v.z) {}
    virtual ~CVector3D() {}
    CVector3D& operator=(const CVector3D& v) { x = v.x; y = v.y; z = v.z; return *this; }

    double GetLength() const;
    // Unit length in place; a zero vector stays zero.
    void Normalize();
    // Cross product this x v.
    CVector3D operator&(const CVector3D& v) const;
    // Dot product.
    double operator|(const CVector3D& v) const { return x * v.x + y * v.y + z * v.z; }
    CVector3D operator*(double f) const { return CVector3D(x * f, y * f, z * f); }
    CVector3D operator+(const CVector3D& v) const { return CVector3D(x + v.x, y + v.y, z + v.z); }
    CVector3D operator-(const CVector3D& v) const { return CVector3D(x - v.x, y - v.y, z - v.z); }
    CVector3D operator-() const { return CVector3D(-x, -y, -z); }

    bool operator==(const CVector3D& v) const;
    bool operator!=(const CVector3D& v) const { return !(*this == v); }
    // Strict lexicographic order on (x, y, z).
    bool operator<(const CVector3D& v) const;

    CPoint3D Point() const;
};

class CPoint3D
{
public:
    double x;
    double y;
    double z;

    CPoint3D() : x(0.0), y(0.0), z(0.0) {}
    CPoint3D(double ax, double ay, double az) : x(ax), y(ay), z(az) {}
    CPoint3D(const CPoint& p) : x((double)p.x), y((double)p.y), z(0.0) {}
    CPoint3D(const CPoint3D& p) : x(p.x), y(p.y), z(p.z) {}
    virtual ~CPoint3D() {}

    CPoint3D& operator=(const CPoint3D& p) { x = p.x; y = p.y; z = p.z; return *this; }
    CPoint3D& operator=(const CPoint& p) { x = (double)p.x; y = (double)p.y; z = 0.0; return *this; }

    // (x, y, z, 1) times m, affine.
    CPoint3D operator*(const CMatrix3D& m) const;
    // x and y as a plane point times m; z is kept.
    CPoint3D operator*(const CMatrix2D& m) const;
    void chgYZ() { double t = y; y = z; z = t; }

    CPoint3D operator+(const CPoint3D& p) const { return CPoint3D(x + p.x, y + p.y, z + p.z); }
    CPoint3D operator+(const CVector3D& v) const { return CPoint3D(x + v.x, y + v.y, z + v.z); }
    CVector3D operator-(const CPoint3D& p) const { return CVector3D(x - p.x, y - p.y, z - p.z); }
    CPoint3D operator*(double f) const { return CPoint3D(x * f, y * f, z * f); }
    CPoint3D operator/(double f) const { return CPoint3D(x / f, y / f, z / f); }

    bool operator==(const CPoint3D& p) const;
    bool operator!=(const CPoint3D& p) const { return !(*this == p); }
    // Strict lexicographic order on (x, y, z).
    bool operator<(const CPoint3D& p) const;

    CPoint2D GetXY() const { return CPoint2D(x, y); }
    CPoint2D GetXZ() const { return CPoint2D(x, z); }
    operator CPoint2D() const { return CPoint2D(x, y); }
    double GetDist(const CPoint3D& p) const;
    // The point at distance len from this one along dir (dir need not be a unit vector;
    // a zero dir gives this point).
    CPoint3D GetPt3D(double len, const CVector3D& dir) const;

    // Reads "x, y, z" (three numbers separated by commas, blanks allowed around them).
    // On success the three values times factor are stored and the result is nonzero;
    // malformed text leaves the point unchanged and gives 0.
    int Parse(const CString& text, double factor);
};

inline CPoint2D& CPoint2D::operator=(const CPoint3D& p)
{
    x = p.x;
    y = p.y;
    return *this;
}
