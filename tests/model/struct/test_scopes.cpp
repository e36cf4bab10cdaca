// What the drawing exports take from the model: a storey's objects, the members and walls on
// an axis line and their nodes, the axes with their categories and descriptions, the corners
// of members in walls, the text forms of case and combination descriptions.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include <vyr/model/struct/structure.h>

#include "support/TestHelpers.h"

namespace {

using vyrtest::Items;

TEST(ExportScopes, AStoreyGivesItsNodesMembersWallMembersWallsAndRoomsEachOnce)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStruct& s = *d.Struct();
    CFloor* f = s.m_pFloorList->Get(2); // the first storey above the base
    CPNodeList nodes;
    CBeamList members;
    CWallList walls;
    CPlaneList rooms;
    f->GetMembers(&nodes, &members, &walls, &rooms);
    // 12 grid nodes of its level, then the 12 end nodes of its 6 rooms' secondary beams.
    EXPECT_EQ(nodes.GetCount(), 12 + 12);
    EXPECT_EQ(Items(nodes).front(), Items(*f->m_pNodeList).front());
    // 30 members, the 6 secondary beams, then the pier and the coupling beam of its wall.
    ASSERT_EQ(members.GetCount(), 30 + 6 + 2);
    EXPECT_NE(members.Get(37)->toColumnInWall(), nullptr) << "the wall's edge list holds the pier first";
    EXPECT_NE(members.Get(38)->toBeamInWall(), nullptr);
    EXPECT_NE(members.Get(31)->toSubBeam(), nullptr);
    EXPECT_EQ(Items(walls), Items(*f->m_pWallList));
    EXPECT_EQ(Items(rooms), Items(*f->m_pPlaneList));
    // Null lists are left out; what is there already stays, the storey's objects follow.
    CBeamList more;
    more.AddTail(members.Get(1));
    f->GetMembers(nullptr, &more, nullptr, nullptr);
    EXPECT_EQ(more.GetCount(), 1 + 38);
}

TEST(ExportScopes, AxisMembersAndWallsAreThoseOnTheAxisLineAndTheirNodesEachOnce)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStruct& s = *d.Struct();
    CAxis* axisD = s.Axises().GetAxis(6); // y = 1800, where the walls stand
    CBeamList members;
    CWallList walls;
    CStruct::GetAxisBeamsAndWalls(*axisD, s.m_pBeamList, s.m_pWallList, &members, &walls);
    // 3 columns and 2 beams per storey.
    EXPECT_EQ(members.GetCount(), 15);
    EXPECT_EQ(walls.GetCount(), 3);
    for (POSITION pos = members.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = members.GetNextT(pos);
        EXPECT_EQ(b->GetNode1()->m_pt.y, 1800.0);
        EXPECT_EQ(b->GetNode2()->m_pt.y, 1800.0);
    }
    CPNodeList nodes;
    nodes.AddTail(s.m_pNodeList->Get(1)); // replaced, not kept
    nodes.SetSelectPointer(&members, &walls);
    EXPECT_EQ(nodes.GetCount(), 3 * 4) << "the walls' corners are the members' nodes already";
    EXPECT_FALSE(nodes.Contains(s.m_pNodeList->Get(1)));

    // A slanted axis: a member lies on it when both ends are within the tolerance of its line,
    // beyond its drawn ends as well.
    CAxis slant("S", CPoint2D(0, 0), CPoint2D(100, 100));
    CPNode a(1, CPoint3D(200, 200.05, 0)), b(2, CPoint3D(300, 300, 0)), c(3, CPoint3D(300, 301, 0));
    CBeam on(1, &a, &b, 2), off(2, &a, &c, 2);
    CBeamList cand, found;
    cand.AddTail(&on);
    cand.AddTail(&off);
    CStruct::GetAxisBeamsAndWalls(slant, &cand, nullptr, &found, nullptr);
    EXPECT_EQ(Items(found), std::vector<CObject*>{&on});
    nodes.SetSelectPointer(&found, nullptr);
    EXPECT_EQ(Items(nodes), (std::vector<CObject*>{&a, &b}));
}

TEST(ExportScopes, AxesAreWalkedInOrderWithTheirCategoryAndDirection)
{
    CAxises axes;
    axes.AddAxis("1", CPoint2D(0, 0), CPoint2D(0, 900));
    axes.AddAxis("A", CPoint2D(0, 0), CPoint2D(900, 0));
    axes.AddAxis("1/A", CPoint2D(0, 450), CPoint2D(900, 460));
    axes.AddAxis("", CPoint2D(0, 0), CPoint2D(900, 900));
    struct Want
    {
        const char* no;
        int cat;
        const char* desc;
    };
    const Want want[] = {{"1", CAxis::NOCAT_NUMBER, "Y向"}, {"A", CAxis::NOCAT_LETTER, "X向"},
                         {"1/A", CAxis::NOCAT_AUX, "斜向"}, {"", CAxis::NOCAT_AUX, "斜向"}};
    CAxisCIt it(axes);
    size_t i = 0;
    for (it.Begin(); !it.IsEnd(); it.Next(), ++i) {
        ASSERT_LT(i, std::size(want));
        EXPECT_EQ(it.GetAxis()->GetNo().str(), want[i].no);
        EXPECT_EQ(it.GetAxis()->GetNoCat(), want[i].cat) << want[i].no;
        EXPECT_EQ(it.GetAxis()->GetAxisDesc().str(), want[i].desc) << want[i].no;
    }
    EXPECT_EQ(i, 4u);
    EXPECT_EQ(it.GetAxis(), nullptr);
}

TEST(ExportScopes, AMemberInAWallHasFourCornersItsOutlineOrItsNodes)
{
    CPNode n1(1, CPoint3D(0, 0, 300)), n2(2, CPoint3D(600, 0, 300));
    CBeamInWall link(1, &n1, &n2);
    // No outline yet: start, end, end, start.
    vyrtest::ExpectPt(link.GetPoint(1), 0, 0, 300);
    vyrtest::ExpectPt(link.GetPoint(2), 600, 0, 300);
    vyrtest::ExpectPt(link.GetPoint(3), 600, 0, 300);
    vyrtest::ExpectPt(link.GetPoint(4), 0, 0, 300);
    CColumnInWall pier(2, &n1, &n2);
    pier.SetOutline(CPoint3D(1, 2, 3), CPoint3D(4, 5, 6), CPoint3D(7, 8, 9), CPoint3D(10, 11, 12), 25.0f);
    vyrtest::ExpectPt(pier.GetPoint(3), 7, 8, 9);
    EXPECT_EQ(pier.m_fPlanWidth, 25.0f);

    // The sample model's pier stands beside the door, a wall's thickness wide.
    CGlobalData d;
    BuildSampleModel(d);
    CColumnInWall* sample = d.Struct()->m_pBCInWallList2->GetHeadT()->toColumnInWall();
    ASSERT_NE(sample, nullptr);
    vyrtest::ExpectPt(sample->GetPoint(1), 900, 1800, 0);
    vyrtest::ExpectPt(sample->GetPoint(3), 1200, 1800, 360);
    EXPECT_EQ(sample->m_fPlanWidth, 20.0f);
}

TEST(ExportScopes, CaseAndCombinationDescriptionsAsText)
{
    // A case's text is its kind without its number: the export's case boxes list it so.
    CBasicLoadCase lc(0);
    lc.m_nNo = 3;
    EXPECT_EQ(lc.GetDescription().str(), "恒载");
    CLoadCombination comb;
    comb.m_nNo = 2;
    comb.m_fDead = 1.2f;
    comb.m_fLive = 1.4f;
    EXPECT_EQ(comb.GetDescription().str(), "LC2:1.20D+1.40L");
}

} // namespace
