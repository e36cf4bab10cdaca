#include <vyr/model/section/SectionGeom.h>

#include <algorithm>
#include <cmath>

namespace vyr::sec {

Integrals& Integrals::operator+=(const Integrals& o)
{
    A += o.A; Sx += o.Sx; Sy += o.Sy; Ixx += o.Ixx; Iyy += o.Iyy; Ixy += o.Ixy;
    return *this;
}

Integrals& Integrals::operator-=(const Integrals& o)
{
    A -= o.A; Sx -= o.Sx; Sy -= o.Sy; Ixx -= o.Ixx; Iyy -= o.Iyy; Ixy -= o.Ixy;
    return *this;
}

std::vector<Pt> RoundPolygon(const std::vector<Corner>& c, int nSeg)
{
    std::vector<Pt> out;
    const size_t n = c.size();
    if (n < 3)
        return out;
    // Tangent length used on each edge end, checked against the edge length below.
    std::vector<double> used(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        const Corner& p = c[i];
        const Corner& a = c[(i + n - 1) % n];
        const Corner& b = c[(i + 1) % n];
        if (p.r <= 0.0) {
            out.push_back({p.x, p.y});
            continue;
        }
        double ux = a.x - p.x, uy = a.y - p.y, vx = b.x - p.x, vy = b.y - p.y;
        const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
        if (lu <= 0.0 || lv <= 0.0)
            return {};
        ux /= lu; uy /= lu; vx /= lv; vy /= lv;
        const double cosang = std::clamp(ux * vx + uy * vy, -1.0, 1.0);
        const double ang = std::acos(cosang); // interior angle between the edges
        if (ang < 1e-9 || ang > M_PI - 1e-9) {
            out.push_back({p.x, p.y});
            continue;
        }
        const double d = p.r / std::tan(ang / 2.0);
        used[i] = d;
        if (d > lu + 1e-9 || d > lv + 1e-9)
            return {};
        const Pt t1{p.x + ux * d, p.y + uy * d};
        const Pt t2{p.x + vx * d, p.y + vy * d};
        double bx = ux + vx, by = uy + vy;
        const double lb = std::hypot(bx, by);
        bx /= lb; by /= lb;
        const double dc = p.r / std::sin(ang / 2.0);
        const Pt cc{p.x + bx * dc, p.y + by * dc};
        double a1 = std::atan2(t1.y - cc.y, t1.x - cc.x);
        double a2 = std::atan2(t2.y - cc.y, t2.x - cc.x);
        double sweep = a2 - a1;
        while (sweep > M_PI) sweep -= 2.0 * M_PI;
        while (sweep < -M_PI) sweep += 2.0 * M_PI;
        for (int k = 0; k <= nSeg; ++k) {
            const double t = a1 + sweep * k / nSeg;
            out.push_back({cc.x + p.r * std::cos(t), cc.y + p.r * std::sin(t)});
        }
    }
    // Two fillets on one edge must not overlap.
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        const double len = std::hypot(c[j].x - c[i].x, c[j].y - c[i].y);
        if (used[i] + used[j] > len + 1e-9)
            return {};
    }
    return out;
}

Integrals PolygonIntegrals(const std::vector<Pt>& p)
{
    Integrals r;
    const size_t n = p.size();
    for (size_t i = 0; i < n; ++i) {
        const Pt& a = p[i];
        const Pt& b = p[(i + 1) % n];
        const double cr = a.x * b.y - b.x * a.y;
        r.A += cr;
        r.Sx += (a.y + b.y) * cr;
        r.Sy += (a.x + b.x) * cr;
        r.Ixx += (a.y * a.y + a.y * b.y + b.y * b.y) * cr;
        r.Iyy += (a.x * a.x + a.x * b.x + b.x * b.x) * cr;
        r.Ixy += (a.x * b.y + 2.0 * a.x * a.y + 2.0 * b.x * b.y + b.x * a.y) * cr;
    }
    r.A /= 2.0;
    r.Sx /= 6.0;
    r.Sy /= 6.0;
    r.Ixx /= 12.0;
    r.Iyy /= 12.0;
    r.Ixy /= 24.0;
    return r;
}

Integrals LineIntegrals(Pt p1, Pt p2, double t)
{
    Integrals r;
    const double L = std::hypot(p2.x - p1.x, p2.y - p1.y);
    const double a = L * t;
    r.A = a;
    r.Sx = a * (p1.y + p2.y) / 2.0;
    r.Sy = a * (p1.x + p2.x) / 2.0;
    r.Ixx = a * (p1.y * p1.y + p1.y * p2.y + p2.y * p2.y) / 3.0;
    r.Iyy = a * (p1.x * p1.x + p1.x * p2.x + p2.x * p2.x) / 3.0;
    r.Ixy = a * (2.0 * p1.x * p1.y + p1.x * p2.y + p2.x * p1.y + 2.0 * p2.x * p2.y) / 6.0;
    return r;
}

Integrals CircleIntegrals(double cx, double cy, double rad)
{
    Integrals r;
    const double a = M_PI * rad * rad;
    const double i0 = M_PI * rad * rad * rad * rad / 4.0;
    r.A = a;
    r.Sx = a * cy;
    r.Sy = a * cx;
    r.Ixx = i0 + a * cy * cy;
    r.Iyy = i0 + a * cx * cx;
    r.Ixy = a * cx * cy;
    return r;
}

Props MakeProps(const Integrals& in, double xmin, double xmax, double ymin, double ymax)
{
    Props p;
    p.xmin = xmin; p.xmax = xmax; p.ymin = ymin; p.ymax = ymax;
    if (!(in.A > 0.0) || !std::isfinite(in.A))
        return p;
    p.A = in.A;
    p.xc = in.Sy / in.A;
    p.yc = in.Sx / in.A;
    p.Ix = std::max(0.0, in.Ixx - in.A * p.yc * p.yc);
    p.Iy = std::max(0.0, in.Iyy - in.A * p.xc * p.xc);
    p.Ixy = in.Ixy - in.A * p.xc * p.yc;
    const double m = (p.Ix + p.Iy) / 2.0;
    const double d = std::hypot((p.Ix - p.Iy) / 2.0, p.Ixy);
    p.Imin = std::max(0.0, m - d);
    p.ok = p.Ix > 0.0 && p.Iy > 0.0 && std::isfinite(p.Ix) && std::isfinite(p.Iy);
    return p;
}

std::vector<Pt> CirclePoints(double cx, double cy, double r, int n)
{
    std::vector<Pt> v;
    v.reserve((size_t)n);
    for (int i = 0; i < n; ++i) {
        const double t = 2.0 * M_PI * i / n;
        v.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
    }
    return v;
}

} // namespace vyr::sec
