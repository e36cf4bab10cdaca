// Storey data per tower: stiffnesses, centres and inter-storey displacements answer the
// tower's own values (keyed by its main node's plan position), the whole storey's without a
// tower, and nothing for a tower that does not stand in the storey.
#include <gtest/gtest.h>

#include <vyr/model/struct/structure.h>

namespace {

TEST(StoreyData, PerTowerQueriesAnswerTheTowersValuesNotTheStoreys)
{
    CFloor f(3, 1);
    f.m_fStiffX = 900.0f;
    f.m_fStiffY = 700.0f;
    f.m_fEIX = 5e9f;
    f.m_fMassCx = 100.0f;
    f.m_fMassCy = 200.0f;
    f.m_fElasticRx = 50.0f;
    CMainNode tower(1, CPoint3D(1000.0, 500.0, 900.0));
    CMainNode elsewhere(2, CPoint3D(3000.0, 500.0, 900.0));
    CFloor::CTowerData& t = f.TowerData(1000.0, 500.0);
    t.fStiffX = 300.0f;
    t.fStiffY = 200.0f;
    t.fEIX = 1e9f;
    t.fMassCx = 1010.0f;
    t.fMassCy = 505.0f;
    t.fElasticRx = 20.0f;
    t.bCentres = true;
    EXPECT_EQ(&f.TowerData(1000.0005, 500.0), &t) << "the same tower within 0.001";

    EXPECT_FLOAT_EQ(f.GetTotalStiffX(nullptr, nullptr), 900.0f);
    EXPECT_FLOAT_EQ(f.GetTotalStiffX(nullptr, &tower), 300.0f);
    EXPECT_FLOAT_EQ(f.GetTotalStiffY(nullptr, &tower), 200.0f);
    EXPECT_FLOAT_EQ(f.GetTotalEIX(nullptr, &tower), 1e9f);
    EXPECT_FLOAT_EQ(f.GetTotalStiffX(nullptr, &elsewhere), 0.0f) << "not in this storey";
    float x = 0, y = 0;
    f.GetMassCenter(x, y, -1.0f, -1.0f);
    EXPECT_FLOAT_EQ(x, 100.0f);
    f.GetMassCenter(x, y, 1000.0f, 500.0f);
    EXPECT_FLOAT_EQ(x, 1010.0f);
    EXPECT_FLOAT_EQ(y, 505.0f);
    f.GetMassCenter(x, y, 3000.0f, 500.0f);
    EXPECT_FLOAT_EQ(x, 3000.0f) << "no centres stored: the main node's position";
    float rx = 0, ry = 0;
    f.GetElasticRidus(rx, ry, nullptr, 1000.0f, 500.0f);
    EXPECT_FLOAT_EQ(rx, 20.0f);
    f.GetElasticRidus(rx, ry, nullptr, -1.0f, -1.0f);
    EXPECT_FLOAT_EQ(rx, 50.0f);
}

TEST(StoreyData, RelativeDisplacementsPerCaseDirectionAndTowerWithTheirNode)
{
    CFloor f(3, 1);
    CMainNode tower(1, CPoint3D(1000.0, 500.0, 900.0));
    f.SetFloorRelativeDisp(2, 1, 0.25f, 301);
    f.SetFloorRelativeDisp(2, 2, 0.5f, 302);
    f.SetFloorRelativeDisp(2, 1, 0.125f, 311, &tower);
    int node = -1;
    EXPECT_FLOAT_EQ(f.GetFloorRelativeDisp(false, 0, 2, 1, 3, nullptr, nullptr, nullptr, &node), 0.25f);
    EXPECT_EQ(node, 301);
    EXPECT_FLOAT_EQ(f.GetFloorRelativeDisp(false, 0, 2, 2, 3, nullptr, nullptr, nullptr, &node), 0.5f);
    EXPECT_EQ(node, 302);
    EXPECT_FLOAT_EQ(f.GetFloorRelativeDisp(false, 0, 2, 1, 3, nullptr, nullptr, &tower, &node), 0.125f);
    EXPECT_EQ(node, 311);
    EXPECT_FLOAT_EQ(f.GetFloorRelativeDisp(false, 0, 2, 2, 3, nullptr, nullptr, &tower, &node), 0.0f);
    EXPECT_EQ(node, 0) << "nothing stored for the tower in Y";
    EXPECT_FLOAT_EQ(f.GetFloorRelativeDisp(false, 0, 5, 1, 3, nullptr, nullptr, nullptr), 0.0f);
}

TEST(StoreyData, DisplacementMaximaAndAveragesPerCaseDirectionAndTowerSetTheirNodes)
{
    CFloor f(3, 1);
    CMainNode tower(1, CPoint3D(1000.0, 500.0, 900.0));
    CMainNode elsewhere(2, CPoint3D(3000.0, 500.0, 900.0));
    CBasicLoadCase lc; // case number 3: case index 2
    lc.m_nNo = 3;
    f.SetFloorMaxRelativeDisp(2, 1, 0.75f, 401);
    f.SetFloorMaxRelativeDisp(2, 1, 0.5f, 411, &tower);
    f.SetFloorMaxDisp(2, 2, 2.25f, 402);
    f.SetFloorMaxDisp(2, 1, 1.5f, 412, &tower);
    f.SetFloorDisp(2, 2, 2.0f);
    f.SetFloorDisp(2, 1, 1.25f, &tower);

    struct Row
    {
        const char* what;
        CMainNode* tower;
        int direction;
        float maxRel, maxDisp, disp;
        int relNode, dispNode;
    };
    const Row rows[] = {
        {"whole storey X", nullptr, 1, 0.75f, 0.0f, 0.0f, 401, 0},
        {"whole storey Y", nullptr, 2, 0.0f, 2.25f, 2.0f, 0, 402},
        {"tower X", &tower, 1, 0.5f, 1.5f, 1.25f, 411, 412},
        {"tower Y", &tower, 2, 0.0f, 0.0f, 0.0f, 0, 0},
        {"a tower not in the storey", &elsewhere, 1, 0.0f, 0.0f, 0.0f, 0, 0},
    };
    for (const Row& r : rows)
    {
        f.m_nMaxRelDispNode = f.m_nMaxDispNode = -1;
        EXPECT_FLOAT_EQ(f.GetFloorMaxRelativeDisp(false, 0, 2, r.direction, 3, nullptr, nullptr, r.tower), r.maxRel)
            << r.what;
        EXPECT_EQ(f.m_nMaxRelDispNode, r.relNode) << r.what;
        EXPECT_FLOAT_EQ(f.GetFloorMaxDisp(false, &lc, r.direction, r.tower), r.maxDisp) << r.what;
        EXPECT_EQ(f.m_nMaxDispNode, r.dispNode) << r.what;
        EXPECT_FLOAT_EQ(f.GetFloorDisp(false, 0, 2, r.direction, 3, nullptr, r.tower), r.disp) << r.what;
        EXPECT_FLOAT_EQ(f.GetFloorDisp(2, r.direction, false, r.tower), r.disp) << r.what;
    }
    EXPECT_EQ(f.m_nMaxRelDispNode, 0) << "each query sets its node, also to none";
    // Another case answers nothing, and the inter-storey average stays its own datum.
    EXPECT_FLOAT_EQ(f.GetFloorDisp(1, 2, false, nullptr), 0.0f);
    EXPECT_FLOAT_EQ(f.GetFloorMaxDisp(false, nullptr, 2, nullptr), 0.0f);
    EXPECT_FLOAT_EQ(f.GetFloorRelativeDisp(false, 0, 2, 1, 3, nullptr, nullptr, nullptr), 0.0f);
}

} // namespace
