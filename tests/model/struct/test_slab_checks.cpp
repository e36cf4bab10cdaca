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
