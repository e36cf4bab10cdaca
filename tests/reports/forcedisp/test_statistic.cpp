// The quantity and cost statistics and the unit-price dialog: the member groups and the
// price table the statistics rebuilds, its report written into a text document and read
// back, and both dialogs under a scripted user (the price grid edited cell by cell).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgStatistic.h>
#include <vyr/reports/DlgUnitPrice.h>
#include <vyr/resources/dialogs/ForceDispRes.h>
#include <vyr/scripteduser.h>
#include "ReportLines.h"
#include "support/DialogTest.h"

using namespace forcedisp;
using vyr::ScriptedUser;

namespace {

// A frame of welded H400x200x12x8 (steel area 2 x 20 x 1.2 + 37.6 x 0.8 = 78.08 cm2, so
// 78.08 x 7.85e-3 = 0.612928 kg/cm) in the structure's lists: beams 1 (0 to 600) and 2 (600
// to 1200) of type 2, column 3 (360 high), beam 4 without section, and in a room of the
// storey a secondary beam 5 (0 to 1200); a wall of 3 m3.
class StatisticTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        h.m_strKind = "H400x200";
        h.m_strMat = "Q235";
        st = data.Struct();
        CPNode* a = Node(1, 0, 0);
        CPNode* b = Node(2, 600, 0);
        CPNode* c = Node(3, 1200, 0);
        CPNode* top = Node(4, 0, 360);
        beam1 = Member(1, a, b, 2, &h);
        beam2 = Member(2, b, c, 2, &h);
        column = Member(3, a, top, 1, &h);
        Member(4, a, b, 2, nullptr);
        auto* room = new CPlane;
        st->m_pPlaneList->AddTail(room);
        auto* floor = new CFloor;
        st->m_pFloorList->AddTail(floor);
        floor->m_pPlaneList->AddTail(room);
        sub = new CSubBeam(5, a, c);
        sub->m_pSection = &h;
        room->m_pSubBeamList->AddTail(sub);
        auto* wall = new CWall;
        wall->m_fH = 300;
        wall->m_fB = 500;
        wall->m_fT = 20;
        st->m_pWallList->AddTail(wall);
        dlg.m_pData = &data;
    }
    CPNode* Node(int no, double x, double z)
    {
        auto* n = new CPNode(no, CPoint3D(x, 0, z));
        st->m_pNodeList->AddTail(n);
        return n;
    }
    CBeam* Member(int no, CPNode* a, CPNode* b, int type, CSectionBase* sec)
    {
        auto* m = new CBeam(no, a, b, type);
        m->m_pSection = sec;
        st->m_pBeamList->AddTail(m);
        return m;
    }
    CBeamGroup* Group(const char* name, int no, BEAMTYPE type, CSectionBase* sec, std::vector<CBeamBase*> members)
    {
        auto* g = new CBeamGroup;
        g->m_strName = name;
        g->m_nType = type;
        g->m_pSection = sec;
        st->m_pBeamGroupList->AddTail(g);
        g->m_nNo = no;
        for (CBeamBase* m : members) {
            g->m_pBeamList->AddTail(m);
            m->SetGroupId(no);
        }
        return g;
    }
    std::vector<CBeamGroup*> Groups() const
    {
        std::vector<CBeamGroup*> out;
        ForEachIn(st->m_pBeamGroupList, [&](CBeamGroup* g) { out.push_back(g); });
        return out;
    }
    static std::vector<CBeamBase*> Members(const CBeamGroup* g)
    {
        std::vector<CBeamBase*> out;
        ForEachIn(g->m_pBeamList, [&](CBeamBase* b) { out.push_back(b); });
        return out;
    }
    CString Name(const char* type, const CString& material) const
    {
        return CString(type) + "-" + h.GetSimpleSecType() + "-" + material;
    }

    // Sections first: the model that refers to them goes before them.
    CSWeldedHtype h{111, 400, 200, 12, 8};
    CSWeldedHtype other{111, 300, 150, 10, 6};
    CGlobalData data;
    CStruct* st = nullptr;
    CBeam* beam1 = nullptr;
    CBeam* beam2 = nullptr;
    CBeam* column = nullptr;
    CSubBeam* sub = nullptr;
    CDlgStatistic dlg{nullptr};
};

TEST_F(StatisticTest, MembersAreFiledByTypeAndSectionAndDefaultGroupsAreNamed)
{
    // A default group holding beam 1 takes beam 2 and is renamed; a named group keeps its
    // name but loses beam 2, which is not of its type; an empty group goes.
    CBeamGroup* beams = Group("缺省生成", 1, BEAMTYPE_BEAM, &h, {beam1});
    Group("空组", 2, BEAMTYPE_BEAM, &other, {});
    CBeamGroup* columns = Group("我的柱", 3, BEAMTYPE_COLUMN, &h, {column, beam2});
    beam2->SetGroupId(3);
    dlg.RefreshBeamGroup();

    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0], beams);
    EXPECT_EQ(groups[1], columns);
    // Renumbered in list order; the members carry their group's number.
    EXPECT_EQ(beams->m_nNo, 1);
    EXPECT_EQ(columns->m_nNo, 2);
    EXPECT_EQ(groups[2]->m_nNo, 3);
    EXPECT_EQ(Members(beams), (std::vector<CBeamBase*>{beam1, beam2}));
    EXPECT_EQ(Members(columns), (std::vector<CBeamBase*>{column}));
    EXPECT_EQ(Members(groups[2]), (std::vector<CBeamBase*>{sub}));
    EXPECT_EQ(beam2->GetGroupId(), 1);
    EXPECT_EQ(column->GetGroupId(), 2);
    EXPECT_EQ(sub->GetGroupId(), 3);
    EXPECT_EQ(beams->m_strName, Name("主梁", "Q235"));
    EXPECT_EQ(columns->m_strName, CString("我的柱"));
    EXPECT_EQ(groups[2]->m_strName, Name("次梁", "Q235"));

    // One price entry per kind, at the default prices, each group linked to its own.
    const auto& prices = st->m_arrUnitPrice;
    ASSERT_EQ(prices.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(groups[i]->m_pOptDiscrete, &prices[i]);
        EXPECT_EQ(prices[i].GetType(), (int)groups[i]->m_nType);
        EXPECT_EQ(prices[i].GetSecType(), 111);
        EXPECT_EQ(prices[i].GetCost(), COptDiscreteSection::DefaultCost);
    }
    EXPECT_EQ(prices[0].GetDiscription().Find("主梁"), 0);
}

TEST_F(StatisticTest, OnlyTaperedGroupsStartTheirLinkUnderTheirNewNumber)
{
    // Groups 2 to 5 become 1 to 4 once the empty group 1 goes; their link starts at the
    // number each had when the rebuild began, and a tapered one (section type 901 to 999)
    // at its new number.
    CSectionBase sections[4];
    const int types[4] = {900, 901, 999, 1000};
    Group("空组", 1, BEAMTYPE_BEAM, &h, {});
    std::vector<CBeamGroup*> tapered;
    for (int i = 0; i < 4; ++i) {
        sections[i].SetType(types[i]);
        CBeamBase* m = i == 0 ? beam1 : i == 1 ? beam2 : i == 2 ? column : static_cast<CBeamBase*>(sub);
        m->m_pSection = &sections[i];
        m->SetType(2);
        tapered.push_back(Group("缺省生成", i + 2, BEAMTYPE_BEAM, &sections[i], {m}));
    }
    dlg.RefreshBeamGroup();
    ASSERT_EQ(Groups(), tapered);
    const int links[4] = {2, 2, 3, 5};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tapered[(size_t)i]->m_nNo, i + 1);
        EXPECT_EQ(tapered[(size_t)i]->GetLinkStartGroupId(), links[i]) << types[i];
    }
    for (CBeam* m : {beam1, beam2, column})
        m->m_pSection = nullptr; // the sections go first
    sub->m_pSection = nullptr;
}

TEST_F(StatisticTest, RebuildingKeepsTheEditedPricesOfKindsStillThere)
{
    dlg.RefreshBeamGroup();
    ASSERT_EQ(st->m_arrUnitPrice.size(), 3u);
    st->m_arrUnitPrice[0].SetCost(6000.0f);
    st->m_arrUnitPrice[2].SetConcreteCost(700.0f);
    // The secondary beam leaves: its kind's entry goes, the others keep their prices.
    sub->m_pSection = nullptr;
    dlg.RefreshBeamGroup();
    ASSERT_EQ(st->m_arrUnitPrice.size(), 2u);
    EXPECT_EQ(st->m_arrUnitPrice[0].GetCost(), 6000.0f);
    EXPECT_EQ(st->m_arrUnitPrice[1].GetCost(), COptDiscreteSection::DefaultCost);
    // It comes back: a new entry at the default prices.
    sub->m_pSection = &h;
    dlg.RefreshBeamGroup();
    ASSERT_EQ(st->m_arrUnitPrice.size(), 3u);
    EXPECT_EQ(st->m_arrUnitPrice[2].GetConcreteCost(), COptDiscreteSection::DefaultConcreteCost);
    EXPECT_EQ(Groups()[0]->GetUniCost(), 6000.0f);
}

// The report of the whole structure at the default prices (5000 per t):
//   beams: 12 m, 0.612928 x 1200 / 1000 = 0.7355 t, 3677.57;
//   column: 3.6 m, 0.2207 t, 1103.27;  secondary beams: as the beams;
//   total 1.6917 t, 8458.41; the wall: 3 m3 at 500, 1500.
TEST_F(StatisticTest, WholeStructureReportWithTotalsAndWallLines)
{
    dlg.m_bCost = 1;
    dlg.RefreshBeamGroup();
    const auto lines = Chapter(dlg);
    const auto rows = Rows(lines);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], Row{"结构整体统计"});
    EXPECT_EQ(Section(rows, "表材料用量", {"墙体"}),
              (std::vector<Row>{{"表材料用量"},
                                {"组号", "类型", "截面", "长度(米)", "型钢(吨)", "钢筋砼(立方米)"},
                                {"1", "主梁", "H400x200", "12.000", "0.736", "0.000"},
                                {"2", "柱", "H400x200", "3.600", "0.221", "0.000"},
                                {"3", "次梁", "H400x200", "12.000", "0.736", "0.000"},
                                {"总计", "1.692", "0.000"}}));
    EXPECT_EQ(Count(lines, "墙体钢筋砼用量：3.000立方米；"), 1u);

    const auto costs = Section(rows, "表材料造价", {"墙体"});
    ASSERT_EQ(costs.size(), 6u);
    EXPECT_EQ(costs[1], (Row{"组号", "类型", "截面", "型钢单价", "钢筋砼单价", "总价(元)"}));
    const double expected[3] = {3677.57, 1103.27, 3677.57};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(costs[(size_t)i + 2].size(), 6u);
        EXPECT_EQ(costs[(size_t)i + 2][3], "5000.000");
        EXPECT_EQ(costs[(size_t)i + 2][4], "500.000");
        EXPECT_NEAR(std::atof(costs[(size_t)i + 2][5].c_str()), expected[i], 0.01);
    }
    ASSERT_EQ(costs[5].size(), 2u);
    EXPECT_EQ(costs[5][0], "总计");
    EXPECT_NEAR(std::atof(costs[5][1].c_str()), 8458.41, 0.01);
    EXPECT_EQ(Count(lines, "墙体钢筋砼造价：3.000X500=1500元；"), 1u);
    EXPECT_EQ(Count(lines, "主结构总造价：8458+1500=9958元；"), 1u);
}

TEST_F(StatisticTest, ClearedBoxesGiveTheTitleAndAMemberListNoWallLines)
{
    dlg.m_bWeight = 0;
    dlg.RefreshBeamGroup();
    EXPECT_EQ(Rows(Chapter(dlg)), (std::vector<Row>{{"结构整体统计"}}));

    // The selected part of each group: beam 1 only; the other groups have no length.
    CBeamList chosen;
    chosen.AddTail(beam1);
    beam1->SetSelect(1);
    dlg.m_pBeamList = &chosen;
    dlg.m_bWeight = 1;
    dlg.m_bCost = 1;
    const auto lines = Chapter(dlg);
    const auto rows = Rows(lines);
    EXPECT_EQ(rows[0], Row{"选中构件统计"});
    EXPECT_EQ(FirstWords(Section(rows, "组号", {"总计"})), (std::vector<std::string>{"组号", "1"}));
    EXPECT_EQ(Section(rows, "1", {"总计"})[0], (Row{"1", "主梁", "H400x200", "6.000", "0.368", "0.000"}));
    for (const std::string& l : lines)
        EXPECT_EQ(l.find("墙体"), std::string::npos) << l;
    EXPECT_EQ(Count(lines, "主结构总造价：8458+1500=9958元；"), 0u);
    chosen.RemoveAll();
}

TEST_F(StatisticTest, OpeningWithAMemberListSetsEachGroupsSelectedLength)
{
    // Beams 1 and 2 (600 each) and the column (360) chosen, and a member filed under a
    // group number no group has: it adds to no length.
    CBeam* stray = new CBeam(9, nullptr, nullptr, 2);
    stray->SetGroupId(77);
    CBeamList chosen;
    for (CBeamBase* b : std::vector<CBeamBase*>{beam1, beam2, column, stray})
        chosen.AddTail(b);
    dlg.m_pBeamList = &chosen;
    ScriptedUser::Click(IDOK, IDD_STATISTIC);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const auto groups = Groups();
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_FLOAT_EQ(groups[0]->m_fSelLength, 1200.0f);
    EXPECT_FLOAT_EQ(groups[1]->m_fSelLength, 360.0f);
    EXPECT_FLOAT_EQ(groups[2]->m_fSelLength, 0.0f);
    chosen.RemoveAll();
    delete stray;
}

// A price cell, edited as a user types into it.
void EditPrice(int row, int col, const char* text)
{
    ScriptedUser::Run(
        [=](CDialog* d) {
            auto* grid = dynamic_cast<CGridCtrl*>(d->GetDlgItem(IDC_UNITPRICE_GRID));
            ASSERT_NE(grid, nullptr);
            ASSERT_TRUE(grid->EditCell(row, col));
            CWnd* editor = grid->GetDlgItem(IDC_INPLACE_CONTROL);
            ASSERT_NE(editor, nullptr);
            editor->SetWindowText(text);
            editor->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        },
        IDD_UNITPRICE);
}

TEST_F(StatisticTest, PriceGridRefusesAnythingButOneNumberAndKeepsSmallChangesOut)
{
    dlg.RefreshBeamGroup();
    CDlgUnitPrice prices(nullptr);
    prices.m_pData = &data;
    const char* refused[] = {"12abc", "nan", "inf", "abc", "", "1,2", "-5"};
    for (const char* text : refused) {
        EditPrice(1, 1, text);
        ScriptedUser::AnswerMessageBox(IDOK, "输入的数据不合法！");
        ScriptedUser::Run([text](CDialog* d) {
            auto* grid = dynamic_cast<CGridCtrl*>(d->GetDlgItem(IDC_UNITPRICE_GRID));
            EXPECT_EQ(grid->GetItemText(1, 1), CString(" 5000")) << text << ": the old text back";
            EXPECT_EQ(grid->GetFocusCell().row, 1);
            EXPECT_EQ(grid->GetFocusCell().col, 1);
        });
    }
    // Within 0.001 of the price: nothing changes.
    EditPrice(1, 2, "500.0005");
    ScriptedUser::Run([&](CDialog* d) {
        auto* grid = dynamic_cast<CGridCtrl*>(d->GetDlgItem(IDC_UNITPRICE_GRID));
        EXPECT_EQ(st->m_arrUnitPrice[0].GetConcreteCost(), 500.0f);
        // The heads and the first row as the grid shows them.
        EXPECT_EQ(grid->GetItemText(0, 0), CString("截面类型"));
        EXPECT_EQ(grid->GetItemText(0, 1), CString("型钢(元/吨)"));
        EXPECT_EQ(grid->GetItemText(0, 2), CString("钢筋砼(元/立方米)"));
        EXPECT_EQ(grid->GetRowCount(), 4);
        EXPECT_EQ(grid->GetItemText(1, 0), st->m_arrUnitPrice[0].GetDiscription());
        EXPECT_TRUE(grid->GetItemState(1, 0) & GVIS_READONLY);
    });
    // A new price goes into the model at once and the grid shows it.
    EditPrice(2, 1, " 6000.4 ");
    ScriptedUser::Run([&](CDialog* d) {
        auto* grid = dynamic_cast<CGridCtrl*>(d->GetDlgItem(IDC_UNITPRICE_GRID));
        EXPECT_FLOAT_EQ(st->m_arrUnitPrice[1].GetCost(), 6000.4f);
        EXPECT_EQ(grid->GetItemText(2, 1), CString(" 6000"));
    });
    ScriptedUser::PressCancel(IDD_UNITPRICE);
    EXPECT_EQ(prices.DoModal(), IDCANCEL);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), std::size(refused));
    EXPECT_FLOAT_EQ(st->m_arrUnitPrice[1].GetCost(), 6000.4f) << "Cancel keeps a grid edit";
    EXPECT_EQ(st->m_arrUnitPrice[0].GetCost(), 5000.0f);
}

TEST_F(StatisticTest, WallPriceIsWrittenByOkOnlyWithinItsRange)
{
    CDlgUnitPrice prices(nullptr);
    prices.m_pData = &data;
    st->m_fWallConcretePrice = 650.7f;
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(vyrtest::DlgText(*d, IDC_UNITPRICE_WALL), "650"); }, IDD_UNITPRICE);
    ScriptedUser::SetText(IDC_UNITPRICE_WALL, "10001");
    ScriptedUser::PressOK();
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::SetText(IDC_UNITPRICE_WALL, "800");
    ScriptedUser::PressCancel();
    EXPECT_EQ(prices.DoModal(), IDCANCEL);
    EXPECT_FLOAT_EQ(st->m_fWallConcretePrice, 650.7f);

    ScriptedUser::SetText(IDC_UNITPRICE_WALL, "10000", IDD_UNITPRICE);
    ScriptedUser::PressOK();
    EXPECT_EQ(prices.DoModal(), IDOK);
    EXPECT_FLOAT_EQ(st->m_fWallConcretePrice, 10000.0f);
}

TEST_F(StatisticTest, ThePriceButtonRewritesTheCostReportAfterOkOnlyAndPricesSurviveReopening)
{
    std::vector<std::string> opened, afterCancel, afterOk, reopened;
    auto shown = [](std::vector<std::string>& into) { ScriptedUser::Run([&into](CDialog* d) { into = ShownLines(d); }); };
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_STAT_WEIGHT), BST_CHECKED);
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_STAT_COST), BST_UNCHECKED);
        },
        IDD_STATISTIC);
    ScriptedUser::Check(IDC_STAT_COST, BST_CHECKED);
    shown(opened);
    ScriptedUser::Click(IDC_STAT_PRICE);
    EditPrice(1, 1, "6000");
    ScriptedUser::PressCancel(IDD_UNITPRICE);
    shown(afterCancel);
    ScriptedUser::Click(IDC_STAT_PRICE);
    ScriptedUser::PressOK(IDD_UNITPRICE);
    shown(afterOk);
    ScriptedUser::Click(IDOK, IDD_STATISTIC);
    ASSERT_EQ(dlg.DoModal(), IDOK);

    auto beamsCost = [](const std::vector<std::string>& lines) {
        const auto costs = Section(Rows(lines), "表材料造价", {});
        return costs.size() > 2 && costs[2].size() > 3 ? costs[2][3] : std::string("none");
    };
    EXPECT_EQ(beamsCost(opened), "5000.000");
    EXPECT_EQ(beamsCost(afterCancel), "5000.000") << "not rewritten after Cancel";
    EXPECT_EQ(beamsCost(afterOk), "6000.000");

    // Opening the statistics again rebuilds the table but keeps the price set.
    shown(reopened);
    ScriptedUser::Click(IDOK, IDD_STATISTIC);
    dlg.m_bCost = 1;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(beamsCost(reopened), "6000.000");
}

} // namespace
