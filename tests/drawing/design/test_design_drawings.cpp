// The design result and design property drawings of the export, written for small models by
// both twins and read back with ezdxf.
#include "drawing/design/DesignFixture.h"

namespace {

using namespace vyrtest;

class DesignDrawings : public DesignFixture
{
};

// One member along x from (0, 0, 0) to (600, 0, 0) in the 3-D drawing: h = 15, texts at the
// midpoint (300, 0, 0), the first line standing on it (6, 8), the second hanging (6, 0).
TEST_F(DesignDrawings, MemberResultTextsFollowTypeKindAndTheListRule)
{
    struct Case
    {
        const char* name;
        int type;
        bool concrete;
        int item;
        std::function<void(CBeamBase&, CheckResult&)> set; // null result: no check result
        const char* above;                                  // null: no text at all
        const char* below;                                  // null: no second line
    };
    auto steel = [](std::function<void(CBeamBase&, CheckResult&)> f) { return f; };
    const Case cases[] = {
        {"beam of design type 0: strength and combined stress only", 2, false, 1,
         steel([](CBeamBase& b, CheckResult& r) {
             b.SetBeamDesignType(0);
             r.fRatio[0] = 0.5f;
             r.fRatio[1] = 0.7f; // stability, not asked for
             r.fOther[2] = 0.6f;
         }),
         "0.500 - 0.600", nullptr},
        {"a stability of exactly 0.001 vanishes with its separator", 2, false, 1,
         steel([](CBeamBase& b, CheckResult& r) {
             b.SetBeamDesignType(1);
             r.fRatio[0] = 0.5f;
             r.fRatio[1] = 0.001f;
             r.fOther[2] = 0.6f;
         }),
         "0.500 - 0.600", nullptr},
        {"secondary beam of design type 1 shows its stability", 5, false, 1,
         steel([](CBeamBase& b, CheckResult& r) {
             b.SetBeamDesignType(1);
             r.fOther[1] = 0.25f; // shear about 3, the largest strength ratio
             r.fOther[3] = 0.75f; // stability about 3
             r.fOther[2] = 0.125f;
         }),
         "0.250 - 0.750 - 0.125", nullptr},
        {"column with a stored pair of zeros: strength, then axial ratio", 1, false, 1,
         steel([](CBeamBase&, CheckResult& r) {
             r.fOther[0] = 0.4f;
             r.fOther[6] = 0.45f;
         }),
         "0.400 - 0.450", nullptr},
        {"brace shows its stored pair", 3, false, 1,
         steel([](CBeamBase&, CheckResult& r) {
             r.fRatio[0] = 0.3f;
             r.fRatio[1] = 0.2f;
             r.fOther[6] = 0.9f; // not a column: no axial ratio
         }),
         "0.300 - 0.300 - 0.200", nullptr},
        {"steel member without a result", 2, false, 1, nullptr, "未验算", nullptr},
        {"deformation 0.0025 reads 1/400; a pair without its limit is left out", 2, false, 2,
         steel([](CBeamBase& b, CheckResult& r) {
             b.SetDLLimit(250);
             r.fDeformRatio[0] = 0.5f;
             r.fDeform[0] = 0.0025f;
             r.fDeformRatio[1] = 0.3f; // L limit 0
             r.fDeform[1] = 0.002f;
         }),
         "0.500", "1/400.000"},
        {"a reciprocal of 399.99 is truncated to 399", 2, false, 2,
         steel([](CBeamBase& b, CheckResult& r) {
             b.SetOtherLimit(300.0f);
             r.fDeformRatio[2] = 0.75f;
             r.fDeform[2] = 1.0f / 399.99f;
         }),
         "0.750", "1/399.000"},
        {"a deformation of 0 leaves its pair out", 2, false, 2,
         steel([](CBeamBase& b, CheckResult& r) {
             b.SetDLLimit(250);
             b.SetLLimit(300);
             r.fDeformRatio[0] = 0.5f;
             r.fDeform[0] = 0.0f;
             r.fDeformRatio[1] = 0.25f;
             r.fDeform[1] = 0.00125f;
         }),
         "0.250", "1/800.000"},
        {"detailing: c1/c3, c2 without c4, c5; c6 too small", 2, false, 3,
         steel([](CBeamBase&, CheckResult& r) {
             const float c[6] = {0.5f, 0.25f, 0.75f, 0.0005f, 0.125f, 0.001f};
             for (int k = 0; k < 6; ++k)
                 r.fDetail[k] = c[k];
         }),
         "0.500/0.750 - 0.250 - 0.125", nullptr},
        {"detailing never shows c3 without c1", 2, false, 3,
         steel([](CBeamBase&, CheckResult& r) {
             r.fDetail[2] = 0.75f;
             r.fDetail[5] = 0.5f;
         }),
         "0.500", nullptr},
        {"capacity over its limit by under 0.001 passes", 2, false, 4,
         steel([](CBeamBase&, CheckResult& r) { r.fRatio[0] = 1.0009f; }), "1.001", "通过"},
        {"capacity over its limit by 0.002 fails", 2, false, 4,
         steel([](CBeamBase&, CheckResult& r) { r.fRatio[0] = 1.002f; }), "1.002", "不通过"},
        {"a deformation ratio over its limit by 0.002 fails", 2, false, 4,
         steel([](CBeamBase&, CheckResult& r) {
             r.fRatio[0] = 0.5f;
             r.fDeformRatio[1] = 1.002f;
             r.fDetail[0] = 0.25f;
         }),
         "0.500 - 1.002 - 0.250", "不通过"},
        {"conclusion without a result", 2, false, 4, nullptr, "未验算", nullptr},
        {"concrete beam: two lines in the group order", 2, true, 1, nullptr, "10.000 - 21.000 - 30.000 - G40.000",
         "11.000 - 20.000 - 31.000 - VT50.000 - 51.000"},
        {"concrete column", 1, true, 1, nullptr, "30.000 - 10.000 - 20.000", nullptr},
        {"concrete type 5 shows nothing", 5, true, 1, nullptr, nullptr, nullptr},
        {"a concrete member's other items read its steel result", 2, true, 2, nullptr, "未验算", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        CBeam* b = Member(Node(0, 0, 0), Node(600, 0, 0), c.type, c.concrete);
        if (c.concrete)
            SetAreas(*b, [](int g, int k) { return 10.0f * (float)g + (float)k; });
        if (c.set) {
            CheckResult r;
            c.set(*b, r);
            b->m_pCheckResult = new CheckResult(r);
        }
        CDlgDrawResult3D dlg(&m_data);
        const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawDesignResult(dxf, s, c.item, h); });
        ASSERT_EQ(d.errors, 0);
        if (c.above == nullptr) {
            EXPECT_TRUE(d.texts.empty());
            continue;
        }
        ASSERT_EQ(d.texts.size(), c.below != nullptr ? 2u : 1u);
        ExpectText(d.texts[0], c.above, 300, 0, 0, 6, 8);
        EXPECT_DOUBLE_EQ(d.texts[0].height, 15.0);
        if (c.below != nullptr)
            ExpectText(d.texts[1], c.below, 300, 0, 0, 6, 0);
    }
}

TEST_F(DesignDrawings, ConcreteAreasAreShownInTheSquareOfTheLengthUnitAlsoWhenZero)
{
    m_data.UnitLength() = 0.1f;
    CBeam* b = Member(Node(0, 0, 0), Node(600, 0, 0), 2, true);
    SetAreas(*b, [](int g, int) { return g == 1 ? 250.0f : 0.0f; });
    CDlgDrawResult3D dlg(&m_data);
    const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawDesignResult(dxf, s, 1, h); });
    ASSERT_EQ(d.texts.size(), 2u);
    // 250 x 0.1 x 0.1 = 2.5.
    EXPECT_EQ(d.texts[0].text, "2.500 - 0.000 - 0.000 - G0.000");
    EXPECT_EQ(d.texts[1].text, "2.500 - 0.000 - 0.000 - VT0.000 - 0.000");
}

TEST_F(DesignDrawings, WallMembersShowTheirFirstTwoAreasAndMembersWithoutSectionNothing)
{
    CPNode* a = Node(0, 0, 0);
    CPNode* e = Node(0, 0, 400);
    auto* pier = new CColumnInWall(3, a, e);
    m_members.emplace_back(pier);
    pier->m_pSection = Section();
    SetAreas(*pier, [](int g, int k) { return 10.0f * (float)g + (float)k; });
    Scope().m_BeamList.AddTail(pier);
    CBeam* bare = Member(Node(0, 0, 0), Node(600, 0, 0), 2, false);
    bare->m_pSection = nullptr;
    bare->m_pCheckResult = new CheckResult;
    CDlgDrawResult3D dlg(&m_data);
    const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawDesignResult(dxf, s, 1, h); });
    ASSERT_EQ(d.texts.size(), 1u);
    ExpectText(d.texts[0], "10.000 - 20.000", 0, 0, 200, 6, 8);
}

// Two nodes on one vertical line: one point of the storey plan (3-D product, 2-D dialog).
TEST_F(DesignDrawings, APlanPointGetsThePanelZoneTextOfItsFirstNodeOnlyEvenWithoutARecord)
{
    Member(Node(0, 0, 0), Node(1000, 0, 0)); // h = 25
    CPNode* lower = Node(200, 100, 0);
    CPNode* upper = Node(200, 100, 360);
    CPNodeChecker c;
    const float a[6] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    for (int k = 0; k < 6; ++k)
        c.a[k] = a[k];
    c.b[0] = 0.75f;
    c.b[1] = 0.0005f;
    upper->m_pChecker = new CPNodeChecker(c);
    struct Case
    {
        const char* name;
        std::vector<CPNode*> order;
        int item;
        std::vector<std::string> texts2D, texts3D;
    };
    // Panel zones in the order P1, P2, P5, P6, P3, P4; S2 too small to show.
    const Case cases[] = {
        {"first node without a record", {lower, upper}, 5, {}, {"0.100 - 0.200 - 0.500 - 0.600 - 0.300 - 0.400"}},
        {"first node with the record", {upper, lower}, 5, {"0.100 - 0.200 - 0.500 - 0.600 - 0.300 - 0.400"},
         {"0.100 - 0.200 - 0.500 - 0.600 - 0.300 - 0.400"}},
        {"strong column weak beam", {upper, lower}, 6, {"0.750"}, {"0.750"}},
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.name);
        Scope().m_NodeList.RemoveAll();
        for (CPNode* n : cs.order)
            Scope().m_NodeList.AddTail(n);
        CDlgDrawResult2D plan(&m_data);
        const DxfRead d2 = Draw(plan, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { plan.DrawDesignResult(dxf, s, cs.item, h); });
        ASSERT_EQ(d2.texts.size(), cs.texts2D.size());
        for (size_t i = 0; i < cs.texts2D.size(); ++i)
            ExpectText(d2.texts[i], cs.texts2D[i].c_str(), 200, 100, 0, 6, 8);
        CDlgDrawResult3D space(&m_data);
        const DxfRead d3 = Draw(space, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { space.DrawDesignResult(dxf, s, cs.item, h); });
        ASSERT_EQ(d3.texts.size(), cs.texts3D.size());
        for (size_t i = 0; i < cs.texts3D.size(); ++i)
            ExpectText(d3.texts[i], cs.texts3D[i].c_str(), 200, 100, 360, 6, 8);
    }
}

TEST_F(DesignDrawings, DesignPropertiesLabelEveryMemberAndThePanelZoneTypeOfFirstNodesInPlans)
{
    CBeam* withSection = Member(Node(0, 0, 0), Node(600, 0, 0));
    withSection->m_nCode = 2;
    CBeam* bare = Member(Node(0, 0, 0), Node(0, 600, 0));
    bare->m_pSection = nullptr;
    bare->m_nCode = 7;
    CPNode* lower = Node(300, 300, 0);
    CPNode* upper = Node(300, 300, 360);
    upper->m_nDomainType = 1;
    Scope().m_NodeList.AddTail(lower);
    Scope().m_NodeList.AddTail(upper);

    CDlgDrawResult2D plan(&m_data);
    const DxfRead code = Draw(plan, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { plan.DrawDesignProp(dxf, s, 1, h); });
    ASSERT_EQ(code.texts.size(), 2u) << "a member without a section is labelled too";
    ExpectText(code.texts[0], withSection->GetDParaDescripiton(0).str().c_str(), 300, 0, 0, 6, 8);
    ExpectText(code.texts[1], bare->GetDParaDescripiton(0).str().c_str(), 0, 300, 0, 6, 8);
    EXPECT_NEAR(code.texts[1].rotation, 3.141592653589793 / 2 * CDlgDrawResult::kRadToDeg, 1e-9);

    const DxfRead zones2D = Draw(plan, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { plan.DrawDesignProp(dxf, s, 14, h); });
    ASSERT_EQ(zones2D.texts.size(), 1u);
    ExpectText(zones2D.texts[0], "普通节点域", 300, 300, 0, 6, 8);
    CDlgDrawResult3D space(&m_data);
    const DxfRead zones3D = Draw(space, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { space.DrawDesignProp(dxf, s, 14, h); });
    ASSERT_EQ(zones3D.texts.size(), 2u);
    ExpectText(zones3D.texts[1], "加强节点域", 300, 300, 360, 6, 8);
}

// The member text angle of the plane drawings, for a member whose end lies before its start.
TEST_F(DesignDrawings, TheDov2DEditionTurnsTextsOfBackwardMembersHalfRound)
{
    struct Case
    {
        const char* name;
        CVyrProduct::Variant variant;
        bool threeD;
        double rotation;
    };
    // Angles in radians go to the writer in degrees by the factor 180 / 3.1415926.
    const double pi = 3.141592653589793;
    const Case cases[] = {
        {"general 2-D", CVyrProduct::General, false, pi * CDlgDrawResult::kRadToDeg},
        {"Dov 2-D", CVyrProduct::Dov2D, false, (pi + 3.1415926) * CDlgDrawResult::kRadToDeg},
        {"3-D drawing never turns", CVyrProduct::Dov2D, true, pi * CDlgDrawResult::kRadToDeg},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        CVyrProduct::CEditionScope edition(2, c.variant);
        CBeam* b = Member(Node(600, 0, 0), Node(0, 0, 0));
        b->m_pCheckResult = new CheckResult;
        std::unique_ptr<CDlgDrawResult> dlg;
        if (c.threeD)
            dlg = std::make_unique<CDlgDrawResult3D>(&m_data);
        else
            dlg = std::make_unique<CDlgDrawResult2D>(&m_data);
        const DxfRead d = Draw(*dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg->DrawDesignResult(dxf, s, 4, h); });
        ASSERT_EQ(d.texts.size(), 2u);
        EXPECT_NEAR(d.texts[0].rotation, c.rotation, 1e-6);
    }
}

} // namespace
