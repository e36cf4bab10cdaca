#include <vyr/model/geometry/Matrix.h>

#include <cmath>
#include <algorithm>
#include <utility>

#include <vyr/model/geometry/Rect2D.h>

namespace {

// Gauss-Jordan with partial pivoting on an n x n row-major matrix; false when singular.
bool Invert(const double* a, double* out, int n)
{
    double w[16 * 2];
    const int cols = 2 * n;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            w[r * cols + c] = a[r * n + c];
            w[r * cols + n + c] = r == c ? 1.0 : 0.0;
        }
    double scale = 0.0;
    for (int i = 0; i < n * n; ++i) scale = std::max(scale, std::fabs(a[i]));
    if (scale == 0.0 || !std::isfinite(scale)) return false;
    for (int c = 0; c < n; ++c) {
        int piv = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(w[r * cols + c]) > std::fabs(w[piv * cols + c])) piv = r;
        if (std::fabs(w[piv * cols + c]) <= scale * 1e-14) return false;
        if (piv != c)
            for (int k = 0; k < cols; ++k) std::swap(w[piv * cols + k], w[c * cols + k]);
        double d = w[c * cols + c];
        for (int k = 0; k < cols; ++k) w[c * cols + k] /= d;
        for (int r = 0; r < n; ++r) {
            if (r == c) continue;
            double f = w[r * cols + c];
            if (f == 0.0) continue;
            for (int k = 0; k < cols; ++k) w[r * cols + k] -= f * w[c * cols + k];
        }
    }
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) out[r * n + c] = w[r * cols + n + c];
    return true;
}

void Multiply(const double* a, const double* b, double* out, int n)
{
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            double s = 0.0;
            for (int k = 0; k < n; ++k) s += a[r * n + k] * b[k * n + c];
            out[r * n + c] = s;
        }
}

} // namespace

CMatrix2D& CMatrix2D::Identity()
{
    for (int i = 0; i < 9; ++i) m[i] = (i % 4 == 0) ? 1.0 : 0.0;
    return *this;
}

CMatrix2D& CMatrix2D::operator=(const CMatrix2D& a)
{
    for (int i = 0; i < 9; ++i) m[i] = a.m[i];
    return *this;
}

CMatrix2D& CMatrix2D::operator=(double d)
{
    for (double& e : m) e = d;
    return *this;
}

double& CMatrix2D::operator()(int row, int col)
{
    VYR_CHECK(row >= 0 && row < 3 && col >= 0 && col < 3, "CMatrix2D index out of range");
    return m[row * 3 + col];
}

double CMatrix2D::operator()(int row, int col) const
{
    VYR_CHECK(row >= 0 && row < 3 && col >= 0 && col < 3, "CMatrix2D index out of range");
    return m[row * 3 + col];
}

CMatrix2D CMatrix2D::Anti() const
{
    CMatrix2D r;
    if (!Invert(m, r.m, 3)) r.Identity();
    return r;
}

CMatrix2D CMatrix2D::operator*(const CMatrix2D& a) const
{
    CMatrix2D r;
    Multiply(m, a.m, r.m, 3);
    return r;
}

CMatrix2D& CMatrix2D::operator*=(const CMatrix2D& a)
{
    *this = *this * a;
    return *this;
}

void CMatrix2D::SetMove(double dx, double dy)
{
    Identity();
    m[6] = dx;
    m[7] = dy;
}

void CMatrix2D::SetScale(double s)
{
    Identity();
    m[0] = s;
    m[4] = s;
}

void CMatrix2D::SetZoomMatrix(const CRect& screen, const CRect2D& world)
{
    double sw = std::fabs((double)screen.right - screen.left);
    double sh = std::fabs((double)screen.bottom - screen.top);
    double ww = world.Width(), wh = world.Height();
    double s = 1.0;
    if (ww > 0.0 && wh > 0.0) s = std::min(sw / ww, sh / wh);
    else if (ww > 0.0) s = sw / ww;
    else if (wh > 0.0) s = sh / wh;
    if (!(s > 0.0) || !std::isfinite(s)) s = 1.0;
    CPoint2D wc = world.CenterPoint();
    double scx = ((double)screen.left + screen.right) / 2.0;
    double scy = ((double)screen.top + screen.bottom) / 2.0;
    Identity();
    m[0] = s;
    m[4] = -s;
    m[6] = scx - wc.x * s;
    m[7] = scy + wc.y * s;
}

CMatrix3D& CMatrix3D::Identity()
{
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0 : 0.0;
    return *this;
}

CMatrix3D& CMatrix3D::operator=(const CMatrix3D& a)
{
    for (int i = 0; i < 16; ++i) m[i] = a.m[i];
    return *this;
}

CMatrix3D& CMatrix3D::operator=(double d)
{
    for (double& e : m) e = d;
    return *this;
}

double& CMatrix3D::operator[](int i)
{
    VYR_CHECK(i >= 0 && i < 16, "CMatrix3D index out of range");
    return m[i];
}

double CMatrix3D::operator[](int i) const
{
    VYR_CHECK(i >= 0 && i < 16, "CMatrix3D index out of range");
    return m[i];
}

CMatrix3D CMatrix3D::Anti() const
{
    CMatrix3D r;
    if (!Invert(m, r.m, 4)) r.Identity();
    return r;
}

CMatrix3D CMatrix3D::operator*(const CMatrix3D& a) const
{
    CMatrix3D r;
    Multiply(m, a.m, r.m, 4);
    return r;
}

CMatrix3D& CMatrix3D::operator*=(const CMatrix3D& a)
{
    *this = *this * a;
    return *this;
}

void CMatrix3D::SetXRotate(double a)
{
    Identity();
    double c = std::cos(a), s = std::sin(a);
    m[5] = c;
    m[6] = s;
    m[9] = -s;
    m[10] = c;
}

void CMatrix3D::SetYRotate(double a)
{
    Identity();
    double c = std::cos(a), s = std::sin(a);
    m[0] = c;
    m[2] = -s;
    m[8] = s;
    m[10] = c;
}

void CMatrix3D::SetZRotate(double a)
{
    Identity();
    double c = std::cos(a), s = std::sin(a);
    m[0] = c;
    m[1] = s;
    m[4] = -s;
    m[5] = c;
}

void CMatrix3D::SetMove(double dx, double dy, double dz)
{
    Identity();
    m[12] = dx;
    m[13] = dy;
    m[14] = dz;
}
