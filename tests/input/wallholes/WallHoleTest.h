// The fixture of the wall-opening dialog tests: a host kit with walls standing along x, the
// keys run as the property grid runs them, and the openings read back from the walls.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <vector>

#include "support/DialogTest.h"
#include "support/TestHost.h"
#include <vyr/input/WallHoleInfo.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/resources/dialogs/WallHoleRes.h>
#include <vyr/scripteduser.h>

// An opening by its distances and size, in the order the grid shows them.
inline WALL_HOLE_RECT HoleAt(float dx, float dy, float w, float h)
{
    WALL_HOLE_RECT r;
    r.dx = dx;
    r.dy = dy;
    r.w = w;
    r.h = h;
    return r;
}

inline bool operator==(const WALL_HOLE_RECT& a, const WALL_HOLE_RECT& b)
{
    return a.dx == b.dx && a.dy == b.dy && a.w == b.w && a.h == b.h;
}

inline void PrintTo(const WALL_HOLE_RECT& r, std::ostream* os)
{
    *os << "{dx " << r.dx << ", dy " << r.dy << ", w " << r.w << ", h " << r.h << "}";
}

class WallHoleTest : public vyrtest::DialogTest
{
protected:
    vyrtest::CTestHost host;
    CGlobalData& d = host.GlobalData();
    CStruct* st = d.Struct();
    CWallList walls; // the selection the keys are run on

    void SetUp() override
    {
        DialogTest::SetUp();
        d.ProgramType() = 0;
        d.UnitLength() = 1.0f;
    }

    // A wall of length b and height h along x at y, with its openings.
    CWall* Wall(float b, float h, std::vector<WALL_HOLE_RECT> holes = {}, double y = 0.0)
    {
        CWall* w = new CWall;
        w->m_nNo = (int)st->m_pWallList->GetCount() + 1;
        for (const CPoint3D& p : {CPoint3D(0, y, 0), CPoint3D(b, y, 0), CPoint3D(b, y, h), CPoint3D(0, y, h)}) {
            auto* n = new CPNode((int)st->m_pNodeList->GetCount() + 1, p);
            st->m_pNodeList->AddTail(n);
            w->m_pVexNodeList->AddTail(n);
        }
        w->UpdateSize();
        WriteWallHoles(w, holes);
        st->m_pWallList->AddTail(w);
        walls.AddTail(w);
        return w;
    }

    static std::vector<WALL_HOLE_RECT> Holes(CWall* w) { return ReadWallHoles(w).holes; }
    static std::vector<CObject*> Objects(CWall* w)
    {
        std::vector<CObject*> out;
        for (POSITION pos = w->m_pHoleList->GetHeadPosition(); pos != nullptr;)
            out.push_back(w->m_pHoleList->GetNext(pos));
        return out;
    }

    int Key(const char* key) { return vyrkeys::Run(key, &walls, &d); }

    static std::vector<std::string> Boxes()
    {
        std::vector<std::string> out;
        for (const auto& b : vyr::ScriptedUser::MessageBoxes())
            out.push_back(b.text.str());
        return out;
    }
    static CString Text(CDialog* dlg, int id)
    {
        CString s;
        dlg->GetDlgItemText(id, s);
        return s;
    }
    static bool Enabled(CDialog* dlg, int id) { return dlg->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
};
