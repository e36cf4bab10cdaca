#include <vyr/model/geometry/GeoFunc.h>

#include <algorithm>
#include <cmath>
#include <cstring>

LONG longTransfer(double v)
{
    if (!std::isfinite(v)) return 0;
    double r = std::round(v);
    if (r >= 2147483647.0) return 2147483647;
    if (r <= -2147483648.0) return (LONG)(-2147483647 - 1);
    return (LONG)r;
}

double DPP(CPoint2D a, CPoint2D b) { return a.GetDist(b); }

double DPL(CPoint2D p, CPoint2D a, CPoint2D b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::hypot(dx, dy);
    if (len == 0.0) return p.GetDist(a);
    return std::fabs(dx * (p.y - a.y) - dy * (p.x - a.x)) / len;
}

bool IsPtInRegion1(CPoint2D* poly, int n, CPoint2D p)
{
    if (!poly || n < 3) return false;
    // On the outline counts as inside: an opening may touch the edge of its region.
    for (int i = 0; i < n; ++i) {
        const CPoint2D& a = poly[i];
        const CPoint2D& b = poly[(i + 1) % n];
        double len = a.GetDist(b);
        double tol = VYR_GEO_EPS * std::max(1.0, len);
        if (DPL(p, a, b) <= tol && p.x >= std::min(a.x, b.x) - tol && p.x <= std::max(a.x, b.x) + tol &&
            p.y >= std::min(a.y, b.y) - tol && p.y <= std::max(a.y, b.y) + tol)
            return true;
    }
    bool inside = false;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const CPoint2D& a = poly[i];
        const CPoint2D& b = poly[j];
        if ((a.y > p.y) != (b.y > p.y)) {
            double xs = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (p.x < xs) inside = !inside;
        }
    }
    return inside;
}

namespace vyr {

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One number between p and end (blanks around it allowed); nothing else may be there.
static bool ParseOne(const char* p, const char* end, bool integer, double& out)
{
    while (p < end && IsBlank(*p)) ++p;
    while (end > p && IsBlank(end[-1])) --end;
    if (p == end) return false;
    if (*p == '+') {
        ++p;
        if (p == end || *p == '-' || *p == '+') return false;
    }
    if (integer) {
        long long v = 0;
        auto r = std::from_chars(p, end, v);
        if (r.ec != std::errc() || r.ptr != end) return false;
        out = (double)v;
        return true;
    }
    double v = 0.0;
    auto r = std::from_chars(p, end, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool ParseNumberList(const char* text, std::vector<double>& out, bool integers)
{
    out.clear();
    if (!text) return false;
    const char* p = text;
    const char* end = text + std::strlen(text);
    const char* q = p;
    while (q < end && IsBlank(*q)) ++q;
    if (q == end) return true;
    for (;;) {
        const char* comma = std::find(p, end, ',');
        double v = 0.0;
        if (!ParseOne(p, comma, integers, v)) {
            out.clear();
            return false;
        }
        out.push_back(v);
        if (comma == end) return true;
        p = comma + 1;
    }
}

bool ParseTriple(const char* text, double out[3])
{
    std::vector<double> v;
    if (!ParseNumberList(text, v, false) || v.size() != 3) return false;
    for (int i = 0; i < 3; ++i) out[i] = v[i];
    return true;
}

} // namespace vyr
