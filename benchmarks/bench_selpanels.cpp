// The member panel over a large selection: Update refills the drop-down list (entry 0 and
// one entry per member) and the grid with the rows of every selected member.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "hostkit/HostKit.h"
#include <vyr/host/ViewPropPanels.h>
#include <vyr/model/struct/structure.h>

namespace {

struct Scene
{
    vyrhost::CHostKit host{800, 600, 240};
    std::vector<std::unique_ptr<CPNode>> nodes;
    std::vector<std::unique_ptr<CBeam>> beams;
    CViewPropBeam* panel = nullptr;
    CBeamBase* current = nullptr;

    explicit Scene(int members)
    {
        CGlobalData& data = host.GlobalData();
        for (int i = 0; i <= members; ++i)
            nodes.push_back(std::make_unique<CPNode>(i + 1, CPoint3D(100.0 * i, 0, 0)));
        for (int i = 0; i < members; ++i) {
            beams.push_back(std::make_unique<CBeam>(i + 1, nodes[(size_t)i].get(), nodes[(size_t)i + 1].get(), 2));
            data.SelectBeamList().AddTail(beams.back().get());
        }
        panel = new CViewPropBeam; // goes with its window
        panel->Create(&host.SideFrame(), 1, nullptr);
        panel->SetParam(&data);
        panel->SetParam(&current);
        panel->MoveWindow(0, 0, 240, 600);
        panel->ShowWindow(SW_SHOW);
        panel->Resize();
    }
    ~Scene()
    {
        host.GlobalData().SelectBeamList().RemoveAll();
        if (::IsWindow(panel->GetSafeHwnd()))
            panel->DestroyWindow();
    }
};

void BM_MemberPanelUpdate(benchmark::State& state)
{
    Scene scene((int)state.range(0));
    for (auto _ : state) {
        scene.panel->Update();
        benchmark::DoNotOptimize(scene.panel->m_wndCombo.GetCount());
    }
    if (scene.panel->m_wndCombo.GetCount() != state.range(0) + 1 || scene.panel->m_BeamList.GetCount() != state.range(0))
        state.SkipWithError("the panel does not list every member");
}
BENCHMARK(BM_MemberPanelUpdate)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
