// The storey lateral stiffness ratio on the shared 100-storey model: opening the dialog (the
// computation for the first tower and the grid, as the window's initialisation runs them)
// and writing its chapter (every method, per-tower tables) into an RTF document.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <vyr/app.h>
#include <vyr/model/output/output.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerStiffStatOutput.h>

#include "StoreyBenchModel.h"

namespace {

struct StoreyScene
{
    vyrtest::CStoreyModel model{vyrbench::StoreyBenchSpec()};
    CWnd frame;

    StoreyScene()
    {
        frame.CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 1600, 1000, nullptr, nullptr);
        vyr::SetMainWnd(&frame);
    }
};

StoreyScene& Scene()
{
    static StoreyScene s;
    return s;
}

void BM_StiffnessDialogOpens(benchmark::State& state)
{
    StoreyScene& s = Scene();
    for (auto _ : state) {
        CDlgLayerStiffStatOutput dlg(&s.model.Data());
        vyr::ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
        benchmark::DoNotOptimize(dlg.DoModal());
    }
}
BENCHMARK(BM_StiffnessDialogOpens)->Unit(benchmark::kMillisecond);

void BM_StiffnessChapter(benchmark::State& state)
{
    StoreyScene& s = Scene();
    const std::string path = (std::filesystem::temp_directory_path() / "vyr-bench-stiff.rtf").string();
    for (auto _ : state) {
        CDlgLayerStiffStatOutput dlg(&s.model.Data());
        COutput out;
        out.InitDevice(DEVICE_RTF, path.c_str(), 1);
        dlg.Output(&out, 0);
        out.Close();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_StiffnessChapter)->Unit(benchmark::kMillisecond);

} // namespace
