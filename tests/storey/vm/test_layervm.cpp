// The storey shear and overturning moment: the rows of non-seismic and seismic cases worked
// by hand, the main direction vote, the two grids under the scripted user, and the chapter
// through the report viewer read back by unrtf.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/resources/dialogs/LayerVMRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgOutputDocument.h>
#include "model/output/output_test_util.h"
#include "storey/vm/VMTest.h"

using vmtest::CVMProbe;
using vmtest::Spec;
using vyr::ScriptedUser;
using vyrtest::CStoreyModel;

namespace {

class VMTest : public storeytest::StoreyTest
{
protected:
    static CGridCtrl* Grid(CDialog* d, int id) { return dynamic_cast<CGridCtrl*>(d->GetDlgItem(id)); }
    // The grid's rows below its heading, each as its texts.
    static std::vector<std::vector<std::string>> Rows(CGridCtrl* g)
    {
        return storeytest::GridRows(g);
    }
    // The chapter written into an RTF file and read back.
    outtest::RtfReading Chapter(CDlgLayerVMOutput& dlg, int flag)
    {
        const std::string path = m_tmp.File("vm-chapter.rtf");
        {
            COutput out;
            EXPECT_TRUE(out.InitDevice(DEVICE_RTF, path.c_str(), 1));
            dlg.Output(&out, flag);
        }
        return outtest::ReadRtf(path);
    }

    outtest::TempDir m_tmp;
};

// Two storeys, the top one 3.0 m and the one below 4.0 m high.
void MakeHeights3And4(CStoreyModel& model)
{
    model.Storey(1)->m_dZ = 400.0;
    model.Storey(2)->m_dZ = 700.0;
    model.Struct().m_pFloorList->Relink();
}

TEST_F(VMTest, NonSeismicMomentsAddUpAbsVTimesHFromTheTopAndTheLargestShearStartsAtZero)
{
    struct Case
    {
        const char* name;
        float vLow, vTop;        // kN
        float mLow, mTop;        // kN*m, by hand
        float maxV, maxM;
    };
    const Case cases[] = {
        {"both positive", 200, 100, 300 + 800, 300, 200, 1100},
        // |-100 x 3| = 300 at the top, 300 + 200 x 4 below; -100 is never the largest.
        {"negative top", 200, -100, 300 + 800, 300, 200, 1100},
        // |-500| is the largest magnitude, yet the largest shear is 100.
        {"large negative below", -500, 100, 300 + 2000, 300, 100, 2300},
        {"all negative", -200, -100, 1100, 300, 0, 1100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(Spec(2));
        MakeHeights3And4(model);
        vmtest::SetShears(model, model.Wind(0), {c.vLow, c.vTop}, {0.1f, 0.1f});
        CVMProbe dlg(&model.Data());
        dlg.Fill(model.Wind(0));
        ASSERT_EQ(dlg.m_arrVM.size(), 2u);
        EXPECT_EQ(dlg.m_nDirection, 1);
        const CStoreyVM& low = dlg.m_arrVM[0];
        const CStoreyVM& top = dlg.m_arrVM[1];
        EXPECT_EQ(low.nNo, 1);
        EXPECT_EQ(top.nNo, 2);
        EXPECT_FLOAT_EQ(low.fH, 4.0f);
        EXPECT_FLOAT_EQ(low.fH2, 4.0f);
        EXPECT_FLOAT_EQ(top.fH, 3.0f);
        EXPECT_FLOAT_EQ(low.fV, c.vLow);
        EXPECT_FLOAT_EQ(top.fV, c.vTop);
        EXPECT_FLOAT_EQ(low.fM, c.mLow);
        EXPECT_FLOAT_EQ(top.fM, c.mTop);
        EXPECT_FLOAT_EQ(dlg.m_fMaxV, c.maxV);
        EXPECT_FLOAT_EQ(dlg.m_fMaxM, c.maxM);
        EXPECT_FLOAT_EQ(dlg.m_fTopZ, 7.0f);
    }
}

TEST_F(VMTest, SeismicRowsShowTheStoredShearWithItsSignAndTheStoredMomentUnsummed)
{
    CStoreyModel model(Spec(3));
    // Along Y: the Y shears dominate every storey; moments in kN*cm.
    vmtest::SetSeism(model, model.Seism(1), {1, 1, 1}, {300, -200, 100}, {9e5f, 9e5f, 9e5f},
                     {60000, 35000, 12000});
    CVMProbe dlg(&model.Data());
    dlg.Fill(model.Seism(1));
    EXPECT_EQ(dlg.m_nDirection, 2);
    ASSERT_EQ(dlg.m_arrVM.size(), 3u);
    const float v[] = {300, -200, 100};
    const float m[] = {600, 350, 120};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(dlg.m_arrVM[i].fV, v[i]);
        EXPECT_FLOAT_EQ(dlg.m_arrVM[i].fM, m[i]);
    }
    EXPECT_FLOAT_EQ(dlg.m_fMaxV, 300.0f);
    EXPECT_FLOAT_EQ(dlg.m_fMaxM, 600.0f);

    // Along X the X arrays are read.
    vmtest::SetSeism(model, model.Seism(0), {50, 40, 30}, {1, 1, 1}, {25000, 14000, 5000}, {0, 0, 0});
    dlg.Fill(model.Seism(0));
    EXPECT_EQ(dlg.m_nDirection, 1);
    EXPECT_FLOAT_EQ(dlg.m_arrVM[0].fV, 50.0f);
    EXPECT_FLOAT_EQ(dlg.m_arrVM[0].fM, 250.0f);
    EXPECT_FLOAT_EQ(dlg.m_arrVM[2].fM, 50.0f);
}

TEST_F(VMTest, TheMainDirectionIsXOnlyWhenMoreVotingStoreysLeanToX)
{
    struct Case
    {
        const char* name;
        int storeys, basements;
        std::vector<float> x, y; // from the lowest real storey
        int direction;
    };
    const Case cases[] = {
        {"X everywhere", 3, 0, {30, 20, 10}, {1, 1, 1}, 1},
        {"Y everywhere", 3, 0, {1, 1, 1}, {30, 20, 10}, 2},
        // The lowest storey leans to X but never votes: one X, one Y above it.
        {"a tie above the lowest storey", 3, 0, {90, 20, 1}, {1, 1, 10}, 2},
        {"two X, one Y", 4, 0, {1, 20, 1, 10}, {1, 1, 30, 1}, 1},
        {"a single storey", 1, 0, {50}, {1}, 2},
        // Two basements lean to X; above them one storey each way.
        {"basements do not vote", 2, 2, {80, 80, 5, 1}, {1, 1, 1, 5}, 2},
        {"equal shears count for neither", 3, 0, {0, 10, 10}, {0, 10, 10}, 2},
        {"shears below 1e-5 count for neither", 3, 0, {0, 5e-6f, 5e-6f}, {0, 0, 0}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(Spec(c.storeys, 300.0, c.basements));
        vmtest::SetShears(model, model.Wind(0), c.x, c.y);
        CVMProbe dlg(&model.Data());
        EXPECT_EQ(dlg.GetDirection(model.Wind(0)), c.direction);
    }
    // A seismic case votes with its stored shears, not the case's storey shears.
    CStoreyModel model(Spec(3));
    vmtest::SetSeism(model, model.Seism(0), {1, 40, 30}, {1, 2, 3}, {0, 0, 0}, {0, 0, 0});
    vmtest::SetShears(model, model.Seism(0), {0, 0, 0}, {10, 10, 10});
    CVMProbe dlg(&model.Data());
    EXPECT_EQ(dlg.GetDirection(model.Seism(0)), 1);
}

TEST_F(VMTest, TheDialogListsEveryRealStoreyLowestFirstAndAClickedCaseShowsItsRows)
{
    CStoreyModel model(Spec(2, 300.0, 1));
    // Real storeys: the basement (1) and storeys 2 and 3.
    vmtest::SetShears(model, model.Wind(0), {60, 40, 20}, {1, 1, 1});
    vmtest::SetShears(model, model.Wind(1), {1, 1, 1}, {-30, 20, 10});
    CDlgLayerVMOutput dlg(&model.Data());
    std::vector<std::vector<std::string>> cases, first, clicked;
    ScriptedUser::Run(
        [&](CDialog* d) {
            cases = Rows(Grid(d, IDC_VM_CASEGRID));
            first = Rows(Grid(d, IDC_VM_GRID));
            EXPECT_TRUE(Grid(d, IDC_VM_CASEGRID)->IsCellSelected(1, 0));
            vmtest::ClickCell(Grid(d, IDC_VM_CASEGRID), 2, 0);
            clicked = Rows(Grid(d, IDC_VM_GRID));
        },
        IDD_LAYERVMOUTPUT);
    ScriptedUser::PressOK(IDD_LAYERVMOUTPUT);
    EXPECT_EQ(dlg.DoModal(), IDOK);

    const std::vector<std::vector<std::string>> expectedCases = {{"BLC3 X向风载"}, {"BLC4 Y向风载"}, {"BLC5 -X向风载"},
                                                                 {"BLC6 -Y向风载"}, {"BLC7 X向地震"}, {"BLC8 Y向地震"}};
    EXPECT_EQ(cases, expectedCases);
    // X: M = 20 x 3 = 60, 60 + 40 x 3 = 180, 180 + 60 x 3 = 360.
    const std::vector<std::vector<std::string>> expectedFirst = {
        {"第1层", "3.0", "60.0", "360.0"}, {"第2层", "3.0", "40.0", "180.0"}, {"第3层", "3.0", "20.0", "60.0"}};
    EXPECT_EQ(first, expectedFirst);
    // Y: M = 30, 30 + 60 = 90, 90 + |-30 x 3| = 180.
    const std::vector<std::vector<std::string>> expectedClicked = {
        {"第1层", "3.0", "-30.0", "180.0"}, {"第2层", "3.0", "20.0", "90.0"}, {"第3层", "3.0", "10.0", "30.0"}};
    EXPECT_EQ(clicked, expectedClicked);
    EXPECT_EQ(dlg.m_nCurRow, 2);
    EXPECT_EQ(dlg.m_strDescription, "LC4 Y向风载");
}

// Three storeys 3 m high; wind X of 30, 20, 10 kN; the seismic X case with stored shears and
// moments.
void ChapterModel(CStoreyModel& model)
{
    vmtest::SetShears(model, model.Wind(0), {30, 20, 10}, {1, 1, 1});
    vmtest::SetSeism(model, model.Seism(0), {50, 40, 30}, {1, 1, 1}, {45000, 25000, 9000}, {0, 0, 0});
}

TEST_F(VMTest, TheViewersKindOneWritesTheOpenersChapterAndTheDialogKeepsItsStoreysAndCase)
{
    CStoreyModel model(Spec(3));
    ChapterModel(model);
    const std::string path = m_tmp.File("viewer-vm.rtf");
    CDlgLayerVMOutput dlg(&model.Data());
    std::string caption;
    std::vector<std::vector<std::string>> after;
    ScriptedUser::Run([&](CDialog* d) { vmtest::ClickCell(Grid(d, IDC_VM_CASEGRID), 5, 0); }, IDD_LAYERVMOUTPUT);
    ScriptedUser::Click(IDC_VM_DOCUMENT, IDD_LAYERVMOUTPUT);
    ScriptedUser::Run(
        [&](CDialog* d) {
            CString text;
            d->GetWindowText(text);
            caption = text.str();
        },
        IDD_OUTPUTDOCUMENT);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::Run([&](CDialog* d) { after = Rows(Grid(d, IDC_VM_GRID)); }, IDD_LAYERVMOUTPUT);
    ScriptedUser::PressOK(IDD_LAYERVMOUTPUT);
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(caption, "层剪力与倾覆力矩统计报告");
    const outtest::RtfReading rtf = outtest::ReadRtf(path);
    ASSERT_TRUE(rtf.ok);
    std::vector<std::string> headings;
    bool title = false, units = false;
    for (const std::string& line : rtf.lines) {
        if (line.find("下的剪力与倾覆力矩") != std::string::npos)
            headings.push_back(line);
        title = title || line == "楼层模型楼层剪力与倾覆力矩信息";
        units = units || line.find("(单位 力：千牛; 长度：米; )") != std::string::npos;
    }
    EXPECT_TRUE(title);
    EXPECT_TRUE(units);
    const std::vector<std::string> expectedHeadings = {
        "基本工况LC3 X向风载(主方向X向)下的剪力与倾覆力矩",  "基本工况LC4 Y向风载(主方向Y向)下的剪力与倾覆力矩",
        "基本工况LC5 -X向风载(主方向Y向)下的剪力与倾覆力矩", "基本工况LC6 -Y向风载(主方向Y向)下的剪力与倾覆力矩",
        "基本工况LC7 X向地震(主方向X向)下的剪力与倾覆力矩",  "基本工况LC8 Y向地震(主方向Y向)下的剪力与倾覆力矩"};
    EXPECT_EQ(headings, expectedHeadings);
    // Six tables of the heading row and storeys 2 and 3: the lowest storey is left out.
    ASSERT_EQ(rtf.rows.size(), 18u);
    const std::vector<std::string> head = {"楼 层", "层高", "层剪力", "层倾覆力矩"};
    EXPECT_EQ(rtf.rows[0], head);
    // Wind X over the two upper storeys: M = 10 x 3 = 30, 30 + 20 x 3 = 90.
    EXPECT_EQ(rtf.rows[1], (std::vector<std::string>{"第2层", "3.0", "20.0", "90.0"}));
    EXPECT_EQ(rtf.rows[2], (std::vector<std::string>{"第3层", "3.0", "10.0", "30.0"}));
    // Seismic X: the stored moments x 0.01.
    EXPECT_EQ(rtf.rows[12], head);
    EXPECT_EQ(rtf.rows[13], (std::vector<std::string>{"第2层", "3.0", "40.0", "250.0"}));
    EXPECT_EQ(rtf.rows[14], (std::vector<std::string>{"第3层", "3.0", "30.0", "90.0"}));

    // The window goes on with all three storeys of the case it showed (seismic X).
    const std::vector<std::vector<std::string>> expectedAfter = {
        {"第1层", "3.0", "50.0", "450.0"}, {"第2层", "3.0", "40.0", "250.0"}, {"第3层", "3.0", "30.0", "90.0"}};
    EXPECT_EQ(after, expectedAfter);
    EXPECT_EQ(dlg.m_nCurRow, 5);
}

TEST_F(VMTest, TheChapterLeavesOutTheLowestStoreysAsManyAsTheBasementsOrOne)
{
    struct Case
    {
        int storeys, basements;
        std::vector<std::string> numbers; // the storey column of the first table
    };
    const Case cases[] = {
        {3, 0, {"第2层", "第3层"}},
        {1, 0, {}},
        {2, 1, {"第2层", "第3层"}},
        {2, 2, {"第3层", "第4层"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.basements);
        CStoreyModel model(Spec(c.storeys, 300.0, c.basements));
        CDlgLayerVMOutput dlg(&model.Data());
        const outtest::RtfReading rtf = Chapter(dlg, 1);
        ASSERT_TRUE(rtf.ok);
        std::vector<std::string> numbers;
        for (size_t i = 1; i < rtf.rows.size() && rtf.rows[i][0] != "楼 层"; ++i)
            numbers.push_back(rtf.rows[i][0]);
        EXPECT_EQ(numbers, c.numbers);
    }
}

TEST_F(VMTest, OnlyAStandAloneChapterHasTheReportHead)
{
    CStoreyModel model(Spec(3));
    CDlgLayerVMOutput dlg(&model.Data());
    const std::string path = m_tmp.File("vm-head.txt");
    for (int flag : {0, 1}) {
        SCOPED_TRACE(flag);
        {
            COutput out;
            ASSERT_TRUE(out.InitDevice(DEVICE_TEXT, path.c_str(), 1));
            dlg.Output(&out, flag);
        }
        std::string text;
        for (const std::string& line : outtest::ReadGbkLines(path))
            text += line + "\n";
        EXPECT_EQ(text.find("楼层模型楼层剪力与倾覆力矩信息"), 0u);
        EXPECT_EQ(text.find(std::string(68, '=')) != std::string::npos, flag == 0);
    }
}

TEST_F(VMTest, WithoutAHorizontalCaseTheGridsStayEmptyAndTheButtonsHarmNothing)
{
    CStoreyModel model(Spec(3).WithWind(false).WithSeismPairs(0));
    CDlgLayerVMOutput dlg(&model.Data());
    size_t cases = 99, storeys = 99;
    std::string text;
    ScriptedUser::Run(
        [&](CDialog* d) {
            cases = Rows(Grid(d, IDC_VM_CASEGRID)).size();
            storeys = Rows(Grid(d, IDC_VM_GRID)).size();
        },
        IDD_LAYERVMOUTPUT);
    ScriptedUser::Click(IDC_VM_VIEW, IDD_LAYERVMOUTPUT);
    ScriptedUser::PressOK(IDD_LAYERVMDRAW);
    ScriptedUser::Click(IDC_VM_DOCUMENT, IDD_LAYERVMOUTPUT);
    ScriptedUser::Run([&](CDialog* d) { text = ViewerText(d); }, IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERVMOUTPUT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(cases, 0u);
    EXPECT_EQ(storeys, 0u);
    EXPECT_NE(text.find("楼层剪力与倾覆力矩信息"), std::string::npos);
    EXPECT_EQ(text.find("基本工况"), std::string::npos);
}

} // namespace
