// The two view transformations of a drawing view folded into plain numbers, so that hit
// tests over many objects project points without touching the matrix objects.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>

class CViewXform
{
public:
    CViewXform();
    CViewXform(CMatrix3D& m3, CMatrix2D& m2);

    // Model point -> projection plane (after the space matrix and the y/z exchange).
    CPoint2D ToPlane(const CPoint3D& p) const
    {
        const double X = p.x * m3[0] + p.y * m3[4] + p.z * m3[8] + m3[12];
        const double Z = p.x * m3[2] + p.y * m3[6] + p.z * m3[10] + m3[14];
        return CPoint2D(X, Z);
    }
    // Projection plane -> client pixels.
    CPoint2D PlaneToScreen(const CPoint2D& q) const
    {
        return CPoint2D(q.x * m2[0] + q.y * m2[3] + m2[6], q.x * m2[1] + q.y * m2[4] + m2[7]);
    }
    CPoint2D ToScreen(const CPoint3D& p) const { return PlaneToScreen(ToPlane(p)); }

    bool operator==(const CViewXform& o) const;
    bool operator!=(const CViewXform& o) const { return !(*this == o); }

    double m3[16];
    double m2[9];
    // Changes whenever the numbers change; objects compare it with the stamp of their cache.
    long stamp = 0;
    static long NewStamp();
};
