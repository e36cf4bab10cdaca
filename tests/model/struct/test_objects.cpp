// Behaviour of single model objects: storey ratios, members, supports, openings, axes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <string>

#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/structure.h>

namespace
{
struct RatioCase
{
    const char* name;
    float x1, x2, x3, dx;
    float capacity, ksi, frameRs, structureRs;
};
// Test names and messages show the case's name, never the bytes of its pointer.
void PrintTo(const RatioCase& c, std::ostream* os) { *os << c.name; }

class FloorRatios : public ::testing::TestWithParam<RatioCase>
{
};
} // namespace

TEST_P(FloorRatios, XAndYGiveTheSameRatios)
{
    const RatioCase& c = GetParam();
    CFloor f;
    f.m_fX1 = f.m_fY1 = c.x1;
    f.m_fX2 = f.m_fY2 = c.x2;
    f.m_fX3 = f.m_fY3 = c.x3;
    f.m_fDX = f.m_fDY = c.dx;
    for (int dir = 0; dir < 2; ++dir)
    {
        SCOPED_TRACE(dir == 0 ? "X" : "Y");
        EXPECT_FLOAT_EQ(dir == 0 ? f.GetCapacityX() : f.GetCapacityY(), c.capacity);
        const float ksi = dir == 0 ? f.GetKsiX() : f.GetKsiY();
        const float frame = dir == 0 ? f.GetFrameRsX() : f.GetFrameRsY();
        const float structure = dir == 0 ? f.GetStructureRsX() : f.GetStructureRsY();
        EXPECT_FALSE(std::isnan(ksi) || std::isinf(ksi));
        EXPECT_FALSE(std::isnan(frame) || std::isinf(frame));
        EXPECT_FALSE(std::isnan(structure) || std::isinf(structure));
        EXPECT_FLOAT_EQ(ksi, c.ksi);
        EXPECT_FLOAT_EQ(frame, c.frameRs);
        EXPECT_FLOAT_EQ(structure, c.structureRs);
    }
}

constexpr float U = CFloor::RATIO_UNDEFINED;
INSTANTIATE_TEST_SUITE_P(
    Storey, FloorRatios,
    ::testing::Values(RatioCase{"ReferenceNumbers", 10, 20, 30, 120, 60, 0.5f, 1.5f, 5.0f},
                      RatioCase{"NoReferenceValue", 10, 20, 30, 0, 60, U, 1.5f, 5.0f},
                      RatioCase{"NoCapacity", 0, 0, 0, 0, 0, U, U, U},
                      RatioCase{"NoFirstPart", 0, 20, 30, 100, 50, 0.5f, 1.5f, U},
                      RatioCase{"NoSecondPart", 10, 0, 30, 40, 40, 1.0f, U, 3.0f}),
    [](const ::testing::TestParamInfo<RatioCase>& info) { return std::string(info.param.name); });

TEST(Floor, DriftOfAStoreyWithoutHeightIsUndefined)
{
    CFloor f;
    f.m_fH = 0.0f;
    EXPECT_EQ(f.GetDriftRatio(1.0f), CFloor::RATIO_UNDEFINED);
    f.m_fH = 400.0f;
    EXPECT_FLOAT_EQ(f.GetDriftRatio(1.0f), 0.0025f);
}

TEST(Member, StiffLimitIsTruncated)
{
    CBeam b;
    b.SetStiffLimit(250.7f);
    EXPECT_EQ(b.GetStiffLimit(), 250.0f);
    b.SetStiffLimit(-3.9f);
    EXPECT_EQ(b.GetStiffLimit(), -3.0f);
}

TEST(Member, RealAndEffectiveLengthsAreTheLength)
{
    CPNode a(1, CPoint3D(0, 0, 0)), b(2, CPoint3D(300, 400, 0)), other(3, CPoint3D(9, 9, 9));
    CBeam beam(1, &a, &b, 2);
    CPNode* p1 = &other;
    CPNode* p2 = nullptr;
    EXPECT_DOUBLE_EQ(beam.GetLength(), 500.0);
    EXPECT_FLOAT_EQ(beam.GetBeamRealLength(p1, p2), 500.0f);
    EXPECT_EQ(p1, &other);
    EXPECT_EQ(p2, nullptr);
    EXPECT_FLOAT_EQ(beam.GetEffectLength2(), 500.0f);
    EXPECT_FLOAT_EQ(beam.GetEffectLength3(), 500.0f);
}

TEST(Member, DescriptionsAndDowncasts)
{
    CBeam beam(12, nullptr, nullptr, 2);
    CSubBeam sub(40, nullptr, nullptr);
    sub.m_nSubNo = 3;
    CBeamInWall link(5, nullptr, nullptr);
    CColumnInWall pier(6, nullptr, nullptr);
    EXPECT_STREQ(beam.GetDescription().GetString(), "杆件12");
    EXPECT_STREQ(sub.GetDescription().GetString(), "次梁3");
    EXPECT_STREQ(link.GetDescription().GetString(), "连梁5");
    EXPECT_STREQ(pier.GetDescription().GetString(), "墙肢6");
    CBeamBase* base = &sub;
    EXPECT_EQ(base->toSubBeam(), &sub);
    EXPECT_EQ(base->toBeam(), nullptr);
    EXPECT_TRUE(base->IsAllRelease());
    EXPECT_FALSE(static_cast<CBeamBase*>(&beam)->IsAllRelease());
    EXPECT_EQ(static_cast<CBeamBase*>(&pier)->toColumnInWall(), &pier);
    EXPECT_EQ(static_cast<CBeamBase*>(&link)->toBeamInWall(), &link);
}

TEST(Member, NewSectionDropsResultsAndLeavesAGroupOfAnotherSection)
{
    CBeamGroupList groups;
    CBeamGroup* g = new CBeamGroup;
    groups.Add(g);
    CSectionBase* oldSec = reinterpret_cast<CSectionBase*>(0x1000);
    CSectionBase* newSec = reinterpret_cast<CSectionBase*>(0x2000);
    g->m_pSection = oldSec;
    CBeam beam(1, nullptr, nullptr, 2);
    beam.m_pSection = oldSec;
    beam.m_pCheckResult = new CheckResult;
    beam.m_pConcreteResult = new CConcreteDesignResult;
    beam.SetGroupId(1);
    g->m_pBeamList->AddTail(&beam);

    beam.SetSection(newSec, &groups);
    EXPECT_EQ(beam.GetSection(), newSec);
    EXPECT_EQ(beam.m_pCheckResult, nullptr);
    EXPECT_EQ(beam.m_pConcreteResult, nullptr);
    EXPECT_EQ(beam.GetGroupId(), 0);
    EXPECT_TRUE(g->m_pBeamList->IsEmpty());
    beam.m_pSection = nullptr; // not a real section
}

namespace
{
// A check object whose deletion the section test counts.
struct CountedCheck : CObject
{
    static int deleted;
    ~CountedCheck() override { ++deleted; }
};
int CountedCheck::deleted = 0;

enum class MemberKind
{
    Frame,
    Secondary,
    InWall
};

struct SectionCase
{
    const char* name;
    MemberKind kind;
    bool sameSection;  // given the section it has, else another one
    bool inGroup;      // in a group of the section it has
    bool staysInGroup;
};
} // namespace

TEST(Member, GivingASectionFreesTheCheckAlwaysAndLeavesAGroupOfAnotherSection)
{
    const SectionCase cases[] = {
        {"same section, in its group", MemberKind::Frame, true, true, true},
        {"new section, no group", MemberKind::Frame, false, false, false},
        {"new section, in a group of the old one", MemberKind::Frame, false, true, false},
        {"secondary beam, same section", MemberKind::Secondary, true, true, true},
        {"secondary beam, in a group of the old one", MemberKind::Secondary, false, true, false},
        {"member in a wall, new section", MemberKind::InWall, false, false, false},
    };
    for (const SectionCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        CSectionBase old, fresh;
        CGlobalData data;
        std::unique_ptr<CBeamBase> member;
        switch (c.kind)
        {
        case MemberKind::Frame: member = std::make_unique<CBeam>(1, nullptr, nullptr, 2); break;
        case MemberKind::Secondary: member = std::make_unique<CSubBeam>(1, nullptr, nullptr); break;
        case MemberKind::InWall: member = std::make_unique<CBeamInWall>(1, nullptr, nullptr); break;
        }
        member->m_pSection = &old;
        CBeamGroup* group = nullptr;
        if (c.inGroup)
        {
            // Behind a group of no section, so the member's group is found by its number.
            data.Struct()->m_pBeamGroupList->Add(new CBeamGroup);
            group = new CBeamGroup;
            group->m_pSection = &old;
            data.Struct()->m_pBeamGroupList->Add(group);
            group->m_pBeamList->AddTail(member.get());
            member->SetGroupId(group->m_nNo);
        }
        CountedCheck::deleted = 0;
        member->m_pCheck = new CountedCheck;
        member->m_pCheckResult = new CheckResult;
        member->m_pConcreteResult = new CConcreteDesignResult;

        CSectionBase* given = c.sameSection ? &old : &fresh;
        member->SetSection(given, &data);

        EXPECT_EQ(member->GetSection(), given);
        EXPECT_EQ(CountedCheck::deleted, 1);
        EXPECT_EQ(member->m_pCheck, nullptr);
        EXPECT_EQ(member->m_pCheckResult, nullptr);
        EXPECT_EQ(member->m_pConcreteResult, nullptr);
        if (group != nullptr)
        {
            EXPECT_EQ(group->m_pBeamList->Contains(member.get()), c.staysInGroup);
            EXPECT_EQ(member->GetGroupId(), c.staysInGroup ? 2 : 0);
        }
    }
}

TEST(Member, GroupChangeSelectTwiceRestores)
{
    CBeamGroup g;
    g.m_nSelectFlag = 0;
    g.ChangeSelect();
    EXPECT_EQ(g.GetSelectFlag(), 1);
    g.ChangeSelect();
    EXPECT_EQ(g.GetSelectFlag(), 0);
    g.m_nSelectFlag = 5; // any nonzero value counts as set
    g.ChangeSelect();
    EXPECT_EQ(g.GetSelectFlag(), 0);
}

namespace
{
struct Aux : CObject
{
    static int deleted;
    ~Aux() override { ++deleted; }
};
int Aux::deleted = 0;
} // namespace

TEST(Support, EveryKindDeletesItsAuxiliaryObjectOnce)
{
    Aux::deleted = 0;
    CSupportBase* kinds[] = {new CSupportFixed(new Aux),    new CSupportPinned(new Aux),   new CSupportSpring(new Aux),
                             new CSupportXZPlane(new Aux),  new CSupportYZPlane(new Aux),  new CSupportXPinFixed(new Aux),
                             new CSupportYPinFixed(new Aux), new CSupportBase(0, new Aux)};
    int type = 1;
    for (CSupportBase* s : kinds)
    {
        if (type <= 7)
        {
            EXPECT_EQ(s->GetType(), type);
            ++type;
        }
        delete s;
    }
    EXPECT_EQ(Aux::deleted, 8);
    delete new CSupportFixed; // no auxiliary object
    EXPECT_EQ(Aux::deleted, 8);
}

TEST(Openings, NewOpeningsReportTheirKind)
{
    CHoleRect r;
    EXPECT_EQ(r.GetKind(), 1);
    ASSERT_EQ(r.m_arrCorner.GetSize(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(r.m_arrCorner[i].x == 0.0 && r.m_arrCorner[i].y == 0.0 && r.m_arrCorner[i].z == 0.0);
    EXPECT_TRUE(r.m_arrPt3D.IsEmpty());
    EXPECT_TRUE(r.m_arrPt2D.IsEmpty());
    CHoleCircle c;
    EXPECT_EQ(c.GetKind(), 2);
    EXPECT_EQ(c.m_ptCenter.x, 0.0);
    EXPECT_EQ(c.m_ptCenter.y, 0.0);
    EXPECT_EQ(c.m_ptCenter.z, 0.0);
    CHole base;
    EXPECT_EQ(base.GetArea(), 0.0);
}

TEST(Openings, CircleAssignmentCopiesCentreAndValues)
{
    CHoleCircle a, b;
    a.m_ptCenter = CPoint3D(1, 2, 3);
    a.m_dR = 7.0;
    a.m_dH = 2.0;
    b = a;
    EXPECT_EQ(b.m_ptCenter.y, 2.0);
    EXPECT_EQ(b.m_dR, 7.0);
    EXPECT_EQ(b.m_dH, 2.0);
    EXPECT_EQ(b.GetKind(), 2);
}

TEST(Openings, RectangleAssignmentThroughTheBaseCopiesItsCorners)
{
    CHoleRect a, b;
    a.m_dV = 3.0;
    a.m_arrCorner[2] = CPoint3D(4, 5, 6);
    a.m_arrPt2D.Add(CPoint2D(1, 1));
    CHole& target = b;
    target = a; // the virtual assignment of the opening kind
    EXPECT_EQ(b.m_dV, 3.0);
    ASSERT_EQ(b.m_arrCorner.GetSize(), 4);
    EXPECT_EQ(b.m_arrCorner[2].y, 5.0);
    EXPECT_EQ(b.m_arrPt2D.GetSize(), 1);
    a.m_arrCorner[2].y = 9.0;
    EXPECT_EQ(b.m_arrCorner[2].y, 5.0) << "the copy owns its points";
}

TEST(Openings, APlacedRectangleGivesItsCornersInModelCoordinates)
{
    CHoleRect r;
    r.m_dX = 100.0;
    r.m_dY = 20.0;
    r.m_dH = 80.0;
    r.m_dV = 200.0;
    // Not placed yet: the corners in the opening's plane.
    EXPECT_EQ(r.GetVexPt(1).x, 100.0);
    EXPECT_EQ(r.GetVexPt(3).y, 220.0);
    r.m_arrCorner[0] = CPoint3D(600, 1800, 380);
    r.m_arrCorner[2] = CPoint3D(680, 1800, 580);
    EXPECT_EQ(r.GetVexPt(1).x, 600.0);
    EXPECT_EQ(r.GetVexPt(1).y, 1800.0);
    EXPECT_EQ(r.GetVexPt(1).z, 380.0);
    EXPECT_EQ(r.GetVexPt(3).z, 580.0);
}

TEST(Openings, AnOpeningIsPlacedAlongItsWallFromTheBottomStartCorner)
{
    // A wall along the 3-4-5 direction in plan, standing on z = 100.
    CPNode n1(1, CPoint3D(0, 0, 100)), n2(2, CPoint3D(300, 400, 100)), n3(3, CPoint3D(300, 400, 400)),
        n4(4, CPoint3D(0, 0, 400));
    CWall wall;
    for (CPNode* n : {&n1, &n2, &n3, &n4})
        wall.m_pVexNodeList->AddTail(n);
    auto* hole = new CHoleRect;
    EXPECT_EQ(wall.AddHole(hole), 1);
    EXPECT_EQ(hole->ChangHolePara(100, 20, 50, 200, &wall), 1);
    EXPECT_EQ(hole->m_dX, 100.0);
    EXPECT_EQ(hole->m_dY, 20.0);
    EXPECT_EQ(hole->m_dV, 50.0);
    EXPECT_EQ(hole->m_dH, 200.0);
    // 100 and 300 along the wall, 120 and 170 high: bottom left, bottom right, top right, top left.
    const double expected[4][3] = {{60, 80, 120}, {180, 240, 120}, {180, 240, 170}, {60, 80, 170}};
    for (int c = 0; c < 4; ++c) {
        EXPECT_NEAR(hole->GetVexPt(c + 1).x, expected[c][0], 1e-9) << c;
        EXPECT_NEAR(hole->GetVexPt(c + 1).y, expected[c][1], 1e-9) << c;
        EXPECT_NEAR(hole->GetVexPt(c + 1).z, expected[c][2], 1e-9) << c;
    }
    EXPECT_EQ(wall.AddHole(new CHoleRect), 2);
    EXPECT_EQ(wall.m_pHoleList->GetHeadT(), hole) << "the wall keeps its openings in order";
    EXPECT_EQ(wall.AddHole(nullptr), 2);
}

TEST(Openings, AWallWithoutCornersTakesTheValuesButCannotPlaceTheOpening)
{
    CWall wall;
    CHoleRect hole;
    EXPECT_EQ(hole.ChangHolePara(100, 20, 50, 200, &wall), 0);
    EXPECT_EQ(hole.ChangHolePara(100, 20, 50, 200, nullptr), 0);
    EXPECT_EQ(hole.m_dH, 200.0);
    EXPECT_EQ(hole.m_arrCorner[2].z, 0.0);
    // Unplaced, its corners are given in the wall's plane.
    EXPECT_EQ(hole.GetVexPt(3).x, 300.0);
    EXPECT_EQ(hole.GetVexPt(3).y, 70.0);
}

TEST(Rooms, OnlyShapeKindFourIsAllOpening)
{
    CPlane p;
    for (int kind : {0, 1, 2, 3, 5, -4})
    {
        p.m_nShapeKind = kind;
        EXPECT_FALSE(p.IsAllHole()) << kind;
    }
    p.m_nShapeKind = 4;
    EXPECT_TRUE(p.IsAllHole());
}

TEST(Nodes, SubNodeHasNoMasterNode)
{
    CPSubNode sub;
    CPNodeBase* base = &sub;
    EXPECT_EQ(base->GetMainNodeId(), 0);
    CPGridNode grid;
    grid.SetMainNodeId(9);
    base = &grid;
    EXPECT_EQ(base->GetMainNodeId(), 9);
}

TEST(Nodes, RealRectInPlanAndElevation)
{
    CPNode a(1, CPoint3D(-1, 5, 30)), b(2, CPoint3D(4, -2, 10));
    CPNodeList list;
    EXPECT_TRUE(list.GetRealRect(0).IsRectNull());
    list.AddTail(&a);
    list.AddTail(&b);
    const CRect2D plan = list.GetRealRect(0);
    EXPECT_EQ(plan.left, -1.0);
    EXPECT_EQ(plan.right, 4.0);
    // Model y points up: the room previews take top - bottom as the height.
    EXPECT_EQ(plan.top, 5.0);
    EXPECT_EQ(plan.bottom, -2.0);
    EXPECT_EQ(plan.Height(), 7.0);
    const CRect2D elev = list.GetRealRect(1);
    EXPECT_EQ(elev.top, 30.0);
    EXPECT_EQ(elev.bottom, 10.0);
}

TEST(Axial, BaseAxisIsNeverHit)
{
    CAxial a;
    CRect rc(1, 2, 3, 4);
    a.GetScreenRect(rc);
    EXPECT_EQ(rc, CRect(0, 0, 0, 0));
    EXPECT_TRUE(a.GetRealRect().IsRectNull());
    EXPECT_TRUE(a.GetProjectRect().IsRectNull());
    CPoint pt(0, 0);
    CRect big(-1000, -1000, 1000, 1000);
    EXPECT_FALSE(a.SetPointSelectASxis(pt));
    EXPECT_FALSE(a.SetCrossRectSelectAxial(big));
    EXPECT_EQ(a.IsNodeOnAxis(CPoint3D(), true), nullptr);
    EXPECT_EQ(a.GetProjectAngle(), 0.0);
    EXPECT_EQ(a.GetSelect(), 0);
}

TEST(Axial, LineAxisIsHitNearItsScreenImage)
{
    CAxialLine line(CPoint2D(0, 0), CPoint2D(100, 0));
    CMatrix3D m3;
    CMatrix2D m2;
    line.Change3D(m3);
    line.Change2DtoDP(m2);
    CPoint near(50, 3), far(50, 30);
    EXPECT_FALSE(line.SetPointSelectASxis(far));
    EXPECT_EQ(line.GetSelect(), 0);
    EXPECT_TRUE(line.SetPointSelectASxis(near));
    EXPECT_EQ(line.GetSelect(), 1);
    ASSERT_NE(line.IsNodeOnAxis(CPoint3D(40, 0, 7), false), nullptr);
    EXPECT_EQ(line.IsNodeOnAxis(CPoint3D(40, 1, 7), false), nullptr);
}

TEST(LoadCases, StatusAndSelectionBytes)
{
    CBasicLoadCase lc;
    EXPECT_EQ(lc.GetType(), 0);
    lc.SetStatus(false);
    EXPECT_EQ(lc.GetStatus(), 0);
    lc.SetStatus(true);
    EXPECT_EQ(lc.GetStatus(), 1);
    CLoadCombination c;
    c.SetSelect(true);
    EXPECT_EQ(c.GetStatus(), 1);
    EXPECT_FALSE(c.GetReinforceStatus());
}

TEST(StructResults, ModalCouplingIsSymmetricWithUnitDiagonal)
{
    CGlobalData d;
    CStruct& s = *d.Struct();
    s.SetModalResult({1.0f, 0.95f, 0.3f});
    double m[9];
    s.GetOuheRatio(m);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_DOUBLE_EQ(m[i * 3 + i], 1.0);
        for (int j = 0; j < 3; ++j)
        {
            EXPECT_NEAR(m[i * 3 + j], m[j * 3 + i], 1e-12);
            EXPECT_GE(m[i * 3 + j], 0.0);
            EXPECT_LE(m[i * 3 + j], 1.0);
        }
    }
    // Close periods couple strongly, distant ones hardly.
    EXPECT_GT(m[0 * 3 + 1], 0.5);
    EXPECT_LT(m[0 * 3 + 2], 0.01);
    // 5 % damping: period ratio 0.95 gives 0.791, 0.9 the textbook 0.473.
    EXPECT_NEAR(m[1], 0.791, 0.001);
    s.SetModalResult({1.0f, 0.9f});
    double m2[4];
    s.GetOuheRatio(m2);
    EXPECT_NEAR(m2[1], 0.473, 0.001);
}

TEST(StructResults, MinimumShearCoefficientByIntensity)
{
    CGlobalData d;
    CLoadSeismList& seism = *d.Struct()->m_pLoadSeismList;
    const struct
    {
        int intensity;
        float cof;
    } cases[] = {{6, 0.008f}, {7, 0.016f}, {8, 0.032f}, {9, 0.064f}, {0, 0.0f}};
    for (const auto& c : cases)
    {
        seism.m_nIntensity = c.intensity;
        EXPECT_FLOAT_EQ(d.Struct()->CalShearCof(), c.cof) << c.intensity;
    }
}

TEST(StructResults, StoreyShearIsKeptPerCase)
{
    CFloor f;
    CBasicLoadCase wind(2), seism(7);
    wind.m_nNo = 3;
    seism.m_nNo = 4;
    f.SetTotalShear(3, 120.0f, -5.0f);
    EXPECT_FLOAT_EQ(f.GetTotalShearX(&wind), 120.0f);
    EXPECT_FLOAT_EQ(f.GetTotalShearY(&wind), -5.0f);
    EXPECT_FLOAT_EQ(f.GetTotalShearX(&seism), 0.0f) << "a case without results has no shear";
    EXPECT_FLOAT_EQ(f.GetTotalShearX(nullptr), 0.0f);

    CPNode a(1, CPoint3D(0, 0, 0)), b(2, CPoint3D(1200, 1800, 0));
    f.m_pNodeList->AddTail(&a);
    f.m_pNodeList->AddTail(&b);
    EXPECT_FLOAT_EQ(f.GetWindB(&wind), 1800.0f) << "wind along x meets the y extent";
    CBasicLoadCase windY(3);
    EXPECT_FLOAT_EQ(f.GetWindB(&windY), 1200.0f);
    CMainNode inside(9, CPoint3D(600, 900, 0)), outside(10, CPoint3D(-1, 0, 0));
    EXPECT_TRUE(f.IsInFloorRect(&inside));
    EXPECT_FALSE(f.IsInFloorRect(&outside));
}

TEST(NodeResults, CombinationDisplacementIsTheFactoredSumOfItsCases)
{
    CPNode n(1, CPoint3D());
    n.m_mapCaseDisp[0] = {0, 0, -1.0f, 0, 0, 0};   // dead
    n.m_mapCaseDisp[1] = {0, 0, -0.5f, 0, 0, 0};   // live
    n.m_mapCaseDisp[2] = {2.0f, 0, 0, 0, 0, 0.1f}; // wind X
    n.m_mapCaseDisp[3] = {0, 3.0f, 0, 0, 0, 0};    // wind Y, not in the combination
    CLoadCombination c;
    c.m_fDead = 1.2f;
    c.m_fLive = 1.4f;
    c.m_fWind = 0.84f;
    c.m_nWindCase = 3; // the case of type 2
    n.FillCurDisp(&c);
    EXPECT_FLOAT_EQ(n.m_fCurDisp[0], 0.84f * 2.0f);
    EXPECT_FLOAT_EQ(n.m_fCurDisp[1], 0.0f);
    EXPECT_FLOAT_EQ(n.m_fCurDisp[2], -1.2f - 0.7f);
    EXPECT_FLOAT_EQ(n.m_fCurDisp[5], 0.084f);
    n.FillCurDisp(nullptr);
    EXPECT_EQ(n.m_fCurDisp[0], 0.0f);
}

TEST(NodeResults, SupportReactionIsTheFactoredSumOfItsCasesOnSupportedNodesOnly)
{
    CSupportFixed fixed;
    CPNode n(1, CPoint3D());
    n.m_mapCaseReact[0] = {1.0f, 0, 100.0f, -30.0f, 0, 0}; // dead
    n.m_mapCaseReact[1] = {0.5f, 0, 40.0f, 20.0f, 0, 0};   // live
    n.m_mapCaseReact[2] = {9.0f, 9.0f, 9.0f, 9.0f, 9.0f, 9.0f}; // wind X, not in the combination
    // A combination built as the reaction report builds it: the two factors only.
    CLoadCombination c;
    c.m_fDead = 1.2f;
    c.m_fLive = 1.4f;
    float f[6] = {7, 7, 7, 7, 7, 7};
    EXPECT_FALSE(n.GetSupportForce(&c, f)) << "a free node has no reaction";
    for (float v : f)
        EXPECT_EQ(v, 0.0f);
    n.SetSupport(&fixed);
    EXPECT_TRUE(n.GetSupportForce(&c, f));
    EXPECT_FLOAT_EQ(f[0], 1.2f + 0.7f);
    EXPECT_FLOAT_EQ(f[1], 0.0f);
    EXPECT_FLOAT_EQ(f[2], 120.0f + 56.0f);
    EXPECT_FLOAT_EQ(f[3], -36.0f + 28.0f);
    EXPECT_FLOAT_EQ(f[5], 0.0f);
    n.SetSupport(nullptr);
}

TEST(Floor, StiffnessRatiosToTheStoreysAbove)
{
    CFloorList floors;
    CFloor f[5];
    const float stiff[5] = {100, 50, 100, 0, 40};
    for (int i = 0; i < 5; ++i)
    {
        f[i].m_fStiffX = stiff[i];
        f[i].m_fStiffY = 2 * stiff[i];
        floors.AddTail(&f[i]);
    }
    floors.Relink();
    EXPECT_FLOAT_EQ(f[0].GetStiffRatioX(), 2.0f);
    EXPECT_FLOAT_EQ(f[0].GetStiffRatioY(), 2.0f);
    EXPECT_FLOAT_EQ(f[1].GetStiffRatioX(), 0.5f);
    EXPECT_EQ(f[2].GetStiffRatioX(), CFloor::RATIO_UNDEFINED) << "the storey above has no stiffness";
    EXPECT_EQ(f[4].GetStiffRatioX(), CFloor::RATIO_UNDEFINED) << "nothing above the top";
    EXPECT_FLOAT_EQ(f[0].GetStiffRatio3X(), 100.0f / 50.0f);    // (50 + 100 + 0) / 3
    EXPECT_FLOAT_EQ(f[3].GetStiffRatio3X(), 0.0f);              // one storey above
    EXPECT_EQ(f[4].GetStiffRatio3Y(), CFloor::RATIO_UNDEFINED);
    floors.RemoveAll();
}
