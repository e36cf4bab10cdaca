// The two node result chapters as the whole report writes them: 8,000 nodes, a quarter on
// supports with reactions under 20 fundamental combinations, every node with check results,
// written into an RTF file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputNodeCheck.h>
#include <vyr/reports/DlgOutputNodeForce.h>

namespace {

constexpr int kNodes = 8000;
constexpr int kCombinations = 20;

struct Model
{
    CGlobalData data;
    CSupportFixed fixed;
    CPNodeList list;
    std::vector<std::unique_ptr<CPNode>> nodes;

    Model()
    {
        for (int i = 0; i < kCombinations; ++i) {
            auto* c = new CLoadCombination;
            c->m_fDead = 1.0f + 0.01f * (float)i;
            c->m_fLive = 1.4f - 0.02f * (float)i;
            c->m_fWind = (float)(i % 3) * 0.6f;
            data.Struct()->m_pLCList->Add(c);
            data.GetSLCList()->AddTail(c);
        }
        for (int i = 1; i <= kNodes; ++i) {
            auto n = std::make_unique<CPNode>(i, CPoint3D(i * 10.0, 0, 0));
            if (i % 4 == 0) {
                n->SetSupport(&fixed);
                const float f = (float)(i % 97);
                n->m_mapCaseReact[0] = {f, -f, 300 + f, 20 * f, -15 * f, f};
                n->m_mapCaseReact[1] = {0.5f * f, f, 100 + f, -10 * f, 5 * f, 0};
                n->m_mapCaseReact[2] = {-2 * f, 0, f, 0, 40 * f, -f};
            }
            std::array<CNodeCheckItem, 6> zones;
            for (size_t k = 0; k < 6; ++k)
                zones[k] = {0.001f * (float)((i * 7 + (int)k) % 1000), "0.500"};
            n->SetCapacityCheckResult(zones);
            n->SetAddPlateResult({CNodeCheckItem{0, "无"}, CNodeCheckItem{0, "无"}, CNodeCheckItem{6, "6mm"},
                                  CNodeCheckItem{0, "无"}});
            n->SetPColCheckResult({CNodeCheckItem{0.001f * (float)(i % 997), "0.800"},
                                   CNodeCheckItem{0.001f * (float)(i % 991), "0.700"}});
            list.AddTail(n.get());
            nodes.push_back(std::move(n));
        }
    }
    ~Model() { list.RemoveAll(); }
};

Model& TheModel()
{
    static Model m;
    return m;
}

template <class TDlg>
void WriteChapter(benchmark::State& state, TDlg& dlg)
{
    const auto path = std::filesystem::temp_directory_path() / "vyr_bench_nodereport.rtf";
    for (auto _ : state) {
        COutput out;
        out.InitDevice(DEVICE_RTF, CString(path.string()), 1);
        dlg.OutputUnite(out, 1);
        out.Close();
    }
    state.counters["bytes"] = (double)std::filesystem::file_size(path);
    std::filesystem::remove(path);
}

void BM_ReactionChapter(benchmark::State& state)
{
    CDlgOutputNodeForce dlg(nullptr);
    dlg.m_pData = &TheModel().data;
    dlg.m_pNodeList = &TheModel().list;
    dlg.m_bStandard = dlg.m_bBasic = 1;
    WriteChapter(state, dlg);
}
BENCHMARK(BM_ReactionChapter)->Unit(benchmark::kMillisecond);

void BM_NodeCheckChapter(benchmark::State& state)
{
    CDlgOutputNodeCheck dlg(nullptr);
    dlg.m_pNodeList = &TheModel().list;
    WriteChapter(state, dlg);
}
BENCHMARK(BM_NodeCheckChapter)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
