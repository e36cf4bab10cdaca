// Load records of the structure: node, member, area and wind loads. The structure keeps
// every record in its definition lists; nodes, members and rooms refer to them.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/struct/ModelList.h>

// A concentrated node load: forces in kN, moments in kN.cm.
class CLoadNode : public CObject
{
    DECLARE_DYNAMIC(CLoadNode)
public:
    CLoadNode() = default;
    CLoadNode(int no, double fx, double fy, double fz, double mx = 0, double my = 0, double mz = 0)
        : m_nNo(no), m_dF{fx, fy, fz, mx, my, mz}
    {
    }
    void GetDescription(CString* out) const;
    int m_nNo = 0;
    double m_dF[6] = {0, 0, 0, 0, 0, 0}; // Fx, Fy, Fz, Mx, My, Mz
};

// A member load: load type code 1 to 7 (1 uniform, 2 concentrated, 3 partial uniform,
// 4 trapezoid, 5 triangle, 6 concentrated moment, 7 axial), direction code, values Q1, Q2
// at positions X1, X2.
class CLoadBeam : public CObject
{
    DECLARE_DYNAMIC(CLoadBeam)
public:
    CLoadBeam() = default;
    CLoadBeam(int no, int dir, int type, double q1, double q2 = 0, double x1 = 0, double x2 = 0)
        : m_nNo(no), m_nDir(dir), m_nType(type), m_dQ1(q1), m_dQ2(q2), m_dX1(x1), m_dX2(x2)
    {
    }
    void GetDescription(CString* out) const;
    int m_nNo = 0;
    int m_nDir = 3;
    int m_nType = 1;
    double m_dQ1 = 0, m_dQ2 = 0, m_dX1 = 0, m_dX2 = 0;
};

// An area load on a room (kN/cm2).
class CLoadArea : public CObject
{
    DECLARE_DYNAMIC(CLoadArea)
public:
    CLoadArea() = default;
    CLoadArea(int no, float value) : m_nNo(no), m_fValue(value) {}
    void GetDescription(CString* out) const;
    int m_nNo = 0;
    float m_fValue = 0.0f;
};

// A wind load on a node (kN).
class CLoadWind : public CObject
{
    DECLARE_DYNAMIC(CLoadWind)
public:
    CLoadWind() = default;
    CLoadWind(int no, float x, float y, float z) : m_nNo(no), m_fX(x), m_fY(y), m_fZ(z) {}
    void GetDescription(CString* out) const;
    int m_nNo = 0;
    float m_fX = 0, m_fY = 0, m_fZ = 0;
};

// Lists held by nodes and members refer to records; the structure's lists of the same
// classes are deleted element by element by the structure.
class CLoadNodeList : public CModelList<CLoadNode, false>
{
};
class CLoadBeamList : public CModelList<CLoadBeam, false>
{
};
class CLoadAreaList : public CModelList<CLoadArea, false>
{
};
class CLoadWindList : public CModelList<CLoadWind, false>
{
public:
    // Plan angle of the wind direction, radians (0 along +x).
    double GetXOYAngle() const { return m_dAngle; }
    double m_dAngle = 0.0;
};
