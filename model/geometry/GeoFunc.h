// Free helpers of the graphics library: pixel rounding, distances, point in polygon and
// the number-list parsers.
#pragma once

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include <vyr/model/geometry/GeoPoint.h>

// A real pixel coordinate as the nearest whole number, clamped to the range of LONG (a
// non-finite value gives 0).
LONG longTransfer(double v);

// Distance of two points.
double DPP(CPoint2D a, CPoint2D b);
// Distance of p from the infinite line through a and b (from a when a and b coincide).
double DPL(CPoint2D p, CPoint2D a, CPoint2D b);
// True when p lies inside the polygon of n corners or on its outline.
bool IsPtInRegion1(CPoint2D* polygon, int n, CPoint2D p);

namespace vyr {
// Splits a comma-separated list of numbers (blanks allowed around each); false for an empty
// field or anything that is not a finite number. Locale-independent.
bool ParseNumberList(const char* text, std::vector<double>& out, bool integers);
// The three numbers of "x, y, z".
bool ParseTriple(const char* text, double out[3]);
} // namespace vyr

// Fills arr (any array with RemoveAll and Add, such as CArray<int, int>) from the
// comma-separated text. Nonzero when the text is well formed and every value is at most
// max (and fits the element type); otherwise 0 and the array is left empty. An empty text
// gives an empty array and 1.
template <class ARRAY>
int ParseIntString(const CString& text, ARRAY& arr, int max)
{
    std::vector<double> v;
    arr.RemoveAll();
    if (!vyr::ParseNumberList(text.GetString(), v, true)) return 0;
    for (double d : v)
        if (d > (double)max || d < (double)std::numeric_limits<int>::min()) return 0;
    for (double d : v) arr.Add((int)d);
    return 1;
}

template <class ARRAY>
int ParseFloatString(const CString& text, ARRAY& arr, float max)
{
    std::vector<double> v;
    arr.RemoveAll();
    if (!vyr::ParseNumberList(text.GetString(), v, false)) return 0;
    // A value beyond the float range would turn into an infinity (or worse) in the array.
    for (double d : v)
        if (std::fabs(d) > (double)std::numeric_limits<float>::max() || (float)d > max) return 0;
    for (double d : v) arr.Add((float)d);
    return 1;
}
