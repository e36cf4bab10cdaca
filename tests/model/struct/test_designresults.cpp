// What the design drawings read of the model: the largest ratios of a check result, its
// deformations as 1/n, a member's axial ratio, the node check record's named ratios, the
// texts of a room's slab and of a node's panel zone.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>

namespace {

TEST(DesignResults, EachLargestRatioTakesTheLargestOfItsGroup)
{
    using Get = float (CheckResult::*)() const;
    struct Case
    {
        const char* name;
        Get get;
        std::function<void(CheckResult&)> set; // puts 0.9 where the group's largest is
    };
    const Case cases[] = {
        {"strength: normal stress", &CheckResult::GetMaxStrengthRatio, [](CheckResult& r) { r.fRatio[0] = 0.9f; }},
        {"strength: shear about 2", &CheckResult::GetMaxStrengthRatio, [](CheckResult& r) { r.fOther[0] = 0.9f; }},
        {"strength: shear about 3", &CheckResult::GetMaxStrengthRatio, [](CheckResult& r) { r.fOther[1] = 0.9f; }},
        {"stability about 2", &CheckResult::GetMaxStableRatio, [](CheckResult& r) { r.fRatio[1] = 0.9f; }},
        {"stability about 3", &CheckResult::GetMaxStableRatio, [](CheckResult& r) { r.fOther[3] = 0.9f; }},
        {"combined stress", &CheckResult::GetMaxConStressRatio, [](CheckResult& r) { r.fOther[2] = 0.9f; }},
        {"capacity: combined stress", &CheckResult::GetMaxCapacityRatio, [](CheckResult& r) { r.fOther[2] = 0.9f; }},
        {"capacity: stability about 3", &CheckResult::GetMaxCapacityRatio, [](CheckResult& r) { r.fOther[3] = 0.9f; }},
        {"deformation: slope", &CheckResult::GetMaxDispRatio, [](CheckResult& r) { r.fDeformRatio[2] = 0.9f; }},
        {"deformation: column-top drift Y", &CheckResult::GetMaxDispRatio, [](CheckResult& r) { r.fOther[5] = 0.9f; }},
        {"deformation: axial ratio", &CheckResult::GetMaxDispRatio, [](CheckResult& r) { r.fOther[6] = 0.9f; }},
        {"detailing: slenderness about 3", &CheckResult::GetMaxConstructRatio, [](CheckResult& r) { r.fDetail[5] = 0.9f; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Every value 0.1 but the one the case raises.
        CheckResult r;
        for (float* group : {r.fRatio, r.fDeformRatio})
            group[0] = group[1] = 0.1f;
        r.fDeformRatio[2] = 0.1f;
        for (int k = 0; k < 7; ++k)
            r.fOther[k] = 0.1f;
        for (float& d : r.fDetail)
            d = 0.1f;
        c.set(r);
        EXPECT_FLOAT_EQ((r.*c.get)(), 0.9f);
    }
    CheckResult r;
    r.fOther[4] = 0.9f; // a drift is no capacity ratio
    EXPECT_FLOAT_EQ(r.GetMaxCapacityRatio(), 0.0f);
}

TEST(DesignResults, ADeformationIsShownAsTheTruncatedReciprocalOfItsFraction)
{
    const struct
    {
        float fraction;
        int n;
    } cases[] = {{0.0025f, 400}, {0.00125f, 800}, {1.0f / 399.99f, 399}, {0.0f, 0}, {-0.01f, 0}, {1e-20f, INT_MAX}};
    for (const auto& c : cases) {
        CheckResult r;
        r.fDeform[1] = c.fraction;
        EXPECT_EQ(r.GetDeformDenominator(1), c.n) << c.fraction;
    }
}

TEST(DesignResults, TheAxialRatioIsTheResultsAndZeroWithoutOne)
{
    CBeam column(1, nullptr, nullptr, 1);
    EXPECT_EQ(column.GetAxialRatio(), 0.0f);
    column.m_pCheckResult = new CheckResult;
    column.m_pCheckResult->fOther[6] = 0.45f;
    EXPECT_EQ(column.GetAxialRatio(), 0.45f);
}

// The record keeps the panel zones elastic 2, 3, detailing 2, 3, plastic 2, 3 and the strong
// column ratios about 2 and 3: P1..P6 and S1, S2 in that order.
TEST(DesignResults, TheNodeRecordNamesItsRatiosInStorageOrder)
{
    CPNodeChecker c;
    for (int k = 0; k < 6; ++k)
        c.a[k] = 0.1f * (float)(k + 1);
    c.b[0] = 0.7f;
    c.b[1] = 0.8f;
    for (int k = 1; k <= 6; ++k)
        EXPECT_FLOAT_EQ(c.GetPanelRatio(k), 0.1f * (float)k) << k;
    EXPECT_FLOAT_EQ(c.GetPColRatio(1), 0.7f);
    EXPECT_FLOAT_EQ(c.GetPColRatio(2), 0.8f);
}

TEST(DesignResults, ARoomsSlabTextIsItsNameOrNumberWithItsThickness)
{
    CPlane room;
    EXPECT_EQ(room.GetBanText(), CString());
    CBanConcrete slab;
    slab.m_nNo = 3;
    slab.m_fThick = 100.0f;
    room.m_pBan = &slab;
    EXPECT_EQ(room.GetBanText(), CString("B3(100mm)"));
    slab.m_strName = "LB1";
    EXPECT_EQ(room.GetBanText(), CString("LB1(100mm)"));
    room.m_pBan = nullptr;

    CPNode node(1, CPoint3D());
    EXPECT_EQ(node.GetNodeDomainTypeDescription(), CString("普通节点域"));
    node.m_nDomainType = 1;
    EXPECT_EQ(node.GetNodeDomainTypeDescription(), CString("加强节点域"));
}

} // namespace
