#include <vyr/model/geometry/Rect2D.h>

#include <algorithm>

#include <vyr/model/geometry/GeoFunc.h>

void CRect2D::NormalizeRect()
{
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

void CRect2D::InflateRect(double dx, double dy)
{
    if (left <= right) { left -= dx; right += dx; }
    else { left += dx; right -= dx; }
    if (top <= bottom) { top -= dy; bottom += dy; }
    else { top += dy; bottom -= dy; }
}

CRect2D& CRect2D::operator|=(const CRect2D& r)
{
    if (r.IsRectNull()) return *this;
    if (IsRectNull()) { *this = r; return *this; }
    double x0 = std::min({left, right, r.left, r.right});
    double x1 = std::max({left, right, r.left, r.right});
    double y0 = std::min({top, bottom, r.top, r.bottom});
    double y1 = std::max({top, bottom, r.top, r.bottom});
    bool xDown = left > right, yUp = top > bottom;
    left = xDown ? x1 : x0;
    right = xDown ? x0 : x1;
    top = yUp ? y1 : y0;
    bottom = yUp ? y0 : y1;
    return *this;
}

bool CRect2D::PtInRect(const CPoint2D& p) const
{
    return p.x >= std::min(left, right) && p.x <= std::max(left, right) &&
           p.y >= std::min(top, bottom) && p.y <= std::max(top, bottom);
}

CRect2D::operator CRect() const
{
    return CRect((int)longTransfer(left), (int)longTransfer(top), (int)longTransfer(right), (int)longTransfer(bottom));
}
