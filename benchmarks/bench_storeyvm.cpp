// The storey shear and overturning moment on the shared 100-storey model with two more
// seismic pairs (16 horizontal cases): opening the dialog (cases, rows of the first case,
// grids), writing its chapter (every case) into an RTF document, and opening its diagram
// (the drawing built for the first case).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <vyr/app.h>
#include <vyr/model/output/output.h>
#include <vyr/resources/dialogs/LayerVMRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerVMDraw.h>
#include <vyr/storey/DlgLayerVMOutput.h>

#include "StoreyBenchModel.h"

namespace {

struct VMScene
{
    vyrtest::CStoreyModel model{vyrbench::StoreyBenchSpec().WithSeismPairs(6)};
    CWnd frame;

    VMScene()
    {
        frame.CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 1600, 1000, nullptr, nullptr);
        vyr::SetMainWnd(&frame);
    }
};

VMScene& Scene()
{
    static VMScene s;
    return s;
}

void BM_VMDialogOpens(benchmark::State& state)
{
    VMScene& s = Scene();
    for (auto _ : state) {
        CDlgLayerVMOutput dlg(&s.model.Data());
        vyr::ScriptedUser::PressOK(IDD_LAYERVMOUTPUT);
        benchmark::DoNotOptimize(dlg.DoModal());
    }
}
BENCHMARK(BM_VMDialogOpens)->Unit(benchmark::kMillisecond);

void BM_VMChapter(benchmark::State& state)
{
    VMScene& s = Scene();
    const std::string path = (std::filesystem::temp_directory_path() / "vyr-bench-vm.rtf").string();
    CDlgLayerVMOutput dlg(&s.model.Data());
    for (auto _ : state) {
        COutput out;
        out.InitDevice(DEVICE_RTF, path.c_str(), 1);
        dlg.Output(&out, 0);
        out.Close();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_VMChapter)->Unit(benchmark::kMillisecond);

void BM_VMDiagramOpens(benchmark::State& state)
{
    VMScene& s = Scene();
    CDlgLayerVMOutput dlg(&s.model.Data());
    vyr::ScriptedUser::Run(
        [&](CDialog* opened) {
            for (auto _ : state) {
                vyr::ScriptedUser::PressOK(IDD_LAYERVMDRAW);
                CDlgLayerVMDraw diagram(opened);
                diagram.m_pGlobalData = &s.model.Data();
                benchmark::DoNotOptimize(diagram.DoModal());
            }
            // Queued only now: the diagrams above take the steps queued before.
            vyr::ScriptedUser::PressOK(IDD_LAYERVMOUTPUT);
        },
        IDD_LAYERVMOUTPUT);
    dlg.DoModal();
}
BENCHMARK(BM_VMDiagramOpens)->Unit(benchmark::kMillisecond);

} // namespace
