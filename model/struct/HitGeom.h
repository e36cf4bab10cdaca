// Plane tests behind the hit tests: everything in client pixels, rectangles normalised by
// the callers (left <= right, top <= bottom).
#pragma once

#include <algorithm>
#include <cmath>

#include <vyr/model/geometry/geometry.h>

namespace vyr_hit
{
struct Box
{
    double l, t, r, b;
};

inline Box Normalized(const CRect2D& rc)
{
    return Box{std::min(rc.left, rc.right), std::min(rc.top, rc.bottom), std::max(rc.left, rc.right),
               std::max(rc.top, rc.bottom)};
}

// A rectangle without area selects nothing.
inline bool IsEmpty(const Box& b)
{
    return !(b.r > b.l) || !(b.b > b.t);
}

inline bool Inside(const Box& b, double x, double y)
{
    return x >= b.l && x <= b.r && y >= b.t && y <= b.b;
}

inline double DistToSegment(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = 0.0;
    if (len2 > 0.0)
        t = std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0, 1.0);
    const double cx = ax + t * dx - px, cy = ay + t * dy - py;
    return std::sqrt(cx * cx + cy * cy);
}

// Liang-Barsky clipping: does the segment touch the box?
inline bool SegmentTouches(const Box& b, double x0, double y0, double x1, double y1)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - b.l, b.r - x0, y0 - b.t, b.b - y0};
    for (int i = 0; i < 4; ++i)
    {
        if (p[i] == 0.0)
        {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// Even-odd rule; points on the outline may fall either way.
inline bool PointInPolygon(const CPoint2D* pts, int n, double x, double y)
{
    bool in = false;
    for (int i = 0, j = n - 1; i < n; j = i++)
    {
        const double xi = pts[i].x, yi = pts[i].y, xj = pts[j].x, yj = pts[j].y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

inline bool PolygonInside(const Box& b, const CPoint2D* pts, int n)
{
    for (int i = 0; i < n; ++i)
        if (!Inside(b, pts[i].x, pts[i].y))
            return false;
    return n > 0;
}

// The polygon (or polyline when closed is false) lies in the box or is cut by its frame, or
// the box lies within the closed polygon.
inline bool PolygonTouches(const Box& b, const CPoint2D* pts, int n, bool closed)
{
    if (n <= 0)
        return false;
    if (n == 1)
        return Inside(b, pts[0].x, pts[0].y);
    const int edges = closed ? n : n - 1;
    for (int i = 0; i < edges; ++i)
    {
        const CPoint2D& a = pts[i];
        const CPoint2D& c = pts[(i + 1) % n];
        if (SegmentTouches(b, a.x, a.y, c.x, c.y))
            return true;
    }
    return closed && PointInPolygon(pts, n, b.l, b.t);
}

inline bool PointNearPolyline(const CPoint2D* pts, int n, bool closed, double x, double y, double tol)
{
    if (n == 1)
        return std::fabs(pts[0].x - x) <= tol && std::fabs(pts[0].y - y) <= tol;
    const int edges = closed ? n : n - 1;
    for (int i = 0; i < edges; ++i)
    {
        const CPoint2D& a = pts[i];
        const CPoint2D& c = pts[(i + 1) % n];
        if (DistToSegment(x, y, a.x, a.y, c.x, c.y) <= tol)
            return true;
    }
    return false;
}
} // namespace vyr_hit
