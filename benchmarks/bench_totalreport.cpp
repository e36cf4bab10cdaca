// The whole calculation report of a 30-storey model of about 10,000 members (10 x 10 bays)
// and of one of half the members (10 x 5 bays), with every section ticked and the results
// every chapter reads: into an RTF file (target under 5 s) and into the rich edit by the
// show button's run on the worker (target under 10 s), each through the dialog as a user
// drives it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputTotal.h>
#include <vyr/resources/dialogs/OutputTotalRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>

namespace {

using vyr::ScriptedUser;

struct TotalBenchModel
{
    CGlobalData data;

    explicit TotalBenchModel(int baysY)
    {
        CSampleModelSize size;
        size.nStorey = 30;
        size.nBayX = 10;
        size.nBayY = baysY;
        BuildSampleModel(data, size);
        FillSampleResults(data);
        FillStoreyResults(data);
        data.ProjectName() = "整体计算书";
    }
};

TotalBenchModel& Model(int baysY)
{
    static std::map<int, std::unique_ptr<TotalBenchModel>> models;
    auto& m = models[baysY];
    if (!m)
        m = std::make_unique<TotalBenchModel>(baysY);
    return *m;
}

void WaitUntilIdle()
{
    ScriptedUser::WaitUntil(
        [](CDialog* d) {
            auto* t = static_cast<CDlgOutputTotal*>(d);
            return !t->IsRunBusy() && t->m_pThread == nullptr;
        },
        IDD_OUTPUT_TOTAL);
}

void Count(benchmark::State& state, TotalBenchModel& m)
{
    state.counters["members"] = (double)m.data.Struct()->m_pBeamList->GetCount();
    state.counters["storeys"] = (double)m.data.Struct()->m_pFloorList->GetRealFloorNum();
}

void BM_TotalReportRtf(benchmark::State& state)
{
    TotalBenchModel& m = Model((int)state.range(0));
    const std::string path = (std::filesystem::temp_directory_path() / "vyr_bench_totalreport.rtf").string();
    for (auto _ : state) {
        std::filesystem::remove(path);
        ScriptedUser::Reset();
        WaitUntilIdle();
        ScriptedUser::Click(IDC_OTOTAL_SELALL, IDD_OUTPUT_TOTAL);
        ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUT_TOTAL);
        ScriptedUser::AnswerFileDialog(path.c_str());
        ScriptedUser::Click(IDOK, IDD_OUTPUT_TOTAL);
        CDlgOutputTotal dlg(&m.data, nullptr);
        if (dlg.DoModal() != IDOK)
            state.SkipWithError("the report did not close with IDOK");
    }
    Count(state, m);
    state.counters["bytes"] = (double)std::filesystem::file_size(path);
    std::filesystem::remove(path);
}
BENCHMARK(BM_TotalReportRtf)->Arg(10)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_TotalReportRichEdit(benchmark::State& state)
{
    TotalBenchModel& m = Model((int)state.range(0));
    for (auto _ : state) {
        ScriptedUser::Reset();
        WaitUntilIdle();
        ScriptedUser::Click(IDC_OTOTAL_SELALL, IDD_OUTPUT_TOTAL);
        ScriptedUser::Click(IDC_OTOTAL_SHOW, IDD_OUTPUT_TOTAL);
        WaitUntilIdle();
        ScriptedUser::Click(IDOK, IDD_OUTPUT_TOTAL);
        CDlgOutputTotal dlg(&m.data, nullptr);
        if (dlg.DoModal() != IDOK)
            state.SkipWithError("the report did not close with IDOK");
    }
    Count(state, m);
}
BENCHMARK(BM_TotalReportRichEdit)->Arg(10)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
