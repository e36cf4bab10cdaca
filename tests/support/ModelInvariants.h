// The model's reference invariant: no object left in the model refers to one that was
// taken out of it (deleted members, nodes, walls or rooms), in any list that refers to objects;
// every wall opening is held by one wall and lies on it.
#pragma once

#include <gtest/gtest.h>

#include <set>

#include <vyr/model/struct/structure.h>
#include "support/TestHelpers.h"

namespace vyrtest {

// No remaining object refers to an object outside the model.
inline void ExpectConsistent(CGlobalData& d)
{
    CStruct& s = *d.Struct();
    std::set<CObject*> nodes, members, walls, planes;
    for (CObject* o : Items(s.m_pNodeList))
        nodes.insert(o);
    for (const CObList* l : {(const CObList*)s.m_pBeamList, (const CObList*)s.m_pBCInWallList1, (const CObList*)s.m_pBCInWallList2})
        for (CObject* o : Items(l))
            members.insert(o);
    for (CObject* o : Items(s.m_pWallList))
        walls.insert(o);
    for (CObject* o : Items(s.m_pPlaneList))
    {
        planes.insert(o);
        for (CObject* sb : Items(static_cast<CPlane*>(o)->m_pSubBeamList))
            members.insert(sb);
    }
    for (CObject* o : members)
    {
        CBeamBase* b = static_cast<CBeamBase*>(o);
        EXPECT_TRUE(nodes.count(b->GetNode1()) && nodes.count(b->GetNode2())) << "member refers to a deleted node";
    }
    for (CObject* o : planes)
    {
        CPlane* p = static_cast<CPlane*>(o);
        for (CObject* n : Items(p->m_pVexNodeList))
            EXPECT_TRUE(nodes.count(n)) << "room refers to a deleted node";
        for (CObject* n : Items(p->m_pNodeList))
            EXPECT_TRUE(nodes.count(n)) << "room refers to a deleted node";
        for (CObject* b : Items(p->m_pBeamList))
            EXPECT_TRUE(members.count(b)) << "room refers to a deleted member";
    }
    for (CObject* o : walls)
    {
        CWall* w = static_cast<CWall*>(o);
        for (CObject* n : Items(w->GetVexNodeList()))
            EXPECT_TRUE(nodes.count(n)) << "wall refers to a deleted node";
        for (CObject* b : Items(w->GetEdgeBeamList()))
            EXPECT_TRUE(members.count(b)) << "wall refers to a deleted member";
    }
    // Every opening is held by one wall and lies on it.
    std::set<CObject*> openings;
    for (CObject* o : walls)
    {
        CWall* w = static_cast<CWall*>(o);
        if (w->GetVexNodeList()->GetCount() < 4)
            continue;
        const CPoint3D a = w->GetNode(1)->m_pt, b = w->GetNode(2)->m_pt;
        const double len = a.GetXY().GetDist(b.GetXY());
        for (CObject* h : Items(w->m_pHoleList))
        {
            EXPECT_TRUE(openings.insert(h).second) << "an opening held by two walls";
            const CHoleRect* r = dynamic_cast<const CHoleRect*>(h);
            for (int c = 0; r != nullptr && c < 4; ++c)
            {
                const CPoint3D p = r->m_arrCorner[c];
                const double along = p.GetXY().GetDist(a.GetXY()), toEnd = p.GetXY().GetDist(b.GetXY());
                EXPECT_NEAR(along + toEnd, len, 1e-6) << "an opening off its wall's base line";
                EXPECT_TRUE(p.z >= a.z - 1e-6 && p.z <= a.z + w->GetWallH() + 1e-6) << "an opening above or below its wall";
            }
        }
    }
    for (CObject* o : Items(&d.SelectNodeList()))
        EXPECT_TRUE(nodes.count(o)) << "selection keeps a deleted node";
    for (CObject* o : Items(&d.SelectBeamList()))
        EXPECT_TRUE(members.count(o)) << "selection keeps a deleted member";
    for (CObject* o : Items(&d.SelectWallList()))
        EXPECT_TRUE(walls.count(o)) << "selection keeps a deleted wall";
    for (CObject* o : Items(&d.SelectPlaneList()))
        EXPECT_TRUE(planes.count(o)) << "selection keeps a deleted room";
    for (POSITION pos = s.m_pFloorList->GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = s.m_pFloorList->GetNextT(pos);
        for (CObject* o : Items(f->m_pNodeList))
            EXPECT_TRUE(nodes.count(o));
        for (const CObList* l : {(const CObList*)f->m_pBeamList, (const CObList*)f->m_pDisplayBeamList})
            for (CObject* o : Items(l))
                EXPECT_TRUE(members.count(o)) << "storey keeps a deleted member";
        for (CObject* o : Items(f->m_pPlaneList))
            EXPECT_TRUE(planes.count(o));
        for (CObject* o : Items(f->m_pWallList))
            EXPECT_TRUE(walls.count(o));
    }
    for (POSITION pos = s.m_pBeamGroupList->GetHeadPosition(); pos != nullptr;)
        for (CObject* o : Items(s.m_pBeamGroupList->GetNextT(pos)->m_pBeamList))
            EXPECT_TRUE(members.count(o)) << "member group keeps a deleted member";
}

} // namespace vyrtest
