// The structure mass report: the overview lines, the storey mass-centre table of the master
// nodes, the free-node and node tables with their totals, the g guard, the dialog's boxes
// and the chapter written as a section after the boxes were set in the dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <vyr/reports/DlgOutputEqualLoad.h>
#include <vyr/scripteduser.h>
#include "reports/summary/ReportProject.h"
#include "support/DialogTest.h"

using reporttest::ChapterLines;
using reporttest::FindLine;
using reporttest::HasLine;
using reporttest::Mentions;
using reporttest::TableRows;
using Row = std::vector<std::string>;

namespace {

class MassReportTest : public vyrtest::DialogTest
{
protected:
    reporttest::CReportProject project;
    CStruct& st = project.st;
    CDlgOutputEqualLoad dlg;

    MassReportTest()
    {
        dlg.m_pData = &project.data;
        st.m_pLoadSeismList->m_fG = 10.0f; // weights of 10 make a tonne
        st.m_fLiveFactor = 0.5f;
    }

    std::vector<std::string> Chapter(int flag = 1)
    {
        return ChapterLines([&](COutput& out) { dlg.OutputUnite(out, flag); });
    }

    // A node of the floor (and of the structure) with its weights.
    CPNode* AddNode(CFloor* floor, int no, double x, double dead, double live, float add, float mass)
    {
        CPNode* n = project.AddNode(no, x, 0, floor ? floor->m_dZ : 0);
        n->m_dDeadFz = dead;
        n->m_dLiveFz = live;
        n->m_fAddMass = add;
        n->m_fMass = mass;
        if (floor)
            floor->m_pNodeList->AddTail(n);
        return n;
    }
    CMainNode* AddMaster(CFloor* floor, int no, double x, double y, float trans, float rot)
    {
        auto* m = new CMainNode(no, CPoint3D(x, y, floor->m_dZ));
        m->m_fTransMass = trans;
        m->m_fRotMass = rot;
        st.m_pMainNodeList->AddTail(m);
        floor->m_pMainNodeList->AddTail(m);
        return m;
    }
    CFloor* AddFloor(int no, double z, const char* description)
    {
        CFloor* f = project.AddFloor(no, 1, z);
        f->m_strDescription = description;
        return f;
    }
};

TEST_F(MassReportTest, OverviewLinesThenNothingWithBothBoxesCleared)
{
    dlg.m_bFreedom = 0;
    dlg.m_bNode = 0;
    AddNode(nullptr, 1, 0, -30, -10, 5, 40);
    const auto lines = Chapter(0);
    EXPECT_TRUE(HasLine(lines, "样例结构质量信息"));
    EXPECT_TRUE(Mentions(lines, "计算软件")) << "stand-alone: the report head";
    EXPECT_TRUE(HasLine(lines, "工程概况"));
    EXPECT_TRUE(HasLine(lines, "本文为样例结构质量信息。"));
    EXPECT_TRUE(HasLine(lines, "结构质量计算方法：恒载质量+0.500×活载质量"));
    const int unit = FindLine(lines, "本文中未经注明处，平动质量使用的单位为吨；扭转质量使用的单位为吨×米×米。");
    ASSERT_GE(unit, 0);
    for (size_t i = (size_t)unit + 1; i < lines.size(); ++i)
        EXPECT_EQ(outtest::Trim(lines[i]), "") << "line " << i << " after the unit line";
}

TEST_F(MassReportTest, StoreyTableSumsTheTiedNodesOfTheFloorFromTheSecondFloorUp)
{
    CFloor* base = AddFloor(0, 0, "基础");
    CFloor* first = AddFloor(1, 360, "第1层");
    CFloor* second = AddFloor(2, 720, "第2层");
    AddMaster(base, 900, 0, 0, 99000, 0); // the lowest floor is never listed
    CMainNode* m1 = AddMaster(first, 901, 300, 250, 12000, 3.5e7f);
    AddMaster(first, 902, 900, 250, 0.0009f, 1e7f); // not above 0.001: no row
    CMainNode* m2 = AddMaster(second, 903, 300, 250, 4000, 1e6f);
    // Floor 1: two nodes tied to its master, one free; a node of floor 2 tied to floor 1's
    // master is not summed there.
    AddNode(first, 1, 0, -30, -10, 5, 40)->m_pMainNode = m1;
    AddNode(first, 2, 600, -20, 0, 5, 25)->m_pMainNode = m1;
    AddNode(first, 3, 1200, -10, -10, 0, 15);
    AddNode(second, 4, 0, -40, -20, 0, 50)->m_pMainNode = m1;
    AddNode(second, 5, 600, -15, -5, 2, 19.5f)->m_pMainNode = m2;

    const auto lines = Chapter();
    const int caption = FindLine(lines, "表楼层质心质量表");
    ASSERT_GE(caption, 0);
    // By hand with g = 10: floor 1 dead (30 + 20) / 10, live 10 / 10, additional 10 / 10,
    // master 12000 x 0.001 t and 3.5e7 x 1e-7 t.m2; floor 2 node 5 alone.
    EXPECT_EQ(TableRows(lines, "楼层", caption),
              (std::vector<Row>{{"第1层", "(3.00/2.50/3.60)", "5.000", "1.000", "1.000", "12.000", "3.500"},
                                {"第2层", "(3.00/2.50/7.20)", "1.500", "0.500", "0.200", "4.000", "0.100"},
                                {"总计", "-----------------", "6.500", "1.500", "1.200", "16.000", "3.600"}}));
    EXPECT_FALSE(Mentions(lines, "99.000"));

    // The free-node table: node 3 only, its four masses and a total of four sums.
    EXPECT_EQ(TableRows(lines, "结点号", FindLine(lines, "表自由结点质量表")),
              (std::vector<Row>{{"3", "(12.00/0.00/3.60)", "1.000", "1.000", "0.000", "1.500"},
                                {"总计", "-----------------", "1.000", "1.000", "0.000", "1.500"}}));
    EXPECT_FALSE(Mentions(lines, "按结点输出"));
}

TEST_F(MassReportTest, MassesOnlyOnTheLowestFloorGiveNoStoreyTable)
{
    CFloor* base = AddFloor(0, 0, "基础");
    AddFloor(1, 360, "第1层");
    AddMaster(base, 900, 0, 0, 5000, 1e7f);
    const auto lines = Chapter();
    EXPECT_TRUE(HasLine(lines, "按自由度输出"));
    EXPECT_FALSE(Mentions(lines, "楼层质心质量表"));
    EXPECT_FALSE(Mentions(lines, "自由结点质量表")) << "no node carries mass";
}

TEST_F(MassReportTest, NodesAreListedByTheMagnitudeOfTheirTranslationalMass)
{
    dlg.m_bNode = 1;
    CFloor* base = AddFloor(0, 0, "基础");
    CFloor* first = AddFloor(1, 360, "第1层");
    CMainNode* master = AddMaster(first, 901, 0, 0, 0, 0);
    (void)base;
    AddNode(nullptr, 1, 0, 0.02, 0, 0, -0.02f);  // -0.002 t: a net upward load, listed
    AddNode(nullptr, 2, 0, 0, 0, 0, 0.005f);     // 0.0005 t: not listed
    AddNode(first, 3, 100, -10, 0, 0, 10)->m_pMainNode = master; // tied: by node only
    const auto lines = Chapter();

    const auto free = TableRows(lines, "结点号", FindLine(lines, "表自由结点质量表"));
    EXPECT_EQ(free, (std::vector<Row>{{"1", "(0.00/0.00/0.00)", "-0.002", "0.000", "0.000", "-0.002"},
                                      {"总计", "-----------------", "-0.002", "0.000", "0.000", "-0.002"}}));
    const int byNode = FindLine(lines, "按结点输出");
    ASSERT_GT(byNode, FindLine(lines, "按自由度输出"));
    const auto all = TableRows(lines, "结点号", FindLine(lines, "表结点质量表", byNode));
    EXPECT_EQ(all, (std::vector<Row>{{"1", "(0.00/0.00/0.00)", "-0.002", "0.000", "0.000", "-0.002"},
                                     {"3", "(1.00/0.00/3.60)", "1.000", "0.000", "0.000", "1.000"},
                                     {"总计", "-----------------", "0.998", "0.000", "0.000", "0.998"}}));
}

TEST_F(MassReportTest, AZeroGravityPrintsFiniteMasses)
{
    dlg.m_bNode = 1;
    st.m_pLoadSeismList->m_fG = 0.0f;
    // Raised to 1e-7: a weight of 1e-6 makes 10 t.
    AddNode(nullptr, 1, 0, -1e-6, 0, 0, 1e-6f);
    const auto lines = Chapter();
    for (const std::string& l : lines) {
        EXPECT_EQ(l.find("inf"), std::string::npos) << l;
        EXPECT_EQ(l.find("nan"), std::string::npos) << l;
    }
    const auto rows = TableRows(lines, "结点号", FindLine(lines, "表结点质量表"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NEAR(std::stod(rows[0][2]), 10.0, 0.01);
    EXPECT_NEAR(std::stod(rows[0][5]), 10.0, 0.01);
}

TEST_F(MassReportTest, BoxesAreTheDialogsAndASectionFollowsWhatWasSetThere)
{
    AddNode(nullptr, 1, 0, -30, -10, 5, 40);
    std::string atStart, afterNodeBox;
    vyr::ScriptedUser::Run(
        [&](CDialog* d) {
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_EQUALLOAD_FREEDOM), BST_CHECKED);
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_EQUALLOAD_NODE), BST_UNCHECKED);
            atStart = vyrtest::DlgText(*d, IDC_REPORT_EDIT);
        },
        IDD_OUTPUT_EQUALLOAD);
    vyr::ScriptedUser::Check(IDC_EQUALLOAD_FREEDOM, BST_UNCHECKED, IDD_OUTPUT_EQUALLOAD);
    vyr::ScriptedUser::Check(IDC_EQUALLOAD_NODE, BST_CHECKED, IDD_OUTPUT_EQUALLOAD);
    vyr::ScriptedUser::Run([&](CDialog* d) { afterNodeBox = vyrtest::DlgText(*d, IDC_REPORT_EDIT); },
                           IDD_OUTPUT_EQUALLOAD);
    vyr::ScriptedUser::Click(IDOK, IDD_OUTPUT_EQUALLOAD);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NE(atStart.find("自由结点质量表"), std::string::npos);
    EXPECT_EQ(atStart.find("按结点输出"), std::string::npos);
    EXPECT_EQ(afterNodeBox.rfind("样例结构质量信息", 0), 0u) << "written afresh from the title";
    EXPECT_EQ(afterNodeBox.find("按自由度输出"), std::string::npos);
    EXPECT_NE(afterNodeBox.find("结点质量表"), std::string::npos);

    // The whole report writes the same object as its section, with the boxes as left.
    const auto lines = Chapter(1);
    EXPECT_FALSE(Mentions(lines, "计算软件")) << "a section writes no head";
    const int unit = FindLine(lines, "本文中未经注明处");
    const int byNode = FindLine(lines, "按结点输出");
    ASSERT_GT(byNode, unit);
    EXPECT_FALSE(Mentions(lines, "按自由度输出"));
    EXPECT_FALSE(Mentions(lines, "自由结点质量表"));
    EXPECT_EQ(FindLine(lines, "表结点质量表"), FindLine(lines, "表", unit + 1));
    EXPECT_EQ(TableRows(lines, "结点号", byNode).size(), 2u);
}

TEST_F(MassReportTest, SampleModelMassesReadBackFromRtf)
{
    BuildSampleModel(project.data);
    AddSampleLoads(project.data);
    dlg.m_bNode = 1;
    outtest::TempDir dir;
    const std::string path = dir.File("mass.rtf");
    const outtest::RtfReading rtf = outtest::WriteAndReadRtf(path, [&](COutput& out) {
        dlg.OutputUnite(out, 0);
    });
    ASSERT_TRUE(rtf.ok);
    auto hasLine = [&](const std::string& t) { return outtest::HasLine(rtf, t); };
    EXPECT_TRUE(hasLine("示例工程结构质量信息"));
    EXPECT_TRUE(hasLine("楼层质心质量表"));
    EXPECT_TRUE(hasLine("结点质量表"));
    EXPECT_FALSE(hasLine("自由结点质量表")) << "every storey node is tied to its master node";
    // Every sample storey node weighs 0.1 g dead and 0.05 g live, so a storey row's dead
    // mass is a tenth of its node count and its live mass half that.
    int storeyRows = 0;
    for (const auto& r : rtf.rows)
        if (r.size() == 7 && r[0].rfind("第", 0) == 0) {
            ++storeyRows;
            EXPECT_NEAR(std::stod(r[3]) * 2.0, std::stod(r[2]), 0.0015) << r[0];
        }
    EXPECT_EQ(storeyRows, 3);
}

} // namespace
