// The slab checks of a room, with numbers worked by hand: a one-metre strip over the
// longest span, M = q L^2 / 8 with q = 1.3 D + 1.5 L (kN/m2).
#include <gtest/gtest.h>

#include <memory>

#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>

namespace {

// C30 as the material records keep it: fc 14.3 N/mm2 stored as 1.43, density 2500 kg/m3.
std::unique_ptr<CMaterialBase> C30()
{
    auto m = std::make_unique<CMaterialBase>();
    m->SetType(2);
    m->Set_fc(1.43f);
    m->SetE(3000.0);
    m->SetDensity(2500e-6f);
    return m;
}

struct SlabRoom
{
    CBanConcrete slab;
    CLoadArea dead{1, 1.5f};
    CLoadArea live{2, 2.0f};
    CPlateSteelBarGroup pos{1, 10, 150};
    CPlateSteelBarGroup neg{0, 8, 200};
    CPlane room;
    SlabRoom()
    {
        slab.m_fThick = 120.0f;
        slab.m_SpanArray.Add(240.0);
        slab.m_SpanArray.Add(300.0); // the longest span governs
        room.m_pBan = &slab;
        room.m_nSubBeamDir = 1;
        room.m_pDeadLoad = &dead;
        room.m_pLiveLoad = &live;
        room.m_pBarGroup[0] = &pos;
        room.m_pBarGroup[1] = &neg;
    }
    ~SlabRoom()
    {
        // The room does not own what the structure's lists own.
        room.m_pBan = nullptr;
        room.m_pDeadLoad = room.m_pLiveLoad = nullptr;
        for (auto*& g : room.m_pBarGroup) g = nullptr;
    }
};

TEST(SlabCheck, OneWayStripAgainstItsBars)
{
    const auto c30 = C30();
    SlabRoom r;
    // D = 25 x 0.12 + 1.5 = 4.5, L = 2.0: q = 8.85, M = 8.85 x 3^2 / 8 = 9.95625 kN.m/m.
    // Positive bars d10@150 of grade 1 (300 N/mm2): As = 523.60 mm2/m, h0 = 120 - 15 - 5 = 100,
    // x = 300 As / 14300 = 10.985, Mu = 300 As (100 - x/2) = 14.8452 kN.m/m.
    // Negative bars d8@200 of grade 0 (270): As = 251.33, h0 = 101, x = 4.7454, Mu = 6.6927.
    float a, b, c, d, e;
    EXPECT_FALSE(r.room.Check(a, b, c, d, e, c30.get())) << "the negative bars are too weak";
    EXPECT_NEAR(a, 9.95625, 1e-4);
    EXPECT_NEAR(b, 14.8452, 1e-3);
    EXPECT_NEAR(c, 6.6927, 1e-3);
    EXPECT_NEAR(d, 0.67067, 1e-4);
    EXPECT_NEAR(e, 1.48763, 1e-4);

    // d10@100 of grade 1 at the supports: As = 785.40, x = 16.477, Mu = 21.6208, M / Mu = 0.46049.
    r.neg = CPlateSteelBarGroup(1, 10, 100);
    EXPECT_TRUE(r.room.Check(a, b, c, d, e, c30.get()));
    EXPECT_NEAR(c, 21.6208, 1e-3);
    EXPECT_NEAR(e, 0.46049, 1e-4);
}

TEST(SlabCheck, MissingReinforcementOrSlabFails)
{
    const auto c30 = C30();
    SlabRoom r;
    float a, b, c, d, e;
    r.room.m_pBarGroup[1] = nullptr;
    EXPECT_FALSE(r.room.Check(a, b, c, d, e, c30.get()));
    EXPECT_EQ(a, 0.0f);
    r.room.m_pBarGroup[1] = &r.neg;
    r.neg = CPlateSteelBarGroup(1, 10, 100);
    // A two-way slab needs four groups.
    r.room.m_nSubBeamDir = 0;
    EXPECT_FALSE(r.room.Check(a, b, c, d, e, c30.get()));
    r.room.m_nSubBeamDir = 1;
    EXPECT_TRUE(r.room.Check(a, b, c, d, e, c30.get()));
    r.room.m_pBan = nullptr;
    EXPECT_FALSE(r.room.Check(a, b, c, d, e, c30.get()));
}

TEST(SlabCheck, ConstructionStageOfTheBareSheet)
{
    const auto c30 = C30();
    CMaterialBase q235;
    q235.Set_f(21.5f);
    CBanSteel deck;
    deck.m_fThick = 80.0f; // Hc
    deck.m_nRibH = 50;
    deck.m_fSheetT = 1.0f;
    deck.m_fWef = 25.0f;
    deck.m_pSheetMaterial = &q235;
    deck.m_SpanArray.Add(300.0);
    CPlane room;
    room.m_pBan = &deck;
    // Wet concrete 25 x 0.13 = 3.25 and sheet 78.5 x 0.001 = 0.0785 kN/m2, construction load
    // 1.5: q = 1.3 x 3.3285 + 1.5 x 1.5 = 6.57705; over 3 m M = 7.39918 kN.m/m against
    // f Wef = 215 x 25e-3 = 5.375: ratio 1.37659.
    float ratio = -1.0f;
    EXPECT_FALSE(room.ConstructCheck(ratio, c30.get()));
    EXPECT_NEAR(ratio, 1.37659, 1e-4);
    // Over 2.4 m: M = 4.73548, ratio 0.88102.
    deck.m_SpanArray[0] = 240.0;
    EXPECT_TRUE(room.ConstructCheck(ratio, c30.get()));
    EXPECT_NEAR(ratio, 0.88102, 1e-4);
    // A sheet without its section data cannot pass; a cast-in-place slab has no such stage.
    deck.m_fWef = 0.0f;
    EXPECT_FALSE(room.ConstructCheck(ratio, c30.get()));
    CBanConcrete slab;
    room.m_pBan = &slab;
    EXPECT_TRUE(room.ConstructCheck(ratio, c30.get()));
    EXPECT_EQ(ratio, 0.0f);
    room.m_pBan = nullptr;
    EXPECT_FALSE(room.ConstructCheck(ratio, c30.get()));
}

} // namespace

TEST(SlabDesign, MomentsComeBackAsTheyWereStored)
{
    CPlane room;
    room.m_fMoment[0] = 4.0f;   // X positive
    room.m_fMoment[1] = 3.0f;   // Y positive
    room.m_fMoment[2] = -6.5f;  // X negative
    room.m_fMoment[3] = -2.0f;  // Y negative
    float m1 = 0, m2 = 0;
    EXPECT_FLOAT_EQ(room.ComputeForce(m1, m2, nullptr), 6.5f);
    EXPECT_FLOAT_EQ(m1, -6.5f) << "m1 is the support moment";
    EXPECT_FLOAT_EQ(m2, 4.0f);
    float a1 = 0, a2 = 0, a3 = 0, a4 = 0;
    room.ComputeForce(a1, a2, a3, a4);
    EXPECT_FLOAT_EQ(a1, 4.0f);
    EXPECT_FLOAT_EQ(a2, 3.0f);
    EXPECT_FLOAT_EQ(a3, -6.5f);
    EXPECT_FLOAT_EQ(a4, -2.0f);
}

TEST(SlabDesign, RequiredAreasByGradeAndTheDepthThatCannotCarry)
{
    const auto c30 = C30();
    SlabRoom r; // 120 mm, cover 15: h0 = 100 mm
    r.room.m_fMoment[0] = 10.0f;  // X positive
    r.room.m_fMoment[1] = 5.4f;   // Y positive
    r.room.m_fMoment[2] = -8.1f;  // X negative: the sign does not matter
    r.room.m_fMoment[3] = 0.0f;
    struct Case
    {
        int grade;
        float xPos, xNeg, yPos;
    };
    // As = M 1e6 / (0.9 fy 100): fy 270 -> M x 41.152, 300 -> M x 37.037, 360 -> M x 30.864.
    const Case cases[] = {{0, 411.52f, 333.33f, 222.22f}, {1, 370.37f, 300.0f, 200.0f}, {2, 308.64f, 250.0f, 166.67f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grade);
        float a[4] = {-1, -1, -1, -1};
        ASSERT_TRUE(r.room.Design(c.grade, a[0], a[1], a[2], a[3], c30.get()));
        EXPECT_NEAR(a[0], c.xPos, 0.01f);
        EXPECT_NEAR(a[1], c.xNeg, 0.01f);
        EXPECT_NEAR(a[2], c.yPos, 0.01f);
        EXPECT_EQ(a[3], 0.0f);
    }

    // The strip carries 0.35 x 14.3 x 1000 x 100^2 = 50.05 kN.m/m; a larger moment in any of
    // the four fails and leaves no areas.
    float a[4];
    r.room.m_fMoment[3] = -50.0f;
    EXPECT_TRUE(r.room.Design(0, a[0], a[1], a[2], a[3], c30.get()));
    r.room.m_fMoment[3] = -50.1f;
    EXPECT_FALSE(r.room.Design(0, a[0], a[1], a[2], a[3], c30.get()));
    EXPECT_EQ(a[0], 0.0f);
    r.room.m_fMoment[3] = 0.0f;
    r.room.m_fCover = 115.0f; // no depth left
    EXPECT_FALSE(r.room.Design(0, a[0], a[1], a[2], a[3], c30.get()));
    r.room.m_fCover = 15.0f;
    r.room.m_pBan = nullptr;
    EXPECT_FALSE(r.room.Design(0, a[0], a[1], a[2], a[3], c30.get()));
}

TEST(SlabDesign, TheBoundaryConditionIsAnIndexOfTheNineConditions)
{
    CPlane room;
    for (int index : {0, 5, 8}) {
        room.m_nTwoWayBound = index;
        EXPECT_EQ(room.SetCondition(), index);
    }
    for (int index : {-1, 9}) {
        room.m_nTwoWayBound = index;
        EXPECT_EQ(room.SetCondition(), 0);
        EXPECT_EQ(room.m_nTwoWayBound, 0);
    }
}
