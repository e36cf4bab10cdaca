// List rules shared by every model list: positions from 1, owning versus pointer lists.
#include <gtest/gtest.h>

#include <vyr/model/struct/structure.h>

namespace
{
// Counts live objects so that a test sees exactly which destructor ran.
struct Counted : CObject
{
    static int alive;
    Counted() { ++alive; }
    ~Counted() override { --alive; }
};
int Counted::alive = 0;

class CountedOwningList : public CModelList<Counted, true>
{
};
class CountedPointerList : public CModelList<Counted, false>
{
};
} // namespace

TEST(ModelList, GetCountsFromOneHeadToTail)
{
    CBeamList list;
    CBeam a(1, nullptr, nullptr, 2), b(2, nullptr, nullptr, 2), c(3, nullptr, nullptr, 2);
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(&c);
    EXPECT_EQ(list.Get(1), &a);
    EXPECT_EQ(list.Get(2), &b);
    EXPECT_EQ(list.Get((int)list.GetCount()), &c);
}

TEST(ModelList, PositionOutsideTheListIsNull)
{
    CPNodeList list;
    EXPECT_EQ(list.Get(1), nullptr);
    CPNode n;
    list.AddTail(&n);
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(2), nullptr);
    EXPECT_EQ(list.Get(1), &n);
}

TEST(ModelList, OwningListDeletesPointerListForgets)
{
    Counted::alive = 0;
    Counted* kept[2];
    {
        CountedPointerList pointers;
        kept[0] = new Counted;
        kept[1] = new Counted;
        pointers.AddTail(kept[0]);
        pointers.AddTail(kept[1]);
    }
    EXPECT_EQ(Counted::alive, 2) << "a pointer list took model objects with it";
    {
        CountedOwningList owner;
        owner.AddTail(kept[0]);
        owner.AddTail(kept[1]);
    }
    EXPECT_EQ(Counted::alive, 0) << "an owning list left its elements alive";
}

TEST(ModelList, DefinitionListsOwnTheirEntries)
{
    // Only the destructor can tell: a pointer list would leak these under the sanitizers.
    CBeamRigidList rigid;
    rigid.AddTail(new CBeamRigid(-1.0, 1.0));
    CBeamBindReleaseList release;
    release.AddTail(new CBeamBindRelease(1, 1, 0, 0, 0));
    CMemberOffsetList offset;
    offset.AddTail(new CMemberOffset(1, 2, 3, 4));
    CBeamGroupList groups;
    groups.Add(new CBeamGroup);
    groups.Add(new CBeamGroup);
    EXPECT_EQ(groups.Get(2)->m_nNo, 2);
}

TEST(ModelList, NodeArrayAndGridNodeListLeaveNodesAlive)
{
    CPGridNode g1, g2;
    {
        CPGridNodeList list;
        list.AddTail(&g1);
        list.AddTail(&g2);
    }
    {
        CPNodeBaseArray arr;
        arr.Add(&g1);
        arr.Add(&g2);
    }
    // Reaching here without a double free (the nodes are on the stack) is the test.
    g1.SetMainNodeId(7);
    EXPECT_EQ(g1.GetMainNodeId(), 7);
}

TEST(ModelList, CopyPointerAppendsAndDetachKeepsTheObject)
{
    CBeam a(1, nullptr, nullptr, 2), b(2, nullptr, nullptr, 2);
    CBeamList src, dst;
    src.AddTail(&a);
    src.AddTail(&b);
    dst.AddTail(&b);
    dst.CopyPointer(&src);
    ASSERT_EQ(dst.GetCount(), 3);
    EXPECT_EQ(dst.Get(1), &b);
    EXPECT_EQ(dst.Get(2), &a);
    dst.DetachBeam(&a);
    EXPECT_EQ(dst.GetCount(), 2);
    EXPECT_EQ(dst.IsSameBeam(&a), nullptr);
    EXPECT_EQ(dst.IsSameBeam(&b), &b);
}

TEST(ModelList, SetSelectMarksEveryListedObject)
{
    CPNode n1, n2;
    CPNodeList nodes;
    nodes.AddTail(&n1);
    nodes.AddTail(&n2);
    nodes.SetSelect(1);
    EXPECT_EQ(n1.GetSelect(), 1);
    EXPECT_EQ(n2.GetSelect(), 1);
    n2.SetSelect();
    EXPECT_EQ(n2.GetSelect(), 0);

    CWall w;
    CWallList walls;
    walls.AddTail(&w);
    walls.SetSelect(true);
    EXPECT_EQ(w.GetSelect(), 1);

    CPlane p1, p2;
    CPlaneList planes;
    planes.AddTail(&p1);
    planes.AddTail(&p2);
    planes.SetSelect(true);
    EXPECT_EQ(p1.m_nSelect + p2.m_nSelect, 2);
}

TEST(ModelList, PlaneEdgeNumIsCommonOrZero)
{
    CPNode n[4];
    CPlane tri, quad1, quad2;
    for (int i = 0; i < 3; ++i)
        tri.m_pVexNodeList->AddTail(&n[i]);
    for (int i = 0; i < 4; ++i)
    {
        quad1.m_pVexNodeList->AddTail(&n[i]);
        quad2.m_pVexNodeList->AddTail(&n[i]);
    }
    CPlaneList same, mixed, empty;
    same.AddTail(&quad1);
    same.AddTail(&quad2);
    mixed.AddTail(&quad1);
    mixed.AddTail(&tri);
    EXPECT_EQ(same.GetEdgeNum(), 4);
    EXPECT_EQ(mixed.GetEdgeNum(), 0);
    EXPECT_EQ(empty.GetEdgeNum(), 0);
}
