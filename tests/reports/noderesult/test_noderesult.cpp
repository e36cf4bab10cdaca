// The support reaction report and the node check report: their chapters written into text
// documents and read back line by line, the dialogs under a scripted user (box handlers,
// the text shown, the saved RTF read with unrtf).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputNodeCheck.h>
#include <vyr/reports/DlgOutputNodeForce.h>
#include <vyr/resources/dialogs/NodeResultRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>
#include "model/output/output_test_util.h"
#include "support/DialogTest.h"
#include "support/TestHelpers.h"

using vyr::ScriptedUser;
using vyrtest::Words;
using Row = std::vector<std::string>;

namespace {

const std::string kHeadRule(68, '=');

// The chapter written into a text document, as lines.
template <class TDlg>
std::vector<std::string> Chapter(TDlg& dlg, int flag)
{
    outtest::TempDir dir;
    return outtest::WriteAndReadText(dir.File("chapter.txt"), [&](COutput& out) { dlg.OutputUnite(out, flag); });
}

// The word rows of the lines, blank lines and rules of "-" left out.
std::vector<Row> Rows(const std::vector<std::string>& lines)
{
    std::vector<Row> rows;
    for (const std::string& l : lines)
        if (Row w = Words(l); !w.empty() && !(w.size() == 1 && w[0].find_first_not_of('-') == std::string::npos))
            rows.push_back(w);
    return rows;
}

// The rows from the one starting with `from` up to the next one starting with a word of
// `stops` (or the end).
std::vector<Row> Section(const std::vector<Row>& rows, const std::string& from, std::vector<std::string> stops)
{
    auto b = std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return r[0] == from; });
    EXPECT_NE(b, rows.end()) << from;
    if (b == rows.end())
        return {};
    auto e = std::find_if(b + 1, rows.end(), [&](const Row& r) {
        return std::any_of(stops.begin(), stops.end(), [&](const std::string& s) { return r[0].rfind(s, 0) == 0; });
    });
    return {b, e};
}

std::vector<std::string> FirstWords(const std::vector<Row>& rows)
{
    std::vector<std::string> out;
    for (const Row& r : rows)
        out.push_back(r[0]);
    return out;
}

size_t Count(const std::vector<std::string>& lines, const std::string& line)
{
    return (size_t)std::count(lines.begin(), lines.end(), line);
}

std::string ReportText(CDialog* d)
{
    CString text;
    d->GetDlgItemText(IDC_REPORT_EDIT, text);
    return text.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        out.push_back(l);
    }
    return out;
}

// The caption lines of the numbered tables.
std::vector<std::string> Captions(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (l.rfind("表", 0) == 0)
            out.push_back(l);
    return out;
}

// Nodes in a list of their own, owned here; the list forgets them before they go.
struct CNodes
{
    CPNodeList list;
    std::vector<std::unique_ptr<CPNode>> owned;

    CPNode* Add(int no)
    {
        owned.push_back(std::make_unique<CPNode>(no, CPoint3D(100.0 * no, 0, 0)));
        list.AddTail(owned.back().get());
        return owned.back().get();
    }
    ~CNodes() { list.RemoveAll(); }
};

// ---------------------------------------------------------------- support reactions

// A model root whose fundamental combinations are 1.0D (number 1) and 1.0L (number 2), and
// support nodes whose reactions are worked by hand:
//   node 7 (fixed):  dead (10, 0, 100, -30, 0, 0), live (10, -5, 50, 20, 0, 0) kN, kN.cm,
//                    and a wind reaction no combination here takes;
//   node 2 (pinned): dead (0, 0, 100, 0, 0, 0), live 0;
// and nodes that are not reported: a free node 4 and nodes 5, 6 on supports of types 4, 5.
class NodeForceTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        for (int i = 0; i < 2; ++i) {
            auto* c = new CLoadCombination;
            (i == 0 ? c->m_fDead : c->m_fLive) = 1.0f;
            data.Struct()->m_pLCList->Add(c);
            data.GetSLCList()->AddTail(c);
        }
        CPNode* a = nodes.Add(7);
        a->SetSupport(&fixed);
        a->m_mapCaseReact[0] = {10, 0, 100, -30, 0, 0};
        a->m_mapCaseReact[1] = {10, -5, 50, 20, 0, 0};
        a->m_mapCaseReact[2] = {1000, 1000, 1000, 1000, 1000, 1000};
        nodes.Add(4)->m_mapCaseReact[0] = {99, 99, 99, 99, 99, 99};
        CPNode* b = nodes.Add(2);
        b->SetSupport(&pinned);
        b->m_mapCaseReact[0] = {0, 0, 100, 0, 0, 0};
        for (auto [no, support] : {std::pair<int, CSupportBase*>{5, &planeXZ}, {6, &planeYZ}}) {
            CPNode* n = nodes.Add(no);
            n->SetSupport(support);
            n->m_mapCaseReact[0] = {99, 99, 99, 99, 99, 99};
        }
        dlg.m_pData = &data;
        dlg.m_pNodeList = &nodes.list;
    }

    CGlobalData data;
    CSupportFixed fixed;
    CSupportPinned pinned;
    CSupportXZPlane planeXZ;
    CSupportYZPlane planeYZ;
    CNodes nodes;
    CDlgOutputNodeForce dlg{nullptr};
};

TEST_F(NodeForceTest, ByDefaultOneExtremesTablePerSupportNodeAndTheOverallTableOnly)
{
    const auto lines = Chapter(dlg, 0);
    const auto rows = Rows(lines);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], Row{"支座节点反力结果"});
    EXPECT_EQ(Count(lines, kHeadRule), 1u);
    EXPECT_EQ(lines[2], kHeadRule) << "the head right after the title";
    EXPECT_EQ(Count(lines, "\t本文为支座节点反力结果。"), 1u);
    EXPECT_EQ(Count(lines, "\t本文中未经注明处使用的单位为kN与m。"), 1u);

    std::vector<std::string> nodeLines;
    for (const Row& r : rows)
        if (r[0].rfind("结点", 0) == 0)
            nodeLines.push_back(r[0]);
    EXPECT_EQ(nodeLines, (std::vector<std::string>{"结点7", "结点2"})) << "support nodes of other types than 4, 5";
    EXPECT_EQ(Count(lines, "所有支座节点反力最大值统计"), 1u);
    EXPECT_EQ(Count(lines, "支座节点1.0D+1.0L标准组合反力"), 0u);
    EXPECT_EQ(Count(lines, "支座节点1.2D+1.4L基本组合反力"), 0u);

    // Node 7: equal Fx under both combinations names the first; Mx -30 and +20 give the
    // -30, in kN.m; each row holds the whole reaction under its combination.
    const Row deadRow{"1", "10.00", "0.00", "100.00", "-0.30", "0.00", "0.00"};
    const Row liveRow{"2", "10.00", "-5.00", "50.00", "0.20", "0.00", "0.00"};
    auto row = [](const char* label, const Row& rest) {
        Row r{label};
        r.insert(r.end(), rest.begin(), rest.end());
        return r;
    };
    const std::vector<Row> node7{
        {"结点7"},
        {"最值", "工况", "Fx", "Fy", "Fz", "Mx", "My", "Mz"},
        row("FxMax:10.00", deadRow),
        row("FyMax:0.00", deadRow),
        row("FzMax:100.00", deadRow),
        row("MxMax:-0.30", deadRow),
        row("F-xMax:10.00", deadRow),
        row("F-yMax:-5.00", liveRow),
        row("F-zMax:50.00", liveRow),
    };
    EXPECT_EQ(Section(rows, "结点7", {"结点2"}), node7);
    // Node 2 has no moments: the six force rows only.
    EXPECT_EQ(FirstWords(Section(rows, "结点2", {"所有支座"})),
              (std::vector<std::string>{"结点2", "最值", "FxMax:0.00", "FyMax:0.00", "FzMax:100.00", "F-xMax:0.00",
                                        "F-yMax:0.00", "F-zMax:0.00"}));

    // Overall: both nodes reach Fz 100 under combination 1, the earlier node 7 is named;
    // node 2's smallest Fz (0 under combination 2) is the overall minimum.
    const auto overall = Section(rows, "所有支座节点反力最大值统计", {});
    ASSERT_EQ(overall.size(), 9u);
    EXPECT_EQ(overall[1], (Row{"最值", "节点", "工况", "Fx", "Fy", "Fz", "Mx", "My", "Mz"}));
    EXPECT_EQ(overall[2], (Row{"FxMax:10.00", "7", "1", "10.00", "0.00", "100.00", "-0.30", "0.00", "0.00"}));
    EXPECT_EQ(overall[4], (Row{"FzMax:100.00", "7", "1", "10.00", "0.00", "100.00", "-0.30", "0.00", "0.00"}));
    EXPECT_EQ(overall[5], (Row{"MxMax:-0.30", "7", "1", "10.00", "0.00", "100.00", "-0.30", "0.00", "0.00"}));
    EXPECT_EQ(overall[7], (Row{"F-yMax:-5.00", "7", "2", "10.00", "-5.00", "50.00", "0.20", "0.00", "0.00"}));
    EXPECT_EQ(overall[8], (Row{"F-zMax:0.00", "2", "2", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}));
}

TEST_F(NodeForceTest, TheTwoCombinationTablesTakeOnlyTheDeadAndLiveReactions)
{
    dlg.m_bExtremes = 0;
    dlg.m_bStandard = 1;
    dlg.m_bBasic = 1;
    const auto rows = Rows(Chapter(dlg, 1));
    const Row heads{"节点编号", "Fx", "Fy", "Fz", "Mx", "My", "Mz"};
    // 1.0D+1.0L: Fx 10+10, Fy -5, Fz 100+50, Mx (-30+20) x 0.01.
    EXPECT_EQ(Section(rows, "支座节点1.0D+1.0L标准组合反力", {"支座节点1.2D"}),
              (std::vector<Row>{{"支座节点1.0D+1.0L标准组合反力"},
                                heads,
                                {"结点7", "20.00", "-5.00", "150.00", "-0.10", "0.00", "0.00"},
                                {"结点2", "0.00", "0.00", "100.00", "0.00", "0.00", "0.00"}}));
    // 1.2D+1.4L: Fx 12+14, Fy -7, Fz 120+70, Mx (-36+28) x 0.01.
    EXPECT_EQ(Section(rows, "支座节点1.2D+1.4L基本组合反力", {}),
              (std::vector<Row>{{"支座节点1.2D+1.4L基本组合反力"},
                                heads,
                                {"结点7", "26.00", "-7.00", "190.00", "-0.08", "0.00", "0.00"},
                                {"结点2", "0.00", "0.00", "120.00", "0.00", "0.00", "0.00"}}));
    EXPECT_TRUE(std::none_of(rows.begin(), rows.end(), [](const Row& r) { return r[0] == "各支座节点反力最大值"; }));
}

TEST_F(NodeForceTest, MissingDataLeavesHeadsOnly)
{
    // No support node: the title and an empty overall table; the combination tables have
    // their heads only.
    CNodes free;
    free.Add(1);
    dlg.m_pNodeList = &free.list;
    dlg.m_bStandard = 1;
    auto rows = Rows(Chapter(dlg, 1));
    EXPECT_EQ(FirstWords(rows), (std::vector<std::string>{"支座节点反力结果", "本文为支座节点反力结果。",
                                                          "本文中未经注明处使用的单位为kN与m。", "各支座节点反力最大值",
                                                          "所有支座节点反力最大值统计", "最值",
                                                          "支座节点1.0D+1.0L标准组合反力", "节点编号"}));

    // No combinations: every node's table and the overall table have heads only.
    dlg.m_pNodeList = &nodes.list;
    dlg.m_bStandard = 0;
    data.GetSLCList()->RemoveAll();
    rows = Rows(Chapter(dlg, 1));
    EXPECT_EQ(FirstWords(Section(rows, "各支座节点反力最大值", {})),
              (std::vector<std::string>{"各支座节点反力最大值", "结点7", "最值", "结点2", "最值",
                                        "所有支座节点反力最大值统计", "最值"}));

    // No node list: nothing at all.
    dlg.m_pNodeList = nullptr;
    EXPECT_TRUE(Rows(Chapter(dlg, 0)).empty());
}

TEST_F(NodeForceTest, AsASectionTheChapterHasNoHeadButKeepsItsIntroduction)
{
    const auto lines = Chapter(dlg, 1);
    EXPECT_EQ(Count(lines, kHeadRule), 0u);
    const auto rows = Rows(lines);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], Row{"支座节点反力结果"});
    EXPECT_EQ(rows[1], Row{"本文为支座节点反力结果。"});
    EXPECT_EQ(rows[2], Row{"本文中未经注明处使用的单位为kN与m。"});
}

TEST_F(NodeForceTest, EachBoxRewritesTheShownReportAndTheRtfReadsBack)
{
    outtest::TempDir dir;
    const std::string rtf = dir.File("反力.rtf");
    std::vector<std::string> opened, basic, none;
    ScriptedUser::Run([&](CDialog* d) {
        opened = Lines(ReportText(d));
        EXPECT_EQ(d->IsDlgButtonChecked(IDC_NODEFORCE_EXTREMES), BST_CHECKED);
        EXPECT_EQ(d->IsDlgButtonChecked(IDC_NODEFORCE_STANDARD), BST_UNCHECKED);
    }, IDD_NODEFORCE);
    ScriptedUser::Check(IDC_NODEFORCE_BASIC, BST_CHECKED);
    ScriptedUser::Run([&](CDialog* d) { basic = Lines(ReportText(d)); });
    ScriptedUser::Check(IDC_NODEFORCE_BASIC, BST_UNCHECKED);
    ScriptedUser::Check(IDC_NODEFORCE_EXTREMES, BST_UNCHECKED);
    ScriptedUser::Run([&](CDialog* d) { none = Lines(ReportText(d)); });
    ScriptedUser::Check(IDC_NODEFORCE_STANDARD, BST_CHECKED);
    ScriptedUser::Click(IDC_REPORT_RTF);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::Click(IDOK);
    ASSERT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(Count(opened, "支座节点反力结果"), 1u);
    EXPECT_EQ(Count(opened, "各支座节点反力最大值"), 1u);
    EXPECT_EQ(Count(basic, "支座节点反力结果"), 1u) << "a box click rewrites from the top";
    EXPECT_EQ(Count(basic, "支座节点1.2D+1.4L基本组合反力"), 1u);
    EXPECT_EQ(Count(none, "各支座节点反力最大值"), 0u);
    EXPECT_EQ(Count(none, "支座节点1.2D+1.4L基本组合反力"), 0u);
    EXPECT_EQ(Count(none, "\t本文为支座节点反力结果。"), 1u);
    EXPECT_EQ(dlg.m_bStandard, 1);
    EXPECT_EQ(dlg.m_bExtremes, 0);

    const outtest::RtfReading r = outtest::ReadRtf(rtf);
    ASSERT_TRUE(r.ok) << "unrtf could not read the file";
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "支座节点1.0D+1.0L标准组合反力"), r.lines.end());
    EXPECT_NE(std::find(r.rows.begin(), r.rows.end(), Row{"结点7", "20.00", "-5.00", "150.00", "-0.10", "0.00", "0.00"}),
              r.rows.end());
}

// ---------------------------------------------------------------- node checks

// Cell texts with four decimals, so a test can tell the node's own text from its ratio.
CString Text(float r)
{
    CString s;
    s.Format("%.4f", (double)r);
    return s;
}

std::array<CNodeCheckItem, 6> Zones(std::array<float, 6> r)
{
    std::array<CNodeCheckItem, 6> items;
    for (size_t i = 0; i < 6; ++i)
        items[i] = {r[i], Text(r[i])};
    return items;
}

std::array<CNodeCheckItem, 2> PCol(float r2, float r3)
{
    return {CNodeCheckItem{r2, Text(r2)},
            CNodeCheckItem{r3, Text(r3)}};
}

std::array<CNodeCheckItem, 4> Plates(const char* add2)
{
    return {CNodeCheckItem{0, "无"}, CNodeCheckItem{0, "无"}, CNodeCheckItem{6, add2}, CNodeCheckItem{0, "无"}};
}

class NodeCheckTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        dlg.m_pNodeList = &nodes.list;
    }
    CNodes nodes;
    CDlgOutputNodeCheck dlg{nullptr};
};

TEST_F(NodeCheckTest, AnEmptyListGivesEveryTableWithHeadsOnly)
{
    const auto lines = Chapter(dlg, 0);
    const auto rows = Rows(lines);
    EXPECT_EQ(Count(lines, kHeadRule), 1u);
    EXPECT_EQ(FirstWords(rows),
              (std::vector<std::string>{"结点相关设计结果", std::string(68, '='), "计算软件：", "计算时间：",
                                        "本文中验算结果采用应力比（计算值/限值）表达。", "表1.", "编号", "表2.",
                                        "最不利构件", "表3.", "编号", "表4.", "编号", "表5.", "最不利构件"}));
    const std::vector<Row> captions{{"表1.", "节点域验算结果"},
                                    {"表2.", "节点域最不利构件统计"},
                                    {"表3.", "节点域补强信息（贴板指两侧对称的贴板）"},
                                    {"表4.", "强柱弱梁验算"},
                                    {"表5.", "强柱弱梁最不利构件统计"}};
    for (const Row& c : captions)
        EXPECT_NE(std::find(rows.begin(), rows.end(), c), rows.end()) << c[1];
    EXPECT_NE(std::find(rows.begin(), rows.end(),
                        Row{"编号", "2轴已设置贴板", "3轴已设置贴板", "2轴需增加贴板", "3轴需增加贴板"}),
              rows.end());
    EXPECT_EQ(Count(Chapter(dlg, 1), kHeadRule), 0u);
    dlg.m_pNodeList = nullptr;
    EXPECT_TRUE(Rows(Chapter(dlg, 0)).empty());
}

TEST_F(NodeCheckTest, KindTwoIsLeftOutOfThePanelZoneTablesOnly)
{
    // Node 3 of kind 2 has the largest ratios of every kind.
    CPNode* a = nodes.Add(1);
    a->SetCapacityCheckResult(Zones({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f}));
    a->SetPColCheckResult(PCol(0.5f, 0.5f));
    a->SetAddPlateResult(Plates("无"));
    CPNode* k2 = nodes.Add(3);
    k2->m_nKind = 2;
    k2->SetCapacityCheckResult(Zones({0.9f, 0.9f, 0.9f, 0.9f, 0.9f, 0.9f}));
    k2->SetPColCheckResult(PCol(0.9f, 0.9f));
    k2->SetAddPlateResult(Plates("6mm"));
    nodes.Add(4); // no results: no rows
    const auto rows = Rows(Chapter(dlg, 1));

    EXPECT_EQ(FirstWords(Section(rows, "表1.", {"表2."})), (std::vector<std::string>{"表1.", "编号", "节点1"}));
    const auto worstZones = Section(rows, "表2.", {"表3."});
    ASSERT_EQ(worstZones.size(), 8u);
    EXPECT_EQ(worstZones[2], (Row{"2轴弹性0.500:节点1", "0.5000", "0.5000", "0.5000", "0.5000", "0.5000", "0.5000"}));
    EXPECT_EQ(worstZones[7][0], "3轴塑性0.500:节点1");
    EXPECT_EQ(Section(rows, "表3.", {"表4."}),
              (std::vector<Row>{{"表3.", "节点域补强信息（贴板指两侧对称的贴板）"},
                                {"编号", "2轴已设置贴板", "3轴已设置贴板", "2轴需增加贴板", "3轴需增加贴板"},
                                {"节点1", "无", "无", "无", "无"},
                                {"节点3", "无", "无", "6mm", "无"}}));
    EXPECT_EQ(FirstWords(Section(rows, "表4.", {"表5."})), (std::vector<std::string>{"表4.", "编号", "节点1", "节点3"}));
    EXPECT_EQ(Section(rows, "表5.", {}),
              (std::vector<Row>{{"表5.", "强柱弱梁最不利构件统计"},
                                {"最不利构件", "2轴强柱弱梁", "3轴强柱弱梁"},
                                {"2轴0.900:节点3", "0.9000", "0.9000"},
                                {"3轴0.900:节点3", "0.9000", "0.9000"}}));
}

TEST_F(NodeCheckTest, WorstPanelZonesNeedAMarginAndWorstStrongColumnsAStrictExcess)
{
    struct Case
    {
        const char* name;
        float first, second; // the 2-axis elastic ratios of nodes 1 and 2 in list order
        const char* worst;    // its row in table 2, null: none
    };
    const Case cases[] = {
        {"within the margin the first stays", 0.5f, 0.50005f, "2轴弹性0.500:节点1"},
        {"beyond the margin the second takes over", 0.5f, 0.5002f, "2轴弹性0.500:节点2"},
        {"a smaller later ratio", 0.7f, 0.6f, "2轴弹性0.700:节点1"},
        {"ratios at the margin have no worst", 0.0001f, 0.00005f, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CNodes two;
        // The other checks stay at 0: no worst rows of theirs.
        two.Add(1)->SetCapacityCheckResult(Zones({c.first, 0, 0, 0, 0, 0}));
        two.Add(2)->SetCapacityCheckResult(Zones({c.second, 0, 0, 0, 0, 0}));
        dlg.m_pNodeList = &two.list;
        const auto worst = Section(Rows(Chapter(dlg, 1)), "表2.", {"表3."});
        if (c.worst) {
            ASSERT_EQ(worst.size(), 3u);
            EXPECT_EQ(worst[2][0], c.worst);
        } else
            EXPECT_EQ(worst.size(), 2u) << "caption and heads only";
    }
    // The 0.5002 row prints the second node's own texts.
    {
        CNodes two;
        two.Add(1)->SetCapacityCheckResult(Zones({0.5f, 0, 0, 0, 0, 0}));
        two.Add(2)->SetCapacityCheckResult(Zones({0.5002f, 0, 0, 0, 0, 0}));
        dlg.m_pNodeList = &two.list;
        EXPECT_EQ(Section(Rows(Chapter(dlg, 1)), "表2.", {"表3."})[2][1], "0.5002");
    }

    // Strong columns: equal ratios name the first node, a slightly larger later one wins.
    CNodes three;
    three.Add(8)->SetPColCheckResult(PCol(0.8f, 0.6f));
    three.Add(9)->SetPColCheckResult(PCol(0.8f, 0.60001f));
    three.Add(10)->SetPColCheckResult(PCol(0.7f, 0.2f));
    dlg.m_pNodeList = &three.list;
    const auto worst = Section(Rows(Chapter(dlg, 1)), "表5.", {});
    ASSERT_EQ(worst.size(), 4u);
    EXPECT_EQ(worst[2], (Row{"2轴0.800:节点8", "0.8000", "0.6000"}));
    EXPECT_EQ(worst[3], (Row{"3轴0.600:节点9", "0.8000", "0.6000"}));
}

TEST_F(NodeCheckTest, TableBoxesDisableAndClearTheirWorstBoxesAndTheTablesRenumber)
{
    CPNode* n = nodes.Add(1);
    n->SetCapacityCheckResult(Zones({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f}));
    n->SetAddPlateResult(Plates("无"));
    n->SetPColCheckResult(PCol(0.5f, 0.5f));
    outtest::TempDir dir;
    const std::string rtf = dir.File("节点.rtf");
    std::vector<std::string> noZones, onlyPCol;
    bool zoneWorstEnabled = true, zoneWorstAgain = false, pcolWorstEnabled = true;
    UINT zoneWorstChecked = BST_CHECKED;
    ScriptedUser::Check(IDC_NODECHECK_ZONES, BST_UNCHECKED, IDD_NODECHECK);
    ScriptedUser::Run([&](CDialog* d) {
        noZones = Lines(ReportText(d));
        zoneWorstEnabled = d->GetDlgItem(IDC_NODECHECK_ZONEWORST)->IsWindowEnabled();
        zoneWorstChecked = d->IsDlgButtonChecked(IDC_NODECHECK_ZONEWORST);
    });
    ScriptedUser::Check(IDC_NODECHECK_PLATES, BST_UNCHECKED);
    ScriptedUser::Run([&](CDialog* d) { onlyPCol = Lines(ReportText(d)); });
    ScriptedUser::Check(IDC_NODECHECK_ZONES, BST_CHECKED);
    ScriptedUser::Run([&](CDialog* d) {
        zoneWorstAgain = d->GetDlgItem(IDC_NODECHECK_ZONEWORST)->IsWindowEnabled();
        zoneWorstChecked |= d->IsDlgButtonChecked(IDC_NODECHECK_ZONEWORST);
    });
    ScriptedUser::Check(IDC_NODECHECK_PCOL, BST_UNCHECKED);
    ScriptedUser::Run([&](CDialog* d) { pcolWorstEnabled = d->GetDlgItem(IDC_NODECHECK_PCOLWORST)->IsWindowEnabled(); });
    ScriptedUser::Click(IDC_REPORT_RTF);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::Click(IDOK);
    ASSERT_EQ(dlg.DoModal(), IDOK);

    EXPECT_FALSE(zoneWorstEnabled);
    EXPECT_EQ(zoneWorstChecked, (UINT)BST_UNCHECKED) << "cleared, and not ticked again with its table box";
    EXPECT_TRUE(zoneWorstAgain);
    EXPECT_FALSE(pcolWorstEnabled);
    EXPECT_EQ(dlg.m_bZoneWorst, 0);
    EXPECT_EQ(dlg.m_bPColWorst, 0);
    EXPECT_EQ(dlg.m_bZones, 1);

    EXPECT_EQ(Captions(noZones), (std::vector<std::string>{"表1. 节点域补强信息（贴板指两侧对称的贴板）",
                                                           "表2. 强柱弱梁验算", "表3. 强柱弱梁最不利构件统计"}));
    EXPECT_EQ(Captions(onlyPCol), (std::vector<std::string>{"表1. 强柱弱梁验算", "表2. 强柱弱梁最不利构件统计"}));

    // Saved with the boxes as they were left: the panel-zone table alone.
    const outtest::RtfReading r = outtest::ReadRtf(rtf);
    ASSERT_TRUE(r.ok) << "unrtf could not read the file";
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "结点相关设计结果"), r.lines.end());
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "表1. 节点域验算结果"), r.lines.end());
    EXPECT_NE(std::find(r.rows.begin(), r.rows.end(), Row{"节点1", "0.5000", "0.5000", "0.5000", "0.5000", "0.5000", "0.5000"}),
              r.rows.end());
}

} // namespace
