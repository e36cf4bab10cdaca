// The storey displacement and drift statistics on the shared 100-storey model with 16 wind and
// seismic cases and three towers: a case chosen in the open dialog (computation, grid,
// colours) and the chapter, written storey by storey and tower by tower, into an RTF document.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <vyr/app.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/output.h>
#include <vyr/resources/dialogs/StoreyDispRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerDispDifferOutput.h>

#include "StoreyBenchModel.h"

namespace {

struct DriftScene
{
    vyrtest::CStoreyModel model{vyrbench::StoreyBenchSpec().WithSeismPairs(6)};
    CWnd frame;

    DriftScene()
    {
        frame.CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 1600, 1000, nullptr, nullptr);
        vyr::SetMainWnd(&frame);
        CStruct& s = *model.Data().Struct();
        FillStoreyDisplacements(model.Data());
        // Every storey reaches the towers in plan.
        for (POSITION pos = s.m_pFloorList->GetRealFloorHeadPosition(); pos != nullptr;) {
            CFloor* f = s.m_pFloorList->GetRealFloorNext(pos);
            for (int t = 1; t <= (int)s.m_pMainNodeList->GetCount(); ++t) {
                const CMainNode* m = s.m_pMainNodeList->Get(t);
                auto* n = new CPNode(f->GetNo() * 10 + t, CPoint3D(m->m_pt.x, m->m_pt.y, f->GetZ()));
                s.m_pNodeList->AddTail(n);
                f->m_pNodeList->AddTail(n);
            }
        }
    }
};

DriftScene& Scene()
{
    static DriftScene s;
    return s;
}

void ClickRow(CDialog* d, int gridId, int row)
{
    auto* g = dynamic_cast<CGridCtrl*>(d->GetDlgItem(gridId));
    CRect r;
    g->GetCellRect(row, 0, &r);
    const CPoint p = r.CenterPoint();
    g->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    g->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

// Alternates between two seismic cases of the case grid.
void BM_DriftCaseSelection(benchmark::State& state)
{
    DriftScene& s = Scene();
    CDlgLayerDispDifferOutput dlg(&s.model.Data());
    vyr::ScriptedUser::Run(
        [&](CDialog* d) {
            int row = 5;
            for (auto _ : state) {
                ClickRow(d, IDC_DISP_CASEGRID, row);
                row = row == 5 ? 6 : 5;
            }
        },
        IDD_LAYERDISPDIFFER);
    vyr::ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    dlg.DoModal();
}
BENCHMARK(BM_DriftCaseSelection)->Unit(benchmark::kMillisecond);

// Alternates between the second and the third tower.
void BM_DriftTowerSelection(benchmark::State& state)
{
    DriftScene& s = Scene();
    CDlgLayerDispDifferOutput dlg(&s.model.Data());
    vyr::ScriptedUser::Run(
        [&](CDialog* d) {
            int row = 2;
            for (auto _ : state) {
                ClickRow(d, IDC_DISP_TOWERGRID, row);
                row = row == 2 ? 3 : 2;
            }
        },
        IDD_LAYERDISPDIFFER);
    vyr::ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    dlg.DoModal();
}
BENCHMARK(BM_DriftTowerSelection)->Unit(benchmark::kMillisecond);

void BM_DriftChapterByTower(benchmark::State& state)
{
    DriftScene& s = Scene();
    const std::string path = (std::filesystem::temp_directory_path() / "vyr-bench-drift.rtf").string();
    for (auto _ : state) {
        CDlgLayerDispDifferOutput dlg(&s.model.Data());
        COutput out;
        out.InitDevice(DEVICE_RTF, path.c_str(), 1);
        dlg.Output(&out, 0);
        out.Close();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_DriftChapterByTower)->Unit(benchmark::kMillisecond);

} // namespace
