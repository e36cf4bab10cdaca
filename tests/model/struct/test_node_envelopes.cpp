// The node results the result drawings read: displaced positions, displacement and reaction
// envelopes over a combination list, and the members' local-to-global matrix.
#include <gtest/gtest.h>

#include <vyr/model/struct/structure.h>

namespace {

struct Combos
{
    CLoadCombination dead, live, both;
    CLCList list;
    Combos()
    {
        dead.m_fDead = 1.0f;
        live.m_fLive = 1.0f;
        both.m_fDead = 1.2f;
        both.m_fLive = 1.4f;
        dead.m_nNo = 11;
        live.m_nNo = 12;
        both.m_nNo = 13;
        list.AddTail(&dead);
        list.AddTail(&live);
        list.AddTail(&both);
    }
    ~Combos() { list.RemoveAll(); }
};

TEST(NodeEnvelopes, DisplacementMaximaPerDirectionWithTheGoverningNumber)
{
    Combos c;
    CPNode n(1, CPoint3D());
    n.m_mapCaseDisp[0] = {1.0f, 0, -2.0f, 0, 0, 0};  // dead
    n.m_mapCaseDisp[1] = {-2.0f, 0, 1.0f, 0, 0, 0};  // live
    // Both: (1.2 - 2.8, 0, -2.4 + 1.4) = (-1.6, 0, -1). +x: 1 by dead; -x: 2 by live; y moves
    // under none: 0 and the first combination's number; +z: 1 by live; -z: 2 by dead.
    double v[6];
    int no[6];
    n.GetDispMax(&c.list, v, no);
    const double expected[6] = {1.0, 2.0, 0.0, 0.0, 1.0, 2.0};
    const int numbers[6] = {11, 12, 11, 11, 12, 11};
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(v[k], expected[k], 1e-5) << k;
        EXPECT_EQ(no[k], numbers[k]) << k;
    }
    CLCList empty;
    n.GetDispMax(&empty, v, no);
    n.GetDispMax(nullptr, v, no);
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(v[k] == 0.0 && no[k] == 0) << "no combinations: zeros";
}

TEST(NodeEnvelopes, ReactionMaximaAnswerTheGoverningCombinationAndFalseWithoutResults)
{
    Combos c;
    CSupportFixed fixed;
    CPNode n(1, CPoint3D());
    double v[9];
    CLoadCombination* lc[9];
    n.SetSupport(&fixed);
    EXPECT_FALSE(n.GetSupportForceMax(&c.list, v, lc)) << "a support the analysis left nothing for";
    float f[6];
    EXPECT_FALSE(n.GetSupportForce(&c.dead, f));
    n.m_mapCaseReact[0] = {10.0f, 0, 250.0f, 0, 1500.0f, 0};
    n.m_mapCaseReact[1] = {-20.0f, 5.0f, 100.0f, 0, -300.0f, 0};
    ASSERT_TRUE(n.GetSupportForceMax(&c.list, v, lc));
    // Fx: 10, -20, 12 - 28 = -16: max 10 by dead, most negative -20 by live.
    // Fz: 250, 100, 300 + 140 = 440: max by both, min 100 by live. Fy: 0, 5, 7: both; min 0 dead.
    EXPECT_EQ(lc[0], &c.dead);
    EXPECT_FLOAT_EQ((float)v[0], 10.0f);
    EXPECT_EQ(lc[1], &c.both);
    EXPECT_EQ(lc[2], &c.both);
    EXPECT_FLOAT_EQ((float)v[2], 440.0f);
    EXPECT_EQ(lc[4], &c.dead) << "My: 1500 against 1800 - 420";
    EXPECT_EQ(lc[6], &c.live);
    EXPECT_FLOAT_EQ((float)v[6], -20.0f);
    EXPECT_EQ(lc[7], &c.dead);
    EXPECT_EQ(lc[8], &c.live);
    CLCList empty;
    EXPECT_FALSE(n.GetSupportForceMax(&empty, v, lc));
    n.SetSupport(nullptr);
    EXPECT_FALSE(n.GetSupportForceMax(&c.list, v, lc)) << "a free node";
    for (CLoadCombination* p : lc)
        EXPECT_EQ(p, nullptr);
}

TEST(NodeEnvelopes, TheDeflectionsOfAMemberDisplaceItsEndNodesUnderTheSameCombination)
{
    CPNode a(1, CPoint3D(0, 0, 0)), b(2, CPoint3D(600, 0, 0));
    a.m_mapCaseDisp[0] = {0.5f, -1.0f, 2.0f, 0.1f, 0, 0};
    b.m_mapCaseDisp[1] = {0, 0, 3.0f, 0, 0, 0};
    CBeam m(1, &a, &b, 2);
    CLoadCombination lc;
    lc.m_fDead = 2.0f;
    EXPECT_EQ(a.GetP3D(a.m_pt, 1), a.m_pt) << "nothing evaluated yet";
    m.ComputeCurrentForce(CBeamBase::kDeflections, &lc, 0.0f);
    const CPoint3D p = a.GetP3D(a.m_pt, 1);
    EXPECT_DOUBLE_EQ(p.x, 1.0);
    EXPECT_DOUBLE_EQ(p.y, -2.0);
    EXPECT_DOUBLE_EQ(p.z, 4.0);
    EXPECT_EQ(a.GetP3D(a.m_pt, 0), a.m_pt);
    EXPECT_EQ(b.GetP3D(b.m_pt, 1), b.m_pt) << "the live case is not in the combination";
}

TEST(NodeEnvelopes, TheLocalToGlobalMatrixTakesTheLocalAxesToTheirGlobalVectors)
{
    struct Case
    {
        const char* name;
        CPoint3D a, b;
        int type;
        double axis3[3]; // by hand: axis 1 x axis 2
    };
    const Case cases[] = {
        {"column: axis 2 along x", CPoint3D(0, 0, 0), CPoint3D(0, 0, 360), 1, {0, 1, 0}},
        {"beam along x: axis 2 up", CPoint3D(0, 0, 0), CPoint3D(600, 0, 0), 2, {0, -1, 0}},
        {"brace in the x-z plane", CPoint3D(0, 0, 0), CPoint3D(300, 0, 300), 3, {0, -1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPNode a(1, c.a), b(2, c.b);
        CBeam m(1, &a, &b, c.type);
        double M[9];
        m.GetLToGMatrix(M);
        const CVector3D axes[3] = {m.GetVector1(), m.GetVector2(), m.GetVector3()};
        for (int k = 0; k < 3; ++k) {
            // M x e_k, the k-th local unit vector.
            const double g[3] = {M[0 + k], M[3 + k], M[6 + k]};
            EXPECT_NEAR(g[0], axes[k].x, 1e-12);
            EXPECT_NEAR(g[1], axes[k].y, 1e-12);
            EXPECT_NEAR(g[2], axes[k].z, 1e-12);
        }
        EXPECT_NEAR(M[2], c.axis3[0], 1e-12);
        EXPECT_NEAR(M[5], c.axis3[1], 1e-12);
        EXPECT_NEAR(M[8], c.axis3[2], 1e-12);
    }
}

} // namespace
