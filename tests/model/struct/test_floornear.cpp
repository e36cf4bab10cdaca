// The storey's nearest nodes to a plan point and its mass centre in double precision.
#include <gtest/gtest.h>

#include <vyr/model/struct/structure.h>

namespace {

struct NearFloor : ::testing::Test
{
    CFloor floor;
    CPNode a{1, CPoint3D(0, 0, 300)};
    CPNode b{2, CPoint3D(600, 0, 300)};
    CPNode c{3, CPoint3D(0, 600, 300)};
    CPNode far{4, CPoint3D(900, 900, 300)};

    NearFloor()
    {
        for (CPNode* n : {&a, &b, &c, &far})
            floor.m_pNodeList->AddTail(n);
    }
};

} // namespace

TEST_F(NearFloor, NearestNodesReplaceWhatTheListHeldAndTiesAreAllKept)
{
    CPNodeList list;
    CPNode stale{9, CPoint3D()};
    list.AddTail(&stale);

    ASSERT_TRUE(floor.GetNearNode(CPoint2D(590, 20), &list));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.Get(1), &b);

    // (300, 300) is 424.3 from a, b and c alike and 848.5 from the far node.
    ASSERT_TRUE(floor.GetNearNode(CPoint2D(300, 300), &list));
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.Get(1), &a);
    EXPECT_EQ(list.Get(2), &b);
    EXPECT_EQ(list.Get(3), &c);
}

TEST_F(NearFloor, AStoreyWithoutNodesFindsNothingAndLeavesTheListEmpty)
{
    CFloor empty;
    CPNodeList list;
    list.AddTail(&a);
    EXPECT_FALSE(empty.GetNearNode(CPoint2D(0, 0), &list));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_FALSE(floor.GetNearNode(CPoint2D(0, 0), nullptr));
}

TEST_F(NearFloor, DoubleMassCentreAnswersAsTheFloatOne)
{
    floor.m_fMassCx = 312.5f;
    floor.m_fMassCy = -40.25f;
    double x = 0, y = 0;
    floor.GetMassCenter(x, y, -1.0, -1.0);
    EXPECT_DOUBLE_EQ(x, 312.5);
    EXPECT_DOUBLE_EQ(y, -40.25);
    floor.GetMassCenter(x, y, 10.0, 20.0);
    EXPECT_DOUBLE_EQ(x, 10.0);
    EXPECT_DOUBLE_EQ(y, 20.0);
}
