// The member internal force report with every table ticked: 1,000 members with station
// results under three basic cases, 50 fundamental and 50 standard combinations, written
// into an RTF file as a save writes it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputBeamForce.h>

namespace {

constexpr int kMembers = 1000;
constexpr int kCombinations = 50;

struct Model
{
    CSWeldedHtype section{111, 400, 200, 12, 8};
    CGlobalData data;
    CBeamList list;
    std::vector<std::unique_ptr<CBeam>> members;

    Model()
    {
        for (int type : {0, 1, 2})
            data.Struct()->m_pBasicLCList->AddTail(new CBasicLoadCase(type));
        for (CLCList* kind : {data.GetSLCList(), data.GetSDispLCList()})
            for (int i = 0; i < kCombinations; ++i) {
                auto* c = new CLoadCombination;
                c->m_fDead = 1.0f + 0.01f * (float)i;
                c->m_fLive = 1.4f - 0.02f * (float)i;
                c->m_fWind = (float)(i % 3) * 0.6f;
                data.Struct()->m_pLCList->Add(c);
                kind->AddTail(c);
            }
        const int types[] = {1, 2, 3, 13};
        for (int i = 1; i <= kMembers; ++i) {
            auto b = std::make_unique<CBeam>(i, nullptr, nullptr, types[i % 4]);
            b->m_pSection = &section;
            for (int caseType : {0, 1, 2})
                for (int c = 0; c < 6; ++c) {
                    CBeamBase::CStationValues v{};
                    for (int k = 0; k < CBeamBase::kStations; ++k)
                        v[(size_t)k] = (float)((i * 7 + c * 13 + k * (caseType + 1)) % 101) - 50.0f;
                    b->SetStationResult(caseType, c, v);
                }
            list.AddTail(b.get());
            members.push_back(std::move(b));
        }
    }
    ~Model() { list.RemoveAll(); }
};

void BM_ForceReportAllTables(benchmark::State& state)
{
    static Model model;
    CDlgOutputBeamForce dlg(nullptr);
    dlg.m_pData = &model.data;
    dlg.m_pBeamList = &model.list;
    dlg.m_bCase = dlg.m_bComb = dlg.m_bCombEnvelope = dlg.m_bStd = dlg.m_bStdEnvelope = 1;
    const auto path = std::filesystem::temp_directory_path() / "vyr_bench_forcereport.rtf";
    for (auto _ : state) {
        COutput out;
        out.InitDevice(DEVICE_RTF, CString(path.string()), 1);
        dlg.Output(&out, 0);
        out.Close();
    }
    state.counters["bytes"] = (double)std::filesystem::file_size(path);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ForceReportAllTables)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
