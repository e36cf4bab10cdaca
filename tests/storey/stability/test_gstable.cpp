// The overall stability check: the method by the structure's walls and braces, the frame
// records worked by hand with their colours, the ratio of the wind method worked by hand with
// its verdicts, the sign of a case, the ground elevation, the missing cases, and the chapter
// through the viewer and in the whole report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/model/output/output.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgGStableCheck.h>
#include <vyr/storey/DlgOutputDocument.h>
#include "storey/StoreyTest.h"
#include "support/StoreyModels.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using vyrtest::CStoreyModelSpec;

namespace {

class StableProbe : public CDlgGStableCheck
{
public:
    using CDlgGStableCheck::CDlgGStableCheck;
    using CDlgGStableCheck::GetDirection;
    using CDlgGStableCheck::GetWindDirection;
};

class StableTest : public storeytest::StoreyTest
{
protected:
    static void AddWall(CStoreyModel& model) { model.Struct().m_pWallList->AddTail(new CWall); }
    static void AddBrace(CStoreyModel& model) { model.Struct().m_pBeamList->AddTail(new CBeam(1, nullptr, nullptr, 3)); }
    static void RemoveCase(CStoreyModel& model, CBasicLoadCase* lc)
    {
        CBasicLCList* cases = model.Struct().m_pBasicLCList;
        cases->RemoveAt(cases->Find(lc));
        delete lc;
    }

    // Two storeys of 3 m and a wall: H = 6 m, storey weights 550 kN (ΣG 1100 kN); the X wind
    // case moves the top 50 cm along X. With base shear V, EJd/(H²ΣG) = 2 V H 11/120 / (u ΣG)
    // = V / 500.
    static void PrepareWind(CStoreyModel& model, float baseShear)
    {
        AddWall(model);
        CBasicLoadCase* lc = model.Wind(0);
        for (int k = 1; k <= 2; ++k) {
            model.Storey(k)->m_fWeight = 550.0f;
            model.Storey(k)->SetTotalShear(lc->m_nNo, k == 1 ? baseShear : baseShear / 2, 0.0f);
        }
        model.Storey(2)->SetFloorDisp(lc->m_nNo - 1, 1, 50.0f);
    }

    std::string TextChapter(CDlgGStableCheck& check, int flag)
    {
        return outtest::JoinLines(outtest::WriteAndReadText(m_tmp.File("stable.txt"), [&](COutput& out) { check.Output(out, flag); }));
    }
    std::string RtfChapter(CDlgGStableCheck& check, int flag, const std::string& name)
    {
        const std::string path = m_tmp.File(name);
        COutput out;
        EXPECT_TRUE(out.InitDevice(DEVICE_RTF, path.c_str(), 1));
        check.Output(out, flag);
        out.Close();
        return path;
    }
    // The text from one mark to the next (or to the end).
    static std::string Between(const std::string& text, const std::string& from, const std::string& to)
    {
        const size_t a = text.find(from);
        if (a == std::string::npos)
            return "";
        const size_t b = text.find(to, a + from.size());
        return text.substr(a, b == std::string::npos ? std::string::npos : b - a);
    }

    outtest::TempDir m_tmp;
};

TEST_F(StableTest, WallsAndBracesDecideTheMethod)
{
    struct Case
    {
        const char* name;
        void (*add)(CStoreyModel&);
        bool frame;
    };
    const Case cases[] = {{"no wall and no brace, wind cases or not", [](CStoreyModel&) {}, true},
                          {"one wall", &StableTest::AddWall, false},
                          {"one brace", &StableTest::AddBrace, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
        c.add(model);
        CDlgGStableCheck check(&model.Data());
        EXPECT_EQ(check.m_bFrame, c.frame);
        EXPECT_EQ(check.m_bSeism, c.frame);
        EXPECT_EQ(check.m_arrFloor.empty(), !c.frame);
        EXPECT_EQ(check.m_pWindX != nullptr, !c.frame);
        const std::string text = TextChapter(check, 1);
        EXPECT_EQ(text.find("结构X向整体稳定性验算") != std::string::npos, c.frame);
        EXPECT_EQ(text.find("X向刚重比：") != std::string::npos, !c.frame);
    }
}

// Four storeys of 4 m; the seismic X case: storeys 4, 3, 2 carry 1000, 3000 and 7000 kN
// over drifts of 10, 20 and 35 cm; weights 100, 200, 400 and 800 kN from the top down.
TEST_F(StableTest, FrameRecordsWorkedByHandListedFromTheLowest)
{
    CStoreyModelSpec spec = CStoreyModelSpec().WithStoreys(4);
    spec.dStoreyH = 400.0;
    CStoreyModel model(spec);
    const int pos = model.SeismPos(0);
    CBasicLoadCase* lc = model.Seism(0);
    const float shear[] = {0, 7000, 3000, 1000};
    const float drift[] = {5, 35, 20, 10};
    const float weight[] = {800, 400, 200, 100};
    for (int k = 1; k <= 4; ++k) {
        CFloor* f = model.Storey(k);
        f->m_fSeismShearX[pos] = shear[k - 1];
        f->m_fSeismShearY[pos] = 0.0f;
        f->SetFloorRelativeDisp(lc->m_nNo - 1, 1, drift[k - 1], 0);
        f->m_fWeight = weight[k - 1];
    }
    CDlgGStableCheck check(&model.Data());
    ASSERT_TRUE(check.m_bFrame && check.m_bSeism);
    EXPECT_EQ(check.m_pSeismX, lc);
    EXPECT_EQ(check.m_pSeismY, model.Seism(1));
    struct Row
    {
        int no;
        float d, sumG, ratio;
    };
    // The top first: ΣG summed from the top; h 4 m each, the lowest down to storey 1 only.
    const Row expected[] = {{3, 1000 / 0.1f, 100, 10000 * 4 / 100.0f},
                            {2, 3000 / 0.2f, 300, 15000 * 4 / 300.0f},
                            {1, 7000 / 0.35f, 700, 20000 * 4 / 700.0f}};
    ASSERT_EQ(check.m_arrFloor.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const CGStableFloor& r = check.m_arrFloor[i];
        EXPECT_EQ(r.nNo, expected[i].no);
        EXPECT_FLOAT_EQ(r.fH, 4.0f);
        EXPECT_FLOAT_EQ(r.fSumG, expected[i].sumG);
        EXPECT_NEAR(r.fDX, expected[i].d, expected[i].d * 1e-5);
        EXPECT_NEAR(r.fRatioX, expected[i].ratio, expected[i].ratio * 1e-5);
    }
    const std::string text = TextChapter(check, 0);
    const std::string x = Between(text, "结构X向整体稳定性验算", "结构Y向整体稳定性验算");
    const size_t first = x.find("第 1层"), second = x.find("第 2层"), third = x.find("第 3层");
    ASSERT_NE(first, std::string::npos) << x;
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_NE(x.find("700.000"), std::string::npos);
    EXPECT_NE(x.find("175.000"), std::string::npos) << "ΣG/h of the lowest record";
    EXPECT_NE(x.find("20000.000"), std::string::npos);
    EXPECT_NE(x.find("114.286"), std::string::npos);
}

TEST_F(StableTest, AStoreyOfTypeFourIsPassedOverAndTheNextRecordReachesDownPastIt)
{
    CStoreyModelSpec spec = CStoreyModelSpec().WithStoreys(4);
    spec.dStoreyH = 400.0;
    CStoreyModel model(spec);
    model.Storey(2)->m_nType = 4;
    CDlgGStableCheck check(&model.Data());
    ASSERT_EQ(check.m_arrFloor.size(), 2u);
    EXPECT_EQ(check.m_arrFloor[0].nNo, 3);
    EXPECT_EQ(check.m_arrFloor[1].nNo, 2);
    EXPECT_FLOAT_EQ(check.m_arrFloor[0].fH, 4.0f);
    EXPECT_FLOAT_EQ(check.m_arrFloor[1].fH, 8.0f) << "storey 3 down to storey 1";
}

TEST_F(StableTest, FrameRatiosAreColouredAgainstTwentyAndTen)
{
    struct Case
    {
        float ratio;
        bool magenta, red;
    };
    const Case cases[] = {{20.0f, false, false}, {19.99f, true, false}, {10.0f, true, false}, {9.99f, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ratio);
        // Two storeys of 4 m: one record, the top storey of 1000 kN over 4 m: ΣG/h = 250;
        // a drift of 50 cm, so D = V / 0.5 and the ratio V / 125.
        CStoreyModelSpec spec = CStoreyModelSpec().WithStoreys(2);
        spec.dStoreyH = 400.0;
        CStoreyModel model(spec);
        CBasicLoadCase* lc = model.Seism(0);
        model.Storey(2)->m_fSeismShearX[model.SeismPos(0)] = 125.0f * c.ratio;
        model.Storey(2)->SetFloorRelativeDisp(lc->m_nNo - 1, 1, 50.0f, 0);
        CDlgGStableCheck check(&model.Data());
        ASSERT_EQ(check.m_arrFloor.size(), 1u);
        EXPECT_FLOAT_EQ(check.m_arrFloor[0].fRatioX, c.ratio);
        const std::string path = RtfChapter(check, 0, "frame.rtf");
        const auto magenta = storeytest::TablesOfRtf(path, "#ff00ff");
        const auto red = storeytest::TablesOfRtf(path, "#ff0000");
        ASSERT_EQ(magenta.size(), 2u);
        EXPECT_EQ(magenta[0].heading, "结构X向整体稳定性验算");
        EXPECT_EQ(magenta[0].coloured, c.magenta);
        EXPECT_EQ(red[0].coloured, c.red);
        EXPECT_FALSE(magenta[1].coloured || red[1].coloured) << "Y: far above 20";
    }
}

TEST_F(StableTest, WindRatioWorkedByHandWithItsVerdicts)
{
    struct Case
    {
        float baseShear;
        float ratio;
        const char* second; // the verdict after 2.7
        const char* stable; // the verdict after 1.4
    };
    const Case cases[] = {
        {1350, 2.7f, "=2.700 ≥ 2.7，不必按高规(5.4.1)进行重力二阶效应分析。", "≥ 1.4，满足高规(5.4.4)对整体稳定性的验算要求。"},
        {1000, 2.0f, "=2.000 < 2.7，必须按高规(5.4.1)进行重力二阶效应分析。", "≥ 1.4，满足高规(5.4.4)对整体稳定性的验算要求。"},
        {500, 1.0f, "=1.000 < 2.7，必须按高规(5.4.1)进行重力二阶效应分析。", "< 1.4，不满足高规(5.4.4)对整体稳定性的验算要求。"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ratio);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
        PrepareWind(model, c.baseShear);
        CDlgGStableCheck check(&model.Data());
        ASSERT_FALSE(check.m_bFrame);
        EXPECT_EQ(check.m_pWindX, model.Wind(0));
        EXPECT_FLOAT_EQ(check.m_fRatioX, c.ratio);
        EXPECT_FLOAT_EQ(check.m_fHeight, 6.0f);
        EXPECT_FLOAT_EQ(check.m_fWeight, 1100.0f);
        EXPECT_FLOAT_EQ(check.m_fQX, 2 * c.baseShear / 6.0f);
        EXPECT_FLOAT_EQ(check.m_fUX, 0.5f);
        const std::string x = Between(TextChapter(check, 0), "X向在最大值q=", "Y向在最大值q=");
        EXPECT_NE(x.find(c.second), std::string::npos) << x;
        EXPECT_NE(x.find(c.stable), std::string::npos) << x;
        EXPECT_NE(x.find("顶点质心水平位移u=500.000mm"), std::string::npos) << x;
    }
    // 2.7: EJd = q H^4 11/120 / u = 450 x 1296 x 11/120 / 0.5 = 106920 kN m2.
    CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
    PrepareWind(model, 1350);
    CDlgGStableCheck check(&model.Data());
    EXPECT_EQ(check.m_strFormulaX, "106920.000/(6.000×6.000×1100.000)");
    const std::string text = TextChapter(check, 0);
    EXPECT_NE(text.find("=106920.000kN*m^2"), std::string::npos) << text;
    EXPECT_NE(text.find("房屋高度：H=6.000m"), std::string::npos);
    EXPECT_NE(text.find("结构的总重力荷载设计值：ΣGi=1100.000kN"), std::string::npos);
}

TEST_F(StableTest, ACaseBlowingBackwardsGivesThePositiveRatioAndNoYShearLeavesYUnchecked)
{
    struct Case
    {
        int wind; // the one wind case kept: 0 X, 2 -X
        float sign;
    };
    for (const Case& c : {Case{0, 1.0f}, Case{2, -1.0f}}) {
        SCOPED_TRACE(c.wind);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
        AddWall(model);
        CBasicLoadCase* lc = model.Wind(c.wind);
        for (int i = 0; i < 4; ++i)
            if (i != c.wind)
                RemoveCase(model, model.Wind(i));
        for (int k = 1; k <= 2; ++k) {
            model.Storey(k)->m_fWeight = 550.0f;
            model.Storey(k)->SetTotalShear(lc->m_nNo, c.sign * (k == 1 ? 1000.0f : 500.0f), 0.0f);
        }
        model.Storey(2)->SetFloorDisp(lc->m_nNo - 1, 1, c.sign * 50.0f);
        CDlgGStableCheck check(&model.Data());
        EXPECT_EQ(check.m_pWindX, lc);
        EXPECT_EQ(check.m_pWindY, lc) << "the one case serves both directions";
        EXPECT_FLOAT_EQ(check.m_fRatioX, 2.0f);
        EXPECT_FLOAT_EQ(check.m_fRatioY, 0.0f);
        const std::string text = TextChapter(check, 1);
        EXPECT_NE(text.find("=2.000 < 2.7"), std::string::npos) << text;
        EXPECT_NE(text.find("没有以Y为主方向的风荷载，因此没有进行Y方向的刚重比计算，请在前处理添加并计算，谢谢！"),
                  std::string::npos);
        EXPECT_EQ(text.find("没有以X为主方向"), std::string::npos);
    }
}

TEST_F(StableTest, TheGroundElevationLowersTheHeightByAsManyMetres)
{
    struct Case
    {
        float ground; // m
        float height;
        float ratio; // V / 500 x H / 6
    };
    const Case cases[] = {{0.0f, 6.0f, 2.0f}, {1.5f, 4.5f, 1.5f}, {-3.0f, 9.0f, 3.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ground);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
        PrepareWind(model, 1000);
        model.Struct().m_fGroundZ = c.ground;
        CDlgGStableCheck check(&model.Data());
        EXPECT_FLOAT_EQ(check.m_fHeight, c.height);
        EXPECT_FLOAT_EQ(check.m_fRatioX, c.ratio);
    }
}

TEST_F(StableTest, MissingCasesAreToldInTheChapterWithoutAMessageBox)
{
    struct Case
    {
        const char* name;
        bool wall, wind;
        int seismPairs;
        const char* message;
    };
    const Case cases[] = {
        {"a frame without a seismic case", false, true, 0,
         "对不起，您没有添加X向和Y向的水平地震荷载，请在前处理添加并计算，谢谢！"},
        {"a walled structure without a wind case", true, false, 1,
         "对不起，您没有添加双向的水平风荷载，请在前处理添加并计算，谢谢！"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(3).WithWind(c.wind).WithSeismPairs(c.seismPairs));
        if (c.wall)
            AddWall(model);
        CDlgGStableCheck check(&model.Data());
        const std::string text = TextChapter(check, 0);
        EXPECT_NE(text.find(c.message), std::string::npos) << text;
        EXPECT_EQ(text.find("Floor"), std::string::npos);
        EXPECT_EQ(text.find("刚重比"), std::string::npos);
    }
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

TEST_F(StableTest, TheMainDirectionCountsStoreysAboveTheBasementsAndATieIsY)
{
    struct Case
    {
        const char* name;
        int storeys;
        std::vector<std::pair<float, float>> shears; // storeys 1, 2, ... (X, Y)
        int direction;
    };
    const Case cases[] = {
        {"more X", 3, {{0, 9}, {9, 1}, {9, 1}}, 1},
        {"tied, the third storey even", 3, {{9, 1}, {1, 9}, {5, 5}}, 2},
        {"a shear within 1e-5 counts for neither", 3, {{0, 9e-6f}, {9, 1}, {0, 0}}, 1},
        {"one storey above the base counts, the base below it never", 1, {{9, 1}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(c.storeys));
        CBasicLoadCase* lc = model.Wind(0);
        for (size_t k = 0; k < c.shears.size(); ++k)
            model.Storey((int)k + 1)->SetTotalShear(lc->m_nNo, c.shears[k].first, c.shears[k].second);
        StableProbe check(&model.Data());
        EXPECT_EQ(check.GetDirection(lc), c.direction);
    }
}

TEST_F(StableTest, WindAnglesTakeTheNearestCaseOfEachDirection)
{
    const double pi = 3.1415926; // half the turn the angles are reduced by
    struct Case
    {
        const char* name;
        double angles[2]; // of wind cases X and Y, given in this order
        int x, y;         // the chosen case of each direction: 0, 1, or -1 for none
    };
    const Case cases[] = {
        {"along the axes", {0.0, pi / 2}, 0, 1},
        {"-Y counts as Y", {pi, 3 * pi / 2}, 0, 1},
        {"the first within 80 degrees stays", {pi / 6, pi / 12}, 0, 0},
        {"an exact axis replaces a near one", {pi / 3, pi / 2}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
        AddWall(model);
        StableProbe check(&model.Data());
        check.m_pWindX = check.m_pWindY = nullptr;
        for (int i = 0; i < 2; ++i) {
            model.Struct().m_pLoadWindNodeList[i]->m_dAngle = c.angles[i];
            check.GetWindDirection(model.Wind(i));
        }
        EXPECT_EQ(check.m_pWindX, c.x < 0 ? nullptr : model.Wind(c.x));
        EXPECT_EQ(check.m_pWindY, c.y < 0 ? nullptr : model.Wind(c.y));
    }
}

TEST_F(StableTest, TheViewerOfKindEightWritesTheChapterFromTheModel)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    model.Data().ProjectName() = "框架";
    CString caption;
    std::string text;
    ScriptedUser::Run(
        [&](CDialog* d) {
            d->GetWindowText(caption);
            text = ViewerText(d);
        },
        IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    CDlgOutputDocument viewer(nullptr);
    viewer.m_pGlobalData = &model.Data();
    viewer.m_nDocType = 8;
    EXPECT_EQ(viewer.DoModal(), IDOK);
    EXPECT_EQ(caption, "整体稳定性统计报告");
    EXPECT_NE(text.find("框架整体稳定信息"), std::string::npos);
    EXPECT_NE(text.find(std::string(68, '=')), std::string::npos) << "stand-alone: the report head";
    EXPECT_NE(text.find("各列表符号和参数说明："), std::string::npos);
    EXPECT_NE(text.find("结构Y向整体稳定性验算"), std::string::npos);
}

TEST_F(StableTest, InTheWholeReportTheWindChapterLeavesOutItsWorkingAndKeepsItsSubscripts)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
    PrepareWind(model, 1350);
    CDlgGStableCheck check(&model.Data());
    const std::string path = RtfChapter(check, 1, "whole.rtf");
    const std::string html = outtest::RunCommand("unrtf --html '" + path + "' 2>/dev/null");
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    std::string lines;
    for (const std::string& line : r.lines)
        lines += storeytest::DecodeNamedEntities(line) + "\n";
    EXPECT_NE(lines.find("整体稳定信息"), std::string::npos);
    EXPECT_EQ(lines.find(std::string(68, '=')), std::string::npos);
    EXPECT_EQ(lines.find("房屋高度"), std::string::npos);
    EXPECT_EQ(lines.find("X向在最大值q="), std::string::npos);
    EXPECT_NE(lines.find("X向刚重比："), std::string::npos);
    EXPECT_NE(lines.find("=106920.000/(6.000×6.000×1100.000)"), std::string::npos) << lines;
    EXPECT_NE(html.find("<sub>d</sub>"), std::string::npos);
    EXPECT_NE(html.find("<sup>2</sup>"), std::string::npos);
    EXPECT_NE(html.find("<sub>i</sub>"), std::string::npos);
}

} // namespace
