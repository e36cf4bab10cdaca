// The load chapters of the model and load report: the load tables and their codes, which
// tables a model's loads start, the roof, wind, crane, temperature and seismic parts, and
// the boxes and case kinds that gate each chapter.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/reports/DlgOutputModel.h>
#include "reports/summary/ReportProject.h"
#include "support/DialogTest.h"

using reporttest::ChapterLines;
using reporttest::FindLine;
using reporttest::HasLine;
using reporttest::Mentions;
using reporttest::TableRows;
using Row = std::vector<std::string>;

namespace {

// Lines that contain the text.
int Count(const std::vector<std::string>& lines, const std::string& text)
{
    int n = 0;
    for (const std::string& l : lines)
        n += l.find(text) != std::string::npos ? 1 : 0;
    return n;
}

class LoadChapterTest : public vyrtest::DialogTest
{
protected:
    reporttest::CReportProject project;
    CStruct& st = project.st;
    CDlgOutputModel dlg;

    LoadChapterTest()
    {
        dlg.m_pData = &project.data;
        dlg.m_bTotal = 0;
    }

    // A basic load case of the type (0 dead, 1 live, 2 to 5 wind, 6 vertical seismic,
    // 7 horizontal seismic, 11 to 14 temperature, 21 crane).
    void AddCase(int type) { project.data.GetCurBasicLCList()->AddTail(new CBasicLoadCase(type)); }

    std::vector<std::string> Chapter() { return ChapterLines([&](COutput& out) { dlg.OutputUnite(out, nullptr, 1); }); }

    CPlane* AddRoom(CFloor* floor, int no, CLoadArea* dead, CLoadArea* live)
    {
        auto* room = new CPlane;
        room->m_nNo = no;
        room->m_pFloor = floor;
        room->m_pDeadLoad = dead;
        room->m_pLiveLoad = live;
        st.m_pPlaneList->AddTail(room);
        floor->m_pPlaneList->AddTail(room);
        return room;
    }
};

TEST_F(LoadChapterTest, PlanePortalWithSelfWeightShowsTheRoofDeadLoadLineThreeTimes)
{
    dlg.m_bDead = 1;
    AddCase(0);
    project.data.CurrentStructureType() = 3;
    project.data.Gravity() = 1;
    st.m_Portal.SetDeadLoad(0.00003f); // 0.3 kN/m2
    auto* line = new CLoadBeam(1, 3, 1, -0.05);
    st.m_pLoadBeamDeadList->AddTail(line);
    st.m_pLoadAreaDeadList->AddTail(new CLoadArea(1, 0.0005f));
    project.AddMember(4, project.AddNode(1, 0, 0, 0), project.AddNode(2, 600, 0, 0), 2)->m_pDeadLoadList->AddTail(line);

    const auto lines = Chapter();
    EXPECT_EQ(Count(lines, "屋面均布荷载为0.3"), 3);
    const int first = FindLine(lines, "屋面均布荷载为0.3");
    const int self = FindLine(lines, "结构自重程序自动计算。");
    const int members = FindLine(lines, "表杆件恒载信息");
    const int areas = FindLine(lines, "表面恒载信息");
    ASSERT_GE(first, 0);
    EXPECT_LT(first, self);
    EXPECT_LT(self, FindLine(lines, "屋面均布荷载为0.3", self));
    // Each table's line and a tab, then the caption's line end.
    EXPECT_EQ(FindLine(lines, "屋面均布荷载为0.3", self + 1) + 2, members) << "the line stands before the caption";
    EXPECT_EQ(FindLine(lines, "屋面均布荷载为0.3", members + 1) + 2, areas);
    EXPECT_EQ(TableRows(lines, "荷载编号", members), (std::vector<Row>{{"DB1", "3", "均布", "-5.00", "0.00", "0.00", "0.00"}}));
    EXPECT_EQ(TableRows(lines, "荷载编号", areas), (std::vector<Row>{{"DA1", "5.00"}}));
    EXPECT_EQ(TableRows(lines, "杆件编号"), (std::vector<Row>{{"4", "DB1"}}));
    EXPECT_FALSE(Mentions(lines, "节点恒载信息")) << "no node dead loads, no table";

    // Other structure types: no roof line anywhere.
    project.data.CurrentStructureType() = 0;
    EXPECT_EQ(Count(Chapter(), "屋面均布荷载为"), 0);
}

TEST_F(LoadChapterTest, PlanePortalLiveTablesCarryTheRoofLiveLoadLine)
{
    dlg.m_bLive = 1;
    AddCase(1);
    project.data.CurrentStructureType() = 3;
    project.data.Gravity() = 1; // self-weight belongs to the dead loads only
    st.m_Portal.SetDeadLoad(0.00003f);
    st.m_Portal.SetLiveLoad(0.00005f); // 0.5 kN/m2
    st.m_pLoadBeamLiveList->AddTail(new CLoadBeam(1, 3, 1, -0.02));
    st.m_pLoadAreaLiveList->AddTail(new CLoadArea(2, 0.0002f));
    const auto lines = Chapter();
    EXPECT_EQ(Count(lines, "屋面均布活载为0.5"), 2);
    EXPECT_EQ(FindLine(lines, "屋面均布活载为0.5") + 2, FindLine(lines, "表杆件活载信息"));
    EXPECT_FALSE(Mentions(lines, "屋面均布荷载为"));
    EXPECT_FALSE(Mentions(lines, "结构自重程序自动计算。"));
}

TEST_F(LoadChapterTest, NodeDeadLoadsInSpaceAndPlaneAndTheirAssignmentTwoToARow)
{
    dlg.m_bDead = 1;
    AddCase(0);
    auto* down = new CLoadNode(1, 0, 0, -20);
    auto* twist = new CLoadNode(2, 5, 6, -10, 100, 150, 250); // moments in kN.cm
    st.m_pLoadNodeDeadList->AddTail(down);
    st.m_pLoadNodeDeadList->AddTail(twist);
    for (int no = 1; no <= 3; ++no)
        project.AddNode(no, 0, 0, 0)->m_pDeadLoadList->AddTail(down);
    st.m_pNodeList->GetHeadT()->m_pDeadLoadList->AddTail(twist);

    auto lines = Chapter();
    const int table = FindLine(lines, "表节点恒载信息");
    ASSERT_GE(table, 0);
    EXPECT_EQ(TableRows(lines, "荷载编号", table),
              (std::vector<Row>{{"DN1", "0.00", "0.00", "-20.00", "0.00", "0.00", "0.00"},
                                {"DN2", "5.00", "6.00", "-10.00", "1.00", "1.50", "2.50"}}));
    EXPECT_EQ(TableRows(lines, "节点编号"), (std::vector<Row>{{"1", "DN1", "1", "DN2"}, {"2", "DN1", "3", "DN1"}}));

    CVyrProduct::CEditionScope plane(2, CVyrProduct::Dov2D);
    lines = Chapter();
    const int head = FindLine(lines, "荷载编号", FindLine(lines, "表节点恒载信息"));
    ASSERT_GE(head, 0);
    EXPECT_EQ(vyrtest::Words(lines[(size_t)head]), (Row{"荷载编号", "X", "Z", "My"}));
    EXPECT_EQ(TableRows(lines, "荷载编号", head)[1], (Row{"DN2", "5.00", "-10.00", "1.50"}));
}

TEST_F(LoadChapterTest, RoomsWithAnAreaLoadAreAssignedInSpaceOnly)
{
    dlg.m_bDead = 1;
    dlg.m_bLive = 1;
    AddCase(0);
    AddCase(1);
    auto* dead = new CLoadArea(3, 0.0005f);
    auto* live = new CLoadArea(4, 0.0002f);
    st.m_pLoadAreaDeadList->AddTail(dead);
    st.m_pLoadAreaLiveList->AddTail(live);
    project.AddFloor(0, 0, 0);
    CFloor* floor = project.AddFloor(1, 1, 360);
    st.m_pFloorList->Relink(); // levels 0 and 1
    AddRoom(floor, 7, dead, live);
    AddRoom(floor, 8, nullptr, live); // passed over by the dead-load table
    AddRoom(floor, 9, nullptr, nullptr);

    auto lines = Chapter();
    const int deadRooms = FindLine(lines, "表面荷载信息");
    const int liveRooms = FindLine(lines, "表面荷载信息", deadRooms + 1);
    ASSERT_GE(liveRooms, 0);
    EXPECT_EQ(TableRows(lines, "房间编号", deadRooms), (std::vector<Row>{{"1-7", "DA3"}}));
    EXPECT_EQ(TableRows(lines, "房间编号", liveRooms), (std::vector<Row>{{"1-7", "LA4", "1-8", "LA4"}}));
    EXPECT_EQ(TableRows(lines, "荷载编号", FindLine(lines, "表面活载信息")), (std::vector<Row>{{"LA4", "2.00"}}));

    CVyrProduct::CEditionScope plane(2, CVyrProduct::Dov2D);
    lines = Chapter();
    EXPECT_FALSE(Mentions(lines, "面荷载信息"));
    EXPECT_TRUE(Mentions(lines, "面恒载信息")) << "the area loads themselves stay";
}

TEST_F(LoadChapterTest, LiveLoadsOnNodesOnlyGiveTheNodeAssignmentTableAlone)
{
    dlg.m_bLive = 1;
    AddCase(1);
    auto* load = new CLoadNode(5, 0, 0, -8);
    st.m_pLoadNodeLiveList->AddTail(load);
    project.AddNode(1, 0, 0, 0)->m_pLiveLoadList->AddTail(load);
    project.AddMember(1, st.m_pNodeList->GetHeadT(), project.AddNode(2, 0, 0, 300), 1);

    const auto lines = Chapter();
    EXPECT_TRUE(HasLine(lines, "活荷载"));
    EXPECT_EQ(Count(lines, "节点荷载信息"), 1);
    EXPECT_EQ(TableRows(lines, "节点编号"), (std::vector<Row>{{"1", "LN5"}}));
    for (const char* absent : {"杆件活载信息", "杆件荷载信息", "面活载信息", "面荷载信息"})
        EXPECT_FALSE(Mentions(lines, absent)) << absent;
}

TEST_F(LoadChapterTest, MemberLoadTypesNameTheirKindAndScaleTheirValues)
{
    dlg.m_bLive = 1;
    AddCase(1);
    // Q1 250 and Q2 100 of every type; Q1 x 100 for loads per length, x 1 for a force,
    // x 0.01 for moments (kN.cm to kN.m); positions 150 and 300 cm.
    struct Case
    {
        int type;
        Row row;
    };
    const Case cases[] = {
        {1, {"LB1", "2", "均布", "25000.00", "10000.00", "1.50", "3.00"}},
        {2, {"LB2", "2", "集中力", "250.00", "100.00", "1.50", "3.00"}},
        {3, {"LB3", "2", "三角形", "25000.00", "10000.00", "1.50", "3.00"}},
        {4, {"LB4", "2", "梯形", "25000.00", "10000.00", "1.50", "3.00"}},
        {5, {"LB5", "2", "任意四边形", "25000.00", "10000.00", "1.50", "3.00"}},
        {6, {"LB6", "2", "集中弯矩", "2.50", "1.00", "1.50", "3.00"}},
        {7, {"LB7", "2", "局部扭距", "2.50", "1.00", "1.50", "3.00"}},
        {9, {"LB9", "2", "250.00", "100.00", "1.50", "3.00"}}, // no text, factor 1
    };
    for (const Case& c : cases)
        st.m_pLoadBeamLiveList->AddTail(new CLoadBeam(c.type, 2, c.type, 250, 100, 150, 300));
    const auto rows = TableRows(Chapter(), "荷载编号", 0);
    ASSERT_EQ(rows.size(), std::size(cases));
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], cases[i].row) << "type " << cases[i].type;
}

TEST_F(LoadChapterTest, NodeWindInYAndMinusYGivesTwoTablesAndOneAssignmentTable)
{
    dlg.m_bWind = 1;
    AddCase(3);
    auto* y = new CLoadWind(1, 0, 4, 0);
    auto* minusY = new CLoadWind(1, 0, -4, 0.5f);
    st.m_pLoadWindNodeList[1]->AddTail(y);
    st.m_pLoadWindNodeList[3]->AddTail(minusY);
    CPNode* node = project.AddNode(6, 0, 0, 0);
    node->m_pWindLoadList[1]->AddTail(y);
    node->m_pWindLoadList[3]->AddTail(minusY);

    const auto lines = Chapter();
    const int yTable = FindLine(lines, "表节点Y向风载信息");
    const int minusTable = FindLine(lines, "表节点-Y向风载信息");
    ASSERT_GE(yTable, 0);
    ASSERT_GE(minusTable, 0);
    EXPECT_FALSE(Mentions(lines, "节点X向风载信息"));
    EXPECT_FALSE(Mentions(lines, "节点-X向风载信息"));
    EXPECT_EQ(TableRows(lines, "荷载编号", yTable), (std::vector<Row>{{"WN2-1", "2", "0.00", "4.00", "0.00"}}));
    EXPECT_EQ(TableRows(lines, "荷载编号", minusTable), (std::vector<Row>{{"WN4-1", "4", "0.00", "-4.00", "0.50"}}));
    EXPECT_EQ(Count(lines, "节点荷载信息"), 1);
    EXPECT_EQ(TableRows(lines, "节点编号"), (std::vector<Row>{{"6", "WN2-1", "6", "WN4-1"}}));
    EXPECT_FALSE(Mentions(lines, "杆件荷载信息")) << "no member wind, no member assignment table";
    EXPECT_TRUE(HasLine(lines, "基本风压 (kN/m2)：0.45")) << "the wind parameters of the structure";
}

TEST_F(LoadChapterTest, WindAssignmentTablesStandEvenWithoutAssignedLoads)
{
    dlg.m_bWind = 1;
    AddCase(2);
    st.m_pLoadWindBeamList[2]->AddTail(new CLoadBeam(3, 1, 1, -0.01));
    project.AddMember(1, project.AddNode(1, 0, 0, 0), project.AddNode(2, 0, 0, 300), 1);
    const auto lines = Chapter();
    const int table = FindLine(lines, "表杆件-X向风载信息");
    ASSERT_GE(table, 0);
    EXPECT_EQ(TableRows(lines, "荷载编号", table), (std::vector<Row>{{"WB3-3", "3", "1", "均布", "-1.00", "0.00", "0.00", "0.00"}}));
    ASSERT_GE(FindLine(lines, "杆件编号"), 0) << "written at once, before the members are walked";
    EXPECT_TRUE(TableRows(lines, "杆件编号").empty());
    EXPECT_FALSE(Mentions(lines, "节点荷载信息"));
}

TEST_F(LoadChapterTest, PlanePortalWindLinesNameThePressureTerrainAndCode)
{
    dlg.m_bWind = 1;
    AddCase(2);
    project.data.CurrentStructureType() = 3;
    st.m_Portal.SetBaseWindLoad(0.000055f); // 0.55 kN/m2
    st.m_Portal.SetTough(2);
    struct Case
    {
        int code;
        const char* text;
    };
    for (const Case& c : {Case{1, "风载体形系数，按照《门式刚架轻型房屋钢结构技术规程》（CECS102:2002）取值。"},
                          Case{0, "风载体形系数，按照《建筑结构荷载规范》（GB50009-2001）取值。"}}) {
        st.m_nWindCode = c.code;
        const auto lines = Chapter();
        const int at = FindLine(lines, "基本风压：0.55");
        ASSERT_GE(at, 0) << c.code;
        EXPECT_NE(lines[(size_t)at].find("，C类地貌。"), std::string::npos);
        EXPECT_TRUE(HasLine(lines, c.text)) << c.code;
        EXPECT_FALSE(Mentions(lines, "地面标高:"));
    }
}

TEST_F(LoadChapterTest, CraneCasesCaptionTheirKindAndListTheirLoads)
{
    dlg.m_bCrane = 1;
    AddCase(21);
    auto* generated = new CLoadCraneList(1, 1);
    auto* wheel = new CLoadNode(1, 0, 0, -120);
    generated->AddTail(wheel);
    auto* generatedMembers = new CLoadCraneBeamList(1);
    auto* braking = new CLoadBeam(2, 1, 2, 12, 0, 300);
    generatedMembers->AddTail(braking);
    auto* own = new CLoadCraneList(2, 0); // a user's case without a member-load list
    auto* lift = new CLoadNode(3, 0, 0, -40);
    own->AddTail(lift);
    st.m_arrCraneNodeLoad.Add(generated);
    st.m_arrCraneNodeLoad.Add(own);
    st.m_arrCraneBeamLoad.Add(generatedMembers);

    CPNode* node = project.AddNode(5, 0, 0, 600);
    for (auto [load, number] : {std::pair{wheel, 1}, std::pair{lift, 2}}) {
        auto* list = new CLoadCraneList(number);
        list->AddTail(load);
        node->m_arrCraneLoad.Add(list);
    }
    CBeam* beam = project.AddMember(9, node, project.AddNode(6, 600, 0, 600), 2);
    auto* beamList = new CLoadCraneBeamList(1);
    beamList->AddTail(braking);
    beam->m_arrCraneBeamLoad.Add(beamList);

    const auto lines = Chapter();
    const int first = FindLine(lines, "表吊车工况1荷载信息表 类型:导算");
    const int second = FindLine(lines, "表吊车工况2荷载信息表 类型:自定义");
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    CString wheelText, brakingText, liftText;
    wheel->GetDescription(&wheelText);
    braking->GetDescription(&brakingText);
    lift->GetDescription(&liftText);
    const auto firstRows = TableRows(lines, "荷载编号", first);
    ASSERT_EQ(firstRows.size(), 2u);
    EXPECT_EQ(firstRows[0][0], "CN1-1");
    EXPECT_EQ(firstRows[0][1], "节点荷载");
    EXPECT_NE(lines[(size_t)FindLine(lines, "CN1-1", first)].find(wheelText.str()), std::string::npos);
    EXPECT_EQ(firstRows[1][0], "CB1-2");
    EXPECT_EQ(firstRows[1][1], "杆件荷载");
    EXPECT_NE(lines[(size_t)FindLine(lines, "CB1-2", first)].find(brakingText.str()), std::string::npos);
    const auto secondRows = TableRows(lines, "荷载编号", second);
    ASSERT_EQ(secondRows.size(), 1u) << "node rows only";
    EXPECT_EQ(secondRows[0][0], "CN2-3");
    EXPECT_EQ(TableRows(lines, "节点编号"), (std::vector<Row>{{"5", "CN1-1", "5", "CN2-3"}}));
    EXPECT_EQ(TableRows(lines, "杆件编号"), (std::vector<Row>{{"9", "CB1-2"}}));
    EXPECT_FALSE(Mentions(lines, "工程用吊车表")) << "no cranes, no crane table";
}

TEST_F(LoadChapterTest, TemperatureCasesWithTheirMembersAndAxialForces)
{
    dlg.m_bT = 1;
    AddCase(11);
    auto* sec = project.AddSection(1, 0, "Q235");
    sec->m_dA1 = 100.0; // cm2, steel E 20600 kN/cm2 by default
    CPNode* a = project.AddNode(1, 0, 0, 0);
    CPNode* b = project.AddNode(2, 600, 0, 0);
    const float change[4] = {25.0f, 0.0005f, -10.0f, 0.0f};
    for (int k = 0; k < 4; ++k)
        st.m_pTemperature[k]->m_fT = change[k];
    // Members 11 and 12 carry case 1, member 12 also case 2 (too small a change to count);
    // case 3 has no member.
    project.AddMember(11, a, b, 2, sec)->m_nTempFlag[0] = 1;
    CBeam* twice = project.AddMember(12, b, a, 2);
    twice->m_nTempFlag[0] = twice->m_nTempFlag[1] = 1;
    project.AddMember(13, a, b, 2, sec);

    const auto lines = Chapter();
    const int table = FindLine(lines, "表温度1荷载信息表(温度变化25.00度)");
    ASSERT_GE(table, 0);
    // -1.2e-5 x 20600 x 100 x 25 = -618 kN; no section, no force.
    EXPECT_EQ(TableRows(lines, "荷载编号", table), (std::vector<Row>{{"TB1-1", "11", "-618.000"}, {"TB1-2", "12", "0.000"}}));
    EXPECT_FALSE(Mentions(lines, "温度2荷载信息表"));
    EXPECT_FALSE(Mentions(lines, "温度3荷载信息表"));
    EXPECT_FALSE(Mentions(lines, "温度4荷载信息表"));
}

TEST_F(LoadChapterTest, GetLoadTemperatureListsTheCarriersOfOneCaseOnly)
{
    CPNode* a = project.AddNode(1, 0, 0, 0);
    CBeam* first = project.AddMember(1, a, a, 2);
    CBeam* second = project.AddMember(2, a, a, 2);
    project.AddMember(3, a, a, 2)->m_nTempFlag[0] = 1;
    first->m_nTempFlag[1] = 1;
    second->m_nTempFlag[1] = 1;
    CBeamList list;
    dlg.GetLoadTemperature(2, &list);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetHeadT(), first);
    EXPECT_EQ(list.Get(2), second);
    for (int type : {0, 5, -1}) {
        list.AddTail(first);
        dlg.GetLoadTemperature(type, &list);
        EXPECT_TRUE(list.IsEmpty()) << type;
    }
}

TEST_F(LoadChapterTest, VerticalSeismicTableKeepsItsHeadsWhenNoNodeQualifies)
{
    dlg.m_bSeismV = 1;
    AddCase(6);
    struct Case
    {
        int no;
        float mass, coef;
    };
    for (const Case& c : {Case{1, 2.5f, 0.08f}, Case{2, 0.001f, 0.08f}, Case{3, 2.5f, 0.001f}, Case{4, 0.0f, 0.0f}}) {
        CPNode* n = project.AddNode(c.no, 0, 0, 0);
        n->m_fVSeismMass = c.mass;
        n->m_fVSeismCoef = c.coef;
    }
    auto lines = Chapter();
    EXPECT_EQ(TableRows(lines, "节点编号"), (std::vector<Row>{{"1", "2.500", "0.080"}}));
    st.m_pNodeList->GetHeadT()->m_fVSeismCoef = 0.0f;
    lines = Chapter();
    EXPECT_TRUE(Mentions(lines, "节点竖向地震作用信息"));
    ASSERT_GE(FindLine(lines, "节点编号"), 0);
    EXPECT_TRUE(TableRows(lines, "节点编号").empty());
}

TEST_F(LoadChapterTest, EachChapterNeedsItsBoxAndACaseOfItsKind)
{
    struct Case
    {
        int CDlgOutputModel::*box;
        int caseType;
        const char* heading;
    };
    const Case cases[] = {
        {&CDlgOutputModel::m_bDead, 0, "恒荷载"},      {&CDlgOutputModel::m_bLive, 1, "活荷载"},
        {&CDlgOutputModel::m_bWind, 5, "风荷载"},      {&CDlgOutputModel::m_bCrane, 22, "吊车荷载"},
        {&CDlgOutputModel::m_bT, 14, "温度作用"},      {&CDlgOutputModel::m_bSeism, 7, "水平地震作用"},
        {&CDlgOutputModel::m_bSeismV, 6, "竖向地震作用"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        CDlgOutputModel one;
        one.m_pData = &project.data;
        one.m_bTotal = 0;
        one.*c.box = 1;
        project.data.GetCurBasicLCList()->DeleteAll();
        auto write = [&] { return ChapterLines([&](COutput& out) { one.OutputUnite(out, nullptr, 1); }); };
        EXPECT_FALSE(HasLine(write(), c.heading)) << "no case of the kind";
        AddCase(c.caseType);
        EXPECT_TRUE(HasLine(write(), c.heading));
        one.*c.box = 0;
        EXPECT_FALSE(HasLine(write(), c.heading)) << "box cleared";
    }
}

TEST_F(LoadChapterTest, HorizontalSeismicChapterWritesTheSeismicBlock)
{
    dlg.m_bSeism = 1;
    AddCase(7);
    const auto lines = Chapter();
    const int heading = FindLine(lines, "水平地震作用");
    ASSERT_GE(heading, 0);
    EXPECT_GT(FindLine(lines, "地震设防烈度：按7度考虑", heading), heading);
    EXPECT_TRUE(HasLine(lines, "考虑水平地震工况个数：1"));
}

TEST_F(LoadChapterTest, SampleModelLoadChaptersReadBackFromRtf)
{
    BuildSampleModel(project.data);
    AddSampleLoads(project.data);
    for (int CDlgOutputModel::*box : {&CDlgOutputModel::m_bDead, &CDlgOutputModel::m_bLive, &CDlgOutputModel::m_bWind,
                                      &CDlgOutputModel::m_bCrane, &CDlgOutputModel::m_bT, &CDlgOutputModel::m_bSeism,
                                      &CDlgOutputModel::m_bSeismV})
        dlg.*box = 1;
    outtest::TempDir dir;
    const std::string path = dir.File("loads.rtf");
    const outtest::RtfReading rtf = outtest::WriteAndReadRtf(path, [&](COutput& out) {
        dlg.OutputUnite(out, nullptr, 0);
    });
    ASSERT_TRUE(rtf.ok);
    auto hasLine = [&](const std::string& t) { return outtest::HasLine(rtf, t); };
    for (const char* heading : {"恒荷载", "活荷载", "风荷载", "吊车荷载", "温度作用", "水平地震作用", "竖向地震作用",
                                "节点恒载信息", "节点-Y向风载信息", "杆件-Y向风载信息", "吊车工况1荷载信息表 类型:导算",
                                "温度1荷载信息表(温度变化25.00度)", "节点竖向地震作用信息"})
        EXPECT_TRUE(hasLine(heading)) << heading;
    bool deadRow = false, vseismRow = false;
    for (const auto& r : rtf.rows) {
        // The sample's top-node dead load of -20 kN and its vertical seismic data.
        deadRow = deadRow || (r.size() == 7 && r[0] == "DN1" && r[3] == "-20.00");
        vseismRow = vseismRow || (r.size() == 3 && r[1] == "2.500" && r[2] == "0.080");
    }
    EXPECT_TRUE(deadRow);
    EXPECT_TRUE(vseismRow);
}

} // namespace
