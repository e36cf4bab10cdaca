// One scope of a drawing export: the part of the model (nodes, members, rooms) whose
// drawings go to the folder of its name. The lists point at the model's objects and own
// none of them.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>
#include <vyr/model/struct/Plane.h>

class COutputContentBase
{
public:
    COutputContentBase() = default;
    COutputContentBase(const COutputContentBase& o);
    COutputContentBase& operator=(const COutputContentBase& o);
    virtual ~COutputContentBase() = default;

    // The length of the longest member, computed at the first call that finds the cache at
    // 0 (so a scope without members computes it again every time, and answers 0).
    double GetMaxBeamLength();
    // The longest member of a list; 0 for an empty one.
    static double LongestMember(const CBeamList& members);

    CPNodeList m_NodeList;
    CBeamList m_BeamList;
    CPlaneList m_PlaneList;
    CString m_strName;         // the folder below the project folder
    double m_dMaxBeamLength = 0.0; // model length units; 0: not computed yet
};

// A scope of the 2-D export (plane sketches).
struct OUTPUT_CONTENT_2D : public COutputContentBase
{
};

// A scope of the 3-D export (spatial sketches).
struct OUTPUT_CONTENT : public COutputContentBase
{
};

// One member's diagram in a drawing of the 2-D export: the end points in the drawing plane
// and the station values (the second array only for drawings with two curves).
struct MEMBER_DIAGRAM_2D
{
    CPoint2D pt1, pt2;
    double v1[12] = {};
    double v2[12] = {};
};

// The same in space, with the local axis the ordinates are offset along.
struct MEMBER_DIAGRAM
{
    CPoint3D pt1, pt2;
    double v1[12] = {};
    double v2[12] = {};
    CVector3D dir;
};
