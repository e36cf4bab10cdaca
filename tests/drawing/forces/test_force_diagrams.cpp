// The internal-force diagrams of the export: the label rules, and the six files of one case
// written by both twins for small models and read back with ezdxf.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/drawing/ForceDiagram.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/structure.h>
#include <vyr/winfile.h>

#include "drawing/DxfReadBack.h"
#include "drawing/ExportFolderTest.h"

namespace fs = std::filesystem;
using namespace vyrtest;
using namespace vyrdiagram;

namespace {

TEST(DiagramRules, EndsAreLabelledAboveTheZeroValueInnerStationsAtLocalExtremes)
{
    struct Case
    {
        const char* name;
        double v[12];
        int station;
        bool labelled;
    };
    const Case cases[] = {
        {"first end at 0.001", {0.001, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0, false},
        {"first end just above", {0.0011, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0, true},
        {"last end negative", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -0.002}, 11, true},
        {"rising slope", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 5, false},
        {"peak", {0, 1, 2, 3, 4, 9, 4, 3, 2, 1, 0, 0}, 5, true},
        {"trough", {0, -1, -2, -3, -4, -9, -4, -3, -2, -1, 0, 0}, 5, true},
        {"first of a plateau", {0, 1, 2, 2, 2, 1, 0, 0, 0, 0, 0, 0}, 2, true},
        {"middle of a plateau", {0, 1, 2, 2, 2, 1, 0, 0, 0, 0, 0, 0}, 3, false},
        {"last of a plateau", {0, 1, 2, 2, 2, 1, 0, 0, 0, 0, 0, 0}, 4, true},
        {"a tiny extreme still counts", {0, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0, 0, 0}, 5, true},
        {"equal within the tolerance", {0, 1, 2, 2 + 1e-9, 2, 1, 0, 0, 0, 0, 0, 0}, 3, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsLabelled(c.v, c.station), c.labelled) << c.name;
}

TEST(DiagramRules, ALabelThatReadsAsZeroIsDroppedOthersKeepTwoDecimals)
{
    EXPECT_EQ(LabelText(1234.5, 0.01).str(), "12.35") << "a moment in force x metre";
    EXPECT_EQ(LabelText(-0.5, 1.0).str(), "-0.50");
    EXPECT_EQ(LabelText(0.004, 1.0).str(), "");
    EXPECT_EQ(LabelText(-0.004, 1.0).str(), "") << "nor a negative zero";
    EXPECT_EQ(LabelText(0.4, 0.01).str(), "") << "the factor comes first";
    EXPECT_EQ(DiagramScale(600, 0.1), 0.0);
    EXPECT_DOUBLE_EQ(DiagramScale(600, 0.2), 750.0);
}

class ForceFiles : public vyrtest::ExportFolderTest
{
protected:
    ForceFiles() : ExportFolderTest("vyr_forces_") {}
    void SetUp() override
    {
        ExportFolderTest::SetUp();
        m_lc.m_fDead = 1.0f;
    }
    void TearDown() override
    {
        ExportFolderTest::TearDown();
    }
    CPNode* Node(double x, double y, double z)
    {
        m_nodes.push_back(std::make_unique<CPNode>((int)m_nodes.size() + 1, CPoint3D(x, y, z)));
        return m_nodes.back().get();
    }
    // A member with dead-case values of one component.
    CBeam* Member(CPoint3D a, CPoint3D b, int component, std::vector<float> v, int type = 2)
    {
        auto* m = new CBeam((int)m_members.size() + 1, Node(a.x, a.y, a.z), Node(b.x, b.y, b.z), type);
        CBeamBase::CStationValues values{};
        std::copy(v.begin(), v.end(), values.begin());
        m->SetStationResult(0, component, values);
        m_members.emplace_back(m);
        return m;
    }
    template <class Dlg, class Scope>
    DxfRead Write(Dlg& dlg, Scope& scope, int component)
    {
        const CString folder = m_dir.string().c_str();
        dlg.GenBF(folder, CDlgDrawResult::GetTemplateFile(), "恒载", &m_lc, scope);
        for (const ForceComponent& c : kForceComponents)
            EXPECT_TRUE(fs::exists(m_dir / (std::string("杆件内力-恒载-") + c.name + ".dxf"))) << c.name;
        return ReadDxf(m_dir / (std::string("杆件内力-恒载-") + kForceComponents[component].name + ".dxf"));
    }
    static std::vector<float> At(int station, float value)
    {
        std::vector<float> v(12, 0.0f);
        v[(size_t)station] = value;
        return v;
    }
    // The diagram point lines (layer "DIM") that end at (x, y) within 1e-6.
    static int EndingAt(const DxfRead& r, double x, double y)
    {
        int n = 0;
        for (const DxfLine& l : r.OnLayer("DIM"))
            n += (std::fabs(l.x2 - x) < 1e-6 && std::fabs(l.y2 - y) < 1e-6) ||
                 (std::fabs(l.x1 - x) < 1e-6 && std::fabs(l.y1 - y) < 1e-6);
        return n;
    }

    CLoadCombination m_lc;
    std::vector<std::unique_ptr<CPNode>> m_nodes;
    std::vector<std::unique_ptr<CBeamBase>> m_members;
};

// Beam along x of 600: station 5 at x = 3000/11; the largest ordinate is 600/4 = 150, to
// the left of the member (+y) for a positive N.
TEST_F(ForceFiles, ThresholdScaleEndOnColumnsAndZeroMembersIn2D)
{
    const double x5 = 600.0 * 5 / 11;
    struct Case
    {
        const char* name;
        float peak;      // N at station 5 of the beam
        float column;    // N all along a column seen end-on
        bool zeroMember; // a second beam with no values
        int ordinates;   // DIM lines ending at the largest ordinate
        int texts;
    };
    const Case cases[] = {
        // The stations are floats: the one nearest 0.1 lies above it, the one below is the
        // largest that draws nothing (the rule itself at exactly 0.1: DiagramRules).
        {"largest at the threshold: no diagram", std::nextafter(0.1f, 0.0f), 0.0f, false, 0, 0},
        {"just above 0.1: the largest ordinate is L/4", 0.1001f, 0.0f, false, 2, 1},
        {"a column end-on does not set the scale", 1.0f, -1000.0f, false, 2, 1},
        {"an all-zero member adds no ordinate and no label", 1.0f, 0.0f, true, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OUTPUT_CONTENT_2D scope;
        scope.m_BeamList.AddTail(Member(CPoint3D(0, 0, 0), CPoint3D(600, 0, 0), COMP_N, At(5, c.peak)));
        scope.m_BeamList.AddTail(Member(CPoint3D(0, 0, 0), CPoint3D(0, 0, 360), COMP_N, std::vector<float>(12, c.column), 1));
        if (c.zeroMember)
            scope.m_BeamList.AddTail(Member(CPoint3D(0, 300, 0), CPoint3D(600, 300, 0), COMP_N, {}));
        CDlgDrawResult2D dlg(nullptr);
        const DxfRead r = Write(dlg, scope, COMP_N);
        EXPECT_EQ(r.errors, 0);
        EXPECT_EQ(EndingAt(r, x5, 150.0), c.ordinates);
        EXPECT_EQ((int)r.texts.size(), c.texts);
        for (const DxfLine& l : r.OnLayer("DIM"))
            EXPECT_TRUE(l.y1 >= -1e-9 && l.y1 <= 150 + 1e-9 && l.y2 <= 150 + 1e-9) << "nothing drawn along y = 300";
        if (c.ordinates == 0) {
            EXPECT_TRUE(r.OnLayer("DIM").empty());
        }
    }
}

TEST_F(ForceFiles, ThreeEqualValuesLeaveTheMiddleUnlabelledAndTextsSitAtTruncatedPoints)
{
    OUTPUT_CONTENT_2D scope;
    // Stations 2 to 4 at 2 (scale 150 / 2): labels at 2 and 4, none at 3; ends at 0 none.
    scope.m_BeamList.AddTail(Member(CPoint3D(0.5, 0, 0), CPoint3D(600.5, 0, 0), COMP_N, {0, 1, 2, 2, 2, 1, 0, 0, 0, 0, 0, 0}));
    CDlgDrawResult2D dlg(nullptr);
    const DxfRead r = Write(dlg, scope, COMP_N);
    ASSERT_EQ(r.texts.size(), 2u);
    // Station 2: x = 0.5 + 1200/11 = 109.59 -> 109; station 4: 0.5 + 2400/11 = 218.68 -> 218; y 150.
    EXPECT_EQ(r.texts[0].x, 109.0);
    EXPECT_EQ(r.texts[1].x, 218.0);
    for (const DxfText& t : r.texts) {
        EXPECT_EQ(t.text, "2.00");
        EXPECT_EQ(t.y, 150.0);
        EXPECT_EQ(t.layer, "TEXT");
        EXPECT_EQ(t.halign, 1) << "inner labels centred";
        EXPECT_EQ(t.valign, 1) << "a positive N stands above its point";
        EXPECT_DOUBLE_EQ(t.height, 15.0) << "0.025 L";
    }
}

// M3 in 2-D: negated when P1 < P2 with different x; its positive labels hang below.
TEST_F(ForceFiles, M3In2DIsNegatedOnlyForMembersRunningRightwardAndHangsItsPositiveLabels)
{
    struct Case
    {
        const char* name;
        CPoint3D a, b;
        double peakX, peakY; // the ordinate of +1000 at station 5 (scale 150 / 1000)
    };
    const double s5 = 600.0 * 5 / 11;
    const Case cases[] = {
        {"left to right: negated, below", CPoint3D(0, 0, 0), CPoint3D(600, 0, 0), s5, -150.0},
        {"right to left: P2 < P1, kept", CPoint3D(600, 0, 0), CPoint3D(0, 0, 0), 600 - s5, -150.0},
        {"upward with equal x: kept, to the left", CPoint3D(0, 0, 0), CPoint3D(0, 600, 0), -150.0, s5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OUTPUT_CONTENT_2D scope;
        scope.m_BeamList.AddTail(Member(c.a, c.b, COMP_M3, At(5, 1000.0f)));
        CDlgDrawResult2D dlg(nullptr);
        const DxfRead r = Write(dlg, scope, COMP_M3);
        EXPECT_EQ(EndingAt(r, c.peakX, c.peakY), 2);
        ASSERT_EQ(r.texts.size(), 1u);
        EXPECT_EQ(r.texts[0].text, "10.00") << "moments times 0.01";
        EXPECT_EQ(r.texts[0].valign, 3) << "a positive M3 label hangs below its point";
    }
}

TEST_F(ForceFiles, In3DM3IsAlwaysNegatedAlongAxis2AndTextsKeepExactCoordinates)
{
    OUTPUT_CONTENT scope;
    // Along x: axis 2 is +z, axis 3 is -y.
    scope.m_BeamList.AddTail(Member(CPoint3D(0, 0, 0), CPoint3D(600, 0, 0), COMP_M3, At(5, 1000.0f)));
    CBeam* n = Member(CPoint3D(0, 0, 0), CPoint3D(600, 0, 0), COMP_N, At(5, 2.0f));
    OUTPUT_CONTENT scopeN;
    scopeN.m_BeamList.AddTail(n);
    CDlgDrawResult3D dlg(nullptr);
    DxfRead r = Write(dlg, scope, COMP_M3);
    const double x5 = 600.0 * 5 / 11;
    bool found = false;
    for (const DxfLine& l : r.OnLayer("DIM"))
        found = found || (std::fabs(l.x2 - x5) < 1e-6 && std::fabs(l.z2 + 150.0) < 1e-6 && std::fabs(l.y2) < 1e-9);
    EXPECT_TRUE(found) << "the ordinate below the member, along -z";
    ASSERT_EQ(r.texts.size(), 1u);
    EXPECT_NEAR(r.texts[0].x, x5, 1e-9) << "not truncated";
    EXPECT_NEAR(r.texts[0].z, -150.0, 1e-9);
    EXPECT_EQ(r.texts[0].valign, 1) << "3-D labels always stand above";

    r = Write(dlg, scopeN, COMP_N);
    found = false;
    for (const DxfLine& l : r.OnLayer("DIM"))
        found = found || (std::fabs(l.x2 - x5) < 1e-6 && std::fabs(l.y2 + 150.0) < 1e-6 && std::fabs(l.z2) < 1e-9);
    EXPECT_TRUE(found) << "N along axis 3 (-y), not negated";
}

TEST_F(ForceFiles, AScopeWithoutOrdinaryMembersStillGetsItsSixFiles)
{
    OUTPUT_CONTENT_2D scope;
    CDlgDrawResult2D dlg(nullptr);
    const DxfRead r = Write(dlg, scope, COMP_V2);
    EXPECT_EQ(r.errors, 0);
    EXPECT_TRUE(r.lines.empty());
}

} // namespace
