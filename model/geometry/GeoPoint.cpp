#include <vyr/model/geometry/GeoPoint.h>

#include <cmath>

#include <vyr/model/geometry/GeoFunc.h>
#include <vyr/model/geometry/Matrix.h>

static bool Near(double a, double b) { return std::fabs(a - b) <= VYR_GEO_EPS; }

CPoint2D CPoint2D::operator*(const CMatrix2D& a) const
{
    const double* m = a.m;
    return CPoint2D(x * m[0] + y * m[3] + m[6], x * m[1] + y * m[4] + m[7]);
}

CPoint2D& CPoint2D::operator*=(const CMatrix2D& a)
{
    *this = *this * a;
    return *this;
}

bool CPoint2D::operator==(const CPoint2D& p) const { return Near(x, p.x) && Near(y, p.y); }

double CPoint2D::GetDist(const CPoint2D& p) const { return std::hypot(p.x - x, p.y - y); }

CPoint2D::operator CPoint() const { return CPoint((int)longTransfer(x), (int)longTransfer(y)); }

double CVector3D::GetLength() const { return std::sqrt(x * x + y * y + z * z); }

void CVector3D::Normalize()
{
    double len = GetLength();
    if (len == 0.0 || !std::isfinite(len)) return;
    x /= len;
    y /= len;
    z /= len;
}

CVector3D CVector3D::operator&(const CVector3D& v) const
{
    return CVector3D(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
}

bool CVector3D::operator==(const CVector3D& v) const { return Near(x, v.x) && Near(y, v.y) && Near(z, v.z); }

bool CVector3D::operator<(const CVector3D& v) const
{
    if (x != v.x) return x < v.x;
    if (y != v.y) return y < v.y;
    return z < v.z;
}

CPoint3D CVector3D::Point() const { return CPoint3D(x, y, z); }

CPoint3D CPoint3D::operator*(const CMatrix3D& a) const
{
    const double* m = a.m;
    return CPoint3D(x * m[0] + y * m[4] + z * m[8] + m[12],
                    x * m[1] + y * m[5] + z * m[9] + m[13],
                    x * m[2] + y * m[6] + z * m[10] + m[14]);
}

CPoint3D CPoint3D::operator*(const CMatrix2D& a) const
{
    const double* m = a.m;
    return CPoint3D(x * m[0] + y * m[3] + m[6], x * m[1] + y * m[4] + m[7], z);
}

bool CPoint3D::operator==(const CPoint3D& p) const { return Near(x, p.x) && Near(y, p.y) && Near(z, p.z); }

bool CPoint3D::operator<(const CPoint3D& p) const
{
    if (x != p.x) return x < p.x;
    if (y != p.y) return y < p.y;
    return z < p.z;
}

double CPoint3D::GetDist(const CPoint3D& p) const
{
    double dx = p.x - x, dy = p.y - y, dz = p.z - z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

CPoint3D CPoint3D::GetPt3D(double len, const CVector3D& dir) const
{
    CVector3D u = dir;
    u.Normalize();
    return CPoint3D(x + u.x * len, y + u.y * len, z + u.z * len);
}

int CPoint3D::Parse(const CString& text, double factor)
{
    double v[3];
    if (!vyr::ParseTriple(text.GetString(), v)) return 0;
    // A value that the unit factor carries past the range of a double is refused too.
    for (double& c : v) {
        c *= factor;
        if (!std::isfinite(c)) return 0;
    }
    x = v[0];
    y = v[1];
    z = v[2];
    return 1;
}
