// Plane-section arithmetic of the section library: polygons with rounded corners, their
// area integrals, and thin-walled centre lines. Lengths in millimetres.
#pragma once

#include <vector>

namespace vyr::sec {

struct Pt
{
    double x;
    double y;
};

// A polygon corner; r > 0 rounds it with a circular arc tangent to both edges (a toe or
// root fillet alike).
struct Corner
{
    double x;
    double y;
    double r;
};

// Area integrals about the origin: A, first moments, second moments and product.
struct Integrals
{
    double A = 0, Sx = 0, Sy = 0, Ixx = 0, Iyy = 0, Ixy = 0;
    Integrals& operator+=(const Integrals& o);
    Integrals& operator-=(const Integrals& o);
};

// The polygon's vertices with every rounded corner replaced by nSeg chords of its arc.
// Fails (empty result) when a radius does not fit between its neighbours.
std::vector<Pt> RoundPolygon(const std::vector<Corner>& corners, int nSeg);
// Integrals of a simple polygon; counter-clockwise gives a positive area.
Integrals PolygonIntegrals(const std::vector<Pt>& poly);
// A thin plate of thickness t along the centre line p1-p2.
Integrals LineIntegrals(Pt p1, Pt p2, double t);
Integrals CircleIntegrals(double cx, double cy, double r);

// Section properties from the integrals and the extents, in millimetre units.
struct Props
{
    double A = 0;          // mm2
    double xc = 0, yc = 0; // centroid
    double Ix = 0, Iy = 0, Ixy = 0; // about centroidal axes parallel to x and y, mm4
    double Imin = 0;       // least principal second moment, mm4
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool ok = false;
};
Props MakeProps(const Integrals& in, double xmin, double xmax, double ymin, double ymax);

// A regular polygon approximating a circle, counter-clockwise.
std::vector<Pt> CirclePoints(double cx, double cy, double r, int n);

} // namespace vyr::sec
