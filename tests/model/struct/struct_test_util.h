// A small hand-made model in a plan view whose pixels equal model units, for hit tests.
#pragma once

#include <vyr/model/struct/structure.h>

inline void SetPlanView(CGlobalData& d)
{
    CMatrix3D& m3 = d.Matrix3D();
    m3.Identity();
    m3(1, 1) = 0.0;
    m3(1, 2) = 1.0;
    m3(2, 1) = 1.0;
    m3(2, 2) = 0.0;
    d.Matrix2D().Identity();
}

struct PlanModel
{
    CGlobalData data;
    CStruct& s = *data.Struct();
    CPNode* n[4];
    CBeam* b[4];   // the square 10..50 x 10..50, edges in boundary order
    CPlane* room;
    CWall* wall;   // along y = 100 from x = 0 to 40, standing on z 0..30
    CBeamList members;
    CPNodeList nodes;
    CWallList walls;
    CPlaneList rooms;

    PlanModel()
    {
        SetPlanView(data);
        const double xy[4][2] = {{10, 10}, {50, 10}, {50, 50}, {10, 50}};
        for (int i = 0; i < 4; ++i)
        {
            n[i] = new CPNode(i + 1, CPoint3D(xy[i][0], xy[i][1], 0));
            s.m_pNodeList->AddTail(n[i]);
        }
        for (int i = 0; i < 4; ++i)
        {
            b[i] = new CBeam(i + 1, n[i], n[(i + 1) % 4], 2);
            s.m_pBeamList->AddTail(b[i]);
        }
        room = new CPlane;
        room->m_nNo = 1;
        for (int i = 0; i < 4; ++i)
        {
            room->m_pVexNodeList->AddTail(n[i]);
            room->m_pNodeList->AddTail(n[i]);
            room->m_pBeamList->AddTail(b[i]);
        }
        s.m_pPlaneList->AddTail(room);
        wall = new CWall;
        wall->m_nNo = 1;
        const double wc[4][3] = {{0, 100, 0}, {40, 100, 0}, {40, 100, 30}, {0, 100, 30}};
        for (int i = 0; i < 4; ++i)
        {
            CPNode* w = new CPNode(10 + i, CPoint3D(wc[i][0], wc[i][1], wc[i][2]));
            s.m_pNodeList->AddTail(w);
            wall->m_pVexNodeList->AddTail(w);
        }
        wall->UpdateSize();
        s.m_pWallList->AddTail(wall);
        members.CopyPointer(s.m_pBeamList);
        nodes.CopyPointer(s.m_pNodeList);
        walls.CopyPointer(s.m_pWallList);
        rooms.CopyPointer(s.m_pPlaneList);
    }
};
