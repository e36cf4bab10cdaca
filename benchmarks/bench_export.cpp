// The drawing export on a 10,000-member model of 30 storeys: the model drawing of every
// storey plan (2-D dialog, one file per storey) and of the whole structure (3-D dialog, one
// file), each figure drawn into its own file as a run does; and the internal-force diagrams
// of one combination for the same scopes (six files each); and the envelope and displacement
// drawings of the same scopes. Reported as the time and as
// entities per second, to set beside bench_dxf's writer rate.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/model/dxf/dxf.h>
#include <vyr/model/struct/structure.h>

namespace {

namespace fs = std::filesystem;

struct ExportBenchModel
{
    CGlobalData data;
    std::vector<OUTPUT_CONTENT_2D> storeys;
    OUTPUT_CONTENT whole;
    fs::path dir;

    ExportBenchModel()
    {
        // 30 storeys of 10 x 10 bays: 342 members and 100 secondary beams a storey.
        CSampleModelSize size;
        size.nStorey = 30;
        size.nBayX = 10;
        size.nBayY = 10;
        BuildSampleModel(data, size);
        CStruct& s = *data.Struct();
        for (POSITION pos = s.m_pFloorList->GetHeadPosition(); pos != nullptr;) {
            CFloor* f = s.m_pFloorList->GetNextT(pos);
            OUTPUT_CONTENT_2D c;
            CWallList walls;
            f->GetMembers(&c.m_NodeList, &c.m_BeamList, &walls, &c.m_PlaneList);
            storeys.push_back(c);
        }
        whole.m_NodeList.CopyPointer(s.m_pNodeList);
        whole.m_BeamList.CopyPointer(s.m_pBeamList);
        whole.m_BeamList.CopyPointer(s.m_pBCInWallList1);
        whole.m_BeamList.CopyPointer(s.m_pBCInWallList2);
        dir = fs::temp_directory_path() / ("vyr_bench_export_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    ~ExportBenchModel() { fs::remove_all(dir); }
};

void BM_ModelDrawings(benchmark::State& state)
{
    ExportBenchModel m;
    const CString templateFile = (std::string(VYR_SOURCE_DIR) + "/resources/Template/VYRPrint.dxf").c_str();
    CDlgDrawResult2D dlg2(&m.data);
    CDlgDrawResult3D dlg3(&m.data);
    // The lines the figures hold: in a plan a column seen end-on is a square, a member in a
    // wall a rectangle; in space a member in a wall is its outline.
    double entities = 0.0;
    auto count = [&](const CBeamList& list, bool plan) {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = list.GetNextT(pos);
            if (IsInWallMember(b))
                entities += 4;
            else if (plan && b->GetNode1()->m_pt.GetXY() == b->GetNode2()->m_pt.GetXY())
                entities += 4;
            else
                entities += 1;
        }
    };
    for (const OUTPUT_CONTENT_2D& c : m.storeys)
        count(c.m_BeamList, true);
    count(m.whole.m_BeamList, false);
    for (auto _ : state) {
        for (size_t i = 0; i < m.storeys.size(); ++i) {
            CDXFOutput dxf;
            dxf.IntialDXFFile(templateFile, (m.dir / ("storey" + std::to_string(i) + ".dxf")).string().c_str(), true);
            dlg2.GenFigure(dxf, m.storeys[i]);
        }
        CDXFOutput dxf;
        dxf.IntialDXFFile(templateFile, (m.dir / "whole.dxf").string().c_str(), true);
        dlg3.GenFigure(dxf, m.whole);
    }
    state.counters["members"] = (double)m.whole.m_BeamList.GetCount();
    state.counters["entities"] = benchmark::Counter(entities * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["files"] = (double)(m.storeys.size() + 1);
}
BENCHMARK(BM_ModelDrawings)->Unit(benchmark::kMillisecond)->UseRealTime();

// The entities (lines and texts) of the files in a folder, counted from the written text.
double CountEntities(const fs::path& dir, double& bytes)
{
    double n = 0.0;
    bytes = 0.0;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        if (!e.is_regular_file())
            continue;
        bytes += (double)fs::file_size(e.path());
        std::ifstream in(e.path());
        std::string line, prev;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if ((line == "LINE" || line == "TEXT") && (prev == "0" || prev == "  0"))
                ++n;
            prev = line;
        }
    }
    return n;
}

// The internal-force diagrams of one fundamental combination: six files per storey plan
// (2-D) and six of the whole structure (3-D), figure, diagrams and labels.
void BM_ForceDiagrams(benchmark::State& state)
{
    ExportBenchModel m;
    const CString templateFile = (std::string(VYR_SOURCE_DIR) + "/resources/Template/VYRPrint.dxf").c_str();
    CDlgDrawResult2D dlg2(&m.data);
    CDlgDrawResult3D dlg3(&m.data);
    CLoadCombination* lc = m.data.GetSLCList()->Get(3); // dead, live and wind
    const CString folder = m.dir.string().c_str();
    for (auto _ : state) {
        for (size_t i = 0; i < m.storeys.size(); ++i)
            dlg2.GenBF(folder, templateFile, "storey" + CString(std::to_string(i).c_str()), lc, m.storeys[i]);
        dlg3.GenBF(folder, templateFile, "whole", lc, m.whole);
    }
    double bytes = 0.0;
    const double entities = CountEntities(m.dir, bytes);
    state.counters["bytes"] = bytes;
    state.counters["bytes_rate"] = benchmark::Counter(bytes * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["members"] = (double)m.whole.m_BeamList.GetCount();
    state.counters["entities"] = benchmark::Counter(entities * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["files"] = (double)(6 * (m.storeys.size() + 1));
}
BENCHMARK(BM_ForceDiagrams)->Unit(benchmark::kMillisecond)->UseRealTime();

// The envelope and displacement drawings of the same scopes: the six force envelopes, the
// displaced shape of one combination and the six displacement envelopes of every storey plan
// (2-D) and of the whole structure (3-D).
void BM_EnvelopeDrawings(benchmark::State& state)
{
    ExportBenchModel m;
    FillSampleResults(m.data);
    const CString templateFile = (std::string(VYR_SOURCE_DIR) + "/resources/Template/VYRPrint.dxf").c_str();
    CDlgDrawResult2D dlg2(&m.data);
    CDlgDrawResult3D dlg3(&m.data);
    CLoadCombination* lc = m.data.GetSLCList()->Get(3);
    const fs::path dir = m.dir / "envelopes";
    fs::create_directories(dir);
    for (auto _ : state) {
        for (size_t i = 0; i < m.storeys.size(); ++i) {
            const fs::path d = dir / ("storey" + std::to_string(i));
            fs::create_directories(d);
            const CString folder = d.string().c_str();
            dlg2.GenBFC(folder, templateFile, m.storeys[i], -1);
            dlg2.GenND(folder, templateFile, "lc", lc, m.storeys[i]);
            dlg2.GenNDC(folder, templateFile, m.storeys[i], -1);
        }
        const CString folder = dir.string().c_str();
        dlg3.GenBFC(folder, templateFile, m.whole, -1);
        dlg3.GenND(folder, templateFile, "lc", lc, m.whole);
        dlg3.GenNDC(folder, templateFile, m.whole, -1);
    }
    double bytes = 0.0;
    const double entities = CountEntities(dir, bytes);
    state.counters["bytes"] = bytes;
    state.counters["members"] = (double)m.whole.m_BeamList.GetCount();
    state.counters["entities"] = benchmark::Counter(entities * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["files"] = (double)(13 * (m.storeys.size() + 1));
}
BENCHMARK(BM_EnvelopeDrawings)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
