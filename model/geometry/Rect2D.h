// An axis-parallel rectangle in real coordinates.
#pragma once

#include <vyr/model/geometry/GeoPoint.h>

// The canonical corner order (NormalizeRect) is left <= right and top <= bottom, the order
// of a window rectangle; rectangles in y-up coordinates (top above bottom) are kept as they
// are by every other operation, whose results do not depend on the order.
class CRect2D
{
public:
    double left;
    double top;
    double right;
    double bottom;

    CRect2D() : left(0.0), top(0.0), right(0.0), bottom(0.0) {}
    CRect2D(double l, double t, double r, double b) : left(l), top(t), right(r), bottom(b) {}
    // The rectangle with a as (left, top) and b as (right, bottom).
    CRect2D(const CPoint2D& a, const CPoint2D& b) : left(a.x), top(a.y), right(b.x), bottom(b.y) {}
    ~CRect2D() {}

    double Width() const { return right > left ? right - left : left - right; }
    double Height() const { return top > bottom ? top - bottom : bottom - top; }

    void NormalizeRect();
    // Each side moved outwards (in whatever order the corners are) by dx and dy.
    void InflateRect(double dx, double dy);
    // Bounding rectangle of both; a null rectangle (all zero) counts as no extent.
    CRect2D& operator|=(const CRect2D& r);
    bool IsRectNull() const { return left == 0.0 && top == 0.0 && right == 0.0 && bottom == 0.0; }
    bool IsRectEmpty() const { return Width() == 0.0 || Height() == 0.0; }
    CPoint2D CenterPoint() const { return CPoint2D((left + right) / 2.0, (top + bottom) / 2.0); }
    CPoint2D TopLeft() const { return CPoint2D(left, top); }
    CPoint2D BottomRight() const { return CPoint2D(right, bottom); }
    // True when p lies inside or on the border.
    bool PtInRect(const CPoint2D& p) const;
    // Each coordinate rounded to the nearest pixel.
    operator CRect() const;
};
