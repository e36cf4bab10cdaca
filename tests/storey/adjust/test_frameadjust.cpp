// The frame seismic shear adjustment dialog under a scripted user: the factors of the storey
// range with and without a split storey, the six storey-number checks, basements, the main
// direction, the linked storeys on closing, a structure without a frame or a seismic case,
// and the chapter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/resources/dialogs/StoreyAdjustRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgFrameSeismicAdjust.h>
#include "storey/adjust/AdjustTest.h"
#include "support/StoreyModels.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using vyrtest::CStoreyModelSpec;

namespace {

class FrameAdjustTest : public storeytest::StoreyTest
{
protected:
    // Types the range and the rule, then "重新设定".
    static void Recalculate(const char* start, const char* end, const char* split, int rule)
    {
        ScriptedUser::Click(rule == 0 ? IDC_FRAME_RULE0 : IDC_FRAME_RULE1, IDD_FRAMESEISMADJUST);
        ScriptedUser::SetText(IDC_FRAME_START, start, IDD_FRAMESEISMADJUST);
        ScriptedUser::SetText(IDC_FRAME_END, end, IDD_FRAMESEISMADJUST);
        ScriptedUser::SetText(IDC_FRAME_SPLIT, split, IDD_FRAMESEISMADJUST);
        ScriptedUser::Click(IDC_FRAME_RECAL, IDD_FRAMESEISMADJUST);
    }
    static void PresetFactors(CStoreyModel& model, float factor)
    {
        const CFloorList* list = model.Struct().m_pFloorList;
        for (int i = 1; i <= (int)list->GetCount(); ++i)
            for (float& f : list->Get(i)->m_fFrameAmplify)
                f = factor;
    }

    outtest::TempDir m_tmp;
};

// Each storey S takes the frame shear Vf of the storey below it; V0 is the shear of the
// segment's lowest storey (or its frame shear when larger), Vfmax the largest Vf over the
// segment; the factor is min(a V0, b Vfmax) / Vf, capped at 10, 1 when Vf >= a V0 or Vf is
// nothing.
TEST_F(FrameAdjustTest, TheFactorsOfTheStoreyRangeFollowTheRuleAndTheSegments)
{
    struct Case
    {
        const char* name;
        int rule;
        const char *start, *end, *split;
        std::vector<float> shears; // storeys 1, 2, ...
        std::vector<float> frame;  // the base, storeys 1, 2, ...
        std::vector<float> factors;
    };
    const Case cases[] = {
        // V0 1000, Vfmax 50: Vlim = min(200, 75) = 75; Vf 50, 1, 0.
        {"rule 0", 0, "1", "3", "-1", {1000, 600, 300}, {50, 1, 0, 0}, {1.5f, 10.0f, 1.0f}},
        // Signed shears count by their magnitude: the same factors.
        {"negative shears", 0, "1", "3", "-1", {-1000, -600, -300}, {50, 1, 0, 0}, {1.5f, 10.0f, 1.0f}},
        // V0 1000, Vfmax 300: Vlim = min(250, 540) = 250; Vf 100, 300 (>= 250), 20, 0.
        {"rule 1", 1, "1", "4", "-1", {1000, 800, 500, 200}, {100, 300, 20, 0, 0}, {2.5f, 1.0f, 10.0f, 1.0f}},
        // Split at 3. Below: V0 1000, Vfmax max(10, 20, 30) = 30, Vlim = min(200, 45) = 45 for
        // Vf 10, 20, 30. Above: V0 600, Vfmax max(30, 5, 8) = 30 (storey 3 counts in both),
        // Vlim = min(120, 45) = 45 for Vf 5, 8.
        {"split", 0, "1", "5", "3", {1000, 900, 600, 400, 200}, {10, 20, 30, 5, 8, 0},
         {4.5f, 2.25f, 1.5f, 9.0f, 5.625f}},
        // Storeys 2 to 3: V0 800, Vfmax max(40, 10) = 40, Vlim = min(160, 60) = 60 for Vf 40, 10;
        // the storeys outside get exactly 1.
        {"range", 0, "2", "3", "-1", {1000, 800, 500, 200}, {50, 40, 10, 5, 0}, {1.0f, 1.5f, 6.0f, 1.0f}},
        {"start above end", 0, "3", "2", "-1", {1000, 800, 500, 200}, {50, 40, 10, 5, 0}, {1.0f, 1.0f, 1.0f, 1.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(CStoreyModelSpec().WithStoreys((int)c.shears.size()));
        model.AddFrameMembers(true);
        model.SetSeismShears(0, c.shears);
        model.SetFrameShears(0, c.frame);
        PresetFactors(model, 7.0f);
        const int k = model.SeismPos(0);
        CDlgFrameSeismicAdjust dlg(&model.Data());
        std::vector<std::vector<std::string>> rows;
        Recalculate(c.start, c.end, c.split, c.rule);
        ScriptedUser::Run([&](CDialog* d) { rows = adjusttest::GridRows(d, IDC_FRAME_STOREYGRID); },
                          IDD_FRAMESEISMADJUST);
        ScriptedUser::PressOK(IDD_FRAMESEISMADJUST);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        ASSERT_EQ(rows.size(), c.factors.size());
        for (size_t s = 0; s < c.factors.size(); ++s) {
            EXPECT_NEAR(model.Storey((int)s + 1)->m_fFrameAmplify[k], c.factors[s], 1e-5f) << "storey " << s + 1;
            CString shown;
            shown.Format("%.3f", c.factors[s]);
            EXPECT_EQ(rows[s][3], shown.str()) << "row " << s + 1;
        }
        EXPECT_EQ(model.Data().SeismAdjustStartNo(), std::atoi(c.start));
        EXPECT_EQ(model.Data().SeismAdjustEndNo(), std::atoi(c.end));
        EXPECT_EQ(model.Struct().m_nFrameAdjustRule, c.rule);
        EXPECT_EQ(model.Struct().m_nPodiumFloor, std::atoi(c.split));
    }
}

// The base made a real storey numbered 1 (the storeys above numbered 2 to 4): it has no
// storey below and keeps its factor; above it V0 1000, Vfmax 50, Vlim 75 for Vf 50, 1, 0.
TEST_F(FrameAdjustTest, AStoreyWithoutAStoreyBelowKeepsItsFactor)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    model.AddFrameMembers(true);
    CFloor* base = model.Struct().m_pFloorList->Get(1);
    base->m_nType = 1;
    base->m_nNo = 1;
    for (int s = 1; s <= 3; ++s)
        model.Storey(s)->m_nNo = s + 1;
    const int k = model.SeismPos(0);
    base->m_fSeismShearX[k] = 1000.0f;
    model.SetSeismShears(0, {600, 300, 100});
    model.SetFrameShears(0, {50, 1, 0, 0});
    PresetFactors(model, 7.0f);
    CDlgFrameSeismicAdjust dlg(&model.Data());
    Recalculate("1", "4", "-1", 0);
    ScriptedUser::PressOK(IDD_FRAMESEISMADJUST);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FLOAT_EQ(base->m_fFrameAmplify[k], 7.0f);
    EXPECT_NEAR(model.Storey(1)->m_fFrameAmplify[k], 1.5f, 1e-5f);
    EXPECT_NEAR(model.Storey(2)->m_fFrameAmplify[k], 10.0f, 1e-5f);
    EXPECT_NEAR(model.Storey(3)->m_fFrameAmplify[k], 1.0f, 1e-5f);
}

// One basement (storey number 1) below storeys numbered 2 to 4: the six checks refuse in
// their order and store nothing; a range from 2 leaves the basement at 1 and puts V0 1000,
// Vfmax 50, Vlim 75 on the storeys shown in rows 2 to 4.
TEST_F(FrameAdjustTest, RefusedStoreyNumbersStoreNothingAndTypedNumbersNameTheRowsStoreys)
{
    struct Case
    {
        const char *start, *end, *split, *message;
    };
    const Case cases[] = {
        {"1", "4", "-1", "起始楼层号不能为嵌固楼层!"},   {"5", "4", "-1", "起始楼层号不能大于总楼层数!"},
        {"2", "1", "-1", "终止楼层号不能为嵌固楼层!"},   {"2", "5", "-1", "终止楼层号不能大于总楼层数!"},
        {"3", "4", "2", "中间楼层号不能小于起始楼层号!"}, {"2", "3", "4", "中间楼层号不能大于终止楼层号!"},
        {"x", "4", "-1", "请输入一个整数。"},
    };
    CStoreyModelSpec spec = CStoreyModelSpec().WithStoreys(3);
    spec.nBasement = 1;
    CStoreyModel model(spec);
    model.AddFrameMembers(true);
    model.SetSeismShears(0, {1000, 600, 300});
    model.SetFrameShears(0, {0, 50, 1, 0, 0});
    model.Data().SeismAdjustStartNo() = 3;
    model.Data().SeismAdjustEndNo() = 4;
    PresetFactors(model, 7.0f);
    const int k = model.SeismPos(0);
    CDlgFrameSeismicAdjust dlg(&model.Data());
    std::vector<std::vector<std::string>> rows;
    for (const Case& c : cases) {
        Recalculate(c.start, c.end, c.split, 0);
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        ScriptedUser::Run(
            [&model, k, &c](CDialog*) {
                EXPECT_EQ(model.Data().SeismAdjustStartNo(), 3) << c.message;
                EXPECT_FLOAT_EQ(model.Storey(2)->m_fFrameAmplify[k], 7.0f) << c.message;
            },
            IDD_FRAMESEISMADJUST);
    }
    Recalculate("2", "4", "-1", 0);
    ScriptedUser::Run([&](CDialog* d) { rows = adjusttest::GridRows(d, IDC_FRAME_STOREYGRID); }, IDD_FRAMESEISMADJUST);
    ScriptedUser::PressOK(IDD_FRAMESEISMADJUST);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FLOAT_EQ(model.Basement(1)->m_fFrameAmplify[k], 1.0f);
    EXPECT_NEAR(model.Storey(1)->m_fFrameAmplify[k], 1.5f, 1e-5f);
    EXPECT_NEAR(model.Storey(2)->m_fFrameAmplify[k], 10.0f, 1e-5f);
    EXPECT_NEAR(model.Storey(3)->m_fFrameAmplify[k], 1.0f, 1e-5f);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][0], "第2层");
    EXPECT_EQ(rows[1][3], "1.500");
}

// The vote walks the whole list from the top and never its first storey (the base).
TEST_F(FrameAdjustTest, TheMainDirectionIsYOnlyWhenMoreStoreysAreDominatedByY)
{
    struct Case
    {
        const char* dominated; // storeys 1 to 4: 'x', 'y' or '-' for no shear
        int direction;
    };
    const Case cases[] = {{"yxyx", 1}, {"yyxy", 2}, {"----", 1}, {"xyy-", 2}, {"xxy-", 1}};
    for (const Case& c : cases) {
        CStoreyModel model(CStoreyModelSpec().WithStoreys(4));
        model.AddFrameMembers(true);
        const int k = model.SeismPos(0);
        CFloor* base = model.Struct().m_pFloorList->Get(1);
        base->m_fSeismShearY[k] = 100.0f; // never counted
        for (int s = 1; s <= 4; ++s) {
            const char d = c.dominated[s - 1];
            model.Storey(s)->m_fSeismShearX[k] = d == 'x' ? 10.0f : d == 'y' ? 1.0f : 0.0f;
            model.Storey(s)->m_fSeismShearY[k] = d == 'y' ? 10.0f : d == 'x' ? 1.0f : 0.0f;
        }
        CDlgFrameSeismicAdjust dlg(&model.Data());
        EXPECT_EQ(dlg.getdirection(model.Seism(0)), c.direction) << c.dominated;
    }
}

TEST_F(FrameAdjustTest, ClosingCopiesTheFactorsToLinkedStoreysAndEscapeDoesNot)
{
    for (bool close : {true, false}) {
        CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
        model.AddFrameMembers(true);
        const int k = model.SeismPos(0), other = model.SeismPos(1);
        model.Storey(1)->m_fFrameAmplify[k] = 3.0f;
        model.Storey(1)->m_fFrameAmplify[other] = 4.0f;
        model.Storey(3)->m_fFrameAmplify[k] = 0.5f;
        model.Storey(3)->m_nOwn = 0;
        model.Storey(3)->m_pLink = model.Storey(1);
        CDlgFrameSeismicAdjust dlg(&model.Data());
        if (close)
            ScriptedUser::PressOK(IDD_FRAMESEISMADJUST);
        else
            ScriptedUser::PressCancel(IDD_FRAMESEISMADJUST);
        EXPECT_EQ(dlg.DoModal(), close ? IDOK : IDCANCEL);
        EXPECT_FLOAT_EQ(model.Storey(3)->m_fFrameAmplify[k], close ? 3.0f : 0.5f) << close;
        EXPECT_FLOAT_EQ(model.Storey(3)->m_fFrameAmplify[other], close ? 4.0f : 0.0f) << close;
    }
}

// Opened on a structure with fewer than two members, or with no seismic case, the dialog
// says so; its buttons then neither crash nor open a report.
TEST_F(FrameAdjustTest, WithoutAFrameOrASeismicCaseTheButtonsAreHarmless)
{
    struct Case
    {
        bool members;
        int pairs;
        const char* message;
    };
    const Case cases[] = {{false, 1, "该结构没有框架存在，不必进行框架内力调整!"},
                          {true, 0, "对不起，您没有施加水平地震荷载！"}};
    for (const Case& c : cases) {
        ScriptedUser::Reset();
        CStoreyModel model(CStoreyModelSpec().WithSeismPairs(c.pairs));
        if (c.members)
            model.AddFrameMembers(true);
        model.Data().SeismAdjustStartNo() = 1;
        model.Data().SeismAdjustEndNo() = 5;
        CDlgFrameSeismicAdjust dlg(&model.Data());
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        ScriptedUser::Click(IDC_FRAME_RECAL, IDD_FRAMESEISMADJUST);
        ScriptedUser::Click(IDC_FRAME_OUTPUT, IDD_FRAMESEISMADJUST);
        ScriptedUser::PressOK(IDD_FRAMESEISMADJUST);
        EXPECT_EQ(dlg.DoModal(), IDOK) << c.message;
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u) << c.message;
        EXPECT_EQ(ScriptedUser::Dialogs().size(), 1u) << "no report opened: " << c.message;
        EXPECT_EQ(model.Data().SeismAdjustEndNo(), 5);
    }
}

// The viewer of kind 6 writes the open dialog's chapter, read back from its RTF file: the
// range as stored, no split, and each case's table.
TEST_F(FrameAdjustTest, TheViewerWritesTheChapterWithTheHandValues)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    model.Data().ProjectName() = "样例";
    model.AddFrameMembers(true);
    model.SetSeismShears(0, {1000, 600, 300});
    model.SetFrameShears(0, {50, 1, 0, 0});
    const std::string path = m_tmp.File("frame.rtf");
    CDlgFrameSeismicAdjust dlg(&model.Data());
    Recalculate("1", "3", "-1", 0);
    ScriptedUser::Click(IDC_FRAME_OUTPUT, IDD_FRAMESEISMADJUST);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_FRAMESEISMADJUST);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines[0], "样例框架地震内力调整信息");
    EXPECT_TRUE(adjusttest::HasLine(r, std::string(68, '='))) << "stand-alone: the report head";
    for (const char* line : {"结构分段信息", "结构起始层号：1", "结构终止层号：3", "结构无群楼分段。"})
        EXPECT_TRUE(adjusttest::HasLine(r, line)) << line;
    bool rules = false;
    for (const auto& l : r.lines)
        rules = rules || l.find("框架类型：") != std::string::npos;
    EXPECT_FALSE(rules) << "the parameter block belongs to the whole report";
    const auto rows = adjusttest::StoreyRows(r);
    ASSERT_EQ(rows.size(), 6u) << "two cases of three storeys";
    const std::vector<std::vector<std::string>> first = {
        {"第1层", "1000.000", "50.000", "1.500"},
        {"第2层", "600.000", "1.000", "10.000"},
        {"第3层", "300.000", "0.000", "1.000"},
    };
    EXPECT_EQ(std::vector<std::vector<std::string>>(rows.begin(), rows.begin() + 3), first);
}

// The whole report's section (flag 1) names the stored rule; a rule neither 0 nor 1 reads
// as 1 for structure type 2, else as 0. No window: no message box, even with nothing to
// adjust; flag 2 writes nothing.
TEST_F(FrameAdjustTest, TheWholeReportSectionNamesTheStoredRule)
{
    struct Case
    {
        int rule, type;
        const char* text;
    };
    const Case cases[] = {{0, 0, "0.2V0,1.5Vfmax"}, {1, 0, "0.25V0,1.8Vfmax"}, {5, 2, "0.25V0,1.8Vfmax"},
                          {-1, 0, "0.2V0,1.5Vfmax"}, {0, 2, "0.2V0,1.5Vfmax"}};
    for (const Case& c : cases) {
        CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
        model.AddFrameMembers(true);
        model.Struct().m_nFrameAdjustRule = c.rule;
        model.Data().CurrentStructureType() = c.type;
        CDlgFrameSeismicAdjust dlg(&model.Data());
        const std::string text = adjusttest::TextChapter(dlg, 1, m_tmp);
        EXPECT_NE(text.find(std::string("框架类型：") + c.text + "\n"), std::string::npos) << c.rule << " " << c.type;
        EXPECT_NE(text.find("结构无群楼分段。"), std::string::npos);
        EXPECT_EQ(adjusttest::TextChapter(dlg, 2, m_tmp), "");
    }
    // Two columns and neither walls nor braces: nothing to adjust.
    CStoreyModel bare(CStoreyModelSpec().WithStoreys(3));
    bare.AddFrameMembers(false);
    CDlgFrameSeismicAdjust dlg(&bare.Data());
    EXPECT_EQ(adjusttest::TextChapter(dlg, 1, m_tmp), "");
    CStoreyModel none(CStoreyModelSpec().WithSeismPairs(0));
    none.AddFrameMembers(true);
    CDlgFrameSeismicAdjust empty(&none.Data());
    EXPECT_EQ(adjusttest::TextChapter(empty, 1, m_tmp), "");
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

} // namespace

namespace {

// The switch is stored when ticked, whichever way the dialog closes; choosing the second case
// shows its storeys along its own direction (the round Y shears 100 to 20 kN, the first case's
// X shears being 5 to 1).
TEST_F(FrameAdjustTest, TheSwitchIsStoredAtOnceAndTheChosenCaseIsShown)
{
    CStoreyModel model;
    model.AddFrameMembers(true);
    model.SetSeismShears(0, {5, 4, 3, 2, 1});
    CDlgFrameSeismicAdjust dlg(&model.Data());
    std::vector<std::vector<std::string>> rows;
    ScriptedUser::Check(IDC_FRAME_ADJUST, BST_CHECKED, IDD_FRAMESEISMADJUST);
    adjusttest::ClickGridRow(IDC_FRAME_CASEGRID, 2, IDD_FRAMESEISMADJUST);
    ScriptedUser::Run([&](CDialog* d) { rows = adjusttest::GridRows(d, IDC_FRAME_STOREYGRID); }, IDD_FRAMESEISMADJUST);
    ScriptedUser::PressCancel(IDD_FRAMESEISMADJUST);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(model.Data().FrameSeismAdjust(), 1);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0][1], "100.000");
    EXPECT_EQ(rows[4][1], "20.000");
}

} // namespace
