// The storey shear capacity and the storey eccentricity on the shared 100-storey model with
// three towers: opening each dialog (limits, towers, the computation for the first tower and
// the grid) and writing each chapter (per-tower tables) into an RTF document.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <vyr/app.h>
#include <vyr/model/output/output.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerEccentricity.h>
#include <vyr/storey/DlgShearCapacity.h>

#include "StoreyBenchModel.h"

namespace {

struct CapacityScene
{
    vyrtest::CStoreyModel model{vyrbench::StoreyBenchSpec()};
    CWnd frame;

    CapacityScene()
    {
        frame.CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 1600, 1000, nullptr, nullptr);
        vyr::SetMainWnd(&frame);
    }
};

CapacityScene& CapacityModel()
{
    static CapacityScene s;
    return s;
}

template <class TDlg>
void OpenDialog(benchmark::State& state, UINT templateId)
{
    CapacityScene& s = CapacityModel();
    for (auto _ : state) {
        TDlg dlg;
        dlg.m_pGlobalData = &s.model.Data();
        vyr::ScriptedUser::PressOK(templateId);
        benchmark::DoNotOptimize(dlg.DoModal());
    }
}

template <class TDlg>
void WriteChapter(benchmark::State& state, const char* file)
{
    CapacityScene& s = CapacityModel();
    const std::string path = (std::filesystem::temp_directory_path() / file).string();
    for (auto _ : state) {
        TDlg dlg;
        dlg.m_pGlobalData = &s.model.Data();
        COutput out;
        out.InitDevice(DEVICE_RTF, path.c_str(), 1);
        dlg.Output(&out, 0);
        out.Close();
    }
    std::filesystem::remove(path);
}

void BM_ShearCapacityDialogOpens(benchmark::State& state) { OpenDialog<CDlgShearCapacity>(state, IDD_SHEARCAPACITY); }
BENCHMARK(BM_ShearCapacityDialogOpens)->Unit(benchmark::kMillisecond);

void BM_ShearCapacityChapter(benchmark::State& state)
{
    WriteChapter<CDlgShearCapacity>(state, "vyr-bench-capacity.rtf");
}
BENCHMARK(BM_ShearCapacityChapter)->Unit(benchmark::kMillisecond);

void BM_EccentricityDialogOpens(benchmark::State& state)
{
    OpenDialog<CDlgLayerEccentricity>(state, IDD_LAYERECCENTRICITY);
}
BENCHMARK(BM_EccentricityDialogOpens)->Unit(benchmark::kMillisecond);

void BM_EccentricityChapter(benchmark::State& state)
{
    WriteChapter<CDlgLayerEccentricity>(state, "vyr-bench-eccentricity.rtf");
}
BENCHMARK(BM_EccentricityChapter)->Unit(benchmark::kMillisecond);

} // namespace
