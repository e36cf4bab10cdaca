// The model report's chapter of 10,000 members and 8,000 nodes, every part ticked, into an
// RTF file: the node and member tables dominate. Budget: under a second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputModel.h>

namespace {

struct ModelScene
{
    CGlobalData data;

    ModelScene()
    {
        CStruct& st = *data.Struct();
        data.ProjectName() = "bench";
        auto* sec = new CSectionBase;
        sec->m_nNo = 1;
        sec->m_strKind = "H400x200";
        sec->m_strMat = "Q345";
        st.m_pSectionList->AddTail(sec);
        CSupportBase* fixed = st.m_pSupportList->GetHeadT();
        for (int i = 1; i <= 8000; ++i) {
            auto* n = new CPNode(i, CPoint3D(100.0 * (i % 100), 100.0 * (i / 100), 300.0 * (i % 7)));
            if (i % 50 == 0)
                n->SetSupport(fixed);
            st.m_pNodeList->AddTail(n);
        }
        for (int i = 1; i <= 10000; ++i) {
            auto* m = new CBeam(i, st.m_pNodeList->Get(1 + i % 8000), st.m_pNodeList->Get(1 + (i + 1) % 8000), 2);
            m->SetSection(sec);
            m->m_fInitStress = i % 3 == 0 ? 12.5f : 0.0f;
            st.m_pBeamList->AddTail(m);
        }
        data.GetCurBasicLCList()->AddTail(new CBasicLoadCase(15)); // initial stress
    }
};

void BM_ModelReportRtf(benchmark::State& state)
{
    static ModelScene scene;
    CDlgOutputModel dlg;
    dlg.m_pData = &scene.data;
    dlg.m_bNode = dlg.m_bBeam = dlg.m_bPreload = 1;
    const std::string path = (std::filesystem::temp_directory_path() / "vyr_bench_modelreport.rtf").string();
    for (auto _ : state) {
        COutput out;
        if (!out.InitDevice(DEVICE_RTF, CString(path.c_str()), 1))
            state.SkipWithError("the RTF file cannot be written");
        dlg.OutputUnite(out, nullptr, 0);
        out.Close();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ModelReportRtf)->Unit(benchmark::kMillisecond);

} // namespace
