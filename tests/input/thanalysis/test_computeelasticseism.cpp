// The time-history analysis dialog: its record and case lists, the dialogs it opens and the
// hand-off to the analysis engine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "THAnalysisTestKit.h"
#include <vyr/input/DlgComputeElasticSeism.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/resources/dialogs/THAnalysisRes.h>
#include <vyr/resources/dialogs/WaveRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
namespace fs = std::filesystem;

namespace {

using Table = std::vector<std::vector<std::string>>;

std::vector<int> g_exitCodes;
int g_beforeCalcAtExit = -1;
vyrtest::CTestHost* g_host = nullptr;

void RecordExit(int code)
{
    g_exitCodes.push_back(code);
    g_beforeCalcAtExit = g_host != nullptr ? g_host->Count(WM_UI_BEFORECALC) : -1;
}

struct Analysis : thtest::ProjectWorld
{
    CWaveFun* a = nullptr;
    CWaveFun* b = nullptr;
    VyrProcessEndFn saved = nullptr;

    void SetUp() override
    {
        ProjectWorld::SetUp();
        g_exitCodes.clear();
        g_beforeCalcAtExit = -1;
        g_host = &host;
        saved = VyrSetProcessEnd(&RecordExit);
        CDocomDo::Inst().m_bFlag = 0;
        a = AddRecord("WA", 0.02f, 12.0f);
        b = AddRecord("WB", 0.01f, 5.5f);
        // Base and one storey of kind 1: the mass-point dialog writes one master node.
        AddFloor(0, 3, 0);
        CFloor* f1 = AddFloor(1, 1, 300);
        AddNode(1, 1, 0, 0, 300, f1);
        AddMaster(f1, 1);
    }
    void TearDown() override
    {
        VyrSetProcessEnd(saved);
        g_host = nullptr;
        CDocomDo::Inst().m_bFlag = 0;
        ProjectWorld::TearDown();
    }
    CWaveFun* AddRecord(const char* name, float step, float dist)
    {
        std::vector<float> v((size_t)CWaveFun::SampleCount(dist, step) + 1, 1.0f);
        auto* w = new CWaveFun;
        w->SetValue(name, step, dist, v.data());
        st.m_pWaveFunList->AddTail(w);
        return w;
    }
    CTHCase* AddCase(const char* name, CWaveFun* x)
    {
        auto* c = new CTHCase;
        c->SetName(name);
        c->m_pWaveFunX = x;
        c->m_fDist = 8.0f;
        c->m_fStep = 0.025f;
        st.m_pTHCaseList->Add(c);
        return c;
    }
    INT_PTR Run(CDlgComputeElasticSeism& dlg)
    {
        dlg.m_pData = &data;
        return dlg.DoModal();
    }
    static std::vector<std::vector<std::string>> Rows(CDialog* d, int id)
    {
        auto* list = static_cast<CListCtrl*>(d->GetDlgItem(id));
        std::vector<std::vector<std::string>> rows;
        const int columns = id == IDC_THCALC_CASELIST ? 4 : 3;
        for (int r = 0; r < list->GetItemCount(); ++r) {
            rows.emplace_back();
            for (int c = 0; c < columns; ++c)
                rows.back().push_back(list->GetItemText(r, c).GetString());
        }
        return rows;
    }
    void WriteEngine() { Write(app / "VyrCal.exe", "placeholder"); }
};

} // namespace

TEST(EngineCommandLine, FiveQuotedPiecesWithTheApplicationFolderAndTheArgument)
{
    struct Case
    {
        const char* arg;
        const char* line;
    };
    for (const Case& c : {Case{"", "\"C:\\App\\VyrCal.exe\" \"D:\\Work\\Tower.vyr\" \"/t:CT_TIMEANALISIS\" "
                                   "\"/c:C:\\App\\\" \"/r:C:\\App\\\""},
                          Case{"cfg", "\"C:\\App\\VyrCal.exe\" \"D:\\Work\\Tower.vyr\" \"/t:CT_TIMEANALISIS\" "
                                      "\"/c:C:\\App\\cfg\" \"/r:C:\\App\\cfg\""}})
        EXPECT_EQ(CDlgComputeElasticSeism::EngineCommandLine("C:\\App", "D:\\Work", "Tower", c.arg), c.line);
}

TEST_F(Analysis, IsCreatedByItsRuntimeClassWithoutAnEngineArgument)
{
    CRuntimeClass* rc = RUNTIME_CLASS(CDlgComputeElasticSeism);
    EXPECT_STREQ(rc->m_lpszClassName, "CDlgComputeElasticSeism");
    CObject* o = rc->CreateObject();
    ASSERT_NE(o, nullptr);
    auto* dlg = dynamic_cast<CDlgComputeElasticSeism*>(o);
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->m_strEngineArg.IsEmpty());
    EXPECT_EQ(dlg->m_pData, nullptr);
    delete o;
}

TEST_F(Analysis, ListsShowRecordsAndCasesWithThreeDecimals)
{
    AddCase("TH1", a);
    CDlgComputeElasticSeism dlg;
    ScriptedUser::Run([](CDialog* d) {
        EXPECT_EQ(Rows(d, IDC_THCALC_WAVELIST), (Table{{"WA", "12.000", "0.020"}, {"WB", "5.500", "0.010"}}));
        const Table cases = Rows(d, IDC_THCALC_CASELIST);
        ASSERT_EQ(cases.size(), 1u);
        EXPECT_EQ(cases[0][0], "TH1");
        EXPECT_EQ(cases[0][2], "8.000");
        EXPECT_EQ(cases[0][3], "0.025");
    });
    ScriptedUser::PressOK();
    EXPECT_EQ(Run(dlg), IDOK);
}

TEST_F(Analysis, RecordsAndCasesAddedThroughTheirDialogsAppearInTheLists)
{
    MakeClass("I", {"EQ1"});
    CDlgComputeElasticSeism dlg;
    ScriptedUser::Click(IDC_THCALC_WAVEADD);
    ScriptedUser::SelectRow(IDC_WAVEFUN_LIST, 0, IDD_WAVEFUN);
    ScriptedUser::PressOK(IDD_WAVEFUN);
    ScriptedUser::Click(IDC_THCALC_CASEADD);
    ScriptedUser::SelectRow(IDC_THCASE_WAVEX, 2, IDD_THCASE);
    ScriptedUser::Check(IDC_THCASE_USEY, BST_UNCHECKED, IDD_THCASE);
    ScriptedUser::SetText(IDC_THCASE_NAME, "NEW", IDD_THCASE);
    ScriptedUser::PressOK(IDD_THCASE);
    ScriptedUser::Run([](CDialog* d) {
        const Table records = Rows(d, IDC_THCALC_WAVELIST);
        ASSERT_EQ(records.size(), 3u);
        EXPECT_EQ(records[2][0], "EQ1");
        const Table cases = Rows(d, IDC_THCALC_CASELIST);
        ASSERT_EQ(cases.size(), 1u);
        EXPECT_EQ(cases[0][0], "NEW");
    });
    ScriptedUser::PressOK();
    EXPECT_EQ(Run(dlg), IDOK);
    ASSERT_EQ(st.m_pTHCaseList->GetCount(), 1);
    EXPECT_EQ(st.m_pTHCaseList->Get(1)->m_pWaveFunX, st.m_pWaveFunList->Get(3));
}

TEST_F(Analysis, ARecordUsedByACaseIsKeptUntilTheCaseIsDeleted)
{
    AddCase("TH1", b);
    CDlgComputeElasticSeism dlg;
    ScriptedUser::SelectRow(IDC_THCALC_WAVELIST, 1);
    ScriptedUser::Click(IDC_THCALC_WAVEDELETE);
    ScriptedUser::AnswerMessageBox(IDOK, "此波函数被时程荷载工况使用，不能删除！");
    ScriptedUser::Run([](CDialog* d) {
        EXPECT_EQ(Rows(d, IDC_THCALC_WAVELIST).size(), 2u);
        EXPECT_EQ(Rows(d, IDC_THCALC_CASELIST).size(), 1u);
    });
    ScriptedUser::SelectRow(IDC_THCALC_CASELIST, 0);
    ScriptedUser::Click(IDC_THCALC_CASEDELETE);
    ScriptedUser::SelectRow(IDC_THCALC_WAVELIST, 1);
    ScriptedUser::Click(IDC_THCALC_WAVEDELETE);
    ScriptedUser::Run([](CDialog* d) {
        EXPECT_EQ(Rows(d, IDC_THCALC_WAVELIST), (Table{{"WA", "12.000", "0.020"}}));
        EXPECT_TRUE(Rows(d, IDC_THCALC_CASELIST).empty());
    });
    ScriptedUser::PressOK();
    EXPECT_EQ(Run(dlg), IDOK);
    EXPECT_EQ(st.m_pWaveFunList->GetCount(), 1);
    EXPECT_EQ(st.m_pWaveFunList->Get(1), a);
    EXPECT_EQ(st.m_pTHCaseList->GetCount(), 0);
}

TEST_F(Analysis, ButtonsWithoutASelectionOrResultsOnlySayWhy)
{
    AddCase("TH1", a);
    const struct
    {
        int button;
        const char* message;
    } cases[] = {{IDC_THCALC_WAVEEDIT, "请选择要编辑的波函数！"},
                 {IDC_THCALC_WAVEDELETE, "请选择要删除的波函数！"},
                 {IDC_THCALC_CASEEDIT, "请选择要编辑的时程荷载工况！"},
                 {IDC_THCALC_CASEDELETE, "请选择要删除的时程荷载工况！"},
                 {IDC_THCALC_RESULT, "没有计算结果！"}};
    CDlgComputeElasticSeism dlg;
    for (const auto& c : cases) {
        ScriptedUser::Click(c.button);
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
    }
    ScriptedUser::PressOK();
    EXPECT_EQ(Run(dlg), IDOK);
    EXPECT_EQ(st.m_pWaveFunList->GetCount(), 2);
    EXPECT_EQ(st.m_pTHCaseList->GetCount(), 1);
}

TEST_F(Analysis, WithoutCasesTheAnalysisOnlyWarns)
{
    CDlgComputeElasticSeism dlg;
    ScriptedUser::Click(IDC_THCALC_COMPUTE);
    ScriptedUser::AnswerMessageBox(IDOK, "请先在时程荷载工况中添加要计算的时程荷载工况!");
    ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(d->IsWindowVisible()); });
    ScriptedUser::PressOK();
    EXPECT_EQ(Run(dlg), IDOK);
    const auto boxes = ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "计算警告!");
    EXPECT_TRUE(boxes[0].flags & MB_ICONEXCLAMATION);
    for (const auto& d : ScriptedUser::Dialogs())
        EXPECT_NE(d.templateId, (UINT)IDD_THMASSSTRING);
    EXPECT_EQ(host.Count(WM_UI_BEFORECALC), 0);
}

TEST_F(Analysis, EditingACaseAndCancellingStillRefillsTheCaseList)
{
    CTHCase* c = AddCase("TH1", a);
    CDlgComputeElasticSeism dlg;
    // Changed behind the list's back, as the record editor of the case dialog may do.
    ScriptedUser::Run([c](CDialog*) { c->m_fDist = 3.0f; });
    ScriptedUser::DoubleClickRow(IDC_THCALC_CASELIST, 0);
    ScriptedUser::PressCancel(IDD_THCASE);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(Rows(d, IDC_THCALC_CASELIST)[0][2], "3.000"); });
    ScriptedUser::PressOK();
    EXPECT_EQ(Run(dlg), IDOK);
}

TEST_F(Analysis, ACancelledMassPointDialogStartsAndSendsNothingAndStaysOpen)
{
    AddCase("TH1", a);
    WriteEngine();
    CDlgComputeElasticSeism dlg;
    ScriptedUser::Click(IDC_THCALC_COMPUTE);
    ScriptedUser::PressCancel(IDD_THMASSSTRING);
    ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(d->IsWindowVisible()); }, IDD_COMPUTEELASTICSEISM);
    ScriptedUser::PressCancel();
    EXPECT_EQ(Run(dlg), IDCANCEL);
    EXPECT_EQ(host.Count(WM_UI_BEFORECALC), 0);
    EXPECT_TRUE(vyr::ProcessLaunches().empty());
    EXPECT_TRUE(g_exitCodes.empty());
    EXPECT_EQ(CDocomDo::Inst().m_bFlag, 0);
}

TEST_F(Analysis, AnAbsentEngineIsReportedBeforeTheHostIsToldAndTheProcessGoesOn)
{
    AddCase("TH1", a);
    CDlgComputeElasticSeism dlg;
    ScriptedUser::Click(IDC_THCALC_COMPUTE);
    ScriptedUser::Click(IDC_THMASS_RUN, IDD_THMASSSTRING);
    ScriptedUser::AnswerMessageBox(IDOK, "未找到时程分析程序：");
    ScriptedUser::PressCancel(IDD_COMPUTEELASTICSEISM);
    EXPECT_EQ(Run(dlg), IDCANCEL);
    const auto boxes = ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.Find("VyrCal.exe"), -1);
    EXPECT_TRUE(boxes[0].flags & MB_ICONEXCLAMATION);
    EXPECT_EQ(host.Count(WM_UI_BEFORECALC), 0);
    EXPECT_EQ(CDocomDo::Inst().m_bFlag, 0);
    EXPECT_TRUE(g_exitCodes.empty());
    // The input files stay for a later start.
    EXPECT_EQ(ReadWav(), (std::vector<int32_t>{1, 2}));
}

TEST_F(Analysis, TheHandOffTellsTheHostStartsTheEngineAndEndsTheProcess)
{
    AddCase("TH1", a);
    WriteEngine();
    CDlgComputeElasticSeism dlg;
    dlg.m_strEngineArg = "cfg";
    ScriptedUser::Click(IDC_THCALC_COMPUTE);
    ScriptedUser::Click(IDC_THMASS_RUN, IDD_THMASSSTRING);
    EXPECT_EQ(Run(dlg), IDOK);
    EXPECT_EQ(g_exitCodes, std::vector<int>{0});
    EXPECT_EQ(g_beforeCalcAtExit, 1);
    EXPECT_EQ(CDocomDo::Inst().m_bFlag, 1);
    const auto sent = host.Messages(WM_UI_BEFORECALC);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].wParam, 0u);
    EXPECT_EQ(sent[0].lParam, 0);
    const auto launches = vyr::ProcessLaunches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].how, "WinExec");
    EXPECT_TRUE(launches[0].started);
    EXPECT_EQ(launches[0].show, SW_SHOWNORMAL);
    const std::string app = CVyrFunc::GetAppPath().GetString();
    const std::string prj = data.ProjectPath().GetString();
    EXPECT_EQ(launches[0].commandLine, "\"" + app + "\\VyrCal.exe\" \"" + prj + "\\Tower.vyr\" \"/t:CT_TIMEANALISIS\" \"/c:" +
                                           app + "\\cfg\" \"/r:" + app + "\\cfg\"");
    EXPECT_TRUE(fs::exists(cal / "VyrTA.thc"));
}
