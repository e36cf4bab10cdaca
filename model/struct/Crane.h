// Overhead cranes of an industrial building and the crane runs they are laid out on.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/ModelList.h>

// One crane of the project's crane table.
class CCrane : public CObject
{
    DECLARE_DYNAMIC(CCrane)
public:
    int m_nDutyClass = 0;         // 0 light, 1 medium, 2 heavy
    int m_nWheelNum = 4;
    double m_dLiftCapacity = 0.0; // kN
    double m_dWeight = 0.0;       // kN
    double m_dMaxWheelLoad = 0.0; // kN
    double m_dMinWheelLoad = 0.0; // kN
};

// A crane run: the crane beam between two points, the axes it runs from and to, and the
// cranes that travel on it (their serial numbers in the crane table, from 1).
class CCraneGroup : public CObject
{
    DECLARE_DYNAMIC(CCraneGroup)
public:
    // The serial numbers of the cranes on the run, "1,3"; empty without cranes.
    CString GetCraneDescription() const;

    CPoint3D m_ptStart;
    CPoint3D m_ptEnd;
    int m_nStartAxis = 0;
    int m_nEndAxis = 0;
    float m_fLeftOverhang = 0.0f;  // cm
    float m_fRightOverhang = 0.0f; // cm
    float m_fBeamHeight = 0.0f;    // crane beam height, cm
    CArray<int, int> m_aCraneNo;
};

// The structure's own lists: they delete their entries.
class CCraneList : public CModelList<CCrane, true>
{
};
class CCraneGroupList : public CModelList<CCraneGroup, true>
{
};
