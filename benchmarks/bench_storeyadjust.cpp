// The two seismic force adjustments on the shared 100-storey model (the frame taking a
// tenth of the storey shears, storey 50 declared weak): "重新设定" with what it refills in
// the open dialog, and each chapter written into an RTF document.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <vyr/app.h>
#include <vyr/model/output/output.h>
#include <vyr/resources/dialogs/StoreyAdjustRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgFrameSeismicAdjust.h>
#include <vyr/storey/DlgLayerVGRatio.h>

#include "StoreyBenchModel.h"

namespace {

struct AdjustScene
{
    vyrtest::CStoreyModel model{vyrbench::StoreyBenchSpec()};
    CWnd frame;

    AdjustScene()
    {
        frame.CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 1600, 1000, nullptr, nullptr);
        vyr::SetMainWnd(&frame);
        model.AddFrameMembers(true);
        const int storeys = vyrbench::StoreyBenchSpec().nStorey;
        for (int i = 0; i < 2 * vyrbench::StoreyBenchSpec().nSeismPairs; ++i) {
            std::vector<float> vf(1, 0.0f);
            for (int k = 1; k <= storeys; ++k)
                vf.push_back(2.0f * (float)(storeys + 1 - k));
            model.SetFrameShears(i, vf);
        }
        model.Data().SeismAdjustStartNo() = 1;
        model.Data().SeismAdjustEndNo() = storeys;
    }
};

AdjustScene& Scene()
{
    static AdjustScene s;
    return s;
}

// Times one click of the button in the open dialog.
template <class TDlg>
void TimeClick(benchmark::State& state, UINT idd, int button)
{
    AdjustScene& s = Scene();
    for (auto _ : state) {
        double seconds = 0.0;
        vyr::ScriptedUser::Run(
            [&](CDialog* d) {
                const auto t0 = std::chrono::steady_clock::now();
                d->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)d->GetDlgItem(button)->GetSafeHwnd());
                seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            },
            idd);
        vyr::ScriptedUser::PressOK(idd);
        TDlg dlg(&s.model.Data());
        benchmark::DoNotOptimize(dlg.DoModal());
        state.SetIterationTime(seconds);
    }
}

void BM_WeakStoreysReset(benchmark::State& state)
{
    vyr::ScriptedUser::SetText(IDC_VG_WEAKNO, "50", IDD_LAYERVGRATIO);
    vyr::ScriptedUser::SetText(IDC_VG_WEAKFACTOR, "1.5", IDD_LAYERVGRATIO);
    vyr::ScriptedUser::PressOK(IDD_LAYERVGRATIO);
    {
        CDlgLayerVGRatio dlg(&Scene().model.Data());
        dlg.DoModal();
    }
    TimeClick<CDlgLayerVGRatio>(state, IDD_LAYERVGRATIO, IDC_VG_RECAL);
}
BENCHMARK(BM_WeakStoreysReset)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_FrameFactorsReset(benchmark::State& state)
{
    TimeClick<CDlgFrameSeismicAdjust>(state, IDD_FRAMESEISMADJUST, IDC_FRAME_RECAL);
}
BENCHMARK(BM_FrameFactorsReset)->UseManualTime()->Unit(benchmark::kMillisecond);

template <class TDlg>
void Chapter(benchmark::State& state, const char* file)
{
    AdjustScene& s = Scene();
    const std::string path = (std::filesystem::temp_directory_path() / file).string();
    for (auto _ : state) {
        TDlg dlg(&s.model.Data());
        COutput out;
        out.InitDevice(DEVICE_RTF, path.c_str(), 1);
        dlg.Output(&out, 0);
        out.Close();
    }
    std::filesystem::remove(path);
}

void BM_ShearWeightChapter(benchmark::State& state) { Chapter<CDlgLayerVGRatio>(state, "vyr-bench-vg.rtf"); }
BENCHMARK(BM_ShearWeightChapter)->Unit(benchmark::kMillisecond);

void BM_FrameAdjustChapter(benchmark::State& state) { Chapter<CDlgFrameSeismicAdjust>(state, "vyr-bench-frame.rtf"); }
BENCHMARK(BM_FrameAdjustChapter)->Unit(benchmark::kMillisecond);

} // namespace
