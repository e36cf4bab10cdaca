// A turn of one mode in the mode-shape dialog on a 10,200-member, 500-wall frame (25 storeys
// of a 12 x 12 grid, walls along the perimeter): the view, the depths, the back-to-front
// order and the redraw of the field.
#include <benchmark/benchmark.h>

#include <vyr/app.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputFrequentUni.h>
#include <vyr/resources/dialogs/OutputFrequentRes.h>
#include <vyr/scripteduser.h>

namespace {

struct ModeScene
{
    CGlobalData data;
    CWnd frame;

    ModeScene()
    {
        constexpr int n = 12, storeys = 25, wallsPerStorey = 20;
        constexpr double bay = 600, storeyH = 360;
        CStruct& s = *data.Struct();
        s.SetModalResult({1.5f});
        std::vector<CPNode*> nodes;
        int no = 0;
        for (int k = 0; k <= storeys; ++k)
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    auto* p = new CPNode(++no, CPoint3D(i * bay, j * bay, k * storeyH));
                    p->m_arrFShape = {{(float)k / storeys, 0.0f, 0.0f}};
                    s.m_pNodeList->AddTail(p);
                    nodes.push_back(p);
                }
        auto at = [&](int k, int j, int i) { return nodes[(size_t)((k * n + j) * n + i)]; };
        int members = 0;
        for (int k = 1; k <= storeys; ++k) {
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    s.m_pBeamList->AddTail(new CBeam(++members, at(k - 1, j, i), at(k, j, i), 1));
                    if (i + 1 < n)
                        s.m_pBeamList->AddTail(new CBeam(++members, at(k, j, i), at(k, j, i + 1), 2));
                    if (j + 1 < n)
                        s.m_pBeamList->AddTail(new CBeam(++members, at(k, j, i), at(k, j + 1, i), 2));
                }
            for (int w = 0; w < wallsPerStorey; ++w) {
                // Along the four sides in turn, five bays each.
                const int side = w / 5, step = w % 5 * 2;
                int j0 = 0, i0 = step, j1 = 0, i1 = step + 1;
                if (side == 1) { j0 = step; i0 = n - 1; j1 = step + 1; i1 = n - 1; }
                if (side == 2) { j0 = n - 1; i0 = step; j1 = n - 1; i1 = step + 1; }
                if (side == 3) { j0 = step; i0 = 0; j1 = step + 1; i1 = 0; }
                auto* wall = new CWall;
                wall->m_pVexNodeList->AddTail(at(k - 1, j0, i0));
                wall->m_pVexNodeList->AddTail(at(k - 1, j1, i1));
                wall->m_pVexNodeList->AddTail(at(k, j1, i1));
                wall->m_pVexNodeList->AddTail(at(k, j0, i0));
                s.m_pWallList->AddTail(wall);
            }
        }
        frame.CreateEx(0, nullptr, "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 1600, 1000, nullptr, nullptr);
        vyr::SetMainWnd(&frame);
    }
};

void BM_TurnOneMode(benchmark::State& state)
{
    static ModeScene scene;
    vyr::ScriptedUser::Run(
        [&](CDialog* d) {
            for (auto _ : state) {
                d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FREQUNI_LEFT, BN_CLICKED), 0);
                d->UpdateWindow();
            }
        },
        IDD_OUTPUTFREQUENTUNI);
    vyr::ScriptedUser::PressOK(IDD_OUTPUTFREQUENTUNI);
    CDlgOutputFrequentUni dlg;
    dlg.m_pGlobalData = &scene.data;
    dlg.DoModal();
    state.counters["members"] = (double)scene.data.Struct()->m_pBeamList->GetCount();
    state.counters["walls"] = (double)scene.data.Struct()->m_pWallList->GetCount();
}
BENCHMARK(BM_TurnOneMode)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
