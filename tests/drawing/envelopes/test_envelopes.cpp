// The envelope, displacement and reaction drawings of the export, written by both twins for
// small models and read back with ezdxf.
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

class EnvelopeFiles : public vyrtest::ExportFolderTest
{
protected:
    EnvelopeFiles() : ExportFolderTest("vyr_envelopes_") {}
    void SetUp() override
    {
        ExportFolderTest::SetUp();
        m_dead.m_fDead = 1.0f;
        m_live.m_fLive = 1.0f;
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
    CBeam* Member(CPNode* a, CPNode* b, int type = 2)
    {
        auto* m = new CBeam((int)m_members.size() + 1, a, b, type);
        m_members.emplace_back(m);
        return m;
    }
    static CBeamBase::CStationValues At(int station, float value)
    {
        CBeamBase::CStationValues v{};
        v[(size_t)station] = value;
        return v;
    }
    CString Folder() const { return m_dir.string().c_str(); }
    // The lines of a layer that end (either end) at (x, y) within 1e-6.
    static int EndingAt(const DxfRead& r, const char* layer, double x, double y)
    {
        int n = 0;
        for (const DxfLine& l : r.OnLayer(layer))
            n += (std::fabs(l.x2 - x) < 1e-6 && std::fabs(l.y2 - y) < 1e-6) ||
                 (std::fabs(l.x1 - x) < 1e-6 && std::fabs(l.y1 - y) < 1e-6);
        return n;
    }

    CLoadCombination m_dead, m_live;
    std::vector<std::unique_ptr<CPNode>> m_nodes;
    std::vector<std::unique_ptr<CBeamBase>> m_members;
};

// ---- internal-force envelopes ----

TEST_F(EnvelopeFiles, ForceEnvelopesWriteTheChosenComponentOrAllSixInOrder)
{
    OUTPUT_CONTENT_2D scope;
    scope.m_BeamList.AddTail(Member(Node(0, 0, 0), Node(600, 0, 0)));
    CDlgDrawResult2D dlg(nullptr);
    dlg.GenBFC(Folder(), CDlgDrawResult::GetTemplateFile(), scope, COMP_T);
    EXPECT_EQ(Files(), std::vector<std::string>{"杆件内力-包络-T.dxf"});
    dlg.GenBFC(Folder(), CDlgDrawResult::GetTemplateFile(), scope, -1);
    std::vector<std::string> all;
    for (const char* c : {"M2", "M3", "N", "T", "V2", "V3"})
        all.push_back(std::string("杆件内力-包络-") + c + ".dxf");
    EXPECT_EQ(Files(), all);
    EXPECT_EQ(ReadDxf(m_dir / "杆件内力-包络-N.dxf").errors, 0);
}

// One beam along x of 600 (scale L/4 = 150 at the largest value), N at station 5.
TEST_F(EnvelopeFiles, ForceEnvelopesScaleByTheLargestOverBothLinesAndDrawEqualLinesTwice)
{
    const double x5 = 600.0 * 5 / 11;
    struct Case
    {
        const char* name;
        float dead, live;  // N at station 5 of the two combinations
        bool both;         // the live combination is in the envelope
        int atPeak;        // DIM lines touching (x5, +150)
        int atTrough;      // DIM lines touching (x5, -150)
        int texts;
    };
    const Case cases[] = {
        // Maxima 0.05 (no label needed for scale), minima -2: only the second line reaches
        // beyond 0.1 and sets the scale, 150 / 2.
        {"the largest on the second line", 0.05f, -2.0f, true, 0, 2, 2},
        // One combination: both lines equal, two identical curves and labels.
        {"equal lines", 2.0f, 0.0f, false, 4, 0, 2},
        {"both lines within 0.1: no diagram", 0.09f, -0.05f, true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLCList cover;
        cover.AddTail(&m_dead);
        if (c.both)
            cover.AddTail(&m_live);
        CBeam* b = Member(Node(0, 0, 0), Node(600, 0, 0));
        b->SetStationResult(0, CBeamBase::STATION_N, At(5, c.dead));
        b->SetStationResult(1, CBeamBase::STATION_N, At(5, c.live));
        b->m_pCoverLCList = &cover;
        OUTPUT_CONTENT_2D scope;
        scope.m_BeamList.AddTail(b);
        CDlgDrawResult2D dlg(nullptr);
        dlg.GenBFC(Folder(), CDlgDrawResult::GetTemplateFile(), scope, COMP_N);
        const DxfRead r = ReadDxf(m_dir / "杆件内力-包络-N.dxf");
        EXPECT_EQ(r.errors, 0);
        EXPECT_EQ(EndingAt(r, "DIM", x5, 150.0), c.atPeak);
        EXPECT_EQ(EndingAt(r, "DIM", x5, -150.0), c.atTrough);
        EXPECT_EQ((int)r.texts.size(), c.texts);
        if (!c.both) {
            ASSERT_EQ(r.texts.size(), 2u);
            EXPECT_EQ(r.texts[0].text, "2.00");
            EXPECT_EQ(r.texts[0].text, r.texts[1].text);
            EXPECT_EQ(r.texts[0].x, r.texts[1].x);
        }
        cover.RemoveAll();
    }
}

TEST_F(EnvelopeFiles, ForceEnvelopesIn3DDrawBothLinesAlongTheComponentsAxis)
{
    CLCList cover;
    cover.AddTail(&m_dead);
    cover.AddTail(&m_live);
    CBeam* b = Member(Node(0, 0, 0), Node(600, 0, 0));
    b->SetStationResult(0, CBeamBase::STATION_N, At(5, 2.0f));
    b->SetStationResult(1, CBeamBase::STATION_N, At(5, -1.0f));
    b->m_pCoverLCList = &cover;
    OUTPUT_CONTENT scope;
    scope.m_BeamList.AddTail(b);
    CDlgDrawResult3D dlg(nullptr);
    dlg.GenBFC(Folder(), CDlgDrawResult::GetTemplateFile(), scope, COMP_N);
    const DxfRead r = ReadDxf(m_dir / "杆件内力-包络-N.dxf");
    const double x5 = 600.0 * 5 / 11;
    // N is offset along axis 3 (-y for a member along x): +2 at -150, -1 at +75.
    int maxima = 0, minima = 0;
    for (const DxfLine& l : r.OnLayer("DIM")) {
        maxima += std::fabs(l.x2 - x5) < 1e-6 && std::fabs(l.y2 + 150.0) < 1e-6;
        minima += std::fabs(l.x2 - x5) < 1e-6 && std::fabs(l.y2 - 75.0) < 1e-6;
    }
    EXPECT_EQ(maxima, 1);
    EXPECT_EQ(minima, 1);
    EXPECT_EQ(r.texts.size(), 2u);
    cover.RemoveAll();
}

// ---- displacement drawings ----

// The lines of the shape (layer "MEMBER") with an end at p within 1e-6.
int MemberLinesAt(const DxfRead& r, const CPoint3D& p)
{
    int n = 0;
    for (const DxfLine& l : r.OnLayer("MEMBER"))
        n += (std::fabs(l.x1 - p.x) < 1e-6 && std::fabs(l.y1 - p.y) < 1e-6 && std::fabs(l.z1 - p.z) < 1e-6) ||
             (std::fabs(l.x2 - p.x) < 1e-6 && std::fabs(l.y2 - p.y) < 1e-6 && std::fabs(l.z2 - p.z) < 1e-6);
    return n;
}

TEST_F(EnvelopeFiles, TheLargestDeflectionJustAboveTheThresholdIsDrawnATenthOfTheLongestMember)
{
    // A beam along x of 600 (axis 2 up) and a shorter one; the largest deflection 0.0011 at
    // station 5 of the first, along axis 2: drawn 60 above the member.
    CBeam* b = Member(Node(0, 0, 0), Node(600, 0, 0));
    b->SetStationResult(0, CBeamBase::STATION_D2, At(5, 0.0011f));
    CBeam* c = Member(Node(0, 300, 0), Node(300, 300, 0));
    c->SetStationResult(0, CBeamBase::STATION_D2, At(3, 0.0005f));
    OUTPUT_CONTENT scope;
    scope.m_BeamList.AddTail(b);
    scope.m_BeamList.AddTail(c);
    CDlgDrawResult3D dlg(nullptr);
    dlg.GenND(Folder(), CDlgDrawResult::GetTemplateFile(), "恒载", &m_dead, scope);
    EXPECT_EQ(Files(), std::vector<std::string>{"空间位移-恒载.dxf"});
    const DxfRead r = ReadDxf(m_dir / "空间位移-恒载.dxf");
    EXPECT_EQ(r.errors, 0);
    EXPECT_EQ(r.OnLayer("MEMBER").size(), 22u) << "eleven lines per member, no figure";
    EXPECT_EQ(MemberLinesAt(r, CPoint3D(600.0 * 5 / 11, 0, 60)), 2);
    // The second member at the same scale: 0.0005 x 60 / 0.0011.
    EXPECT_EQ(MemberLinesAt(r, CPoint3D(300.0 * 3 / 11, 300, 0.0005f * 60.0 / 0.0011f)), 2);
    EXPECT_TRUE(r.texts.empty()) << "the nodes do not move";
}

TEST_F(EnvelopeFiles, ANodeSharedByFourMembersIsLabelledOnceAtTheFirstWithTheWritersDefaultAlignment)
{
    CPNode* centre = Node(0, 0, 0);
    centre->m_mapCaseDisp[0] = {1.0f, 0.0005f, -0.25f, 0, 0, 0};
    OUTPUT_CONTENT scope;
    const CPoint3D ends[] = {{0, 400, 0}, {400, 0, 0}, {0, -400, 0}, {-400, 0, 0}};
    for (const CPoint3D& e : ends)
        scope.m_BeamList.AddTail(Member(centre, Node(e.x, e.y, e.z)));
    CDlgDrawResult3D dlg(nullptr);
    dlg.GenND(Folder(), CDlgDrawResult::GetTemplateFile(), "恒载", &m_dead, scope);
    const DxfRead r = ReadDxf(m_dir / "空间位移-恒载.dxf");
    ASSERT_EQ(r.texts.size(), 1u);
    EXPECT_EQ(r.texts[0].text, "(10.0//-2.5)") << "y below 0.001 stays empty";
    EXPECT_EQ(r.texts[0].layer, "TEXT");
    EXPECT_EQ(r.texts[0].x, 0.0) << "at the undisplaced node";
    EXPECT_NEAR(r.texts[0].rotation, 90.0, 1e-5) << "the first member's plan angle";
    // The writer's default: left, hanging from the top.
    EXPECT_EQ(r.texts[0].halign, 0);
    EXPECT_EQ(r.texts[0].valign, 3);
    EXPECT_DOUBLE_EQ(r.texts[0].height, 10.0) << "0.025 of 400";
}

// A case under which the members only translate once gave a template-only file although the
// nodes move: the members are drawn displaced, straight, with their labels.
TEST_F(EnvelopeFiles, ATranslatingCaseDrawsTheDisplacedMembersStraightWithTheirLabels)
{
    CPNode* a = Node(0, 0, 0);
    CPNode* b = Node(600, 0, 0);
    a->m_mapCaseDisp[0] = {1.0f, 0, 0, 0, 0, 0};
    b->m_mapCaseDisp[0] = {1.0f, 0, 0, 0, 0, 0};
    OUTPUT_CONTENT scope;
    scope.m_BeamList.AddTail(Member(a, b));
    CDlgDrawResult3D dlg(nullptr);
    dlg.GenND(Folder(), CDlgDrawResult::GetTemplateFile(), "恒载", &m_dead, scope);
    const DxfRead r = ReadDxf(m_dir / "空间位移-恒载.dxf");
    const std::vector<DxfLine> lines = r.OnLayer("MEMBER");
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_NEAR(lines.front().x1, 1.0, 1e-9);
    EXPECT_NEAR(lines.back().x2, 601.0, 1e-9);
    for (const DxfLine& l : lines)
        EXPECT_TRUE(l.y1 == 0 && l.y2 == 0 && l.z1 == 0 && l.z2 == 0);
    ASSERT_EQ(r.texts.size(), 2u);
    EXPECT_EQ(r.texts[0].text, "(10.0//)");
    EXPECT_EQ(r.texts[1].text, "(10.0//)");
}

TEST_F(EnvelopeFiles, InAPlanAColumnEndOnDrawsNothingButSetsTheScale)
{
    // Plan of a spatial edition: the column's deflection 1.0 sets the scale 60 / 1; the beam's
    // 0.5 along axis 3 (-y) is drawn 30 below it.
    CPNode* foot = Node(0, 0, 0);
    foot->m_mapCaseDisp[0] = {0, 0, -0.5f, 0, 0, 0};
    CBeam* column = Member(foot, Node(0, 0, 360), 1);
    column->SetStationResult(0, CBeamBase::STATION_D3, At(5, 1.0f));
    CBeam* beam = Member(Node(0, 0, 360), Node(600, 0, 360));
    beam->SetStationResult(0, CBeamBase::STATION_D3, At(5, 0.5f));
    OUTPUT_CONTENT_2D scope;
    scope.m_BeamList.AddTail(column);
    scope.m_BeamList.AddTail(beam);
    CDlgDrawResult2D dlg(nullptr);
    dlg.GenND(Folder(), CDlgDrawResult::GetTemplateFile(), "恒载", &m_dead, scope);
    const DxfRead r = ReadDxf(m_dir / "空间位移-恒载.dxf");
    EXPECT_EQ(r.OnLayer("MEMBER").size(), 11u);
    EXPECT_EQ(EndingAt(r, "MEMBER", 600.0 * 5 / 11, -30.0), 2);
    EXPECT_TRUE(r.texts.empty()) << "the moving foot is reached only by the column";
}

TEST_F(EnvelopeFiles, InThePlaneEditionLabelsReadXAndZOnlyCentredAboveTruncatedPoints)
{
    CVyrProduct::SetEdition(2, true);
    CPNode* a = Node(0.5, 0, 0);
    CPNode* b = Node(600.7, 0, 0);
    CPNode* c = Node(600.7, 0, 300);
    a->m_mapCaseDisp[0] = {0, 5.0f, 0.0005f, 0, 0, 0}; // y is not looked at
    b->m_mapCaseDisp[0] = {0, 0, -0.5f, 0, 0, 0};
    c->m_mapCaseDisp[0] = {0.25f, 0, 0, 0, 0, 0};
    OUTPUT_CONTENT_2D scope;
    scope.m_BeamList.AddTail(Member(a, b));
    scope.m_BeamList.AddTail(Member(b, c, 1));
    CDlgDrawResult2D dlg(nullptr);
    dlg.GenND(Folder(), CDlgDrawResult::GetTemplateFile(), "恒载", &m_dead, scope);
    const DxfRead r = ReadDxf(m_dir / "空间位移-恒载.dxf");
    EXPECT_EQ(r.OnLayer("MEMBER").size(), 22u);
    ASSERT_EQ(r.texts.size(), 2u);
    EXPECT_EQ(r.texts[0].text, "(/-5.0)");
    EXPECT_EQ(r.texts[0].x, 600.0);
    EXPECT_EQ(r.texts[0].y, 0.0);
    EXPECT_NEAR(r.texts[0].rotation, 0.0, 1e-9);
    EXPECT_EQ(r.texts[1].text, "(2.5/)");
    EXPECT_EQ(r.texts[1].y, 300.0);
    EXPECT_NEAR(r.texts[1].rotation, 90.0, 1e-5) << "the column's angle";
    for (const DxfText& t : r.texts) {
        EXPECT_EQ(t.halign, 1);
        EXPECT_EQ(t.valign, 1);
    }
}

} // namespace
