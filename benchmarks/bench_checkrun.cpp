// The design-check run over 10,000 members and 5,000 nodes whose checks cost nothing: what
// is measured is the dialog's own cost, the worker with its 15,000 polls, status texts and
// bar steps, from opening to the end it closes itself with. Expected well under a second.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgCheckProgress.h>
#include <vyr/resources/dialogs/CheckRes.h>
#include <vyr/scripteduser.h>

namespace {

struct CheckScene
{
    std::vector<std::unique_ptr<CPNode>> nodeObjects;
    std::vector<std::unique_ptr<CBeam>> memberObjects;
    CPNodeList nodes;
    CBeamList members;

    CheckScene()
    {
        for (int i = 1; i <= 5000; ++i) {
            nodeObjects.push_back(std::make_unique<CPNode>(i, CPoint3D(i, 0, 0)));
            nodes.AddTail(nodeObjects.back().get());
        }
        for (int i = 1; i <= 10000; ++i) {
            memberObjects.push_back(std::make_unique<CBeam>(i, nullptr, nullptr, 2));
            members.AddTail(memberObjects.back().get());
        }
    }
    ~CheckScene()
    {
        nodes.RemoveAll();
        members.RemoveAll();
    }
};

void BM_CheckRun(benchmark::State& state)
{
    static CheckScene scene;
    for (auto _ : state) {
        vyr::ScriptedUser::Reset();
        vyr::ScriptedUser::WaitForEnd(IDD_CHECKPROGRESS);
        CDlgCheckProgress dlg(&scene.members, &scene.nodes);
        if (dlg.DoModal() != IDOK)
            state.SkipWithError("the check run did not end with IDOK");
    }
    state.counters["objects"] = (double)(scene.nodes.GetCount() + scene.members.GetCount());
}
BENCHMARK(BM_CheckRun)->Unit(benchmark::kMillisecond);

} // namespace
