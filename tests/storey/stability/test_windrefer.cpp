// The wind reference object of the model: it keeps what it is given, answers its default
// rule, and a rule set in its place.
#include <gtest/gtest.h>

#include <cmath>

#include <vyr/model/struct/LoadWindRefer.h>

namespace {

TEST(WindReferTest, TheDefaultRuleWorkedByHand)
{
    struct Case
    {
        const char* name;
        float height, width, w0, period;
        int roughness;
        float ground;
        double top;
        double muZ, xi, nu;
    };
    const Case cases[] = {
        {"terrain B at 11.5 m", 11.5f, 7.5f, 0.5f, 1.0f, 1, 0.5f, 12.0, std::pow(1.15, 0.32), 1.0 + 0.6 * 0.5 / 1.5,
         0.35 + 0.05 * 11.5 / 7.5},
        {"terrain A, low: 5 m at least", 3.0f, 10.0f, 0.4f, 0.5f, 0, 0.0f, 3.0, 1.379 * std::pow(0.5, 0.24),
         1.0 + 0.6 * 0.1 / 1.1, 0.365},
        {"terrain D, slender: nu at most 0.9", 200.0f, 10.0f, 0.3f, 2.0f, 3, 0.0f, 200.0,
         0.318 * std::pow(20.0, 0.6), 1.0 + 0.6 * 1.2 / 2.2, 0.9},
        {"an unknown terrain as B, no width", 20.0f, 0.0f, 0.5f, 0.0f, 9, 0.0f, 20.0, std::pow(2.0, 0.32), 1.0, 0.35},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLoadWindRefer r;
        r.InitWindRefer(c.height, c.width, c.w0, c.period, 1, c.roughness, c.ground, 1.0f);
        double muZ = 0, xi = 0, nu = 0;
        r.GetCoef(c.top, 1.3f, muZ, xi, nu);
        EXPECT_NEAR(muZ, c.muZ, 1e-6);
        EXPECT_NEAR(xi, c.xi, 1e-6);
        EXPECT_NEAR(nu, c.nu, 1e-6);
    }
}

TEST(WindReferTest, ARuleSetInItsPlaceAnswersUntilItIsTakenBack)
{
    CLoadWindRefer r;
    r.InitWindRefer(10.0f, 5.0f, 0.45f, 1.2f, 1, 2, 0.3f, 1.0f);
    EXPECT_FLOAT_EQ(r.m_fHeight, 10.0f);
    EXPECT_FLOAT_EQ(r.m_fWidth, 5.0f);
    EXPECT_FLOAT_EQ(r.m_fW0, 0.45f);
    EXPECT_FLOAT_EQ(r.m_fPeriod1, 1.2f);
    EXPECT_EQ(r.m_nShapeKind, 1);
    EXPECT_EQ(r.m_nRoughness, 2);
    EXPECT_FLOAT_EQ(r.m_fGroundZ, 0.3f);
    EXPECT_FLOAT_EQ(r.m_fScale, 1.0f);
    double seenTop = 0;
    CLoadWindRefer::SetRule([&](const CLoadWindRefer& refer, double top, float muS, double& muZ, double& xi,
                                double& nu) {
        seenTop = top;
        muZ = refer.m_fHeight;
        xi = muS;
        nu = 0.25;
    });
    double muZ = 0, xi = 0, nu = 0;
    r.GetCoef(10.3, 1.3f, muZ, xi, nu);
    CLoadWindRefer::SetRule(nullptr);
    EXPECT_DOUBLE_EQ(seenTop, 10.3);
    EXPECT_DOUBLE_EQ(muZ, 10.0);
    EXPECT_FLOAT_EQ((float)xi, 1.3f);
    EXPECT_DOUBLE_EQ(nu, 0.25);
    double defaultMuZ = 0;
    r.GetCoef(10.3, 1.3f, defaultMuZ, xi, nu);
    EXPECT_NEAR(defaultMuZ, 0.616, 1e-9) << "terrain C at 10 m";
}

} // namespace
