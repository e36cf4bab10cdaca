// Mode shapes of nodes: the deformed positions a mode prepares, and the sample's shapes.
#include <gtest/gtest.h>

#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>

namespace {

TEST(ModeShapes, AModePreparesEveryNodeAtScaleTimesFactorTimesItsShape)
{
    CGlobalData data;
    CStruct& s = *data.Struct();
    s.SetModalResult({1.0f, 0.5f});
    auto* moved = new CPNode(1, CPoint3D(100, 200, 300));
    moved->m_arrFShape = {{1.0f, -0.5f, 0.25f}, {0.0f, 2.0f, 0.0f}};
    auto* still = new CPNode(2, CPoint3D(5, 6, 7)); // no shapes: stays where it is
    s.m_pNodeList->AddTail(moved);
    s.m_pNodeList->AddTail(still);

    CPoint3D p;
    ASSERT_TRUE(moved->GetFShapeP3D(&p)); // nothing prepared yet: the position
    EXPECT_EQ(p, moved->m_pt);
    EXPECT_FALSE(moved->GetFShapeP3D(nullptr));

    ASSERT_TRUE(s.GuideNodeFVector(0, 200, 0.5));
    moved->GetFShapeP3D(&p);
    EXPECT_EQ(p, CPoint3D(200, 150, 325)); // 100 x (1, -0.5, 0.25) added
    still->GetFShapeP3D(&p);
    EXPECT_EQ(p, still->m_pt);

    ASSERT_TRUE(s.GuideNodeFVector(1, 10, 1.0));
    moved->GetFShapeP3D(&p);
    EXPECT_EQ(p, CPoint3D(100, 220, 300));

    // A mode that was not computed leaves every node at its position.
    EXPECT_FALSE(s.GuideNodeFVector(2, 200, 1.0));
    moved->GetFShapeP3D(&p);
    EXPECT_EQ(p, moved->m_pt);
}

TEST(ModeShapes, MembersAndWallsTellTheirKind)
{
    CBeam member(1, nullptr, nullptr, 2);
    CWall wall;
    EXPECT_EQ(member.GetKindTag(), 0);
    EXPECT_EQ(wall.GetKindTag(), 1);
    wall.SetTagVaule(2.5);
    EXPECT_EQ(wall.GetTagValue(), 2.5);
}

TEST(ModeShapes, TheSampleSwaysInXThenYThenTwistsWithMasterNodesPerStorey)
{
    CGlobalData data;
    BuildSampleModel(data);
    AddSampleModeShapes(data);
    CStruct& s = *data.Struct();
    ASSERT_EQ(s.GetCurFrequentNum(), 3);
    ASSERT_GT(s.m_pMainNodeList->GetCount(), 0);
    const CRect2D elevation = s.m_pNodeList->GetRealRect(1);
    for (POSITION pos = s.m_pNodeList->GetHeadPosition(); pos;) {
        const CPNode* n = s.m_pNodeList->GetNextT(pos);
        ASSERT_EQ(n->m_arrFShape.size(), 3u);
        const double h = (n->m_pt.z - elevation.bottom) / (elevation.top - elevation.bottom);
        EXPECT_NEAR(n->m_arrFShape[0][0], h, 1e-6);
        EXPECT_EQ(n->m_arrFShape[0][1], 0.0f);
        EXPECT_NEAR(n->m_arrFShape[1][1], h, 1e-6);
    }
    // The top master node: a whole unit in X in mode 1, in Y in mode 2, only a twist in 3.
    const CMainNode* top = s.m_pMainNodeList->Get((int)s.m_pMainNodeList->GetCount());
    ASSERT_EQ(top->m_arrShape.size(), 3u);
    EXPECT_NEAR(top->m_arrShape[0][0], 1.0, 1e-6);
    EXPECT_NEAR(top->m_arrShape[1][1], 1.0, 1e-6);
    EXPECT_EQ(top->m_arrShape[2][0], 0.0f);
    EXPECT_GT(top->m_arrShape[2][2], 0.0f);
}

} // namespace
