// The member internal-force query over many members: for each of 1,000 members of a
// 30-storey model the query is opened, painted once more (six components recomputed and six
// diagrams drawn) and closed, as a user stepping through members would.
#include <benchmark/benchmark.h>

#include <vector>

#include <vyr/drawing/DlgBeamQueryForce.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/QueryForceRes.h>
#include <vyr/scripteduser.h>

namespace {

using vyr::ScriptedUser;

void BM_QueryEachMember(benchmark::State& state)
{
    CGlobalData data;
    CSampleModelSize size;
    size.nStorey = 30;
    size.nBayX = 10;
    size.nBayY = 10;
    BuildSampleModel(data, size);
    std::vector<CBeamBase*> members;
    for (POSITION pos = data.Struct()->m_pBeamList->GetHeadPosition(); pos != nullptr && members.size() < 1000;)
        if (CBeamBase* b = data.Struct()->m_pBeamList->GetNextT(pos); b->toBeam() != nullptr)
            members.push_back(b);
    for (auto _ : state) {
        for (CBeamBase* b : members) {
            ScriptedUser::Run([](CDialog* d) {
                d->Invalidate();
                d->UpdateWindow();
            }, IDD_BEAMQUERYFORCE);
            ScriptedUser::PressCancel(IDD_BEAMQUERYFORCE);
            CDlgBeamQueryForce dlg(nullptr);
            dlg.m_pData = &data;
            dlg.DoModal(b);
        }
    }
    state.counters["members"] = (double)members.size();
    // The time per member (the target is 5 ms).
    state.counters["per_member"] =
        benchmark::Counter((double)members.size() * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_QueryEachMember)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
