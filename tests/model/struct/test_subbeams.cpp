// Laying out a room's secondary beams between two of its sides, and deleting them with
// every reference the model keeps to them.
#include <gtest/gtest.h>

#include <vector>

#include <vyr/model/struct/structure.h>
#include "support/ModelInvariants.h"

namespace
{

// The sample frame with its triangular room: bay (0, 0) of the first storey is the room
// 0..600 x 0..600 at z 360; the triangle on the top storey (z 1080) has the corners
// (0, 0), (600, 0), (300, -400), sides 600, 500, 500.
class SubBeamLayout : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CSampleModelSize size;
        size.bTriangleRoom = true;
        BuildSampleModel(d, size);
        for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;)
            if (CPlane* p = s.m_pPlaneList->GetNextT(pos); p->GetEdgeNum() == 3)
                tri = p;
    }

    static void Corners(CPlane* room, CPoint2D* out)
    {
        int k = 0;
        for (POSITION pos = room->m_pVexNodeList->GetHeadPosition(); pos != nullptr; ++k)
        {
            const CPoint3D& p = room->m_pVexNodeList->GetNextT(pos)->m_pt;
            out[k] = CPoint2D(p.x, p.y);
        }
    }
    static void ExpectAt(const CPNode* n, double x, double y, double z)
    {
        ASSERT_NE(n, nullptr);
        EXPECT_NEAR(n->m_pt.x, x, 1e-9);
        EXPECT_NEAR(n->m_pt.y, y, 1e-9);
        EXPECT_NEAR(n->m_pt.z, z, 1e-9);
    }

    CGlobalData d;
    CStruct& s = *d.Struct();
    CPlane* tri = nullptr;
};

} // namespace

TEST_F(SubBeamLayout, EachDirectionJoinsItsTwoSidesFromTheirReferenceCorners)
{
    ASSERT_NE(tri, nullptr);
    CPlane* quad = s.m_pPlaneList->Get(1);
    struct Case
    {
        const char* name;
        CPlane* room;
        int direction;
        double pos1, pos2;
        double x1, y1, x2, y2, z;
        int code;
    };
    const Case cases[] = {
        {"across: S2 from C2, S4 from C1", quad, 0, 200, 100, 600, 200, 0, 100, 360, 1},
        {"along: S1 from C1, S3 from C4", quad, 1, 200, 100, 200, 0, 100, 600, 360, 2},
        {"parallel to S1: S2 from C2, S3 from C1", tri, 0, 250, 250, 450, -200, 150, -200, 1080, 1},
        {"parallel to S2: S3 from C3, S1 from C2", tri, 1, 250, 300, 150, -200, 300, 0, 1080, 2},
        {"parallel to S3: S1 from C1, S2 from C3", tri, 2, 300, 250, 300, 0, 450, -200, 1080, 3},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.room->DeleteSubBeams(d);
        const INT_PTR nodes = s.m_pNodeList->GetCount();
        CPoint2D corners[4];
        Corners(c.room, corners);
        int members[4] = {1, 1, 1, 1};
        double p1[] = {c.pos1}, p2[] = {c.pos2};
        c.room->DivideSubBeam(p1, p2, 1, corners, c.direction, members, &s);
        ASSERT_EQ(c.room->m_pSubBeamList->GetCount(), 1);
        CBeamBase* b = c.room->m_pSubBeamList->Get(1);
        ExpectAt(b->GetNode1(), c.x1, c.y1, c.z);
        ExpectAt(b->GetNode2(), c.x2, c.y2, c.z);
        EXPECT_EQ(c.room->m_nSubBeamDir, c.code);
        EXPECT_EQ(b->toSubBeam()->m_pPlane, c.room);
        EXPECT_EQ(b->GetFloor(), c.room->m_pFloor);
        // Both ends are new nodes of the structure, the storey and the room's boundary.
        EXPECT_EQ(s.m_pNodeList->GetCount(), nodes + 2);
        for (CPNode* n : {b->GetNode1(), b->GetNode2()})
        {
            EXPECT_TRUE(c.room->m_pFloor->m_pNodeList->Contains(n));
            EXPECT_TRUE(c.room->m_pNodeList->Contains(n));
        }
        EXPECT_TRUE(c.room->m_pFloor->m_pDisplayBeamList->Contains(b));
        vyrtest::ExpectConsistent(d);
    }
}

TEST_F(SubBeamLayout, EndsReuseNodesAlreadyThereAndNoBeamLeavesNoDirection)
{
    CPlane* a = s.m_pPlaneList->Get(1); // bay (0, 0)
    CPlane* b = s.m_pPlaneList->Get(2); // bay (1, 0), sharing the side x = 600
    a->DeleteSubBeams(d);
    b->DeleteSubBeams(d);
    const INT_PTR nodes = s.m_pNodeList->GetCount();
    CPoint2D ca[4], cb[4];
    Corners(a, ca);
    Corners(b, cb);
    int members[4] = {1, 1, 1, 1};

    // From the corner C1 (distance 0 on S1) to the middle of S3: one new node.
    double p1[] = {0}, p2[] = {300};
    a->DivideSubBeam(p1, p2, 1, ca, 1, members, &s);
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes + 1);
    EXPECT_EQ(a->m_pSubBeamList->Get(1)->GetNode1(), a->m_pVexNodeList->Get(1));

    // Across both bays at y = 300: the neighbour's beam ends on the node of this one.
    a->DeleteSubBeams(d);
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes) << "the node at the middle of S3 was only the beam's";
    double q[] = {300};
    a->DivideSubBeam(q, q, 1, ca, 0, members, &s);
    b->DivideSubBeam(q, q, 1, cb, 0, members, &s);
    CPNode* shared = a->m_pSubBeamList->Get(1)->GetNode1(); // on a's S2, x = 600
    EXPECT_EQ(b->m_pSubBeamList->Get(1)->GetNode2(), shared) << "on b's S4, x = 600";
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes + 3);
    a->DeleteSubBeams(d);
    EXPECT_TRUE(s.m_pNodeList->Contains(shared)) << "the neighbour's beam still stands on it";
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes + 2);
    vyrtest::ExpectConsistent(d);

    a->DivideSubBeam(nullptr, nullptr, 0, ca, 1, members, &s);
    EXPECT_TRUE(a->m_pSubBeamList->IsEmpty());
    EXPECT_EQ(a->m_nSubBeamDir, 0);
}

TEST_F(SubBeamLayout, DeletingDropsTheBeamsFromEveryListAndFreesTheirOwnNodes)
{
    CPlane* room = s.m_pPlaneList->Get(1);
    CBeamBase* sub = room->m_pSubBeamList->Get(1);
    CPNode* end1 = sub->GetNode1();
    CPNode* end2 = sub->GetNode2();
    d.SelectBeamList().AddTail(sub);
    d.SelectNodeList().AddTail(end1);
    s.m_pBeamGroupList->Get(1)->m_pBeamList->AddTail(sub);
    ASSERT_TRUE(room->m_pFloor->m_pDisplayBeamList->Contains(sub));
    // A node with a support is the support's as well.
    CSupportBase* fixed = s.m_pSupportList->Get(1);
    end2->SetSupport(fixed);
    const INT_PTR nodes = s.m_pNodeList->GetCount();

    room->DeleteSubBeams(d);
    EXPECT_TRUE(room->m_pSubBeamList->IsEmpty());
    EXPECT_FALSE(room->m_pFloor->m_pDisplayBeamList->Contains(sub));
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    EXPECT_TRUE(d.SelectNodeList().IsEmpty());
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes - 1);
    EXPECT_TRUE(s.m_pNodeList->Contains(end2));
    EXPECT_TRUE(room->m_pNodeList->Contains(end2));
    EXPECT_EQ(room->m_pNodeList->GetCount(), 5) << "the four corners and the supported node";
    vyrtest::ExpectConsistent(d);
    // The other rooms keep theirs.
    EXPECT_EQ(s.m_pPlaneList->Get(2)->m_pSubBeamList->GetCount(), 1);
}
