// The member design and check report of 10,000 members on 50 sections with every box
// ticked: the chapter into an RTF file, and the whole run of the dialog into its rich edit
// (opening, the worker with its polls and bar steps, the end). Target: under 2 s each.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputCheck.h>
#include <vyr/resources/dialogs/CheckReportRes.h>
#include <vyr/scripteduser.h>

namespace {

struct ReportScene
{
    std::vector<std::unique_ptr<CSectionBase>> sections;
    std::vector<std::unique_ptr<CBeam>> memberObjects;
    CBeamList members;

    ReportScene()
    {
        for (int s = 0; s < 50; ++s) {
            sections.push_back(std::make_unique<CSectionBase>());
            sections.back()->m_strKind.Format("H%d", s + 1);
        }
        const int types[4] = {1, 2, 5, 9};
        for (int i = 1; i <= 10000; ++i) {
            auto m = std::make_unique<CBeam>(i, nullptr, nullptr, types[i % 4]);
            m->m_pSection = sections[(size_t)(i % 50)].get();
            CheckResult r;
            r.fRatio[0] = 0.3f + 0.0005f * (float)(i % 1000);
            r.fRatio[1] = 0.2f + 0.0004f * (float)(i % 997);
            for (int k = 0; k < 7; ++k)
                r.fOther[k] = 0.1f + 0.0007f * (float)((i * (k + 3)) % 991);
            for (int k = 0; k < 3; ++k)
                r.fDeformRatio[k] = 0.2f + 0.0006f * (float)((i + k) % 983);
            r.fDeform[0] = 0.0025f;
            for (int k = 0; k < 6; ++k)
                r.fDetail[k] = 0.15f + 0.0008f * (float)((i * (k + 1)) % 977);
            m->SetCheckAnswer(r);
            m->Check();
            members.AddTail(m.get());
            memberObjects.push_back(std::move(m));
        }
    }
    ~ReportScene()
    {
        members.RemoveAll();
        for (auto& m : memberObjects)
            m->m_pSection = nullptr;
    }
};

ReportScene& Scene()
{
    static ReportScene scene;
    return scene;
}

void TickAll(CDlgOutputCheck& dlg)
{
    for (int* f : {&dlg.m_bCapacityList, &dlg.m_bCapacitySection, &dlg.m_bCapacityAll, &dlg.m_bDeformList,
                   &dlg.m_bDeformSection, &dlg.m_bDeformAll, &dlg.m_bStabilityList, &dlg.m_bStabilitySection,
                   &dlg.m_bStabilityAll, &dlg.m_bReinforceList})
        *f = 1;
}

void BM_CheckReportRtf(benchmark::State& state)
{
    ReportScene& scene = Scene();
    const std::string path = (std::filesystem::temp_directory_path() / "vyr_bench_checkreport.rtf").string();
    CDlgOutputCheck dlg(nullptr);
    dlg.m_pBeamList = &scene.members;
    TickAll(dlg);
    for (auto _ : state)
        dlg.OutputIt(DEVICE_RTF, path.c_str());
    state.counters["bytes"] = (double)std::filesystem::file_size(path);
    std::filesystem::remove(path);
}
BENCHMARK(BM_CheckReportRtf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CheckReportRichEdit(benchmark::State& state)
{
    ReportScene& scene = Scene();
    for (auto _ : state) {
        vyr::ScriptedUser::Reset();
        vyr::ScriptedUser::Click(IDC_OUTCHECK_SELALL, IDD_OUTPUTCHECK);
        vyr::ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK);
        vyr::ScriptedUser::WaitUntil(
            [](CDialog* d) {
                auto* c = static_cast<CDlgOutputCheck*>(d);
                return !c->IsRunBusy() && c->m_pThread == nullptr;
            },
            IDD_OUTPUTCHECK);
        vyr::ScriptedUser::Click(IDOK, IDD_OUTPUTCHECK);
        CDlgOutputCheck dlg(nullptr);
        dlg.m_pBeamList = &scene.members;
        if (dlg.DoModal() != IDOK)
            state.SkipWithError("the report did not close with IDOK");
    }
}
BENCHMARK(BM_CheckReportRichEdit)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
