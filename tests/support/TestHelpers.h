// Small checks the model and operator tests share.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/GeoPoint.h>

namespace vyrtest {

inline void ExpectPt(const CPoint2D& p, double x, double y, double tol = 1e-9)
{
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
}

inline void ExpectPt(const CPoint3D& p, double x, double y, double z, double tol = 1e-9)
{
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
    EXPECT_NEAR(p.z, z, tol);
}

inline void ExpectPt(const CPoint3D& got, const CPoint3D& want, double tol = 1e-9)
{
    ExpectPt(got, want.x, want.y, want.z, tol);
}

// The objects of a list, head to tail.
inline std::vector<CObject*> Items(const CObList& l)
{
    std::vector<CObject*> v;
    for (POSITION pos = l.GetHeadPosition(); pos != nullptr;)
        v.push_back(l.GetNext(pos));
    return v;
}

inline std::vector<CObject*> Items(const CObList* l) { return Items(*l); }

// The blank-separated words of a line of text.
inline std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

} // namespace vyrtest
