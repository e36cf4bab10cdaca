// The summary report: its chapter read back from text and RTF, the host's settings block
// asked on the user-interface thread also from a worker, and the dialog's section boxes.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/reports/DlgOutputSummary.h>
#include <vyr/scripteduser.h>
#include <vyr/thread.h>
#include "ReportProject.h"
#include "support/DialogTest.h"
#include "support/TestHost.h"

using reporttest::ChapterLines;
using reporttest::FindLine;
using reporttest::HasLine;
using reporttest::Mentions;

namespace {

class SummaryTest : public vyrtest::DialogTest
{
public:
    reporttest::CReportProject project;
    CDlgOutputSummary dlg;

    SummaryTest() { dlg.m_pData = &project.data; }

    // The chapter with only the chosen sections (model, loads, combinations, design).
    std::vector<std::string> Chapter(int model, int loads, int lc, int design, int flag = 1)
    {
        dlg.m_bModel = model;
        dlg.m_bLoad = loads;
        dlg.m_bLc = lc;
        dlg.m_bDesign = design;
        return ChapterLines([&](COutput& out) { dlg.OutputUnite(out, flag); });
    }

    void AddCrane()
    {
        auto* c = new CCrane;
        c->m_dLiftCapacity = 100;
        project.st.m_pCraneList->AddTail(c);
    }
    void AddCraneRun()
    {
        auto* g = new CCraneGroup;
        g->m_ptStart = CPoint3D(0, 600, 800);
        g->m_ptEnd = CPoint3D(1200, 600, 800);
        g->m_nStartAxis = 1;
        g->m_nEndAxis = 3;
        g->m_fLeftOverhang = 50;
        g->m_aCraneNo.Add(1);
        g->m_aCraneNo.Add(2);
        project.st.m_pCraneGroupList->AddTail(g);
    }
};

TEST_F(SummaryTest, WithoutAModelRootNothingIsWritten)
{
    dlg.m_pData = nullptr;
    EXPECT_TRUE(Chapter(1, 1, 1, 1, 0).empty());
}

TEST_F(SummaryTest, TablesAreNumberedFromOneInTheOrderTheyAreWritten)
{
    struct Case
    {
        const char* name;
        int realFloors;
        bool cranes, run, model;
        std::vector<std::string> captions; // in order
        bool craneBanner;
    };
    const Case cases[] = {
        {"no real storey", 0, false, false, true, {"表1. 结构截面属性信息", "表2. 结构截面特性信息"}, false},
        {"one real storey", 1, false, false, true,
         {"表1. 结构楼面属性信息", "表2. 结构截面属性信息", "表3. 结构截面特性信息"}, false},
        {"cranes and a run", 0, true, true, false, {"表1. 工程用吊车表", "表2. 吊车布置信息表"}, true},
        {"a run alone", 0, false, true, false, {"表1. 吊车布置信息表"}, false},
        {"cranes alone", 0, true, false, false, {"表1. 工程用吊车表"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        project.st.m_pFloorList->DeleteAll();
        project.st.m_pCraneList->DeleteAll();
        project.st.m_pCraneGroupList->DeleteAll();
        project.AddFloor(0, 0, 0); // the base
        for (int i = 1; i <= c.realFloors; ++i)
            project.AddFloor(i, 4, 300.0 * i);
        if (c.cranes)
            AddCrane();
        if (c.run)
            AddCraneRun();
        const auto lines = Chapter(c.model, 1, 0, 0);
        int at = 0;
        for (const std::string& caption : c.captions) {
            at = FindLine(lines, caption, at);
            EXPECT_GE(at, 0) << caption;
        }
        EXPECT_FALSE(Mentions(lines, "表" + std::to_string(c.captions.size() + 1) + ". "));
        EXPECT_EQ(Mentions(lines, "吊车荷载信息"), c.craneBanner);
        EXPECT_EQ(HasLine(lines, "结构真实楼层总数："), c.realFloors > 0 && c.model);
    }
}

TEST_F(SummaryTest, SectionTablesListUsedSectionsWithHandConvertedProperties)
{
    CSectionBase* plain = project.AddSection(1, 0, "Q235");
    plain->m_dA1 = 100;  // cm2
    plain->m_dA2 = 40;
    plain->m_dA3 = 60;
    plain->m_dI22 = 2000; // cm4
    plain->m_dI33 = 30000;
    project.AddSection(2, 0, "Q345"); // used by nobody
    // Steel-concrete sections with a steel part: only codes 700 to 899 name it.
    std::vector<std::pair<int, std::string>> combined = {{750, "Q345+C30"}, {699, "C30"}, {900, "C30"}};
    int no = 3;
    CPNode* a = project.AddNode(1, 0, 0, 0);
    CPNode* b = project.AddNode(2, 100, 0, 0);
    project.AddMember(1, a, b, 2, plain);
    for (const auto& c : combined) {
        auto* s = project.AddSection<CHybridRect>(no, c.first, "C30");
        auto* steel = new CSectionBase; // each holder owns its own part
        steel->m_strMat = "Q345";
        s->SetSteelSec(steel);
        project.AddMember(no++, a, b, 1, s);
    }

    const auto lines = Chapter(1, 0, 0, 0);
    EXPECT_TRUE(HasLine(lines, "使用截面总数：4；"));
    const int props = FindLine(lines, "表1. 结构截面属性信息");
    const int geom = FindLine(lines, "表2. 结构截面特性信息");
    ASSERT_GE(props, 0);
    ASSERT_GT(geom, props);
    auto row = [&](const std::string& no, int from) {
        const int at = FindLine(lines, no, from);
        return at >= 0 ? vyrtest::Words(lines[(size_t)at]) : std::vector<std::string>{};
    };
    // E = 20600 kN/cm2 and G = 7900 kN/cm2 of steel without a material record, in kN/m2.
    EXPECT_EQ(row("R1", props), (std::vector<std::string>{"R1", "S1", "Q235", "2.06e+08", "7.90e+07"}));
    EXPECT_EQ(row("R3", props)[2], "Q345+C30");
    EXPECT_EQ(row("R4", props)[2], "C30");
    EXPECT_EQ(row("R5", props)[2], "C30");
    EXPECT_LT(FindLine(lines, "R2"), 0) << "an unused section is in neither table";
    // A in m2 (x 1e-4), I in m4 (x 1e-8); I1 of a plain section is I2 + I3.
    EXPECT_EQ(row("R1", geom), (std::vector<std::string>{"R1", "1.00e-02", "4.00e-03", "6.00e-03", "3.20e-04",
                                                          "2.00e-05", "3.00e-04"}));
}

TEST_F(SummaryTest, SeismicGroupZeroPutsTheSiteClassOnTheIntensityLine)
{
    CLoadSeismList& seism = *project.st.m_pLoadSeismList;
    seism.m_nIntensity = 8;
    seism.m_nGroupSite = 2; // group 0, site class III
    auto lines = Chapter(0, 1, 0, 0);
    EXPECT_TRUE(HasLine(lines, "地震设防烈度：按8度考虑场地土类别：III；"));
    EXPECT_FALSE(Mentions(lines, "地震分组"));

    seism.m_nGroupSite = 21; // group 2, site class II
    lines = Chapter(0, 1, 0, 0);
    const int at = FindLine(lines, "地震设防烈度：按8度考虑，地震分组为第2组，加速度");
    ASSERT_GE(at, 0);
    EXPECT_EQ(outtest::Trim(lines[(size_t)at + 1]), "场地土类别：II；");
}

TEST_F(SummaryTest, SeismicBlockListsTheHorizontalSeismicCasesAndSwitches)
{
    auto* dead = new CBasicLoadCase(0);
    dead->m_nNo = 1;
    auto* ex = new CBasicLoadCase(7);
    ex->m_nNo = 2;
    project.data.GetCurBasicLCList()->AddTail(dead);
    project.data.GetCurBasicLCList()->AddTail(ex);
    project.st.m_pLoadSeismList->m_bBidirection = 1;
    const auto lines = Chapter(0, 1, 0, 0);
    EXPECT_TRUE(HasLine(lines, "考虑水平地震工况个数：1"));
    EXPECT_TRUE(HasLine(lines, "水平地震工况考虑双向地震"));
    EXPECT_FALSE(Mentions(lines, "偶然偏心"));
    CString exText;
    ex->GetDescription(&exText, 0);
    CString deadText;
    dead->GetDescription(&deadText, 0);
    const int seismicAt = FindLine(lines, "地震设防烈度");
    EXPECT_GE(FindLine(lines, exText.str(), seismicAt), 0);
    EXPECT_LT(FindLine(lines, deadText.str(), seismicAt), 0) << "only seismic cases follow the block";
}

TEST_F(SummaryTest, FrameAdjustmentLineNeedsTwoStoreysAndWallsOrBraces)
{
    struct Case
    {
        const char* name;
        int realFloors;
        int memberType;
        int frameAdjust;
        const char* line; // null: no line
    };
    const Case cases[] = {
        {"one storey with a brace", 1, 3, 0, nullptr},
        {"two storeys, columns only", 2, 1, 0, nullptr},
        {"two storeys with a brace", 2, 3, 0, "不考虑框架地震内力调整"},
        {"two storeys with a brace, adjusted", 2, 3, 1, "考虑框架地震内力调整"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        project.st.m_pFloorList->DeleteAll();
        project.st.m_pBeamList->DeleteAll();
        project.st.m_pNodeList->DeleteAll();
        project.AddFloor(0, 0, 0);
        for (int i = 1; i <= c.realFloors; ++i)
            project.AddFloor(i, 4, 300.0 * i);
        project.AddMember(1, project.AddNode(1, 0, 0, 0), project.AddNode(2, 0, 0, 300), c.memberType);
        project.data.FrameSeismAdjust() = c.frameAdjust;
        const auto lines = Chapter(0, 0, 0, 1);
        EXPECT_EQ(HasLine(lines, "考虑框架地震内力调整") || HasLine(lines, "不考虑框架地震内力调整"), c.line != nullptr);
        if (c.line) {
            EXPECT_TRUE(HasLine(lines, c.line));
        }
    }
}

TEST_F(SummaryTest, ANewDialogReducesNothingAndTheSwitchesShowTheFactors)
{
    auto lines = Chapter(0, 1, 0, 0);
    EXPECT_TRUE(HasLine(lines, "柱、墙活荷载不进行折减；"));
    EXPECT_TRUE(HasLine(lines, "传到基础的活荷载不进行折减；"));
    EXPECT_FALSE(Mentions(lines, "柱，墙，基础活荷载折减系数"));

    dlg.m_bFoundLiveReduce = true;
    dlg.m_fLiveReduceFactor[4] = 0.6f;
    lines = Chapter(0, 1, 0, 0);
    EXPECT_TRUE(HasLine(lines, "传到基础的活荷载进行折减；"));
    const int head = FindLine(lines, "层号");
    ASSERT_GE(head, 0);
    const std::vector<std::vector<std::string>> want = {{"1", "1.00"},   {"2-3", "1.00"}, {"4-5", "1.00"},
                                                        {"6-8", "1.00"}, {"9-20", "0.60"}, {">20", "1.00"}};
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(vyrtest::Words(lines[(size_t)head + 1 + i]), want[i]);
}

TEST_F(SummaryTest, BeamFactorsComeFromTheHostsBlockAndAreLeftOutWithoutIt)
{
    vyrtest::CTestHost host;
    dlg.m_bBeamStiffAdjust = true;
    const float values[] = {0.7f, 1.5f, 2.0f, 0.85f, 1.1f, 0.4f}; // words 6 to 11
    for (int w = 6; w <= 11; ++w)
        host.SetSettingsReal(1, w, values[w - 6]);
    auto lines = Chapter(0, 0, 0, 1);
    const int at = FindLine(lines, "梁的刚度进行调整");
    ASSERT_GE(at, 0);
    const std::vector<std::string> want = {"连梁刚度折减系数：0.70；", "中间梁刚度增大系数：2.00；",
                                           "边梁刚度增大系数：1.50；", "梁端弯矩调幅系数：0.85；",
                                           "梁跨中弯矩增大系数：1.10；", "梁扭矩折减系数：0.40；"};
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(outtest::Trim(lines[(size_t)at + 1 + i]), want[i]);

    host.SetAnswer(WM_UI_GETSETTINGS, 0);
    lines = Chapter(0, 0, 0, 1);
    EXPECT_TRUE(HasLine(lines, "梁的刚度不进行调整；"));
    EXPECT_FALSE(Mentions(lines, "系数："));
    EXPECT_TRUE(HasLine(lines, "不考虑楼层最小地震力调整"));
}

TEST_F(SummaryTest, OnAWorkerTheBlockIsAskedThroughTheUserInterfaceThread)
{
    vyrtest::CTestHost host;
    host.SetSettingsReal(1, 9, 0.8f);
    DWORD answeredOn = 0;
    host.m_onMessage = [&](const vyrtest::HostMessage& m) {
        if (m.message == WM_UI_GETSETTINGS)
            answeredOn = GetCurrentThreadId();
    };
    struct Job
    {
        SummaryTest* test;
        std::vector<std::string> lines;
        std::atomic<bool> done{false};
    } job{this, {}, {}};
    CWinThread* worker = AfxBeginThread(
        [](LPVOID p) -> UINT {
            auto* j = static_cast<Job*>(p);
            j->lines = j->test->Chapter(0, 0, 0, 1);
            j->done = true;
            return 0;
        },
        &job, THREAD_PRIORITY_ABOVE_NORMAL);
    ASSERT_NE(worker, nullptr);
    for (int i = 0; i < 10000 && !job.done; ++i) {
        vyr::PumpMessages();
        ::Sleep(1);
    }
    ASSERT_TRUE(job.done);
    EXPECT_EQ(answeredOn, GetCurrentThreadId());
    EXPECT_TRUE(HasLine(job.lines, "梁端弯矩调幅系数：0.80；"));
}

TEST_F(SummaryTest, LoadsSectionWritesBannersCranesAndWind)
{
    project.data.Gravity() = 1;
    project.st.m_nWindCode = 1;
    project.st.m_fGroundZ = -0.45f;
    project.st.m_fW0 = 0.55f;
    project.st.m_nRoughness = 2;
    auto* crane = new CCrane;
    crane->m_dLiftCapacity = 160; // kN: printed x 0.1
    crane->m_dWeight = 250;
    crane->m_nWheelNum = 4;
    crane->m_nDutyClass = 7; // unknown: light
    crane->m_dMaxWheelLoad = 120;
    crane->m_dMinWheelLoad = 30;
    project.st.m_pCraneList->AddTail(crane);
    AddCraneRun();
    const auto lines = Chapter(0, 1, 0, 0);
    EXPECT_TRUE(HasLine(lines, "恒载自动叠加结构构件自重。"));
    EXPECT_TRUE(HasLine(lines, "风载体形系数，按照《门式刚架轻型房屋钢结构技术规程》（CECS102:2002）取值。"));
    EXPECT_TRUE(HasLine(lines, "地面标高:-0.450m"));
    EXPECT_TRUE(HasLine(lines, "基本风压 (kN/m2)：0.55"));
    EXPECT_TRUE(HasLine(lines, "地面粗糙程度:C级"));
    const int crow = FindLine(lines, "1", FindLine(lines, "吊车编号"));
    ASSERT_GE(crow, 0);
    const auto cells = vyrtest::Words(lines[(size_t)crow]);
    ASSERT_EQ(cells.size(), 7u);
    EXPECT_EQ(std::stod(cells[1]), 16.0);
    EXPECT_EQ(std::stod(cells[2]), 25.0);
    EXPECT_EQ(cells[3], "4");
    EXPECT_EQ(cells[4], "轻级");
    // The axis columns belong to the Kel 3-D edition only.
    EXPECT_FALSE(Mentions(lines, "开始轴号"));
    const int rrow = FindLine(lines, "1", FindLine(lines, "编号"));
    ASSERT_GE(rrow, 0);
    const auto run = vyrtest::Words(lines[(size_t)rrow]);
    ASSERT_EQ(run.size(), 7u);
    EXPECT_EQ(run[1], "0.00/6.00/8.00");
    EXPECT_EQ(run[2], "12.00/6.00/8.00");
    EXPECT_DOUBLE_EQ(std::stod(run[3]), 0.5);
    EXPECT_EQ(run[6], "1,2");
    {
        CVyrProduct::CEditionScope kel(3, CVyrProduct::Kel3D);
        const auto kelLines = Chapter(0, 1, 0, 0);
        EXPECT_TRUE(Mentions(kelLines, "开始轴号"));
        const int at = FindLine(kelLines, "1", FindLine(kelLines, "编号", FindLine(kelLines, "表2.")));
        ASSERT_GE(at, 0);
        const auto kelRow = vyrtest::Words(kelLines[(size_t)at]);
        ASSERT_EQ(kelRow.size(), 9u);
        EXPECT_EQ(kelRow[3], "1");
        EXPECT_EQ(kelRow[4], "3");
    }
}

TEST_F(SummaryTest, CombinationSectionListsCasesParametersAndCombinations)
{
    auto* dead = new CBasicLoadCase(0);
    dead->m_nNo = 1;
    project.data.GetCurBasicLCList()->AddTail(dead);
    project.st.m_pLCList->m_nLock = 1;
    project.st.m_pLCList->m_nBasicRule = 1;
    project.st.m_pLCList->m_bWindBothDir = 0;
    auto* basic = new CLoadCombination;
    basic->m_nNo = 7;
    basic->m_fDead = 1.2f;
    project.st.m_pLCList->AddTail(basic); // the owner
    project.data.GetSLCList()->AddTail(basic);
    const auto lines = Chapter(0, 0, 1, 0);
    const int basicAt = FindLine(lines, "LC7:");
    ASSERT_GE(basicAt, 0);
    EXPECT_EQ(FindLine(lines, "基本荷载组合信息") + 1, basicAt);
    EXPECT_EQ(outtest::Trim(lines[(size_t)basicAt]).rfind("LC7:LC7:", 0), std::string::npos) << "the label once";
    EXPECT_NE(lines[(size_t)basicAt].find("1.20D"), std::string::npos);
    CString deadText;
    dead->GetDescription(&deadText, 0);
    EXPECT_EQ(outtest::Trim(lines[(size_t)FindLine(lines, "基本荷载工况信息") + 1]), deadText.str());
    EXPECT_TRUE(HasLine(lines, "采用用户自定义荷载组合"));
    EXPECT_TRUE(HasLine(lines, "标准组合采用GB500009-2001第3.2.8条标准组合方法生成"));
    EXPECT_TRUE(HasLine(lines, "基本组合采用GB500009-2001第3.2.4条简化组合方法生成"));
    EXPECT_FALSE(Mentions(lines, "每个风载工况"));
    EXPECT_TRUE(HasLine(lines, "基本组合自动生成时，每个水平地震工况组合时增加一种反向对应组合"));
    const int partial = FindLine(lines, "基本工况分项系数：");
    ASSERT_GE(partial, 0);
    const auto deadFactor = vyrtest::Words(lines[(size_t)partial + 2]);
    ASSERT_EQ(deadFactor.size(), 2u);
    EXPECT_EQ(deadFactor[0], "恒载基本工况");
    EXPECT_FLOAT_EQ(std::stof(deadFactor[1]), 1.2f);
    EXPECT_GE(FindLine(lines, "可变荷载组合系数：", partial + 10), 0);
    EXPECT_GE(FindLine(lines, "标准荷载组合信息"), FindLine(lines, "基本荷载组合信息"));
}

TEST_F(SummaryTest, EachBoxRewritesTheChapterFromTheTitleWithTheControlVisible)
{
    vyrtest::CTestHost host;
    std::string first, after;
    bool visible = false;
    vyr::ScriptedUser::Run([&](CDialog* d) {
        CString t;
        d->GetDlgItemText(IDC_REPORT_EDIT, t);
        first = t.str();
    }, IDD_OUTPUT_SUMMARY);
    vyr::ScriptedUser::Check(IDC_OSUM_MODEL, BST_UNCHECKED, IDD_OUTPUT_SUMMARY);
    vyr::ScriptedUser::Run([&](CDialog* d) {
        CString t;
        d->GetDlgItemText(IDC_REPORT_EDIT, t);
        after = t.str();
        visible = d->GetDlgItem(IDC_REPORT_EDIT)->IsWindowVisible() != 0;
    }, IDD_OUTPUT_SUMMARY);
    vyr::ScriptedUser::Click(IDOK, IDD_OUTPUT_SUMMARY);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NE(first.find("总体模型信息"), std::string::npos);
    EXPECT_EQ(after.find("总体模型信息"), std::string::npos);
    EXPECT_EQ(after.rfind("样例总体信息", 0), 0u) << "the chapter starts again with its title";
    EXPECT_EQ(after.find("样例总体信息", 1), std::string::npos) << "the control was emptied first";
    EXPECT_NE(after.find("计算软件"), std::string::npos);
    EXPECT_TRUE(visible);
    EXPECT_EQ(dlg.m_bModel, 0);
}

TEST_F(SummaryTest, ChapterReadsBackFromRtf)
{
    project.AddFloor(0, 0, 0);
    project.AddFloor(1, 4, 350);
    AddCrane();
    outtest::TempDir dir;
    const std::string path = dir.File("summary.rtf");
    const outtest::RtfReading rtf = outtest::WriteAndReadRtf(path, [&](COutput& out) {
        dlg.OutputUnite(out, 0);
    });
    ASSERT_TRUE(rtf.ok);
    auto hasLine = [&](const std::string& text) { return outtest::HasLine(rtf, text); };
    EXPECT_TRUE(hasLine("样例总体信息"));
    EXPECT_TRUE(hasLine("表1. 结构楼面属性信息"));
    EXPECT_TRUE(hasLine("地震设防烈度：按7度考虑"));
    bool storeyRow = false;
    for (const auto& r : rtf.rows)
        storeyRow = storeyRow || (r.size() == 6 && r[1] == "3.500m");
    EXPECT_TRUE(storeyRow);
}

} // namespace
