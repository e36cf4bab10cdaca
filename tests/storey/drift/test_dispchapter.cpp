// The chapter "层间位移与楼层位移信息" read back by unrtf: the dialog's own computation with one
// tower, storey by storey and tower by tower with several, the sentences on the worst storeys,
// the colours, and the dialog left as it was when the viewer writes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <vyr/model/output/output.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/storey/DlgOutputDocument.h>
#include "DispTest.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using namespace disptest;

namespace {

class DispChapterTest : public DispTest
{
protected:
    outtest::RtfReading Chapter(CDlgLayerDispDifferOutput& dlg, const std::string& name, int flag = 0)
    {
        m_path = m_tmp.File(name);
        {
            COutput out;
            EXPECT_TRUE(out.InitDevice(DEVICE_RTF, m_path.c_str(), 1));
            dlg.Output(&out, flag);
        }
        return outtest::ReadRtf(m_path);
    }
    // A line as read, its indent (the tables' headings are tabbed) left off.
    static bool Has(const outtest::RtfReading& r, const std::string& line)
    {
        return std::any_of(r.lines.begin(), r.lines.end(),
                           [&](const std::string& l) { return outtest::Trim(l) == line; });
    }
    // The rows of the n-th table whose heading row starts with "Floor".
    static std::vector<std::vector<std::string>> Table(const outtest::RtfReading& r, size_t n)
    {
        std::vector<std::vector<std::string>> out;
        size_t seen = 0;
        for (const auto& row : r.rows) {
            if (!row.empty() && row[0] == "Floor")
                ++seen;
            if (seen == n + 1)
                out.push_back(row);
        }
        return out;
    }

    std::string m_path;
};

using TextRows = std::vector<std::vector<std::string>>;

// Two storeys under seismic X with the limit 1/200: storey 2 drifts exactly 1/200. The
// seismic Y case has no results: every drift below 1e-7.
TEST_F(DispChapterTest, OneTowerTabulatesTheDialogsComputationWithItsSentences)
{
    CStoreyModel model(Spec(2, false, 1));
    model.Data().ProjectName() = "样例";
    model.Struct().m_nSeismDriftLimit = 200;
    CBasicLoadCase* seism = model.Seism(0);
    SetDisp(model.Storey(1), seism, 1, {0.0f, 0, 0.0f, 1.0f, 102, 1.0f});
    SetDisp(model.Storey(2), seism, 1, {1.5f, 201, 1.5f, 2.5f, 202, 2.5f});
    for (int k = 1; k <= 2; ++k)
        SetShear(model.Struct(), model.Storey(k), seism, 10.0f, 0.0f);
    CDlgLayerDispDifferOutput dlg(&model.Data());
    const outtest::RtfReading r = Chapter(dlg, "disp-a.rtf");
    ASSERT_TRUE(r.ok);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines[0], "样例层间位移与楼层位移信息");
    EXPECT_TRUE(Has(r, std::string(68, '='))) << "stand-alone: the report head";
    EXPECT_TRUE(Has(r, "各列表符号和参数说明："));
    EXPECT_TRUE(Has(r, "层最大/超过位移比不宜超过1.200，层最大/超过位移比不应超过1.500"));
    EXPECT_TRUE(Has(r, "层风载最大层间角不宜大于1/400"));
    EXPECT_TRUE(Has(r, "层地震最大层间角不宜大于1/200"));
    EXPECT_TRUE(Has(r, "样例层间位移表(单位 层高：米; 位移：毫米;)"));
    EXPECT_TRUE(Has(r, "样例楼层位移表(单位 层高：米; 位移：毫米;)"));
    size_t headings = 0;
    for (const auto& line : r.lines)
        headings += line.rfind("基本工况为：", 0) == 0 && line.find("作用下：(主方向X向)") != std::string::npos;
    EXPECT_EQ(headings, 2u);

    EXPECT_EQ(Table(r, 0), (TextRows{{"Floor", "h(m)", "JmaxD", "Max-DX", "Max-DX/h", "Ave-DX", "Ratio-DX"},
                                 {"第1层", "3.000", "102", "10.000", "1/300", "10.000", "1.000"},
                                 {"第2层", "3.000", "201", "15.000", "1/200", "15.000", "1.000"}}));
    EXPECT_EQ(Table(r, 1), (TextRows{{"Floor", "Jmax", "Max-X", "Ave-X", "Ratio-X"},
                                 {"第1层", "102", "10.000", "10.000", "1.000"},
                                 {"第2层", "202", "25.000", "25.000", "1.000"}}));
    // A drift of exactly 1/200 fails the limit in the sentence; its cell stays black.
    EXPECT_TRUE(Has(r, "最大层间位移角出现于第2层，为1/200大于要求的1/200，不满足要求"));
    EXPECT_TRUE(Has(r, "最大楼层平均位移出现于第2层，为25.000"));
    for (const auto& t : storeytest::TablesOfRtf(m_path, "#ff00ff"))
        EXPECT_FALSE(t.coloured) << t.heading;
    // The Y case: no drift at all names no storey.
    EXPECT_TRUE(Has(r, "最大层间位移角出现于，为1/10000000不大于要求的1/200，满足要求"));
    const TextRows y = Table(r, 2);
    ASSERT_EQ(y.size(), 3u);
    EXPECT_EQ(y[1], (std::vector<std::string>{"第1层", "3.000", "0", "0.000", "1/10000000", "0.000", "0.000"}));
}

// Past the limits: storey 1 drifts 1/160 with the ratio 1.5 (red), storey 2 the ratio 1.2
// (magenta); the cells coloured, the sentence on storey 1.
TEST_F(DispChapterTest, CellsPastTheLimitsAreColoured)
{
    CStoreyModel model(Spec(2, false, 1));
    model.Struct().m_nSeismDriftLimit = 200;
    CBasicLoadCase* seism = model.Seism(0);
    SetDisp(model.Storey(1), seism, 1, {0.0f, 0, 0.0f, 1.875f, 102, 1.25f});
    SetDisp(model.Storey(2), seism, 1, {1.5f, 201, 1.25f, 3.125f, 202, 2.5f});
    for (int k = 1; k <= 2; ++k)
        SetShear(model.Struct(), model.Storey(k), seism, 10.0f, 0.0f);
    CDlgLayerDispDifferOutput dlg(&model.Data());
    const outtest::RtfReading r = Chapter(dlg, "disp-colours.rtf", 1);
    EXPECT_NE(r.lines.empty() ? "" : r.lines[0], "层间位移与楼层位移信息") << "no title as a section";
    EXPECT_TRUE(Has(r, "最大层间位移角出现于第1层，为1/160大于要求的1/200，不满足要求"));
    EXPECT_TRUE(Has(r, "最大楼层平均位移出现于第2层，为25.000"));
    const auto magenta = storeytest::TablesOfRtf(m_path, "#ff00ff");
    const auto red = storeytest::TablesOfRtf(m_path, "#ff0000");
    ASSERT_GE(magenta.size(), 2u);
    EXPECT_TRUE(magenta[0].coloured) << "the drift 1/160 and the ratio 1.2";
    EXPECT_TRUE(red[0].coloured) << "the ratio 1.5";
    EXPECT_TRUE(magenta[1].coloured) << "the storey ratio 1.25";
    EXPECT_TRUE(red[1].coloured) << "the storey ratio 1.5";
    EXPECT_FALSE(magenta[2].coloured) << "the Y case has nothing";
}

// Two towers: storeys 1 to 3 stand in both, 4 and 5 only in the first (whole-storey rows);
// storey 4 is of type 4 (no storey row). Storey 1 has its own main nodes: one equally near both
// towers (tower 1), one nearest tower 2.
TEST_F(DispChapterTest, SeveralTowersAreWrittenStoreyByStoreyAndTowerByTower)
{
    CMainNode between(9001, CPoint3D(1000.0, 0.0, 300.0)), nearSecond(9002, CPoint3D(1990.0, 5.0, 300.0));
    CStoreyModel model(vyrtest::CStoreyModelSpec(Spec(5, true, 0)).WithSecondTower(2));
    CBasicLoadCase* wind = model.Wind(0);
    CMainNode* t1 = model.Tower(0);
    CMainNode* t2 = model.Tower(1);
    CFloor* s1 = model.Storey(1);
    s1->m_pMainNodeList->RemoveAll();
    s1->m_pMainNodeList->AddTail(&between);
    s1->m_pMainNodeList->AddTail(&nearSecond);
    model.Storey(4)->m_nType = 4;
    for (int k = 1; k <= 5; ++k)
        SetShear(model.Struct(), model.Storey(k), wind, 10.0f, 0.0f);
    // The lowest counted storey: its storey values (5 and 2.5 mm) in the inter-storey table.
    SetDisp(s1, wind, 1, {9.0f, 1, 9.0f, 0.5f, 111, 0.25f}, &between);
    SetDisp(s1, wind, 1, {9.0f, 1, 9.0f, 0.25f, 121, 0.25f}, &nearSecond);
    SetDisp(model.Storey(2), wind, 1, {0.3f, 211, 0.2f, 0.75f, 212, 0.5f}, t1);
    SetDisp(model.Storey(2), wind, 1, {0.1f, 221, 0.2f, 0.5f, 222, 0.5f}, t2);
    SetDisp(model.Storey(3), wind, 1, {0.2f, 311, 0.1f, 1.0f, 312, 0.75f}, t1);
    SetDisp(model.Storey(3), wind, 1, {0.2f, 321, 0.1f, 0.75f, 322, 0.75f}, t2);
    SetDisp(model.Storey(4), wind, 1, {0.9f, 401, 0.5f, 1.5f, 402, 1.0f});
    SetDisp(model.Storey(5), wind, 1, {0.3f, 501, 0.3f, 1.0f, 502, -2.0f});
    CDlgLayerDispDifferOutput dlg(&model.Data());
    const outtest::RtfReading r = Chapter(dlg, "disp-towers.rtf");
    EXPECT_EQ(Table(r, 0), (TextRows{{"Floor", "h(m)", "JmaxD", "Max-DX", "Max-DX/h", "Ave-DX"},
                                 {"第1层1塔", "3.000", "111", "5.000", "1/600", "2.500"},
                                 {"第1层2塔", "3.000", "121", "2.500", "1/1200", "2.500"},
                                 {"第2层1塔", "3.000", "211", "3.000", "1/1000", "2.000"},
                                 {"第2层2塔", "3.000", "221", "2.000", "1/1500", "2.000"},
                                 {"第3层1塔", "3.000", "311", "2.000", "1/1500", "1.000"},
                                 {"第3层2塔", "3.000", "321", "2.000", "1/1500", "1.000"},
                                 {"第4层", "3.000", "401", "9.000", "1/333", "5.000"},
                                 {"第5层", "3.000", "501", "3.000", "1/1000", "3.000"}}));
    EXPECT_EQ(Table(r, 1), (TextRows{{"Floor", "Jmax", "Max-X", "Ave-X"},
                                 {"第1层1塔", "111", "5.000", "2.500"},
                                 {"第1层2塔", "121", "2.500", "2.500"},
                                 {"第2层1塔", "212", "7.500", "5.000"},
                                 {"第2层2塔", "222", "5.000", "5.000"},
                                 {"第3层1塔", "312", "10.000", "7.500"},
                                 {"第3层2塔", "322", "7.500", "7.500"},
                                 {"第5层", "502", "20.000", "20.000"}}));
    EXPECT_TRUE(Has(r, "最大层间位移角出现于第4层，为1/333大于要求的1/400，不满足要求"));
    EXPECT_TRUE(Has(r, "最大楼层平均位移出现于第5层，为20.000"));
}

// A drift limit of 0 in the model: every 1 / limit is a floating-point one; nothing is
// coloured, nothing divides by zero.
TEST_F(DispChapterTest, ADriftLimitOfZeroColoursNothing)
{
    CStoreyModel model(Spec(2, false, 1));
    model.Struct().m_nSeismDriftLimit = 0;
    CBasicLoadCase* seism = model.Seism(0);
    SetDisp(model.Storey(1), seism, 1, {0.0f, 0, 0.0f, 1.875f, 102, 1.875f});
    SetDisp(model.Storey(2), seism, 1, {1.0f, 201, 1.0f, 3.0f, 202, 3.0f});
    for (int k = 1; k <= 2; ++k)
        SetShear(model.Struct(), model.Storey(k), seism, 10.0f, 0.0f);
    CDlgLayerDispDifferOutput dlg(&model.Data());
    const outtest::RtfReading r = Chapter(dlg, "disp-zero.rtf", 1);
    EXPECT_TRUE(Has(r, "层地震最大层间角不宜大于1/0"));
    EXPECT_TRUE(Has(r, "最大层间位移角出现于第1层，为1/160不大于要求的1/0，满足要求"));
    for (const auto& t : storeytest::TablesOfRtf(m_path, "#ff00ff"))
        EXPECT_FALSE(t.coloured) << t.heading;

    std::vector<COLORREF> drift;
    ScriptedUser::Run([&](CDialog* d) { drift = Colours(d, 4); }, IDD_LAYERDISPDIFFER);
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    ScriptedUser::AnswerMessageBox(IDOK, "层地震最大层间位移角不宜超过限制不能大于1/100");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(drift, (std::vector<COLORREF>{kNone, kNone}));
}

TEST_F(DispChapterTest, WithoutWindOrSeismicCasesOnlyTheLegendIsWritten)
{
    CStoreyModel model(Spec(3, false, 0));
    CDlgLayerDispDifferOutput dlg(&model.Data());
    const outtest::RtfReading r = Chapter(dlg, "disp-none.rtf", 1);
    EXPECT_TRUE(Has(r, "各列表符号和参数说明："));
    EXPECT_TRUE(Has(r, "层地震最大层间角不宜大于1/250"));
    EXPECT_TRUE(r.rows.empty());
    for (const auto& line : r.lines)
        EXPECT_EQ(line.find("基本工况为"), std::string::npos) << line;
}

// The viewer writes the chapter of the dialog that opened it (per tower, every case); the
// dialog then shows the case, tower and rows it showed before.
TEST_F(DispChapterTest, TheViewerWritesTheChapterAndTheDialogKeepsItsCaseTowerAndGrid)
{
    CStoreyModel model(vyrtest::CStoreyModelSpec().WithSecondTower(2));
    FillStoreyDisplacements(model.Data());
    for (int k = 1; k <= 5; ++k) {
        AddNode(model.Struct(), model.Storey(k), 0.0, 0.0);
        AddNode(model.Struct(), model.Storey(k), 2000.0, 0.0);
    }
    CDlgLayerDispDifferOutput dlg(&model.Data());
    TextRows before, after;
    std::string text;
    CString caption;
    ClickGridRow(IDC_DISP_CASEGRID, 2);
    ClickGridRow(IDC_DISP_TOWERGRID, 2);
    ScriptedUser::SelectRow(IDC_DISP_TAB, 1, IDD_LAYERDISPDIFFER);
    ScriptedUser::Run([&](CDialog* d) { before = Rows(d); }, IDD_LAYERDISPDIFFER);
    ScriptedUser::Click(IDC_DISP_REPORT, IDD_LAYERDISPDIFFER);
    ScriptedUser::Run(
        [&](CDialog* d) {
            text = ViewerText(d);
            d->GetWindowText(caption);
        },
        IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::Run([&](CDialog* d) { after = Rows(d); }, IDD_LAYERDISPDIFFER);
    ScriptedUser::SelectRow(IDC_DISP_TAB, 0, IDD_LAYERDISPDIFFER);
    ScriptedUser::SelectRow(IDC_DISP_TAB, 1, IDD_LAYERDISPDIFFER);
    TextRows refilled;
    ScriptedUser::Run([&](CDialog* d) { refilled = Rows(d); }, IDD_LAYERDISPDIFFER);
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "层位移和位移比统计报告");
    EXPECT_NE(text.find("楼层模型层间位移与楼层位移信息"), std::string::npos);
    EXPECT_NE(text.find("第3层2塔"), std::string::npos) << "two towers: storey by storey";
    EXPECT_EQ(dlg.m_pCurCase, model.Wind(1));
    EXPECT_EQ(dlg.m_pCurMainNode, model.Tower(1));
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(after, before);
    EXPECT_EQ(refilled, before) << "the arrays are those of the case and tower shown";
}

} // namespace
