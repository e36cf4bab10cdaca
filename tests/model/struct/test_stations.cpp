// Station results of members: stored per basic case type, combined by a combination's
// factors, enveloped over combinations, and the local axes the diagrams offset along.
#include <gtest/gtest.h>

#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/LoadCase.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/SampleModel.h>

namespace {

CBeamBase::CStationValues Ramp(float start, float step)
{
    CBeamBase::CStationValues v{};
    for (int i = 0; i < CBeamBase::kStations; ++i)
        v[(size_t)i] = start + step * (float)i;
    return v;
}

struct StationsTest : ::testing::Test
{
    CPNode n1{1, CPoint3D(0, 0, 0)};
    CPNode n2{2, CPoint3D(600, 0, 0)};
    CBeam beam{1, &n1, &n2, 2};
};

TEST_F(StationsTest, CombinationSumsTheFactoredCasesAtEveryStation)
{
    beam.SetStationResult(0, CBeamBase::STATION_M3, Ramp(10.0f, 1.0f)); // dead
    beam.SetStationResult(1, CBeamBase::STATION_M3, Ramp(-4.0f, 2.0f)); // live
    beam.SetStationResult(2, CBeamBase::STATION_M3, Ramp(100.0f, 0.0f)); // wind, not in the combination
    CLoadCombination lc;
    lc.m_fDead = 1.2f;
    lc.m_fLive = 1.4f;
    beam.ComputeCurrentForce(CBeamBase::STATION_M3, &lc, 0.0f);
    // Station 0: 1.2 x 10 + 1.4 x (-4) = 6.4; station 11: 1.2 x 21 + 1.4 x 18 = 50.4.
    EXPECT_NEAR(beam.GetF(0), 6.4f, 1e-4);
    EXPECT_NEAR(beam.GetF(5), 1.2f * 15.0f + 1.4f * 6.0f, 1e-4);
    EXPECT_NEAR(beam.GetF(11), 50.4f, 1e-4);
    // Another component with no results reads zero; the second array is left alone.
    beam.m_fF1[3] = 7.0f;
    beam.ComputeCurrentForce(CBeamBase::STATION_N, &lc, 0.0f);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(beam.GetF(i), 0.0f) << i;
    EXPECT_EQ(beam.GetF1(3), 7.0f);
}

TEST_F(StationsTest, DeflectionIndexFillsBothArraysAlongTheTwoAxes)
{
    CSubBeam sub(3, &n1, &n2);
    sub.SetStationResult(0, CBeamBase::STATION_D2, Ramp(-1.0f, 0.0f));
    sub.SetStationResult(0, CBeamBase::STATION_D3, Ramp(0.5f, 0.0f));
    CLoadCombination lc;
    lc.m_fDead = 2.0f;
    sub.ComputeCurrentForce(CBeamBase::kDeflections, &lc, 0.0f);
    EXPECT_FLOAT_EQ(sub.GetF(4), -2.0f);
    EXPECT_FLOAT_EQ(sub.GetF1(4), 1.0f);
}

TEST_F(StationsTest, EnvelopeTakesStationMaximaAndMinimaOverTheCombinations)
{
    beam.SetStationResult(0, CBeamBase::STATION_V2, Ramp(10.0f, -2.0f)); // 10 ... -12
    beam.SetStationResult(2, CBeamBase::STATION_V2, Ramp(5.0f, 0.0f));   // wind X (case 3)
    CLoadCombination a, b, c;
    a.m_fDead = 1.0f;                  // 10 - 2i
    b.m_fDead = 1.0f, b.m_fWind = 1.0f; // 15 - 2i
    b.m_nWindCase = 3;
    c.m_fDead = -1.0f;                 // -10 + 2i
    CLCList list;
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(&c);
    beam.m_pCoverLCList = &list;
    beam.ComputeCoverForce(CBeamBase::STATION_V2);
    // Station 0: max(10, 15, -10) = 15, min -10; station 11: max(-12, -7, 12) = 12, min -12.
    EXPECT_FLOAT_EQ(beam.GetF(0), 15.0f);
    EXPECT_FLOAT_EQ(beam.GetF1(0), -10.0f);
    EXPECT_FLOAT_EQ(beam.GetF(11), 12.0f);
    EXPECT_FLOAT_EQ(beam.GetF1(11), -12.0f);
    // Station 5: 0, 5, 0.
    EXPECT_FLOAT_EQ(beam.GetF(5), 5.0f);
    EXPECT_FLOAT_EQ(beam.GetF1(5), 0.0f);
    list.RemoveAll();
    beam.ComputeCoverForce(CBeamBase::STATION_V2);
    EXPECT_EQ(beam.GetF(0), 0.0f) << "no combinations: no envelope";
    EXPECT_EQ(beam.GetF1(0), 0.0f);
}

TEST_F(StationsTest, LocalAxesAreRightHandedWithAxisTwoUpOrAlongXForColumns)
{
    struct Case
    {
        const char* name;
        CPoint3D end;
        CVector3D axis2, axis3;
    };
    const Case cases[] = {
        {"beam along x", CPoint3D(600, 0, 0), CVector3D(0, 0, 1), CVector3D(0, -1, 0)},
        {"beam along y", CPoint3D(0, 600, 0), CVector3D(0, 0, 1), CVector3D(1, 0, 0)},
        {"column", CPoint3D(0, 0, 360), CVector3D(1, 0, 0), CVector3D(0, 1, 0)},
        {"brace up along x", CPoint3D(300, 0, 300), CVector3D(-std::sqrt(0.5), 0, std::sqrt(0.5)), CVector3D(0, -1, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPNode end(9, c.end);
        CBeam b(2, &n1, &end, 2);
        EXPECT_TRUE(b.GetVector2() == c.axis2);
        EXPECT_TRUE(b.GetVector3() == c.axis3);
        EXPECT_NEAR(b.GetVector1() | b.GetVector2(), 0.0, 1e-12);
    }
    CBeam point(3, &n1, &n1, 2);
    EXPECT_TRUE(point.GetVector2() == CVector3D());
}

TEST(SampleStations, TheSampleBeamsCarryASaggingMidspanUnderDead)
{
    CGlobalData data;
    BuildSampleModel(data);
    CStruct& s = *data.Struct();
    int beams = 0;
    for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = s.m_pBeamList->GetNextT(pos);
        if (b->toBeam() == nullptr || b->GetType() != 2)
            continue;
        ++beams;
        const auto* m3 = b->GetStationResult(0, CBeamBase::STATION_M3);
        ASSERT_NE(m3, nullptr);
        // Fixed ends: -qL^2/12 at the ends, the span positive in the middle.
        const double L = b->GetLength();
        EXPECT_NEAR((*m3)[0], -0.25 * L * L / 12.0, 1e-2 * L);
        EXPECT_GT((*m3)[5], 0.0f);
        EXPECT_EQ(b->m_pCoverLCList, data.GetSLCList());
    }
    EXPECT_GT(beams, 0);
}

} // namespace
