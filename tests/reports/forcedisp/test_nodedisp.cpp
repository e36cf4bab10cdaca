// The node displacement report: its sections written into a text document and read back
// row by row, with displacements worked by hand; the dialog under a scripted user.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputNodeDisp.h>
#include <vyr/resources/dialogs/ForceDispRes.h>
#include <vyr/scripteduser.h>
#include "ReportLines.h"
#include "support/DialogTest.h"

using namespace forcedisp;
using vyr::ScriptedUser;

namespace {

// Standard combinations 1.0D (1), 1.0L (2), 1.0D+1.0L (3) over the case displacements
// (cm, rad) of three nodes in the list order 3, 1, 5:
//   node 3: dead (1.234, 0, 0, 0.0012, 0, 0), live (-0.5, ...)
//           +x 1.234 under 1, -x 0.5 under 2;
//   node 1: dead (1.234, 0, 0.2, ...): +x 1.234 under 1 as well, +z 0.2 under 1;
//   node 5: dead (0.3, ...), live (-1.5, ...): +x 0.3 under 1, -x 1.5 under 2 (1.2 under 3).
class NodeDispTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        AddDeadAndLiveCases(data);
        AddCombination(data, data.GetSDispLCList(), 1.0f, 0.0f);
        AddCombination(data, data.GetSDispLCList(), 0.0f, 1.0f);
        AddCombination(data, data.GetSDispLCList(), 1.0f, 1.0f);
        CPNode* a = Add(3);
        a->m_mapCaseDisp[0] = {1.234f, 0, 0, 0.0012f, 0, 0};
        a->m_mapCaseDisp[1] = {-0.5f, 0, 0, 0, 0, 0};
        Add(1)->m_mapCaseDisp[0] = {1.234f, 0, 0.2f, 0, 0, 0};
        CPNode* c = Add(5);
        c->m_mapCaseDisp[0] = {0.3f, 0, 0, 0, 0, 0};
        c->m_mapCaseDisp[1] = {-1.5f, 0, 0, 0, 0, 0};
        dlg.m_pData = &data;
        dlg.m_pNodeList = &nodes;
    }
    void TearDown() override
    {
        nodes.RemoveAll();
        DialogTest::TearDown();
    }
    CPNode* Add(int no)
    {
        owned.push_back(std::make_unique<CPNode>(no, CPoint3D(100.0 * no, 0, 0)));
        nodes.AddTail(owned.back().get());
        return owned.back().get();
    }

    CGlobalData data;
    std::vector<std::unique_ptr<CPNode>> owned;
    CPNodeList nodes;
    CDlgOutputNodeDisp dlg{nullptr};
};

const Row kTable1Heads{"编号", "Xmax", "-Xmax", "Ymax", "-Ymax", "Zmax", "-Zmax"};
const Row kTable2Heads{"类型", "最大值", "对应结点", "对应工况"};

TEST_F(NodeDispTest, ByDefaultTheEnvelopeSectionWithItsTwoTables)
{
    const auto lines = Chapter(dlg);
    const auto rows = Rows(lines);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], Row{"结点位移结果"});
    EXPECT_EQ(rows[1], Row{"本文为结点位移结果。"}) << "no report head";
    EXPECT_EQ(Count(lines, "\t本文中未经注明处使用的单位为mm。"), 1u);
    EXPECT_EQ(Captions(lines), (std::vector<std::string>{"表1 当前各结点标准组合最大位移统计表",
                                                         "表2. 当前所有结点标准组合最大位移统计表"}));
    EXPECT_EQ(Count(lines, "结点标准组合位移包络"), 1u);
    EXPECT_EQ(Count(lines, "结点基本工况位移"), 0u);
    EXPECT_EQ(Count(lines, "结点标准组合位移"), 0u);

    // Translations in mm with the number of the combination that gives them; a direction
    // no combination moves along is 0 under the first combination.
    EXPECT_EQ(Section(rows, "表1", {"表2."}),
              (std::vector<Row>{{"表1", "当前各结点标准组合最大位移统计表"},
                                kTable1Heads,
                                {"3", "12.34(1)", "5.00(2)", "0.00(1)", "0.00(1)", "0.00(1)", "0.00(1)"},
                                {"1", "12.34(1)", "0.00(1)", "0.00(1)", "0.00(1)", "2.00(1)", "0.00(1)"},
                                {"5", "3.00(1)", "15.00(2)", "0.00(1)", "0.00(1)", "0.00(1)", "0.00(1)"}}));
    // Nodes 3 and 1 reach the same +x: the earlier node 3. The largest move along -x is
    // node 5's, under its own -x combination 2 (its +x one is 1); node 1, which does not
    // move along -x at all, holds the least.
    EXPECT_EQ(Section(rows, "表2.", {}), (std::vector<Row>{{"表2.", "当前所有结点标准组合最大位移统计表"},
                                                           kTable2Heads,
                                                           {"X轴正向最大", "12.34", "3", "1"},
                                                           {"X轴负向最大", "15.00", "5", "2"},
                                                           {"Y轴正向最大", "0.00", "3", "1"},
                                                           {"Y轴负向最大", "0.00", "3", "1"},
                                                           {"Z轴正向最大", "2.00", "1", "1"},
                                                           {"Z轴负向最大", "0.00", "3", "1"}}));
}

TEST_F(NodeDispTest, CaseAndCombinationSectionsEachNumberTheirTableOne)
{
    dlg.m_bCase = 1;
    dlg.m_bStd = 1;
    dlg.m_bEnvelope = 0;
    const auto lines = Chapter(dlg);
    EXPECT_EQ(Captions(lines), (std::vector<std::string>{"表1. 基本工况位移", "表1. 标准组合位移"}));
    const auto rows = Rows(lines);
    // 1.234 cm prints as 12.34 mm; a rotation of 0.0012 as 0.00.
    EXPECT_EQ(Section(rows, "结点3", {"结点1"}),
              (std::vector<Row>{{"结点3"},
                                {"工况", "Dx", "Dy", "Dz", "θx", "θy", "θz"},
                                {"恒载", "12.34", "0.00", "0.00", "0.00", "0.00", "0.00"},
                                {"活载", "-5.00", "0.00", "0.00", "0.00", "0.00", "0.00"}}));
    const auto combinations = Section(rows, "结点标准组合位移", {});
    EXPECT_EQ(Section(combinations, "结点5", {"结点"}),
              (std::vector<Row>{{"结点5"},
                                {"编号", "工况", "Dx", "Dy", "Dz", "θx", "θy", "θz"},
                                {"1", "LC1:1.00D", "3.00", "0.00", "0.00", "0.00", "0.00", "0.00"},
                                {"2", "LC2:1.00L", "-15.00", "0.00", "0.00", "0.00", "0.00", "0.00"},
                                {"3", "LC3:1.00D+1.00L", "-12.00", "0.00", "0.00", "0.00", "0.00", "0.00"}}));
    EXPECT_EQ(Count(lines, "结点标准组合位移包络"), 0u);
}

TEST_F(NodeDispTest, EmptyNodeListGivesHeadsOnlyAndNoListNothing)
{
    CPNodeList none;
    dlg.m_pNodeList = &none;
    dlg.m_bCase = 1;
    const auto rows = Rows(Chapter(dlg));
    EXPECT_EQ(Section(rows, "结点基本工况位移", {}),
              (std::vector<Row>{{"结点基本工况位移"},
                                {"表1.", "基本工况位移"},
                                {"结点标准组合位移包络"},
                                {"表1", "当前各结点标准组合最大位移统计表"},
                                kTable1Heads,
                                {"表2.", "当前所有结点标准组合最大位移统计表"},
                                kTable2Heads}));
    dlg.m_pNodeList = nullptr;
    EXPECT_TRUE(Rows(Chapter(dlg)).empty());
}

TEST_F(NodeDispTest, BoxesRewriteTheShownReportAndTheRtfReadsBack)
{
    outtest::TempDir dir;
    const std::string rtf = dir.File("位移.rtf");
    std::vector<std::string> opened, withCases;
    ScriptedUser::Run(
        [&](CDialog* d) {
            opened = ShownLines(d);
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_RESULT_STDENV), BST_CHECKED);
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_RESULT_CASE), BST_UNCHECKED);
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_RESULT_STD), BST_UNCHECKED);
        },
        IDD_NODEDISP);
    ScriptedUser::Check(IDC_RESULT_CASE, BST_CHECKED);
    ScriptedUser::Run([&](CDialog* d) { withCases = ShownLines(d); });
    ScriptedUser::Click(IDC_REPORT_RTF);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::Click(IDOK);
    ASSERT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(Count(opened, "结点标准组合位移包络"), 1u);
    EXPECT_EQ(Count(withCases, "结点位移结果"), 1u) << "a box click rewrites from the top";
    EXPECT_EQ(Count(withCases, "结点基本工况位移"), 1u);
    const outtest::RtfReading r = outtest::ReadRtf(rtf);
    ASSERT_TRUE(r.ok) << "unrtf could not read the file";
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "结点基本工况位移"), r.lines.end());
    EXPECT_NE(std::find(r.rows.begin(), r.rows.end(), Row{"X轴负向最大", "15.00", "5", "2"}), r.rows.end());
}

} // namespace
