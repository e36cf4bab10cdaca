// The project panel's update over 100,000 members (import, projection, fitting and the
// cached paint of the preview) and one blink tick of a model generator's 10,000-member
// sketch.
#include <benchmark/benchmark.h>

#include <string>

#include "hostkit/HostKit.h"
#include <vyr/host/DlgModel.h>
#include <vyr/host/ViewProject.h>
#include <vyr/model/struct/structure.h>

namespace {

// A plane frame of columns and beams: rows of n members, as many rows as it takes.
void BuildFrame(CGlobalData& data, int members)
{
    CStruct& s = *data.Struct();
    const int perRow = 100;
    const int rows = (members + 2 * perRow - 1) / (2 * perRow);
    std::vector<CPNode*> below, above;
    int nodeNo = 1, beamNo = 1, made = 0;
    for (int i = 0; i <= perRow; ++i) {
        below.push_back(new CPNode(nodeNo++, CPoint3D(600.0 * i, 0, 0)));
        s.m_pNodeList->AddTail(below.back());
    }
    for (int r = 1; r <= rows && made < members; ++r) {
        above.clear();
        for (int i = 0; i <= perRow; ++i) {
            above.push_back(new CPNode(nodeNo++, CPoint3D(600.0 * i, 0, 360.0 * r)));
            s.m_pNodeList->AddTail(above.back());
        }
        for (int i = 0; i <= perRow && made < members; ++i, ++made)
            s.m_pBeamList->AddTail(new CBeam(beamNo++, below[i], above[i], 1));
        for (int i = 0; i < perRow && made < members; ++i, ++made)
            s.m_pBeamList->AddTail(new CBeam(beamNo++, above[i], above[i + 1], 2));
        below = above;
    }
    data.Matrix3D().Identity();
}

void BM_ProjectPanelUpdate(benchmark::State& state)
{
    vyrhost::CHostKit host(800, 600, 240);
    BuildFrame(host.GlobalData(), (int)state.range(0));
    host.CreatePanels({"CViewProject"});
    auto* panel = (CViewProject*)host.ShowPanel("View.Project");
    if (!panel) {
        state.SkipWithError("no project panel");
        return;
    }
    for (auto _ : state) {
        panel->Update();
        panel->Preview().UpdateWindow();
    }
    state.counters["members"] = (double)host.GlobalData().Struct()->m_pBeamList->GetCount();
}
BENCHMARK(BM_ProjectPanelUpdate)->Arg(100000)->Unit(benchmark::kMillisecond);

// A generator whose sketch is built once, outside the timing.
class CDlgBench : public CDlgModel
{
public:
    CDlgBench() : CDlgModel(30701, nullptr) {}
    bool BuildStructSketch() override { return !m_sketch.IsEmpty(); }
};

void BM_BlinkTick(benchmark::State& state)
{
    std::string error;
    vyr::AddResourceScriptText("30701 DIALOGEX 0, 0, 100, 40\nSTYLE WS_POPUP\nBEGIN\nEND\n", "bench-panels.rc",
                               &error);
    vyrhost::CHostKit host(800, 600, 240);
    CDlgBench dlg;
    dlg.m_pGlobalData = &host.GlobalData();
    dlg.Create(30701u, nullptr);
    const int members = (int)state.range(0);
    for (int i = 0; i < members; ++i)
        dlg.m_sketch.AddLine(CPoint3D(10.0 * (i % 100), 0, 36.0 * (i / 100)),
                             CPoint3D(10.0 * (i % 100) + 10.0, 0, 36.0 * (i / 100) + 36.0));
    dlg.m_sketch.Change3D(host.GlobalData().Matrix3D());
    dlg.m_sketch.ZoomAll(CRect(0, 0, 800, 600));
    for (auto _ : state)
        CDlgModel::StructSketchEventTimerProc(dlg.GetSafeHwnd(), WM_TIMER, CDlgModel::kBlinkTimer, 0);
    dlg.DestroyWindow();
}
BENCHMARK(BM_BlinkTick)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
